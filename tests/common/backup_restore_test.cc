// Restoring backup sets: what a restore removes and puts back, the choice of
// a numbered set, and that a damaged set changes nothing at all.
#include "common/backup_restore.h"

#include <gtest/gtest.h>

#include "backup_fixture.h"
#include "common/byte_codec.h"
#include "common/folder_lock.h"

namespace zenkar::testing {
namespace {

class BackupRestoreTest : public BackupFixture {
 protected:
  // A whole-suite set of the data folder as it is now, in the backup folder.
  void BackUp(std::string_view name = "zenkar.sav") {
    BackupFileList list;
    std::string path;
    ASSERT_EQ(WriteBackupSet(env_, backups_.path(), &list, kScopeWholeSuite, &path),
              kBackupWritten);
    if (name != "zenkar.sav") {
      ASSERT_TRUE(PosixFileSystem().Rename(path, backups_.File(name)).ok());
    }
  }
};

TEST_F(BackupRestoreTest, ARestoreReplacesTheGroupAndRemovesItsFilesTheSetLacks) {
  data_.WriteFile("KXPAY.EMP", "payroll employees");
  BackUp();
  const auto backed_up = Contents(data_);
  data_.WriteFile("KXACCT.TRN", Lines(45));
  data_.WriteFile("KXACCT.RJE", std::string(284, 'r'));  // made after the backup
  data_.WriteFile("KXPAY.EMP", "payroll changed since");
  ASSERT_EQ(PosixFileSystem().RemoveFile(data_.File("KXACCT.REC")).code(), Status::Code::kOk);

  EXPECT_EQ(RestoreBackupSet(env_, backups_.path(), "", kScopeAccounting), 1);
  EXPECT_EQ(ui_.Texts(), std::vector<std::string>{"GL/AP Data Restored"});
  auto expected = backed_up;
  expected["KXPAY.EMP"] = "payroll changed since";  // another program's group
  expected["KXACCT.LCK"] = Contents(data_)["KXACCT.LCK"];
  EXPECT_EQ(Contents(data_), expected);
  EXPECT_EQ(data_.ReadFile("KXACCT.REC"), "") << "an empty file comes back empty";
  EXPECT_FALSE(ui_.busy());
}

TEST_F(BackupRestoreTest, ASetWithoutTheGroupsFilesRemovesNothing) {
  BackupFileList list;
  std::string path;
  data_.WriteFile("KXPAY.EMP", "payroll employees");
  BackupEnvironment payroll{PosixFileSystem(), ui_, "KXPR", "Zenkar Payroll", data_.path()};
  ASSERT_EQ(WriteBackupSet(payroll, backups_.path(), &list, kScopePayroll, &path), kBackupWritten);
  const auto before = Contents(data_);
  EXPECT_EQ(RestoreBackupSet(env_, backups_.path(), "KXPR.sav", kScopeAccounting), 0);
  EXPECT_EQ(ui_.Texts(), std::vector<std::string>{"No backed up data found"});
  EXPECT_EQ(Contents(data_), before);
}

TEST_F(BackupRestoreTest, ARestoreMovesTheFoldersChangeCountersOn) {
  BackUp();
  FolderLock lock(PosixFileSystem());
  bool shared = false;
  ASSERT_TRUE(lock.Join(data_.path(), &shared).ok());
  const FolderLock::Generations before = lock.ReadGenerations();
  ASSERT_EQ(RestoreBackupSet(env_, backups_.path(), "", kScopeAccounting), 1);
  const FolderLock::Generations after = lock.ReadGenerations();
  EXPECT_EQ(after.books, before.books + 1);
  EXPECT_EQ(after.settings, before.settings + 1);
}

TEST_F(BackupRestoreTest, TheChoiceOfANumberedSetIsMatchedAsText) {
  BackUp("zenkar12.sav");
  BackUp();
  ui_.AnswerInput("7");
  ui_.AnswerInput("1");
  EXPECT_EQ(RestoreBackupSet(env_, backups_.path(), "0", kScopeAccounting), 0);
  EXPECT_EQ(ui_.prompts(), std::vector<std::string>(
                               2,
                               "Choose a backup set:\n\n0 is the most recent backup.\n12 is the "
                               "oldest backup.\n\nTry 0 first.  If that data is not correct, "
                               "try the next highest number."));
  EXPECT_EQ(ui_.Texts(),
            (std::vector<std::string>{"Not a valid backup set",
                                      "File not found:\n" + backups_.path() + "zenkar01.sav"}));
}

TEST_F(BackupRestoreTest, WithoutNumberedSetsZeroMeansTheNewestAndCancelEndsTheChoice) {
  BackUp();
  EXPECT_EQ(RestoreBackupSet(env_, backups_.path(), "0", kScopeAccounting), 1);
  EXPECT_TRUE(ui_.prompts().empty());
  BackUp("zenkar03.sav");
  ui_.ClearMessages();
  EXPECT_EQ(RestoreBackupSet(env_, backups_.path(), "0", kScopeAccounting), 0);  // no answer
  EXPECT_TRUE(ui_.messages().empty());
}

TEST_F(BackupRestoreTest, ASetDamagedAtAnyByteIsRefusedAndTheDataFolderIsUnchanged) {
  BackUp();
  const std::string whole = backups_.ReadFile("zenkar.sav");
  data_.WriteFile("KXACCT.TRN", Lines(41));  // so that a restore would show
  const auto before = Contents(data_);
  for (size_t at = 0; at < whole.size(); ++at) {
    for (const std::string& damaged :
         {whole.substr(0, at), whole.substr(0, at) + char(whole[at] ^ 0x01) + whole.substr(at + 1),
          whole.substr(0, at) + char(whole[at] ^ 0x80) + whole.substr(at + 1)}) {
      if (damaged.empty()) continue;
      backups_.WriteFile("zenkar.sav", damaged);
      ui_.ClearMessages();
      ASSERT_EQ(RestoreBackupSet(env_, backups_.path(), "", kScopeAccounting), 0) << at;
      ASSERT_EQ(ui_.messages().size(), 1u) << at;
      ASSERT_EQ(ui_.LastText().rfind(
                    "The backup set\n" + backups_.path() + "zenkar.sav\nis damaged: ", 0),
                0u)
          << at << ": " << ui_.LastText();
      ASSERT_EQ(Contents(data_), before) << at;
    }
  }
}

TEST_F(BackupRestoreTest, ADamagedEntryIsNamedInTheRefusal) {
  BackUp();
  std::string set = backups_.ReadFile("zenkar.sav");
  set.resize(set.size() - 3);
  backups_.WriteFile("zenkar.sav", set);
  RestoreBackupSet(env_, backups_.path(), "", kScopeAccounting);
  EXPECT_EQ(ui_.LastText(), "The backup set\n" + backups_.path() +
                                "zenkar.sav\nis damaged: entry 6 (KXACCT.CFG) is cut short.\n\n"
                                "Nothing was restored; the data files are as they were.");
}

TEST_F(BackupRestoreTest, ARestoreCutShortByACrashIsFinishedByTheNextProgram) {
  BackUp();
  const auto backed_up = Contents(data_);
  data_.WriteFile("KXACCT.TRN", Lines(50));
  data_.WriteFile("KXACCT.RJE", std::string(284, 'r'));
  // What a crash after the journal and the first step leaves: the removal
  // done, the new lines beside the old ones.
  data_.WriteFile("KXACCT.TRN.~Rs0001", Lines(40));
  data_.WriteFile("KXACCT.JNL", "ZKJ1\n\tKXACCT.RJE\nKXACCT.TRN.~Rs0001\tKXACCT.TRN\n");
  ASSERT_EQ(PosixFileSystem().RemoveFile(data_.File("KXACCT.RJE")).code(), Status::Code::kOk);
  ASSERT_EQ(RestoreBackupSet(env_, backups_.path(), "", kScopeAccounting), 1);
  auto expected = backed_up;
  expected["KXACCT.LCK"] = Contents(data_)["KXACCT.LCK"];
  EXPECT_EQ(Contents(data_), expected);
}

}  // namespace
}  // namespace zenkar::testing
