// Shell: the desktop's opener and other programs, as a port.
#ifndef ZENKAR_COMMON_SHELL_H_
#define ZENKAR_COMMON_SHELL_H_

#include <string>
#include <vector>

namespace zenkar {

class Shell {
 public:
  virtual ~Shell() = default;
  // Opens a document (a PDF, an internet-shortcut's URL) with the desktop's
  // viewer. False when nothing could open it.
  virtual bool OpenDocument(const std::string& path) = 0;
  virtual bool OpenUrl(const std::string& url) = 0;
  // Starts a program without waiting, in `working_folder` (this program's own
  // when empty). False when it could not be started.
  virtual bool StartProgram(const std::string& program, const std::vector<std::string>& args,
                            const std::string& working_folder) = 0;
  // Starts a program and waits for it; its exit status, or -1 when it could not
  // be started.
  virtual int RunProgram(const std::string& program, const std::vector<std::string>& args) = 0;
};

}  // namespace zenkar

#endif  // ZENKAR_COMMON_SHELL_H_
