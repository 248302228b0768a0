#include "output/unpaid_invoice_listing.h"

#include "output/listing_layout.h"

namespace zenkar {
namespace {

constexpr double kNameColumn = 5;
constexpr double kDueColumn = 27;
constexpr double kInvoiceColumn = 36;
constexpr double kAccountColumn = 52;
constexpr double kAmountColumn = 65;
constexpr double kDateSumColumn = 78;

enum RowKind { kInvoiceRow, kTotalRow };

std::vector<ListingColumn> Columns() {
  return {{1, kNameColumn, "Name", 1},
          {0, kDueColumn, "Due", 2},
          {1, kDueColumn, "Date", 2},
          {0, kInvoiceColumn, "Invoice", 3},
          {1, kInvoiceColumn, "Number", 3},
          {1, kAccountColumn, "Acct", 4},
          {0, kAmountColumn, "Invoice", 5, ReportAlign::kRight},
          {1, kAmountColumn, "Amount", 5, ReportAlign::kRight},
          {0, kDateSumColumn, "Amount Due", 6, ReportAlign::kRight},
          {1, kDateSumColumn, "Each Date", 6, ReportAlign::kRight}};
}

}  // namespace

UnpaidInvoiceListing SumUnpaidInvoices(std::vector<ListedLine> lines, DayNumber today) {
  UnpaidInvoiceListing listing;
  listing.lines = std::move(lines);
  listing.date_sums.resize(listing.lines.size());
  Money run;
  for (size_t i = 0; i < listing.lines.size(); ++i) {
    const ListedLine& line = listing.lines[i];
    const Money amount = line.amount.RoundedToCents();
    run += amount;
    listing.total += amount;
    if (line.due_date != kNoDate && line.due_date < today) listing.past_due += amount;
    if (line.due_date == today) listing.due_today += amount;
    const bool last_of_date =
        i + 1 == listing.lines.size() || listing.lines[i + 1].due_date != line.due_date;
    if (last_of_date) {
      listing.date_sums[i] = run;
      run = Money();
    }
  }
  return listing;
}

bool PrintUnpaidInvoiceListing(ListingRun& run) {
  std::vector<ListedLine> lines;
  if (!ReadListedLines(
          run.books, [](const TransactionFacts& facts) { return facts.kind == kInvoice; },
          &lines)) {
    return false;
  }
  if (lines.empty()) {
    run.ui().Information(kNoUnpaidInvoices);
    return false;
  }
  const std::optional<EntryOrder> order =
      ChosenOrder(run, kUnpaidInvoiceListingLabel, EntryOrder::kDueDate);
  if (!order) return false;
  SortListedLines(lines, *order, run.books.payees, kUnpaidInvoiceListingLabel, run.ui());
  const UnpaidInvoiceListing listing = SumUnpaidInvoices(std::move(lines), run.today());

  ListingDocument document;
  document.job_title = "Unpaid-Invoice-Listing";
  document.heading = ListingHeadingOf("UNPAID INVOICE LISTING", run.books.settings.name_line_1,
                                      {"As of " + LongDate(run.today())});
  document.heading.columns = Columns();
  document.shading_bars = run.options.use_shading_bars;
  for (int i = 0; i < static_cast<int>(listing.lines.size()); ++i) {
    document.rows.push_back({kInvoiceRow, i, 1, false, true});
  }
  for (int i = 0; i < 3; ++i) document.rows.push_back({kTotalRow, i, 1, i == 0, false});
  const PayeeList& payees = run.books.payees;
  const DatePatterns& dates = run.dates();
  document.render = [&](const ListingRow& row, ListingLineWriter& w) {
    if (row.kind == kTotalRow) {
      static constexpr std::string_view kLabels[] = {"Past Due", "Due Today", "Total Unpaid"};
      const Money amounts[] = {listing.past_due, listing.due_today, listing.total};
      if (row.index == 0) w.RuleAbove(kDateSumColumn - kAmountWidth, kDateSumColumn);
      w.Text(kAmountColumn, kLabels[row.index], 5, ReportAlign::kRight);
      w.Amount(kDateSumColumn, amounts[row.index], 6);
      return;
    }
    const ListedLine& line = listing.lines[row.index];
    w.Text(kNameColumn, PayeeTextOf(line, payees), 1, ReportAlign::kLeft, kDueColumn);
    w.Text(kDueColumn, ListingDateText(line.due_date, dates), 2, ReportAlign::kLeft,
           kInvoiceColumn);
    w.Text(kInvoiceColumn, line.invoice_number, 3, ReportAlign::kLeft, kAccountColumn);
    w.Text(kAccountColumn, AccountText(line.account), 4, ReportAlign::kLeft,
           kAmountColumn - kAmountWidth);
    w.Amount(kAmountColumn, line.amount, 5);
    if (listing.date_sums[row.index]) w.Amount(kDateSumColumn, *listing.date_sums[row.index], 6);
  };
  return WriteListing(run.job, document);
}

}  // namespace zenkar
