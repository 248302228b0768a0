// PdfWriter: the files it writes are valid PDF (checked by qpdf), read back as
// the text that was placed (pdftotext), look right (pdftoppm), and keep the
// user's previous file safe whenever a document fails.
#include "output/pdf_writer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "common/text_field.h"
#include "output/pdf_test_tools.h"
#include "support/fault_file_system.h"
#include "support/fixed_clock.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace zenkar {
namespace {

using testing::BmpLayout;
using ::testing::HasSubstr;

constexpr char kInUse[] = " is in use. Close all pdf files, or restart your computer.";

class PdfWriterTest : public ::testing::Test {
 protected:
  PdfWriterTest() : writer_(PosixFileSystem(), ui_, clock_, {"Acme Plumbing", "www.zenkar.test"}) {}

  std::string Path(std::string_view name) const { return dir_.File(name); }

  // Finishes the document and returns the file, after qpdf has checked it.
  std::string Finish() {
    EXPECT_TRUE(writer_.DocEnd());
    EXPECT_EQ(ui_.Texts(), std::vector<std::string>{});
    EXPECT_EQ(testing::QpdfProblems(writer_.file_name()), std::nullopt);
    std::ifstream in(writer_.file_name(), std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
  }

  std::string StartAndFinish(PageOrientation orientation = PageOrientation::kPortrait) {
    EXPECT_TRUE(writer_.DocStart(Path("doc"), orientation));
    return Finish();
  }

  testing::TempDir dir_;
  testing::ScriptedUi ui_;
  testing::FixedClock clock_{{2026, 3, 14, 9, 5, 7}, 60};
  PdfWriter writer_;
};

// The numbers of the text operator lines of `pdf` for `text`: the "Td" x.
double TdXOf(const std::string& pdf, std::string_view escaped_text) {
  const size_t tj = pdf.find("(" + std::string(escaped_text) + ") Tj");
  const size_t td_end = pdf.rfind(" Td\r\n", tj);
  const size_t line_start = pdf.rfind("\r\n", td_end - 1) + 2;
  return std::stod(pdf.substr(line_start, td_end - line_start));
}

// ------------------------------------------------------------ file layout

TEST_F(PdfWriterTest, DeclaresAllEightFontsInEveryDocument) {
  const std::string pdf = StartAndFinish();
  size_t at = 0;
  for (const PdfFont& font : PdfFonts()) {
    const std::string base_font = "/BaseFont /" + std::string(font.name) + "\r";
    at = pdf.find(base_font, at);
    ASSERT_NE(at, std::string::npos) << font.name << " missing or out of order";
    EXPECT_THAT(pdf, HasSubstr("/FontName /" + std::string(font.name) + "\r" +
                               std::string(font.descriptor) + ">>\r\n"));
    EXPECT_THAT(pdf, HasSubstr("/" + std::string(font.key) + " "));
  }
  EXPECT_THAT(pdf, HasSubstr("/Subtype /MMType1\r"));
  EXPECT_THAT(pdf, HasSubstr("/Font <<\r\n/A 4 0 R \r/AB 6 0 R \r/C 8 0 R \r/CB 10 0 R \r"
                             "/AI 12 0 R \r/ABI 14 0 R \r/CI 16 0 R \r/CBI 18 0 R \r>>\r\n"));
  EXPECT_THAT(pdf, HasSubstr("/Widths [\r\n278 278 355 556 556 889 667 191 333 333 389 584 278 "
                             "333 278 278 \r\n556 556 "));
}

TEST_F(PdfWriterTest, InfoDictionaryNamesMakerUserAndRealZone) {
  testing::FixedClock west({2026, 11, 2, 17, 45, 30}, -300);
  PdfWriter writer(PosixFileSystem(), ui_, west, {"Acme (West) Plumbing", ""});
  ASSERT_TRUE(writer.DocStart(Path("info"), PageOrientation::kPortrait));
  ASSERT_TRUE(writer.DocEnd());
  std::ifstream in(Path("info.pdf"), std::ios::binary);
  std::stringstream pdf;
  pdf << in.rdbuf();
  EXPECT_THAT(pdf.str(),
              HasSubstr("1 0 obj\r\n<<\r/Title (Zenkar Software Report)\r"
                        "/Author (Zenkar Accounting by Zenkar Software for Acme \\(West\\) "
                        "Plumbing)\r/Creator (Zenkar Software - www.zenkar.example)\r"
                        "/CreationDate (D:20261102174530-05'00')\r>>\r\nendobj\r\n"));
  EXPECT_THAT(pdf.str(), HasSubstr("2 0 obj\r\n<<\r/Type /Catalog\r/Pages 3 0 R\r/PageLayout "
                                   "/SinglePage\r/PageMode /UseNone\r/Lang (en)\r>>\r\n"));
}

TEST_F(PdfWriterTest, PortraitAndLandscapeBoxes) {
  std::string pdf = StartAndFinish(PageOrientation::kPortrait);
  EXPECT_THAT(pdf, HasSubstr("/MediaBox [0 0 612 792]\r/CropBox [18 18 594 774]\r"));
  EXPECT_THAT(pdf, HasSubstr("/BBox [0 0 612 792]\r"));

  pdf = StartAndFinish(PageOrientation::kLandscape);
  EXPECT_THAT(pdf, HasSubstr("/MediaBox [0 0 792 612]\r/CropBox [18 18 774 594]\r"));
  EXPECT_THAT(pdf, HasSubstr("/BBox [0 0 792 612]\r"));
}

TEST_F(PdfWriterTest, PagesShowTheHeaderFormAndTheXrefFindsEveryObject) {
  writer_.DocStart(Path("pages"), PageOrientation::kPortrait);
  for (int page = 1; page <= 3; ++page) {
    if (page > 1) writer_.NewPage();
    writer_.PlaceText(1, 1, "Page " + std::to_string(page) + " of 3");
  }
  const std::string pdf = Finish();
  EXPECT_TRUE(pdf.starts_with("%PDF-1.3\r\n1 0 obj\r\n<<\r/Title (Zenkar Software Report)\r"));
  EXPECT_TRUE(pdf.ends_with("%%EOF\r\n"));

  const std::optional<testing::XrefTable> xref = testing::ReadXref(pdf);
  ASSERT_TRUE(xref.has_value());
  EXPECT_EQ(pdf.substr(xref->xref_offset, 32), "xref\r\n0 32\r\n0000000000 65535 f\r\n");
  ASSERT_EQ(xref->offsets.size(), 32u);
  for (size_t number = 1; number < xref->offsets.size(); ++number) {
    EXPECT_TRUE(xref->lines[number].ends_with(" 00000 n\r\n")) << xref->lines[number];
    const std::string header = std::to_string(number) + " 0 obj\r\n";
    EXPECT_EQ(pdf.substr(xref->offsets[number], header.size()), header);
  }
  EXPECT_THAT(pdf, HasSubstr("trailer\r\n<<\r\n/Size 32\r\n/Info 1 0 R\r\n/Root 2 0 R\r\n>>"));
  EXPECT_EQ(writer_.page_count(), 3);
  EXPECT_THAT(pdf, HasSubstr("/Count 3\r"));
  EXPECT_THAT(pdf, HasSubstr("/Kids [22 0 R 25 0 R 28 0 R ]\r/Resources 31 0 R\r>>"));
  const std::regex page_start(R"(stream\r\n/Hdr1 Do\r\n)");
  EXPECT_EQ(std::distance(std::sregex_iterator(pdf.begin(), pdf.end(), page_start),
                          std::sregex_iterator()),
            3);
  EXPECT_EQ(testing::PdfTextPages(writer_.file_name()),
            (testing::TextPages{{"Page 1 of 3"}, {"Page 2 of 3"}, {"Page 3 of 3"}}));
}

// The data of the stream object `number`, as long as its length object says.
std::string StreamData(const std::string& pdf, int number) {
  const std::optional<testing::XrefTable> xref = testing::ReadXref(pdf);
  const std::string object = testing::ObjectText(pdf, *xref, number);
  const std::string length_object = testing::ObjectText(pdf, *xref, number + 1);
  const size_t length = std::stoul(length_object.substr(length_object.find("\r\n") + 2));
  return object.substr(object.find("stream\r\n") + 8, length);
}

std::string Inflate(const std::string& data) {
  std::string out(1 << 20, '\0');
  uLongf size = out.size();
  if (uncompress(reinterpret_cast<Bytef*>(out.data()), &size,
                 reinterpret_cast<const Bytef*>(data.data()), data.size()) != Z_OK) {
    return "(not deflate data)";
  }
  out.resize(size);
  return out;
}

// Compressed pages hold exactly the operators of plain ones.
TEST_F(PdfWriterTest, CompressedPagesCarryTheSameOperators) {
  auto write = [&](const std::string& name, bool compress) {
    PdfWriter writer(PosixFileSystem(), ui_, clock_, {"", "", compress});
    EXPECT_TRUE(writer.DocStart(Path(name), PageOrientation::kPortrait));
    for (int page = 1; page <= 2; ++page) {
      if (page > 1) writer.NewPage();
      for (int line = 1; line <= 50; ++line) {
        writer.PlaceText(1, line / 6.0 + 1, "Check " + std::to_string(1000 + line));
        writer.PlaceText(7, line / 6.0 + 1, std::to_string(line * 13) + ".25", TextAlign::kRight);
      }
      writer.DrawRect(1, 1, 6.5, 9, 0.2, PaintOp::kStroke);
    }
    EXPECT_TRUE(writer.DocEnd());
    EXPECT_EQ(testing::QpdfProblems(Path(name + ".pdf")), std::nullopt);
    return dir_.ReadFile(name + ".pdf");
  };
  const std::string plain = write("plain", false);
  const std::string compressed = write("compressed", true);
  EXPECT_THAT(compressed, HasSubstr("23 0 obj\r\n<< /Length 24 0 R /Filter /FlateDecode >>\r\n"));
  EXPECT_THAT(plain, HasSubstr("23 0 obj\r\n<< /Length 24 0 R >>\r\n"));
  for (int content : {23, 26}) {
    EXPECT_EQ(Inflate(StreamData(compressed, content)), StreamData(plain, content));
  }
  EXPECT_LT(compressed.size(), plain.size());
  EXPECT_EQ(testing::PdfTextPages(Path("compressed.pdf")),
            testing::PdfTextPages(Path("plain.pdf")));
  EXPECT_THAT(testing::PdfTextPages(Path("compressed.pdf"))[1],
              ::testing::IsSupersetOf({"Check 1001", "Check 1050", "650.25"}));
}

// ------------------------------------------------------------ text

TEST_F(PdfWriterTest, TextReadsBackExactlyAsPlaced) {
  writer_.DocStart(Path("text"), PageOrientation::kPortrait);
  const std::vector<std::string> lines = {"Net (loss)", "C:\\Books\\KXACCT.TRN",
                                          "Caf\xE9 \x80 100 \x96 Jos\xE9's (draft)"};
  for (size_t i = 0; i < lines.size(); ++i) writer_.PlaceText(1, 1 + 0.5 * i, lines[i]);
  const std::string pdf = Finish();
  EXPECT_THAT(pdf, HasSubstr("(Net \\(loss\\)) Tj\r\n"));
  EXPECT_THAT(pdf, HasSubstr("(C:\\\\Books\\\\KXACCT.TRN) Tj\r\n"));
  std::vector<std::string> expected;
  for (const std::string& line : lines) expected.push_back(Cp1252ToUtf8(line));
  EXPECT_EQ(testing::PdfTextPages(writer_.file_name()), testing::TextPages{expected});
}

TEST_F(PdfWriterTest, RightAlignedAmountEndsAtTheColumnInEveryFont) {
  writer_.DocStart(Path("right"), PageOrientation::kPortrait);
  const std::vector<std::pair<std::string, double>> fonts = {{"A", 10}, {"AB", 9},  {"ABI", 14},
                                                             {"C", 10}, {"CBI", 8}, {"AI", 11.5}};
  for (size_t i = 0; i < fonts.size(); ++i) {
    writer_.SetFontKey(fonts[i].first, fonts[i].second);
    writer_.PlaceText(4.2, 1 + 0.25 * i, "1,234.5" + std::to_string(i), TextAlign::kRight);
  }
  const std::string pdf = Finish();
  for (size_t i = 0; i < fonts.size(); ++i) {
    const std::string text = "1,234.5" + std::to_string(i);
    const PdfFont& font = *FindPdfFont(fonts[i].first);
    const double end = TdXOf(pdf, text) + font.TextWidth(text) * fonts[i].second / 1000;
    EXPECT_NEAR(end, 302.4, 1e-4) << fonts[i].first;
  }
}

TEST_F(PdfWriterTest, DecimalPointsOfPositiveAndNegativeAmountsLineUp) {
  writer_.DocStart(Path("decimal"), PageOrientation::kPortrait);
  writer_.PlaceText(5, 1, "1,234.56", TextAlign::kDecimal);
  writer_.PlaceText(5, 1.2, "(1,234.56)", TextAlign::kDecimal);
  writer_.PlaceText(5, 1.4, "12", TextAlign::kDecimal);
  writer_.PlaceText(5, 1.6, "-0.50", TextAlign::kDecimal);
  const std::string pdf = Finish();
  const PdfFont& arial = *FindPdfFont("A");
  const double half_point = arial.Width('.') * 10 / 1000.0 / 2;
  auto point_centre = [&](std::string_view text, std::string_view escaped,
                          std::string_view before_point) {
    return TdXOf(pdf, escaped) + arial.TextWidth(before_point) * 10 / 1000.0 + half_point;
  };
  EXPECT_NEAR(point_centre("1,234.56", "1,234.56", "1,234"), 360, 1e-4);
  EXPECT_NEAR(point_centre("(1,234.56)", "\\(1,234.56\\)", "(1,234"), 360, 1e-4);
  EXPECT_NEAR(point_centre("12", "12", "12"), 360, 1e-4);
  EXPECT_NEAR(point_centre("-0.50", "-0.50", "-0"), 360, 1e-4);
}

TEST_F(PdfWriterTest, CentredTextAndRotatedText) {
  writer_.DocStart(Path("rotate"), PageOrientation::kPortrait);
  writer_.SetFontKey("C", 10);
  writer_.PlaceText(4.25, 1, "VOID", TextAlign::kCenter);  // 4 x 6 points wide
  writer_.PlaceText(1, 5, "Up the page", TextAlign::kLeft, 90);
  writer_.PlaceText(2, 5, "Tilted", TextAlign::kLeft, 30);
  const std::string pdf = Finish();
  EXPECT_EQ(TdXOf(pdf, "VOID"), 306 - 12);
  // cos and sin of 90 degrees with pi as 3.141592.
  EXPECT_THAT(pdf, HasSubstr("0.0000003267949 1 -1 0.0000003267949 72 432 Tm\r\n(Up the page)"));
  EXPECT_THAT(pdf, HasSubstr("0.86602545 0.4999999 -0.4999999 0.86602545 144 432 Tm\r\n(Tilted)"));
  EXPECT_THAT(testing::PdfTextPages(writer_.file_name())[0],
              ::testing::IsSupersetOf({"VOID", "Up the page"}));
}

TEST_F(PdfWriterTest, NewLineMovesByLinesAndRows) {
  ASSERT_TRUE(writer_.DocStart(Path("lines"), PageOrientation::kPortrait));
  EXPECT_EQ(writer_.current_y(), 0);
  writer_.NewLine(6);
  EXPECT_DOUBLE_EQ(writer_.current_y(), 1);
  writer_.NewLine(0);  // Arial 10: (235 + 905) / 100 points
  EXPECT_DOUBLE_EQ(writer_.current_y(), 1 + 11.4 / 72);
  writer_.NewLine(-3);
  EXPECT_DOUBLE_EQ(writer_.current_y(), 1.5 + 11.4 / 72);
  writer_.NewPage();
  EXPECT_EQ(writer_.current_y(), 0);
  Finish();
}

TEST_F(PdfWriterTest, UndeclaredFontKeyIsRefusedAndDocStartResetsTheFont) {
  writer_.SetFontKey("CB", 9);
  EXPECT_FALSE(writer_.SetFontKey("TNR", 12));
  EXPECT_EQ(ui_.messages().size(), 1u);
  EXPECT_EQ(ui_.messages()[0].kind, MessageKind::kError);
  EXPECT_EQ(ui_.LastText(),
            "Font 'TNR' not found in pdf file. Contact Zenkar Software for assistance.");
  EXPECT_DOUBLE_EQ(writer_.TextWidth("ab"), 2 * 600 * 9 / 1000.0 / 72);  // still CB 9
  ui_.ClearMessages();

  ASSERT_TRUE(writer_.DocStart(Path("default"), PageOrientation::kPortrait));
  writer_.PlaceText(1, 1, "x");
  EXPECT_THAT(Finish(), HasSubstr("BT\r\n/A 10 Tf\r\n"));
}

// ------------------------------------------------------------ drawing

TEST_F(PdfWriterTest, PathAndColourOperators) {
  writer_.DocStart(Path("draw"), PageOrientation::kPortrait);
  writer_.SetGray(200);
  writer_.DrawRect(1, 2, 6.5, 1.0 / 6, 0, PaintOp::kFill);
  writer_.SetColor(255, 0, 51);
  writer_.SetDash(0.05, 0.025);
  writer_.DrawLine(1, 3, 7.5, 3);
  writer_.SetDash(0, 0);
  writer_.DrawDoubleLine(6, 4, 7, 4);
  writer_.DrawRect(1, 5, 2, 1, 0, PaintOp::kFillStroke);
  const std::string pdf = Finish();
  EXPECT_THAT(pdf, HasSubstr("0.78431374 g\r\n72 636 468 12 re\r\nf\r\n"
                             "1 0 0.2 rg\r\n[3.6 1.8] 0 d\r\n72 576 m\r\n540 576 l\r\nS\r\n"
                             "[ ] 0 d\r\n432 504 m\r\n504 504 l\r\nS\r\n"
                             "432 502 m\r\n504 502 l\r\nS\r\n"
                             "72 360 144 72 re\r\nB\r\n"));
}

TEST_F(PdfWriterTest, RoundedRectangleHasRoundCorners) {
  writer_.DocStart(Path("round"), PageOrientation::kPortrait);
  writer_.DrawRect(1, 1, 3, 2, 0.5, PaintOp::kFill);  // 72..288 x 72..216 points
  const std::string pdf = Finish();
  EXPECT_THAT(pdf, HasSubstr("108 720 m\r\n252 720 l\r\n271.8 720 288 703.8 288 684 c\r\n"));
  const std::optional<testing::RgbImage> page = testing::RenderPage(writer_.file_name(), 1);
  ASSERT_TRUE(page.has_value());
  auto at = [&](int x, int y) { return page->At(x, y); };
  EXPECT_EQ(at(180, 144), 0x000000u);  // inside
  EXPECT_EQ(at(180, 74), 0x000000u);   // along the top edge
  EXPECT_EQ(at(74, 74), 0xFFFFFFu);    // cut-off corner
  EXPECT_EQ(at(286, 214), 0xFFFFFFu);  // cut-off corner
  EXPECT_EQ(at(90, 90), 0x000000u);    // inside the arc
}

// ------------------------------------------------------------ logo

struct DepthCase {
  int bits;
  uint32_t top;
  uint32_t bottom;
};

BmpLayout TwoBandLogo(const DepthCase& c) {
  BmpLayout layout;
  layout.width = 20;
  layout.height = 10;
  layout.bits = c.bits;
  if (c.bits <= 8) {
    layout.palette.assign(size_t{1} << c.bits, 0x808080);
    layout.palette[0] = c.top;
    layout.palette[1] = c.bottom;
    layout.pixel = [](int, int y) { return y < 5 ? 0u : 1u; };
  } else {
    layout.pixel = [c](int, int y) { return y < 5 ? c.top : c.bottom; };
  }
  return layout;
}

class PdfLogoTest : public PdfWriterTest, public ::testing::WithParamInterface<DepthCase> {};

// A 20 x 10 logo in a 2 x 2 inch box keeps its 2:1 shape: 144 x 72 points from
// (36, 36 + 12). The top band must come out on top.
TEST_P(PdfLogoTest, EachDepthRendersUprightInItsBox) {
  const DepthCase c = GetParam();
  dir_.WriteFile("logo.bmp", testing::MakeBmp(TwoBandLogo(c)));
  const std::vector<LogoBox> boxes = {{"Letterhead", 0.5, 0.5, 2, 2}};
  ASSERT_TRUE(writer_.SetLogoPositions(Path("logo.bmp"), "Letterhead", boxes));
  ASSERT_TRUE(writer_.DocStart(Path("logo"), PageOrientation::kPortrait));
  writer_.NewPage();
  const std::string pdf = Finish();
  EXPECT_THAT(pdf, HasSubstr("q\r\n144 0 0 -72 36 744 cm\r\n/Logo1 Do\r\nQ\r\n"));
  EXPECT_THAT(pdf, HasSubstr("/ProcSet [/PDF /Text /ImageB /ImageC /ImageI ]"));
  if (c.bits <= 8) {
    EXPECT_THAT(pdf, HasSubstr("/BitsPerComponent " + std::to_string(c.bits) +
                               "\r/ColorSpace [/Indexed /DeviceRGB " +
                               std::to_string((1 << c.bits) - 1) + " 22 0 R]"));
  } else {
    EXPECT_THAT(pdf, HasSubstr("/BitsPerComponent 8\r/ColorSpace /DeviceRGB\r"));
  }
  for (int page_number : {1, 2}) {
    const std::optional<testing::RgbImage> page =
        testing::RenderPage(writer_.file_name(), page_number);
    ASSERT_TRUE(page.has_value());
    auto at = [&](int x, int y) { return page->At(x, y); };
    EXPECT_EQ(at(100, 60), c.top) << "page " << page_number;
    EXPECT_EQ(at(100, 100), c.bottom) << "page " << page_number;
    EXPECT_EQ(at(40, 52), c.top);
    EXPECT_EQ(at(176, 116), c.bottom);
    EXPECT_EQ(at(100, 126), 0xFFFFFFu);  // below the 72-point-high logo
    EXPECT_EQ(at(186, 60), 0xFFFFFFu);   // right of it
  }
}

INSTANTIATE_TEST_SUITE_P(AllDepths, PdfLogoTest,
                         ::testing::Values(DepthCase{1, 0xFF0000, 0x0000FF},
                                           DepthCase{4, 0x00FF00, 0xFF00FF},
                                           DepthCase{8, 0xFFFF00, 0x00FFFF},
                                           DepthCase{24, 0x336699, 0xCC3300}),
                         [](const auto& info) { return std::to_string(info.param.bits) + "Bits"; });

TEST_F(PdfWriterTest, LogoFailuresStopTheDocument) {
  const std::vector<LogoBox> boxes = {{"Check", 0.5, 0.5, 1, 1}};
  EXPECT_FALSE(writer_.SetLogoPositions(Path("logo.bmp"), "Stub", boxes));
  EXPECT_EQ(ui_.LastText(), "Stub not found (PDF SetLogoPositions).");

  ASSERT_TRUE(writer_.SetLogoPositions(Path("missing.bmp"), "Check", boxes));
  EXPECT_FALSE(writer_.DocStart(Path("check"), PageOrientation::kPortrait));
  EXPECT_EQ(ui_.LastText(), Path("missing.bmp") + " not able to be opened (PDF BMP File Read).");
  EXPECT_FALSE(writer_.DocEnd());

  dir_.WriteFile("bad.bmp", "BZ this is no bitmap at all, just some text to read");
  ASSERT_TRUE(writer_.SetLogoPositions(Path("bad.bmp"), "Check", boxes));
  EXPECT_FALSE(writer_.DocStart(Path("check"), PageOrientation::kPortrait));
  EXPECT_EQ(ui_.LastText(), Path("bad.bmp") + " has invalid header (PDF BMP File Read).");
  EXPECT_EQ(dir_.Listing(), "bad.bmp");  // no document, no temporary file
}

// ------------------------------------------------------------ paths, clips, images

size_t CountOf(const std::string& text, std::string_view what) {
  size_t count = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++count;
  return count;
}

// A square ring filled even-odd (the hole stays white), a red stroke with a
// curve, and a blue page-wide fill that a clip keeps to one box; all in
// points from the top-left corner.
TEST_F(PdfWriterTest, PathsFillStrokeAndClipInPointsFromTheTop) {
  ASSERT_TRUE(writer_.DocStart(Path("paths"), PageOrientation::kPortrait));
  CanvasPath ring;
  ring.AddRectangle(72, 72, 72, 72);
  ring.AddRectangle(96, 96, 24, 24);
  PathPaint even_odd;
  even_odd.fill_rule = FillRule::kEvenOdd;
  writer_.DrawPath(ring, even_odd);

  CanvasPath curve;
  curve.MoveTo(200, 100);
  curve.CurveTo(250, 50, 300, 150, 350, 100);
  PathPaint red_stroke;
  red_stroke.fill = false;
  red_stroke.stroke = true;
  red_stroke.stroke_color = {255, 0, 0};
  red_stroke.line_width = 4;
  writer_.DrawPath(curve, red_stroke);

  CanvasPath box;
  box.AddRectangle(72, 300, 100, 50);
  writer_.BeginClip(box, FillRule::kNonZero);
  CanvasPath page;
  page.AddRectangle(0, 0, 612, 792);
  PathPaint blue;
  blue.fill_color = {0, 0, 255};
  writer_.DrawPath(page, blue);
  writer_.EndClip();
  CanvasPath triangle;
  triangle.MoveTo(300, 300);
  triangle.LineTo(330, 300);
  triangle.LineTo(300, 330);
  triangle.Close();
  writer_.DrawPath(triangle, {});
  writer_.BeginClip(box, FillRule::kEvenOdd);  // still open at the end of the page
  const std::string pdf = Finish();

  EXPECT_THAT(pdf, HasSubstr("q\r\n0 0 0 rg\r\n72 648 72 72 re\r\n96 672 24 24 re\r\nf*\r\nQ"
                             "\r\n"));
  EXPECT_THAT(pdf, HasSubstr("q\r\n1 0 0 RG\r\n4 w\r\n200 692 m\r\n250 742 300 642 350 692 c\r\n"
                             "S\r\nQ\r\n"));
  EXPECT_THAT(pdf, HasSubstr("300 492 m\r\n330 492 l\r\n300 462 l\r\nh\r\nf\r\n"));
  EXPECT_THAT(pdf, HasSubstr("72 442 100 50 re\r\nW n\r\n"));
  EXPECT_THAT(pdf,
              HasSubstr("72 442 100 50 re\r\nW* n\r\nQ\r\nendstream"));  // closed with the page

  const std::optional<testing::RgbImage> rendered = testing::RenderPage(writer_.file_name(), 1);
  ASSERT_TRUE(rendered.has_value());
  EXPECT_EQ(rendered->At(80, 80), 0x000000u);    // the ring
  EXPECT_EQ(rendered->At(108, 108), 0xFFFFFFu);  // its hole
  EXPECT_EQ(rendered->At(60, 60), 0xFFFFFFu);
  EXPECT_EQ(rendered->At(275, 100), 0xFF0000u);  // the middle of the curve
  EXPECT_EQ(rendered->At(120, 325), 0x0000FFu);  // inside the clip
  EXPECT_EQ(rendered->At(200, 325), 0xFFFFFFu);  // outside it
  EXPECT_EQ(rendered->At(310, 310), 0x000000u);  // drawn after the clip ended
}

// An image drawn on two pages is one object in the file; each page shows it
// upright in its box.
TEST_F(PdfWriterTest, ImageDrawnOnEveryPageIsWrittenOnce) {
  const auto image = std::make_shared<const BmpImage>(
      *DecodeBmp(testing::MakeBmp(TwoBandLogo({24, 0x336699, 0xCC3300}))));
  ASSERT_TRUE(writer_.DocStart(Path("images"), PageOrientation::kPortrait));
  writer_.DrawImage(image, 36, 36, 144, 72);
  writer_.NewPage();
  writer_.DrawImage(image, 36, 36, 144, 72);
  const std::string pdf = Finish();
  EXPECT_EQ(CountOf(pdf, "/Subtype /Image"), 1u);
  EXPECT_EQ(CountOf(pdf, "q\r\n144 0 0 -72 36 756 cm\r\n/Im1 Do\r\nQ\r\n"), 2u);
  EXPECT_THAT(pdf, HasSubstr("/ProcSet [/PDF /Text /ImageB /ImageC /ImageI ]"));
  for (int page_number : {1, 2}) {
    const std::optional<testing::RgbImage> page =
        testing::RenderPage(writer_.file_name(), page_number);
    ASSERT_TRUE(page.has_value());
    EXPECT_EQ(page->At(100, 50), 0x336699u) << "page " << page_number;
    EXPECT_EQ(page->At(100, 100), 0xCC3300u) << "page " << page_number;
    EXPECT_EQ(page->At(100, 115), 0xFFFFFFu) << "page " << page_number;
  }
}

// Invisible text reads back and paints nothing; the text after it is seen.
TEST_F(PdfWriterTest, InvisibleTextIsReadButNotPainted) {
  ASSERT_TRUE(writer_.DocStart(Path("invisible"), PageOrientation::kPortrait));
  writer_.PlaceInvisibleText(1, 2, "D123456789D", "C", 15);
  writer_.PlaceText(1, 2.5, "seen");
  const std::string pdf = Finish();
  EXPECT_THAT(pdf,
              HasSubstr("BT\r\n/C 15 Tf\r\n3 Tr\r\n72 648 Td\r\n(D123456789D) Tj\r\n0 Tr\r\nET"));
  EXPECT_EQ(testing::PdfTextPages(writer_.file_name()),
            (testing::TextPages{{"D123456789D", "seen"}}));
  const std::optional<testing::RgbImage> page = testing::RenderPage(writer_.file_name(), 1);
  ASSERT_TRUE(page.has_value());
  for (int x = 72; x < 72 + 11 * 9; ++x) {
    for (int y = 134; y < 146; ++y) ASSERT_EQ(page->At(x, y), 0xFFFFFFu) << x << ", " << y;
  }
}

// ------------------------------------------------------------ file handling

TEST_F(PdfWriterTest, NamesGetTheirExtensionOnceAndBadNamesAreRefused) {
  ASSERT_TRUE(writer_.DocStart(Path("Report"), PageOrientation::kPortrait));
  Finish();
  EXPECT_EQ(writer_.file_name(), Path("Report.pdf"));
  ASSERT_TRUE(writer_.DocStart(Path("Upper.PDF"), PageOrientation::kPortrait));
  Finish();
  EXPECT_EQ(writer_.file_name(), Path("Upper.PDF"));
  EXPECT_EQ(dir_.Listing(), "Report.pdf Upper.PDF");

  EXPECT_FALSE(writer_.InitPdfFile("  "));
  EXPECT_FALSE(writer_.DocStart("", PageOrientation::kPortrait));
  EXPECT_FALSE(writer_.DocStart(Path("no such folder/report"), PageOrientation::kPortrait));
  EXPECT_EQ(ui_.Texts(),
            (std::vector<std::string>{
                "File name not set (InitPDFFile).", "File Name not set (DocStart)",
                Path("no such folder/report.pdf") + " could not be opened (InitPDFFile)."}));
  writer_.PlaceText(1, 1, "ignored after failure");
  EXPECT_FALSE(writer_.DocEnd());
}

TEST_F(PdfWriterTest, PreviousFileStaysUntilDocEndAndAfterAnAbandonedDocument) {
  dir_.WriteFile("ledger.pdf", "previous ledger");
  ASSERT_TRUE(writer_.DocStart(Path("ledger"), PageOrientation::kPortrait));
  writer_.PlaceText(1, 1, "new ledger");
  EXPECT_EQ(dir_.ReadFile("ledger.pdf"), "previous ledger");
  Finish();
  EXPECT_EQ(dir_.Listing(), "ledger.pdf");
  EXPECT_EQ(testing::PdfTextPages(Path("ledger.pdf")), testing::TextPages{{"new ledger"}});

  {  // a document abandoned half way leaves that one alone and nothing else behind
    PdfWriter abandoned(PosixFileSystem(), ui_, clock_, {});
    ASSERT_TRUE(abandoned.DocStart(Path("ledger"), PageOrientation::kPortrait));
    abandoned.PlaceText(1, 1, "half a report");
  }
  EXPECT_EQ(dir_.Listing(), "ledger.pdf");
  EXPECT_EQ(testing::PdfTextPages(Path("ledger.pdf")), testing::TextPages{{"new ledger"}});
}

TEST_F(PdfWriterTest, FileThatCannotBeReplacedIsInUse) {
  testing::FaultInjectingFileSystem fs;
  PdfWriter writer(fs, ui_, clock_, {});
  dir_.WriteFile("open.pdf", "the viewer has this one open");
  ASSERT_TRUE(writer.DocStart(Path("open"), PageOrientation::kPortrait));
  fs.faults().fail_rename = true;
  EXPECT_FALSE(writer.DocEnd());
  EXPECT_EQ(ui_.Texts(), std::vector<std::string>{Path("open.pdf") + kInUse});
  EXPECT_EQ(dir_.ReadFile("open.pdf"), "the viewer has this one open");
  EXPECT_EQ(dir_.Listing(), "open.pdf");

  std::filesystem::create_directory(Path("folder.pdf"));
  EXPECT_FALSE(writer.DocStart(Path("folder.pdf"), PageOrientation::kPortrait));
  EXPECT_EQ(ui_.LastText(), Path("folder.pdf") + kInUse);
}

TEST_F(PdfWriterTest, WriteFailuresAreReportedAndLeaveNoBrokenFile) {
  for (bool disk_full : {true, false}) {
    testing::FaultInjectingFileSystem fs;
    PdfWriter writer(fs, ui_, clock_, {});
    dir_.WriteFile("full.pdf", "last month's report");
    ui_.ClearMessages();
    ASSERT_TRUE(writer.DocStart(Path("full"), PageOrientation::kPortrait));
    if (disk_full) {
      fs.faults().bytes_until_full = 5000;
    } else {
      fs.faults().fail_sync = true;
    }
    for (int i = 0; i < 30000; ++i) writer.PlaceText(1, 1, "a line of the general ledger");
    EXPECT_FALSE(writer.DocEnd());
    EXPECT_EQ(ui_.Texts(),
              std::vector<std::string>{Path("full.pdf") + " could not be written (DocEnd)."});
    EXPECT_EQ(dir_.ReadFile("full.pdf"), "last month's report");
    EXPECT_EQ(dir_.Listing(), "full.pdf");
  }
}

// ------------------------------------------------------------ golden file

// One small document with everything in it, written with a fixed clock, must
// be byte for byte the checked-in file. ZENKAR_UPDATE_GOLDEN=1 rewrites it.
TEST_F(PdfWriterTest, SmallDocumentMatchesGoldenFile) {
  BmpLayout logo = TwoBandLogo({4, 0x003366, 0xFFCC00});
  dir_.WriteFile("logo.bmp", testing::MakeBmp(logo));
  const std::vector<LogoBox> boxes = {{"Report", 0.5, 0.25, 1, 0.5}};
  ASSERT_TRUE(writer_.SetLogoPositions(Path("logo.bmp"), "Report", boxes));
  ASSERT_TRUE(writer_.DocStart(Path("golden"), PageOrientation::kPortrait));
  writer_.SetFont("Arial", 14, 1);
  writer_.PlaceText(4.25, 1, "Income Statement", TextAlign::kCenter);
  writer_.SetFont("Arial", 10, 0);
  writer_.SetGray(230);
  writer_.DrawRect(0.5, 1.6, 7.5, 1.0 / 6, 0, PaintOp::kFill);
  writer_.SetGray(0);
  writer_.PlaceText(0.5, 1.75, "Sales");
  writer_.PlaceText(6, 1.75, "12,345.67", TextAlign::kDecimal);
  writer_.PlaceText(0.5, 1.92, "Net (loss)");
  writer_.PlaceText(6, 1.92, "(1,234.56)", TextAlign::kDecimal);
  writer_.DrawDoubleLine(5.2, 2, 6.5, 2);
  writer_.NewPage();
  writer_.SetFontKey("C", 9);
  writer_.SetDash(0.1, 0.05);
  writer_.DrawRect(1, 1, 3, 1, 0.25, PaintOp::kStroke);
  writer_.PlaceText(7.8, 10.5, "Page 2 of 2", TextAlign::kRight);
  writer_.PlaceText(0.4, 9, "Prepared: 03/14/2026", TextAlign::kLeft, 90);
  const std::string pdf = Finish();

  const std::string golden_path =
      std::string(std::getenv("ZENKAR_TEST_DATA")) + "/output/small_document.pdf";
  if (const char* update = std::getenv("ZENKAR_UPDATE_GOLDEN"); update && *update == '1') {
    std::ofstream(golden_path, std::ios::binary) << pdf;
  }
  std::ifstream in(golden_path, std::ios::binary);
  std::stringstream golden;
  golden << in.rdbuf();
  const std::string expected = golden.str();
  const size_t differs =
      std::mismatch(pdf.begin(), pdf.end(), expected.begin(), expected.end()).first - pdf.begin();
  EXPECT_EQ(pdf.size(), expected.size());
  EXPECT_EQ(differs, pdf.size()) << "first difference at byte " << differs << ": \""
                                 << pdf.substr(differs, 60) << "\" instead of \""
                                 << expected.substr(std::min(differs, expected.size()), 60) << "\"";
}

}  // namespace
}  // namespace zenkar
