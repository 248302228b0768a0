// The commands over a company folder (new, where, test, export-journal): what
// they print, the messages they report and their exit statuses.
#include <gtest/gtest.h>

#include "batch_fixture.h"
#include "common/record_file.h"
#include "common/text_field.h"

namespace zenkar {
namespace {

using testing::Account;
using testing::Day;
using testing::Line;

std::vector<AccountRecord> SmallChart() {
  return {Account("110", "Checking Account", kAssets, 100000),
          Account("210", "Accounts Payable", kLiabilitiesAndEquity),
          Account("465", "Retained Earnings", kLiabilitiesAndEquity, -100000),
          Account("510", "Sales", kIncome), Account("650", "Rent", kOperatingExpenses)};
}

std::string ReadWhole(const std::string& path) {
  std::string contents;
  EXPECT_TRUE(PosixFileSystem().ReadFile(path, &contents).ok()) << path;
  return contents;
}

class CommandsTest : public testing::BatchFixture {};

TEST_F(CommandsTest, WhereSummarisesTheBooks) {
  WriteCompany(SmallChart(), {Line(kCheckOrDeposit, "650", 40000, Day(2025, 2, 1))});
  EXPECT_EQ(Run({"where"}), kExitSuccess);
  EXPECT_EQ(out(), "1 Transactions\n" + dir_.path() + "\nAccounts are balanced\n");

  WriteCompany(SmallChart(), {Line(kJournalLine, "650", 1234, Day(2025, 2, 1)),
                              Line(kCheckOrDeposit, "510", -5000, Day(2025, 2, 2))});
  EXPECT_EQ(Run({"where"}), kExitSuccess);
  EXPECT_NE(
      out().find("2 Transactions\n" + dir_.path() + "\nAccounts are out of balance by: 12.34\n"),
      std::string::npos);
}

TEST_F(CommandsTest, TheFolderIsTheWorkingDirectoryOrRelativeToIt) {
  WriteCompany(SmallChart());
  const testing::TempDir elsewhere;
  env_.current_folder = dir_.path();
  EXPECT_EQ(Run({"--folder", ".", "where"}), kExitSuccess);
  EXPECT_NE(out().find(dir_.path() + "./\n"), std::string::npos);
  env_.current_folder = elsewhere.path();
  EXPECT_EQ(Run({"--folder", dir_.path(), "where"}), kExitSuccess);
}

TEST_F(CommandsTest, AFolderWithoutBooksIsRefusedAndLeftAlone) {
  EXPECT_EQ(Run({"where"}), kExitFailure);
  EXPECT_EQ(ui_.LastText(), dir_.path() +
                                "\nholds no company (KXACCT.CFG and KXACCT.TRN). 'kxbatch new' "
                                "makes one.");
  EXPECT_EQ(dir_.Listing(), "");
  EXPECT_EQ(Run({"--folder", dir_.File("missing"), "test"}), kExitFailure);
  EXPECT_EQ(ui_.LastText(), dir_.File("missing") + "/\ndoes not exist.");
}

TEST_F(CommandsTest, NewMakesACompanyWithTheDefaultChart) {
  const std::string folder = dir_.File("Café");
  EXPECT_EQ(Run({"--folder", folder, "new", "--name", "Café Zürich"}), kExitSuccess);
  EXPECT_EQ(out(), "0 Transactions\n" + folder + "/\nAccounts are balanced\n");
  Ledger ledger(fs_, ui_, clock_);
  ledger.SetDataFolder(folder);
  ASSERT_TRUE(ledger.OpenDataFolder());
  EXPECT_EQ(ledger.settings().name_line_1.substr(0, 12), "Caf\xE9 Z\xFCrich ");
  EXPECT_EQ(ledger.chart().Encode().size(), testing::DefaultChartFile().size());

  // A second "new" on the same folder changes nothing.
  const std::string settings = ReadWhole(folder + "/KXACCT.CFG");
  EXPECT_EQ(Run({"--folder", folder, "new", "--name", "Other"}), kExitFailure);
  EXPECT_EQ(
      ui_.LastText(),
      Utf8ToCp1252(folder) + "/\nholds the books of a company already - no new company was made.");
  EXPECT_EQ(ReadWhole(folder + "/KXACCT.CFG"), settings);
}

TEST_F(CommandsTest, NewNeedsAParentFolder) {
  EXPECT_EQ(Run({"--folder", dir_.File("a/b"), "new"}), kExitFailure);
  EXPECT_EQ(ui_.LastText().rfind("Cannot create the folder " + dir_.File("a/b/"), 0), 0u);
}

TEST_F(CommandsTest, TestPassesCleanBooks) {
  WriteCompany(SmallChart(), {Line(kCheckOrDeposit, "650", 40000, Day(2025, 2, 1))});
  EXPECT_EQ(Run({"test"}), kExitSuccess);
  EXPECT_EQ(out(), "Testing: no problems found.\n");
  EXPECT_TRUE(ui_.messages().empty());
}

TEST_F(CommandsTest, TestReportsTheConsistencyProblems) {
  std::vector<AccountRecord> chart = SmallChart();
  chart[0].balance_forward = Money::FromCents(99999);  // forwards off by 0.01
  std::swap(chart[3], chart[4]);                       // Rent (6) before Sales (3)
  chart[3].number = "500 ";
  WriteCompany(chart, {Line(kJournalLine, "650", 1000, Day(2025, 2, 1)),
                       Line(kJournalLine, "777", 500, Day(2025, 2, 1))});
  EXPECT_EQ(Run({"test"}), kExitFailure);
  const std::vector<std::string> texts = ui_.Texts();
  ASSERT_EQ(texts.size(), 4u) << ::testing::PrintToString(texts);
  EXPECT_NE(texts[0].find(" has a LOWER Account Type than Account "), std::string::npos);
  EXPECT_EQ(texts[1].rfind("COA Balance Forward figures are out of balance.", 0), 0u);
  EXPECT_EQ(texts[2], "Entries posted to deleted COA accounts are out of balance.");
  EXPECT_EQ(texts[3].rfind("Journal entries are out of balance.", 0), 0u);
  EXPECT_EQ(out(), "");
}

TEST_F(CommandsTest, TestReportsPostedTotalsThatWereRepaired) {
  WriteCompany(SmallChart(), {Line(kCheckOrDeposit, "650", 40000, Day(2025, 2, 1))});
  ChartOfAccounts chart = ChartOfAccounts::Decode(dir_.ReadFile("KXACCT.COA"));
  chart.mutable_account(chart.FindAccount("650")).posted_total = Money::FromCents(1);
  dir_.WriteFile("KXACCT.COA", chart.Encode());
  EXPECT_EQ(Run({"test"}), kExitFailure);
  ASSERT_EQ(ui_.messages().size(), 1u);
  EXPECT_EQ(ui_.messages()[0].title, "Testing: ");
  EXPECT_NE(ui_.LastText().find("650 Rent: 400.00 (was 0.01)"), std::string::npos);
  // The repair was saved: the next test finds nothing.
  ui_.ClearMessages();
  EXPECT_EQ(Run({"test"}), kExitSuccess);
}

TEST_F(CommandsTest, TestFindsARepairThatCouldNotBeSaved) {
  WriteCompany(SmallChart(), {Line(kCheckOrDeposit, "650", 40000, Day(2025, 2, 1))});
  ChartOfAccounts chart = ChartOfAccounts::Decode(dir_.ReadFile("KXACCT.COA"));
  chart.mutable_account(chart.FindAccount("650")).posted_total = Money::FromCents(1);
  dir_.WriteFile("KXACCT.COA", chart.Encode());
  fs_.faults().fail_rename = true;
  EXPECT_EQ(Run({"test"}), kExitFailure);
  EXPECT_EQ(ui_.LastText(),
            "The posted total of account 650 Rent is 0.01 but its entries add up to 400.00.");
}

TEST_F(CommandsTest, ExportJournalToAFileOrStandardOutput) {
  WriteCompany(SmallChart(), {Line(kCheckOrDeposit, "650", 40000, Day(2025, 2, 1), "Dock")});
  EXPECT_EQ(Run({"export-journal"}), kExitSuccess);
  const std::string journal = out();
  EXPECT_NE(journal.find("2025-02-01 Dock\n    650 Rent"), std::string::npos) << journal;
  env_.current_folder = dir_.path();
  EXPECT_EQ(Run({"export-journal", "books.journal"}), kExitSuccess);
  EXPECT_EQ(dir_.ReadFile("books.journal"), journal);

  fs_.faults().fail_rename = true;
  dir_.WriteFile("old.journal", "kept");
  EXPECT_EQ(Run({"export-journal", "old.journal"}), kExitFailure);
  EXPECT_EQ(ui_.LastText().rfind("Error writing " + dir_.File("old.journal"), 0), 0u);
  EXPECT_EQ(dir_.ReadFile("old.journal"), "kept");
}

TEST_F(CommandsTest, UsageErrorsExitWithTwoBeforeTouchingTheFolder) {
  EXPECT_EQ(Run({"where", "--accrual"}), kExitUsage);
  EXPECT_EQ(err(), "kxbatch: unknown option '--accrual' for 'where'\nTry 'kxbatch --help'.\n");
  EXPECT_EQ(Run({"report", "--help"}), kExitSuccess);
  EXPECT_EQ(out().rfind("Usage: kxbatch [--folder DIR] report", 0), 0u);
  EXPECT_EQ(dir_.Listing(), "");
}

}  // namespace
}  // namespace zenkar
