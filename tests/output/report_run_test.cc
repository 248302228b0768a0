// The report run: which reports are offered, the selection rules, the run
// order, stopping at the first failure and the boxes a printer run clears.
#include "output/report_run.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "ledger/ledger.h"
#include "output/financial_statements.h"
#include "output/output_fakes.h"
#include "support/temp_dir.h"

namespace zenkar {
namespace {

using ::testing::ElementsAre;

class ReportRunTest : public ::testing::Test {
 protected:
  ReportRunTest() : out_(dir_.path()), ledger_(PosixFileSystem(), out_.ui, out_.clock) {}

  // Makes `label` a report that prints its own name, or fails when listed in
  // failing_.
  void AddFake(std::string_view label, ReportEntry entry = {}) {
    const std::string name(label);
    entry.run = [this, name](ReportContext& context) {
      ran_.push_back(name);
      if (std::find(failing_.begin(), failing_.end(), name) != failing_.end()) return false;
      if (!context.job.StartPrintJob(PrintJobKind::kReport, name)) return false;
      context.job.PrintText(3, 5, name);
      return context.job.EndPrintJob();
    };
    ASSERT_TRUE(registry_.Add(label, std::move(entry)));
  }

  ReportRunResult Run(std::vector<std::string> ticked, OutputTarget target) {
    ReportRunRequest request;
    request.ticked = std::move(ticked);
    request.target = target;
    request.period = MonthPeriod(2014, 3);
    return RunReports(registry_, ledger_, out_.services, request);
  }

  testing::TempDir dir_;
  testing::TestOutput out_;
  Ledger ledger_;
  ReportRegistry registry_;
  std::vector<std::string> ran_;
  std::vector<std::string> failing_;
};

TEST_F(ReportRunTest, OnlyReportsThatExistAreOffered) {
  EXPECT_TRUE(registry_.AvailableLabels().empty());
  AddFinancialStatements(registry_);
  AddFake("Payee Listing");
  EXPECT_THAT(registry_.AvailableLabels(),
              ElementsAre("Income Statement", "Balance Sheet", "Payee Listing"));
  EXPECT_FALSE(registry_.Add("Profit Forecast", {[](ReportContext&) { return true; }}));
}

TEST_F(ReportRunTest, NothingTickedIsRefused) {
  AddFake("Income Statement");
  // A box of a report that does not exist counts as nothing ticked.
  const ReportRunResult result = Run({"General Ledger"}, OutputTarget::kPrinter);
  EXPECT_FALSE(result.completed);
  EXPECT_EQ(out_.ui.Texts(), std::vector<std::string>{"Select at least one item."});
  EXPECT_TRUE(ran_.empty());
}

TEST_F(ReportRunTest, SeveralTickedGoOnlyToThePrinter) {
  AddFake("Income Statement");
  AddFake("General Ledger");
  for (OutputTarget target : {OutputTarget::kPdf, OutputTarget::kPdfMail, OutputTarget::kText}) {
    out_.ui.ClearMessages();
    const ReportRunResult result = Run({"Income Statement", "General Ledger"}, target);
    EXPECT_FALSE(result.completed);
    EXPECT_EQ(out_.ui.Texts(),
              std::vector<std::string>{"Select one item at a time when not sending to a printer."});
  }
  EXPECT_TRUE(ran_.empty());
  EXPECT_EQ(dir_.Listing(), "");
}

TEST_F(ReportRunTest, APrinterRunPrintsInRunOrderAndClearsTheBoxes) {
  AddFake("General Ledger");
  AddFake("Income Statement");
  AddFake("COA Listing");
  AddFake("Account Summary");
  const ReportRunResult result =
      Run({"Account Summary", "General Ledger", "COA Listing", "Income Statement"},
          OutputTarget::kPrinter);
  EXPECT_TRUE(result.completed);
  EXPECT_THAT(ran_,
              ElementsAre("Income Statement", "General Ledger", "COA Listing", "Account Summary"));
  EXPECT_EQ(out_.printer.titles, ran_);
  EXPECT_EQ(result.cleared, ran_);
  EXPECT_EQ(out_.printer.runs_started, 1);
  EXPECT_EQ(out_.printer.runs_finished, 1);
  EXPECT_TRUE(out_.ui.messages().empty());
}

TEST_F(ReportRunTest, TheRunStopsAtTheFirstFailureAndClearsOnlyWhatPrinted) {
  AddFake("Income Statement");
  AddFake("General Ledger");
  AddFake("Payee Listing");
  failing_ = {"General Ledger"};
  const ReportRunResult result =
      Run({"Payee Listing", "General Ledger", "Income Statement"}, OutputTarget::kPrinter);
  EXPECT_FALSE(result.completed);
  EXPECT_THAT(ran_, ElementsAre("Income Statement", "General Ledger"));
  EXPECT_THAT(result.cleared, ElementsAre("Income Statement"));
}

TEST_F(ReportRunTest, ACancelledPrinterDialogEndsTheRun) {
  AddFake("Income Statement");
  AddFake("Balance Sheet");
  out_.printer.cancel = true;
  const ReportRunResult result = Run({"Income Statement", "Balance Sheet"}, OutputTarget::kPrinter);
  EXPECT_FALSE(result.completed);
  EXPECT_THAT(ran_, ElementsAre("Income Statement"));
  EXPECT_TRUE(result.cleared.empty());
}

TEST_F(ReportRunTest, APreviewIsOpenedAndItsBoxStaysTicked) {
  AddFake("Balance Sheet");
  const ReportRunResult result = Run({"Balance Sheet"}, OutputTarget::kPdf);
  EXPECT_TRUE(result.completed);
  EXPECT_TRUE(result.cleared.empty());
  EXPECT_EQ(out_.shell.opened, std::vector<std::string>{dir_.File("Balance Sheet.pdf")});
}

TEST_F(ReportRunTest, TargetsAReportDoesNotTakeAreRefusedBeforeAnyOutput) {
  AddFake("Payee Listing", {nullptr, /*allows_text=*/false, /*allows_mail=*/false});
  Run({"Payee Listing"}, OutputTarget::kText);
  Run({"Payee Listing"}, OutputTarget::kPdfMail);
  EXPECT_EQ(out_.ui.Texts(),
            (std::vector<std::string>{"This item cannot be viewed/saved as a CSV file",
                                      "This item cannot be sent by email"}));
  EXPECT_TRUE(ran_.empty());
}

TEST_F(ReportRunTest, MailIsRefusedWhileNoMailServiceIsThere) {
  AddFake("Income Statement");
  out_.services.mail = nullptr;
  EXPECT_FALSE(Run({"Income Statement"}, OutputTarget::kPdfMail).completed);
  EXPECT_EQ(out_.ui.Texts(), std::vector<std::string>{"This item cannot be sent by email"});
  EXPECT_TRUE(ran_.empty());
}

// The lines a report printed are marked printed once its document went out:
// after a PDF or a printer run that was sent, never for a CSV, a run whose
// printer could not take it, or a report that failed.
class MarkingRunTest : public ReportRunTest {
 protected:
  void SetUp() override {
    for (std::string_view label : {"General Ledger", "Transaction Listing"}) {
      ReportEntry entry;
      entry.run = [this, label](ReportContext& context) {
        if (std::string(label) == failing_label_) return false;
        context.printed->push_back({label == "General Ledger" ? 1 : 2, 77});
        return context.job.StartPrintJob(PrintJobKind::kReport, label) && context.job.EndPrintJob();
      };
      ASSERT_TRUE(registry_.Add(label, std::move(entry)));
    }
  }

