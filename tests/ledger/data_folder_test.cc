// Loading a data folder: the settings' version rules, new companies, refused
// files, the transaction file and its capacity warning, and folder changes.
#include <gtest/gtest.h>
#include <unistd.h>

#include "common/byte_codec.h"
#include "common/text_field.h"
#include "ledger/account_record.h"
#include "ledger/ledger.h"
#include "ledger/payee_record.h"
#include "support/fault_file_system.h"
#include "support/fixed_clock.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace zenkar {
namespace {

using testing::FaultInjectingFileSystem;
using testing::FixedClock;
using testing::ScriptedUi;
using testing::TempDir;

class DataFolderTest : public ::testing::Test {
 protected:
  DataFolderTest() { ledger_.SetDataFolder(dir_.path()); }

  // A settings record of the given version year, otherwise a new company's.
  std::string SettingsOfYear(int year, int32_t option_529 = 7) {
    CompanySettings s;
    NewCompanySettings(s);
    s.name_line_1 = "Harbor Bakery";
    s.data_year = year;
    std::string record = s.Encode();
    PutInt32(record, 1685, 5);
    PutInt32(record, 529, option_529);
    PutInt32(record, 533, 9);
    return record;
  }

  // A complete company folder: settings, a chart of two accounts, one payee
  // and `transactions` empty lines.
  void WriteCompany(const std::string& settings, int transactions = 0) {
    dir_.WriteFile("KXACCT.CFG", settings);
    AccountRecord bank, capital;
    bank.number = "110";
    capital.number = "465";
    capital.type = kLiabilitiesAndEquity;
    dir_.WriteFile("KXACCT.COA", bank.Encode() + capital.Encode());
    dir_.WriteFile("KXACCT.VND", PayeeRecord().Encode());
    dir_.WriteFile("KXACCT.TRN", "");
    if (transactions > 0) {
      ASSERT_EQ(::truncate(dir_.File("KXACCT.TRN").c_str(), transactions * 328L), 0);
    }
  }

