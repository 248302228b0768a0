// Crossing between the books' Windows-1252 text and Qt's Unicode.
//
// The core keeps text in Windows-1252, as the record files do; the screens
// hold QString. Every conversion between the two happens here, at the Qt
// boundary. File paths are not text of the books: they are bytes of the file
// system and cross with the file system's own encoding.
#ifndef ZENKAR_PLATFORM_TEXT_CONVERSION_H_
#define ZENKAR_PLATFORM_TEXT_CONVERSION_H_

#include <QDate>
#include <QString>
#include <string>
#include <string_view>

#include "common/day_number.h"

namespace zenkar {

QString FromCp1252(std::string_view text);
// A character Windows-1252 cannot hold becomes "?".
std::string ToCp1252(const QString& text);

QString FromPath(const std::string& path);
std::string ToPath(const QString& path);

// A day number as a QDate (an invalid QDate for "no date") and back.
QDate ToQDate(DayNumber day);
DayNumber FromQDate(const QDate& date);

}  // namespace zenkar

#endif  // ZENKAR_PLATFORM_TEXT_CONVERSION_H_
