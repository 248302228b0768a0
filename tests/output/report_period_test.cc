// "Report For": the Month and Quarter lists, accounting years, and the date
// checks with their messages.
#include "output/report_period.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "output/output_fakes.h"

namespace zenkar {
namespace {

using ::testing::ElementsAre;

DayNumber Day(int year, int month, int day) { return *MakeDayNumber(year, month, day); }

std::vector<std::string> Labels(const std::vector<PeriodEntry>& entries) {
  std::vector<std::string> labels;
  for (const PeriodEntry& entry : entries) labels.push_back(entry.label);
  return labels;
}

TEST(ReportDateListsTest, HoldOnlyThePeriodsThatHaveTransactions) {
  const ReportDateLists lists =
      ReportDateListsOf({Day(2014, 1, 3), Day(2014, 1, 31), Day(2014, 3, 1), Day(2014, 3, 17)});
  EXPECT_THAT(Labels(lists.months), ElementsAre("2014 - January", "2014 - March"));
  EXPECT_THAT(Labels(lists.quarters), ElementsAre("2014 - Quarter 1"));
  EXPECT_EQ(lists.months[1].period, MonthPeriod(2014, 3));
  EXPECT_EQ(lists.months[1].period.first, Day(2014, 3, 1));
  EXPECT_EQ(lists.months[1].period.last, Day(2014, 3, 31));
}

TEST(ReportDateListsTest, UndatedEntriesTakeNoPart) {
  // An unpaid invoice has no entry date; it must never appear as December 1899.
  const ReportDateLists lists = ReportDateListsOf({kNoDate, Day(2015, 7, 4), kNoDate});
  EXPECT_THAT(Labels(lists.months), ElementsAre("2015 - July"));
  EXPECT_THAT(Labels(lists.quarters), ElementsAre("2015 - Quarter 3"));
  EXPECT_TRUE(ReportDateListsOf({kNoDate}).months.empty());
}

TEST(ReportDateListsTest, LinesKeptInTheOrderEnteredGiveEachPeriodOnceInDateOrder) {
  const ReportDateLists lists = ReportDateListsOf(
      {Day(2014, 11, 2), Day(2013, 12, 30), Day(2014, 11, 9), Day(2014, 2, 1), Day(2013, 12, 1)});
  EXPECT_THAT(Labels(lists.months),
              ElementsAre("2013 - December", "2014 - February", "2014 - November"));
  EXPECT_THAT(Labels(lists.quarters),
              ElementsAre("2013 - Quarter 4", "2014 - Quarter 1", "2014 - Quarter 4"));
  EXPECT_EQ(lists.quarters[2].period.first, Day(2014, 10, 1));
  EXPECT_EQ(lists.quarters[2].period.last, Day(2014, 12, 31));
}

TEST(AccountingYearTest, StartsInTheFiscalStartMonth) {
  const AccountingYear calendar = AccountingYearOf(Day(2014, 6, 15), 1);
  EXPECT_EQ(calendar.year, 2014);
  EXPECT_EQ(calendar.first, Day(2014, 1, 1));
  EXPECT_EQ(calendar.last, Day(2014, 12, 31));

  // A year from February: January belongs to the year begun the February before.
  const AccountingYear january = AccountingYearOf(Day(2014, 1, 31), 2);
  EXPECT_EQ(january.year, 2013);
  EXPECT_EQ(january.first, Day(2013, 2, 1));
  EXPECT_EQ(january.last, Day(2014, 1, 31));
  EXPECT_EQ(AccountingYearOf(Day(2014, 2, 1), 2).year, 2014);

  const AccountingYear leap = AccountingYearNamed(2023, 3);
  EXPECT_EQ(leap.last, Day(2024, 2, 29));
}

class PeriodChecksTest : public ::testing::Test {
 protected:
  testing::ScriptedUi ui_;
  DatePatterns dates_ = testing::UsDatePatterns();
};

TEST_F(PeriodChecksTest, ARangeEndingBeforeItStartsIsRefused) {
  EXPECT_FALSE(CheckPeriodOrder(RangePeriod(Day(2014, 3, 31), Day(2014, 3, 1)), ui_));
  EXPECT_EQ(ui_.Texts(), std::vector<std::string>{
                             "The ending date must not be earlier than the starting date."});
  ui_.ClearMessages();
  EXPECT_TRUE(CheckPeriodOrder(RangePeriod(Day(2014, 3, 1), Day(2014, 3, 1)), ui_));
  EXPECT_TRUE(ui_.messages().empty());
}

TEST_F(PeriodChecksTest, APeriodAcrossTheStartOfAnAccountingYearIsRefused) {
  const ReportPeriod december_to_january = RangePeriod(Day(2013, 12, 1), Day(2014, 1, 31));
  EXPECT_FALSE(CheckSingleAccountingYear(december_to_january, 1, ui_));
  EXPECT_EQ(ui_.LastText(), "This report is limited to dates from a single accounting year.");
  ui_.ClearMessages();
  // With a year from July the same months lie inside one accounting year,
  // while the calendar's first quarter crosses a year from February.
  EXPECT_TRUE(CheckSingleAccountingYear(december_to_january, 7, ui_));
  EXPECT_FALSE(CheckSingleAccountingYear(QuarterPeriod(2014, 1), 2, ui_));
  EXPECT_TRUE(CheckSingleAccountingYear(QuarterPeriod(2014, 1), 4, ui_));
}

TEST_F(PeriodChecksTest, NothingFoundNamesThePeriod) {
  EXPECT_EQ(NothingFoundMessage("transactions", DatePeriod(Day(2014, 3, 5)), dates_),
            "No transactions dated 03/05/2014 were found.");
  EXPECT_EQ(NothingFoundMessage("invoices", MonthPeriod(2014, 2), dates_),
            "No invoices dated 02/01/2014 through 02/28/2014 were found.");
}

}  // namespace
}  // namespace zenkar
