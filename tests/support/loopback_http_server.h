// LoopbackHttpServer: an HTTP server on 127.0.0.1 that a test starts, with
// the replies the test chooses.
//
// It listens on a free port from its construction to its destruction, on a
// thread of its own, serving one connection at a time. Each request it
// receives (its bytes up to the empty line, kept exactly for the test to
// compare) takes the next queued reply: bytes sent as they are -- a whole
// response, a head that promises more than follows, nothing at all -- after
// which the server keeps the connection open for the next request or closes
// it. A request finding no reply queued has its connection closed.
#ifndef ZENKAR_TESTS_SUPPORT_LOOPBACK_HTTP_SERVER_H_
#define ZENKAR_TESTS_SUPPORT_LOOPBACK_HTTP_SERVER_H_

#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "support/loopback_listener.h"

namespace zenkar::testing {

class LoopbackHttpServer {
 public:
  struct Reply {
    std::string bytes;
    bool close = false;  // close the connection after sending the bytes
  };
  struct Request {
    int connection = 0;  // 1 for the first connection accepted, 2 for the next, ...
    std::string bytes;   // the request line, the header lines and the empty line
  };

  LoopbackHttpServer();
  ~LoopbackHttpServer();
  LoopbackHttpServer(const LoopbackHttpServer&) = delete;
  LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

  uint16_t port() const { return listener_.port(); }
  // "127.0.0.1:" and the port.
  std::string address() const;

  void Queue(Reply reply);
  // The requests received so far, in order.
  std::vector<Request> requests() const;

 private:
  void Serve();
  // Serves the requests of one connection until either side closes it.
  void ServeConnection(int fd, int number);
  // Reads one request head; false when the client closed or the server stops.
  bool ReadRequest(int fd, std::string* pending, std::string* request);

  LoopbackListener listener_{"the loopback HTTP server"};
  mutable std::mutex mutex_;
  std::deque<Reply> replies_;
  std::vector<Request> requests_;
  std::thread thread_;
};

// A response with a Content-Length: the status line ("HTTP/1.1 200 OK"),
// the header lines given, "Content-Length: " + the body's length, the empty
// line and the body.
std::string ResponseWithLength(std::string_view status_line,
                               const std::vector<std::string>& header_lines, std::string_view body);

}  // namespace zenkar::testing

#endif  // ZENKAR_TESTS_SUPPORT_LOOPBACK_HTTP_SERVER_H_
