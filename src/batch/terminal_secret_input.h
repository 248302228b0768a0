// TerminalSecretInput: the secret-input port on the controlling terminal.
//
// The prompt is written to the terminal itself (/dev/tty), not to standard
// error, and the answer is read from it with echo off, so the password shows
// neither on the screen nor in a log or a pipe, whatever standard input and
// output are. The terminal's settings are put back afterwards, and also when
// the user interrupts with Ctrl+C, the process is ended or hung up while the
// prompt waits, or is stopped with Ctrl+Z (the prompt goes quiet again when
// it continues). Without a controlling terminal (cron, a service) nothing is
// asked and nothing is answered.
#ifndef ZENKAR_BATCH_TERMINAL_SECRET_INPUT_H_
#define ZENKAR_BATCH_TERMINAL_SECRET_INPUT_H_

#include <optional>
#include <string>
#include <string_view>

#include "common/program_password.h"

namespace zenkar {

class TerminalSecretInput : public SecretInput {
 public:
  // Nothing when there is no terminal, or the input ends before a line.
  std::optional<std::string> AskSecret(std::string_view prompt, std::string_view title) override;
};

}  // namespace zenkar

#endif  // ZENKAR_BATCH_TERMINAL_SECRET_INPUT_H_
