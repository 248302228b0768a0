// The statements' pages: lines per page, where lines land, and the headings
// each page repeats.
#include "output/statement_layout.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "output/csv_reader.h"
#include "output/output_fakes.h"
#include "output/pdf_test_tools.h"
#include "support/temp_dir.h"

namespace zenkar {
namespace {

using ::testing::ElementsAre;

StatementBodyLine Plain(std::string description) {
  StatementBodyLine line;
  line.description = std::move(description);
  return line;
}

StatementBodyLine Title(std::string description) {
  StatementBodyLine line = Plain(std::move(description));
  line.blank_before = true;
  return line;
}

StatementBodyLine Break() {
  StatementBodyLine line;
  line.page_break = true;
  return line;
}

std::vector<StatementBodyLine> Plains(int count) {
  std::vector<StatementBodyLine> lines;
  for (int i = 0; i < count; ++i) lines.push_back(Plain("line " + std::to_string(i)));
  return lines;
}

TEST(LinesPerPageTest, TheAdditionalTopMarginCostsHalfItsHalfLinesRoundedUp) {
  EXPECT_EQ(LinesPerPage(52, 1, 0), 52);
  EXPECT_EQ(LinesPerPage(52, 1, 1), 51);
  EXPECT_EQ(LinesPerPage(52, 1, 2), 51);
  EXPECT_EQ(LinesPerPage(52, 1, 3), 50);
  EXPECT_EQ(LinesPerPage(55, 1, 9), 50);
  // Legal paper is 14 inches against letter's 11.
  EXPECT_EQ(LinesPerPage(52, 14.0 / 11, 0), 66);
  EXPECT_EQ(LinesPerPage(2, 1, 9), 1);
}

TEST(PaginateTest, FillsPagesAndCarriesTheRestOver) {
  const auto pages = Paginate(Plains(5), 2);
  ASSERT_EQ(pages.size(), 3u);
  EXPECT_THAT(pages[0], ElementsAre(PlacedLine{0, 0}, PlacedLine{1, 1}));
  EXPECT_THAT(pages[2], ElementsAre(PlacedLine{0, 4}));
}

TEST(PaginateTest, ATitleHasABlankLineBeforeItExceptAtThePageTop) {
  const std::vector<StatementBodyLine> lines = {Title("INCOME"), Plain("Sales"), Title("EXPENSES"),
                                                Plain("Rent")};
  const auto pages = Paginate(lines, 4);
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_THAT(pages[0], ElementsAre(PlacedLine{0, 0}, PlacedLine{1, 1}, PlacedLine{3, 2}));
  EXPECT_THAT(pages[1], ElementsAre(PlacedLine{0, 3}));
  // The title that does not fit with its blank line starts the next page without it.
  const auto tight = Paginate(lines, 3);
  EXPECT_THAT(tight[1], ElementsAre(PlacedLine{0, 2}, PlacedLine{1, 3}));
}

TEST(PaginateTest, ADoubleUnderlineTakesTwoRows) {
  std::vector<StatementBodyLine> lines = Plains(3);
  lines[1].underlines = 2;
  lines[1].underline_columns = {42};
  EXPECT_THAT(Paginate(lines, 4)[0],
              ElementsAre(PlacedLine{0, 0}, PlacedLine{1, 1}, PlacedLine{3, 2}));
  EXPECT_EQ(Paginate(lines, 3).size(), 2u);
}

TEST(PaginateTest, APageBreakStartsANewPageUnlessThePageIsEmpty) {
  std::vector<StatementBodyLine> lines = {Break(), Plain("a"), Break(), Plain("b"), Break()};
  const auto pages = Paginate(lines, 50);
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_THAT(pages[0], ElementsAre(PlacedLine{0, 1}));
  EXPECT_THAT(pages[1], ElementsAre(PlacedLine{0, 3}));
}

TEST(PaginateTest, ThePageCountIsThePagesTheBodyReallyTakes) {
  // 50 lines, a page break, 50 lines: two pages of 52, not three.
  std::vector<StatementBodyLine> lines = Plains(50);
  lines.push_back(Break());
  for (StatementBodyLine& line : Plains(50)) lines.push_back(line);
  EXPECT_EQ(Paginate(lines, 52).size(), 2u);
}

class WriteStatementTest : public ::testing::Test {
 protected:
  WriteStatementTest() : out_(dir_.path()) {
    document_.job_title = "Statement";
    document_.base_lines_per_page = 3;
    document_.first_amount_column = 42;
    document_.heading = {"Test Company", "STATEMENT", "For March 2014", "Unaudited", {}};
    document_.heading.columns = {{0, 42, "Current", 2}, {1, 42, "Amount", 2}};
    document_.lines = Plains(4);
    document_.lines[0].amounts = {{42, Money::FromCents(123456), 2}};
    document_.lines[1].underlines = 1;
    document_.lines[1].underline_columns = {42, 62};
  }

