// Day numbers: dates as counts of days in the OLE Automation date system.
//
// Day 0 is 30 December 1899 and means "no date"; 1 January 2000 is 36526.
// Every date field of the books is such a day number. The conversions here are
// exact integer arithmetic on the proleptic Gregorian calendar and are valid
// from 1 January 100 to 31 December 9999.
#ifndef ZENKAR_COMMON_DAY_NUMBER_H_
#define ZENKAR_COMMON_DAY_NUMBER_H_

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace zenkar {

using DayNumber = int32_t;

// The months' names, January first. Every text of the programs that names a
// month (report periods, statement headings, accounting years) takes them
// from here, so kxacct and kxbatch label a period alike whatever the locale.
inline constexpr std::array<std::string_view, 12> kMonthNames = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};

inline constexpr DayNumber kNoDate = 0;
inline constexpr DayNumber kFirstDayNumber = -657434;  // 1 January 100
inline constexpr DayNumber kLastDayNumber = 2958465;   // 31 December 9999

struct CivilDate {
  int year = 0;
  int month = 0;  // 1..12
  int day = 0;    // 1..31
  friend bool operator==(const CivilDate&, const CivilDate&) = default;
};

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);

// True when year/month/day name a real day between 1 January 100 and
// 31 December 9999.
bool IsValidDate(int year, int month, int day);

// The day number of a valid date; nothing for an invalid one.
std::optional<DayNumber> MakeDayNumber(int year, int month, int day);

// The calendar date of a day number in [kFirstDayNumber, kLastDayNumber].
CivilDate ToCivilDate(DayNumber day);

// The day number of the first day of the given month (1..12) of `year`.
DayNumber FirstOfMonth(int year, int month);
// The day number of the last day of the given month of `year`.
DayNumber LastOfMonth(int year, int month);

}  // namespace zenkar

#endif  // ZENKAR_COMMON_DAY_NUMBER_H_
