// The balance sheet's figures on hand-built books with known answers: level
// columns, the capital adjustment, the profit line, and the refusals.
#include "output/balance_sheet.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "output/financial_statements.h"
#include "output/output_fakes.h"
#include "output/statement_books.h"
#include "support/temp_dir.h"

namespace zenkar {
namespace {

using testing::Day;
using ::testing::ElementsAre;

Money Cents(int64_t cents) { return Money::FromCents(cents); }
const Money kNone;

class BalanceSheetTest : public ::testing::Test {
 protected:
  BalanceSheetTest() : out_(dir_.path()) {
    testing::AddBalanceAccounts(books_);
    testing::AddIncomeAccounts(books_);
    SetBalanceForward("110", 500000);
    SetBalanceForward("310", -500000);
    // The year before: a sale and the rent, carried into the capital account.
    books_.Check(Day(2013, 6, 1), "510", -100000).Check(Day(2013, 6, 2), "650", 30000);
    // This year.
    books_.Check(Day(2014, 3, 5), "510", -200000)
        .Check(Day(2014, 3, 8), "650", 60000)
        .Entry(Day(2014, 3, 10), "164", "270", 150000)
        .Entry(Day(2014, 3, 12), "130", "520", 40000)
        .Check(Day(2014, 4, 1), "510", -99900);  // after the period
  }

  void SetBalanceForward(std::string_view number, int64_t cents) {
    for (AccountRecord& account : books_.accounts) {
      if (account.number == AccountKey(number)) account.balance_forward = Cents(cents);
    }
  }

  BalanceSheet Compute(const ReportPeriod& period, bool include_zero = false) {
    const StatementWindow window = StatementWindowOf(period, books_.settings.fiscal_start_month);
    StatementScan scan;
    EXPECT_TRUE(
        ScanStatementLines(books_.Source(), books_.chart(), books_.settings, window, &scan));
    return ComputeBalanceSheet(books_.chart(), scan, window, books_.settings, include_zero);
  }

  const BalanceSheetLine& Line(const BalanceSheet& sheet, std::string_view number) {
    return testing::BalanceLine(sheet, books_.chart(), number);
  }

  bool Print(const ReportPeriod& period) {
    PrintJob job(out_.services, OutputTarget::kPrinter);
    return PrintBalanceSheet(books_.Books(), job, period, {});
  }

