// Base64 (RFC 4648): bytes as text of the 64 characters A-Z, a-z, 0-9, "+"
// and "/", padded with "=" to a multiple of four characters. Mail carries its
// attachments and its login this way.
#ifndef ZENKAR_COMMON_BASE64_H_
#define ZENKAR_COMMON_BASE64_H_

#include <string>
#include <string_view>

namespace zenkar {

// `data` in base64 as one unbroken line.
std::string Base64Encode(std::string_view data);

}  // namespace zenkar

#endif  // ZENKAR_COMMON_BASE64_H_
