// Test doubles of the ports kxacct adds: the help viewer and the main window
// as the program sees it (the shell and the secret input are shared with the
// core's tests, in support/).
#ifndef ZENKAR_TESTS_APP_RULES_APP_FAKES_H_
#define ZENKAR_TESTS_APP_RULES_APP_FAKES_H_

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app_rules/window/program.h"
#include "common/help_system.h"
#include "support/recording_shell.h"
#include "support/scripted_secret_input.h"

namespace zenkar::testing {

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

#endif  // ZENKAR_TESTS_APP_RULES_APP_FAKES_H_
