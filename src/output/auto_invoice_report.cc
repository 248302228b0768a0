#include "output/auto_invoice_report.h"

#include "output/entry_listing.h"
#include "output/listing_books.h"

namespace zenkar {

bool PrintAutoInvoicesReport(const Ledger& ledger, PrintJob& job, int first_record) {
  const ListingBooks books = ListingBooksOf(ledger);
  ReportOptions options;
  options.use_shading_bars = ledger.settings().use_shading_bars != 0;
  options.include_descriptions = ledger.settings().transaction_listing_long != 0;
  const DayNumber today = job.services().clock.Today();
  ListingRun run{books, job, DatePeriod(today), options};
  EntryListing listing;
  if (!books.records([&](int number, std::string_view record) {
        if (number >= first_record) listing.lines.push_back(ReadListedLine(number, record));
      })) {
    return false;
  }
  listing.job_title = "Auto-Invoices-and-Checks";
  listing.title = "AUTO INVOICES AND CHECKS";
  listing.due_dates = true;
  listing.totals = KindTotals(TotalsOf(listing.lines, ledger.settings()), ledger.settings(),
                              /*net_journal=*/true);
  listing.layout = TotalsLayout::kAtLeft;
  return WriteEntryListing(run, listing);
}

}  // namespace zenkar
