// Test doubles of the ports kxacct adds: the shell, the help viewer and the
// main window as the program sees it (the secret input is shared with kxbatch,
// in support/).
#ifndef ZENKAR_TESTS_APP_APP_FAKES_H_
#define ZENKAR_TESTS_APP_APP_FAKES_H_

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/program.h"
#include "common/help_system.h"
#include "common/shell.h"
#include "support/scripted_secret_input.h"

namespace zenkar::testing {

// Records what the program asked the desktop to do; each call succeeds unless
// told otherwise.
class RecordingShell : public Shell {
 public:
  struct Started {
    std::string program;
    std::vector<std::string> args;
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
  bool StartProgram(const std::string& program, const std::vector<std::string>& args) override {
    started.push_back({program, args});
    return succeed;
  }
  int RunProgram(const std::string& program, const std::vector<std::string>& args) override {
    started.push_back({program, args});
    return succeed ? 0 : -1;
  }
};

// Records the pages shown; shows nothing when `fail` is set.
class RecordingHelpViewer : public HelpViewer {
 public:
  struct Shown {
    std::string file;
    Pane pane;
  };
  bool fail = false;
  std::vector<Shown> shown;
  int closed = 0;

  bool ShowPage(const HelpCatalog& catalog, const std::string& file, Pane pane) override {
    if (fail) return false;
    shown.push_back({file, pane});
    return true;
  }
  void Close() override { ++closed; }
};

// A main window that sits at a chosen position and closes when asked.
class FakeWindowHost : public MainWindowHost {
 public:
  explicit FakeWindowHost(Program& program) : program_(program) {}
  WindowPosition position{100, 80};
  ScreenArea screen{0, 0, 1280, 1024};
  int ended = 0;

  WindowPosition Position() const override { return position; }
  ScreenArea Screen() const override { return screen; }
  void EndWindow() override {
    ++ended;
    program_.MainWindowClosed();
  }

 private:
  Program& program_;
};

}  // namespace zenkar::testing

#endif  // ZENKAR_TESTS_APP_APP_FAKES_H_