  testing::TempDir dir_;
  testing::TestOutput out_;
  StatementDocument document_;
};

TEST_F(WriteStatementTest, EveryPageRepeatsTheHeadingWithItsPageNumber) {
  PrintJob job(out_.services, OutputTarget::kPrinter);
  ASSERT_TRUE(WriteStatement(job, document_));
  const auto pages = testing::PagesOf(out_.printer.jobs.back());
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_THAT(pages[0],
              ElementsAre("Test Company", "STATEMENT", "For March 2014", "Unaudited", "Page 1 of 2",
                          "Current", "Amount", "line 0", "1,234.56", "line 1", "line 2"));
  EXPECT_THAT(pages[1], ElementsAre("Test Company", "STATEMENT", "For March 2014", "Unaudited",
                                    "Page 2 of 2", "Current", "Amount", "line 3"));
}

TEST_F(WriteStatementTest, BodyLinesStartUnderTheColumnHeadingsWithUnderlinesBelowThem) {
  PrintJob job(out_.services, OutputTarget::kPrinter);
  ASSERT_TRUE(WriteStatement(job, document_));
  std::vector<std::tuple<double, double, double>> lines;
  for (const testing::CanvasCall& call : out_.printer.jobs.back()) {
    if (call.kind == testing::CanvasCall::kText && call.text == "line 1") {
      EXPECT_EQ(call.row, kBodyRowUnderColumns + 1);
      EXPECT_EQ(call.column, kDescriptionColumn);
    }
    if (call.kind == testing::CanvasCall::kLine) {
      EXPECT_EQ(call.row, call.row2);
      lines.emplace_back(call.row, call.column, call.column2);
    }
  }
  const double under = kBodyRowUnderColumns + 1 + kUnderlineDrop;
  EXPECT_THAT(lines, ElementsAre(std::make_tuple(under, 34, 42), std::make_tuple(under, 54, 62)));
}

TEST_F(WriteStatementTest, APrinterWithATopMarginFitsFewerLines) {
  document_.base_lines_per_page = 4;
  struct MarginPrinter : testing::FakePrinter {
    std::unique_ptr<ReportCanvas> OpenPrinterCanvas(PrintJobKind kind,
                                                    std::string_view title) override {
      auto canvas = FakePrinter::OpenPrinterCanvas(kind, title);
      static_cast<testing::RecordingCanvas*>(canvas.get())->top_margin_half_lines = 2;
      return canvas;
    }
  } printer;
  out_.services.printer = &printer;
  PrintJob job(out_.services, OutputTarget::kPrinter);
  ASSERT_TRUE(WriteStatement(job, document_));
  EXPECT_EQ(testing::PagesOf(printer.jobs.back()).size(), 2u);
}

// Forty wide capitals in Arial 10 run far past column 34, where the amount
// column ending at 42 begins; the PDF shows the description cut before it.
TEST_F(WriteStatementTest, ALongDescriptionEndsBeforeTheFirstAmountColumnBegins) {
  document_.lines[0].description = "WWWWWWWWWW MMMMMMMMMM WWWWWWWWWW MMMMMMMMM";
  PrintJob job(out_.services, OutputTarget::kPdf);
  ASSERT_TRUE(WriteStatement(job, document_));
  const std::vector<testing::PdfWord> words = testing::PdfWords(job.document_path());
  double description_end = 0, amount_start = 0;
  for (const testing::PdfWord& word : words) {
    if (word.text.starts_with("WWW") || word.text.starts_with("MMM")) {
      description_end = std::max(description_end, word.x_max);
    }
    if (word.text == "1,234.56") amount_start = word.x_min;
  }
  ASSERT_GT(description_end, kDescriptionColumn * kPointsPerColumn);
  EXPECT_LE(description_end, (42 - kUnderlineLength) * kPointsPerColumn);
  EXPECT_LT(description_end, amount_start);
}

TEST_F(WriteStatementTest, TheCsvHasTheHeadingOnceAndNoPageFurniture) {
  PrintJob job(out_.services, OutputTarget::kText);
  ASSERT_TRUE(WriteStatement(job, document_));
  const auto rows = testing::ReadCsv(dir_.ReadFile("Statement.csv"));
  ASSERT_TRUE(rows.has_value());
  EXPECT_THAT(*rows, ElementsAre(ElementsAre("Test Company"), ElementsAre("STATEMENT"),
                                 ElementsAre("For March 2014"), ElementsAre("Unaudited"),
                                 ElementsAre("", "Current"), ElementsAre("", "Amount"),
                                 ElementsAre("line 0", "1,234.56"), ElementsAre("line 1"),
                                 ElementsAre("line 2"), ElementsAre("line 3")));
}

}  // namespace
}  // namespace zenkar
