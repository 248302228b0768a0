#include "output/old_entries_report.h"

#include "output/entry_listing.h"
#include "output/listing_books.h"

namespace zenkar {

bool PrintOldEntriesReport(const ListingBooks& books, PrintJob& job,
                           const std::vector<TransactionRecord>& removed) {
  ReportOptions options;
  options.use_shading_bars = books.settings.use_shading_bars != 0;
  options.include_descriptions = books.settings.transaction_listing_long != 0;
  const DayNumber today = job.services().clock.Today();
  ListingRun run{books, job, DatePeriod(today), options};
  EntryListing listing;
  for (const TransactionRecord& line : removed) {
    listing.lines.push_back(ReadListedLine(line.record_number, line.Encode()));
  }
  const DatePatterns& dates = run.dates();
  const std::string first = removed.empty() ? "" : ListingDateText(removed.front().date, dates);
  const std::string last = removed.empty() ? "" : ListingDateText(removed.back().date, dates);
  listing.job_title = "Transaction-Report-Old-Entries";
  listing.title = std::string(kOldEntriesReportTitle);
  listing.heading_lines = {"Transactions Dated: " + first + " - " + last,
                           "Report Printed: " + ListingDateText(today, dates)};
  listing.invoice_mark = "**INV";
  listing.totals = KindTotals(TotalsOf(listing.lines, books.settings), books.settings,
                              /*net_journal=*/true);
  return WriteEntryListing(run, listing);
}

}  // namespace zenkar
