#include "output/unprinted_transactions.h"

#include "output/entry_listing.h"

namespace zenkar {

bool ReadUnprintedEntries(const ListingBooks& books, std::vector<ListedLine>* lines) {
  return ReadListedLines(
      books,
      [](const TransactionFacts& facts) {
        return (facts.kind == kJournalLine || facts.kind == kCheckOrDeposit) &&
               facts.unprinted != 0;
      },
      lines);
}

bool PrintUnprintedTransactions(ListingRun& run) {
  EntryListing listing;
  run.ui().SetProgress(kSearchingForUnprinted, 0, 0);
  const bool read = ReadUnprintedEntries(run.books, &listing.lines);
  run.ui().ClearProgress();
  if (!read) return false;
  if (listing.lines.empty()) {
    run.ui().Information(kAllEntriesPrinted);
    return false;
  }
  if (!SortForListing(run, kUnprintedTransactionsLabel, EntryOrder::kOrderEntered,
                      &listing.lines)) {
    return false;
  }
  listing.job_title = "Unprinted-Transactions";
  listing.title = "UNPRINTED TRANSACTIONS";
  listing.heading_lines = {
      "Check, Deposit, and Journal Entries not PRINTED on a General Ledger or Transaction Listing",
      "since being added or edited. Includes entries which follow any deleted entry."};
  listing.totals = KindTotals(TotalsOf(listing.lines, run.books.settings), run.books.settings,
                              /*net_journal=*/true);
  listing.layout = TotalsLayout::kAtLeft;
  return WriteEntryListing(run, listing);
}

}  // namespace zenkar
