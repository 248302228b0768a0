#include "support/loopback_listener.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <exception>
#include <stdexcept>
#include <string>

namespace zenkar::testing {

LoopbackListener::LoopbackListener(const char* what) {
  listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  if (listener_ < 0 || ::bind(listener_, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
      ::listen(listener_, 8) != 0 ||
      ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0 ||
      ::pipe2(stop_pipe_, O_CLOEXEC) != 0) {
    throw std::runtime_error(std::string(what) + " cannot listen");
  }
  port_ = ntohs(address.sin_port);
}

LoopbackListener::~LoopbackListener() {
  ::close(listener_);
  ::close(stop_pipe_[0]);
  ::close(stop_pipe_[1]);
}

int LoopbackListener::Accept() const {
  while (WaitReadable(listener_)) {
    const int fd = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd >= 0) return fd;
  }
  return -1;
}

bool LoopbackListener::WaitReadable(int fd) const {
  pollfd entries[] = {{fd, POLLIN, 0}, {stop_pipe_[0], POLLIN, 0}};
  while (::poll(entries, 2, -1) < 0) {
  }
  return (entries[1].revents & POLLIN) == 0;
}

void LoopbackListener::Stop() {
  const char stop = 1;
  if (::write(stop_pipe_[1], &stop, 1) != 1) std::terminate();
}

}  // namespace zenkar::testing
