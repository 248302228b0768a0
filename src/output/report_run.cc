#include "output/report_run.h"

#include <algorithm>

#include "ledger/ledger.h"

namespace zenkar {
namespace {

constexpr std::array<ReportListing, 15> kReportList = {{
    {"Transaction Listing", 1},
    {"Income Statement", 2},
    {"Balance Sheet", 3},
    {"General Ledger", 4},
    {"Account Summary", 8},
    {"Trial Balance", 7},
    {"Activity Comparison", 6},
    {"COA Listing", 5},
    {"Unpaid Invoice Listing", 11},
    {"Check and Deposit Listing", 12},
    {"Last 50 Entries", 9},
    {"Unprinted Transactions", 10},
    {"Payee Listing", 13},
    {"Payee Activity", 14},
    {"1099-MISC", 15},
}};

constexpr std::array<ReportListing, 3> kChartList = {{
    {kIncomeExpenseChartLabel, 17},
    {kBankBalanceChartLabel, 18},
    {kInvoiceAgeChartLabel, 19},
}};

// The reports of their own pages, run after those of the list.
constexpr std::array<ReportListing, 1> kPageReports = {{{kBankRecLabel, 16}}};

constexpr int kListed = static_cast<int>(kReportList.size());
constexpr int kCharted = kListed + static_cast<int>(kChartList.size());
constexpr int kEveryReport = kCharted + static_cast<int>(kPageReports.size());

// Index into the list, then on into the charts and the page reports.
const ReportListing& ListingAt(int index) {
  if (index < kListed) return kReportList[index];
  if (index < kCharted) return kChartList[index - kListed];
  return kPageReports[index - kCharted];
}

int IndexOf(std::string_view label) {
  for (int i = 0; i < kEveryReport; ++i) {
    if (ListingAt(i).label == label) return i;
  }
  return -1;
}

// The available ticked reports in run order; a label twice counts once.
std::vector<int> TickedInRunOrder(const ReportRegistry& registry,
                                  const std::vector<std::string>& ticked) {
  std::vector<int> run;
  for (const std::string& label : ticked) {
    const int index = IndexOf(label);
    if (index < 0 || registry.Find(label) == nullptr) continue;
    if (std::find(run.begin(), run.end(), index) == run.end()) run.push_back(index);
  }
  std::sort(run.begin(), run.end(),
            [](int a, int b) { return ListingAt(a).run_order < ListingAt(b).run_order; });
  return run;
}

// The target refusals a report makes before any output.
bool TargetAllowed(const ReportEntry& entry, const OutputServices& services, OutputTarget target,
                   Ui& ui) {
  if (target == OutputTarget::kText && !entry.allows_text) {
    ui.Error(kCannotBeCsv);
    return false;
  }
  if (target == OutputTarget::kPdfMail && (!entry.allows_mail || services.mail == nullptr)) {
    ui.Error(kCannotBeMailed);
    return false;
  }
  return true;
}

bool RunOne(const ReportEntry& entry, const Ledger& ledger, OutputServices& services,
            const ReportRunRequest& request, std::vector<PrintedLine>* printed) {
  if (!TargetAllowed(entry, services, request.target, services.ui)) return false;
  PrintJob job(services, request.target);
  std::vector<PrintedLine> lines;
  ReportContext context{ledger, job, request.period, request.options, request.choices, &lines};
  const bool written = entry.run(context);
  // A report that stopped half-way leaves its document unfinished: drop it.
  job.AbandonPrintJob();
  if (written) printed->insert(printed->end(), lines.begin(), lines.end());
  return written;
}

// Lines count as printed on paper or in a PDF, never in a CSV file.
bool MarksPrinted(OutputTarget target) { return target != OutputTarget::kText; }

}  // namespace

const std::array<ReportListing, 15>& ReportList() { return kReportList; }
const std::array<ReportListing, 3>& ChartList() { return kChartList; }

bool ReportRegistry::Add(std::string_view label, ReportEntry entry) {
  const int index = IndexOf(label);
  if (index < 0 || !entry.run) return false;
  entries_[index] = std::move(entry);
  return true;
}

const ReportEntry* ReportRegistry::Find(std::string_view label) const {
  const int index = IndexOf(label);
  if (index < 0 || !entries_[index].run) return nullptr;
  return &entries_[index];
}

std::vector<std::string_view> ReportRegistry::AvailableLabels() const {
  std::vector<std::string_view> labels;
  for (size_t i = 0; i < kReportList.size(); ++i) {
    if (entries_[i].run) labels.push_back(kReportList[i].label);
  }
  return labels;
}

std::vector<std::string_view> ReportRegistry::AvailableCharts() const {
  std::vector<std::string_view> labels;
  for (int i = kListed; i < kCharted; ++i) {
    if (entries_[i].run) labels.push_back(ListingAt(i).label);
  }
  return labels;
}

std::vector<std::string_view> ReportRegistry::RunnableLabels() const {
  std::vector<std::string_view> labels = AvailableLabels();
  for (int i = kListed; i < kEveryReport; ++i) {
    if (entries_[i].run) labels.push_back(ListingAt(i).label);
  }
  return labels;
}

ReportRunResult RunReports(const ReportRegistry& registry, const Ledger& ledger,
                           OutputServices& services, const ReportRunRequest& request) {
  ReportRunResult result;
  const std::vector<int> run = TickedInRunOrder(registry, request.ticked);
  if (run.empty()) {
    services.ui.Information(kSelectAtLeastOne);
    return result;
  }
  const bool to_printer = request.target == OutputTarget::kPrinter;
  if (run.size() > 1 && !to_printer) {
    services.ui.Information(kSelectOneAtATime);
    return result;
  }
  if (to_printer && services.printer != nullptr) services.printer->RunStarting();
  result.completed = true;
  std::vector<PrintedLine> printed;
  for (int index : run) {
    const std::string_view label = ListingAt(index).label;
    if (!RunOne(*registry.Find(label), ledger, services, request, &printed)) {
      result.completed = false;
      break;
    }
    if (to_printer) result.cleared.emplace_back(label);
  }
  bool sent = true;
  if (to_printer && services.printer != nullptr) sent = services.printer->RunFinished();
  if (sent && MarksPrinted(request.target) && !printed.empty() && request.mark_printed) {
    request.mark_printed(printed);  // a failure has been reported by the books
  }
  return result;
}

}  // namespace zenkar
