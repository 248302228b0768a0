#include "common/socket.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

namespace zenkar {
namespace {

Status SocketError(std::string_view what, int error) {
  return Status::IoError(std::string(what) + ": " + std::strerror(error), error);
}

// The addresses of `host`, or nothing when the name does not resolve.
struct AddressList {
  addrinfo* first = nullptr;
  AddressList(const std::string& host, uint16_t port, int type) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = type;
    if (::getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &first) != 0) {
      first = nullptr;
    }
  }
  ~AddressList() {
    if (first != nullptr) ::freeaddrinfo(first);
  }
  AddressList(const AddressList&) = delete;
  AddressList& operator=(const AddressList&) = delete;
};

// Waits until `fd` is ready for `events`; false after `timeout_ms`.
bool WaitFor(int fd, short events, int timeout_ms) {
  pollfd entry{fd, events, 0};
  int ready;
  do {
    ready = ::poll(&entry, 1, timeout_ms);
  } while (ready < 0 && errno == EINTR);
  return ready > 0;
}

// An IPv4 address inside an IPv6 one (::ffff:a.b.c.d), as a dual-stack
// socket reports it.
bool IsMappedIpv4(const sockaddr_in6& address) { return IN6_IS_ADDR_V4MAPPED(&address.sin6_addr); }
in_addr MappedIpv4(const sockaddr_in6& address) {
  in_addr ipv4;
  std::memcpy(&ipv4, address.sin6_addr.s6_addr + 12, sizeof ipv4);
  return ipv4;
}

std::string Ipv4Literal(const in_addr& address) {
  char text[INET_ADDRSTRLEN] = {};
  ::inet_ntop(AF_INET, &address, text, sizeof text);
  return std::string("[") + text + "]";
}

// An address as a mail greeting writes it (RFC 5321 address literals).
std::string AddressLiteral(const sockaddr_storage& address) {
  if (address.ss_family == AF_INET) {
    return Ipv4Literal(reinterpret_cast<const sockaddr_in&>(address).sin_addr);
  }
  if (address.ss_family != AF_INET6) return "";
  const auto& ipv6 = reinterpret_cast<const sockaddr_in6&>(address);
  if (IsMappedIpv4(ipv6)) return Ipv4Literal(MappedIpv4(ipv6));
  char text[INET6_ADDRSTRLEN] = {};
  ::inet_ntop(AF_INET6, &ipv6.sin6_addr, text, sizeof text);
  return std::string("[IPv6:") + text + "]";
}

bool IsLoopback(const sockaddr_storage& address) {
  if (address.ss_family == AF_INET) {
    const auto& ipv4 = reinterpret_cast<const sockaddr_in&>(address);
    return (ntohl(ipv4.sin_addr.s_addr) >> 24) == 127;
  }
  if (address.ss_family != AF_INET6) return false;
  const auto& ipv6 = reinterpret_cast<const sockaddr_in6&>(address);
  if (IsMappedIpv4(ipv6)) return (ntohl(MappedIpv4(ipv6).s_addr) >> 24) == 127;
  return IN6_IS_ADDR_LOOPBACK(&ipv6.sin6_addr);
}

class PosixConnection : public Connection {
 public:
  PosixConnection(int fd, int timeout_ms) : fd_(fd), timeout_ms_(timeout_ms) {}
  ~PosixConnection() override { ::close(fd_); }
  PosixConnection(const PosixConnection&) = delete;
  PosixConnection& operator=(const PosixConnection&) = delete;

  Status Send(std::string_view data) override {
    while (!data.empty()) {
      if (!WaitFor(fd_, POLLOUT, timeout_ms_)) return SocketError("send", ETIMEDOUT);
      // MSG_NOSIGNAL: a server that went away is an error, not SIGPIPE.
      const ssize_t sent = ::send(fd_, data.data(), data.size(), MSG_NOSIGNAL);
      if (sent < 0 && (errno == EINTR || errno == EAGAIN)) continue;
      if (sent < 0) return SocketError("send", errno);
      data.remove_prefix(static_cast<size_t>(sent));
    }
    return Status::Ok();
  }