  // The marks asked for by a run of `ticked` to `target`.
  std::vector<PrintedLine> Marked(std::vector<std::string> ticked, OutputTarget target) {
    std::vector<PrintedLine> marked;
    ReportRunRequest request;
    request.ticked = std::move(ticked);
    request.target = target;
    request.period = MonthPeriod(2014, 3);
    request.mark_printed = [&](const std::vector<PrintedLine>& lines) {
      marked.insert(marked.end(), lines.begin(), lines.end());
      return true;
    };
    RunReports(registry_, ledger_, out_.services, request);
    return marked;
  }

  std::string failing_label_;
};

TEST_F(MarkingRunTest, OnlyDocumentsThatWentOutMarkTheirLines) {
  const PrintedLine ledger{1, 77};
  const PrintedLine listing{2, 77};
  EXPECT_THAT(Marked({"General Ledger"}, OutputTarget::kPdf), ElementsAre(ledger));
  EXPECT_THAT(Marked({"General Ledger"}, OutputTarget::kText), ElementsAre());
  EXPECT_THAT(Marked({"General Ledger", "Transaction Listing"}, OutputTarget::kPrinter),
              ElementsAre(listing, ledger));
  out_.printer.fail_run = true;
  EXPECT_THAT(Marked({"General Ledger"}, OutputTarget::kPrinter), ElementsAre());
  out_.printer.fail_run = false;
  out_.printer.cancel = true;
  EXPECT_THAT(Marked({"General Ledger"}, OutputTarget::kPrinter), ElementsAre());
  out_.printer.cancel = false;
  // The run stops at the failing ledger: the listing before it was printed.
  failing_label_ = "General Ledger";
  EXPECT_THAT(Marked({"General Ledger", "Transaction Listing"}, OutputTarget::kPrinter),
              ElementsAre(listing));
}

}  // namespace
}  // namespace zenkar
