// The "Bank-Rec" report: its figures from the books and the reconciliation
// as last saved, the statement period of a report period, the pages of a
// long list of outstanding entries, and the report run's targets (a PDF that
// qpdf and pdftotext accept, the printer; no CSV). It is run by name, never
// offered on the Reports tab.
#include "output/bank_rec_report.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "common/text_field.h"
#include "ledger/ledger.h"
#include "output/output_fakes.h"
#include "output/pdf_test_tools.h"
#include "support/temp_dir.h"

namespace zenkar {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

DayNumber Day(int year, int month, int day) { return *MakeDayNumber(year, month, day); }

AccountRecord Account(std::string_view number, std::string_view description, int32_t type,
                      int64_t balance_cents = 0) {
  AccountRecord account;
  account.number = AccountKey(number);
  account.description = std::string(description);
  account.type = type;
  account.balance_forward = Money::FromCents(balance_cents);
  return account;
}

TransactionRecord Check(std::string_view reference, DayNumber date, std::string_view account,
                        int64_t cents, std::string_view payee) {
  TransactionRecord line;
  ClearTransaction(line);
  line.kind = kCheckOrDeposit;
  line.reference = std::string(reference);
  line.date = date;
  line.account = AccountKey(account);
  line.amount = Money::FromCents(cents);
  line.description = std::string(payee);
  return line;
}

class BankRecReportTest : public ::testing::Test {
 protected:
  BankRecReportTest() : out_(dir_.path()), ledger_(PosixFileSystem(), out_.ui, out_.clock) {
    out_.services.printer = &out_.printer;
    AddBankRecReport(registry_);
  }

  // A company with 1,000.00 in the bank brought forward, `checks` checks of
  // 10.00 in March 2025 and a deposit of 20.00; the first `outstanding`
  // checks saved as outstanding, and a statement (less a fee of 5.00) that
  // agrees with the books.
  void WriteCompany(int checks, int outstanding) {
    CompanySettings settings;
    NewCompanySettings(settings);
    settings.name_line_1 = "Harbor Supply Co.";
    settings.statement_ending_balance = Money::FromCents(102500 + 1000 * (outstanding - checks));
    settings.adjustment_descriptions[1] = "Service fee";
    settings.adjustment_amounts[1] = Money::FromCents(-500);
    dir_.WriteFile("KXACCT.CFG", settings.Encode());
    dir_.WriteFile(
        "KXACCT.COA",
        ChartOfAccounts({Account("110", "Checking Account", kAssets, 100000),
                         Account("465", "Retained Earnings", kLiabilitiesAndEquity, -100000),
                         Account("510", "Sales", kIncome),
                         Account("650", "Rent", kOperatingExpenses)})
            .Encode());
    dir_.WriteFile("KXACCT.VND", PayeeRecord().Encode());
    std::string lines;
    for (int i = 0; i < checks; ++i) {
      lines += Check(std::to_string(1001 + i), Day(2025, 3, 1 + i % 28), "650", 1000,
                     "Payee " + std::to_string(i + 1))
                   .Encode();
    }
    lines += Check("", Day(2025, 3, 3), "510", -2000, "Deposit").Encode();
    dir_.WriteFile("KXACCT.TRN", lines);
    ASSERT_TRUE(ledger_.OpenDataFolder());
    ReconciliationBooks books;
    ASSERT_TRUE(ReadReconciliationBooks(ledger_, &books));
    for (int i = 0; i < outstanding; ++i) books.items[i].outstanding = 1;
    ASSERT_TRUE(ledger_.SaveReconciliation({}, OutstandingItems(books.items)).has_value());
    out_.ui.ClearMessages();
  }

  ReportRunResult Run(OutputTarget target, ReportPeriod period) {
    return RunReports(registry_, ledger_, out_.services,
                      {{std::string(kBankRecLabel)}, target, period, {}});
  }

