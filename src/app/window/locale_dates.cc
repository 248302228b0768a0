#include "app/window/locale_dates.h"

#include <QDate>

#include "platform/text_conversion.h"

namespace zenkar {

DatePatterns LocaleDatePatterns(const QLocale& locale) {
  const QString sample = locale.toString(QDate(3344, 11, 22), QLocale::ShortFormat);
  return DeriveDatePatterns(ToCp1252(sample));
}

}  // namespace zenkar
