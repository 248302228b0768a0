#include "app/window/locale_dates.h"

#include <QDate>

#include "platform/text_conversion.h"

namespace zenkar {
namespace {

// A name that Windows-1252 cannot write keeps the English one.
void TakeName(const QString& name, std::string& slot) {
  const std::string converted = ToCp1252(name);
  if (!name.isEmpty() && converted.find('?') == std::string::npos) slot = converted;
}

}  // namespace

DatePatterns LocaleDatePatterns(const QLocale& locale) {
  const QString sample = locale.toString(QDate(3344, 11, 22), QLocale::ShortFormat);
  DatePatterns patterns = DeriveDatePatterns(ToCp1252(sample));
  for (int month = 1; month <= 12; ++month) {
    TakeName(locale.monthName(month, QLocale::LongFormat), patterns.month_names[month - 1]);
    TakeName(locale.monthName(month, QLocale::ShortFormat), patterns.short_month_names[month - 1]);
  }
  return patterns;
}

}  // namespace zenkar
