// The "Transaction Listing": every entry of the period (journal lines,
// checks and deposits, unpaid invoices by their invoice date) in the order
// chosen, with the totals of each kind. Printing it marks its lines printed
// once the document went out (the report run does that).
#ifndef ZENKAR_OUTPUT_TRANSACTION_LISTING_H_
#define ZENKAR_OUTPUT_TRANSACTION_LISTING_H_

#include <vector>

#include "output/listing_books.h"

namespace zenkar {

inline constexpr std::string_view kTransactionListingLabel = "Transaction Listing";

// The entries of the period, in file order. False when the file could not be
// read (reported).
bool ReadPeriodEntries(const ListingBooks& books, const ReportPeriod& period,
                       std::vector<ListedLine>* lines);

bool PrintTransactionListing(ListingRun& run);

}  // namespace zenkar

#endif  // ZENKAR_OUTPUT_TRANSACTION_LISTING_H_
