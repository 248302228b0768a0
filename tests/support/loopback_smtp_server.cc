#include "support/loopback_smtp_server.h"

#include <openssl/err.h>
#include <openssl/ssl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>

namespace zenkar::testing {

// One connection, plain or secured, read line by line.
class LoopbackSmtpServer::Channel {
 public:
  Channel(int fd, const LoopbackListener& listener) : fd_(fd), listener_(listener) {}
  ~Channel() {
    if (ssl_ != nullptr) {
      SSL_shutdown(ssl_);
      SSL_free(ssl_);
    }
    if (context_ != nullptr) SSL_CTX_free(context_);
    ERR_clear_error();
  }
  Channel(const Channel&) = delete;
  Channel& operator=(const Channel&) = delete;

  bool StartTls(const CertificateAndKey& identity) {
    context_ = SSL_CTX_new(TLS_server_method());
    if (context_ == nullptr ||
        SSL_CTX_use_certificate_chain_file(context_, identity.certificate.c_str()) != 1 ||
        SSL_CTX_use_PrivateKey_file(context_, identity.key.c_str(), SSL_FILETYPE_PEM) != 1) {
      return false;
    }
    ssl_ = SSL_new(context_);
    SSL_set_fd(ssl_, fd_);
    const bool accepted = SSL_accept(ssl_) == 1;
    ERR_clear_error();
    return accepted;
  }

  void Send(const std::string& bytes) {
    if (bytes.empty()) return;
    if (ssl_ != nullptr) {
      SSL_write(ssl_, bytes.data(), static_cast<int>(bytes.size()));
      return;
    }
    std::string_view rest = bytes;
    while (!rest.empty()) {
      const ssize_t sent = ::send(fd_, rest.data(), rest.size(), MSG_NOSIGNAL);
      if (sent <= 0) return;  // the client went away; the test sees what it got
      rest.remove_prefix(static_cast<size_t>(sent));
    }
  }

  // The next line without its CR LF; false when the client closed or the
  // server stops.
  bool ReadLine(std::string* line) {
    for (;;) {
      const size_t end = pending_.find('\n');
      if (end != std::string::npos) {
        *line = pending_.substr(0, end);
        if (!line->empty() && line->back() == '\r') line->pop_back();
        pending_.erase(0, end + 1);
        return true;
      }
      if (!(ssl_ != nullptr && SSL_pending(ssl_) > 0) && !listener_.WaitReadable(fd_)) {
        return false;
      }
      char buffer[4096];
      const int received = ssl_ != nullptr
                               ? SSL_read(ssl_, buffer, sizeof buffer)
                               : static_cast<int>(::recv(fd_, buffer, sizeof buffer, 0));
      if (received <= 0) return false;
      pending_.append(buffer, static_cast<size_t>(received));
    }
  }

 private:
  int fd_;
  const LoopbackListener& listener_;
  SSL_CTX* context_ = nullptr;
  SSL* ssl_ = nullptr;
  std::string pending_;
};

LoopbackSmtpServer::LoopbackSmtpServer(Options options) : options_(std::move(options)) {
  thread_ = std::thread([this] { Serve(); });
}

LoopbackSmtpServer::~LoopbackSmtpServer() {
  listener_.Stop();
  thread_.join();
}

void LoopbackSmtpServer::Queue(Reply reply) {
  std::lock_guard<std::mutex> lock(mutex_);
  replies_.push_back(std::move(reply));
}

std::vector<std::string> LoopbackSmtpServer::commands() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return commands_;
}

std::vector<std::string> LoopbackSmtpServer::messages() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return messages_;
}

int LoopbackSmtpServer::secured() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return secured_;
}

void LoopbackSmtpServer::Serve() {
  for (int fd = listener_.Accept(); fd >= 0; fd = listener_.Accept()) {
    ServeConnection(fd);
    ::close(fd);
    std::lock_guard<std::mutex> lock(mutex_);
    ++served_;
    served_changed_.notify_all();
  }
}

bool LoopbackSmtpServer::WaitUntilServed(int count) const {
  std::unique_lock<std::mutex> lock(mutex_);
  return served_changed_.wait_for(lock, std::chrono::seconds(10), [&] { return served_ >= count; });
}

bool LoopbackSmtpServer::TakeReply(const std::string& line, Reply* reply) {
  std::lock_guard<std::mutex> lock(mutex_);
  commands_.push_back(line);
  if (replies_.empty()) return false;
  *reply = std::move(replies_.front());
  replies_.pop_front();
  return true;
}

bool LoopbackSmtpServer::Secure(Channel& channel) {
  if (!channel.StartTls(options_.identity)) return false;
  std::lock_guard<std::mutex> lock(mutex_);
  ++secured_;
  return true;
}

void LoopbackSmtpServer::ServeConnection(int fd) {
  Channel channel(fd, listener_);
  if (options_.implicit_tls && !Secure(channel)) return;
  channel.Send(options_.greeting);
  for (std::string line; channel.ReadLine(&line);) {
    if (!Answer(channel, line)) return;
  }
}

bool LoopbackSmtpServer::Answer(Channel& channel, const std::string& line) {
  Reply reply;
  if (!TakeReply(line, &reply)) return false;
  channel.Send(reply.bytes);
  if (reply.close) return false;
  if (reply.start_tls && !Secure(channel)) return false;
  if (!reply.message) return true;
  std::string message, text;
  while (channel.ReadLine(&text) && text != ".") message += text + "\r\n";
  if (text != ".") return false;  // never ended: a server drops it
  {
    std::lock_guard<std::mutex> lock(mutex_);
    messages_.push_back(std::move(message));
  }
  // The "." takes the next reply like a command.
  return Answer(channel, ".");
}

}  // namespace zenkar::testing
