// The --help texts of kxbatch and of each of its commands.
#ifndef ZENKAR_BATCH_BATCH_HELP_H_
#define ZENKAR_BATCH_BATCH_HELP_H_

#include <string>
#include <string_view>
#include <vector>

namespace zenkar {

// The help of `topic` (a command name), or of the program for "" or a name
// that is not a command. `report_labels` are the reports that can run.
std::string HelpText(std::string_view topic, const std::vector<std::string_view>& report_labels);

// The line that follows a usage error.
inline constexpr std::string_view kTryHelp = "Try 'kxbatch --help'.";

}  // namespace zenkar

#endif  // ZENKAR_BATCH_BATCH_HELP_H_
