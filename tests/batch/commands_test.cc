// The commands over a company folder (new, where, test, export-journal): what
// they print, the messages they report and their exit statuses.
#include <gtest/gtest.h>

#include "batch_fixture.h"
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

class CommandsTest : public testing::BatchFixture {
 protected:
  // Books whose posted total of 650 was changed behind the program's back.
  void WriteDriftedTotal() {
    WriteCompany(SmallChart(), {Line(kCheckOrDeposit, "650", 40000, Day(2025, 2, 1))});
    ChartOfAccounts chart = ChartOfAccounts::Decode(dir_.ReadFile("KXACCT.COA"));
    chart.mutable_account(chart.FindAccount("650")).posted_total = Money::FromCents(1);
    dir_.WriteFile("KXACCT.COA", chart.Encode());
  }
};

TEST_F(CommandsTest, WhereSummarisesTheBooks) {
  WriteCompany(SmallChart(), {Line(kJournalLine, "650", 1234, Day(2025, 2, 1)),
                              Line(kCheckOrDeposit, "510", -5000, Day(2025, 2, 2))});
  env_.current_folder = dir_.path();
  EXPECT_EQ(Run({"--folder", ".", "where"}), kExitSuccess);
  EXPECT_EQ(out(),
            "2 Transactions\n" + dir_.path() + "./\nAccounts are out of balance by: 12.34\n");
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

TEST_F(CommandsTest, NewMakesACompanyOnceOnly) {
  const std::string folder = dir_.File("Café");
  EXPECT_EQ(Run({"--folder", folder, "new", "--name", "Café Zürich"}), kExitSuccess);
  EXPECT_EQ(out(), "0 Transactions\n" + folder + "/\nAccounts are balanced\n");
  const std::string settings = dir_.ReadFile("Café/KXACCT.CFG");
  EXPECT_EQ(CompanySettings::Decode(settings).name_line_1.substr(0, 12), "Caf\xE9 Z\xFCrich ");
  EXPECT_EQ(dir_.ReadFile("Café/KXACCT.COA").size(), testing::DefaultChartFile().size());

  EXPECT_EQ(Run({"--folder", folder, "new", "--name", "Other"}), kExitFailure);
  EXPECT_EQ(
      ui_.LastText(),
      Utf8ToCp1252(folder) + "/\nholds the books of a company already - no new company was made.");
  EXPECT_EQ(dir_.ReadFile("Café/KXACCT.CFG"), settings);
}

TEST_F(CommandsTest, TestPassesCleanBooksAndReportsEachProblem) {
  WriteCompany(SmallChart(), {Line(kCheckOrDeposit, "650", 40000, Day(2025, 2, 1))});
  EXPECT_EQ(Run({"test"}), kExitSuccess);
  EXPECT_EQ(out(), "Testing: no problems found.\n");

  std::vector<AccountRecord> chart = SmallChart();
  chart[0].balance_forward = Money::FromCents(99999);  // forwards off by 0.01
  chart[3].type = kOperatingExpenses;                  // Sales (6) before Rent (6): fine
  chart[4].type = kIncome;                             // Rent (3) after Sales (6): lower
  WriteCompany(chart, {Line(kJournalLine, "650", 1000, Day(2025, 2, 1)),
                       Line(kJournalLine, "777", 500, Day(2025, 2, 1))});
  EXPECT_EQ(Run({"test"}), kExitFailure);
  // Type order, balance forwards, deleted accounts, journal entries.
  EXPECT_EQ(ui_.messages().size(), 4u) << ::testing::PrintToString(ui_.Texts());
  EXPECT_EQ(ui_.messages()[0].title, "Testing: ");
  EXPECT_EQ(out(), "Testing: no problems found.\n");  // from the first run only
}

TEST_F(CommandsTest, TestReportsRepairedTotalsAndOnesThatCouldNotBeSaved) {
  WriteDriftedTotal();
  EXPECT_EQ(Run({"test"}), kExitFailure);
  ASSERT_EQ(ui_.messages().size(), 1u);
  EXPECT_EQ(ui_.messages()[0].title, "Testing: ");
  EXPECT_NE(ui_.LastText().find("650 Rent: 400.00 (was 0.01)"), std::string::npos);
  EXPECT_EQ(Run({"test"}), kExitSuccess);  // the repair was saved

  WriteDriftedTotal();
  fs_.faults().fail_rename = true;
  EXPECT_EQ(Run({"test"}), kExitFailure);
  EXPECT_EQ(ui_.LastText(),
            "The posted total of account 650 Rent is 0.01 but its entries add up to 400.00.");
}

TEST_F(CommandsTest, ExportJournalToStandardOutputOrAFile) {
  WriteCompany(SmallChart(), {Line(kCheckOrDeposit, "650", 40000, Day(2025, 2, 1), "Dock")});
  EXPECT_EQ(Run({"export-journal"}), kExitSuccess);
  const std::string journal = out();
  EXPECT_NE(journal.find("2025-02-01 Dock\n    650 Rent"), std::string::npos) << journal;
  env_.current_folder = dir_.path();
  EXPECT_EQ(Run({"export-journal", "books.journal"}), kExitSuccess);
  EXPECT_EQ(dir_.ReadFile("books.journal"), journal);

  dir_.WriteFile("old.journal", "kept");
  fs_.faults().fail_rename = true;
  EXPECT_EQ(Run({"export-journal", "old.journal"}), kExitFailure);
  EXPECT_EQ(ui_.LastText().rfind("Error writing " + dir_.File("old.journal"), 0), 0u);
  EXPECT_EQ(dir_.ReadFile("old.journal"), "kept");
}

TEST_F(CommandsTest, UsageErrorsExitWithTwoAndHelpWithZero) {
  EXPECT_EQ(Run({"where", "--accrual"}), kExitUsage);
  EXPECT_EQ(err(), "kxbatch: unknown option '--accrual' for 'where'\nTry 'kxbatch --help'.\n");
  EXPECT_EQ(Run({"report", "--print", "--help"}), kExitSuccess);  // help wins
  EXPECT_EQ(out().rfind("Usage: kxbatch [--folder DIR] report", 0), 0u);
  EXPECT_NE(out().find("Reports:\n  Income Statement\n  Balance Sheet\n"), std::string::npos);
  EXPECT_EQ(dir_.Listing(), "");
}

}  // namespace
}  // namespace zenkar
