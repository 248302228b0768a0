#include "output/pdf_fonts.h"

#include <cctype>
#include <string>

#include "output/arial_widths.h"

namespace zenkar {
namespace {

// Descriptor texts, exactly as the documents carry them.
constexpr std::string_view kCourierNew =
    "/Flags 34 /FontBBox [-250 -300 720 1000] "
    "/MissingWidth 600 /StemV 109 "
    "/StemH 109 /ItalicAngle 0 /CapHeight 833 /XHeight 417 "
    "/Ascent 833 /Descent -300 /Leading 133 "
    "/MaxWidth 600 /AvgWidth 600";
constexpr std::string_view kCourierNewBold =
    "/Flags 16418 /FontBBox [-250 -300 720 1000] "
    "/MissingWidth 600 /StemV 191 "
    "/StemH 191 /ItalicAngle 0 /CapHeight 833 /XHeight 417 "
    "/Ascent 833 /Descent -300 /Leading 133 "
    "/MaxWidth 600 /AvgWidth 600";
constexpr std::string_view kCourierNewItalic =
    "/Flags 98 /FontBBox [-250 -300 720 1000] "
    "/MissingWidth 600 /StemV 109 "
    "/StemH 109 /ItalicAngle -11 /CapHeight 833 /XHeight 417 "
    "/Ascent 833 /Descent -300 /Leading 133 "
    "/MaxWidth 600 /AvgWidth 600";
constexpr std::string_view kCourierNewBoldItalic =
    "/Flags 16482 /FontBBox [-250 -300 720 1000] "
    "/MissingWidth 600 /StemV 191 "
    "/StemH 191 /ItalicAngle -11 /CapHeight 833 /XHeight 417 "
    "/Ascent 833 /Descent -300 /Leading 133 "
    "/MaxWidth 600 /AvgWidth 600";
constexpr std::string_view kArial =
    "/Flags 32 /FontBBox [-250 -221 1190 1000] "
    "/MissingWidth 272 /StemV 80 "
    "/StemH 80 /ItalicAngle 0 /CapHeight 905 /XHeight 453 "
    "/Ascent 905 /Descent -212 /Leading 150 "
    "/MaxWidth 992 /AvgWidth 441";
constexpr std::string_view kArialBold =
    "/Flags 16416 /FontBBox [-250 -212 1120 1000] "
    "/MissingWidth 311 /StemV 153 "
    "/StemH 153 /ItalicAngle 0 /CapHeight 905 /XHeight 453 "
    "/Ascent 905 /Descent -212 /Leading 150 "
    "/MaxWidth 933 /AvgWidth 479";
constexpr std::string_view kArialItalic =
    "/Flags 96 /FontBBox [-250 -212 1134 1000] "
    "/MissingWidth 259 /StemV 80 "
    "/StemH 80 /ItalicAngle -11 /CapHeight 905 /XHeight 453 "
    "/Ascent 905 /Descent -212 /Leading 150 "
    "/MaxWidth 945 /AvgWidth 441";
constexpr std::string_view kArialBoldItalic =
    "/Flags 16480 /FontBBox [-250 -212 1120 1000] "
    "/MissingWidth 311 /StemV 153 "
    "/StemH 153 /ItalicAngle -11 /CapHeight 905 /XHeight 453 "
    "/Ascent 905 /Descent -212 /Leading 150 "
    "/MaxWidth 933 /AvgWidth 479";

const std::array<PdfFont, 8> kFonts = {{
    {"A", "Arial", kArial, &kArialRegularWidths, 272, kArialAscent},
    {"AB", "Arial,Bold", kArialBold, &kArialBoldWidths, 311, kArialAscent},
    {"C", "CourierNew", kCourierNew, nullptr, 600, kCourierNewAscent},
    {"CB", "CourierNew,Bold", kCourierNewBold, nullptr, 600, kCourierNewAscent},
    {"AI", "Arial,Italic", kArialItalic, &kArialItalicWidths, 259, kArialAscent},
    {"ABI", "Arial,BoldItalic", kArialBoldItalic, &kArialBoldItalicWidths, 311, kArialAscent},
    {"CI", "CourierNew,Italic", kCourierNewItalic, nullptr, 600, kCourierNewAscent},
    {"CBI", "CourierNew,BoldItalic", kCourierNewBoldItalic, nullptr, 600, kCourierNewAscent},
}};

bool IsCourierNew(std::string_view family) {
  std::string packed;
  for (char c : family) {
    if (c != ' ') packed += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  }
  return packed == "COURIERNEW";
}

}  // namespace

int PdfFont::Width(unsigned char code) const {
  if (code < kFirstWinAnsiCode) return missing_width;
  if (widths == nullptr) return kCourierNewWidth;
  return (*widths)[code - kFirstWinAnsiCode];
}

long PdfFont::TextWidth(std::string_view text) const {
  long total = 0;
  for (char c : text) total += Width(static_cast<unsigned char>(c));
  return total;
}

const std::array<PdfFont, 8>& PdfFonts() { return kFonts; }

const PdfFont* FindPdfFont(std::string_view key) {
  for (const PdfFont& font : kFonts) {
    if (font.key == key) return &font;
  }
  return nullptr;
}

std::string_view PdfFontKey(std::string_view family, int style) {
  const bool courier = IsCourierNew(family);
  switch (style) {
    case 1:
      return courier ? "CB" : "AB";
    case 2:
      return courier ? "CI" : "AI";
    default:
      return courier ? "C" : "A";
  }
}

}  // namespace zenkar
