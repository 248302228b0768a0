// kxbatch backup, restore and auto-backup: what they print, when a restore
// may run, and the command lines they take.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "batch_fixture.h"
#include "common/backup_set.h"
#include "ledger/folder_summary.h"

namespace zenkar {
namespace {

using testing::Day;
using testing::Line;
using testing::ScriptedUi;
using testing::TempDir;

class BackupCommandsTest : public testing::BatchFixture {
 protected:
  void SetUp() override {
    WriteCompany({testing::Account("110", "Checking Account", kAssets),
                  testing::Account("650", "Rent", kOperatingExpenses)},
                 {Line(kJournalLine, "650", 1200, Day(2025, 2, 1))});
  }

  // Adds a line, so that the books differ from a backup made before.
  void AddLine() {
    Ledger ledger(PosixFileSystem(), ui_, clock_);
    OpenLedger(ledger);
    ASSERT_NE(ledger.AppendTransaction(Line(kJournalLine, "650", 300, Day(2025, 3, 1))), 0);
    ledger.Close();
    ui_.ClearMessages();
  }

  TempDir backups_;
};

TEST_F(BackupCommandsTest, BackupWritesTheSetAndPrintsItsPath) {
  EXPECT_EQ(Run({"backup", backups_.path()}), kExitSuccess);
  EXPECT_EQ(out(), backups_.File("zenkar.sav") + "\n");
  EXPECT_EQ(ui_.Texts(), std::vector<std::string>{"Backup completed.\n\nAll current Zenkar data "
                                                  "files in:\n" +
                                                  dir_.path() + "\n\nwere backed up to:\n" +
                                                  backups_.path() + "zenkar.sav"});
  EXPECT_EQ(dir_.ReadFile("KXDATE.DAT").substr(6090, 10), "01/15/2026");

  EXPECT_EQ(Run({"backup", backups_.File("gone")}), kExitFailure);
  EXPECT_EQ(ui_.LastText(), backups_.File("gone/") + "\ndoes not exist.");
}

TEST_F(BackupCommandsTest, RestoreAsksFirstThenPrintsTheRestoredBooks) {
  ASSERT_EQ(Run({"backup", backups_.path()}), kExitSuccess);
  AddLine();
  const std::string lines = dir_.ReadFile("KXACCT.TRN");
  EXPECT_EQ(Run({"restore", backups_.path()}), kExitFailure);  // No is preselected
  EXPECT_EQ(dir_.ReadFile("KXACCT.TRN"), lines);

  ui_.Answer(true);
  ui_.Answer(true);
  const std::string printed = out();
  EXPECT_EQ(Run({"restore", backups_.path()}), kExitSuccess);
  EXPECT_EQ(ui_.LastText(), "GL/AP Data Restored");
  EXPECT_EQ(out().substr(printed.size()),
            "1 Transactions\n" + dir_.path() + "\nAccounts are out of balance by: 12.00\n");
}

TEST_F(BackupCommandsTest, RestoreTakesTheNumberedSetAndWaitsForTheFolderToBeFree) {
  ASSERT_EQ(Run({"backup", backups_.path()}), kExitSuccess);
  ASSERT_EQ(std::rename(backups_.File("zenkar.sav").c_str(), backups_.File("zenkar02.sav").c_str()),
            0);
  AddLine();
  ASSERT_EQ(Run({"backup", backups_.path()}), kExitSuccess);

  ScriptedUi other_ui;
  Ledger other(PosixFileSystem(), other_ui, clock_);
  OpenLedger(other);  // the desktop program has the folder open
  const std::string lines = dir_.ReadFile("KXACCT.TRN");
  EXPECT_EQ(Run({"restore", backups_.path(), "--set", "2"}), kExitFailure);
  EXPECT_EQ(ui_.LastText(), "Another program is using this data folder:\n" + dir_.path() +
                                "\nNothing was changed. Try again when it has closed the folder.");
  other.Close();
  ui_.Answer(true);
  ui_.Answer(true);
  EXPECT_EQ(Run({"restore", backups_.path(), "--set", "2"}), kExitSuccess);
  EXPECT_NE(dir_.ReadFile("KXACCT.TRN"), lines);
  EXPECT_EQ(dir_.ReadFile("KXACCT.TRN").size(), 328u);
}

TEST_F(BackupCommandsTest, AutoBackupAddsTheNewestSetOfTheSeries) {
  EXPECT_EQ(Run({"auto-backup"}), kExitSuccess);
  EXPECT_EQ(out(), dir_.File("Zenkar_Auto_Backup/KXACCT00.sav") + "\n");
  EXPECT_TRUE(ui_.messages().empty());

  env_.current_folder = dir_.File("Zenkar_Auto_Backup/");
  EXPECT_EQ(Run({"--folder", dir_.path(), "auto-backup"}), kExitSuccess);
  const std::string inner = dir_.File("Zenkar_Auto_Backup/restored/");
  std::filesystem::create_directory(inner);
  std::filesystem::copy_file(dir_.File("KXACCT.CFG"), inner + "KXACCT.CFG");
  std::filesystem::copy_file(dir_.File("KXACCT.TRN"), inner + "KXACCT.TRN");
  EXPECT_EQ(Run({"--folder", inner, "auto-backup"}), kExitFailure);
  EXPECT_EQ(ui_.LastText(),
            inner + "\nlies inside an automatic backup area and is not backed up into itself.");
}

TEST_F(BackupCommandsTest, TheCommandLinesNameOneFolderAndASetFromZeroTo99) {
  EXPECT_EQ(Run({"backup"}), kExitUsage);
  EXPECT_EQ(err(), "kxbatch: name one backup folder\nTry 'kxbatch --help'.\n");
  EXPECT_EQ(Run({"restore", backups_.path(), "--set", "100"}), kExitUsage);
  EXPECT_EQ(Run({"auto-backup", backups_.path()}), kExitUsage);
  const ParsedCommandLine parsed =
      ParseCommandLine({"restore", "/media/usb", "--set=3"}, BatchReportLabels());
  EXPECT_EQ(parsed.invocation.backup_folder, "/media/usb");
  EXPECT_EQ(parsed.invocation.set_number, 3);
}

}  // namespace
}  // namespace zenkar
