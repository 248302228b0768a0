// RecordingShell: the desktop's opener and program starter, recorded instead
// of done.
#ifndef ZENKAR_TESTS_SUPPORT_RECORDING_SHELL_H_
#define ZENKAR_TESTS_SUPPORT_RECORDING_SHELL_H_

#include <string>
#include <vector>

#include "common/shell.h"

namespace zenkar::testing {

// Records what the program asked the desktop to do; each call succeeds unless
// told otherwise.
class RecordingShell : public Shell {
 public:
  struct Started {
    std::string program;
    std::vector<std::string> args;
    std::string working_folder;
  };
  bool succeed = true;
  std::vector<std::string> opened_urls;
  std::vector<std::string> opened_documents;
  std::vector<Started> started;

  bool OpenDocument(const std::string& path) override {
    opened_documents.push_back(path);
    return succeed;
  }
  bool OpenUrl(const std::string& url) override {
    opened_urls.push_back(url);
    return succeed;
  }
  bool StartProgram(const std::string& program, const std::vector<std::string>& args,
                    const std::string& working_folder) override {
    started.push_back({program, args, working_folder});
    return succeed;
  }
  int RunProgram(const std::string& program, const std::vector<std::string>& args) override {
    started.push_back({program, args, ""});
    return succeed ? 0 : -1;
  }
};

}  // namespace zenkar::testing

#endif  // ZENKAR_TESTS_SUPPORT_RECORDING_SHELL_H_
