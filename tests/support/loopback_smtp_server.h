// LoopbackSmtpServer: a scripted SMTP server on 127.0.0.1 that a test
// starts, with the replies the test chooses.
//
// It listens on a free port from its construction to its destruction, on a
// thread of its own, serving one connection at a time: it sends the greeting
// (after the TLS handshake when it speaks TLS from the start), then each line
// it receives takes the next queued reply, sent as it is. A reply may start
// TLS after it (the answer to STARTTLS), make the lines that follow, up to
// the lone ".", a message (the answer to DATA), or close the connection. A
// line finding no reply queued closes the connection. Every line received
// outside a message is kept in order, and every message whole, for exact
// comparison.
#ifndef ZENKAR_TESTS_SUPPORT_LOOPBACK_SMTP_SERVER_H_
#define ZENKAR_TESTS_SUPPORT_LOOPBACK_SMTP_SERVER_H_

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "support/loopback_listener.h"
#include "support/test_certificates.h"

namespace zenkar::testing {

class LoopbackSmtpServer {
 public:
  struct Reply {
    std::string bytes;       // sent as they are: lines ended by CR LF
    bool start_tls = false;  // TLS is negotiated after the reply
    bool message = false;    // the lines up to "." are a message
    bool close = false;      // the connection is closed after the reply
  };
  struct Options {
    std::string greeting = "220 test.example ESMTP ready\r\n";
    bool implicit_tls = false;  // TLS before the greeting
    // The certificate TLS shows; the tests' server certificate by default.
    CertificateAndKey identity = TestCertificates::Get().server();
  };

  LoopbackSmtpServer() : LoopbackSmtpServer(Options()) {}
  explicit LoopbackSmtpServer(Options options);
  ~LoopbackSmtpServer();
  LoopbackSmtpServer(const LoopbackSmtpServer&) = delete;
  LoopbackSmtpServer& operator=(const LoopbackSmtpServer&) = delete;

  uint16_t port() const { return listener_.port(); }

  void Queue(Reply reply);
  // A reply of one line (CR LF added).
  void Queue(const std::string& line) { Queue(Reply{line + "\r\n"}); }

  // The lines received outside messages, without their line ends, in order.
  std::vector<std::string> commands() const;
  // Each message received whole: its lines as sent (dots doubled), each
  // ended by CR LF, without the closing ".".
  std::vector<std::string> messages() const;
  // How many TLS handshakes succeeded.
  int secured() const;
  // Waits (up to ten seconds) until `count` connections were served to their
  // end: a client that sends QUIT without waiting for its answer may return
  // before the server has read it. False when they were not.
  bool WaitUntilServed(int count) const;

 private:
  class Channel;
  void Serve();
  void ServeConnection(int fd);
  bool Secure(Channel& channel);
  // Answers one line; false when the connection is to close.
  bool Answer(Channel& channel, const std::string& line);
  bool TakeReply(const std::string& line, Reply* reply);

  Options options_;
  LoopbackListener listener_{"the loopback SMTP server"};
  mutable std::mutex mutex_;
  std::deque<Reply> replies_;
  std::vector<std::string> commands_;
  std::vector<std::string> messages_;
  int secured_ = 0;
  int served_ = 0;
  mutable std::condition_variable served_changed_;
  std::thread thread_;
};

}  // namespace zenkar::testing

#endif  // ZENKAR_TESTS_SUPPORT_LOOPBACK_SMTP_SERVER_H_
