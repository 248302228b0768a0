// LoopbackListener: a listening socket on a free port of 127.0.0.1 for the
// tests' servers, with the pipe that tells their serving thread to stop.
#ifndef ZENKAR_TESTS_SUPPORT_LOOPBACK_LISTENER_H_
#define ZENKAR_TESTS_SUPPORT_LOOPBACK_LISTENER_H_

#include <cstdint>

namespace zenkar::testing {

class LoopbackListener {
 public:
  // Throws when no port can be had; `what` names the server in the error.
  explicit LoopbackListener(const char* what);
  ~LoopbackListener();
  LoopbackListener(const LoopbackListener&) = delete;
  LoopbackListener& operator=(const LoopbackListener&) = delete;

  uint16_t port() const { return port_; }
  // The next connection accepted; -1 once Stop() was called.
  int Accept() const;
  // Waits until `fd` can be read; false once Stop() was called.
  bool WaitReadable(int fd) const;
  // Wakes every wait of the serving thread, for good.
  void Stop();

 private:
  int listener_ = -1;
  int stop_pipe_[2] = {-1, -1};
  uint16_t port_ = 0;
};

}  // namespace zenkar::testing

#endif  // ZENKAR_TESTS_SUPPORT_LOOPBACK_LISTENER_H_