  TempDir dir_;
  ScriptedUi ui_;
  FixedClock clock_;
  FaultInjectingFileSystem fs_;
  Ledger ledger_{fs_, ui_, clock_};
};

TEST_F(DataFolderTest, Year2014IsUpgradedWithItsOptionsClearedAndSavedOnce) {
  WriteCompany(SettingsOfYear(2014));
  ASSERT_TRUE(ledger_.OpenDataFolder());
  EXPECT_EQ(fs_.writes(), 1);
  const std::string saved = dir_.ReadFile("KXACCT.CFG");
  EXPECT_EQ(GetInt32(saved, 436), 2015);
  EXPECT_EQ(GetInt32(saved, 1685), 0);
  EXPECT_EQ(GetInt32(saved, 529), 0);
  EXPECT_EQ(GetInt32(saved, 533), 0);
  EXPECT_TRUE(ui_.messages().empty());
}

TEST_F(DataFolderTest, Year2013IsUpgradedWithoutClearingOptions) {
  WriteCompany(SettingsOfYear(2013));
  ASSERT_TRUE(ledger_.OpenDataFolder());
  const std::string saved = dir_.ReadFile("KXACCT.CFG");
  EXPECT_EQ(GetInt32(saved, 436), 2015);
  EXPECT_EQ(GetInt32(saved, 1685), 5);
  EXPECT_EQ(GetInt32(saved, 529), 7);
}

TEST_F(DataFolderTest, Year2016LoadsUnchangedAndSilently) {
  const std::string record = SettingsOfYear(2016);
  WriteCompany(record);
  ASSERT_TRUE(ledger_.OpenDataFolder());
  EXPECT_TRUE(ui_.messages().empty());
  EXPECT_EQ(fs_.writes(), 0);
  EXPECT_EQ(dir_.ReadFile("KXACCT.CFG"), record);
}

TEST_F(DataFolderTest, LaterYearAsksAndCancelRefusesTheFolder) {
  const std::string record = SettingsOfYear(2017);
  WriteCompany(record);
  EXPECT_FALSE(ledger_.OpenDataFolder());  // Enter takes the preselected Cancel
  ASSERT_EQ(ui_.messages().size(), 1u);
  EXPECT_EQ(ui_.messages()[0].kind, MessageKind::kOkCancel);
  EXPECT_EQ(ui_.messages()[0].title, "Zenkar Accounting");
  EXPECT_EQ(ui_.LastText(), "Using 2017 data with the 2015 program may cause data loss.");
  EXPECT_FALSE(ledger_.is_loaded());
  EXPECT_EQ(dir_.ReadFile("KXACCT.CFG"), record);
}

TEST_F(DataFolderTest, LaterYearLoadsUnchangedWhenTheUserAgrees) {
  const std::string record = SettingsOfYear(2017);
  WriteCompany(record);
  ui_.Answer(true);
  ASSERT_TRUE(ledger_.OpenDataFolder());
  EXPECT_EQ(ledger_.settings().data_year, 2017);
  EXPECT_EQ(dir_.ReadFile("KXACCT.CFG"), record);
}

TEST_F(DataFolderTest, StaleOption529FromAnOlderLayoutIsReset) {
  WriteCompany(SettingsOfYear(2015, 538976280));
  ASSERT_TRUE(ledger_.OpenDataFolder());
  const std::string saved = dir_.ReadFile("KXACCT.CFG");
  EXPECT_EQ(GetInt32(saved, 529), 0);
  EXPECT_EQ(GetInt32(saved, 533), 0);
  EXPECT_EQ(GetInt32(saved, 1685), 5);
}

TEST_F(DataFolderTest, EmptyFolderBecomesANewCompany) {
  ASSERT_TRUE(ledger_.OpenDataFolder());
  EXPECT_EQ(dir_.ReadFile("KXACCT.CFG").size(), 4800u);
  EXPECT_TRUE(dir_.Exists("KXACCT.TRN"));
  EXPECT_EQ(ledger_.transaction_count(), 0);
  EXPECT_EQ(ledger_.settings().data_year, 2015);
  EXPECT_EQ(ledger_.settings().font_size, 12);
  EXPECT_TRUE(ui_.messages().empty());
}

TEST_F(DataFolderTest, NewSettingsOverExistingTransactionsSayConvertedDataExists) {
  dir_.WriteFile("KXACCT.CFG", "");
  dir_.WriteFile("KXACCT.TRN", std::string(328, '\0'));
  ASSERT_TRUE(ledger_.OpenDataFolder());
  EXPECT_EQ(ui_.LastText(), "Converted data already exists:\n" + dir_.path() + "KXACCT.TRN");
  EXPECT_EQ(ledger_.transaction_count(), 1);
}

TEST_F(DataFolderTest, SettingsFileOfTheWrongLengthIsRefusedAndNotOverwritten) {
  const std::string damaged = SettingsOfYear(2015).substr(0, 4000);
  WriteCompany(damaged);
  EXPECT_FALSE(ledger_.OpenDataFolder());
  EXPECT_EQ(ui_.messages().at(0).kind, MessageKind::kError);
  EXPECT_NE(ui_.LastText().find("KXACCT.CFG"), std::string::npos);
  EXPECT_EQ(dir_.ReadFile("KXACCT.CFG"), damaged);
}

TEST_F(DataFolderTest, TransactionFileOfAnOddLengthIsRefusedAndUntouched) {
  WriteCompany(SettingsOfYear(2015));
  dir_.WriteFile("KXACCT.TRN", std::string(329, 'x'));
  EXPECT_FALSE(ledger_.OpenDataFolder());
  EXPECT_NE(ui_.LastText().find("KXACCT.TRN"), std::string::npos);
  EXPECT_EQ(dir_.ReadFile("KXACCT.TRN"), std::string(329, 'x'));
  EXPECT_EQ(ledger_.transaction_count(), 0);
}

TEST_F(DataFolderTest, ALoadRefusedForADamagedFileNamesItForARestore) {
  const std::pair<const char*, std::string_view> kDamaged[] = {{"KXACCT.TRN", kDamagedTransactions},
                                                               {"KXACCT.VND", kDamagedPayees},
                                                               {"KXACCT.COA", kDamagedChart}};
  for (const auto& [file, description] : kDamaged) {
    WriteCompany(SettingsOfYear(2015));
    dir_.WriteFile(file, std::string(157, 'x'));
    EXPECT_FALSE(ledger_.OpenDataFolder()) << file;
    EXPECT_EQ(ledger_.damaged_file(), description) << file;
  }
  WriteCompany(SettingsOfYear(2015).substr(0, 4000));
  EXPECT_FALSE(ledger_.OpenDataFolder());
  EXPECT_EQ(ledger_.damaged_file(), "") << "the settings are not offered a restore";
}

TEST_F(DataFolderTest, FilesCopiedFromAWindowsDiskAreFoundInLowerCase) {
  dir_.WriteFile("kxacct.cfg", SettingsOfYear(2015));
  dir_.WriteFile("kxacct.trn", std::string(2 * 328, '\0'));
  ASSERT_TRUE(ledger_.OpenDataFolder());
  EXPECT_EQ(ledger_.transaction_count(), 2);
  EXPECT_EQ(TrimRight(ledger_.settings().name_line_1), "Harbor Bakery");
  // The chart and payee files the load creates get the canonical names.
  EXPECT_EQ(dir_.Listing(), "KXACCT.COA KXACCT.LCK KXACCT.VND kxacct.cfg kxacct.trn");
}

TEST_F(DataFolderTest, CapacityWarningAbove99000TransactionsOnly) {
  WriteCompany(SettingsOfYear(2015), 99000);
  ASSERT_TRUE(ledger_.OpenDataFolder());
  EXPECT_TRUE(ui_.messages().empty());

  WriteCompany(SettingsOfYear(2015), 99001);
  ASSERT_TRUE(ledger_.OpenDataFolder());
  EXPECT_EQ(ui_.Texts(),
            std::vector<std::string>{"WARNING: Nearing the transaction capacity of this program"});
}

TEST_F(DataFolderTest, ChoosingTheCurrentFolderAgainChangesNothing) {
  WriteCompany(SettingsOfYear(2015), 3);
  ASSERT_TRUE(ledger_.OpenDataFolder());
  std::string without_separator = dir_.path();
  without_separator.pop_back();
  for (const std::string& typed : {dir_.path(), without_separator, "  " + dir_.path() + " "}) {
    ui_.ClearMessages();
    EXPECT_EQ(ledger_.ChangeDataFolder(typed), Ledger::FolderChange::kSameFolder);
    EXPECT_EQ(ui_.Texts(),
              std::vector<std::string>{dir_.path() +
                                       "\nis the current data folder - data folder not changed."});
    EXPECT_TRUE(ledger_.is_loaded());
    EXPECT_EQ(ledger_.transaction_count(), 3);
  }
}

TEST_F(DataFolderTest, MissingFolderIsReportedAndTheCurrentOneStays) {
  WriteCompany(SettingsOfYear(2015), 3);
  ASSERT_TRUE(ledger_.OpenDataFolder());
  EXPECT_EQ(ledger_.ChangeDataFolder(dir_.path() + "nowhere"), Ledger::FolderChange::kMissing);
  EXPECT_EQ(ui_.LastText(), dir_.path() + "nowhere/\ndoes not exist - data folder not changed.");
  EXPECT_EQ(ledger_.data_folder(), dir_.path());
  EXPECT_EQ(ledger_.transaction_count(), 3);
}

TEST_F(DataFolderTest, ChangingFolderSavesTheOldSettingsAndLoadsTheNewFolder) {
  WriteCompany(SettingsOfYear(2015), 3);
  ASSERT_TRUE(ledger_.OpenDataFolder());
  ledger_.settings().start_tab = "RPT";
  TempDir other;
  other.WriteFile("KXACCT.CFG", "");
  other.WriteFile("KXACCT.TRN", "");
  EXPECT_EQ(ledger_.ChangeDataFolder(other.path()), Ledger::FolderChange::kChanged);
  EXPECT_EQ(GetTextField(dir_.ReadFile("KXACCT.CFG"), 476, 3), "RPT");
  EXPECT_EQ(ledger_.data_folder(), other.path());
  EXPECT_EQ(ledger_.transaction_count(), 0);
  EXPECT_EQ(TrimRight(ledger_.settings().name_line_1), "");
}

TEST_F(DataFolderTest, FailedSaveKeepsTheFileAndTheChangeInMemory) {
  const std::string record = SettingsOfYear(2015);
  WriteCompany(record);
  ASSERT_TRUE(ledger_.OpenDataFolder());
  ledger_.settings().name_line_1 = "Renamed";
  for (int limit : {0, 1, 2400, 4799}) {
    fs_.faults().bytes_until_full = limit;
    ui_.ClearMessages();
    EXPECT_FALSE(ledger_.SaveCompanySettings());
    EXPECT_EQ(ui_.messages().at(0).kind, MessageKind::kError);
    EXPECT_EQ(dir_.ReadFile("KXACCT.CFG"), record);
    EXPECT_EQ(dir_.Listing(), "KXACCT.CFG KXACCT.COA KXACCT.LCK KXACCT.TRN KXACCT.VND");
  }
  fs_.ClearFaults();
  EXPECT_TRUE(ledger_.SaveCompanySettings());
  EXPECT_EQ(TrimRight(GetTextField(dir_.ReadFile("KXACCT.CFG"), 0, 40)), "Renamed");
}

TEST_F(DataFolderTest, SecondProgramOnTheSameFolderIsWarnedNotRefused) {
  WriteCompany(SettingsOfYear(2015));
  ASSERT_TRUE(ledger_.OpenDataFolder());
  ScriptedUi other_ui;
  Ledger other(fs_, other_ui, clock_);
  other.SetDataFolder(dir_.path());
  EXPECT_TRUE(other.OpenDataFolder());
  EXPECT_TRUE(other.folder_shared());
  ASSERT_EQ(other_ui.messages().size(), 1u);
  EXPECT_NE(other_ui.LastText().find(dir_.path()), std::string::npos);
  EXPECT_FALSE(ledger_.folder_shared());
}

}  // namespace
}  // namespace zenkar

namespace zenkar {
namespace {

// Folder names are UTF-8 on disk; messages are Windows-1252 like all text.
TEST(DataFolderMessages, AccentedFolderNamesAreShownInWindows1252) {
  testing::TempDir dir;
  const std::string folder = dir.path() + "Caf\xC3\xA9/";
  ASSERT_TRUE(PosixFileSystem().CreateDirectory(folder).ok());
  testing::ScriptedUi ui;
  testing::FixedClock clock;
  Ledger ledger(PosixFileSystem(), ui, clock);
  ledger.SetDataFolder(folder);
  ASSERT_TRUE(ledger.OpenDataFolder());
  EXPECT_EQ(ledger.ChangeDataFolder(folder), Ledger::FolderChange::kSameFolder);
  EXPECT_EQ(ui.LastText(),
            dir.path() + "Caf\xE9/\nis the current data folder - data folder not changed.");
}

}  // namespace
}  // namespace zenkar
