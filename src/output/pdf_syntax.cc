#include "output/pdf_syntax.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>

namespace zenkar {

void AppendPdfNumber(std::string& out, double value) {
  const float single = static_cast<float>(value);
  if (single == 0.0f) {  // also -0, which a reader would show as "-0"
    out += '0';
    return;
  }
  char buffer[64];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, single, std::chars_format::fixed);
  out.append(buffer, result.ptr);
}

std::string PdfNumber(double value) {
  std::string out;
  AppendPdfNumber(out, value);
  return out;
}

void AppendPdfString(std::string& out, std::string_view text) {
  out += '(';
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\\' || c == '(' || c == ')') {
      out += '\\';
      out += c;
    } else if (byte < 0x20) {
      const char octal[] = {'\\', static_cast<char>('0' + (byte >> 6)),
                            static_cast<char>('0' + ((byte >> 3) & 7)),
                            static_cast<char>('0' + (byte & 7))};
      out.append(octal, sizeof octal);
    } else {
      out += c;
    }
  }
  out += ')';
}

void AppendXrefOffset(std::string& out, uint64_t offset) {
  char digits[10];
  for (int i = 9; i >= 0; --i) {
    digits[i] = static_cast<char>('0' + offset % 10);
    offset /= 10;
  }
  out.append(digits, sizeof digits);
}

std::string PdfDate(const LocalDateTime& time, int utc_offset_minutes) {
  char text[40];
  std::snprintf(text, sizeof text, "D:%04d%02d%02d%02d%02d%02d", time.year, time.month, time.day,
                time.hour, time.minute, time.second);
  std::string date = text;
  if (utc_offset_minutes == 0) return date + "Z";
  const int magnitude = std::abs(utc_offset_minutes);
  std::snprintf(text, sizeof text, "%c%02d'%02d'", utc_offset_minutes < 0 ? '-' : '+',
                magnitude / 60, magnitude % 60);
  return date + text;
}

}  // namespace zenkar
