// The output primitives over each target: where texts and amounts land,
// the page furniture, and what happens to the finished document.
#include "output/print_job.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "output/csv_reader.h"
#include "output/number_format.h"
#include "output/output_fakes.h"
#include "output/pdf_test_tools.h"
#include "support/fixed_user.h"
#include "support/temp_dir.h"

namespace zenkar {
namespace {

using testing::CanvasCall;
using ::testing::ElementsAre;

class PrintJobTest : public ::testing::Test {
 protected:
  PrintJobTest() : out_(dir_.path()) {}

  const std::vector<CanvasCall>& PrinterCalls() { return out_.printer.jobs.back(); }

  testing::TempDir dir_;
  testing::TestOutput out_;
};

// The factory's services write into the folder given without its "/" and
// name the installation's user and the web site in the document.
TEST_F(PrintJobTest, MadeServicesWriteIntoTheFolderAndNameTheUser) {
  testing::FixedUserDirectory users;
  std::string folder = dir_.path();
  while (folder.ends_with('/')) folder.pop_back();
  OutputServices services =
      MakeOutputServices({PosixFileSystem(), out_.ui, out_.clock, out_.shell, out_.dates, users},
                         nullptr, folder, "www.zenkar.example");
  PrintJob job(services, OutputTarget::kPdf);
  ASSERT_TRUE(job.StartPrintJob(PrintJobKind::kReport, "Made"));
  ASSERT_TRUE(job.EndPrintJob());
  EXPECT_EQ(job.document_path(), dir_.File("Made.pdf"));
  EXPECT_THAT(dir_.ReadFile("Made.pdf"),
              ::testing::HasSubstr("/Author (Zenkar Accounting by Zenkar Software for Pat Example)"
                                   "\r/Creator (Zenkar Software - www.zenkar.example)"));
}

TEST_F(PrintJobTest, ARowMovesTheJobAndRowZeroKeepsTheCurrentRow) {
  PrintJob job(out_.services, OutputTarget::kPrinter);
  ASSERT_TRUE(job.StartPrintJob(PrintJobKind::kReport, "Rows"));
  job.PrintText(7, 5, "seven");
  job.PrintText(0, 20, "still seven");
  job.NewLine();
  job.PrintText(0, 5, "eight");
  job.PrintAmount(0, 42, Money::FromCents(-123456), kAmountThousands);
  job.NewPage();
  job.PrintText(2.5, 5, "half row");
  ASSERT_TRUE(job.EndPrintJob());

  std::vector<std::tuple<double, double, std::string>> placed;
  for (const CanvasCall& call : PrinterCalls()) {
    if (call.kind == CanvasCall::kText) placed.emplace_back(call.row, call.column, call.text);
  }
  EXPECT_THAT(placed,
              ElementsAre(std::make_tuple(7, 5, "seven"), std::make_tuple(7, 20, "still seven"),
                          std::make_tuple(8, 5, "eight"), std::make_tuple(8, 42, "(1,234.56)"),
                          std::make_tuple(2.5, 5, "half row")));
  EXPECT_EQ(PrinterCalls().back().kind, CanvasCall::kFinish);
}

TEST_F(PrintJobTest, PageFooterAndPreparedLine) {
  PrintJob job(out_.services, OutputTarget::kPrinter);
  ASSERT_TRUE(job.StartPrintJob(PrintJobKind::kReport, "Furniture"));
  job.PrintPageFooter(2, 3, 6);
  job.PrintPreparedLine(60, 5);
  job.EndPrintJob();
  const CanvasCall& footer = PrinterCalls()[0];
  EXPECT_EQ(footer.text, "Page 2 of 3");
  EXPECT_EQ(footer.column, kPageFooterColumn);
  EXPECT_EQ(footer.row, 6);
  EXPECT_EQ(footer.align, ReportAlign::kRight);
  // The fixed clock's day is 14 March 2026, in the US pattern.
  EXPECT_EQ(PrinterCalls()[1].text, "Prepared: 03/14/2026");
}

TEST_F(PrintJobTest, TheTextTargetHasNoPageFooter) {
  PrintJob job(out_.services, OutputTarget::kText);
  ASSERT_TRUE(job.StartPrintJob(PrintJobKind::kReport, "Listing"));
  job.PrintText(3, 5, "Rent");
  job.PrintPageFooter(1, 2, 3);
  job.PrintAmount(3, 42, Money::FromCents(120000), kAmountThousands, 3);
  job.NewLine();
  ASSERT_TRUE(job.EndPrintJob());
  EXPECT_EQ(dir_.ReadFile("Listing.csv"), "\"Rent\",\"\",\"1,200.00\",\r\n");
  EXPECT_EQ(out_.shell.opened, std::vector<std::string>{dir_.File("Listing.csv")});
}

TEST_F(PrintJobTest, ARefusedFontIsReported) {
  PrintJob job(out_.services, OutputTarget::kPrinter);
  ASSERT_TRUE(job.StartPrintJob(PrintJobKind::kReport, "Fonts"));
  EXPECT_TRUE(job.SetReportFont("courier new", 9, FontStyle::kBoldItalic));
  EXPECT_EQ(PrinterCalls()[0].font,
            (ReportFont{FontFamily::kCourierNew, 9, FontStyle::kBoldItalic}));
  static_cast<testing::RecordingCanvas*>(job.canvas())->refuse_fonts = true;
  EXPECT_FALSE(job.SetReportFont("Arial", 10, FontStyle::kRegular));
  EXPECT_EQ(out_.ui.Texts(), std::vector<std::string>{"Desired font settings could not be set"});
}

TEST_F(PrintJobTest, APdfIsFinishedThenOpened) {
  PrintJob job(out_.services, OutputTarget::kPdf);
  ASSERT_TRUE(job.StartPrintJob(PrintJobKind::kReport, "Preview"));
  job.SetReportFont("Arial", 12, FontStyle::kBold);
  job.PrintText(3, 42.5, "Title (centred)", 1, ReportAlign::kCenter);
  job.PrintAmount(5, 78, Money::FromCents(-98765), kAmountThousands);
  job.DrawDoubleLine(5.25, 70, 5.25, 78);
  job.NewPage();
  job.PrintText(3, 5, "second page");
  ASSERT_TRUE(job.EndPrintJob());
  const std::string path = dir_.File("Preview.pdf");
  EXPECT_EQ(out_.shell.opened, std::vector<std::string>{path});
  EXPECT_EQ(testing::QpdfProblems(path), std::nullopt);
  EXPECT_THAT(testing::PdfTextPages(path),
              ElementsAre(ElementsAre(::testing::HasSubstr("Title (centred)"),
                                      ::testing::HasSubstr("(987.65)")),
                          ElementsAre("second page")));
}

TEST_F(PrintJobTest, APdfTheShellCannotOpenIsReportedButKept) {
  out_.shell.opens = false;
  PrintJob job(out_.services, OutputTarget::kPdf);
  ASSERT_TRUE(job.StartPrintJob(PrintJobKind::kReport, "Kept"));
  EXPECT_TRUE(job.EndPrintJob());
  EXPECT_EQ(out_.ui.Texts(),
            std::vector<std::string>{
                "Error attempting to open PDF file. Reinstall your preferred PDF reading software. "
                "Adobe offers their Acrobat Reader at no cost.\n\nThe PDF file was saved as:\n" +
                dir_.File("Kept.pdf")});
  EXPECT_TRUE(dir_.Exists("Kept.pdf"));
}

TEST_F(PrintJobTest, AMailedPdfIsHandedOverUnderItsTitle) {
  PrintJob job(out_.services, OutputTarget::kPdfMail);
  ASSERT_TRUE(job.StartPrintJob(PrintJobKind::kReport, "Mailed"));
  ASSERT_TRUE(job.EndPrintJob());
  EXPECT_THAT(out_.mail.sent,
              ElementsAre(std::make_pair(dir_.File("Mailed.pdf"), "Accounting Report")));
  EXPECT_TRUE(out_.shell.opened.empty());
}

TEST_F(PrintJobTest, AnAbandonedJobLeavesNoDocument) {
  for (OutputTarget target : {OutputTarget::kPdf, OutputTarget::kText}) {
    PrintJob job(out_.services, target);
    ASSERT_TRUE(job.StartPrintJob(PrintJobKind::kReport, "Abandoned"));
    job.PrintText(3, 5, "half a report");
    job.AbandonPrintJob();
    EXPECT_FALSE(job.EndPrintJob());
  }
  EXPECT_EQ(dir_.Listing(), "");
  EXPECT_TRUE(out_.shell.opened.empty());
}

}  // namespace
}  // namespace zenkar
