#include "services/secure_socket.h"

#include <arpa/inet.h>
#include <openssl/err.h>
#include <openssl/ssl.h>
#include <openssl/x509v3.h>

#include <algorithm>
#include <charconv>
#include <climits>
#include <cstring>

namespace zenkar {
namespace {

// Queued lines go out once they fill this much.
constexpr size_t kSendBlock = 16 * 1024;

std::string CertificateRefused(const std::string& host, std::string_view reason) {
  return "The certificate of the mail server " + host +
         " was not accepted: " + std::string(reason) + ".";
}

std::string NoSecureConnection(const std::string& host, std::string_view reason) {
  return "No secure connection could be made to the mail server " + host + ": " +
         std::string(reason) + ".";
}

// The reason OpenSSL gives for its last failure.
std::string OpenSslReason() {
  const unsigned long error = ERR_get_error();
  ERR_clear_error();
  const char* reason = error != 0 ? ERR_reason_error_string(error) : nullptr;
  return reason != nullptr ? reason : "the secure connection failed";
}

bool IsNumericAddress(const std::string& host) {
  unsigned char bytes[16];
  return inet_pton(AF_INET, host.c_str(), bytes) == 1 ||
         inet_pton(AF_INET6, host.c_str(), bytes) == 1;
}

// What TLS reads and writes travels over the program's own connection, with
// its time-outs: a BIO whose reads and writes are the connection's.
struct BioTarget {
  Connection* connection = nullptr;
  Status failure;  // the connection's last failure
  bool closed = false;
};

int BioWrite(BIO* bio, const char* data, int length) {
  auto* target = static_cast<BioTarget*>(BIO_get_data(bio));
  BIO_clear_retry_flags(bio);
  if (Status s = target->connection->Send(std::string_view(data, static_cast<size_t>(length)));
      !s.ok()) {
    target->failure = s;
    return -1;
  }
  return length;
}

int BioRead(BIO* bio, char* data, int length) {
  auto* target = static_cast<BioTarget*>(BIO_get_data(bio));
  BIO_clear_retry_flags(bio);
  std::string received;
  if (Status s = target->connection->Receive(static_cast<size_t>(length), &received); !s.ok()) {
    target->failure = s;
    return -1;
  }
  target->closed = received.empty();
  std::memcpy(data, received.data(), received.size());
  return static_cast<int>(received.size());
}

long BioControl(BIO* bio, int command, long, void*) {
  if (command == BIO_CTRL_FLUSH) return 1;
  if (command == BIO_CTRL_EOF) return static_cast<BioTarget*>(BIO_get_data(bio))->closed ? 1 : 0;
  return 0;
}

BIO_METHOD* ConnectionBioMethod() {
  static BIO_METHOD* const method = [] {
    BIO_METHOD* m = BIO_meth_new(BIO_get_new_index() | BIO_TYPE_SOURCE_SINK, "zenkar connection");
    BIO_meth_set_write(m, BioWrite);
    BIO_meth_set_read(m, BioRead);
    BIO_meth_set_ctrl(m, BioControl);
    return m;
  }();
  return method;
}

// The client context: the system's trusted certificates and the extra file,
// the peer verified, TLS 1.2 at least; null with `error` set when it failed.
SSL_CTX* MakeContext(const MailTransport& transport, std::string* error) {
  SSL_CTX* context = SSL_CTX_new(TLS_client_method());
  if (context == nullptr) {
    *error = OpenSslReason();
    return nullptr;
  }
  SSL_CTX_set_min_proto_version(context, TLS1_2_VERSION);
  SSL_CTX_set_verify(context, SSL_VERIFY_PEER, nullptr);
  // A server that drops the connection without TLS's closing alert has still
  // said what it said: each reply is complete in itself.
  SSL_CTX_set_options(context, SSL_OP_IGNORE_UNEXPECTED_EOF);
  SSL_CTX_set_default_verify_paths(context);
  const std::string& extra = transport.extra_trusted_certificates;
  if (!extra.empty() && SSL_CTX_load_verify_locations(context, extra.c_str(), nullptr) != 1) {
    ERR_clear_error();
    *error = "the trusted certificates of " + extra + " (ZENKAR_CA_FILE) could not be read";
    SSL_CTX_free(context);
    return nullptr;
  }
  return context;
}

}  // namespace

// TLS over another connection.
class TlsConnection : public Connection {
 public:
  TlsConnection(Connection& inner, SSL_CTX* context) : inner_(inner), context_(context) {
    target_.connection = &inner;
  }
  ~TlsConnection() override {
    if (ssl_ != nullptr) SSL_free(ssl_);
    SSL_CTX_free(context_);
  }
  TlsConnection(const TlsConnection&) = delete;
  TlsConnection& operator=(const TlsConnection&) = delete;

  // The handshake, with the certificate checked against `host`.
  Status Handshake(const std::string& host) {
    ssl_ = SSL_new(context_);
    BIO* bio = BIO_new(ConnectionBioMethod());
    if (ssl_ == nullptr || bio == nullptr) {
      if (bio != nullptr) BIO_free(bio);
      return Status::IoError(NoSecureConnection(host, OpenSslReason()));
    }
    BIO_set_data(bio, &target_);
    BIO_set_init(bio, 1);
    SSL_set_bio(ssl_, bio, bio);
    if (!ExpectIdentity(host)) return Status::IoError(NoSecureConnection(host, OpenSslReason()));
    ERR_clear_error();
    if (SSL_connect(ssl_) == 1) return Status::Ok();
    const long verified = SSL_get_verify_result(ssl_);
    if (verified != X509_V_OK) {
      ERR_clear_error();
      return Status::IoError(CertificateRefused(host, X509_verify_cert_error_string(verified)));
    }
    return Status::IoError(NoSecureConnection(host, Reason()));
  }

