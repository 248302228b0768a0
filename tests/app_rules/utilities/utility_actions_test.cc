#include "app_rules/utilities/utility_actions.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "app_rules/program_fixture.h"

namespace zenkar {
namespace {

using ::zenkar::testing::FakeWindowHost;
using ::zenkar::testing::ProgramTest;
using ::zenkar::testing::StoredSettings;
using ::zenkar::testing::TempDir;
using ::zenkar::testing::WriteCompany;

// The program with its books loaded and a window on the screen.
class UtilityActionsTest : public ProgramTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(WriteCompany(data_));
    program_.ledger().SetDataFolder(data_.path());
    ASSERT_TRUE(program_.PrepareMainWindow());
    program_.AttachWindow(&host_);
    program_.PageShown("UTL");
  }
  void TearDown() override { program_.AttachWindow(nullptr); }

  FakeWindowHost host_{program_};
  TempDir other_;
};

// --- Change Data Folder ----------------------------------------------------

TEST_F(UtilityActionsTest, ChangingToTheCurrentFolderChangesNothing) {
  ui_.AnswerFolder(data_.path().substr(0, data_.path().size() - 1));  // typed without the "/"
  ChangeDataFolder(program_);
  EXPECT_EQ(ui_.Texts(),
            std::vector<std::string>{data_.path() +
                                     "\nis the current data folder - data folder not changed."});
  EXPECT_EQ(host_.ended, 0);
  EXPECT_TRUE(program_.ledger().is_loaded());
  EXPECT_EQ(program_.ledger().data_folder(), data_.path());
}

TEST_F(UtilityActionsTest, ChangingToAMissingFolderChangesNothing) {
  ui_.AnswerFolder(other_.path() + "gone");
  ChangeDataFolder(program_);
  EXPECT_EQ(ui_.Texts(), std::vector<std::string>{
                             other_.path() + "gone/\ndoes not exist - data folder not changed."});
  EXPECT_EQ(host_.ended, 0);
  EXPECT_EQ(program_.ledger().data_folder(), data_.path());
}

TEST_F(UtilityActionsTest, ChangingFoldersSavesTheOldOneAndRebuildsTheWindow) {
  ASSERT_TRUE(WriteCompany(other_, 2015, "Second Co"));
  ui_.AnswerFolder(other_.path());
  ChangeDataFolder(program_);
  EXPECT_TRUE(ui_.messages().empty());
  EXPECT_EQ(host_.ended, 1);
  EXPECT_TRUE(program_.restart_requested());
  EXPECT_EQ(program_.ledger().data_folder(), other_.path());
  EXPECT_EQ(program_.WindowCaption(), "Zenkar Accounting [Second Co]");
  EXPECT_EQ(StoredSettings(data_).start_tab, "UTL") << "the old folder keeps its window state";
  EXPECT_EQ(StoredSettings(data_).window_left, 100);
}

TEST_F(UtilityActionsTest, AFolderThatCannotBeUsedLeavesThePreviousBooksLoaded) {
  ASSERT_TRUE(WriteCompany(other_, 2017, "Later Co"));
  ui_.AnswerFolder(other_.path());
  ui_.Answer(false);  // Cancel to the data-version question
  ChangeDataFolder(program_);
  EXPECT_EQ(program_.ledger().data_folder(), data_.path());
  EXPECT_TRUE(program_.ledger().is_loaded());
  EXPECT_EQ(program_.WindowCaption(), "Zenkar Accounting [Harbor Supply Co.]");
  EXPECT_EQ(host_.ended, 1);
  EXPECT_TRUE(program_.restart_requested());
}

TEST_F(UtilityActionsTest, CancellingThePickerDoesNothing) {
  ChangeDataFolder(program_);
  AddNewDataFolder(program_);
  EXPECT_TRUE(ui_.messages().empty());
  EXPECT_EQ(host_.ended, 0);
}

// --- Add New Data Folder ---------------------------------------------------

TEST_F(UtilityActionsTest, ANewFolderBecomesANewCompany) {
  ui_.AnswerFolder(other_.path());
  AddNewDataFolder(program_);
  EXPECT_EQ(program_.ledger().data_folder(), other_.path());
  EXPECT_EQ(other_.ReadFile("KXACCT.CFG").size(), CompanySettings::kSize);
  EXPECT_TRUE(other_.Exists("KXACCT.TRN"));
  EXPECT_EQ(ui_.Texts(), std::vector<std::string>{"0 Transactions\n" + other_.path() +
                                                  "\nAccounts are balanced"});
  EXPECT_EQ(host_.ended, 1);
}

TEST_F(UtilityActionsTest, AFolderWithBooksIsNotTakenAsNew) {
  ASSERT_TRUE(WriteCompany(other_, 2015, "Existing Co", 5));
  const std::string before = other_.ReadFile("KXACCT.CFG");
  ui_.AnswerFolder(other_.path());
  AddNewDataFolder(program_);
  EXPECT_EQ(ui_.Texts(), std::vector<std::string>{
                             other_.path() + "\nholds the books of a company already - use 'Change "
                                             "Data Folder' to open it."});
  EXPECT_EQ(program_.ledger().data_folder(), data_.path());
  EXPECT_EQ(other_.ReadFile("KXACCT.CFG"), before);
  EXPECT_EQ(host_.ended, 0);
}

