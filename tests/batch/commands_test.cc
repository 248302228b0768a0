// The commands over a company folder (new, where, test, export-journal): what
// they print, the messages they report and their exit statuses.
#include <gtest/gtest.h>

#include <filesystem>

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

// True when UTF-8 `text` holds a control character other than a line end:
// C0, DEL or C1 (U+0080 to U+009F, "\xC2\x80" to "\xC2\x9F").
bool HoldsControlCharacters(std::string_view text) {
  for (size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    const bool c1 =
        c == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) < 0xA0;
    if ((c < 0x20 && c != '\n') || c == 0x7F || c1) return true;
  }
  return false;
}

class CommandsTest : public testing::BatchFixture {
 protected:
  // Books whose posted total of 650 was changed behind the program's back.
  void WriteDriftedTotal(const std::vector<AccountRecord>& accounts = SmallChart(),
                         const std::vector<TransactionRecord>& lines = {
                             Line(kCheckOrDeposit, "650", 40000, Day(2025, 2, 1))}) {
    WriteCompany(accounts, lines);
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

TEST_F(CommandsTest, TestReportsDriftedTotalsAndChangesNoFile) {
  WriteDriftedTotal();
  const std::string chart = dir_.ReadFile("KXACCT.COA");
  EXPECT_EQ(Run({"test"}), kExitFailure);
  ASSERT_EQ(ui_.messages().size(), 1u);
  EXPECT_EQ(ui_.messages()[0].title, "Testing: ");
  EXPECT_NE(ui_.LastText().find("650 Rent: 400.00 (was 0.01)"), std::string::npos);
  EXPECT_EQ(dir_.ReadFile("KXACCT.COA"), chart);
  EXPECT_EQ(Run({"test"}), kExitFailure);  // still there: kxacct repairs it
}

// Texts of the books may hold terminal commands, a carriage return and line
// breaks: messages and results show them escaped within the program's own
// lines, and the journal as spaces.
TEST_F(CommandsTest, ControlCharactersOfTheBooksNeverComeOutRaw) {
  std::vector<AccountRecord> chart = SmallChart();
  chart[4].description = "Rent\x1B[2J\x07\r\nDue";
  TransactionRecord check = Line(kCheckOrDeposit, "650", 40000, Day(2025, 2, 1));
  check.payee_number = 1;
  WriteDriftedTotal(chart, {check});
  PayeeRecord payee;
  payee.name = "Harbor\x1B]0;owned\x07\r\nSupply";
  dir_.WriteFile("KXACCT.VND", PayeeList({payee}).Encode());

  EXPECT_EQ(Run({"test"}), kExitFailure);
  EXPECT_EQ(ui_.LastText(),
            "The posted totals of these accounts do not agree with their entries. The books were "
            "opened for reading only: the totals of the entries are used here, and no file was "
            "changed:\n\n  650 Rent\\x1B[2J\\x07\\x0D\\x0ADue: 400.00 (was 0.01)");
  EXPECT_EQ(Run({"export-journal"}), kExitSuccess);
  const std::string journal = out();
  EXPECT_NE(journal.find("account 650 Rent [2J Due\n"), std::string::npos) << journal;
  EXPECT_NE(journal.find("payee Harbor ]0,owned Supply\n"), std::string::npos) << journal;
  EXPECT_FALSE(HoldsControlCharacters(journal)) << journal;

  const std::string odd = dir_.File("odd\x1B[2J");  // a folder name is no safer
  std::filesystem::create_directory(odd);
  EXPECT_EQ(Run({"--folder", odd + "/..", "where"}), kExitSuccess);
  EXPECT_NE(out().find(dir_.path() + "odd\\x1B[2J/../\nAccounts are balanced"), std::string::npos)
      << out();
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

// Damaged dates stop the export with the line's record number (the books are
// kept in date order: the undated invoice is line 1); nothing is written, not
// even to standard output. An undated unpaid invoice is no
// damage: it is exported like any undated line.
TEST_F(CommandsTest, ExportJournalRefusesImpossibleDates) {
  TransactionRecord invoice = Line(kInvoice, "650", 7500, kNoDate, "Harbor Supply");
  TransactionRecord late_due = Line(kInvoice, "650", 100, Day(2025, 3, 1), "Late");
  late_due.due_date = -700000;
  WriteCompany(SmallChart(), {Line(kCheckOrDeposit, "650", 40000, Day(2025, 2, 1), "Dock"), invoice,
                              Line(kCheckOrDeposit, "650", 100, 3000000, "Far"), late_due});
  env_.current_folder = dir_.path();
  dir_.WriteFile("old.journal", "kept");
  const std::string listing = dir_.Listing();
  EXPECT_EQ(Run({"export-journal", "--accrual", "old.journal"}), kExitFailure);
  EXPECT_EQ(ui_.LastText(),
            "Transaction 3 has the impossible date -700000 (a day number outside 1 January 100 to "
            "31 December 9999), and 1 more dates are impossible. The journal was not exported; "
            "correct the dates and export again.");
  EXPECT_EQ(dir_.ReadFile("old.journal"), "kept");
  EXPECT_EQ(dir_.Listing(), listing);
  EXPECT_EQ(Run({"export-journal"}), kExitFailure);  // the books basis skips the invoices
  EXPECT_EQ(out(), "");
  EXPECT_EQ(ui_.LastText().rfind("Transaction 4 has the impossible date 3000000 (", 0), 0u);

  WriteCompany(SmallChart(), {invoice});
  EXPECT_EQ(Run({"export-journal", "--accrual"}), kExitSuccess);
  EXPECT_NE(out().find("; unpaid invoice, undated\n"), std::string::npos) << out();
}

TEST_F(CommandsTest, PostRecurringPostsAMonthOnceUnlessToldAgain) {
  WriteCompany(SmallChart());
  RecurringEntryRecord rent;
  rent.kind = kJournalLine;
  rent.description = "Accrued rent";
  rent.account = "650";
  rent.reversing_account = "210";
  rent.amount = Money::FromCents(50000);
  rent.day = 31;
  dir_.WriteFile("KXACCT.RJE", rent.Encode());
  EXPECT_EQ(Run({"post-recurring", "--month", "2025-04"}), kExitSuccess);
  EXPECT_EQ(ui_.LastText(), "Recurring entries have been posted.");
  EXPECT_EQ(dir_.ReadFile("KXACCT.TRN").size(), 2 * 328u);
  // The question takes its preselected No (--yes answers it Yes).
  EXPECT_EQ(Run({"post-recurring", "--month", "2025-04"}), kExitFailure);
  EXPECT_NE(ui_.LastText().find("Post them again?"), std::string::npos);
  EXPECT_EQ(dir_.ReadFile("KXACCT.TRN").size(), 2 * 328u);
  ui_.Answer(true);
  EXPECT_EQ(Run({"post-recurring", "--month", "2025-04"}), kExitSuccess);
  EXPECT_EQ(dir_.ReadFile("KXACCT.TRN").size(), 4 * 328u);
  dir_.WriteFile("KXACCT.RJE", "");
  EXPECT_EQ(Run({"post-recurring", "--month", "2025-05"}), kExitSuccess);
  EXPECT_EQ(ui_.LastText(), "Nothing to post, no recurring entries found.");
}

TEST_F(CommandsTest, FindPrintsEveryMatchFromTheLastLineAndChangesNothing) {
  WriteCompany(SmallChart(), {Line(kCheckOrDeposit, "650", 1250, Day(2025, 2, 1), "ABC Supply"),
                              Line(kCheckOrDeposit, "510", -5000, Day(2025, 2, 2), "Deposit"),
                              Line(kJournalLine, "650", 9900, Day(2025, 2, 3), "abc rent")});
  const std::string listing = dir_.Listing();
  EXPECT_EQ(Run({"find", "abc"}), kExitSuccess);
  EXPECT_EQ(out(), "3\tDescription/Payee: abc rent\n1\tDescription/Payee: ABC Supply\n");
  EXPECT_EQ(Run({"find", "12.5"}), kExitSuccess);
  EXPECT_EQ(out(),
            "3\tDescription/Payee: abc rent\n1\tDescription/Payee: ABC Supply\n"
            "1\tAmt: 12.50\n");
  EXPECT_EQ(Run({"find", "Rent Co"}), kExitFailure);
  EXPECT_EQ(ui_.LastText(), "No matches found");
  EXPECT_EQ(dir_.Listing(), listing);
  EXPECT_EQ(Run({"find"}), kExitUsage);
  EXPECT_EQ(Run({"find", ""}), kExitUsage);
}

TEST_F(CommandsTest, UsageErrorsExitWithTwoAndHelpWithZero) {
  EXPECT_EQ(Run({"where", "--accrual"}), kExitUsage);
  EXPECT_EQ(err(), "kxbatch: unknown option '--accrual' for 'where'\nTry 'kxbatch --help'.\n");
  EXPECT_EQ(Run({"report", "--print", "--help"}), kExitSuccess);  // help wins
  EXPECT_EQ(out().rfind("Usage: kxbatch [--folder DIR] report", 0), 0u);
  EXPECT_NE(out().find("Reports:\n  Transaction Listing\n  Income Statement\n  Balance Sheet\n"
                       "  General Ledger\n"),
            std::string::npos);
  EXPECT_NE(out().find("  1099-MISC\n"), std::string::npos);
  EXPECT_EQ(dir_.Listing(), "");
}

}  // namespace
}  // namespace zenkar