  testing::TempDir dir_;
  testing::TestOutput out_;
  Ledger ledger_;
  ReportRegistry registry_;
};

TEST_F(BankRecReportTest, TheFiguresAreThoseOfTheSavedReconciliation) {
  ledger_.SetDataFolder(dir_.path());
  WriteCompany(3, 1);
  BankRecReport report;
  ASSERT_TRUE(BuildBankRecReport(ledger_, DatePeriod(Day(2025, 3, 15)), &report));
  EXPECT_EQ(report.start, Day(2025, 2, 1));
  EXPECT_EQ(report.end, Day(2025, 3, 15));
  EXPECT_EQ(report.bank_account, "110 Checking Account");
  ASSERT_EQ(report.outstanding.size(), 1u);
  EXPECT_EQ(TrimRight(report.outstanding[0].reference), "1001");
  // 1,000.00 - 30.00 + 20.00 in the books; 1,005.00 - 5.00 - 10.00 per
  // reconciliation.
  EXPECT_EQ(report.figures.book_balance, Money::FromCents(99000));
  EXPECT_EQ(report.figures.statement_balance, Money::FromCents(100500));
  EXPECT_EQ(report.figures.outstanding, Money::FromCents(1000));
  EXPECT_EQ(report.figures.per_reconciliation, Money::FromCents(99000));
  EXPECT_TRUE(report.figures.balanced());
  // A range is the statement's period as it stands.
  ASSERT_TRUE(BuildBankRecReport(ledger_, RangePeriod(Day(2025, 3, 5), Day(2025, 3, 31)), &report));
  EXPECT_EQ(report.start, Day(2025, 3, 5));
  EXPECT_EQ(report.end, Day(2025, 3, 31));
}

TEST_F(BankRecReportTest, ItIsRunByNameAndNotOfferedOnTheReportsTab) {
  EXPECT_TRUE(registry_.AvailableLabels().empty());
  EXPECT_THAT(registry_.RunnableLabels(), ElementsAre("Bank-Rec"));
  ledger_.SetDataFolder(dir_.path());
  WriteCompany(2, 0);
  EXPECT_FALSE(Run(OutputTarget::kText, DatePeriod(Day(2025, 3, 31))).completed);
  EXPECT_EQ(out_.ui.LastText(), kCannotBeCsv);
}

TEST_F(BankRecReportTest, ALongListRunsOverPagesWithTheSummaryOnTheFirst) {
  ledger_.SetDataFolder(dir_.path());
  WriteCompany(100, 100);
  ASSERT_TRUE(Run(OutputTarget::kPrinter, DatePeriod(Day(2025, 3, 31))).completed);
  ASSERT_EQ(out_.printer.jobs.size(), 1u);
  EXPECT_EQ(out_.printer.titles, std::vector<std::string>{"Bank-Rec"});
  const std::vector<std::vector<std::string>> pages = testing::PagesOf(out_.printer.jobs[0]);
  ASSERT_EQ(pages.size(), 3u);
  EXPECT_THAT(pages[0], Contains("Bank Reconciliation"));
  EXPECT_THAT(pages[0], Contains("Less Outstanding Items"));
  EXPECT_THAT(pages[0], Contains("Service fee"));
  EXPECT_THAT(pages[0], Contains("Bank Account is Balanced"));
  EXPECT_THAT(pages[0], Contains("Page 1 of 3"));
  EXPECT_THAT(pages[2], Contains("Page 3 of 3"));
  int listed = 0;
  for (const auto& page : pages) {
    EXPECT_THAT(page, Contains("Outstanding Entries"));
    for (const std::string& text : page) listed += text.rfind("Payee ", 0) == 0;
  }
  EXPECT_EQ(listed, 100);
}

TEST_F(BankRecReportTest, ThePdfIsSoundAndReadsAsTheReconciliation) {
  ledger_.SetDataFolder(dir_.path());
  WriteCompany(3, 2);
  ASSERT_TRUE(Run(OutputTarget::kPdf, RangePeriod(Day(2025, 3, 1), Day(2025, 3, 31))).completed);
  ASSERT_EQ(out_.shell.opened.size(), 1u);
  const std::string pdf = out_.shell.opened[0];
  EXPECT_THAT(pdf, HasSubstr("Bank-Rec.pdf"));
  EXPECT_EQ(testing::QpdfProblems(pdf), std::nullopt);
  const testing::TextPages pages = testing::PdfTextPages(pdf);
  ASSERT_EQ(pages.size(), 1u);
  std::string text;
  for (const std::string& line : pages[0]) text += line + "\n";
  EXPECT_THAT(text, HasSubstr("Harbor Supply Co."));
  EXPECT_THAT(text, HasSubstr("Bank Balance Through 03/31/2025"));
  EXPECT_THAT(text, HasSubstr("Balance Per Reconciliation"));
  EXPECT_THAT(text, HasSubstr("1001"));
  EXPECT_THAT(text, HasSubstr("1002"));
}

}  // namespace
}  // namespace zenkar
