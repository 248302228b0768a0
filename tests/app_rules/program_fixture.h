// A kxacct Program on temporary folders, with every port scripted, and a
// window runner that plays the user's part.
#ifndef ZENKAR_TESTS_APP_RULES_PROGRAM_FIXTURE_H_
#define ZENKAR_TESTS_APP_RULES_PROGRAM_FIXTURE_H_

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "app_rules/app_fakes.h"
#include "app_rules/company_files.h"
#include "app_rules/window/program.h"
#include "ledger/company_settings.h"
#include "support/fixed_clock.h"
#include "support/fixed_user.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace zenkar::testing {

// Runs each window through `on_show` and then closes it as the user would,
// unless the window was ended already.
class ScriptedRunner : public WindowRunner {
 public:
  std::function<void(Program&, FakeWindowHost&)> on_show;
  WindowPosition position{100, 80};
  int runs = 0;

  void RunMainWindow(Program& program) override {
    FakeWindowHost host(program);
    host.position = position;
    program.AttachWindow(&host);
    ++runs;
    if (on_show) on_show(program, host);
    if (host.ended == 0) host.EndWindow();
    program.AttachWindow(nullptr);
  }
};

class ProgramTest : public ::testing::Test {
 protected:
  Installation MakeInstallation() { return {install_.path(), install_.path(), true}; }
  WebSite MakeSite() {
    return {"www.zenkar.example", "support@zenkar.example", "user=", "0A1B2C3D"};
  }

  TempDir install_;
  TempDir data_;
  ScriptedUi ui_;
  RecordingShell shell_;
  FixedClock clock_;
  ScriptedSecretInput secret_;
  RecordingHelpViewer viewer_;
  FixedUserDirectory users_;
  Program program_{ProgramPorts{PosixFileSystem(), ui_, shell_, clock_, secret_, viewer_, users_},
                   MakeInstallation(), MakeSite(), DeriveDatePatterns("11/22/44")};
};

}  // namespace zenkar::testing

#endif  // ZENKAR_TESTS_APP_RULES_PROGRAM_FIXTURE_H_
