// The declared fonts: keys, families, and widths that match Arial's metrics.
#include "output/pdf_fonts.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <vector>

#include "output/pdf_test_tools.h"
#include "support/temp_dir.h"

namespace zenkar {
namespace {

std::vector<int> FirstWidths(const PdfFont& font, int count) {
  std::vector<int> widths;
  for (int code = 32; code < 32 + count; ++code) widths.push_back(font.Width(code));
  return widths;
}

TEST(PdfFonts, ArialTablesBeginWithThePublishedRows) {
  const std::vector<int> regular = {278, 278, 355, 556, 556, 889, 667, 191, 333,
                                    333, 389, 584, 278, 333, 278, 278, 556, 556,
                                    556, 556, 556, 556, 556, 556, 556, 556};
  EXPECT_EQ(FirstWidths(*FindPdfFont("A"), 26), regular);
  const std::vector<int> bold = {278, 333, 474, 556, 556, 889, 722, 238};
  EXPECT_EQ(FirstWidths(*FindPdfFont("AB"), 8), bold);
  EXPECT_EQ(FirstWidths(*FindPdfFont("ABI"), 8), bold);
  EXPECT_EQ(FirstWidths(*FindPdfFont("AI"), 26), regular);
}

TEST(PdfFonts, ArialWidthsOfWellKnownGlyphs) {
  const PdfFont& arial = *FindPdfFont("A");
  EXPECT_EQ(arial.Width('W'), 944);
  EXPECT_EQ(arial.Width('i'), 222);
  EXPECT_EQ(arial.Width('@'), 1015);
  EXPECT_EQ(arial.Width(0x80), 556);  // euro sign
  EXPECT_EQ(arial.Width(0x95), 350);  // bullet
  EXPECT_EQ(arial.Width(0x81), 750);  // undefined in Windows-1252: the missing-glyph box
  EXPECT_EQ(arial.Width(0xB5), 576);  // micro sign, wider in Arial than in Helvetica
  EXPECT_EQ(FindPdfFont("AB")->Width('m'), 889);
}

TEST(PdfFonts, FamilyAndStyleChooseTheKey) {
  EXPECT_EQ(PdfFontKey("Courier New", 0), "C");
  EXPECT_EQ(PdfFontKey("courier new", 1), "CB");
  EXPECT_EQ(PdfFontKey(" Courier  New ", 2), "CI");
  EXPECT_EQ(PdfFontKey("CourierNew", 3), "C");  // only 1 and 2 are styles
  EXPECT_EQ(PdfFontKey("Arial", 1), "AB");
  EXPECT_EQ(PdfFontKey("Times New Roman", 2), "AI");
  EXPECT_EQ(PdfFontKey("Courier", 0), "A");
  EXPECT_EQ(PdfFontKey("", -1), "A");
}

// The checked-in tables are exactly what the generator makes from the
// installed metrics, so neither can drift from the other.
TEST(PdfFonts, CheckedInTablesMatchTheGenerator) {
  const char* data = std::getenv("ZENKAR_TEST_DATA");
  ASSERT_NE(data, nullptr);
  const std::string root = std::string(data) + "/../..";
  testing::TempDir dir;
  const testing::CommandResult run = testing::RunCommand(
      "/usr/bin/python3 " + testing::ShellQuote(root + "/tools/gen_font_widths.py") + " " +
          testing::ShellQuote(dir.File("widths.cc")),
      true);
  ASSERT_EQ(run.status, 0) << run.output;
  std::ifstream in(root + "/src/output/arial_widths.cc", std::ios::binary);
  std::stringstream checked_in;
  checked_in << in.rdbuf();
  EXPECT_EQ(dir.ReadFile("widths.cc"), checked_in.str());
}

}  // namespace
}  // namespace zenkar
