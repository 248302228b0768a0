// Helpers for the output tests: the real PDF tools run on the files we write,
// a reader of the xref table, and a builder of small Windows bitmaps.
#ifndef ZENKAR_TESTS_OUTPUT_PDF_TEST_TOOLS_H_
#define ZENKAR_TESTS_OUTPUT_PDF_TEST_TOOLS_H_

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zenkar::testing {

// Runs a shell command; its standard output (and error, with `merge_stderr`)
// and exit status.
struct CommandResult {
  int status = -1;
  std::string output;
};
CommandResult RunCommand(const std::string& command, bool merge_stderr = false);
std::string ShellQuote(std::string_view text);

// "qpdf --check" passes without errors or warnings; the tool's report else.
std::optional<std::string> QpdfProblems(const std::string& pdf_path);

// The text of the document as pdftotext reads it, in UTF-8: per page, the
// lines that are not blank, without trailing blanks.
using TextPages = std::vector<std::vector<std::string>>;
TextPages PdfTextPages(const std::string& pdf_path);

// Every word of the document as pdftotext -bbox places it: its page (from
// 0), its box in points from the page's top-left corner, and its text.
struct PdfWord {
  int page = 0;
  double x_min = 0;
  double y_min = 0;
  double x_max = 0;
  double y_max = 0;
  std::string text;
};
std::vector<PdfWord> PdfWords(const std::string& pdf_path);

// One page rendered by pdftoppm at 72 dots per inch: pixel (x, y) is the
// point x from the left and y from the top of the media box.
struct RgbImage {
  int width = 0;
  int height = 0;
  std::string rgb;
  uint32_t At(int x, int y) const;  // 0xRRGGBB
};
std::optional<RgbImage> RenderPage(const std::string& pdf_path, int page);

// The byte offsets of the xref entries of a PDF we wrote (index = object
// number; entry 0 is the free entry), and where startxref says the table is.
struct XrefTable {
  uint64_t xref_offset = 0;
  std::vector<uint64_t> offsets;
  std::vector<std::string> lines;  // each entry exactly as written, line end included
};
std::optional<XrefTable> ReadXref(std::string_view pdf);

// The text of object `number` from its "n 0 obj" line to "endobj".
std::string ObjectText(std::string_view pdf, const XrefTable& xref, int number);

// An uncompressed Windows bitmap. `pixel(x, y)` gives the palette index (1, 4
// and 8 bits) or 0xRRGGBB (24 bits) of the pixel x from the left and y from
// the top; rows are stored bottom-up unless `top_down`.
struct BmpLayout {
  int width = 4;
  int height = 4;
  int bits = 24;
  std::vector<uint32_t> palette;  // 0xRRGGBB entries
  std::function<uint32_t(int x, int y)> pixel = [](int, int) { return 0; };
  bool top_down = false;
};
std::string MakeBmp(const BmpLayout& layout);
// A black bitmap of that size and depth (24 bits).
inline std::string MakeBmpOfSize(int width, int height) {
  BmpLayout layout;
  layout.width = width;
  layout.height = height;
  return MakeBmp(layout);
}

}  // namespace zenkar::testing

#endif  // ZENKAR_TESTS_OUTPUT_PDF_TEST_TOOLS_H_
