// The report command: the Reports tab's run with the file, printer and period
// named on the command line, its refusals, and what reaches lp.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>

#include "batch/lp_printer.h"
#include "batch_fixture.h"
#include "common/text_field.h"
#include "ledger/reconciliation.h"
#include "output/print_job.h"
#include "output/report_run.h"

namespace zenkar {
namespace {

using testing::Account;
using testing::Day;
using testing::Line;

class ReportCommandTest : public testing::BatchFixture {
 protected:
  ReportCommandTest() {
    env_.current_folder = dir_.path();
    setenv("TMPDIR", dir_.path().c_str(), 1);  // the printer's scratch folder
  }
  ~ReportCommandTest() override { unsetenv("TMPDIR"); }

  void WriteBooks(const std::function<void(CompanySettings&)>& adjust = {}) {
    WriteCompany({Account("110", "Checking Account", kAssets, 100000),
                  Account("465", "Retained Earnings", kLiabilitiesAndEquity, -100000),
                  Account("510", "Sales", kIncome), Account("650", "Rent", kOperatingExpenses)},
                 {Line(kCheckOrDeposit, "510", -250000, Day(2025, 1, 20), "Hillcrest"),
                  Line(kCheckOrDeposit, "650", 40000, Day(2025, 2, 1), "Dock Rentals", "1001"),
                  Line(kCheckOrDeposit, "510", -90000, Day(2025, 2, 14), "Kittery")},
                 adjust);
  }

