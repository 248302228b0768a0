#include "batch/terminal_secret_input.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <iterator>

#include "common/text_field.h"

namespace zenkar {
namespace {

// No password is this long; the rest of a longer line is not kept.
constexpr size_t kLongestAnswer = 256;

// The terminal while the prompt waits, for the signal handlers, which may use
// nothing but plain globals and async-signal-safe calls.
int g_terminal = -1;
termios g_normal;  // the settings to put back
termios g_quiet;   // the same without echo

constexpr int kEndingSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};
struct sigaction g_before_ending[std::size(kEndingSignals)];
struct sigaction g_before_stop;
struct sigaction g_on_stop;

void PutTerminalBack() { ::tcsetattr(g_terminal, TCSANOW, &g_normal); }

// Puts the terminal back, then lets the signal do what it would have done
// without the prompt (end the process): the earlier action is restored and
// the signal raised again, to be delivered when this handler returns.
void OnEndingSignal(int signal) {
  PutTerminalBack();
  (void)!::write(g_terminal, "\n", 1);
  for (size_t i = 0; i < std::size(kEndingSignals); ++i) {
    if (kEndingSignals[i] == signal) ::sigaction(signal, &g_before_ending[i], nullptr);
  }
  ::raise(signal);
}

// Ctrl+Z: while the process is stopped the shell has the terminal as it was;
// when the process continues, echo goes off again. The stop happens inside
// this handler (the signal is unblocked for it), so that the prompt goes
// quiet again also when the stop is discarded (an orphaned process group).
void OnStop(int) {
  PutTerminalBack();
  ::sigaction(SIGTSTP, &g_before_stop, nullptr);
  sigset_t stop;
  sigemptyset(&stop);
  sigaddset(&stop, SIGTSTP);
  ::sigprocmask(SIG_UNBLOCK, &stop, nullptr);
  ::raise(SIGTSTP);
  ::sigaction(SIGTSTP, &g_on_stop, nullptr);
  ::tcsetattr(g_terminal, TCSANOW, &g_quiet);
}

struct sigaction HandlerAction(void (*handler)(int)) {
  struct sigaction action = {};
  action.sa_handler = handler;
  sigemptyset(&action.sa_mask);
  return action;
}

// Catches `signal` unless it is ignored (a program started in the background
// by a shell without job control keeps ignoring Ctrl+C); `before` keeps the
// action to restore.
void Catch(int signal, const struct sigaction& action, struct sigaction* before) {
  ::sigaction(signal, nullptr, before);
  if (before->sa_handler != SIG_IGN) ::sigaction(signal, &action, nullptr);
}

void CatchSignals() {
  for (size_t i = 0; i < std::size(kEndingSignals); ++i) {
    Catch(kEndingSignals[i], HandlerAction(OnEndingSignal), &g_before_ending[i]);
  }
  g_on_stop = HandlerAction(OnStop);
  Catch(SIGTSTP, g_on_stop, &g_before_stop);
}

void RestoreSignals() {
  for (size_t i = 0; i < std::size(kEndingSignals); ++i) {
    ::sigaction(kEndingSignals[i], &g_before_ending[i], nullptr);
  }
  ::sigaction(SIGTSTP, &g_before_stop, nullptr);
}

void WriteAll(int fd, std::string_view text) {
  while (!text.empty()) {
    const ssize_t n = ::write(fd, text.data(), text.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;
    text.remove_prefix(static_cast<size_t>(n));
  }
}

// One line typed on the terminal; nothing when the input ends first.
std::optional<std::string> ReadLine(int terminal) {
  std::string line;
  for (;;) {
    char c = 0;
    const ssize_t n = ::read(terminal, &c, 1);
    if (n < 0 && errno == EINTR) continue;  // continued after Ctrl+Z
    if (n <= 0) return line.empty() ? std::nullopt : std::optional<std::string>(line);
    if (c == '\n' || c == '\r') return line;
    if (line.size() < kLongestAnswer) line += c;
  }
}

}  // namespace

std::optional<std::string> TerminalSecretInput::AskSecret(std::string_view prompt,
                                                          std::string_view) {
  const int terminal = ::open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (terminal < 0) return std::nullopt;
  if (::tcgetattr(terminal, &g_normal) != 0) {
    ::close(terminal);
    return std::nullopt;
  }
  g_terminal = terminal;
  g_quiet = g_normal;
  g_quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL);
  CatchSignals();
  // Flushing drops anything typed ahead while echo was still on.
  ::tcsetattr(terminal, TCSAFLUSH, &g_quiet);
  WriteAll(terminal, Cp1252ToUtf8(prompt) + ": ");
  std::optional<std::string> answer = ReadLine(terminal);
  PutTerminalBack();
  WriteAll(terminal, "\n");  // the line end the user typed was not shown
  RestoreSignals();
  ::close(terminal);
  g_terminal = -1;
  return answer;
}

}  // namespace zenkar
