// SecureSocket: the one connection of a mail conversation, plain or secured
// with TLS (OpenSSL), over the program's socket layer (common/socket.h).
//
// The mail code is written against ten socket operations; here they are:
//
//   1 initialise, 2 unload, 5 end  the object's life: OpenSSL's context is
//                                  made when TLS is first needed and freed
//                                  with the object
//   8 connect                      Connect(): TCP to the server (on the
//                                  implicit-TLS port, 465, StartTls() at once)
//   10 start TLS                   StartTls(): before the greeting on port
//                                  465, else after the server's "220" to
//                                  STARTTLS
//   6 write line                   WriteLine() (the line and CR LF)
//   7 read line                    ReadReply(): whole replies (smtp_reply.h)
//   9 own address                  OwnAddress(): "[a.b.c.d]" for EHLO
//   3 end TLS, 4 disconnect        EndTls(), Disconnect()
//
// TLS checks the server's certificate chain against the system's trusted
// certificates (and, for a company's own mail server or a test, the PEM file
// that ZENKAR_CA_FILE names) and the certificate against the server's name or
// address; TLS 1.2 is the least accepted. A certificate that does not verify
// ends the connection with a message naming the reason.
//
// Every step waits at most the connector's time-out (60 seconds in the
// programs). Lines written are collected and sent before the next read (and
// at Flush()), so an attachment of many short lines does not become as many
// packets or TLS records.
#ifndef ZENKAR_SERVICES_SECURE_SOCKET_H_
#define ZENKAR_SERVICES_SECURE_SOCKET_H_

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "common/socket.h"
#include "common/status.h"
#include "services/smtp_reply.h"

namespace zenkar {

// The port a mail server speaks TLS on from the first byte ("SMTPS").
inline constexpr uint16_t kImplicitTlsPort = 465;

// How mail connections are secured beyond the defaults.
struct MailTransport {
  // A PEM file of certificates to trust besides the system's; empty: none.
  std::string extra_trusted_certificates;
  // A port taken as implicit TLS besides 465 (a test server cannot bind 465
  // without root).
  uint16_t implicit_tls_port = kImplicitTlsPort;

  // True when TLS starts before the greeting on `port`.
  bool IsImplicitTls(uint16_t port) const {
    return port == kImplicitTlsPort || port == implicit_tls_port;
  }
};

// The transport the environment asks for: ZENKAR_CA_FILE names the extra
// certificate file, ZENKAR_SMTPS_PORT (1 to 65535) a port taken as implicit
// TLS besides 465. Either value may be null; a port that is not a number is
// ignored.
MailTransport MailTransportFromEnvironment(const char* ca_file, const char* smtps_port);

class TlsConnection;

class SecureSocket {
 public:
  SecureSocket(Connector& connector, MailTransport transport);
  ~SecureSocket();
  SecureSocket(const SecureSocket&) = delete;
  SecureSocket& operator=(const SecureSocket&) = delete;

  // Connects to `port` of `host`.
  Status Connect(const std::string& host, uint16_t port);
  // Negotiates TLS on the open connection, the certificate checked against
  // the host connected to. Refused when the server sent anything after its
  // reply to STARTTLS: those bytes would pass as secured.
  Status StartTls();

  // Queues `line` and CR LF; sent before the next read or at Flush().
  Status WriteLine(std::string_view line);
  Status Flush();
  // Sends what is queued, then reads one reply.
  SmtpReply ReadReply();

  // This end's address for EHLO; empty when it is not known.
  std::string OwnAddress() const;
  bool connected() const { return raw_ != nullptr; }
  bool secure() const { return tls_ != nullptr; }
  // True when the server is this machine: nothing sent reaches a network.
  bool peer_is_loopback() const { return raw_ != nullptr && raw_->PeerIsLoopback(); }

  // Ends TLS (the close-notify alert) and keeps the connection.
  void EndTls();
  // Sends what is queued (failures are of no interest now) and closes.
  void Disconnect();

 private:
  Connection* Current() const;

  Connector& connector_;
  MailTransport transport_;
  std::string host_;
  std::unique_ptr<Connection> raw_;
  std::unique_ptr<TlsConnection> tls_;
  SmtpReader reader_;
  std::string pending_;
};

}  // namespace zenkar

#endif  // ZENKAR_SERVICES_SECURE_SOCKET_H_
