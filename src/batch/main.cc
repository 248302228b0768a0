// kxbatch: gathers the machine's ports and runs one command (kxbatch.h).
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "batch/batch_password.h"
#include "batch/console_ui.h"
#include "batch/kxbatch.h"
#include "batch/locale_dates.h"
#include "batch/posix_shell.h"
#include "batch/terminal_secret_input.h"
#include "common/installation.h"

namespace {

std::string CurrentFolder() {
  std::error_code error;
  const std::string folder = std::filesystem::current_path(error).string();
  return error || folder.empty() ? "./" : (folder.back() == '/' ? folder : folder + "/");
}

// The installation's program password, asked for before any command runs.
bool PasswordGiven(const zenkar::Invocation& invocation, zenkar::Ui& ui) {
  using namespace zenkar;
  FileSystem& fs = PosixFileSystem();
  TerminalSecretInput terminal;
  const std::vector<std::string> folders = PasswordFolders(
      fs, ExecutableFolder(),
      UserFilesFolder(std::getenv("XDG_DATA_HOME"), std::getenv("HOME")).value_or(""));
  return ProgramPasswordGiven({fs, ui, terminal}, folders, invocation.password_file);
}

}  // namespace

int main(int argc, char** argv) {
  using namespace zenkar;
  const std::vector<std::string> args(argv + 1, argv + argc);
  const ParsedCommandLine parsed = ParseCommandLine(args, BatchReportLabels());
  if (const std::optional<int> status = AnswerWithoutRunning(parsed, stdout, stderr)) {
    return *status;
  }
  ConsoleUi ui(stderr, parsed.invocation.answers, isatty(STDERR_FILENO) != 0);
  if (!PasswordGiven(parsed.invocation, ui)) return kExitFailure;
  PosixShell shell;
  BatchEnvironment env{
      PosixFileSystem(),
      ui,
      SystemClock(),
      shell,
      PasswordDatabase(),
      LocaleDatePatterns(),
      ExecutableFolder(),
      CurrentFolder(),
      stdout,
      UserFilesFolder(std::getenv("XDG_DATA_HOME"), std::getenv("HOME")).value_or("")};
  return RunCommand(parsed.invocation, env);
}
