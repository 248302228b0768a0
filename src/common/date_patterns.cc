#include "common/date_patterns.h"

#include <cstdio>

namespace zenkar {
namespace {

// The separator as pattern text: quoted, so that a letter or digit is never
// read as a pattern letter; a quote itself is written twice.
std::string QuotedSeparator(char separator) {
  if (separator == '\'') return "''";
  return std::string("'") + separator + "'";
}

char FirstNonDigit(std::string_view text) {
  for (char c : text) {
    if (c < '0' || c > '9') return c;
  }
  return '/';
}

std::string ShortYearVariant(std::string numeric) {
  const size_t year = numeric.find("yyyy");
  if (year != std::string::npos) numeric.erase(year, 2);
  return numeric;
}

std::string TwoDigits(int value) {
  char text[8];
  std::snprintf(text, sizeof text, "%02d", value % 100);
  return text;
}

// One run of a pattern letter, such as "MMM" or "yy".
std::string FormatField(char letter, size_t length, const CivilDate& date) {
  switch (letter) {
    case 'd':
      return length == 1 ? std::to_string(date.day) : TwoDigits(date.day);
    case 'M':
      if (length == 1) return std::to_string(date.month);
      if (length == 2) return TwoDigits(date.month);
      return std::string(length == 3 ? kMonthNames[date.month - 1].substr(0, 3)
                                     : kMonthNames[date.month - 1]);
    default: {  // 'y'
      if (length <= 2) return TwoDigits(date.year);
      char text[8];
      std::snprintf(text, sizeof text, "%04d", date.year);
      return text;
    }
  }
}

}  // namespace

DatePatterns DeriveDatePatterns(std::string_view formatted_sample) {
  DatePatterns patterns;
  patterns.separator = FirstNonDigit(formatted_sample);
  const std::string sep = QuotedSeparator(patterns.separator);
  const char first = formatted_sample.empty() ? ' ' : formatted_sample.front();
  if (first == '2') {
    patterns.numeric = "dd" + sep + "MM" + sep + "yyyy";
    patterns.long_form = "dd MMMM',' yyyy";
    patterns.medium = "dd MMM',' yyyy";
  } else if (first == '3' || first == '4') {
    patterns.numeric = "yyyy" + sep + "MM" + sep + "dd";
    patterns.long_form = "yyyy',' MMMM dd";
    patterns.medium = "yyyy',' MMM dd";
  } else {
    patterns.numeric = "MM" + sep + "dd" + sep + "yyyy";
    patterns.long_form = "MMMM dd',' yyyy";
    patterns.medium = "MMM dd',' yyyy";
  }
  patterns.numeric_short_year = ShortYearVariant(patterns.numeric);
  return patterns;
}

std::string FormatDate(DayNumber day, std::string_view pattern) {
  if (day == kNoDate) return "";
  const CivilDate date = ToCivilDate(day);
  std::string text;
  size_t i = 0;
  while (i < pattern.size()) {
    const char c = pattern[i];
    if (c == '\'') {
      if (i + 1 < pattern.size() && pattern[i + 1] == '\'') {  // '' is one quote
        text += '\'';
        i += 2;
        continue;
      }
      const size_t close = pattern.find('\'', i + 1);
      const size_t end = close == std::string_view::npos ? pattern.size() : close;
      text += pattern.substr(i + 1, end - i - 1);
      i = end + 1;
    } else if (c == 'd' || c == 'M' || c == 'y') {
      size_t run = 1;
      while (i + run < pattern.size() && pattern[i + run] == c) ++run;
      text += FormatField(c, run, date);
      i += run;
    } else {
      text += c;
      ++i;
    }
  }
  return text;
}

}  // namespace zenkar
