// The backup and restore commands as the user meets them: the folder
// prompts, the questions, the records of a manual backup, and the automatic
// backup series.
#include "common/backup_dialog.h"

#include <gtest/gtest.h>

#include "backup_fixture.h"
#include "common/text_field.h"

namespace zenkar::testing {
namespace {

class BackupDialogTest : public BackupFixture {
 protected:
  std::string AutoSet(int n) {
    return data_.File("Zenkar_Auto_Backup/KXACCT" + std::string(n < 10 ? "0" : "") +
                      std::to_string(n) + ".sav");
  }
  // The transaction file a set holds.
  static std::string LinesIn(const std::string& path) {
    std::string bytes;
    EXPECT_TRUE(PosixFileSystem().ReadFile(path, &bytes).ok());
    BackupSetFile set;
    EXPECT_TRUE(BackupSetFile::Decode(bytes, &set).ok());
    std::string data;
    for (const BackupEntry& entry : set.entries()) {
      if (entry.name == "KXACCT.TRN") {
        EXPECT_TRUE(set.Expand(entry, &data).ok());
      }
    }
    return data;
  }
};

// --- Backup Data -------------------------------------------------------------

TEST_F(BackupDialogTest, ABackupRecordsBothFoldersAndTheDate) {
  ui_.AnswerFolder(backups_.path());
  ASSERT_EQ(RunBackupDialog(env_, kBackupMode, "03/14/2026"), kBackupWritten);
  EXPECT_EQ(ui_.prompts(), std::vector<std::string>{"Select a folder to BACKUP TO, then click OK"});
  EXPECT_EQ(ui_.Texts(),
            std::vector<std::string>{"Backup completed.\n\nAll current Zenkar data files in:\n" +
                                     data_.path() + "\n\nwere backed up to:\n" + backups_.path() +
                                     "zenkar.sav"});
  EXPECT_EQ(backups_.ReadFile("KXLOC.DAT"), FitText(data_.path(), 1025));
  const std::string dates = data_.ReadFile("KXDATE.DAT");
  ASSERT_EQ(dates.size(), 6110u);
  EXPECT_EQ(dates.substr(0, 50), FitText(backups_.path(), 50));
  EXPECT_EQ(dates.substr(50 + 25 * 12, 12), "KXACCT.CFG  ");
  EXPECT_EQ(dates.substr(50 + 26 * 12, 12), std::string(12, ' ')) << "no KXACCT.RJE was saved";
  EXPECT_EQ(dates.substr(6062, 28), std::string(28, '\0'));
  EXPECT_EQ(LastBackupDate(PosixFileSystem(), data_.path()), "03/14/2026");
}

TEST_F(BackupDialogTest, TheNextBackupStartsInTheLastBackupFolderAndCancelDoesNothing) {
  ASSERT_EQ(BackupToFolder(env_, backups_.path(), "03/14/2026"), kBackupWritten);
  ScriptedUi picker;
  BackupEnvironment env{PosixFileSystem(), picker, "KXACCT", "Zenkar Accounting", data_.path()};
  EXPECT_EQ(RunBackupDialog(env, kBackupMode, "03/15/2026"), 0);
  EXPECT_TRUE(picker.messages().empty());
  EXPECT_EQ(LastBackupDate(PosixFileSystem(), data_.path()), "03/14/2026");
}

TEST_F(BackupDialogTest, ABackupOfAnotherFolderIsReplacedOnlyAfterAQuestion) {
  backups_.WriteFile("KXLOC.DAT", FitText("/books/other/", 1025));
  backups_.WriteFile("zenkar.sav", "the other folder's set");
  const std::string question =
      "You are curently working with data in:\n" + data_.path() +
      "\n\nThe backup location you selected contains data backed up from:\n/books/other/\n\n"
      "Are you sure you want to replace the existing backup with data from the current folder?";
  EXPECT_EQ(BackupToFolder(env_, backups_.path(), "03/14/2026"), 0);  // No is preselected
  EXPECT_EQ(ui_.Texts(), std::vector<std::string>{question});
  EXPECT_EQ(backups_.ReadFile("zenkar.sav"), "the other folder's set");
  ui_.Answer(true);
  EXPECT_EQ(BackupToFolder(env_, backups_.path(), "03/14/2026"), kBackupWritten);
  EXPECT_EQ(LinesIn(backups_.File("zenkar.sav")), Lines(40));
}

// --- Restore Data ------------------------------------------------------------

TEST_F(BackupDialogTest, ARestoreFromAnotherFoldersBackupAsksThreeTimes) {
  ASSERT_EQ(BackupToFolder(env_, backups_.path(), "03/14/2026"), kBackupWritten);
  backups_.WriteFile("KXLOC.DAT", FitText("/books/other/", 1025));
  data_.WriteFile("KXACCT.TRN", Lines(44));
  ui_.ClearMessages();
  for (int i = 0; i < 3; ++i) ui_.Answer(true);
  EXPECT_EQ(RestoreFromFolder(env_, backups_.path()), 1);
  EXPECT_EQ(ui_.Texts(),
            (std::vector<std::string>{
                "You are curently working with data in:\n" + data_.path() +
                    "\n\nThe location you selected to restore from, contains data backed up "
                    "from:\n/books/other/\n\nAre you sure you want to replace the existing data "
                    "with data backed up from a DIFFERENT folder?",
                "Replace the existing Zenkar Accounting data with data from a backup?",
                "ARE YOU SURE you want to replace the existing Zenkar Accounting data with data "
                "from a backup?",
                "GL/AP Data Restored"}));
  EXPECT_EQ(data_.ReadFile("KXACCT.TRN"), Lines(40));
  EXPECT_EQ(ui_.beeps(), 1);
}

TEST_F(BackupDialogTest, AnOlderProgramsSetsAreChosenByNumber) {
  BackupFileList list;
  std::string path;
  ASSERT_EQ(WriteBackupSet(env_, backups_.path(), &list, kScopeAccounting, &path), kBackupWritten);
  ASSERT_TRUE(PosixFileSystem().Rename(path, backups_.File("KXACCT00.sav")).ok());
  data_.WriteFile("KXACCT.TRN", Lines(44));
  ui_.Answer(true);
  ui_.Answer(false);  // not REALLY sure
  EXPECT_EQ(RestoreFromFolder(env_, backups_.path()), 0);
  EXPECT_EQ(data_.ReadFile("KXACCT.TRN"), Lines(44));
  ui_.ClearMessages();
  ui_.Answer(true);
  ui_.Answer(true);
  ui_.AnswerInput("0");
  EXPECT_EQ(RestoreFromFolder(env_, backups_.path()), 1);
  EXPECT_EQ(ui_.prompts().back(),
            "Choose a backup set:\n\nTry 0 first. If that data is not correct, try 1, then 2, "
            "etc.");
  EXPECT_EQ(data_.ReadFile("KXACCT.TRN"), Lines(40));
}

TEST_F(BackupDialogTest, AFolderWithoutSetsIsSaidAndTheLauncherNeverRestores) {
  EXPECT_EQ(RestoreFromFolder(env_, backups_.path()), 0);
  EXPECT_EQ(ui_.Texts(),
            std::vector<std::string>{"There are no Zenkar backup files in " + backups_.path()});
  ASSERT_EQ(BackupToFolder(env_, backups_.path(), "03/14/2026"), kBackupWritten);
  ScriptedUi launcher_ui;
  BackupEnvironment launcher{PosixFileSystem(), launcher_ui, "KXMENU", "Zenkar Software",
                             data_.path()};
  EXPECT_EQ(RestoreFromFolder(launcher, backups_.path(), 0), 0);
  EXPECT_EQ(RunBackupDialog(launcher, kRestoreMode, ""), 0);
  EXPECT_TRUE(launcher_ui.messages().empty());
  EXPECT_TRUE(launcher_ui.prompts().empty());
}

// --- The automatic backup series ----------------------------------------------

TEST_F(BackupDialogTest, TheAutomaticSeriesKeepsZeroToTwentyNewestFirst) {
  for (int n = 1; n <= 25; ++n) {
    data_.WriteFile("KXACCT.TRN", Lines(n));
    std::string path;
    ASSERT_TRUE(RunAutoBackup(env_, &path));
    EXPECT_EQ(path, AutoSet(0));
  }
  std::vector<std::string> names;
  ASSERT_TRUE(PosixFileSystem().ListDirectory(data_.File("Zenkar_Auto_Backup"), &names).ok());
  EXPECT_EQ(names.size(), 22u) << "KXACCT.sav and KXACCT00.sav to KXACCT20.sav";
  EXPECT_EQ(LinesIn(AutoSet(0)), Lines(25));
  EXPECT_EQ(LinesIn(AutoSet(1)), Lines(24));
  EXPECT_EQ(LinesIn(AutoSet(20)), Lines(5));
  EXPECT_TRUE(ui_.messages().empty());
}

TEST_F(BackupDialogTest, AFolderInsideTheAutomaticBackupAreaIsNotBackedUpIntoItself) {
  const std::string inner = data_.File("Zenkar_Auto_Backup/restored/");
  ASSERT_TRUE(PosixFileSystem().CreateDirectory(data_.File("Zenkar_Auto_Backup")).ok());
  ASSERT_TRUE(PosixFileSystem().CreateDirectory(inner).ok());
  BackupEnvironment env{PosixFileSystem(), ui_, "KXACCT", "Zenkar Accounting", inner};
  EXPECT_FALSE(RunAutoBackup(env));
  EXPECT_FALSE(PosixFileSystem().DirectoryExists(inner + "Zenkar_Auto_Backup/"));
}

TEST_F(BackupDialogTest, AnAutomaticRestoreAsksTwiceAndTakesASetFromZeroToTwenty) {
  EXPECT_EQ(RunAutoRestore(env_), 0);
  EXPECT_EQ(ui_.Texts(), std::vector<std::string>{"Auto Backup Files not available"});
  for (int n = 1; n <= 4; ++n) {
    data_.WriteFile("KXACCT.TRN", Lines(n));
    ASSERT_TRUE(RunAutoBackup(env_));
  }
  ui_.ClearMessages();
  ui_.Answer(true);
  ui_.Answer(true);
  ui_.AnswerInput("21");
  EXPECT_EQ(RunAutoRestore(env_), 0);
  EXPECT_EQ(ui_.prompts().back(),
            "Choose a backup set:\n\n0 is the most recent backup, 20 is the oldest backup.\n\n"
            "Try 0 first. If that data is not correct, try 1, then 2, etc.");
  ui_.Answer(true);
  ui_.Answer(true);
  ui_.AnswerInput("2");
  EXPECT_EQ(RunAutoRestore(env_), 1);
  EXPECT_EQ(data_.ReadFile("KXACCT.TRN"), Lines(2));
}

TEST_F(BackupDialogTest, ADamagedFileOffersARestoreAndAlwaysSaysToReopen) {
  ui_.Answer(false);
  OfferRestoreAfterDamage(env_, "transaction file");
  EXPECT_EQ(ui_.Texts(), (std::vector<std::string>{
                             "Error reading data files.\nInvalid or damaged transaction file\n\n"
                             "Attempt to restore from a backup?",
                             "Reopen Zenkar Accounting to try again."}));
  ASSERT_TRUE(RunAutoBackup(env_));
  data_.WriteFile("KXACCT.TRN", "damaged");
  ui_.ClearMessages();
  for (int i = 0; i < 4; ++i) ui_.Answer(true);  // restore, automatic, sure, really sure
  ui_.AnswerInput("0");
  OfferRestoreAfterDamage(env_, "transaction file");
  EXPECT_EQ(ui_.LastText(), "Reopen Zenkar Accounting to try again.");
  EXPECT_EQ(data_.ReadFile("KXACCT.TRN"), Lines(40));
}

}  // namespace
}  // namespace zenkar::testing
