// The income statement's figures on hand-built books with known answers:
// periods, level totals, percentages of sales, and the refusals.
#include "output/income_statement.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "output/financial_statements.h"
#include "output/number_format.h"
#include "output/output_fakes.h"
#include "output/statement_books.h"
#include "support/temp_dir.h"

namespace zenkar {
namespace {

using testing::Day;
using ::testing::ElementsAre;

Money Cents(int64_t cents) { return Money::FromCents(cents); }

class IncomeStatementTest : public ::testing::Test {
 protected:
  IncomeStatementTest() : out_(dir_.path()) {
    testing::AddIncomeAccounts(books_);
    books_.Account("110", kAssets, "Checking Account").Account("210", kLiabilitiesAndEquity, "AP");
    // January: a sale and the rent.
    books_.Check(Day(2014, 1, 10), "510", -100000).Check(Day(2014, 1, 8), "650", 60000);
    // March: sales, purchases, expenses and interest.
    books_.Check(Day(2014, 3, 5), "510", -200000)
        .Check(Day(2014, 3, 6), "520", -50000)
        .Check(Day(2014, 3, 7), "560", 80000)
        .Check(Day(2014, 3, 8), "650", 60000)
        .Check(Day(2014, 3, 9), "660", 10000)
        .Check(Day(2014, 3, 10), "675", 5000)
        .Entry(Day(2014, 3, 20), "110", "810", 2500);
  }

  IncomeStatement Compute(const ReportPeriod& period, IncomeStatementOptions options = {}) {
    const StatementWindow window = StatementWindowOf(period, books_.settings.fiscal_start_month);
    StatementScan scan;
    EXPECT_TRUE(
        ScanStatementLines(books_.Source(), books_.chart(), books_.settings, window, &scan));
    return ComputeIncomeStatement(books_.chart(), scan, window, options);
  }

  const IncomeStatementLine& Line(const IncomeStatement& statement, std::string_view number) {
    return testing::IncomeLine(statement, books_.chart(), number);
  }

  // Runs the whole report to the printer; the texts it printed.
  std::vector<std::string> Print(const ReportPeriod& period, ReportOptions options = {}) {
    PrintJob job(out_.services, OutputTarget::kPrinter);
    if (!PrintIncomeStatement(books_.Books(), job, period, options)) return {};
    return testing::TextsOf(out_.printer.jobs.back());
  }