  testing::TestBooks books_;
  testing::TempDir dir_;
  testing::TestOutput out_;
};

TEST_F(BalanceSheetTest, EntryAccountsShowTheirBalanceInTheFirstColumn) {
  const BalanceSheet sheet = Compute(MonthPeriod(2014, 3));
  // 5,000 forward + 1,000 - 300 + 2,000 - 600 through the bank.
  EXPECT_THAT(Line(sheet, "110").columns, ElementsAre(Cents(710000), kNone, kNone));
  // Liabilities and equity read positive for credit balances.
  EXPECT_THAT(Line(sheet, "270").columns, ElementsAre(Cents(150000), kNone, kNone));
  EXPECT_THAT(Line(sheet, "310").columns, ElementsAre(Cents(500000), kNone, kNone));
}

TEST_F(BalanceSheetTest, SubtotalsStandInTheColumnOfTheirLevel) {
  const BalanceSheet sheet = Compute(MonthPeriod(2014, 3));
  EXPECT_THAT(Line(sheet, "159").columns, ElementsAre(kNone, Cents(750000), kNone));
  EXPECT_THAT(Line(sheet, "179").columns, ElementsAre(kNone, Cents(150000), kNone));
  // Level 4 prints in the last column.
  EXPECT_THAT(Line(sheet, "199").columns, ElementsAre(kNone, kNone, Cents(900000)));
  // With no level-2 total since the last one, a level-3 total also shows the
  // level-2 sum it takes in.
  EXPECT_THAT(Line(sheet, "299").columns, ElementsAre(kNone, Cents(150000), Cents(150000)));
  EXPECT_THAT(Line(sheet, "489").columns, ElementsAre(kNone, Cents(750000), Cents(750000)));
  EXPECT_THAT(Line(sheet, "499").columns, ElementsAre(kNone, kNone, Cents(900000)));
  EXPECT_EQ(sheet.total_assets, Cents(900000));
  EXPECT_EQ(sheet.total_liabilities_and_equity, Cents(900000));
}

TEST_F(BalanceSheetTest, EarlierYearsProfitIsCarriedIntoTheCapitalAccount) {
  const BalanceSheet sheet = Compute(MonthPeriod(2014, 3));
  EXPECT_EQ(sheet.capital_adjustment, Cents(-70000));
  EXPECT_THAT(Line(sheet, "465").columns, ElementsAre(Cents(70000), kNone, kNone));
  // An income-statement balance forward is carried the same way.
  SetBalanceForward("650", 10000);
  SetBalanceForward("110", 490000);
  EXPECT_EQ(Compute(MonthPeriod(2014, 3)).capital_adjustment, Cents(-60000));
}

TEST_F(BalanceSheetTest, TheProfitLineShowsTheYearToDateProfit) {
  const BalanceSheet sheet = Compute(MonthPeriod(2014, 3));
  // 2,000 sales + 400 service - 600 rent; April's sale is after the period.
  EXPECT_TRUE(sheet.has_profit_line);
  EXPECT_EQ(sheet.profit, Cents(180000));
  EXPECT_EQ(Line(sheet, "470").level, 1);
  EXPECT_THAT(Line(sheet, "470").columns, ElementsAre(Cents(180000), kNone, kNone));
}

TEST_F(BalanceSheetTest, TheProfitLineFollowingASubtotalIsPrintedAtLevelTwo) {
  books_.Account("466", kLiabilitiesAndEquity, "Total Capital", 2, kTitleSingleUnderline);
  const BalanceSheet sheet = Compute(MonthPeriod(2014, 3));
  EXPECT_EQ(Line(sheet, "470").level, 2);
  EXPECT_THAT(Line(sheet, "470").columns, ElementsAre(kNone, Cents(180000), kNone));
  EXPECT_THAT(Line(sheet, "489").columns, ElementsAre(kNone, kNone, Cents(750000)));
}

TEST_F(BalanceSheetTest, ALossReadsNegative) {
  books_.Check(Day(2014, 3, 20), "675", 300000);
  const BalanceSheet sheet = Compute(MonthPeriod(2014, 3));
  EXPECT_EQ(sheet.profit, Cents(-120000));
  EXPECT_EQ(sheet.total_assets, sheet.total_liabilities_and_equity);
}

TEST_F(BalanceSheetTest, BlankLinesGoBeforeTitlesAndAfterHighLevelTotals) {
  const BalanceSheet sheet = Compute(MonthPeriod(2014, 3));
  std::vector<std::string> after_blank;
  for (const BalanceSheetLine& line : sheet.lines) {
    if (line.included && line.blank_before) after_blank.push_back(line.description);
  }
  EXPECT_THAT(after_blank, ElementsAre("ASSETS", "LIABILITIES AND EQUITY", "Equity",
                                       "TOTAL LIABILITIES AND EQUITY"));
}

TEST_F(BalanceSheetTest, UnpaidInvoicesUnderAccrualOweThePayablesAccount) {
  books_.Invoice(Day(2014, 3, 15), "650", 25000);
  EXPECT_EQ(Line(Compute(MonthPeriod(2014, 3)), "210").balance, kNone);
  books_.settings.accrual_accounting = 1;
  const BalanceSheet sheet = Compute(MonthPeriod(2014, 3));
  EXPECT_THAT(Line(sheet, "210").columns, ElementsAre(Cents(25000), kNone, kNone));
  EXPECT_EQ(sheet.profit, Cents(155000));
  EXPECT_EQ(sheet.total_assets, sheet.total_liabilities_and_equity);
}

TEST_F(BalanceSheetTest, TheLayoutPutsLiabilitiesOnTheirOwnPageWithUnderlines) {
  ASSERT_TRUE(Print(MonthPeriod(2014, 3)));
  const std::vector<testing::CanvasCall>& calls = out_.printer.jobs.back();
  const auto pages = testing::PagesOf(calls);
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_THAT(pages[0], ::testing::Contains("TOTAL ASSETS"));
  EXPECT_THAT(pages[0], ::testing::Contains("Page 1 of 2"));
  EXPECT_THAT(pages[1], ::testing::Contains("TOTAL LIABILITIES AND EQUITY"));
  EXPECT_THAT(pages[1], ::testing::Contains("As of March 31, 2014"));
  int single = 0;
  int twice = 0;
  for (const testing::CanvasCall& call : calls) {
    if (call.kind == testing::CanvasCall::kLine) ++single;
    if (call.kind == testing::CanvasCall::kDoubleLine) {
      ++twice;
      EXPECT_EQ(call.column2 - call.column, 8);
    }
  }
  // Four underlined subtotal lines of three columns; two double-underlined totals.
  EXPECT_EQ(single, 4 * 3);
  EXPECT_EQ(twice, 3 * 2);
}

// ------------------------------------------------------------ refusals

TEST_F(BalanceSheetTest, BooksOutOfBalanceAreRefused) {
  SetBalanceForward("164", 100);
  EXPECT_FALSE(Print(MonthPeriod(2014, 3)));
  EXPECT_EQ(out_.ui.Texts(),
            (std::vector<std::string>{
                "COA Balance Forward figures are out of balance. The correction is to edit the "
                "Balance Forward figures on the Setup / COA screen, so the sum of all of the "
                "balance forward figures equal zero.",
                "Unable to create Balance Sheet when accounts are not in balance"}));
  EXPECT_TRUE(out_.printer.titles.empty());
}

TEST_F(BalanceSheetTest, AnUnbalancedJournalIsRefused) {
  books_.Journal(Day(2014, 3, 1), "130", 100);
  EXPECT_FALSE(Print(MonthPeriod(2014, 3)));
  EXPECT_EQ(out_.ui.LastText(), "Unable to create Balance Sheet when accounts are not in balance");
  EXPECT_THAT(out_.ui.Texts()[0], ::testing::StartsWith("Journal entries are out of balance."));
}

TEST_F(BalanceSheetTest, ADeletedAccountWhoseLinesDoNotCancelIsNamed) {
  // Together the two deleted accounts cancel, so the ledger's test passes.
  books_.Entry(Day(2014, 3, 3), "901", "902", 10000);
  EXPECT_FALSE(Print(MonthPeriod(2014, 3)));
  EXPECT_EQ(out_.ui.Texts(),
            std::vector<std::string>{
                "An account deleted from the COA (901) has unbalanced transactions."});
}

TEST_F(BalanceSheetTest, APeriodAcrossTheAccountingYearIsRefused) {
  books_.settings.fiscal_start_month = 2;
  EXPECT_FALSE(Print(QuarterPeriod(2014, 1)));
  EXPECT_EQ(out_.ui.Texts(), std::vector<std::string>{
                                 "This report is limited to dates from a single accounting year."});
}

}  // namespace
}  // namespace zenkar
