// "Unprinted Transactions": every check, deposit and journal line that has
// not been printed on a General Ledger or Transaction Listing since it was
// made, edited or moved.
#ifndef ZENKAR_OUTPUT_UNPRINTED_TRANSACTIONS_H_
#define ZENKAR_OUTPUT_UNPRINTED_TRANSACTIONS_H_

#include <string_view>
#include <vector>

#include "output/listing_books.h"

namespace zenkar {

inline constexpr std::string_view kUnprintedTransactionsLabel = "Unprinted Transactions";
inline constexpr std::string_view kSearchingForUnprinted = "Searching For Unprinted Entries";
inline constexpr std::string_view kAllEntriesPrinted =
    "All entries have been printed on a General Ledger or Transaction Listing";

// The unprinted entries, in file order. False when the file could not be
// read (reported).
bool ReadUnprintedEntries(const ListingBooks& books, std::vector<ListedLine>* lines);

bool PrintUnprintedTransactions(ListingRun& run);

}  // namespace zenkar

#endif  // ZENKAR_OUTPUT_UNPRINTED_TRANSACTIONS_H_
