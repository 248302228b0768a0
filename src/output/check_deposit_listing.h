// The "Check and Deposit Listing": one line per check or deposit of the
// period. The lines of one check (one reference, listed one after another:
// the invoices a check paid, a loan payment split between two accounts) are
// printed once with their total and a line counting the items; a column
// whose values differ among them shows "*Multiple Payees", "*Multiple" (the
// invoice), "Multiple Dates", or "****" for the account.
#ifndef ZENKAR_OUTPUT_CHECK_DEPOSIT_LISTING_H_
#define ZENKAR_OUTPUT_CHECK_DEPOSIT_LISTING_H_

#include <string>
#include <string_view>
#include <vector>

#include "output/listing_books.h"

namespace zenkar {

inline constexpr std::string_view kCheckDepositListingLabel = "Check and Deposit Listing";

struct ListedCheck {
  std::string reference;
  std::string payee;
  std::string invoice;
  DayNumber date = kNoDate;
  bool multiple_dates = false;
  std::string account;
  Money amount;
  int items = 1;
};

struct CheckDepositListing {
  std::vector<ListedCheck> checks;
  int items = 0;
  Money total;
};

// Groups `lines` (checks and deposits, in the listing's order) into checks.
CheckDepositListing GroupChecks(const std::vector<ListedLine>& lines, const PayeeList& payees);

bool PrintCheckDepositListing(ListingRun& run);

}  // namespace zenkar

#endif  // ZENKAR_OUTPUT_CHECK_DEPOSIT_LISTING_H_
