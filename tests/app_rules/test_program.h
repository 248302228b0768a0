// TestProgram: a kxacct Program on temporary folders for its installation and
// its books, with every port scripted or recorded, for the tests that drive the
// program as a whole (the Qt page tests among them).
#ifndef ZENKAR_TESTS_APP_RULES_TEST_PROGRAM_H_
#define ZENKAR_TESTS_APP_RULES_TEST_PROGRAM_H_

#include <unistd.h>

#include "app_rules/app_fakes.h"
#include "app_rules/window/program.h"
#include "support/fault_file_system.h"
#include "support/fixed_clock.h"
#include "support/fixed_user.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace zenkar::testing {

struct TestProgram {
  explicit TestProgram(FixedClock fixed_clock = FixedClock()) : clock(fixed_clock) {
#ifdef ZENKAR_HELP_FOLDER
    // The shipped help pages, in the program folder where kxacct looks.
    ::symlink(ZENKAR_HELP_FOLDER, install.File("help").c_str());
#endif
  }

  // Loads the books of `data` as start-up does.
  bool Open() {
    program.ledger().SetDataFolder(data.path());
    return program.PrepareMainWindow();
  }
  // The same, forgetting the messages the load showed.
  bool Load() {
    const bool loaded = Open();
    ui.ClearMessages();
    return loaded;
  }

  TempDir install;
  TempDir data;
  ScriptedUi ui;
  RecordingShell shell;
  FixedClock clock;
  ScriptedSecretInput secret;
  RecordingHelpViewer viewer;
  FixedUserDirectory users;
  FaultInjectingFileSystem fs;
  Program program{ProgramPorts{fs, ui, shell, clock, secret, viewer, users},
                  Installation{install.path(), install.path(), true},
                  WebSite{"www.zenkar.example", "support@zenkar.example", "user=", "0A1B2C3D"},
                  DeriveDatePatterns("11/22/44")};
};

}  // namespace zenkar::testing

#endif  // ZENKAR_TESTS_APP_RULES_TEST_PROGRAM_H_
