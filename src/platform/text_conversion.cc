#include "platform/text_conversion.h"

#include <QFile>

#include "common/text_field.h"

namespace zenkar {

QString FromCp1252(std::string_view text) { return QString::fromStdString(Cp1252ToUtf8(text)); }

std::string ToCp1252(const QString& text) { return Utf8ToCp1252(text.toStdString()); }

QString FromPath(const std::string& path) { return QFile::decodeName(path.c_str()); }

std::string ToPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

QDate ToQDate(DayNumber day) {
  if (day == kNoDate) return QDate();
  const CivilDate date = ToCivilDate(day);
  return QDate(date.year, date.month, date.day);
}

DayNumber FromQDate(const QDate& date) {
  if (!date.isValid()) return kNoDate;
  return MakeDayNumber(date.year(), date.month(), date.day()).value_or(kNoDate);
}

}  // namespace zenkar
