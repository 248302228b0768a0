// The eight fonts every PDF document declares.
//
// Documents embed no font programs: they name Arial and Courier New in four
// styles each, with descriptors and character widths, and the viewer
// substitutes the installed fonts. The same widths measure text for alignment,
// so a right-aligned amount ends where the caller asked whatever its font.
#ifndef ZENKAR_OUTPUT_PDF_FONTS_H_
#define ZENKAR_OUTPUT_PDF_FONTS_H_

#include <array>
#include <cstdint>
#include <string_view>

#include "output/arial_widths.h"

namespace zenkar {

struct PdfFont {
  std::string_view key;         // resource name in content streams: "A", "CBI", ...
  std::string_view name;        // /BaseFont: "Arial", "CourierNew,Bold", ...
  std::string_view descriptor;  // the font descriptor's metrics entries
  const std::array<uint16_t, kWinAnsiCodeCount>* widths;  // codes 32..255; null: fixed pitch
  int missing_width;                                      // width of codes below 32
  int ascent;                                             // thousandths of the size

  // The width of one WinAnsi code in thousandths of the font size.
  int Width(unsigned char code) const;
  // The summed widths of `text` in thousandths of the font size.
  long TextWidth(std::string_view text) const;
};

inline constexpr int kCourierNewWidth = 600;
inline constexpr int kArialAscent = 905;
inline constexpr int kCourierNewAscent = 833;
// Space below the ascent that a line takes, in thousandths of the size.
inline constexpr int kLineGap = 235;

// The fonts in the order every document declares them: A, AB, C, CB, AI, ABI,
// CI, CBI.
const std::array<PdfFont, 8>& PdfFonts();

// The declared font of `key`; null when no such font is declared.
const PdfFont* FindPdfFont(std::string_view key);

// The key of a family ("Courier New" when it reads COURIERNEW without blanks,
// in any case; every other family is Arial) and a style (1 bold, 2 italic,
// anything else regular).
std::string_view PdfFontKey(std::string_view family, int style);

}  // namespace zenkar

#endif  // ZENKAR_OUTPUT_PDF_FONTS_H_
