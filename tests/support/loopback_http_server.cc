#include "support/loopback_http_server.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <exception>
#include <stdexcept>

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
  listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  if (listener_ < 0 || ::bind(listener_, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
      ::listen(listener_, 8) != 0 ||
      ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0 ||
      ::pipe2(stop_pipe_, O_CLOEXEC) != 0) {
    throw std::runtime_error("the loopback HTTP server cannot listen");
  }
  port_ = ntohs(address.sin_port);
  thread_ = std::thread([this] { Serve(); });
}

LoopbackHttpServer::~LoopbackHttpServer() {
  const char stop = 1;
  if (::write(stop_pipe_[1], &stop, 1) != 1) std::terminate();
  thread_.join();
  ::close(listener_);
  ::close(stop_pipe_[0]);
  ::close(stop_pipe_[1]);
}

std::string LoopbackHttpServer::address() const { return "127.0.0.1:" + std::to_string(port_); }

void LoopbackHttpServer::Queue(Reply reply) {
  std::lock_guard<std::mutex> lock(mutex_);
  replies_.push_back(std::move(reply));
}

std::vector<LoopbackHttpServer::Request> LoopbackHttpServer::requests() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return requests_;
}

bool LoopbackHttpServer::WaitReadable(int fd) {
  pollfd entries[] = {{fd, POLLIN, 0}, {stop_pipe_[0], POLLIN, 0}};
  while (::poll(entries, 2, -1) < 0) {
  }
  return (entries[1].revents & POLLIN) == 0;
}

void LoopbackHttpServer::Serve() {
  for (int number = 1; WaitReadable(listener_); ++number) {
    const int fd = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0) continue;
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
    if (!WaitReadable(fd)) return false;
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
