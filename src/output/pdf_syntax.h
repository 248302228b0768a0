// The lexical pieces of a PDF file: numbers, literal strings, dates.
#ifndef ZENKAR_OUTPUT_PDF_SYNTAX_H_
#define ZENKAR_OUTPUT_PDF_SYNTAX_H_

#include <cstdint>
#include <string>
#include <string_view>

#include "common/clock.h"

namespace zenkar {

// Appends `value` as single precision in the shortest decimal form that reads
// back as the same value, never with an exponent: 612, 302.4, -0.5. Integers
// carry no decimal point and negative zero is written as 0.
void AppendPdfNumber(std::string& out, double value);
std::string PdfNumber(double value);

// Appends `text` as a literal string "(...)": every "\", "(" and ")" gets a
// backslash before it, and control bytes are written as octal escapes so a
// line break in the text cannot change the bytes a reader sees.
void AppendPdfString(std::string& out, std::string_view text);

// The ten-digit, zero-padded byte offset of an xref line.
void AppendXrefOffset(std::string& out, uint64_t offset);

// "D:YYYYMMDDHHmmSS" followed by the zone: "Z" for UTC, else "+HH'mm'" or
// "-HH'mm'" from the local offset in minutes.
std::string PdfDate(const LocalDateTime& time, int utc_offset_minutes);

}  // namespace zenkar

#endif  // ZENKAR_OUTPUT_PDF_SYNTAX_H_
