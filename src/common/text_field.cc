#include "common/text_field.h"

#include <cstdint>

namespace zenkar {
namespace {

// Unicode code points of Windows-1252 bytes 0x80 to 0x9F; the bytes the code
// page leaves undefined keep their own value.
constexpr char32_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  //
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  //
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  //
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t CodePointOf(uint8_t byte) {
  if (byte >= 0x80 && byte <= 0x9F) return kHighControls[byte - 0x80];
  return byte;
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

char ByteOf(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
  for (int i = 0; i < 32; ++i) {
    if (kHighControls[i] == c) return static_cast<char>(0x80 + i);
  }
  return '?';
}

// Decodes one UTF-8 sequence at `pos`, advancing it. Malformed input yields
// U+FFFD, which no Windows-1252 byte represents.
char32_t NextCodePoint(std::string_view text, size_t& pos) {
  const uint8_t lead = static_cast<uint8_t>(text[pos++]);
  if (lead < 0x80) return lead;
  int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : -1;
  if (extra < 0 || lead > 0xF4) return 0xFFFD;
  char32_t c = lead & (0x3F >> extra);
  for (int i = 0; i < extra; ++i) {
    if (pos >= text.size()) return 0xFFFD;
    const uint8_t next = static_cast<uint8_t>(text[pos]);
    if ((next & 0xC0) != 0x80) return 0xFFFD;
    c = (c << 6) | (next & 0x3F);
    ++pos;
  }
  // An over-long form (an ASCII character spelled in two or more bytes) is
  // malformed too.
  static constexpr char32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
  if (c < kSmallest[extra]) return 0xFFFD;
  return c;
}

}  // namespace

std::string Cp1252ToUtf8(std::string_view cp1252) {
  std::string out;
  out.reserve(cp1252.size());
  for (char byte : cp1252) AppendUtf8(out, CodePointOf(static_cast<uint8_t>(byte)));
  return out;
}

std::string Utf8ToCp1252(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  size_t pos = 0;
  while (pos < utf8.size()) out += ByteOf(NextCodePoint(utf8, pos));
  return out;
}

std::string GetTextField(std::string_view record, size_t offset, size_t width) {
  return std::string(record.substr(offset, width));
}

void PutTextField(std::string& record, size_t offset, size_t width, std::string_view value) {
  record.replace(offset, width, FitText(value, width));
}

std::string FitText(std::string_view text, size_t width) {
  std::string fitted(text.substr(0, width));
  fitted.resize(width, ' ');
  return fitted;
}

std::string_view TrimRight(std::string_view text) {
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

std::string_view Trim(std::string_view text) {
  text = TrimRight(text);
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  return text;
}

bool IsControlCharacter(unsigned char byte) {
  return byte < 0x20 || byte == 0x7F || (byte >= 0x80 && byte <= 0x9F && CodePointOf(byte) == byte);
}

std::string EscapeControls(std::string_view cp1252) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string escaped;
  escaped.reserve(cp1252.size());
  for (char c : cp1252) {
    const auto byte = static_cast<unsigned char>(c);
    if (!IsControlCharacter(byte)) {
      escaped += c;
      continue;
    }
    escaped += "\\x";
    escaped += kHex[byte >> 4];
    escaped += kHex[byte & 0x0F];
  }
  return escaped;
}

}  // namespace zenkar