  Status Send(std::string_view data) override {
    while (!data.empty()) {
      ERR_clear_error();
      const int length = static_cast<int>(std::min<size_t>(data.size(), INT_MAX));
      const int written = SSL_write(ssl_, data.data(), length);
      if (written <= 0) return Status::IoError(Reason());
      data.remove_prefix(static_cast<size_t>(written));
    }
    return Status::Ok();
  }

  Status Receive(size_t max, std::string* out) override {
    const size_t old_size = out->size();
    out->resize(old_size + max);
    ERR_clear_error();
    const int read =
        SSL_read(ssl_, out->data() + old_size, static_cast<int>(std::min<size_t>(max, INT_MAX)));
    out->resize(old_size + static_cast<size_t>(std::max(read, 0)));
    if (read > 0 || SSL_get_error(ssl_, read) == SSL_ERROR_ZERO_RETURN) return Status::Ok();
    return Status::IoError(Reason());
  }

  std::string LocalAddress() const override { return inner_.LocalAddress(); }
  bool PeerIsLoopback() const override { return inner_.PeerIsLoopback(); }

  void Shutdown() {
    ERR_clear_error();
    SSL_shutdown(ssl_);
    ERR_clear_error();
  }

 private:
  // The name (also sent to the server, which may serve several) or the
  // address the certificate must name.
  bool ExpectIdentity(const std::string& host) {
    if (IsNumericAddress(host)) {
      return X509_VERIFY_PARAM_set1_ip_asc(SSL_get0_param(ssl_), host.c_str()) == 1;
    }
    return SSL_set_tlsext_host_name(ssl_, host.c_str()) == 1 &&
           SSL_set1_host(ssl_, host.c_str()) == 1;
  }

  // Why the last step failed: the connection's own failure when it had one.
  std::string Reason() {
    if (!target_.failure.ok()) {
      ERR_clear_error();
      return target_.failure.message();
    }
    if (target_.closed) {
      ERR_clear_error();
      return "the server closed the connection";
    }
    return OpenSslReason();
  }

  Connection& inner_;
  SSL_CTX* context_;
  SSL* ssl_ = nullptr;
  BioTarget target_;
};

MailTransport MailTransportFromEnvironment(const char* ca_file, const char* smtps_port) {
  MailTransport transport;
  if (ca_file != nullptr) transport.extra_trusted_certificates = ca_file;
  if (smtps_port != nullptr) {
    const std::string_view text(smtps_port);
    unsigned port = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), port);
    if (error == std::errc() && end == text.data() + text.size() && port >= 1 && port <= 65535) {
      transport.implicit_tls_port = static_cast<uint16_t>(port);
    }
  }
  return transport;
}

SecureSocket::SecureSocket(Connector& connector, MailTransport transport)
    : connector_(connector), transport_(std::move(transport)), reader_(nullptr) {}

SecureSocket::~SecureSocket() = default;

Connection* SecureSocket::Current() const {
  return tls_ != nullptr ? static_cast<Connection*>(tls_.get()) : raw_.get();
}

Status SecureSocket::Connect(const std::string& host, uint16_t port) {
  Disconnect();
  host_ = host;
  if (Status s = connector_.Connect(host, port, &raw_); !s.ok()) {
    raw_.reset();
    return s;
  }
  reader_ = SmtpReader(raw_.get());
  return Status::Ok();
}

Status SecureSocket::StartTls() {
  if (reader_.has_buffered()) {
    return Status::IoError(NoSecureConnection(
        host_, "it sent more than its answer to STARTTLS before the secure connection began"));
  }
  std::string error;
  SSL_CTX* context = MakeContext(transport_, &error);
  if (context == nullptr) return Status::IoError(NoSecureConnection(host_, error));
  auto tls = std::make_unique<TlsConnection>(*raw_, context);
  if (Status s = tls->Handshake(host_); !s.ok()) return s;
  tls_ = std::move(tls);
  reader_.Reattach(tls_.get());
  return Status::Ok();
}

Status SecureSocket::WriteLine(std::string_view line) {
  pending_.append(line);
  pending_.append("\r\n");
  return pending_.size() >= kSendBlock ? Flush() : Status::Ok();
}

Status SecureSocket::Flush() {
  if (pending_.empty()) return Status::Ok();
  if (!connected()) return Status::IoError("The connection to the mail server is closed.");
  const Status sent = Current()->Send(pending_);
  pending_.clear();
  return sent;
}

SmtpReply SecureSocket::ReadReply() {
  SmtpReply reply;
  reply.status = Flush();
  if (!reply.status.ok()) return reply;
  if (!connected()) {
    reply.status = Status::IoError("The connection to the mail server is closed.");
    return reply;
  }
  return reader_.ReadReply();
}

std::string SecureSocket::OwnAddress() const {
  return connected() ? raw_->LocalAddress() : std::string();
}

void SecureSocket::EndTls() {
  if (tls_ == nullptr) return;
  static_cast<void>(Flush());
  tls_->Shutdown();
}

void SecureSocket::Disconnect() {
  if (connected()) static_cast<void>(Flush());
  pending_.clear();
  tls_.reset();
  raw_.reset();
  reader_ = SmtpReader(nullptr);
}

}  // namespace zenkar
