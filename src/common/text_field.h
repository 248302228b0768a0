// Fixed-width 8-bit text fields and the Windows-1252 character set.
//
// Text in the record files is Windows-1252, padded on the right with spaces
// and cut to the field width. The core keeps text in that encoding; it is
// converted to and from UTF-8 only where it meets the screen (the Qt adapters).
#ifndef ZENKAR_COMMON_TEXT_FIELD_H_
#define ZENKAR_COMMON_TEXT_FIELD_H_

#include <cstddef>
#include <string>
#include <string_view>

namespace zenkar {

// Windows-1252 bytes to UTF-8. The five bytes Windows-1252 leaves undefined
// map to the C1 control characters of the same value, as Windows does.
std::string Cp1252ToUtf8(std::string_view cp1252);

// UTF-8 to Windows-1252; any character Windows-1252 cannot hold, and any
// malformed UTF-8 sequence, becomes "?".
std::string Utf8ToCp1252(std::string_view utf8);

// The field exactly as stored, padding included (always `width` bytes).
std::string GetTextField(std::string_view record, size_t offset, size_t width);

// Stores `value` cut to `width` bytes and padded with spaces.
void PutTextField(std::string& record, size_t offset, size_t width, std::string_view value);

// `text` padded with spaces or cut to exactly `width` bytes.
std::string FitText(std::string_view text, size_t width);

std::string_view TrimRight(std::string_view text);
std::string_view Trim(std::string_view text);

// True for a Windows-1252 byte that is a control character: C0 (below 0x20),
// DEL, and the five bytes the code page leaves undefined, which become C1
// controls in UTF-8.
bool IsControlCharacter(unsigned char byte);

// A text of the books as a message shows it: each control character written
// as "\xHH" (its byte in hexadecimal), so that a description can neither break
// the lines of a message nor send a command to a terminal. Other bytes, the
// backslash included, stay as they are.
std::string EscapeControls(std::string_view cp1252);

}  // namespace zenkar

#endif  // ZENKAR_COMMON_TEXT_FIELD_H_
