// Numbers, strings and dates as they appear in the files.
#include "output/pdf_syntax.h"

#include <gtest/gtest.h>

namespace zenkar {
namespace {

TEST(PdfNumber, ShortestSinglePrecisionFormWithoutExponent) {
  EXPECT_EQ(PdfNumber(612), "612");
  EXPECT_EQ(PdfNumber(4.2 * 72), "302.4");
  EXPECT_EQ(PdfNumber(792 - 1.5 * 72), "684");
  EXPECT_EQ(PdfNumber(0.5), "0.5");
  EXPECT_EQ(PdfNumber(-18.25), "-18.25");
  EXPECT_EQ(PdfNumber(200 / 255.0), "0.78431374");
  EXPECT_EQ(PdfNumber(-0.0), "0");
  EXPECT_EQ(PdfNumber(1e-9), "0.000000001");
  EXPECT_EQ(PdfNumber(3e7), "30000000");
}

TEST(PdfString, EscapesDelimitersAndControlBytes) {
  auto quoted = [](std::string_view text) {
    std::string out;
    AppendPdfString(out, text);
    return out;
  };
  EXPECT_EQ(quoted("Net (loss)"), "(Net \\(loss\\))");
  EXPECT_EQ(quoted("C:\\books"), "(C:\\\\books)");
  EXPECT_EQ(quoted(")("), "(\\)\\()");
  EXPECT_EQ(quoted("a\r\nb\tc"), "(a\\015\\012b\\011c)");
  EXPECT_EQ(quoted("Caf\xE9 \x80"), "(Caf\xE9 \x80)");  // WinAnsi bytes as they are
  EXPECT_EQ(quoted(""), "()");
}

TEST(PdfDateText, CarriesTheRealZoneOffset) {
  const LocalDateTime time{2026, 3, 4, 7, 8, 9};
  EXPECT_EQ(PdfDate(time, 60), "D:20260304070809+01'00'");
  EXPECT_EQ(PdfDate(time, -300), "D:20260304070809-05'00'");
  EXPECT_EQ(PdfDate(time, 330), "D:20260304070809+05'30'");
  EXPECT_EQ(PdfDate(time, -570), "D:20260304070809-09'30'");
  EXPECT_EQ(PdfDate(time, 0), "D:20260304070809Z");
}

}  // namespace
}  // namespace zenkar
