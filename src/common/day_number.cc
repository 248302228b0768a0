#include "common/day_number.h"

namespace zenkar {
namespace {

// Days from 1 January 1970 to 30 December 1899, the day-number epoch.
constexpr int64_t kEpochShift = 25569;

// Days since 1 January 1970 of a proleptic Gregorian date, counting in 400-year
// eras that start on 1 March so that the leap day is the last day of a year.
int64_t DaysFromCivil(int64_t year, int month, int day) {
  year -= month <= 2;
  const int64_t era = (year >= 0 ? year : year - 399) / 400;
  const int64_t year_of_era = year - era * 400;
  const int64_t day_of_year = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const int64_t day_of_era = year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
  return era * 146097 + day_of_era - 719468;
}

CivilDate CivilFromDays(int64_t days) {
  days += 719468;
  const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const int64_t day_of_era = days - era * 146097;
  const int64_t year_of_era =
      (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
  const int64_t day_of_year =
      day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
  const int64_t shifted_month = (5 * day_of_year + 2) / 153;
  const int day = static_cast<int>(day_of_year - (153 * shifted_month + 2) / 5 + 1);
  const int month = static_cast<int>(shifted_month < 10 ? shifted_month + 3 : shifted_month - 9);
  const int year = static_cast<int>(year_of_era + era * 400 + (month <= 2));
  return {year, month, day};
}

}  // namespace

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month == 2 && IsLeapYear(year)) return 29;
  return kDays[month - 1];
}

bool IsValidDate(int year, int month, int day) {
  return year >= 100 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
         day <= DaysInMonth(year, month);
}

std::optional<DayNumber> MakeDayNumber(int year, int month, int day) {
  if (!IsValidDate(year, month, day)) return std::nullopt;
  return static_cast<DayNumber>(DaysFromCivil(year, month, day) + kEpochShift);
}

CivilDate ToCivilDate(DayNumber day) { return CivilFromDays(int64_t{day} - kEpochShift); }

DayNumber FirstOfMonth(int year, int month) {
  return static_cast<DayNumber>(DaysFromCivil(year, month, 1) + kEpochShift);
}

DayNumber LastOfMonth(int year, int month) {
  return static_cast<DayNumber>(DaysFromCivil(year, month, DaysInMonth(year, month)) + kEpochShift);
}

}  // namespace zenkar