// --- Display size ----------------------------------------------------------

TEST_F(UtilityActionsTest, TheSizeInUseDoesNothing) {
  const std::string before = data_.ReadFile("KXACCT.CFG");
  EXPECT_FALSE(ChooseDisplaySize(program_, 12));
  EXPECT_EQ(host_.ended, 0);
  EXPECT_EQ(data_.ReadFile("KXACCT.CFG"), before);
}

TEST_F(UtilityActionsTest, ANewSizeIsSavedAndTheSystemPlacesTheNextWindow) {
  EXPECT_TRUE(ChooseDisplaySize(program_, 18));
  EXPECT_EQ(host_.ended, 1);
  EXPECT_TRUE(program_.restart_requested());
  const CompanySettings stored = StoredSettings(data_);
  EXPECT_EQ(stored.font_size, 18);
  EXPECT_EQ(stored.window_left, 0) << "not the position of the closing window";
  EXPECT_EQ(stored.window_top, 0);
  EXPECT_EQ(program_.FontSize(), 18);
}

// --- Check for Update ------------------------------------------------------

TEST_F(UtilityActionsTest, WithoutTheCheckerTheNewsPageIsNamed) {
  CheckForUpdate(program_);
  EXPECT_EQ(ui_.Texts(),
            std::vector<std::string>{"View our latest news at  www.zenkar.example/news"});
  EXPECT_TRUE(shell_.started.empty());
  EXPECT_EQ(host_.ended, 0);
}

TEST_F(UtilityActionsTest, TheCheckerStartsWithItsCommandLineAndTheWindowCloses) {
  install_.WriteFile("z_ver_ck", "#!/bin/sh\n");
  CheckForUpdate(program_);
  ASSERT_EQ(shell_.started.size(), 1u);
  EXPECT_EQ(shell_.started[0].program, install_.path() + "z_ver_ck");
  EXPECT_EQ(shell_.started[0].args, std::vector<std::string>{"KXACCT,4.7,0A1B2C3D,4"});
  EXPECT_EQ(shell_.started[0].working_folder, data_.path())
      << "the checker restarts kxacct in its own folder, so it opens these books";
  EXPECT_EQ(host_.ended, 1);
  EXPECT_FALSE(program_.restart_requested()) << "a real exit";
  EXPECT_FALSE(program_.ledger().is_loaded());
}

TEST_F(UtilityActionsTest, ACheckerThatDoesNotStartPointsToTheNews) {
  install_.WriteFile("z_ver_ck", "#!/bin/sh\n");
  shell_.succeed = false;
  CheckForUpdate(program_);
  EXPECT_EQ(ui_.Texts(),
            std::vector<std::string>{"View our latest news at www.zenkar.example/news"});
  EXPECT_EQ(host_.ended, 0);
}

// --- Where Am I? and the check date ----------------------------------------

TEST_F(UtilityActionsTest, WhereAmIGivesTheCountTheFolderAndTheBalance) {
  WhereAmI(program_);
  ASSERT_EQ(ui_.messages().size(), 1u);
  EXPECT_EQ(ui_.messages()[0].kind, MessageKind::kInformation);
  EXPECT_EQ(ui_.LastText(), "0 Transactions\n" + data_.path() + "\nAccounts are balanced");
}

TEST_F(UtilityActionsTest, WhereAmITellsAnOutOfBalanceLedger) {
  TransactionRecord line;
  ClearTransaction(line);
  line.kind = kJournalLine;
  line.account = program_.ledger().chart().account(1).number;
  line.amount = Money::FromCents(10050);
  ASSERT_EQ(program_.ledger().AppendTransaction(line), 1);
  EXPECT_EQ(WhereAmIText(program_),
            "1 Transactions\n" + data_.path() + "\nAccounts are out of balance by: 100.50");
}

TEST_F(UtilityActionsTest, CheckDateStaysWithinSixtyDaysOfToday) {
  const DayNumber today = clock_.Today();
  EXPECT_EQ(CheckDateRange(today).first, today - 60);
  EXPECT_EQ(CheckDateRange(today).last, today + 60);
  EXPECT_EQ(SetDefaultCheckDate(program_, today + 61), today + 60);
  EXPECT_EQ(program_.default_check_date(), today + 60);
  SetDefaultCheckDate(program_, today - 3);
  EXPECT_EQ(program_.default_check_date(), today - 3);
  SetDefaultCheckDate(program_, std::nullopt);  // cancelled
  EXPECT_EQ(program_.default_check_date(), today);
  ConfirmDefaultCheckDate(program_);
  EXPECT_EQ(ui_.LastText(), "The default check date is now 03/14/2026.");
}

}  // namespace
}  // namespace zenkar
