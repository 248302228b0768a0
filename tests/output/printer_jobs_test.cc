// The printer port without a display: one "Printing Options" dialog per run,
// the choice kept in the company's settings file, documents held for one job
// or sent separately, nothing sent for a report that stops half-way, and the
// messages when the printer cannot be reached.
#include "output/printer_jobs.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "common/text_field.h"
#include "ledger/chart_of_accounts.h"
#include "ledger/payee_list.h"
#include "output/printing_fakes.h"
#include "output/report_run.h"
#include "support/fixed_clock.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace zenkar {
namespace {

using ::testing::ElementsAre;
using testing::FakeAsker;
using testing::FakeCanvasMaker;
using testing::FakePrinterSystem;
using ::testing::IsEmpty;
using testing::ScriptedUi;
using testing::TempDir;

// The printer target never opens a document.
class NoShell : public Shell {
 public:
  bool OpenDocument(const std::string&) override { return false; }
  bool OpenUrl(const std::string&) override { return false; }
  bool StartProgram(const std::string&, const std::vector<std::string>&,
                    const std::string&) override {
    return false;
  }
  int RunProgram(const std::string&, const std::vector<std::string>&) override { return -1; }
};

class PrinterJobsTest : public ::testing::Test {
 protected:
  PrinterJobsTest() : ledger_(fs_, ui_, clock_) {
    CompanySettings settings;
    NewCompanySettings(settings);
    data_.WriteFile("KXACCT.CFG", settings.Encode());
    data_.WriteFile("KXACCT.COA", ChartOfAccounts(std::vector<AccountRecord>{}).Encode());
    data_.WriteFile("KXACCT.VND", PayeeList(std::vector<PayeeRecord>{}).Encode());
    data_.WriteFile("KXACCT.TRN", "");
    ledger_.SetDataFolder(data_.path());
    EXPECT_TRUE(ledger_.OpenDataFolder());
    ui_.ClearMessages();
    system_.printers = {"cups-pdf", "Office_Laser"};
    system_.sources["Office_Laser"] = {{"tray-1", "Tray 1"}};
    system_.sources["cups-pdf"] = {};
  }

  PrinterJobs& jobs() {
    if (jobs_ == nullptr) {
      jobs_ = std::make_unique<PrinterJobs>(PrinterJobsSetup{
          ledger_, ui_, fs_, system_, asker_, maker_, spool_.path(), {"750L", "800L"}});
    }
    return *jobs_;
  }

  // One report written on a canvas of the printer port.
  bool Print(std::string_view title, std::string_view text,
             PrintJobKind kind = PrintJobKind::kReport) {
    std::unique_ptr<ReportCanvas> canvas = jobs().OpenPrinterCanvas(kind, title);
    if (canvas == nullptr) return false;
    canvas->PlaceText(1, 1, text, ReportAlign::kLeft, 1);
    return canvas->Finish();
  }

  CompanySettings SettingsOnDisk() const {
    return CompanySettings::Decode(data_.ReadFile("KXACCT.CFG"));
  }

