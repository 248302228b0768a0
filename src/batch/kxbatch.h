// kxbatch: the books of one company from the command line, without a display.
//
// main() only gathers the machine's ports and calls these, so every command
// runs in-process in tests with a scripted Ui, a fixed clock and a fake shell.
#ifndef ZENKAR_BATCH_KXBATCH_H_
#define ZENKAR_BATCH_KXBATCH_H_

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "batch/command_line.h"
#include "common/clock.h"
#include "common/date_patterns.h"
#include "common/file_system.h"
#include "common/login_user.h"
#include "common/shell.h"
#include "common/ui.h"
#include "output/report_run.h"

namespace zenkar {

enum ExitStatus : int { kExitSuccess = 0, kExitFailure = 1, kExitUsage = 2 };

// What the commands work with.
struct BatchEnvironment {
  FileSystem& fs;
  Ui& ui;
  Clock& clock;
  Shell& shell;
  const UserDirectory& users;  // the user named in the documents
  DatePatterns dates;
  std::string program_folder;  // the executables' folder (the default chart: SharedFilesFolder)
  std::string current_folder;  // the working directory, ending in "/"
  std::FILE* out;              // results: the summary, the journal
  // The user's folder of per-installation files ($XDG_DATA_HOME/zenkar/),
  // used when the program folder is not writable; empty when there is none.
  std::string user_files_folder;
};

// The reports the Reports tab can run, and so kxbatch.
ReportRegistry BatchReports();
std::vector<std::string_view> BatchReportLabels();

// The exit status of a command line that does not run a command (help or a
// usage error, written to `out` or `err`); nothing when it runs one.
std::optional<int> AnswerWithoutRunning(const ParsedCommandLine& parsed, std::FILE* out,
                                        std::FILE* err);

// Runs one command: 0 when it succeeded and nothing went wrong, 1 when a
// failure (or, for "test", any problem) was reported.
int RunCommand(const Invocation& invocation, BatchEnvironment& env);

// Parses `args` (without the program name) and runs the command.
int RunKxbatch(const std::vector<std::string>& args, BatchEnvironment& env, std::FILE* err);

}  // namespace zenkar

#endif  // ZENKAR_BATCH_KXBATCH_H_
