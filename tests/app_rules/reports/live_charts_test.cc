// The "View Charts" window's figures without a display: computed again after
// every kind of saved change, they always equal the figures of the lines
// read afresh; a company without entries draws empty axes with a note.
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

  // The window's figures are those of the lines as the file holds them.
  void ExpectFiguresOfTheLines(const LiveChartsWatch& watch) {
    const LiveCharts& live = watch.charts();
    const StatementBooks lines{ledger().chart(), ledger().settings(), LedgerTransactions(ledger())};
    const LiveCharts books = ComputeLiveCharts(lines, today());
    EXPECT_EQ(live.balance.days, books.balance.days);
    for (int i = 0; i < 12; ++i) {
      EXPECT_EQ(live.year.months[i].income, books.year.months[i].income) << i;
      EXPECT_EQ(live.year.months[i].expenses, books.year.months[i].expenses) << i;
    }
  }

  EntryCompany company_{Lines()};
};

TEST_F(LiveChartsTest, TheWindowCoversTheLast90DaysAndTheYearToDate) {
  const LiveChartsWatch watch(ledger());
  const LiveCharts& charts = watch.charts();
  EXPECT_EQ(charts.balance_period, RangePeriod(Day(2025, 12, 15), Day(2026, 3, 14)));
  ASSERT_EQ(charts.balance.days.size(), 90u);
  EXPECT_EQ(charts.balance.days.back().balance, Money::FromUnits(5000 + 3000 - 1200 - 300 - 50));
  EXPECT_EQ(charts.year_period, RangePeriod(Day(2026, 1, 1), Day(2026, 3, 14)));
  EXPECT_EQ(charts.year.months[0].income, Money::FromUnits(3000));
  EXPECT_EQ(charts.year.months[2].expenses, Money::FromUnits(350));
  EXPECT_FALSE(charts.year.months[3].counted);
}

TEST_F(LiveChartsTest, EverySavedChangeIsFollowed) {
  LiveChartsWatch watch(ledger());
  int changes = 0;
  watch.set_on_change([&] { ++changes; });
  ASSERT_TRUE(ledger().AppendTransaction(
      StoredLine(kCheckOrDeposit, "Harbor Supply", "1003", Day(2026, 3, 12), "650", 45000)));
  ExpectFiguresOfTheLines(watch);
  TransactionRecord edited;
  ASSERT_TRUE(ledger().ReadTransaction(2, &edited));
  edited.amount = Money::FromUnits(1500);
  edited.date = Day(2026, 3, 1);
  ASSERT_TRUE(ledger().WriteTransaction(2, edited));
  ExpectFiguresOfTheLines(watch);
  ASSERT_TRUE(ledger().VoidTransaction(3));
  ExpectFiguresOfTheLines(watch);
  ASSERT_TRUE(ledger().DeleteTransaction(1));
  ExpectFiguresOfTheLines(watch);
  ASSERT_TRUE(ledger().MoveTransactionToEnd(2, edited));
  ExpectFiguresOfTheLines(watch);
  EXPECT_GE(changes, 5);
  EXPECT_EQ(watch.computed(), changes + 1);
}

TEST(LiveChartsDrawingTest, ACompanyWithoutEntriesDrawsEmptyAxesWithANote) {
  EntryCompany company;
  ASSERT_TRUE(company.Load());
  const LiveChartsWatch watch(company.program.ledger());
  const LiveCharts& charts = watch.charts();
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
