// The rules of the "Printing Options" dialog on a made-up list of printers:
// which printer is proposed, what the dialog reads from the settings and
// keeps there, its messages, and the options a job is sent with.
#include "output/printing_options.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "common/byte_codec.h"
#include "common/text_field.h"
#include "output/printing_fakes.h"
#include "support/scripted_ui.h"

namespace zenkar {
namespace {

using ::testing::ElementsAre;
using testing::FakePrinterSystem;
using ::testing::Pair;
using testing::ScriptedUi;

TEST(PaperPrinterTest, NamesOfWritersFaxesLabelPrintersAndSharesAreNotPaper) {
  EXPECT_TRUE(IsPaperPrinter("Office_LaserJet"));
  EXPECT_TRUE(IsPaperPrinter("Brother HL-L2350"));
  for (const char* name :
       {"Microsoft Print to PDF", "cups-pdf", "Microsoft XPS Document Writer", "Fax",
        "DYMO LabelWriter 450", "Send To OneNote 2016", "Network_Share_Printer", "PDFwriter"}) {
    EXPECT_FALSE(IsPaperPrinter(name)) << name;
  }
}

TEST(ProposedPrinterTest, TheStoredPrinterWhileInstalledElseAPaperPrinter) {
  const std::vector<std::string> printers = {"cups-pdf", "Office_Laser", "Back_Office", "Fax"};
  // The stored printer wins, whatever it is, while it is installed.
  EXPECT_EQ(ProposedPrinter(printers, "back_office", "Office_Laser"), 2);
  EXPECT_EQ(ProposedPrinter(printers, "Fax  ", "Office_Laser"), 3);
  // Gone: the system's default when it is paper...
  EXPECT_EQ(ProposedPrinter(printers, "Old_Printer", "Back_Office"), 2);
  // ...otherwise the first paper printer, never the PDF writer in front.
  EXPECT_EQ(ProposedPrinter(printers, "", "cups-pdf"), 1);
  EXPECT_EQ(ProposedPrinter(printers, "", ""), 1);
  // Only writers and faxes: the default, else the first.
  EXPECT_EQ(ProposedPrinter({"cups-pdf", "Fax"}, "", "Fax"), 1);
  EXPECT_EQ(ProposedPrinter({"cups-pdf", "Fax"}, "", ""), 0);
  EXPECT_EQ(ProposedPrinter({}, "Office_Laser", ""), -1);
}

TEST(ReportFontTwinTest, OnlyTheFamilyOrItsMetricTwinPrintsWithTheDeclaredWidths) {
  EXPECT_TRUE(IsReportFontTwin("Arial", "Liberation Sans"));
  EXPECT_TRUE(IsReportFontTwin("Arial", "arimo"));
  EXPECT_TRUE(IsReportFontTwin("Courier New", "Liberation Mono"));
  EXPECT_TRUE(IsReportFontTwin("Courier New", "Courier New"));
  EXPECT_FALSE(IsReportFontTwin("Arial", "DejaVu Sans"));
  EXPECT_FALSE(IsReportFontTwin("Arial", "Liberation Mono"));
  EXPECT_FALSE(IsReportFontTwin("Courier New", "Liberation Sans"));
}

class PrintingOptionsFormTest : public ::testing::Test {
 protected:
  PrintingOptionsFormTest() {
    NewCompanySettings(settings_);
    system_.printers = {"cups-pdf", "Office_Laser", "Back_Office"};
    system_.default_printer = "Office_Laser";
    system_.sources["cups-pdf"] = {};
    system_.sources["Office_Laser"] = {{"auto", "Automatic"}, {"tray-1", "Tray 1"}};
    system_.sources["Back_Office"] = {
        {"manual", "Manual Feed"}, {"tray-1", "Tray 1"}, {"tray-2", "Tray 2"}};
  }

