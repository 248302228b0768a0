// DatePatterns: how dates are written on screens and reports.
//
// The patterns follow the user's locale. At start-up the program formats the
// sample date 22 November 3344 in the locale's short date format; whichever
// of 22, 11 and 3344 comes first tells the order of day, month and year, and
// the first character that is not a digit is the separator. The patterns use
// the letters d, dd, M, MM, MMM, MMMM, yy and yyyy, with literal text between
// single quotes, as the Qt date functions do.
#ifndef ZENKAR_COMMON_DATE_PATTERNS_H_
#define ZENKAR_COMMON_DATE_PATTERNS_H_

#include <array>
#include <string>
#include <string_view>

#include "common/day_number.h"

namespace zenkar {

struct DatePatterns {
  char separator = '/';
  std::string numeric;             // "MM'/'dd'/'yyyy"
  std::string long_form;           // "MMMM dd',' yyyy"
  std::string medium;              // "MMM dd',' yyyy"
  std::string numeric_short_year;  // "MM'/'dd'/'yy"
};

// The patterns for a locale whose short date format wrote 22 November 3344
// as `formatted_sample`: day first when it starts with "2", year first when
// it starts with "3" or "4", month first otherwise.
DatePatterns DeriveDatePatterns(std::string_view formatted_sample);

// Writes `day` with `pattern` (a day number of 0 gives ""). MMMM is the
// month's name (kMonthNames), MMM its first three letters.
std::string FormatDate(DayNumber day, std::string_view pattern);

}  // namespace zenkar

#endif  // ZENKAR_COMMON_DATE_PATTERNS_H_