  std::string PdfText(const std::string& name) {
    return testing::RunTool("pdftotext -layout " + testing::Quote(dir_.File(name)) + " -").output;
  }
  bool ScratchLeft() { return dir_.Listing().find(".kxbatch-") != std::string::npos; }
};

TEST_F(ReportCommandTest, PdfGoesToTheNamedFileWithTheSettingsOptions) {
  WriteBooks([](CompanySettings& settings) { settings.omit_percentages = 1; });
  EXPECT_EQ(Run({"report", "Income Statement", "--month", "2025-02", "--pdf", "feb.pdf"}),
            kExitSuccess);
  ASSERT_TRUE(dir_.Exists("feb.pdf"));
  EXPECT_FALSE(ScratchLeft());
  EXPECT_TRUE(shell_.opened.empty());
  // The finished PDF's rename within the scratch folder leaves that folder
  // unflushed (it is removed); only the move to the user's file flushes.
  EXPECT_EQ(fs_.unflushed_renames(), 1);
  if (!testing::HaveTool("qpdf")) GTEST_SKIP() << "qpdf and poppler-utils are not installed";
  EXPECT_EQ(testing::RunTool("qpdf --check " + testing::Quote(dir_.File("feb.pdf"))).status, 0);
  const std::string text = PdfText("feb.pdf");
  EXPECT_NE(text.find("STATEMENT OF INCOME AND EXPENSE"), std::string::npos) << text;
  EXPECT_NE(text.find("900.00"), std::string::npos);  // February's sales
  EXPECT_EQ(text.find("Percent"), std::string::npos);

  WriteBooks();
  EXPECT_EQ(Run({"report", "Income Statement", "--month", "2025-02", "--pdf", "b.pdf"}),
            kExitSuccess);
  EXPECT_NE(PdfText("b.pdf").find("Percent"), std::string::npos);
  EXPECT_EQ(Run({"report", "Income Statement", "--month", "2025-02", "--omit-percentages", "--pdf",
                 "b.pdf"}),
            kExitSuccess);
  EXPECT_EQ(PdfText("b.pdf").find("Percent"), std::string::npos);
}

TEST_F(ReportCommandTest, BankRecIsTheReconciliationAsLastSaved) {
  WriteBooks([](CompanySettings& settings) {
    settings.statement_ending_balance = Money::FromCents(1000000);
  });
  Ledger ledger(fs_, ui_, clock_);
  OpenLedger(ledger);
  ReconciliationBooks books;
  ASSERT_TRUE(ReadReconciliationBooks(ledger, &books));
  for (ReconciliationItem& item : books.items) item.outstanding = Trim(item.reference) == "1001";
  ASSERT_TRUE(ledger.SaveReconciliation({}, OutstandingItems(books.items)).has_value());
  ledger.Close();
  const std::string settings = dir_.ReadFile("KXACCT.CFG");
  EXPECT_EQ(Run({"report", "bank-rec", "--date", "2025-02-15", "--pdf", "rec.pdf"}), kExitSuccess)
      << err();
  EXPECT_EQ(dir_.ReadFile("KXACCT.CFG"), settings) << "a report changes no file of the books";
  if (!testing::HaveTool("pdftotext")) GTEST_SKIP() << "poppler-utils is not installed";
  const std::string text = PdfText("rec.pdf");
  EXPECT_NE(text.find("statement 01/01/2025 through 02/15/2025"), std::string::npos) << text;
  EXPECT_NE(text.find("Dock Rentals"), std::string::npos);
  EXPECT_NE(text.find("Out of Balance by"), std::string::npos);
}

TEST_F(ReportCommandTest, TheChartsRunByNameLikeTheReports) {
  WriteBooks();
  EXPECT_EQ(Run({"report", "bank balance", "--from", "2025-01-01", "--to", "2025-02-28", "--pdf",
                 "bank.pdf"}),
            kExitSuccess)
      << err();
  EXPECT_EQ(
      Run({"report", "Income and Expenses by Month", "--month", "2025-02", "--csv", "months.csv"}),
      kExitSuccess);
  const std::string months = dir_.ReadFile("months.csv");
  EXPECT_NE(months.find("\"2025 - February\",\"900.00\",\"400.00\",\"500.00\","), std::string::npos)
      << months;
  // No unpaid invoices: the chart refuses as the statements do.
  EXPECT_EQ(Run({"report", "Unpaid Invoices by Age", "--month", "2025-02", "--pdf", "age.pdf"}),
            kExitFailure);
  EXPECT_EQ(ui_.LastText(), "No invoices dated 02/01/2025 through 02/28/2025 were found.");
  EXPECT_FALSE(dir_.Exists("age.pdf"));
  if (!testing::HaveTool("pdftotext")) GTEST_SKIP() << "poppler-utils is not installed";
  const std::string text = PdfText("bank.pdf");
  EXPECT_NE(text.find("Highest: 4,000.00 on 02/14/2025"), std::string::npos) << text;
  EXPECT_NE(text.find("Lowest: 1,000.00 on 01/01/2025"), std::string::npos) << text;
}

TEST_F(ReportCommandTest, CsvAndOpeningTheWrittenFile) {
  WriteBooks();
  EXPECT_EQ(Run({"report", "balance sheet", "--month", "2025-02", "--csv", "bs.txt", "--open"}),
            kExitSuccess);
  EXPECT_EQ(dir_.ReadFile("bs.txt").rfind("\"Test Company\",\r\n\"BALANCE SHEET\",\r\n", 0), 0u);
  EXPECT_EQ(shell_.opened, std::vector<std::string>{dir_.File("bs.txt")});
  shell_.opens = false;
  EXPECT_EQ(Run({"report", "Balance Sheet", "--month", "2025-02", "--pdf", "bs.pdf", "--open"}),
            kExitFailure);
  EXPECT_EQ(ui_.LastText(), kPdfOpenError);
  EXPECT_TRUE(dir_.Exists("bs.pdf"));
}

TEST_F(ReportCommandTest, TheNewFileKeepsTheEarlierFilesMode) {
  WriteBooks();
  dir_.WriteFile("bs.csv", "old");
  ASSERT_EQ(::chmod(dir_.File("bs.csv").c_str(), 0640), 0);
  EXPECT_EQ(Run({"report", "Balance Sheet", "--month", "2025-02", "--csv", "bs.csv"}),
            kExitSuccess);
  struct stat st;
  ASSERT_EQ(::stat(dir_.File("bs.csv").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  EXPECT_NE(dir_.ReadFile("bs.csv"), "old");
}

TEST_F(ReportCommandTest, RefusalsLeaveTheNamedFileAlone) {
  WriteBooks();
  dir_.WriteFile("is.pdf", "old");
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{"Income Statement", "Balance Sheet", "--month", "2025-02"}, std::string(kSelectOneAtATime)},
      {{"Income Statement", "--from", "2025-02-28", "--to", "2025-02-01"},
       "The ending date must not be earlier than the starting date."},
      {{"Income Statement", "--from", "2024-12-01", "--to", "2025-02-28"},
       "This report is limited to dates from a single accounting year."},
      // Without a period the report is for today, the fixed clock's day.
      {{"Income Statement"}, "No transactions dated 01/15/2026 were found."},
  };
  for (const auto& [args, message] : cases) {
    std::vector<std::string> command = {"report"};
    command.insert(command.end(), args.begin(), args.end());
    command.insert(command.end(), {"--pdf", "is.pdf"});
    EXPECT_EQ(Run(command), kExitFailure) << ::testing::PrintToString(args);
    EXPECT_EQ(ui_.LastText(), message);
    EXPECT_EQ(dir_.ReadFile("is.pdf"), "old");
    EXPECT_FALSE(ScratchLeft());
  }
}

TEST_F(ReportCommandTest, TheListingsTakeTheirDialogsAnswersFromTheCommandLine) {
  WriteBooks();
  EXPECT_EQ(Run({"report", "Account Summary", "--month", "2025-02", "--csv", "a.csv"}),
            kExitFailure);
  EXPECT_EQ(ui_.LastText(), "The Account Summary needs its account: --account NUMBER");
  EXPECT_EQ(Run({"report", "Account Summary", "--month", "2025-02", "--csv", "a.csv", "--account",
                 "650"}),
            kExitSuccess);
  EXPECT_NE(dir_.ReadFile("a.csv").find(R"("Dock Rentals","1001","02/01/2025","650","400.00")"),
            std::string::npos)
      << dir_.ReadFile("a.csv");
  EXPECT_EQ(Run({"report", "Payee Activity", "--month", "2025-02", "--csv", "p.csv", "--payee",
                 "Nobody"}),
            kExitFailure);
  EXPECT_EQ(ui_.LastText(), "No payee is named Nobody.");
  // Sorted by amount: the larger deposit first.
  EXPECT_EQ(Run({"report", "Check and Deposit Listing", "--from", "2025-01-01", "--to",
                 "2025-02-28", "--csv", "c.csv", "--sort", "Amount"}),
            kExitSuccess);
  const std::string csv = dir_.ReadFile("c.csv");
  EXPECT_LT(csv.find("Hillcrest"), csv.find("Kittery"));
  EXPECT_LT(csv.find("Kittery"), csv.find("Dock Rentals"));
}

// Marking entries printed changes the books: only with --mark-printed, and
// then only while no other program has the folder open.
TEST_F(ReportCommandTest, AGeneralLedgerMarksItsEntriesPrintedOnlyWhenAsked) {
  WriteBooks();
  auto unprinted = [&] {
    int count = 0;
    const std::string lines = dir_.ReadFile("KXACCT.TRN");
    for (size_t at = 0; at < lines.size(); at += kTransactionRecordLength) {
      count += TransactionRecord::Decode(lines.substr(at, kTransactionRecordLength)).unprinted;
    }
    return count;
  };
  ASSERT_EQ(unprinted(), 3);
  EXPECT_EQ(Run({"report", "General Ledger", "--month", "2025-02", "--pdf", "gl.pdf"}),
            kExitSuccess);
  EXPECT_EQ(unprinted(), 3);
  EXPECT_EQ(
      Run({"report", "General Ledger", "--month", "2025-02", "--pdf", "gl.pdf", "--mark-printed"}),
      kExitSuccess);
  EXPECT_EQ(unprinted(), 1);  // January's deposit was not on February's ledger
}

TEST_F(ReportCommandTest, EachPrintedReportGoesToLpInRunOrder) {
  WriteBooks([](CompanySettings& s) { s.report_output.printer_name = "Front Desk"; });
  EXPECT_EQ(Run({"report", "Balance Sheet", "Income Statement", "--month", "2025-02", "--print"}),
            kExitSuccess);
  ASSERT_EQ(shell_.runs.size(), 2u);
  const std::vector<std::string>& args = shell_.runs[0].args;
  EXPECT_EQ(std::vector<std::string>(args.begin(), args.end() - 1),
            (std::vector<std::string>{"-d", "Front Desk", "-t", "Income-Statement"}));
  EXPECT_EQ(shell_.runs[0].program, "lp");
  EXPECT_EQ(shell_.runs[0].last_file.rfind("%PDF-", 0), 0u);
  EXPECT_EQ(shell_.runs[1].args[3], "Balance-Sheet");
  WriteBooks();  // no printer in the settings: CUPS's default
  EXPECT_EQ(Run({"report", "Balance Sheet", "--month", "2025-02", "--print"}), kExitSuccess);
  EXPECT_EQ(shell_.runs[2].args[0], "-t");
  EXPECT_FALSE(ScratchLeft());
}

TEST_F(ReportCommandTest, PrinterFailuresAreReported) {
  WriteBooks();
  shell_.run_status = 1;
  EXPECT_EQ(Run({"report", "Balance Sheet", "--month", "2025-02", "--print", "office"}),
            kExitFailure);
  EXPECT_EQ(ui_.LastText(),
            "Unable to access office, select a different printer or reinstall the printer "
            "software.");
  shell_.run_status = -1;
  EXPECT_EQ(Run({"report", "Balance Sheet", "--month", "2025-02", "--print"}), kExitFailure);
  EXPECT_EQ(ui_.LastText(), kNoPrinters);
  EXPECT_FALSE(ScratchLeft());
}

}  // namespace
}  // namespace zenkar
