#include "output/bank_rec_report.h"

#include <algorithm>

#include "common/text_field.h"
#include "ledger/ledger.h"
#include "output/number_format.h"
#include "output/statement_layout.h"

namespace zenkar {
namespace {

constexpr std::string_view kFontName = "Arial";
constexpr double kBodyFontSize = 10;
constexpr double kTitleFontSize = 12;
constexpr ReportFont kBodyFont{FontFamily::kArial, kBodyFontSize, FontStyle::kRegular};
constexpr int kBaseLinesPerPage = 52;

// Columns: the summary's amounts end at 60; the entries' columns.
constexpr double kSummaryAmountColumn = 60;
constexpr double kAdjustmentColumn = 8;
constexpr double kReferenceColumn = 45;
constexpr double kDateColumn = 55;
constexpr double kAmountColumn = 78;
// The first body row, under the four heading rows.
constexpr double kFirstBodyRow = 8;

std::string DateText(DayNumber day, const DatePatterns& patterns) {
  return FormatDate(day, patterns.numeric);
}

// The body rows the summary takes on the first page.
int SummaryRows(const BankRecReport& report) {
  int adjustments = 0;
  for (int i = 0; i < kStatementAdjustments; ++i) {
    if (!report.values.descriptions[i].empty() || !report.values.amounts[i].IsZero()) {
      ++adjustments;
    }
  }
  // The ending balance, the adjustments' caption and lines, the outstanding
  // items, per reconciliation, a blank, the book balance, the result, the
  // prepared line and a blank.
  return 9 + adjustments;
}

void WriteHeading(PrintJob& job, const BankRecReport& report, int page, int pages) {
  const DatePatterns& patterns = job.services().dates;
  job.SetReportFont(kFontName, kTitleFontSize, FontStyle::kBold);
  if (!report.company.empty()) {
    job.PrintText(kCompanyRow, kCenterColumn, report.company, 1, ReportAlign::kCenter);
  }
  job.PrintText(kTitleRow, kCenterColumn, "Bank Reconciliation", 1, ReportAlign::kCenter);
  job.SetReportFont(kFontName, kBodyFontSize, FontStyle::kRegular);
  job.PrintText(kPeriodRow, kCenterColumn,
                "Bank Account " + report.bank_account + ", statement " +
                    DateText(report.start, patterns) + " through " + DateText(report.end, patterns),
                1, ReportAlign::kCenter);
  if (pages > 1) job.PrintPageFooter(page, pages, kHeadingLineRow);
}

double SummaryLine(PrintJob& job, double row, std::string_view caption, Money amount,
                   double caption_column = kDescriptionColumn) {
  job.PrintText(row, caption_column, FitTextToWidth(kBodyFont, caption, 45 * kPointsPerColumn));
  job.PrintAmount(row, kSummaryAmountColumn, amount, kAmountThousands);
  return row + 1;
}

double WriteSummary(PrintJob& job, const BankRecReport& report, double row) {
  const DatePatterns& patterns = job.services().dates;
  const ReconciliationFigures& figures = report.figures;
  row = SummaryLine(job, row, "Bank Statement Ending Balance", figures.statement_balance);
  job.PrintText(row++, kDescriptionColumn, "Plus Adjustments to Balance");
  for (int i = 0; i < kStatementAdjustments; ++i) {
    if (report.values.descriptions[i].empty() && report.values.amounts[i].IsZero()) continue;
    row = SummaryLine(job, row, report.values.descriptions[i],
                      report.values.amounts[i].RoundedToCents(), kAdjustmentColumn);
  }
  row = SummaryLine(job, row, "Less Outstanding Items", figures.outstanding);
  row = SummaryLine(job, row, "Balance Per Reconciliation", figures.per_reconciliation);
  ++row;
  row = SummaryLine(job, row, "Bank Balance Through " + DateText(report.end, patterns),
                    figures.book_balance);
  job.SetReportFont(kFontName, kBodyFontSize, FontStyle::kBold);
  if (figures.balanced()) {
    job.PrintText(row++, kDescriptionColumn, ResultCaption(figures));
  } else {
    row = SummaryLine(job, row, ResultCaption(figures), figures.difference);
  }
  job.SetReportFont(kFontName, kBodyFontSize, FontStyle::kRegular);
  job.PrintPreparedLine(row++);
  return row + 1;
}

double WriteColumnHeadings(PrintJob& job, double row) {
  job.SetReportFont(kFontName, kBodyFontSize, FontStyle::kBold);
  job.PrintText(row, kDescriptionColumn, "Outstanding Entries");
  job.PrintText(row, kReferenceColumn, "Ck/Ref");
  job.PrintText(row, kDateColumn, "Ck Date");
  job.PrintText(row, kAmountColumn, "Amount", 1, ReportAlign::kRight);
  job.SetReportFont(kFontName, kBodyFontSize, FontStyle::kRegular);
  return row + 1;
}

void WriteItem(PrintJob& job, const ReconciliationItem& item, double row) {
  const double payee_width = (kReferenceColumn - 1 - kDescriptionColumn) * kPointsPerColumn;
  job.PrintText(row, kDescriptionColumn,
                FitTextToWidth(kBodyFont, TrimRight(item.description), payee_width));
  job.PrintText(row, kReferenceColumn, Trim(item.reference));
  job.PrintText(row, kDateColumn, DateText(item.date, job.services().dates));
  job.PrintAmount(row, kAmountColumn, item.amount, kAmountThousands);
}

bool RunBankRecReport(ReportContext& context) {
  if (!CheckPeriodOrder(context.period, context.job.services().ui)) return false;
  BankRecReport report;
  return BuildBankRecReport(context.ledger, context.period, &report) &&
         WriteBankRecReport(context.job, report);
}

}  // namespace

void StatementPeriodOf(const ReportPeriod& period, DayNumber* start, DayNumber* end) {
  *end = period.last;
  *start = period.kind == PeriodKind::kDate ? DefaultStatementStart(period.last) : period.first;
}

bool BuildBankRecReport(const Ledger& ledger, const ReportPeriod& period, BankRecReport* report) {
  ReconciliationBooks books;
  if (!ReadReconciliationBooks(ledger, &books)) return false;
  RestoreOutstandingMarks(books.items, ledger.SavedReconciliation());
  const CompanySettings& settings = ledger.settings();
  const AccountRecord& bank = ledger.chart().account(ledger.FindAccount(settings.bank_account));
  report->company = std::string(Trim(settings.name_line_1));
  report->bank_account = std::string(Trim(bank.number)) + " " + std::string(Trim(bank.description));
  StatementPeriodOf(period, &report->start, &report->end);
  report->values = StatementValuesOf(settings);
  report->figures =
      ComputeReconciliation(books.items, report->values, books.BalanceThrough(report->end));
  report->outstanding = OutstandingItems(books.items);
  return true;
}

bool WriteBankRecReport(PrintJob& job, const BankRecReport& report) {
  if (!job.StartPrintJob(PrintJobKind::kReport, "Bank-Rec")) return false;
  if (!job.SetReportFont(kFontName, kBodyFontSize, FontStyle::kRegular)) return false;
  ReportCanvas& canvas = *job.canvas();
  const int lines_per_page = LinesPerPage(kBaseLinesPerPage, canvas.paper_length_factor(),
                                          canvas.additional_top_margin_half_lines());
  // Every page lists entries under their column headings; the first one
  // only after the summary.
  const int first_page_items = std::max(lines_per_page - SummaryRows(report) - 1, 0);
  const int later_page_items = std::max(lines_per_page - 1, 1);
  const int items = static_cast<int>(report.outstanding.size());
  const int later_items = std::max(items - first_page_items, 0);
  const int pages = 1 + (later_items + later_page_items - 1) / later_page_items;

  int next = 0;
  for (int page = 1; page <= pages; ++page) {
    if (page > 1) job.NewPage();
    WriteHeading(job, report, page, pages);
    double row = kFirstBodyRow;
    if (page == 1) row = WriteSummary(job, report, row);
    const int on_page = page == 1 ? first_page_items : later_page_items;
    row = WriteColumnHeadings(job, row);
    for (int i = 0; i < on_page && next < items; ++i)
      WriteItem(job, report.outstanding[next++], row++);
  }
  return job.EndPrintJob();
}

void AddBankRecReport(ReportRegistry& registry) {
  registry.Add(kBankRecLabel, {RunBankRecReport, /*allows_text=*/false});
}

}  // namespace zenkar
