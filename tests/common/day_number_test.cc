#include "common/day_number.h"

#include <gtest/gtest.h>

#include <optional>

namespace zenkar {
namespace {

TEST(DayNumberTest, KnownDays) {
  EXPECT_EQ(ToCivilDate(0), (CivilDate{1899, 12, 30}));
  EXPECT_EQ(MakeDayNumber(1899, 12, 30), 0);
  EXPECT_EQ(MakeDayNumber(1899, 12, 31), 1);
  EXPECT_EQ(MakeDayNumber(1900, 1, 1), 2);
  EXPECT_EQ(MakeDayNumber(1900, 3, 1), 61);  // 1900 has no 29 February
  EXPECT_EQ(MakeDayNumber(1899, 12, 29), -1);
  EXPECT_EQ(MakeDayNumber(2000, 1, 1), 36526);
  EXPECT_EQ(ToCivilDate(36526), (CivilDate{2000, 1, 1}));
  EXPECT_EQ(MakeDayNumber(2000, 2, 29), 36585);
  EXPECT_EQ(MakeDayNumber(1970, 1, 1), 25569);
  EXPECT_EQ(kNoDate, 0);
}

TEST(DayNumberTest, EndsOfTheRange) {
  EXPECT_EQ(kFirstDayNumber, -657434);
  EXPECT_EQ(kLastDayNumber, 2958465);
  EXPECT_EQ(MakeDayNumber(100, 1, 1), kFirstDayNumber);
  EXPECT_EQ(MakeDayNumber(9999, 12, 31), kLastDayNumber);
  EXPECT_EQ(ToCivilDate(kFirstDayNumber), (CivilDate{100, 1, 1}));
  EXPECT_EQ(ToCivilDate(kLastDayNumber), (CivilDate{9999, 12, 31}));
}

// Walks the calendar one day at a time from 1 January 100 with nothing but
// the leap-year rule and the month lengths, and checks every day number of the
// range against it in both directions.
TEST(DayNumberTest, EveryDayOfTheRangeMatchesACalendarWalk) {
  auto leap = [](int y) { return y % 400 == 0 || (y % 4 == 0 && y % 100 != 0); };
  auto month_length = [&](int y, int m) {
    switch (m) {
      case 2:
        return leap(y) ? 29 : 28;
      case 4:
      case 6:
      case 9:
      case 11:
        return 30;
      default:
        return 31;
    }
  };

  int year = 100;
  int month = 1;
  int day = 1;
  int failures = 0;
  for (DayNumber n = kFirstDayNumber; n <= kLastDayNumber && failures < 10; ++n) {
    const CivilDate expected{year, month, day};
    const CivilDate actual = ToCivilDate(n);
    if (!(actual == expected)) {
      ADD_FAILURE() << "day " << n << " became " << actual.year << '-' << actual.month << '-'
                    << actual.day << ", expected " << year << '-' << month << '-' << day;
      ++failures;
    }
    const std::optional<DayNumber> back = MakeDayNumber(year, month, day);
    if (back != n) {
      ADD_FAILURE() << year << '-' << month << '-' << day << " became "
                    << (back ? *back : -999999999) << ", expected " << n;
      ++failures;
    }
    if (day == 1) {
      if (FirstOfMonth(year, month) != n) {
        ADD_FAILURE() << "first of " << year << '-' << month;
        ++failures;
      }
    }
    if (++day > month_length(year, month)) {
      if (LastOfMonth(year, month) != n) {
        ADD_FAILURE() << "last of " << year << '-' << month;
        ++failures;
      }
      day = 1;
      if (++month > 12) {
        month = 1;
        ++year;
      }
    }
  }
  EXPECT_EQ(failures, 0);
  // The walk ended exactly one day past 31 December 9999.
  EXPECT_EQ((CivilDate{year, month, day}), (CivilDate{10000, 1, 1}));
}

TEST(DayNumberTest, RefusesInvalidDates) {
  EXPECT_FALSE(MakeDayNumber(1900, 2, 29).has_value());
  EXPECT_FALSE(MakeDayNumber(2100, 2, 29).has_value());
  EXPECT_FALSE(MakeDayNumber(2023, 2, 29).has_value());
  EXPECT_FALSE(MakeDayNumber(2024, 4, 31).has_value());
  EXPECT_FALSE(MakeDayNumber(2024, 6, 31).has_value());
  EXPECT_FALSE(MakeDayNumber(2024, 13, 1).has_value());
  EXPECT_FALSE(MakeDayNumber(2024, 0, 1).has_value());
  EXPECT_FALSE(MakeDayNumber(2024, -1, 1).has_value());
  EXPECT_FALSE(MakeDayNumber(2024, 1, 0).has_value());
  EXPECT_FALSE(MakeDayNumber(2024, 1, 32).has_value());
  EXPECT_FALSE(MakeDayNumber(2024, 12, -5).has_value());
  EXPECT_FALSE(MakeDayNumber(99, 12, 31).has_value());
  EXPECT_FALSE(MakeDayNumber(10000, 1, 1).has_value());
  EXPECT_FALSE(MakeDayNumber(0, 1, 1).has_value());
  EXPECT_FALSE(MakeDayNumber(-400, 3, 1).has_value());

  EXPECT_TRUE(MakeDayNumber(2000, 2, 29).has_value());
  EXPECT_TRUE(MakeDayNumber(2024, 2, 29).has_value());
  EXPECT_TRUE(MakeDayNumber(1600, 2, 29).has_value());
  EXPECT_TRUE(MakeDayNumber(2024, 4, 30).has_value());
}

TEST(DayNumberTest, LeapYearsAndMonthLengths) {
  EXPECT_TRUE(IsLeapYear(2000));
  EXPECT_TRUE(IsLeapYear(2024));
  EXPECT_TRUE(IsLeapYear(400));
  EXPECT_FALSE(IsLeapYear(1900));
  EXPECT_FALSE(IsLeapYear(2100));
  EXPECT_FALSE(IsLeapYear(2023));
  EXPECT_EQ(DaysInMonth(2024, 2), 29);
  EXPECT_EQ(DaysInMonth(1900, 2), 28);
  EXPECT_EQ(DaysInMonth(2023, 4), 30);
  EXPECT_EQ(DaysInMonth(2023, 12), 31);
}

}  // namespace
}  // namespace zenkar
