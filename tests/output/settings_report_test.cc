// The settings printout: every label in order with its value, on one page.
#include "output/settings_report.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "common/text_field.h"
#include "output/output_fakes.h"
#include "output/pdf_test_tools.h"
#include "support/temp_dir.h"

namespace zenkar {
namespace {

using ::testing::ElementsAre;

class SettingsReportTest : public ::testing::Test {
 protected:
  SettingsReportTest() : out_(dir_.path()) {
    NewCompanySettings(settings_);
    settings_.name_line_1 = FitText("Harborview Supply Co.", 40);
    settings_.name_line_2 = FitText("", 40);
    settings_.bank_account = "110 ";
    settings_.wages_account = "720 ";
    settings_.payables_account = "210 ";
    settings_.receivables_account = "130 ";
    settings_.fixed_decimal = 1;
    settings_.check_type = 3;
    settings_.next_check = "1042    ";
    settings_.include_zero_balances = 1;
    settings_.mail_server = "smtp.harborview.example";
    settings_.mail_port = "587";
    settings_.report_output = {"Office Laser", 7, "Tray 2", "Arial", 10, 1};
    settings_.check_output = {"Check Printer", 0, "", "Courier New", 12, 3};
    figures_ = {1234, 5, 41, Money(), Money::FromCents(-50), Money::FromCents(123456)};
  }

  testing::TempDir dir_;
  testing::TestOutput out_;
  CompanySettings settings_;
  SettingsReportFigures figures_;
};

TEST_F(SettingsReportTest, EveryLabelInOrderWithItsValue) {
  EXPECT_THAT(
      SettingsReportLines(settings_, figures_),
      ElementsAre("Company Name: Harborview Supply Co.", "Company Name: ", "Program Font Size: 12",
                  "Data Year: 2015", "Bank Account: 110", "Payroll Account: 720", "AP Account: 210",
                  "AR Account: 130", "Auto Decimal: 1", "Memo On Checks: 0", "Check Type: 3",
                  "Next Check: 1042", "TRN Long: 0", "COA Long: 0", "Incl Zero: 1", "Omit Pct: 0",
                  "Payee List Long: 0", "SMTP Server: smtp.harborview.example", "SMTP Port: 587",
                  "Rpt Prn: Office Laser", "Rpt Source: 7", "Rpt Source Name: Tray 2",
                  "Rpt Font: Arial", "Rpt Style: 1", "CK Prn: Check Printer", "CK Source: 0",
                  "CK Source Name: ", "CK Font: Courier New", "CK Style: 3",
                  "Transaction Count: 1234", "Unpaid Count: 5", "Payee Count: 41",
                  "Posting Total: 0.00", "COA BalFwd: -0.50", "COA CurBal: 1234.56"));
}

TEST_F(SettingsReportTest, PrintsOnOnePageTitledAfterTheProgram) {
  PrintJob job(out_.services, OutputTarget::kPdf);
  ASSERT_TRUE(PrintSettingsReport(job, settings_, figures_));
  const std::string pdf = dir_.File("KXACCT-Settings.pdf");
  EXPECT_EQ(testing::QpdfProblems(pdf), std::nullopt);
  const testing::TextPages pages = testing::PdfTextPages(pdf);
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_EQ(pages[0].size(), 35u);
  EXPECT_EQ(pages[0].front(), "Company Name: Harborview Supply Co.");
  EXPECT_EQ(pages[0].back(), "COA CurBal: 1234.56");
  EXPECT_EQ(out_.shell.opened, std::vector<std::string>{pdf});
}

}  // namespace
}  // namespace zenkar
