// Sockets: TCP connections to servers, as a port.
//
// The programs talk to servers themselves, line by line (the update checker's
// HTTP client, the mail dialogue), over this small layer, so that tests
// can hand them a connection that fails where they choose. PosixConnector()
// is the real one, on POSIX sockets: every connect, send and receive gives up
// after the time-out it was made with (60 seconds for the programs).
#ifndef ZENKAR_COMMON_SOCKET_H_
#define ZENKAR_COMMON_SOCKET_H_

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "common/status.h"

namespace zenkar {

// How long a connection waits for the server at any one step.
inline constexpr int kConnectionTimeoutMs = 60000;

// An open connection; closed when destroyed.
class Connection {
 public:
  virtual ~Connection() = default;
  // Sends all of `data`, or fails.
  virtual Status Send(std::string_view data) = 0;
  // Waits for data and appends what arrived, at most `max` bytes (at least
  // one), to `out`. Appends nothing when the server has closed the
  // connection. Fails when nothing arrives within the time-out.
  virtual Status Receive(size_t max, std::string* out) = 0;
  // This end's address as a mail greeting names a host without a name:
  // "[192.0.2.7]", "[IPv6:2001:db8::7]"; empty when it is not known.
  virtual std::string LocalAddress() const { return ""; }
  // True when the other end is this machine (127.0.0.0/8, ::1), where what is
  // sent never reaches a network.
  virtual bool PeerIsLoopback() const { return false; }
};

class Connector {
 public:
  virtual ~Connector() = default;
  // True when this machine has a route towards `host` (a name or a numeric
  // address) -- a loopback address always has one. Sends nothing.
  virtual bool HasRoute(const std::string& host, uint16_t port) = 0;
  // Connects to `port` of `host`, trying each of its addresses in turn.
  virtual Status Connect(const std::string& host, uint16_t port,
                         std::unique_ptr<Connection>* connection) = 0;
};

// The real connector, on POSIX sockets, waiting at most `timeout_ms` at each
// step of a connection.
std::unique_ptr<Connector> PosixConnector(int timeout_ms = kConnectionTimeoutMs);

}  // namespace zenkar

#endif  // ZENKAR_COMMON_SOCKET_H_
