#include "services/imports/import_reports.h"

#include "common/text_field.h"
#include "output/number_format.h"

namespace zenkar {
namespace {

constexpr double kHeadingRow = 3;
constexpr double kCaptionRow = 5;
constexpr double kFirstRow = 7;
constexpr double kLastRow = 60;
constexpr double kFontSize = 10;

std::string Shown(std::string_view text) { return std::string(TrimRight(text)); }

void PrintHeading(PrintJob& job, const ListingReport& report, int page) {
  job.PrintText(kHeadingRow, 5, report.heading + " - Page " + std::to_string(page));
  job.NewLine();
  for (size_t i = 0; i < report.columns.size(); ++i) {
    const ImportColumn& column = report.columns[i];
    job.PrintText(kCaptionRow, column.column, column.caption, static_cast<int>(i) + 1,
                  column.amount ? ReportAlign::kRight : ReportAlign::kLeft);
  }
  job.NewLine();
}

void PrintCells(PrintJob& job, const ListingReport& report, double row,
                const std::vector<ImportCell>& cells) {
  for (size_t i = 0; i < cells.size() && i < report.columns.size(); ++i) {
    const int field = static_cast<int>(i) + 1;
    if (cells[i].amount) {
      job.PrintAmount(row, report.columns[i].column, *cells[i].amount, kAmountThousands, field);
    } else if (!cells[i].text.empty()) {
      job.PrintText(row, report.columns[i].column, cells[i].text, field);
    }
  }
  job.NewLine();
}

}  // namespace

bool PrintListingReport(PrintJob& job, const ListingReport& report) {
  if (!job.StartPrintJob(PrintJobKind::kReport, report.title)) return false;
  if (!job.SetReportFont("Arial", kFontSize, FontStyle::kRegular)) return false;
  int page = 1;
  PrintHeading(job, report, page);
  double row = kFirstRow;
  auto print = [&](const std::vector<ImportCell>& cells) {
    if (row > kLastRow && job.positioned()) {
      job.NewPage();
      PrintHeading(job, report, ++page);
      row = kFirstRow;
    }
    PrintCells(job, report, row++, cells);
  };
  for (const std::vector<ImportCell>& cells : report.rows) print(cells);
  if (!report.totals.empty()) print({});
  for (const std::vector<ImportCell>& cells : report.totals) print(cells);
  return job.EndPrintJob();
}

ListingReport ReceivablesImportReport(const std::vector<ImportedLine>& lines, DayNumber today,
                                      const DatePatterns& dates) {
  ListingReport report;
  report.title = std::string(kReceivablesReportTitle);
  report.heading = "Imported from Accounts Receivable: " + FormatDate(today, dates.numeric);
  report.columns = {{"DATE ", 5}, {"DESCRIPTION", 17}, {"ACCT", 55}, {"AMOUNT", 75, true}};
  for (const ImportedLine& line : lines) {
    report.rows.push_back({{FormatDate(line.date, dates.numeric)},
                           {Shown(line.description)},
                           {Shown(line.account)},
                           {line.amount}});
  }
  return report;
}

ListingReport PaycheckImportReport(const std::vector<ImportedLine>& lines,
                                   const PaycheckTotals& totals, DayNumber today,
                                   const DatePatterns& dates) {
  ListingReport report;
  report.title = std::string(kPaycheckReportTitle);
  report.heading = "Paychecks Imported: " + FormatDate(today, dates.numeric);
  report.columns = {
      {"CHECK", 5}, {"DATE", 14}, {"EMPLOYEE", 26}, {"ACCT", 58}, {"AMOUNT", 75, true}};
  for (const ImportedLine& line : lines) {
    report.rows.push_back({{Shown(line.reference)},
                           {FormatDate(line.date, dates.numeric)},
                           {Shown(line.description)},
                           {Shown(line.account)},
                           {line.amount}});
  }
  report.totals = {{{}, {}, {"Gross Pay"}, {}, {totals.gross_pay}},
                   {{}, {}, {"Employee Deductions"}, {}, {totals.deductions}},
                   {{}, {}, {"Net Pay"}, {}, {totals.net_pay}}};
  return report;
}

}  // namespace zenkar
