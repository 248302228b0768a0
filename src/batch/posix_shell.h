// PosixShell: the Shell port without a desktop toolkit.
//
// Documents and web pages are handed to the desktop's opener (xdg-open), which
// is started and not waited for: a viewer stays open after the command ends.
// Programs run with their standard output sent to our standard error, so the
// command's own output (a journal on standard output) stays clean.
#ifndef ZENKAR_BATCH_POSIX_SHELL_H_
#define ZENKAR_BATCH_POSIX_SHELL_H_

#include <string>
#include <vector>

#include "common/shell.h"

namespace zenkar {

class PosixShell : public Shell {
 public:
  explicit PosixShell(std::string opener = "xdg-open") : opener_(std::move(opener)) {}

  // True when the opener could be started.
  bool OpenDocument(const std::string& path) override { return StartProgram(opener_, {path}, ""); }
  bool OpenUrl(const std::string& url) override { return StartProgram(opener_, {url}, ""); }
  bool StartProgram(const std::string& program, const std::vector<std::string>& args,
                    const std::string& working_folder) override;
  int RunProgram(const std::string& program, const std::vector<std::string>& args) override;

 private:
  std::string opener_;
};

}  // namespace zenkar

#endif  // ZENKAR_BATCH_POSIX_SHELL_H_
