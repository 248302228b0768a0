// QtShell: the Shell port on the desktop's opener and QProcess.
#ifndef ZENKAR_PLATFORM_QT_SHELL_H_
#define ZENKAR_PLATFORM_QT_SHELL_H_

#include "common/shell.h"

namespace zenkar {

class QtShell : public Shell {
 public:
  bool OpenDocument(const std::string& path) override;
  bool OpenUrl(const std::string& url) override;
  bool StartProgram(const std::string& program, const std::vector<std::string>& args,
                    const std::string& working_folder) override;
  int RunProgram(const std::string& program, const std::vector<std::string>& args) override;
};

}  // namespace zenkar

#endif  // ZENKAR_PLATFORM_QT_SHELL_H_
