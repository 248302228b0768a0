// The password prompt on a real (pseudo-)terminal: echo is off while the
// password is typed, and the terminal is as it was afterwards, also when
// Ctrl+C ends the program at the prompt.
#include "batch/terminal_secret_input.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <csignal>

namespace zenkar {
namespace {

// A child process whose controlling terminal is a new pseudo-terminal: it
// asks for a password there and prints what it was given.
class PromptOnTerminal {
 public:
  PromptOnTerminal() {
    if (::openpty(&controller_, &terminal_, nullptr, nullptr, nullptr) != 0) return;
    pid_ = ::fork();
    if (pid_ == 0) RunChild();
  }
  ~PromptOnTerminal() {
    if (pid_ > 0 && status_ < 0) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, nullptr, 0);
    }
    ::close(controller_);
    ::close(terminal_);
  }

  // Reads what the terminal shows until it holds `text` (at most 10 s).
  bool ShowsBefore(std::string_view text) {
    while (shown_.find(text) == std::string::npos) {
      pollfd ready{controller_, POLLIN, 0};
      char buffer[256];
      if (::poll(&ready, 1, 10000) <= 0) return false;
      const ssize_t n = ::read(controller_, buffer, sizeof buffer);
      if (n <= 0) return false;
      shown_.append(buffer, static_cast<size_t>(n));
    }
    return true;
  }
  void Type(std::string_view keys) {
    ASSERT_EQ(::write(controller_, keys.data(), keys.size()), static_cast<ssize_t>(keys.size()));
  }
  bool Echoes() const {
    termios settings{};
    return ::tcgetattr(terminal_, &settings) == 0 && (settings.c_lflag & ECHO) != 0;
  }
  int Wait() {
    ::waitpid(pid_, &status_, 0);
    return status_;
  }
  const std::string& shown() const { return shown_; }

 private:
  [[noreturn]] void RunChild() {
    ::close(controller_);
    ::setsid();
    ::ioctl(terminal_, TIOCSCTTY, 0);
    ::dup2(terminal_, STDOUT_FILENO);
    const std::optional<std::string> answer =
        TerminalSecretInput().AskSecret("Enter the password", "Zenkar Accounting");
    const std::string line = "given [" + answer.value_or("nothing") + "]\n";
    (void)!::write(STDOUT_FILENO, line.data(), line.size());
    ::_exit(0);
  }

  int controller_ = -1;
  int terminal_ = -1;
  pid_t pid_ = -1;
  int status_ = -1;
  std::string shown_;
};

TEST(TerminalSecretInputTest, ThePasswordIsTypedWithoutEcho) {
  PromptOnTerminal prompt;
  ASSERT_TRUE(prompt.ShowsBefore("Enter the password: "));
  EXPECT_FALSE(prompt.Echoes());
  prompt.Type("Harbor#7\n");
  ASSERT_TRUE(prompt.ShowsBefore("given [Harbor#7]\r\n"));
  EXPECT_EQ(prompt.shown(), "Enter the password: \r\ngiven [Harbor#7]\r\n");  // never echoed
  EXPECT_EQ(prompt.Wait(), 0);
  EXPECT_TRUE(prompt.Echoes());
}

TEST(TerminalSecretInputTest, CtrlCEndsTheProgramWithTheTerminalAsItWas) {
  PromptOnTerminal prompt;
  ASSERT_TRUE(prompt.ShowsBefore("Enter the password: "));
  prompt.Type("Harb\x03");
  const int status = prompt.Wait();
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGINT) << status;
  EXPECT_TRUE(prompt.Echoes());
}

}  // namespace
}  // namespace zenkar
