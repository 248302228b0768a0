// The date patterns of messages and reports, from the C library's locale.
//
// The desktop program asks Qt for the user's short date format; without Qt
// the same question goes to strftime's "%x" in the locale of the environment
// (LC_TIME, LC_ALL, LANG). Its rendering of 22 November 3344 is read exactly
// as the desktop program reads Qt's (common/date_patterns.h).
#ifndef ZENKAR_BATCH_LOCALE_DATES_H_
#define ZENKAR_BATCH_LOCALE_DATES_H_

#include <string>

#include "common/date_patterns.h"

namespace zenkar {

// 22 November 3344 in the short date format of `locale_name` ("" for the
// environment's); the C locale's when that locale is not installed.
std::string FormattedSampleDate(const std::string& locale_name);

// The patterns of the environment's locale.
DatePatterns LocaleDatePatterns();

}  // namespace zenkar

#endif  // ZENKAR_BATCH_LOCALE_DATES_H_
