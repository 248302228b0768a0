// kxacct's backups: the automatic backup when a folder is left (at a real
// exit or for another folder, never on a restart), the recent-folder history,
// the restore buttons and the restore offered when a file is damaged.
#include <gtest/gtest.h>

#include "app_rules/program_fixture.h"
#include "app_rules/utilities/utility_actions.h"
#include "common/folder_history.h"

namespace zenkar {
namespace {

using ::zenkar::testing::FakeWindowHost;
using ::zenkar::testing::ProgramTest;
using ::zenkar::testing::ScriptedRunner;
using ::zenkar::testing::TempDir;
using ::zenkar::testing::WriteCompany;

class BackupActionsTest : public ProgramTest {
 protected:
  bool AutoBackedUp(const TempDir& folder) {
    return folder.Exists("Zenkar_Auto_Backup/KXACCT00.sav");
  }
  void Open(const TempDir& folder) {
    program_.ledger().SetDataFolder(folder.path());
    ASSERT_TRUE(program_.PrepareMainWindow());
    program_.AttachWindow(&host_);
  }
  void TearDown() override { program_.AttachWindow(nullptr); }

  FakeWindowHost host_{program_};
  TempDir other_;
};

TEST_F(BackupActionsTest, ARealExitBacksUpTheBooksButARestartDoesNot) {
  ASSERT_TRUE(WriteCompany(data_, 2015, "Harbor Supply Co.", 3));
  Open(data_);
  ASSERT_TRUE(ChooseDisplaySize(program_, 18));  // a restart
  EXPECT_FALSE(AutoBackedUp(data_));
  ASSERT_TRUE(program_.TakeRestartRequest());
  program_.EndMainWindow();
  EXPECT_TRUE(AutoBackedUp(data_));
  EXPECT_TRUE(ui_.messages().empty());
}

TEST_F(BackupActionsTest, ACompanyWithoutTransactionsIsNotBackedUpAtExit) {
  ASSERT_TRUE(WriteCompany(data_));
  Open(data_);
  program_.EndMainWindow();
  EXPECT_FALSE(AutoBackedUp(data_));
}

TEST_F(BackupActionsTest, TheFolderLeftIsBackedUpAndEachFolderOpenedIsRecorded) {
  ASSERT_TRUE(WriteCompany(data_, 2015, "Harbor Supply Co.", 3));
  ASSERT_TRUE(WriteCompany(other_, 2015, "Second Co"));
  Open(data_);
  ui_.AnswerFolder(other_.path());
  ChangeDataFolder(program_);
  EXPECT_TRUE(AutoBackedUp(data_));
  FolderHistory history(PosixFileSystem(), install_.path(), false);
  EXPECT_EQ(history.GetHistoryEntry(0), other_.path());
  EXPECT_EQ(history.GetHistoryEntry(1), data_.path());
}

TEST_F(BackupActionsTest, ARestoreLoadsTheBooksAgainAndRebuildsTheWindow) {
  ASSERT_TRUE(WriteCompany(data_, 2015, "Harbor Supply Co.", 3));
  Open(data_);
  TempDir backups;
  ui_.AnswerFolder(backups.path());
  BackupData(program_);
  ASSERT_TRUE(backups.Exists("zenkar.sav"));
  ASSERT_TRUE(WriteCompany(data_, 2015, "Harbor Supply Co.", 7));  // changed behind its back

  ui_.ClearMessages();
  ui_.AnswerFolder(backups.path());
  ui_.Answer(true);
  ui_.Answer(true);
  RestoreData(program_);
  EXPECT_EQ(ui_.Texts(), (std::vector<std::string>{
                             "Replace the existing Zenkar Accounting data with data from a backup?",
                             "ARE YOU SURE you want to replace the existing Zenkar Accounting data "
                             "with data from a backup?",
                             "GL/AP Data Restored",
                             "3 Transactions\n" + data_.path() + "\nAccounts are balanced"}));
  EXPECT_EQ(program_.ledger().transaction_count(), 3);
  EXPECT_TRUE(program_.restart_requested());
  EXPECT_FALSE(AutoBackedUp(data_)) << "the restart after a restore makes no automatic backup";
}

TEST_F(BackupActionsTest, ADamagedTransactionFileOffersARestoreFromTheAutomaticBackup) {
  ASSERT_TRUE(WriteCompany(data_, 2015, "Harbor Supply Co.", 3));
  Open(data_);
  program_.EndMainWindow();
  ASSERT_TRUE(AutoBackedUp(data_));
  data_.WriteFile("KXACCT.TRN", std::string(329, '\0'));  // not a whole number of lines

  ui_.ClearMessages();
  for (int i = 0; i < 4; ++i) ui_.Answer(true);  // restore, automatic, sure, really sure
  ui_.AnswerInput("0");
  EXPECT_FALSE(program_.PrepareMainWindow());
  ASSERT_GE(ui_.messages().size(), 3u);
  EXPECT_EQ(ui_.messages()[1].text,
            "Error reading data files.\nInvalid or damaged transaction file\n\nAttempt to restore "
            "from a backup?");
  EXPECT_EQ(ui_.LastText(), "Reopen Zenkar Accounting to try again.");
  EXPECT_EQ(data_.ReadFile("KXACCT.TRN").size(), 3u * 328);
}

}  // namespace
}  // namespace zenkar