  CompanySettings settings_;
  FakePrinterSystem system_;
  ScriptedUi ui_;
};

TEST_F(PrintingOptionsFormTest, NoPrinterAtAllStopsTheJobWithTheMessage) {
  system_.printers.clear();
  PrintingOptionsForm form(system_, ui_, PrintJobKind::kReport);
  EXPECT_FALSE(form.Load(settings_));
  EXPECT_THAT(ui_.Texts(),
              ElementsAre("CUPS is reporting no printers are available. Install/reinstall at "
                          "least one printer."));
  EXPECT_THAT(ui_.progress_texts(), ElementsAre("Obtaining Printer Information"));
}

TEST_F(PrintingOptionsFormTest, ANewCompanyGetsTheDefaultPaperPrinterArialRegularDefaultSource) {
  PrintingOptionsForm form(system_, ui_, PrintJobKind::kReport);
  ASSERT_TRUE(form.Load(settings_));
  EXPECT_EQ(form.printer_index(), 1);
  EXPECT_THAT(form.SourceNames(), ElementsAre("Default", "Automatic", "Tray 1"));
  EXPECT_EQ(form.source_index(), 0);
  EXPECT_THAT(form.font_names(), ElementsAre("Arial", "Courier New"));
  const PrintingOptions& options = form.options();
  EXPECT_EQ(options.printer, "Office_Laser");
  EXPECT_EQ(options.font_name, "Arial");
  EXPECT_EQ(options.font_style, 0);
  EXPECT_EQ(options.copies, 1);
  EXPECT_FALSE(options.duplex || options.collate || options.separate_documents);
  EXPECT_THAT(ui_.Texts(), ElementsAre());
}

TEST_F(PrintingOptionsFormTest, TheStoredChoiceOfTheKindIsProposedAndTheTrayFoundByName) {
  settings_.report_output.printer_name = "Back_Office";
  // The tray moved from position 1 to 3 since it was chosen.
  settings_.report_output.source_number = 1;
  settings_.report_output.source_name = "Tray 2";
  settings_.report_output.font_name = "Courier New";
  settings_.report_output.font_style = 3;
  settings_.check_output.printer_name = "cups-pdf";
  settings_.check_type = 4;
  settings_.check_top_margin = 3;

  PrintingOptionsForm reports(system_, ui_, PrintJobKind::kReport);
  ASSERT_TRUE(reports.Load(settings_));
  EXPECT_EQ(reports.options().printer, "Back_Office");
  EXPECT_EQ(reports.source_index(), 3);
  EXPECT_EQ(reports.options().source, (PaperSource{"tray-2", "Tray 2"}));
  EXPECT_EQ(reports.font_index(), 1);
  EXPECT_EQ(reports.options().font_style, 3);

  PrintingOptionsForm checks(system_, ui_, PrintJobKind::kCheck, {"750L", "800L"});
  ASSERT_TRUE(checks.Load(settings_));
  EXPECT_TRUE(checks.for_checks());
  EXPECT_EQ(checks.options().printer, "cups-pdf");
  EXPECT_EQ(checks.options().check_type, 4);
  EXPECT_EQ(checks.options().additional_top_margin, 3);
  EXPECT_EQ(checks.options().font_name, "Arial");
  settings_.check_top_margin = 40;  // beyond the list
  PrintingOptionsForm clamped(system_, ui_, PrintJobKind::kCheck);
  ASSERT_TRUE(clamped.Load(settings_));
  EXPECT_EQ(clamped.options().additional_top_margin, kMostTopMargin);
}

TEST_F(PrintingOptionsFormTest, ATrayKnownOnlyByNumberOrNoLongerThereFallsBack) {
  settings_.report_output.printer_name = "Back_Office";
  settings_.report_output.source_number = 2;
  settings_.report_output.source_name = "";
  PrintingOptionsForm by_number(system_, ui_, PrintJobKind::kReport);
  ASSERT_TRUE(by_number.Load(settings_));
  EXPECT_EQ(by_number.options().source.name, "Tray 1");

  settings_.report_output.source_name = "Envelope Feeder";
  PrintingOptionsForm gone(system_, ui_, PrintJobKind::kReport);
  ASSERT_TRUE(gone.Load(settings_));
  EXPECT_EQ(gone.source_index(), 0);
  EXPECT_EQ(gone.options().source.name, "Default");
  EXPECT_EQ(gone.options().source.keyword, "");
}

TEST_F(PrintingOptionsFormTest, ChoosingAnotherPrinterReadsItsTraysAndStartsAtDefault) {
  PrintingOptionsForm form(system_, ui_, PrintJobKind::kReport);
  ASSERT_TRUE(form.Load(settings_));
  form.SelectSource(2);
  EXPECT_EQ(form.options().source.keyword, "tray-1");
  form.SelectPrinter(2);
  EXPECT_EQ(form.options().printer, "Back_Office");
  EXPECT_THAT(form.SourceNames(), ElementsAre("Default", "Manual Feed", "Tray 1", "Tray 2"));
  EXPECT_EQ(form.source_index(), 0);
  EXPECT_EQ(form.options().source.keyword, "");
}

TEST_F(PrintingOptionsFormTest, TraysAndFontsThatCannotBeReadAreReportedAndDefaultsOffered) {
  system_.sources.erase("Office_Laser");
  system_.fonts.clear();
  settings_.report_output.font_name = "Courier New";
  PrintingOptionsForm form(system_, ui_, PrintJobKind::kReport);
  ASSERT_TRUE(form.Load(settings_));
  EXPECT_THAT(ui_.Texts(),
              ElementsAre("Error obtaining printer fonts", "Error obtaining printer trays"));
  EXPECT_THAT(form.SourceNames(), ElementsAre("Default"));
  EXPECT_THAT(form.font_names(), ElementsAre("Arial"));
  EXPECT_EQ(form.options().font_name, "Arial");
}

TEST_F(PrintingOptionsFormTest, TheRunsLastChoiceOfCopiesDuplexAndMarginIsProposedAgain) {
  PrintingOptions previous;
  previous.printer = "Back_Office";
  previous.copies = 3;
  previous.duplex = true;
  previous.collate = true;
  previous.separate_documents = true;
  previous.additional_top_margin = -2;
  PrintingOptionsForm form(system_, ui_, PrintJobKind::kCheck);
  ASSERT_TRUE(form.Load(settings_, &previous));
  EXPECT_EQ(form.options().copies, 3);
  EXPECT_TRUE(form.options().duplex && form.options().collate);
  EXPECT_TRUE(form.options().separate_documents);
  EXPECT_EQ(form.options().additional_top_margin, -2);
  // The printer still comes from the settings, not from the last job.
  EXPECT_EQ(form.options().printer, "Office_Laser");
}

TEST(StorePrintingOptionsTest, EachKindKeepsItsOwnGroupAndTheSettingsRecordHoldsIt) {
  CompanySettings settings;
  NewCompanySettings(settings);
  PrintingOptions options;
  options.printer = "Back_Office";
  options.source_number = 3;
  options.source = {"tray-2", "Tray 2"};
  options.font_name = "Courier New";
  options.font_style = 2;
  options.check_type = 5;
  options.additional_top_margin = -2;
  StorePrintingOptions(options, PrintJobKind::kReport, settings);
  options.printer = "Check_Printer";
  StorePrintingOptions(options, PrintJobKind::kCheck, settings);

  const CompanySettings read = CompanySettings::Decode(settings.Encode());
  EXPECT_EQ(TrimRight(read.report_output.printer_name), "Back_Office");
  EXPECT_EQ(read.report_output.source_number, 3);
  EXPECT_EQ(TrimRight(read.report_output.source_name), "Tray 2");
  EXPECT_EQ(TrimRight(read.report_output.font_name), "Courier New");
  EXPECT_EQ(read.report_output.font_style, 2);
  EXPECT_EQ(TrimRight(read.check_output.printer_name), "Check_Printer");
  EXPECT_EQ(read.check_type, 5);
  EXPECT_EQ(read.check_top_margin, -2);
  EXPECT_EQ(GetInt32(settings.Encode(), 4062), -2);
  EXPECT_EQ(TrimRight(read.device_3.printer_name), "");
}

TEST(JobOptionsTest, TheJobCarriesTheTrayCopiesCollationAndSidesAndIsNeverScaled) {
  PrintingOptions plain;
  EXPECT_THAT(JobOptionsOf(plain),
              ElementsAre(Pair("sides", "one-sided"), Pair("print-scaling", "none")));

  PrintingOptions chosen;
  chosen.source = {"tray-2", "Tray 2"};
  chosen.copies = 3;
  chosen.collate = true;
  chosen.duplex = true;
  EXPECT_THAT(JobOptionsOf(chosen),
              ElementsAre(Pair("media-source", "tray-2"), Pair("copies", "3"),
                          Pair("multiple-document-handling", "separate-documents-collated-copies"),
                          Pair("Collate", "True"), Pair("sides", "two-sided-long-edge"),
                          Pair("print-scaling", "none")));
}

}  // namespace
}  // namespace zenkar