  Status Receive(size_t max, std::string* out) override {
    const size_t old_size = out->size();
    out->resize(old_size + max);
    ssize_t received;
    do {
      if (!WaitFor(fd_, POLLIN, timeout_ms_)) {
        out->resize(old_size);
        return SocketError("receive", ETIMEDOUT);
      }
      received = ::recv(fd_, out->data() + old_size, max, 0);
    } while (received < 0 && (errno == EINTR || errno == EAGAIN));
    if (received < 0) {
      const int error = errno;
      out->resize(old_size);
      return SocketError("receive", error);
    }
    out->resize(old_size + static_cast<size_t>(received));
    return Status::Ok();
  }

  std::string LocalAddress() const override {
    sockaddr_storage address{};
    socklen_t length = sizeof address;
    if (::getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length) != 0) return "";
    return AddressLiteral(address);
  }

  bool PeerIsLoopback() const override {
    sockaddr_storage address{};
    socklen_t length = sizeof address;
    return ::getpeername(fd_, reinterpret_cast<sockaddr*>(&address), &length) == 0 &&
           IsLoopback(address);
  }

 private:
  int fd_;
  int timeout_ms_;
};

// Connects a non-blocking socket to one address within the time-out; the
// socket, or -1 with `*error` set.
int ConnectTo(const addrinfo& address, int timeout_ms, int* error) {
  const int fd = ::socket(address.ai_family, address.ai_socktype | SOCK_CLOEXEC | SOCK_NONBLOCK,
                          address.ai_protocol);
  if (fd < 0) {
    *error = errno;
    return -1;
  }
  if (::connect(fd, address.ai_addr, address.ai_addrlen) == 0) return fd;
  *error = errno;
  if (*error == EINPROGRESS) {
    socklen_t length = sizeof *error;
    if (!WaitFor(fd, POLLOUT, timeout_ms)) {
      *error = ETIMEDOUT;
    } else if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, error, &length) != 0) {
      *error = errno;
    }
    if (*error == 0) return fd;
  }
  ::close(fd);
  return -1;
}

class PosixSocketConnector : public Connector {
 public:
  explicit PosixSocketConnector(int timeout_ms) : timeout_ms_(timeout_ms) {}

  // Connecting a datagram socket only looks up the route; nothing is sent.
  bool HasRoute(const std::string& host, uint16_t port) override {
    const AddressList addresses(host, port, SOCK_DGRAM);
    for (const addrinfo* a = addresses.first; a != nullptr; a = a->ai_next) {
      const int fd = ::socket(a->ai_family, a->ai_socktype | SOCK_CLOEXEC, a->ai_protocol);
      if (fd < 0) continue;
      const bool routed = ::connect(fd, a->ai_addr, a->ai_addrlen) == 0;
      ::close(fd);
      if (routed) return true;
    }
    return false;
  }

  Status Connect(const std::string& host, uint16_t port,
                 std::unique_ptr<Connection>* connection) override {
    const std::string where = host + ":" + std::to_string(port);
    const AddressList addresses(host, port, SOCK_STREAM);
    if (addresses.first == nullptr) return Status::NotFound(where + ": unknown host");
    int error = 0;
    for (const addrinfo* a = addresses.first; a != nullptr; a = a->ai_next) {
      const int fd = ConnectTo(*a, timeout_ms_, &error);
      if (fd >= 0) {
        *connection = std::make_unique<PosixConnection>(fd, timeout_ms_);
        return Status::Ok();
      }
    }
    return SocketError(where, error);
  }

 private:
  int timeout_ms_;
};

}  // namespace

std::unique_ptr<Connector> PosixConnector(int timeout_ms) {
  return std::make_unique<PosixSocketConnector>(timeout_ms);
}

}  // namespace zenkar
