// The "View Charts" window's figures without a display: the copy of the
// lines follows every kind of saved change without reading the file again
// and always gives the figures the books themselves give; a company without
// entries draws empty axes with a note.
#include "app_rules/reports/live_charts.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app_rules/transactions/entry_company.h"
#include "output/output_fakes.h"

namespace zenkar {
namespace {

using ::testing::Contains;
using ::zenkar::testing::Day;
using ::zenkar::testing::EntryCompany;
using ::zenkar::testing::StoredLine;

// Today is March 14, 2026 (the test clock).
std::vector<TransactionRecord> Lines() {
  return {
      StoredLine(kCheckOrDeposit, "Sales", "", Day(2026, 1, 5), "510", -300000),
      StoredLine(kCheckOrDeposit, "Dock Rentals", "1001", Day(2026, 2, 2), "650", 120000),
      StoredLine(kCheckOrDeposit, "Bay Electric", "1002", Day(2026, 3, 9), "655", 30000),
      StoredLine(kJournalLine, "Wages", "", Day(2026, 3, 10), "720", 5000),
      StoredLine(kJournalLine, "Wages", "", Day(2026, 3, 10), "110", -5000),
  };
}

class LiveChartsTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(company_.Load()); }

  Ledger& ledger() { return company_.program.ledger(); }
  DayNumber today() { return company_.clock.Today(); }

  // The copy's figures are the figures of the books as they stand.
  void ExpectFiguresOfTheBooks(const LiveChartLines& lines) {
    const LiveCharts live = ComputeLiveCharts(lines.Books(), today());
    const LiveCharts books = ComputeLiveCharts(BooksOf(ledger()), today());
    EXPECT_EQ(live.balance.days, books.balance.days);
    for (int i = 0; i < 12; ++i) {
      EXPECT_EQ(live.year.months[i].income, books.year.months[i].income) << i;
      EXPECT_EQ(live.year.months[i].expenses, books.year.months[i].expenses) << i;
    }
  }

  EntryCompany company_{Lines()};
};

TEST_F(LiveChartsTest, TheWindowCoversTheLast90DaysAndTheYearToDate) {
  LiveChartLines lines(ledger());
  const LiveCharts charts = ComputeLiveCharts(lines.Books(), today());
  EXPECT_EQ(charts.balance_period, RangePeriod(Day(2025, 12, 15), Day(2026, 3, 14)));
  ASSERT_EQ(charts.balance.days.size(), 90u);
  EXPECT_EQ(charts.balance.days.back().balance, Money::FromUnits(5000 + 3000 - 1200 - 300 - 50));
  EXPECT_EQ(charts.year_period, RangePeriod(Day(2026, 1, 1), Day(2026, 3, 14)));
  EXPECT_EQ(charts.year.months[0].income, Money::FromUnits(3000));
  EXPECT_EQ(charts.year.months[2].expenses, Money::FromUnits(350));
  EXPECT_FALSE(charts.year.months[3].counted);
}

TEST_F(LiveChartsTest, EverySavedChangeIsFollowedWithoutReadingTheFileAgain) {
  LiveChartLines lines(ledger());
  int changes = 0;
  lines.set_on_change([&] { ++changes; });
  ASSERT_TRUE(ledger().AppendTransaction(
      StoredLine(kCheckOrDeposit, "Harbor Supply", "1003", Day(2026, 3, 12), "650", 45000)));
  ExpectFiguresOfTheBooks(lines);
  TransactionRecord edited;
  ASSERT_TRUE(ledger().ReadTransaction(2, &edited));
  edited.amount = Money::FromUnits(1500);
  edited.date = Day(2026, 3, 1);
  ASSERT_TRUE(ledger().WriteTransaction(2, edited));
  ExpectFiguresOfTheBooks(lines);
  ASSERT_TRUE(ledger().VoidTransaction(3));
  ExpectFiguresOfTheBooks(lines);
  ASSERT_TRUE(ledger().DeleteTransaction(1));
  ExpectFiguresOfTheBooks(lines);
  ASSERT_TRUE(ledger().MoveTransactionToEnd(2, edited));
  ExpectFiguresOfTheBooks(lines);
  EXPECT_EQ(lines.count(), ledger().transaction_count());
  EXPECT_EQ(lines.whole_reads(), 1);
  EXPECT_GE(changes, 5);
}

TEST(LiveChartsDrawingTest, ACompanyWithoutEntriesDrawsEmptyAxesWithANote) {
  EntryCompany company;
  ASSERT_TRUE(company.Load());
  LiveChartLines lines(company.program.ledger());
  const LiveCharts charts = ComputeLiveCharts(lines.Books(), company.clock.Today());
  std::vector<testing::CanvasCall> calls;
  testing::RecordingCanvas canvas(&calls);
  DrawLiveCharts(canvas, charts, company.program.date_patterns());
  const std::vector<std::string> texts = testing::TextsOf(calls);
  EXPECT_THAT(texts, Contains(std::string(kNoBalanceEntries)));
  EXPECT_THAT(texts, Contains(std::string(kNoYearEntries)));
  EXPECT_THAT(texts, Contains(std::string(kBalanceChartTitle)));
  EXPECT_THAT(texts, Contains("100.00"));  // the empty value axis
}

}  // namespace
}  // namespace zenkar
