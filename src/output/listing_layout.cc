#include "output/listing_layout.h"

#include <algorithm>

#include "common/text_field.h"
#include "output/number_format.h"
#include "output/statement_layout.h"

namespace zenkar {
namespace {

constexpr std::string_view kFontName = "Arial";
constexpr double kTitleFontSize = 12;
constexpr double kCompanyFontSize = 10;
constexpr ReportFont kBodyFont{FontFamily::kArial, kListingFontSize, FontStyle::kRegular};
constexpr double kTitleRow = 3;
constexpr double kCompanyRow = 4;
constexpr double kFirstLineRow = 5;
// Where a row's shading band starts above and ends below its baseline, in
// rows (its underlines run kUnderlineDrop below, as the statements' do).
constexpr double kBandTop = 0.8;
constexpr double kBandBottom = 0.25;
constexpr double kBandLeft = kListingLeftColumn - 0.5;
constexpr double kBandRight = kListingRightColumn + 0.5;

double PreparedRow(const ListingHeading& heading) {
  return kFirstLineRow + static_cast<double>(heading.lines.size());
}

int HeadingRows(const ListingHeading& heading) {
  int rows = 0;
  for (const ListingColumn& column : heading.columns) rows = std::max(rows, column.row + 1);
  return rows;
}

double BodyTop(const ListingHeading& heading) {
  const int rows = HeadingRows(heading);
  return PreparedRow(heading) + (rows == 0 ? 2 : 2 + rows + 1);
}

void SetBodyFont(PrintJob& job) {
  job.SetReportFont(kFontName, kListingFontSize, FontStyle::kRegular);
}

void WriteHeading(PrintJob& job, const ListingHeading& heading, int page, int pages) {
  job.SetReportFont(kFontName, kTitleFontSize, FontStyle::kBold);
  job.PrintText(kTitleRow, kCenterColumn, heading.title, 1, ReportAlign::kCenter);
  job.SetReportFont(kFontName, kCompanyFontSize, FontStyle::kBold);
  if (!heading.company.empty()) {
    job.PrintText(kCompanyRow, kCenterColumn, heading.company, 1, ReportAlign::kCenter);
  }
  SetBodyFont(job);
  double row = kFirstLineRow;
  for (const std::string& line : heading.lines) {
    job.PrintText(row++, kCenterColumn, line, 1, ReportAlign::kCenter);
  }
  job.PrintPreparedLine(PreparedRow(heading), kListingLeftColumn);
  job.PrintPageFooter(page, pages, PreparedRow(heading));
  const int rows = HeadingRows(heading);
  if (rows == 0) return;
  const double first = PreparedRow(heading) + 2;
  job.SetReportFont(kFontName, kListingFontSize, FontStyle::kBold);
  for (const ListingColumn& column : heading.columns) {
    job.PrintText(first + column.row, column.column, column.text, column.field, column.align);
  }
  SetBodyFont(job);
  const double rule = first + rows - 1 + kUnderlineDrop;
  job.DrawLine(rule, kListingLeftColumn, rule, kListingRightColumn);
}

void WritePages(PrintJob& job, const ListingDocument& document,
                const std::vector<ListingPage>& pages) {
  const double top = BodyTop(document.heading);
  const int count = static_cast<int>(pages.size());
  for (int page = 0; page < count; ++page) {
    if (page > 0) job.NewPage();
    WriteHeading(job, document.heading, page + 1, count);
    bool shade = false;
    for (const PlacedRow& placed : pages[page]) {
      const ListingRow& row = document.rows[placed.index];
      const double at = top + placed.row;
      if (document.shading_bars && row.entry) {
        if (shade) {
          job.canvas()->ShadeBand(at - kBandTop, kBandLeft, at + row.height - 1 + kBandBottom,
                                  kBandRight);
        }
        shade = !shade;
      }
      ListingLineWriter writer(job, at);
      document.render(row, writer);
    }
  }
}

// The Text target: the heading once, as lines of fields, then every row.
void WriteTextLines(PrintJob& job, const ListingDocument& document) {
  const ListingHeading& heading = document.heading;
  for (const std::string* text : {&heading.title, &heading.company}) {
    if (text->empty()) continue;
    job.PrintText(0, 0, *text);
    job.NewLine();
  }
  for (const std::string& line : heading.lines) {
    job.PrintText(0, 0, line);
    job.NewLine();
  }
  job.PrintPreparedLine();
  job.NewLine();
  for (int row = 0; row < HeadingRows(heading); ++row) {
    for (const ListingColumn& column : heading.columns) {
      if (column.row == row) job.PrintText(0, 0, column.text, column.field);
    }
    job.NewLine();
  }
  for (const ListingRow& row : document.rows) {
    if (row.blank_before) job.NewLine();
    ListingLineWriter writer(job, 0);
    document.render(row, writer);
    job.NewLine();
  }
}

}  // namespace

void ListingLineWriter::Text(double column, std::string_view text, int field, ReportAlign align,
                             double next, size_t length) {
  if (job_.positioned()) text = text.substr(0, length);
  if (next > 0 && job_.positioned()) {
    text = FitTextToWidth(kBodyFont, text, (next - 0.5 - column) * kPointsPerColumn);
  }
  job_.PrintText(row_, column, text, field, align);
}

void ListingLineWriter::Amount(double column, Money amount, int field) {
  job_.PrintAmount(row_, column, amount, kAmountThousands, field);
}

void ListingLineWriter::Bold(double column, std::string_view text, int field, ReportAlign align) {
  job_.SetReportFont(kFontName, kListingFontSize, FontStyle::kBold);
  job_.PrintText(row_, column, text, field, align);
  SetBodyFont(job_);
}

void ListingLineWriter::Underline(double first, double last, bool double_line) {
  const double y = row_ + kUnderlineDrop;
  if (double_line) {
    job_.DrawDoubleLine(y, first, y, last);
  } else {
    job_.DrawLine(y, first, y, last);
  }
}

void ListingLineWriter::RuleAbove(double first, double last) {
  const double y = row_ - 1 + kUnderlineDrop;
  job_.DrawLine(y, first, y, last);
}

void ListingLineWriter::NextLine() {
  if (job_.positioned()) {
    row_ += 1;
  } else {
    job_.NewLine();
  }
}

void WriteAllAccountsTotals(ListingLineWriter& w, double label_column, int label_field,
                            const std::vector<TotalAmount>& amounts) {
  for (const TotalAmount& total : amounts) w.RuleAbove(total.column - kAmountWidth, total.column);
  w.Bold(label_column, "TOTALS FOR ALL ACCOUNTS", label_field);
  for (const TotalAmount& total : amounts) w.Amount(total.column, total.amount, total.field);
  for (const TotalAmount& total : amounts) {
    w.Underline(total.column - kAmountWidth, total.column, /*double_line=*/true);
  }
}

std::vector<ListingPage> PaginateListing(const std::vector<ListingRow>& rows, int lines_per_page) {
  std::vector<ListingPage> pages(1);
  int used = 0;
  for (int index = 0; index < static_cast<int>(rows.size()); ++index) {
    const ListingRow& row = rows[index];
    int blank = row.blank_before && used > 0 ? 1 : 0;
    if (used > 0 && used + blank + row.height > lines_per_page) {
      pages.emplace_back();
      used = 0;
      blank = 0;
    }
    pages.back().push_back({used + blank, index});
    used += blank + row.height;
  }
  return pages;
}

ListingHeading ListingHeadingOf(std::string title, const std::string& company_name,
                                std::vector<std::string> lines) {
  ListingHeading heading;
  heading.title = std::move(title);
  heading.company = std::string(Trim(company_name));
  heading.lines = std::move(lines);
  return heading;
}

void WriteListingHeading(PrintJob& job, const ListingHeading& heading, int page, int pages) {
  WriteHeading(job, heading, page, pages);
}

double ListingBodyTop(const ListingHeading& heading) { return BodyTop(heading); }

bool WriteListing(PrintJob& job, const ListingDocument& document) {
  if (!job.StartPrintJob(PrintJobKind::kReport, document.job_title)) return false;
  if (!job.SetReportFont(kFontName, kListingFontSize, FontStyle::kRegular)) return false;
  if (!job.positioned()) {
    WriteTextLines(job, document);
    return job.EndPrintJob();
  }
  ReportCanvas& canvas = *job.canvas();
  const int lines_per_page =
      LinesPerPage(document.base_lines_per_page, canvas.paper_length_factor(),
                   canvas.additional_top_margin_half_lines());
  WritePages(job, document, PaginateListing(document.rows, lines_per_page));
  return job.EndPrintJob();
}

}  // namespace zenkar
