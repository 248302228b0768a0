#include "common/base64.h"

#include <algorithm>
#include <cstdint>

namespace zenkar {

std::string Base64Encode(std::string_view data) {
  static constexpr char kAlphabet[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string text;
  text.reserve((data.size() + 2) / 3 * 4);
  for (size_t at = 0; at < data.size(); at += 3) {
    const size_t count = std::min<size_t>(3, data.size() - at);
    uint32_t group = 0;
    for (size_t i = 0; i < 3; ++i) {
      group <<= 8;
      if (i < count) group |= static_cast<unsigned char>(data[at + i]);
    }
    for (size_t i = 0; i < 4; ++i) {
      text += i <= count ? kAlphabet[(group >> (18 - 6 * i)) & 0x3F] : '=';
    }
  }
  return text;
}

}  // namespace zenkar
