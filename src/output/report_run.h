// The report run of the Reports tab: which reports exist, the order they run
// in, and what one press of "Print", "Preview / Save (PDF)", "Send by E-Mail
// (PDF)" or "View / Save (CSV)" does.
//
// The fifteen reports have fixed labels, a display order (the order of the
// check boxes) and a run order. A report exists once its procedure is added
// to a ReportRegistry; the tab shows only those (AvailableLabels), so adding
// a report is one Add call with its label.
#ifndef ZENKAR_OUTPUT_REPORT_RUN_H_
#define ZENKAR_OUTPUT_REPORT_RUN_H_

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "ledger/transaction_record.h"
#include "output/print_job.h"
#include "output/report_choices.h"
#include "output/report_period.h"

namespace zenkar {

class Ledger;

struct ReportListing {
  std::string_view label;
  int run_order;
};
// The reports in the order the tab shows them.
const std::array<ReportListing, 15>& ReportList();

// The charts: a group of their own on the Reports tab, after the report list,
// run after its reports.
const std::array<ReportListing, 3>& ChartList();
inline constexpr std::string_view kIncomeExpenseChartLabel = "Income and Expenses by Month";
inline constexpr std::string_view kBankBalanceChartLabel = "Bank Balance";
inline constexpr std::string_view kInvoiceAgeChartLabel = "Unpaid Invoices by Age";

// A report printed from its own page rather than ticked on the Reports tab:
// it runs through the same report run under its title, and kxbatch names it
// like the others.
inline constexpr std::string_view kBankRecLabel = "Bank-Rec";

inline constexpr std::string_view kIncomeStatementLabel = "Income Statement";
inline constexpr std::string_view kBalanceSheetLabel = "Balance Sheet";

inline constexpr std::string_view kSelectAtLeastOne = "Select at least one item.";
inline constexpr std::string_view kSelectOneAtATime =
    "Select one item at a time when not sending to a printer.";
inline constexpr std::string_view kCannotBeCsv = "This item cannot be viewed/saved as a CSV file";
inline constexpr std::string_view kCannotBeMailed = "This item cannot be sent by email";

// The report options of the tab, read when the run starts.
struct ReportOptions {
  bool sort_entries = false;          // "Reports: Sort Entries"
  bool use_shading_bars = false;      // "Reports: Use Shading Bars"
  bool include_descriptions = false;  // "Transaction Listing: Include Descriptions"
  bool omit_percentages = false;      // "Income Statement: Omit Percentages"
  bool include_zero_balances =
      false;  // "Income Statement/Balance Sheet: Include Zero Balance Accounts"
};

// What a report procedure works with. The procedure opens and ends its own
// print job on `job` (StartPrintJob ... EndPrintJob).
struct ReportContext {
  const Ledger& ledger;  // reports read the books, never change them
  PrintJob& job;
  ReportPeriod period;
  ReportOptions options;
  ReportChoices* choices = nullptr;  // none: each question takes its proposal
  // The General Ledger and the Transaction Listing add the lines they
  // printed; the run marks them printed once their document went out.
  std::vector<PrintedLine>* printed = nullptr;
};

// Writes one report; false when it failed or was refused (reported).
using ReportProcedure = std::function<bool(ReportContext&)>;

struct ReportEntry {
  ReportProcedure run;
  bool allows_text = true;  // may go to the Text (CSV) target
  bool allows_mail = true;  // may go to the PdfMail target
};

class ReportRegistry {
 public:
  // Makes the report `label` of the list available; false for a label that
  // is not in the list.
  bool Add(std::string_view label, ReportEntry entry);
  const ReportEntry* Find(std::string_view label) const;
  // The labels of the available reports, in display order.
  std::vector<std::string_view> AvailableLabels() const;
  // The labels of the available charts, in display order.
  std::vector<std::string_view> AvailableCharts() const;
  // The reports and the charts followed by the available reports of their
  // own pages: every report that may be run by name.
  std::vector<std::string_view> RunnableLabels() const;

 private:
  // The fifteen reports of the list, the three charts, then "Bank-Rec"
  // (report_run.cc).
  std::array<ReportEntry, 19> entries_{};
};

struct ReportRunRequest {
  std::vector<std::string> ticked;  // labels of the ticked boxes, any order
  OutputTarget target = OutputTarget::kPdf;
  ReportPeriod period;
  ReportOptions options;
  ReportChoices* choices = nullptr;
  // The one change of the books a run makes (Ledger::MarkTransactionsPrinted):
  // after a printer or PDF run whose documents went out, the lines the
  // reports printed lose their unprinted mark. None: nothing is marked.
  std::function<bool(const std::vector<PrintedLine>&)> mark_printed = {};
};

struct ReportRunResult {
  // True when every ticked report was written.
  bool completed = false;
  // The boxes to clear, in run order: the reports a printer run printed.
  std::vector<std::string> cleared;
};

// Runs the ticked reports in run order to the target and stops at the first
// that fails. Every refusal and failure has been shown through the Ui.
ReportRunResult RunReports(const ReportRegistry& registry, const Ledger& ledger,
                           OutputServices& services, const ReportRunRequest& request);

}  // namespace zenkar

#endif  // ZENKAR_OUTPUT_REPORT_RUN_H_