  testing::TestBooks books_;
  testing::TempDir dir_;
  testing::TestOutput out_;
};

TEST_F(IncomeStatementTest, ALevelTwoTotalSumsTheAccountsSinceTheLastTotal) {
  const IncomeStatement statement = Compute(MonthPeriod(2014, 3));
  // March alone, and January to March.
  EXPECT_EQ(Line(statement, "510").amounts[kCurrentPeriod], Cents(200000));
  EXPECT_EQ(Line(statement, "510").amounts[kYearToDate], Cents(300000));
  EXPECT_EQ(statement.sales[kYearToDate], Cents(350000));
  // Rent, telephone and utilities; the interest after them starts afresh.
  EXPECT_EQ(Line(statement, "799").amounts[kCurrentPeriod], Cents(75000));
  EXPECT_EQ(Line(statement, "799").amounts[kYearToDate], Cents(135000));
  EXPECT_EQ(Line(statement, "810").amounts[kCurrentPeriod], Cents(2500));
  EXPECT_EQ(Line(statement, "849").amounts[kCurrentPeriod], Cents(2500));
  // Income totals and gross profit read positive.
  EXPECT_EQ(Line(statement, "549").amounts[kCurrentPeriod], Cents(250000));
  EXPECT_EQ(Line(statement, "599").amounts[kCurrentPeriod], Cents(170000));
}

TEST_F(IncomeStatementTest, ALevelNineNetProfitSumsEverythingAboveIt) {
  const IncomeStatement statement = Compute(MonthPeriod(2014, 3));
  // 2,500 income - 800 purchases - 750 expenses + 25 interest.
  EXPECT_EQ(Line(statement, "999").amounts[kCurrentPeriod], Cents(97500));
  EXPECT_EQ(Line(statement, "999").amounts[kYearToDate], Cents(137500));
}

TEST_F(IncomeStatementTest, PercentagesOfSalesRoundedToTwoDecimals) {
  const IncomeStatement statement = Compute(MonthPeriod(2014, 3));
  EXPECT_EQ(Line(statement, "560").percents[kCurrentPeriod], 3200);
  EXPECT_EQ(Line(statement, "549").percents[kCurrentPeriod], 10000);
  EXPECT_EQ(Line(statement, "999").percents[kCurrentPeriod], 3900);
  // 1,200 / 3,500 = 34.2857...; 1,375 / 3,500 = 39.2857...
  EXPECT_EQ(Line(statement, "650").percents[kYearToDate], 3429);
  EXPECT_EQ(Line(statement, "999").percents[kYearToDate], 3929);
  // A title with nothing in it has no percentage.
  EXPECT_EQ(Line(statement, "600").percents[kCurrentPeriod], 0);
}

TEST_F(IncomeStatementTest, PercentagesAreClampedAt999Point99) {
  books_.Check(Day(2014, 3, 11), "675", 3000000);  // 30,050 on 2,500 of sales
  const IncomeStatement statement = Compute(MonthPeriod(2014, 3));
  EXPECT_EQ(Line(statement, "675").percents[kCurrentPeriod], 99999);
  EXPECT_EQ(Line(statement, "999").percents[kCurrentPeriod], -99999);
  EXPECT_EQ(PercentOf(Cents(-1000001), Cents(100000)), -99999);
  EXPECT_EQ(PercentOf(Cents(999990), Cents(100000)), 99999);
  // Half a hundredth of a percent rounds away from zero.
  EXPECT_EQ(PercentOf(Money::FromRaw(5), Money::FromRaw(100000)), 1);
  EXPECT_EQ(PercentOf(Money::FromRaw(-5), Money::FromRaw(100000)), -1);
  EXPECT_EQ(PercentOf(Money::FromRaw(4), Money::FromRaw(100000)), 0);
}

TEST_F(IncomeStatementTest, WithoutSalesNoPercentageIsPrintedButAmountsAre) {
  testing::TestBooks books;
  testing::AddIncomeAccounts(books);
  books.Check(Day(2014, 3, 8), "650", 60000);
  books_ = books;
  const IncomeStatement statement = Compute(MonthPeriod(2014, 3));
  for (const IncomeStatementLine& line : statement.lines) {
    EXPECT_THAT(line.percents, ElementsAre(0, 0, 0)) << line.description;
  }
  const std::vector<std::string> printed = Print(MonthPeriod(2014, 3));
  EXPECT_THAT(printed, ::testing::Contains("600.00"));
  EXPECT_THAT(printed, ::testing::Contains("(600.00)"));  // the net loss
  EXPECT_THAT(printed, ::testing::Not(::testing::Contains("100.00")));
}

TEST_F(IncomeStatementTest, PriorYearGivesOnlyItsPercentage) {
  books_.Check(Day(2013, 6, 1), "510", -400000).Check(Day(2013, 6, 2), "650", 100000);
  const IncomeStatement statement = Compute(MonthPeriod(2014, 3));
  ASSERT_TRUE(statement.prior_year);
  EXPECT_FALSE(Compute(MonthPeriod(2013, 3)).prior_year);  // nothing in 2012
  EXPECT_EQ(statement.sales[kPriorYear], Cents(400000));
  EXPECT_EQ(Line(statement, "650").percents[kPriorYear], 2500);
  EXPECT_EQ(Line(statement, "999").percents[kPriorYear], 7500);
  // The prior year is not in the year to date.
  EXPECT_EQ(Line(statement, "650").amounts[kYearToDate], Cents(120000));
  const std::vector<std::string> printed = Print(MonthPeriod(2014, 3));
  EXPECT_THAT(printed, ::testing::Contains("25.00"));
  EXPECT_THAT(printed, ::testing::Not(::testing::Contains("1,000.00")));
  EXPECT_THAT(printed, ::testing::Not(::testing::Contains("4,000.00")));
}

TEST_F(IncomeStatementTest, OmitPercentagesLeavesTwoAmountColumns) {
  books_.Check(Day(2013, 6, 1), "510", -400000);
  const IncomeStatement statement = Compute(MonthPeriod(2014, 3), {.omit_percentages = true});
  EXPECT_FALSE(statement.prior_year);
  EXPECT_THAT(Line(statement, "650").percents, ElementsAre(0, 0, 0));
  const StatementDocument document =
      IncomeStatementDocument(statement, books_.settings, HeadingFactsOf(out_.clock, out_.dates));
  std::vector<std::pair<std::string, double>> headings;
  for (const ColumnHeading& heading : document.heading.columns) {
    headings.emplace_back(heading.text, heading.column);
  }
  EXPECT_THAT(headings,
              ElementsAre(std::make_pair("Current", 42.0), std::make_pair("Y-T-D", 62.0),
                          std::make_pair("Amount", 42.0), std::make_pair("Amount", 62.0)));
  for (const StatementBodyLine& line : document.lines) {
    for (const StatementAmount& amount : line.amounts) {
      EXPECT_TRUE(amount.column == 42 || amount.column == 62) << line.description;
    }
  }
}

TEST_F(IncomeStatementTest, ZeroAccountsAppearOnlyWhenAskedFor) {
  books_.Account("690", kOperatingExpenses, "Travel");
  EXPECT_FALSE(Line(Compute(MonthPeriod(2014, 3)), "690").included);
  EXPECT_TRUE(Line(Compute(MonthPeriod(2014, 3)), "600").included);  // a title always
  EXPECT_TRUE(Line(Compute(MonthPeriod(2014, 3), {.include_zero_balances = true}), "690").included);
  // An account with nothing this month but something earlier in the year.
  books_.Check(Day(2014, 2, 1), "690", 1000);
  EXPECT_TRUE(Line(Compute(MonthPeriod(2014, 3)), "690").included);
}

TEST_F(IncomeStatementTest, UnpaidInvoicesCountOnlyUnderAccrualAtTheirInvoiceDate) {
  books_.Invoice(Day(2014, 3, 15), "560", 30000);
  books_.Invoice(kNoDate, "560", 70000);  // no date of any kind: no part
  EXPECT_EQ(Line(Compute(MonthPeriod(2014, 3)), "560").amounts[kCurrentPeriod], Cents(80000));
  books_.settings.accrual_accounting = 1;
  EXPECT_EQ(Line(Compute(MonthPeriod(2014, 3)), "560").amounts[kCurrentPeriod], Cents(110000));
  EXPECT_EQ(Line(Compute(MonthPeriod(2014, 2)), "560").amounts[kYearToDate], Cents(0));
}

TEST_F(IncomeStatementTest, TheYearToDateStartsInTheFiscalStartMonth) {
  books_.settings.fiscal_start_month = 2;
  const IncomeStatement statement = Compute(MonthPeriod(2014, 3));
  EXPECT_EQ(statement.window.year.first, Day(2014, 2, 1));
  EXPECT_EQ(Line(statement, "510").amounts[kYearToDate], Cents(200000));
  EXPECT_EQ(Line(statement, "650").amounts[kYearToDate], Cents(60000));
}

// ------------------------------------------------------------ refusals

TEST_F(IncomeStatementTest, ABlankAccountInTheYearToDateStopsTheStatement) {
  books_.Check(Day(2013, 12, 31), "", 1234);  // before the year: no matter
  EXPECT_FALSE(Print(MonthPeriod(2014, 3)).empty());
  // Outside the selected month, inside the year to date.
  books_.Check(Day(2014, 2, 14), "", 1234);
  out_.printer.titles.clear();
  EXPECT_TRUE(Print(MonthPeriod(2014, 3)).empty());
  EXPECT_EQ(out_.ui.Texts(),
            std::vector<std::string>{
                "At least one transaction is missing the account number. The Income Statement "
                "cannot be printed until all transactions have a valid account number."});
  EXPECT_TRUE(out_.printer.titles.empty());
}

TEST_F(IncomeStatementTest, AnAccountMissingFromTheChartIsNamed) {
  books_.Check(Day(2014, 3, 2), "655", 1234).Check(Day(2014, 3, 1), "656", 1);
  EXPECT_TRUE(Print(MonthPeriod(2014, 3)).empty());
  EXPECT_EQ(out_.ui.Texts(),
            std::vector<std::string>{
                "Account 656 is missing from the Chart of Accounts.  The Income Statement cannot "
                "be printed until the COA account is added, or the transactions to the missing "
                "account have been edited."});
}

TEST_F(IncomeStatementTest, APeriodAcrossTheAccountingYearIsRefusedBeforeReading) {
  bool read = false;
  StatementBooks books{books_.chart(), books_.settings,
                       [&](const std::function<void(const TransactionRecord&)>&) {
                         read = true;
                         return true;
                       }};
  PrintJob job(out_.services, OutputTarget::kPdf);
  EXPECT_FALSE(
      PrintIncomeStatement(books, job, RangePeriod(Day(2013, 12, 1), Day(2014, 3, 31)), {}));
  EXPECT_FALSE(
      PrintIncomeStatement(books, job, RangePeriod(Day(2014, 3, 31), Day(2014, 3, 1)), {}));
  EXPECT_EQ(out_.ui.Texts(), (std::vector<std::string>{
                                 "This report is limited to dates from a single accounting year.",
                                 "The ending date must not be earlier than the starting date."}));
  EXPECT_FALSE(read);
  EXPECT_EQ(dir_.Listing(), "");
}

TEST_F(IncomeStatementTest, APeriodWithoutTransactionsIsRefused) {
  EXPECT_TRUE(Print(MonthPeriod(2014, 2)).empty());
  EXPECT_EQ(
      out_.ui.Texts(),
      std::vector<std::string>{"No transactions dated 02/01/2014 through 02/28/2014 were found."});
}

}  // namespace
}  // namespace zenkar
