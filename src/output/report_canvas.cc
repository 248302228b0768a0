#include "output/report_canvas.h"

#include <cctype>
#include <string>

#include "output/pdf_fonts.h"

namespace zenkar {
namespace {

// The declared font of a family and style, keyed as the PDF declares them.
std::string_view FontKey(const ReportFont& font) {
  const bool courier = font.family == FontFamily::kCourierNew;
  switch (font.style) {
    case FontStyle::kBold:
      return courier ? "CB" : "AB";
    case FontStyle::kItalic:
      return courier ? "CI" : "AI";
    case FontStyle::kBoldItalic:
      return courier ? "CBI" : "ABI";
    case FontStyle::kRegular:
      break;
  }
  return courier ? "C" : "A";
}

}  // namespace

FontFamily FontFamilyOf(std::string_view name) {
  std::string squeezed;
  for (char c : name) {
    if (c != ' ') squeezed += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  }
  return squeezed == "COURIERNEW" ? FontFamily::kCourierNew : FontFamily::kArial;
}

std::string_view FontFamilyName(FontFamily family) {
  return family == FontFamily::kCourierNew ? "Courier New" : "Arial";
}

FontStyle FontStyleOf(int number) {
  if (number < 0 || number > 3) return FontStyle::kRegular;
  return static_cast<FontStyle>(number);
}

std::string_view PdfKeyOf(const ReportFont& font) { return FontKey(font); }

double ReportTextWidth(const ReportFont& font, std::string_view text) {
  return static_cast<double>(FindPdfFont(FontKey(font))->TextWidth(text)) * font.size / 1000;
}

// Widths add up character by character (no kerning), so the longest
// beginning that fits is found in one walk along the text.
std::string_view FitTextToWidth(const ReportFont& font, std::string_view text, double points) {
  const PdfFont* metrics = FindPdfFont(FontKey(font));
  const long limit = static_cast<long>(points * 1000 / font.size);
  long width = 0;
  size_t length = 0;
  while (length < text.size()) {
    width += metrics->TextWidth(text.substr(length, 1));
    if (width > limit) break;
    ++length;
  }
  while (length > 0 && text[length - 1] == ' ') --length;
  return text.substr(0, length);
}

}  // namespace zenkar
