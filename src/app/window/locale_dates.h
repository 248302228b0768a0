// DatePatterns of the user's locale: the locale's short date format applied
// to 22 November 3344. Month names are the programs' own (kMonthNames), so
// that kxacct labels a period as kxbatch does.
#ifndef ZENKAR_APP_WINDOW_LOCALE_DATES_H_
#define ZENKAR_APP_WINDOW_LOCALE_DATES_H_

#include <QLocale>

#include "common/date_patterns.h"

namespace zenkar {

DatePatterns LocaleDatePatterns(const QLocale& locale = QLocale());

}  // namespace zenkar

#endif  // ZENKAR_APP_WINDOW_LOCALE_DATES_H_
