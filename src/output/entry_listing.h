// What the Transaction Listing, the Account Summary, the Last 50 Entries and
// the Unprinted Transactions share: their columns ("Description" 5, "Ref. /
// Check" 42, "Date" 49, "Acct" 58, "Amount" 76), the line of one entry and
// the totals block under the entries.
//
// An unpaid invoice shows "*INV" for its reference (in the Last 50 Entries
// "*DUE:" and its due date), and a "*" three columns right of the amount
// flags an entry that does not change the bank balance. With "Transaction
// Listing: Include Descriptions" an entry's memo follows on a second line.
#ifndef ZENKAR_OUTPUT_ENTRY_LISTING_H_
#define ZENKAR_OUTPUT_ENTRY_LISTING_H_

#include <string>
#include <vector>

#include "common/money.h"
#include "output/listing_books.h"
#include "output/listing_layout.h"

namespace zenkar {

// The totals of listed entries by kind.
struct EntryTotals {
  Money invoices;         // unpaid invoices
  Money checks_deposits;  // checks and deposits, as stored (from their accounts' side)
  Money bank_change;      // what the entries do to the bank balance
  Money journal;          // journal lines (zero when they balance)
};
EntryTotals TotalsOf(const std::vector<ListedLine>& lines, const CompanySettings& settings);

// A totals line: its label and amount, and the account number beside the
// label when it names one.
struct EntryTotal {
  std::string label;
  Money amount;
  std::string account;
};

// Where the totals block stands: labels at 42 and amounts at 76, or labels
// at 5 and amounts at 34.
enum class TotalsLayout { kUnderAmounts, kAtLeft };

// The four totals of a listing; `net_journal` names the last one "Journal
// Entries (Net)".
std::vector<EntryTotal> KindTotals(const EntryTotals& totals, const CompanySettings& settings,
                                   bool net_journal);

struct EntryListing {
  std::string job_title;
  std::string title;
  std::vector<std::string> heading_lines;
  std::vector<ListedLine> lines;
  // The amount each line shows; empty: the line's own amount.
  std::vector<Money> shown;
  bool due_dates = false;                  // invoices show "*DUE:" and their due date
  std::string_view invoice_mark = "*INV";  // an invoice's reference otherwise
  std::vector<EntryTotal> totals;
  TotalsLayout layout = TotalsLayout::kUnderAmounts;
  int base_lines_per_page = kTransactionListingLines;
};

// Writes the listing: its heading, an entry per line, the totals.
bool WriteEntryListing(ListingRun& run, const EntryListing& listing);

// Sorts `lines` into the order of the listing `report`: `proposed`, or the
// user's choice with "Reports: Sort Entries" ticked. False when cancelled.
bool SortForListing(ListingRun& run, std::string_view report, EntryOrder proposed,
                    std::vector<ListedLine>* lines);

}  // namespace zenkar

#endif  // ZENKAR_OUTPUT_ENTRY_LISTING_H_
