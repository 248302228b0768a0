// The pages of the ledger and listing reports, and their writing through the
// output primitives.
//
// A listing is a heading block and body rows. The heading: the title centred,
// the company, the report's own centred lines (the period, title lines), then
// "Prepared: " with today's date at the left and "Page n of m" at the right,
// then one or two rows of column headings. The body is a list of rows that
// the report describes by its own numbers (ListingRow) and renders itself
// when the row is written: a ledger of 100,000 lines is never held as texts,
// only as the figures behind it.
//
// The rows are cut into pages of the report's lines per page before anything
// is written, so "Page n of m" counts the pages the body really takes. With
// "Reports: Use Shading Bars" every other entry row of a page lies on a light
// grey band. On the Text target the heading is written once, as lines of
// fields, and the body without pages; texts are not cut there.
#ifndef ZENKAR_OUTPUT_LISTING_LAYOUT_H_
#define ZENKAR_OUTPUT_LISTING_LAYOUT_H_

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "common/money.h"
#include "output/print_job.h"

namespace zenkar {

// Lines per page of the listings (the integer part of this times the paper
// factor, less the top margin; statement_layout.h LinesPerPage).
inline constexpr int kTransactionListingLines = 49;
inline constexpr int kCheckListingLines = 53;
inline constexpr int kTrialBalanceLines = 54;
inline constexpr int kGeneralLedgerLines = 55;
// The listings that the report framework gives no base of their own.
inline constexpr int kOtherListingLines = 55;

inline constexpr double kListingFontSize = 9;
inline constexpr double kListingLeftColumn = 5;
inline constexpr double kListingRightColumn = 78;
// How many columns the widest amount of a column takes left of its right
// edge: where a text before it is cut, and how long its underlines are.
inline constexpr double kAmountWidth = 9;

// One column heading; `row` 0 or 1 for the upper or lower of two rows.
struct ListingColumn {
  int row = 0;
  double column = 0;
  std::string text;
  int field = 1;  // CSV field
  ReportAlign align = ReportAlign::kLeft;
};

struct ListingHeading {
  std::string title;
  std::string company;
  std::vector<std::string> lines;  // centred under the company
  std::vector<ListingColumn> columns;
};

// One body row as the report knows it; `kind` and `index` are the report's.
struct ListingRow {
  int kind = 0;
  int index = 0;
  int height = 1;             // rows it takes (a second description line: 2)
  bool blank_before = false;  // a blank row before it, dropped at the top of a page
  bool entry = false;         // an entry line: shaded in turn with the others
};

// What a report writes one row with: texts and amounts at columns of the
// row, or fields of the CSV line.
class ListingLineWriter {
 public:
  ListingLineWriter(PrintJob& job, double row) : job_(job), row_(row) {}

  // `text` at `column`. On paper it is cut to its first `length` characters
  // and to end half a column before `next` (0: not cut); the CSV keeps it
  // whole.
  void Text(double column, std::string_view text, int field, ReportAlign align = ReportAlign::kLeft,
            double next = 0, size_t length = std::string_view::npos);
  // `amount` right-aligned at `column` in number style -4 ("#,##0.00;(...)").
  void Amount(double column, Money amount, int field);
  // The same text in bold.
  void Bold(double column, std::string_view text, int field,
            ReportAlign align = ReportAlign::kLeft);
  // A single or double line under the row from `first` to `last`, or the
  // single line under the row before (above this one's amounts).
  void Underline(double first, double last, bool double_line = false);
  void RuleAbove(double first, double last);
  // Moves to the row below (a row of height 2); ends the CSV line.
  void NextLine();

 private:
  PrintJob& job_;
  double row_;
};

struct ListingDocument {
  std::string job_title;  // the print job's and the file's name
  ListingHeading heading;
  std::vector<ListingRow> rows;
  int base_lines_per_page = kOtherListingLines;
  bool shading_bars = false;
  // Writes one row.
  std::function<void(const ListingRow&, ListingLineWriter&)> render;
};

// Where each row lands: its row counted from the first body row, and its
// index in the document's rows.
struct PlacedRow {
  int row = 0;
  int index = 0;
  friend bool operator==(const PlacedRow&, const PlacedRow&) = default;
};
using ListingPage = std::vector<PlacedRow>;

// Cuts the rows into pages of `lines_per_page` rows; a blank row before a
// row is dropped at the top of a page, and a row never runs over a page end.
std::vector<ListingPage> PaginateListing(const std::vector<ListingRow>& rows, int lines_per_page);

// The heading of a listing: the title, the company's first name line and the
// report's centred lines.
ListingHeading ListingHeadingOf(std::string title, const std::string& company_name,
                                std::vector<std::string> lines);

// One amount of a totals line: its column, its amount and its CSV field.
struct TotalAmount {
  double column = 0;
  Money amount;
  int field = 1;
};
// "TOTALS FOR ALL ACCOUNTS" in bold at `label_column` with its amounts, a rule
// above each amount and a double line under it.
void WriteAllAccountsTotals(ListingLineWriter& w, double label_column, int label_field,
                            const std::vector<TotalAmount>& amounts);

// The heading block of one page, as every listing page starts (the charts
// put their pictures under it), and the row where the body under it begins.
void WriteListingHeading(PrintJob& job, const ListingHeading& heading, int page, int pages);
double ListingBodyTop(const ListingHeading& heading);

// Opens the print job, writes the listing and ends the job. False when the
// job could not be opened or completed.
bool WriteListing(PrintJob& job, const ListingDocument& document);

}  // namespace zenkar

#endif  // ZENKAR_OUTPUT_LISTING_LAYOUT_H_
