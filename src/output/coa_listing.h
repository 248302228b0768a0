// The "COA Listing": every account of the chart with its code (account
// type, total level and title type, as "6-1-0") and its balance forward.
#ifndef ZENKAR_OUTPUT_COA_LISTING_H_
#define ZENKAR_OUTPUT_COA_LISTING_H_

#include <string>
#include <string_view>

#include "ledger/account_record.h"
#include "output/listing_books.h"

namespace zenkar {

inline constexpr std::string_view kCoaListingLabel = "COA Listing";
inline constexpr std::string_view kNoChartFound = "No chart of accounts found";

// "type-level-title": "6-1-0" for an operating expense entry account.
std::string AccountCode(const AccountRecord& account);

bool PrintCoaListing(ListingRun& run);

}  // namespace zenkar

#endif  // ZENKAR_OUTPUT_COA_LISTING_H_
