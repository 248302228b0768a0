#include "support/loopback_http_server.h"

#include <sys/socket.h>
#include <unistd.h>

namespace zenkar::testing {
namespace {

void SendAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t sent = ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    if (sent <= 0) return;  // the client went away; the test sees what it got
    bytes.remove_prefix(static_cast<size_t>(sent));
  }
}

}  // namespace

LoopbackHttpServer::LoopbackHttpServer() {
  thread_ = std::thread([this] { Serve(); });
}

LoopbackHttpServer::~LoopbackHttpServer() {
  listener_.Stop();
  thread_.join();
}

std::string LoopbackHttpServer::address() const { return "127.0.0.1:" + std::to_string(port()); }

void LoopbackHttpServer::Queue(Reply reply) {
  std::lock_guard<std::mutex> lock(mutex_);
  replies_.push_back(std::move(reply));
}

std::vector<LoopbackHttpServer::Request> LoopbackHttpServer::requests() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return requests_;
}

void LoopbackHttpServer::Serve() {
  for (int number = 1;; ++number) {
    const int fd = listener_.Accept();
    if (fd < 0) return;
    ServeConnection(fd, number);
    ::close(fd);
  }
}

void LoopbackHttpServer::ServeConnection(int fd, int number) {
  std::string pending;
  std::string request;
  while (ReadRequest(fd, &pending, &request)) {
    Reply reply{"", true};
    {
      std::lock_guard<std::mutex> lock(mutex_);
      requests_.push_back({number, request});
      if (!replies_.empty()) {
        reply = std::move(replies_.front());
        replies_.pop_front();
      }
    }
    SendAll(fd, reply.bytes);
    if (reply.close) return;
  }
}

bool LoopbackHttpServer::ReadRequest(int fd, std::string* pending, std::string* request) {
  for (;;) {
    const size_t end = pending->find("\r\n\r\n");
    if (end != std::string::npos) {
      *request = pending->substr(0, end + 4);
      pending->erase(0, end + 4);
      return true;
    }
    if (!listener_.WaitReadable(fd)) return false;
    char buffer[4096];
    const ssize_t received = ::recv(fd, buffer, sizeof buffer, 0);
    if (received <= 0) return false;
    pending->append(buffer, static_cast<size_t>(received));
  }
}

std::string ResponseWithLength(std::string_view status_line,
                               const std::vector<std::string>& header_lines,
                               std::string_view body) {
  std::string response = std::string(status_line) + "\r\n";
  for (const std::string& line : header_lines) response += line + "\r\n";
  response += "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n";
  return response + std::string(body);
}

}  // namespace zenkar::testing
