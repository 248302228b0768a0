#include "output/transaction_listing.h"

#include "output/entry_listing.h"

namespace zenkar {

bool ReadPeriodEntries(const ListingBooks& books, const ReportPeriod& period,
                       std::vector<ListedLine>* lines) {
  return ReadListedLines(
      books,
      [&](const TransactionFacts& facts) {
        return facts.kind >= kJournalLine && facts.kind <= kInvoice &&
               InPeriod(ListingDate(facts), period);
      },
      lines);
}

bool PrintTransactionListing(ListingRun& run) {
  if (!CheckPeriodOrder(run.period, run.ui())) return false;
  EntryListing listing;
  if (!ReadPeriodEntries(run.books, run.period, &listing.lines)) return false;
  if (listing.lines.empty()) {
    run.ui().Error(NothingFoundMessage("transactions", run.period, run.dates()));
    return false;
  }
  if (!SortForListing(run, kTransactionListingLabel, EntryOrder::kDate, &listing.lines)) {
    return false;
  }
  listing.job_title = "Transaction-Listing";
  listing.title = "TRANSACTION LISTING";
  listing.heading_lines = PeriodLines(run.period);
  listing.totals =
      KindTotals(TotalsOf(listing.lines, run.books.settings), run.books.settings, false);
  if (!WriteEntryListing(run, listing)) return false;
  NotePrinted(run, listing.lines);
  return true;
}

}  // namespace zenkar
