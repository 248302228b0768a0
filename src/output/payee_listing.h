// The "Payee Listing": each payee's name and address (with "Payee List Long"
// its phone and memo too), what it is owed unpaid and what was paid to it in
// the period's year; then the names on entries that no payee holds any more
// ("DELETED PAYEES"), and the totals.
#ifndef ZENKAR_OUTPUT_PAYEE_LISTING_H_
#define ZENKAR_OUTPUT_PAYEE_LISTING_H_

#include <string>
#include <string_view>
#include <vector>

#include "output/listing_books.h"

namespace zenkar {

inline constexpr std::string_view kPayeeListingLabel = "Payee Listing";

struct ListedPayee {
  std::vector<std::string> lines;  // name and address lines, without blanks
  Money unpaid;
  Money paid;
  bool deleted = false;  // a name on entries that no payee holds
};

struct PayeeListing {
  int year = 0;
  std::vector<ListedPayee> payees;  // the payees in number order, then the deleted ones by name
  Money unpaid;
  Money paid;
};

// The figures for the calendar year `year`; `long_listing` adds phones and
// memos. False when the file could not be read (reported).
bool ComputePayeeListing(const ListingBooks& books, int year, bool long_listing,
                         PayeeListing* listing);

bool PrintPayeeListing(ListingRun& run);

}  // namespace zenkar

#endif  // ZENKAR_OUTPUT_PAYEE_LISTING_H_
