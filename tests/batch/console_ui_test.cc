// The console adapter of the Ui port: exact texts in UTF-8, unattended
// answers, progress only on a terminal, no control character written raw.
#include "batch/console_ui.h"

#include <gtest/gtest.h>

#include "batch_fixture.h"

namespace zenkar {
namespace {

using testing::CapturedFile;

TEST(ConsoleUiTest, MessagesAndTheAnswersOfQuestions) {
  CapturedFile err;
  ConsoleUi preselected(err.get(), ConsoleUi::Answers::kPreselected, false);
  preselected.Information("Caf\xE9 \x80 5");
  EXPECT_TRUE(preselected.YesNoDefaultYes("Continue?"));
  EXPECT_FALSE(preselected.YesNoDefaultNo("Delete?"));
  EXPECT_FALSE(preselected.OkCancel("Using 2017 data may cause data loss."));
  ConsoleUi yes(err.get(), ConsoleUi::Answers::kAlwaysYes, false);
  EXPECT_TRUE(yes.YesNoDefaultNo("Delete?"));
  ConsoleUi no(err.get(), ConsoleUi::Answers::kAlwaysNo, false);
  EXPECT_FALSE(no.YesNoDefaultYes("Continue?"));
  EXPECT_EQ(err.Text(),
            "Caf\xC3\xA9 \xE2\x82\xAC 5\nContinue? [Yes]\nDelete? [No]\n"
            "Using 2017 data may cause data loss. [Cancel]\nDelete? [Yes]\nContinue? [No]\n");
}

TEST(ConsoleUiTest, ProgressIsABarOnATerminalOnly) {
  CapturedFile pipe;
  ConsoleUi on_pipe(pipe.get(), ConsoleUi::Answers::kPreselected, false);
  on_pipe.SetProgress("Sorting 10 Entries ", 5, 10);
  EXPECT_EQ(pipe.Text(), "");
  CapturedFile terminal;
  ConsoleUi on_terminal(terminal.get(), ConsoleUi::Answers::kPreselected, true);
  on_terminal.SetProgress("Testing: ", 1, 4);
  on_terminal.Information("Done");  // the bar is cleared first
  EXPECT_EQ(terminal.Text(), "\rTesting:  [#######                       ]  25%\r\033[KDone\n");
}

// A message keeps its own line breaks; any other control character left in
// it (a file name's, one a message did not escape) is escaped on the way out.
TEST(ConsoleUiTest, ControlCharactersAreEscapedAndLineBreaksKept) {
  CapturedFile err;
  ConsoleUi ui(err.get(), ConsoleUi::Answers::kPreselected, false);
  ui.Error("/books/\x1B]0;pwned\x07/\ndoes not exist.\r\x9D \x80");
  EXPECT_EQ(err.Text(), "/books/\\x1B]0;pwned\\x07/\ndoes not exist.\\x0D\\x9D \xE2\x82\xAC\n");
}

}  // namespace
}  // namespace zenkar
