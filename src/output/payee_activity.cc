#include "output/payee_activity.h"

#include <algorithm>
#include <tuple>

#include "output/listing_layout.h"

namespace zenkar {
namespace {

constexpr double kCheckColumn = 5;
constexpr double kCheckDateColumn = 12;
constexpr double kDueColumn = 22;
constexpr double kInvoiceColumn = 32;
constexpr double kAccountColumn = 63;
constexpr double kAmountColumn = 78;

enum RowKind { kSectionRow, kLineRow };

// A paid invoice keeps its invoice number and due date on the check.
bool WasInvoice(const ListedLine& line) {
  return !line.invoice_number.empty() || line.due_date != kNoDate;
}

int SectionOf(const ListedLine& line, const ReportPeriod& period) {
  if (line.kind == kInvoice) return 0;
  if (line.kind != kCheckOrDeposit || !InPeriod(line.date, period)) return -1;
  return WasInvoice(line) ? 1 : 2;
}

}  // namespace

bool ComputePayeeActivity(const ListingBooks& books, int number, const ReportPeriod& period,
                          PayeeActivity* activity) {
  *activity = PayeeActivity();
  std::vector<ListedLine> lines;
  if (!ReadListedLines(
          books, [number](const TransactionFacts& facts) { return facts.payee_number == number; },
          &lines)) {
    return false;
  }
  std::sort(lines.begin(), lines.end(), [](const ListedLine& a, const ListedLine& b) {
    return std::tuple(ListingDate(a), a.entry_sequence, a.record_number) <
           std::tuple(ListingDate(b), b.entry_sequence, b.record_number);
  });
  for (ListedLine& line : lines) {
    const int section = SectionOf(line, period);
    if (section < 0) continue;
    activity->sections[section].total += line.amount.RoundedToCents();
    activity->sections[section].lines.push_back(std::move(line));
  }
  return true;
}

bool PrintPayeeActivity(ListingRun& run) {
  if (!CheckPeriodOrder(run.period, run.ui()) || run.choices == nullptr) return false;
  const std::optional<int> number = run.choices->ChoosePayee(run.books.payees);
  if (!number) return false;
  if (!run.books.payees.IsValidPayee(*number)) return false;
  PayeeActivity activity;
  if (!ComputePayeeActivity(run.books, *number, run.period, &activity)) return false;
  if (std::all_of(activity.sections.begin(), activity.sections.end(),
                  [](const PayeeActivitySection& s) { return s.lines.empty(); })) {
    run.ui().Error(NothingFoundMessage("transactions", run.period, run.dates()));
    return false;
  }
  ListingDocument document;
  document.job_title = "Payee-Activity";
  std::vector<std::string> lines = PeriodLines(run.period);
  lines.push_back(run.books.payees.PayeeName(*number));
  document.heading =
      ListingHeadingOf("PAYEE ACTIVITY", run.books.settings.name_line_1, std::move(lines));
  document.heading.columns = {
      {0, kCheckColumn, "Ck", 1},        {1, kCheckColumn, "Num", 1},
      {0, kCheckDateColumn, "Ck", 2},    {1, kCheckDateColumn, "Date", 2},
      {0, kDueColumn, "Due", 3},         {1, kDueColumn, "Date", 3},
      {0, kInvoiceColumn, "Invoice", 4}, {1, kInvoiceColumn, "Number", 4},
      {1, kAccountColumn, "Acct", 5},    {1, kAmountColumn, "Amount", 6, ReportAlign::kRight}};
  document.shading_bars = run.options.use_shading_bars;
  std::vector<const ListedLine*> listed;
  for (int s = 0; s < static_cast<int>(activity.sections.size()); ++s) {
    document.rows.push_back({kSectionRow, s, 1, s > 0, false});
    for (const ListedLine& line : activity.sections[s].lines) {
      document.rows.push_back({kLineRow, static_cast<int>(listed.size()), 1, false, true});
      listed.push_back(&line);
    }
  }
  const DatePatterns& dates = run.dates();
  document.render = [&](const ListingRow& row, ListingLineWriter& w) {
    if (row.kind == kSectionRow) {
      const PayeeActivitySection& section = activity.sections[row.index];
      w.Bold(kInvoiceColumn, section.title, 4);
      w.Amount(kAmountColumn, section.total, 6);
      w.Underline(kAmountColumn - kAmountWidth, kAmountColumn);
      return;
    }
    const ListedLine& line = *listed[row.index];
    if (line.kind != kInvoice) {
      w.Text(kCheckColumn, line.reference, 1, ReportAlign::kLeft, kCheckDateColumn);
      w.Text(kCheckDateColumn, ListingDateText(line.date, dates), 2, ReportAlign::kLeft,
             kDueColumn);
    }
    w.Text(kDueColumn, ListingDateText(line.due_date, dates), 3, ReportAlign::kLeft,
           kInvoiceColumn);
    w.Text(kInvoiceColumn, WasInvoice(line) ? line.invoice_number : line.memo, 4,
           ReportAlign::kLeft, kAccountColumn);
    w.Text(kAccountColumn, AccountText(line.account), 5, ReportAlign::kLeft,
           kAmountColumn - kAmountWidth);
    w.Amount(kAmountColumn, line.amount, 6);
  };
  return WriteListing(run.job, document);
}

}  // namespace zenkar
