// The page layout of the financial statements, as plain data, and its
// writing through the output primitives.
//
// A statement is a heading (company, title, period, the heading line of the
// settings, column headings) and body lines, each a description at column 5
// and right-aligned amounts in number style -4. The body is cut into pages
// of a fixed number of lines before anything is written, so the "Page n of
// m" of every heading is the number of pages the body really takes.
#ifndef ZENKAR_OUTPUT_STATEMENT_LAYOUT_H_
#define ZENKAR_OUTPUT_STATEMENT_LAYOUT_H_

#include <string>
#include <vector>

#include "common/money.h"
#include "output/print_job.h"

namespace zenkar {

inline constexpr double kDescriptionColumn = 5;
// An amount column is this many columns wide, ending at its right edge; its
// underline spans it.
inline constexpr double kUnderlineLength = 8;
// The page geometry of the headings, in rows from the top of the sheet.
inline constexpr double kCompanyRow = 3;
inline constexpr double kTitleRow = 4;
inline constexpr double kPeriodRow = 5;
inline constexpr double kHeadingLineRow = 6;
inline constexpr double kColumnHeadingRow = 8;
// The first body row below headings without and with column headings.
inline constexpr double kBodyRow = 8;
inline constexpr double kBodyRowUnderColumns = 11;
// The middle of the sheet, where titles are centred.
inline constexpr double kCenterColumn = 42.5;
// How far below a line's baseline its underline runs, in rows (3 points).
inline constexpr double kUnderlineDrop = 0.25;

struct StatementAmount {
  double column = 0;  // right edge
  Money amount;
  int field = 2;  // CSV field
};

struct StatementBodyLine {
  std::string description;
  std::vector<StatementAmount> amounts;   // printed ones only
  int underlines = 0;                     // 1 single, 2 double
  std::vector<double> underline_columns;  // the right ends
  bool blank_before = false;              // dropped at the top of a page
  bool page_break = false;                // starts a new page; prints nothing
};

struct ColumnHeading {
  int row = 0;  // 0 or 1: the first or second heading row
  double column = 0;
  std::string text;
  int field = 2;
};

struct StatementHeading {
  std::string company;
  std::string title;
  std::string period_line;
  std::string heading_line;  // empty: none
  std::vector<ColumnHeading> columns;
};

struct StatementDocument {
  std::string job_title;  // the print job's and the file's name
  StatementHeading heading;
  std::vector<StatementBodyLine> lines;
  int base_lines_per_page = 52;
  // The right edge of the leftmost amount column. On paper a description is
  // cut where that column begins, so it never runs under an amount.
  double first_amount_column = 0;
};

// Where each body line lands: its row counted from the first body row, and
// its index in the document's lines.
struct PlacedLine {
  int row = 0;
  int line = 0;
  friend bool operator==(const PlacedLine&, const PlacedLine&) = default;
};
using StatementPage = std::vector<PlacedLine>;

// The integer part of `base_lines` x the paper-length factor, less half the
// additional top margin (in half lines) rounded up; at least one line.
int LinesPerPage(int base_lines, double paper_length_factor, int additional_top_margin_half_lines);

// Cuts the body into pages of `lines_per_page` rows. A line with a double
// underline takes two rows; a blank line before a line is dropped at the top
// of a page; a page break starts a new page unless the page is still empty.
std::vector<StatementPage> Paginate(const std::vector<StatementBodyLine>& lines,
                                    int lines_per_page);

// The part of `description` printed on paper: what fits in the body font
// between the description column and the start of the first amount column.
std::string_view PrintedDescription(const StatementDocument& document,
                                    std::string_view description);

// Opens the print job, writes the statement and ends the job. False when the
// job could not be opened or completed.
bool WriteStatement(PrintJob& job, const StatementDocument& document);

}  // namespace zenkar

#endif  // ZENKAR_OUTPUT_STATEMENT_LAYOUT_H_
