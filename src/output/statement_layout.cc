#include "output/statement_layout.h"

#include <algorithm>
#include <cmath>

#include "output/number_format.h"

namespace zenkar {
namespace {

constexpr double kBodyFontSize = 10;
constexpr double kTitleFontSize = 12;
constexpr std::string_view kFontName = "Arial";
constexpr ReportFont kBodyFont{FontFamily::kArial, kBodyFontSize, FontStyle::kRegular};

int RowsOf(const StatementBodyLine& line) { return line.underlines == 2 ? 2 : 1; }

double BodyTop(const StatementDocument& document) {
  return document.heading.columns.empty() ? kBodyRow : kBodyRowUnderColumns;
}

void WriteHeading(PrintJob& job, const StatementHeading& heading, int page, int pages) {
  job.SetReportFont(kFontName, kTitleFontSize, FontStyle::kBold);
  if (!heading.company.empty()) {
    job.PrintText(kCompanyRow, kCenterColumn, heading.company, 1, ReportAlign::kCenter);
  }
  job.PrintText(kTitleRow, kCenterColumn, heading.title, 1, ReportAlign::kCenter);
  job.SetReportFont(kFontName, kBodyFontSize, FontStyle::kRegular);
  job.PrintText(kPeriodRow, kCenterColumn, heading.period_line, 1, ReportAlign::kCenter);
  if (!heading.heading_line.empty()) {
    job.PrintText(kHeadingLineRow, kDescriptionColumn, heading.heading_line);
  }
  if (pages > 1) job.PrintPageFooter(page, pages, kHeadingLineRow);
  job.SetReportFont(kFontName, kBodyFontSize, FontStyle::kBold);
  for (const ColumnHeading& column : heading.columns) {
    job.PrintText(kColumnHeadingRow + column.row, column.column, column.text, 1,
                  ReportAlign::kRight);
  }
  job.SetReportFont(kFontName, kBodyFontSize, FontStyle::kRegular);
}

void WriteUnderlines(PrintJob& job, const StatementBodyLine& line, double row) {
  const double y = row + kUnderlineDrop;
  for (double column : line.underline_columns) {
    if (line.underlines == 2) {
      job.DrawDoubleLine(y, column - kUnderlineLength, y, column);
    } else {
      job.DrawLine(y, column - kUnderlineLength, y, column);
    }
  }
}

void WriteBodyLine(PrintJob& job, const StatementBodyLine& line, double row,
                   std::string_view description) {
  job.PrintText(row, kDescriptionColumn, description);
  for (const StatementAmount& amount : line.amounts) {
    job.PrintAmount(row, amount.column, amount.amount, kAmountThousands, amount.field);
  }
  if (line.underlines > 0) WriteUnderlines(job, line, row);
}

void WritePages(PrintJob& job, const StatementDocument& document,
                const std::vector<StatementPage>& pages) {
  const double top = BodyTop(document);
  const int count = static_cast<int>(pages.size());
  for (int page = 0; page < count; ++page) {
    if (page > 0) job.NewPage();
    WriteHeading(job, document.heading, page + 1, count);
    for (const PlacedLine& placed : pages[page]) {
      const StatementBodyLine& line = document.lines[placed.line];
      WriteBodyLine(job, line, top + placed.row, PrintedDescription(document, line.description));
    }
  }
}

// The Text target: the heading once, as lines of fields, then the body with
// its blank lines and without pages.
void WriteTextLines(PrintJob& job, const StatementDocument& document) {
  const StatementHeading& heading = document.heading;
  for (const std::string* text :
       {&heading.company, &heading.title, &heading.period_line, &heading.heading_line}) {
    if (text->empty()) continue;
    job.PrintText(0, 0, *text);
    job.NewLine();
  }
  for (int row = 0; row < 2 && !heading.columns.empty(); ++row) {
    for (const ColumnHeading& column : heading.columns) {
      if (column.row == row) job.PrintText(0, 0, column.text, column.field);
    }
    job.NewLine();
  }
  for (const StatementBodyLine& line : document.lines) {
    if (line.page_break) continue;
    if (line.blank_before) job.NewLine();
    WriteBodyLine(job, line, 0, line.description);
    job.NewLine();
  }
}

}  // namespace

int LinesPerPage(int base_lines, double paper_length_factor, int additional_top_margin_half_lines) {
  const int margin_lines = (std::max(additional_top_margin_half_lines, 0) + 1) / 2;
  const int lines = static_cast<int>(std::floor(base_lines * paper_length_factor)) - margin_lines;
  return std::max(lines, 1);
}

std::vector<StatementPage> Paginate(const std::vector<StatementBodyLine>& lines,
                                    int lines_per_page) {
  std::vector<StatementPage> pages(1);
  int used = 0;
  for (int index = 0; index < static_cast<int>(lines.size()); ++index) {
    const StatementBodyLine& line = lines[index];
    if (line.page_break) {
      if (used > 0) pages.emplace_back();
      used = 0;
      continue;
    }
    int blank = line.blank_before && used > 0 ? 1 : 0;
    if (used > 0 && used + blank + RowsOf(line) > lines_per_page) {
      pages.emplace_back();
      used = 0;
      blank = 0;
    }
    pages.back().push_back({used + blank, index});
    used += blank + RowsOf(line);
  }
  // A page break at the very end leaves nothing to print on the next page.
  if (pages.size() > 1 && pages.back().empty()) pages.pop_back();
  return pages;
}

std::string_view PrintedDescription(const StatementDocument& document,
                                    std::string_view description) {
  if (document.first_amount_column <= 0) return description;  // no amount columns
  const double columns = document.first_amount_column - kUnderlineLength - kDescriptionColumn;
  return FitTextToWidth(kBodyFont, description, columns * kPointsPerColumn);
}

bool WriteStatement(PrintJob& job, const StatementDocument& document) {
  if (!job.StartPrintJob(PrintJobKind::kReport, document.job_title)) return false;
  if (!job.SetReportFont(kFontName, kBodyFontSize, FontStyle::kRegular)) return false;
  if (!job.positioned()) {
    WriteTextLines(job, document);
    return job.EndPrintJob();
  }
  ReportCanvas& canvas = *job.canvas();
  const int lines_per_page =
      LinesPerPage(document.base_lines_per_page, canvas.paper_length_factor(),
                   canvas.additional_top_margin_half_lines());
  WritePages(job, document, Paginate(document.lines, lines_per_page));
  return job.EndPrintJob();
}

}  // namespace zenkar
