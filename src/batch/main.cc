// kxbatch: gathers the machine's ports and runs one command (kxbatch.h).
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "batch/console_ui.h"
#include "batch/kxbatch.h"
#include "batch/locale_dates.h"
#include "batch/posix_shell.h"

namespace {

// The folder of this executable (the program folder, with the default chart).
// Read here rather than through installation.h, whose object file would
// bring in libcrypto for nothing: loading it is a third of kxbatch's start-up.
std::string ProgramFolder() {
  std::error_code error;
  const std::string exe = std::filesystem::read_symlink("/proc/self/exe", error).string();
  return error ? "" : exe.substr(0, exe.rfind('/') + 1);
}

std::string CurrentFolder() {
  std::error_code error;
  const std::string folder = std::filesystem::current_path(error).string();
  return error || folder.empty() ? "./" : (folder.back() == '/' ? folder : folder + "/");
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
  PosixShell shell;
  BatchEnvironment env{
      PosixFileSystem(), ui,    SystemClock(), shell, LocaleDatePatterns(), ProgramFolder(),
      CurrentFolder(),   stdout};
  return RunCommand(parsed.invocation, env);
}
