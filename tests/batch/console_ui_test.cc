// The console adapter of the Ui port: exact texts on the error stream in
// UTF-8, the answers of unattended questions, and progress only on a terminal.
#include "batch/console_ui.h"

#include <gtest/gtest.h>

#include "batch/tallying_ui.h"
#include "batch_fixture.h"

namespace zenkar {
namespace {

using testing::CapturedFile;

TEST(ConsoleUiTest, MessagesAreWrittenAsTheyAreInUtf8) {
  CapturedFile err;
  ConsoleUi ui(err.get(), ConsoleUi::Answers::kPreselected, false);
  ui.Information("Caf\xE9 \x80 5");
  EXPECT_FALSE(ui.error_shown());
  ui.Error("Journal entries are out of balance.", "Testing: ");
  EXPECT_TRUE(ui.error_shown());
  EXPECT_EQ(err.Text(), "Caf\xC3\xA9 \xE2\x82\xAC 5\nJournal entries are out of balance.\n");
}

TEST(ConsoleUiTest, QuestionsTakeThePreselectedAnswerUnlessTold) {
  CapturedFile err;
  ConsoleUi preselected(err.get(), ConsoleUi::Answers::kPreselected, false);
  EXPECT_TRUE(preselected.YesNoDefaultYes("Continue?"));
  EXPECT_FALSE(preselected.YesNoDefaultNo("Delete?"));
  EXPECT_FALSE(preselected.OkCancel("Using 2017 data with the 2015 program may cause data loss."));
  ConsoleUi yes(err.get(), ConsoleUi::Answers::kAlwaysYes, false);
  EXPECT_TRUE(yes.YesNoDefaultNo("Delete?"));
  EXPECT_TRUE(yes.OkCancel("Go on?"));
  ConsoleUi no(err.get(), ConsoleUi::Answers::kAlwaysNo, false);
  EXPECT_FALSE(no.YesNoDefaultYes("Continue?"));
  EXPECT_EQ(err.Text(),
            "Continue? [Yes]\nDelete? [No]\n"
            "Using 2017 data with the 2015 program may cause data loss. [Cancel]\n"
            "Delete? [Yes]\nGo on? [OK]\nContinue? [No]\n");
  EXPECT_FALSE(no.InputBox("Enter the password", "", "").has_value());
}

TEST(ConsoleUiTest, ProgressIsABarOnATerminalOnly) {
  CapturedFile pipe;
  ConsoleUi on_pipe(pipe.get(), ConsoleUi::Answers::kPreselected, false);
  on_pipe.SetProgress("Sorting 10 Entries ", 5, 10);
  on_pipe.ClearProgress();
  EXPECT_EQ(pipe.Text(), "");

  CapturedFile terminal;
  ConsoleUi on_terminal(terminal.get(), ConsoleUi::Answers::kPreselected, true);
  on_terminal.SetProgress("Testing: ", 1, 4);
  on_terminal.Information("Done");  // the bar is cleared before a message
  EXPECT_EQ(terminal.Text(), "\rTesting:  [#######                       ]  25%\r\033[KDone\n");
}

TEST(TallyingUiTest, CountsErrorsAndTitlesAndPassesAnswersThrough) {
  CapturedFile err;
  ConsoleUi console(err.get(), ConsoleUi::Answers::kAlwaysNo, false);
  TallyingUi ui(console);
  ui.Information("The posted totals were corrected", "Testing: ");
  EXPECT_FALSE(ui.YesNoDefaultYes("Continue?"));
  EXPECT_EQ(ui.errors(), 0);
  ui.Error("Entries posted to deleted COA accounts are out of balance.", "Testing: ");
  EXPECT_EQ(ui.errors(), 1);
  EXPECT_EQ(ui.CountTitled("Testing: "), 2);
  EXPECT_EQ(ui.CountTitled(std::string(kProgramTitle)), 1);
  EXPECT_NE(err.Text().find("Continue? [No]\n"), std::string::npos);
}

}  // namespace
}  // namespace zenkar