  FileSystem& fs_ = PosixFileSystem();
  ScriptedUi ui_;
  testing::FixedClock clock_;
  TempDir data_;
  TempDir spool_;
  Ledger ledger_;
  FakePrinterSystem system_;
  FakeAsker asker_;
  FakeCanvasMaker maker_;
  std::unique_ptr<PrinterJobs> jobs_;
};

TEST_F(PrinterJobsTest, CancellingTheDialogPrintsNothingAndKeepsTheSettings) {
  asker_.answer = false;
  EXPECT_EQ(jobs().OpenPrinterCanvas(PrintJobKind::kReport, "Balance Sheet"), nullptr);
  EXPECT_THAT(system_.jobs, IsEmpty());
  EXPECT_THAT(maker_.paths, IsEmpty());
  EXPECT_EQ(TrimRight(SettingsOnDisk().report_output.printer_name), "");
  EXPECT_THAT(ui_.Texts(), IsEmpty());
}

TEST_F(PrinterJobsTest, AJobOutsideARunIsSentWhenFinishedAndTheChoiceIsSaved) {
  asker_.choose = [](PrintingOptionsForm& form) {
    form.SelectSource(1);
    form.SelectFont(1);
    form.options().font_style = 1;
    form.options().copies = 2;
  };
  ASSERT_TRUE(Print("Balance Sheet", "TOTAL ASSETS"));

  ASSERT_EQ(system_.jobs.size(), 1u);
  const PrintSubmission& job = system_.jobs[0];
  EXPECT_EQ(job.printer, "Office_Laser");
  EXPECT_EQ(job.title, "Balance Sheet");
  EXPECT_THAT(system_.job_contents[0], ElementsAre("TOTAL ASSETS\n"));
  EXPECT_EQ(job.options.front(), (std::pair<std::string, std::string>{"media-source", "tray-1"}));
  // (The books' own progress texts of the opening come first.)
  EXPECT_THAT(ui_.progress_texts(), ::testing::IsSupersetOf({"Obtaining Printer Information",
                                                             "Communicating with printer"}));
  // The spooled file is gone once the printing system has it.
  EXPECT_EQ(spool_.Listing(), "");

  const CompanySettings saved = SettingsOnDisk();
  EXPECT_EQ(TrimRight(saved.report_output.printer_name), "Office_Laser");
  EXPECT_EQ(saved.report_output.source_number, 1);
  EXPECT_EQ(TrimRight(saved.report_output.source_name), "Tray 1");
  EXPECT_EQ(TrimRight(saved.report_output.font_name), "Courier New");
  EXPECT_EQ(saved.report_output.font_style, 1);
  // The job starts in the chosen font.
  EXPECT_EQ(maker_.setups[0].initial_font,
            (ReportFont{FontFamily::kCourierNew, 10, FontStyle::kBold}));
}

TEST_F(PrinterJobsTest, ARunAsksOnceAndSendsItsReportsAsOneJobInOrder) {
  jobs().RunStarting();
  ASSERT_TRUE(Print("STATEMENT OF INCOME AND EXPENSE", "income"));
  ASSERT_TRUE(Print("BALANCE SHEET", "balance"));
  EXPECT_THAT(system_.jobs, IsEmpty());
  jobs().RunFinished();

  EXPECT_EQ(asker_.shown, 1);
  ASSERT_EQ(system_.jobs.size(), 1u);
  EXPECT_EQ(system_.jobs[0].title, "STATEMENT OF INCOME AND EXPENSE");
  EXPECT_THAT(system_.job_contents[0], ElementsAre("income\n", "balance\n"));
  EXPECT_TRUE(jobs().last_run_sent());
  EXPECT_EQ(spool_.Listing(), "");

  // The next run asks again, proposing what was chosen.
  jobs().RunStarting();
  ASSERT_TRUE(Print("BALANCE SHEET", "again"));
  jobs().RunFinished();
  EXPECT_EQ(asker_.shown, 2);
}

TEST_F(PrinterJobsTest, SeparateDocumentsAreSentEachAsItIsFinished) {
  asker_.choose = [](PrintingOptionsForm& form) { form.options().separate_documents = true; };
  jobs().RunStarting();
  ASSERT_TRUE(Print("STATEMENT OF INCOME AND EXPENSE", "income"));
  EXPECT_EQ(system_.jobs.size(), 1u);
  ASSERT_TRUE(Print("BALANCE SHEET", "balance"));
  jobs().RunFinished();
  ASSERT_EQ(system_.jobs.size(), 2u);
  EXPECT_EQ(system_.jobs[1].title, "BALANCE SHEET");
  EXPECT_THAT(system_.job_contents[1], ElementsAre("balance\n"));
}

TEST_F(PrinterJobsTest, AReportThatStopsHalfWayIsDroppedWhileFinishedOnesStillPrint) {
  jobs().RunStarting();
  ASSERT_TRUE(Print("STATEMENT OF INCOME AND EXPENSE", "income"));
  {
    std::unique_ptr<ReportCanvas> canvas =
        jobs().OpenPrinterCanvas(PrintJobKind::kReport, "BALANCE SHEET");
    ASSERT_NE(canvas, nullptr);
    canvas->PlaceText(1, 1, "half", ReportAlign::kLeft, 1);
  }  // dropped without Finish
  jobs().RunFinished();
  ASSERT_EQ(system_.jobs.size(), 1u);
  EXPECT_THAT(system_.job_contents[0], ElementsAre("income\n"));
  EXPECT_EQ(spool_.Listing(), "");

  // A canvas that could not complete its file sends nothing either.
  maker_.fail_finish = true;
  EXPECT_FALSE(Print("BALANCE SHEET", "broken"));
  EXPECT_EQ(system_.jobs.size(), 1u);
  EXPECT_EQ(spool_.Listing(), "");
}

TEST_F(PrinterJobsTest, APrinterThatCannotBeReachedIsNamedInTheMessage) {
  system_.accept_jobs = false;
  EXPECT_FALSE(Print("BALANCE SHEET", "balance"));
  EXPECT_THAT(ui_.Texts(), ElementsAre("Unable to access Office_Laser, select a different printer "
                                       "or reinstall the printer software."));
  EXPECT_EQ(spool_.Listing(), "");

  ui_.ClearMessages();
  jobs().RunStarting();
  ASSERT_TRUE(Print("BALANCE SHEET", "held"));
  jobs().RunFinished();
  EXPECT_FALSE(jobs().last_run_sent());
  EXPECT_EQ(ui_.Texts().size(), 1u);

  ui_.ClearMessages();
  maker_.refuse = true;
  EXPECT_FALSE(Print("BALANCE SHEET", "balance"));
  EXPECT_THAT(ui_.Texts(), ElementsAre("Unable to access Office_Laser, select a different printer "
                                       "or reinstall the printer software."));
}

TEST_F(PrinterJobsTest, ChecksGetTheTopMarginTheirPrinterAndTheirCheckType) {
  system_.sheet = {595.3, 841.9};  // A4
  asker_.choose = [](PrintingOptionsForm& form) {
    EXPECT_THAT(form.check_types(), ElementsAre("750L", "800L"));
    form.SelectPrinter(0);
    form.options().additional_top_margin = 3;
    form.options().check_type = 2;
  };
  ASSERT_TRUE(Print("Checks", "PAY", PrintJobKind::kCheck));
  EXPECT_EQ(maker_.setups[0].additional_top_margin_half_lines, 3);
  EXPECT_EQ(maker_.setups[0].sheet.height, 841.9);
  const CompanySettings saved = SettingsOnDisk();
  EXPECT_EQ(TrimRight(saved.check_output.printer_name), "cups-pdf");
  EXPECT_EQ(saved.check_type, 2);
  EXPECT_EQ(TrimRight(saved.report_output.printer_name), "");

  // A report ignores a top margin: only checks are moved down.
  asker_.choose = [](PrintingOptionsForm& form) { form.options().additional_top_margin = 3; };
  ASSERT_TRUE(Print("Report", "text"));
  EXPECT_EQ(maker_.setups[1].additional_top_margin_half_lines, 0);
}

TEST_F(PrinterJobsTest, TheReportRunClearsOnlyWhatWasPrinted) {
  ReportRegistry registry;
  auto report = [](std::string text, bool ok) {
    return ReportEntry{[text, ok](ReportContext& context) {
      if (!context.job.StartPrintJob(PrintJobKind::kReport, text)) return false;
      context.job.PrintText(3, 5, text);
      return ok && context.job.EndPrintJob();
    }};
  };
  registry.Add("Income Statement", report("income", true));
  registry.Add("Balance Sheet", report("balance", true));
  registry.Add("General Ledger", report("ledger", false));
  NoShell shell;
  DatePatterns dates;
  OutputServices services{fs_, ui_, clock_, shell, dates, &jobs(), nullptr, spool_.path(), {}};
  const ReportRunRequest request{
      {"General Ledger", "Balance Sheet", "Income Statement"}, OutputTarget::kPrinter, {}, {}};
  const ReportRunResult result = RunReports(registry, ledger_, services, request);
  EXPECT_FALSE(result.completed);
  EXPECT_THAT(result.cleared, ElementsAre("Income Statement", "Balance Sheet"));
  ASSERT_EQ(system_.jobs.size(), 1u);
  EXPECT_THAT(system_.job_contents[0], ElementsAre("income\n", "balance\n"));
  EXPECT_EQ(asker_.shown, 1);
}

}  // namespace
}  // namespace zenkar
