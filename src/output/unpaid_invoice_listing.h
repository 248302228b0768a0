// The "Unpaid Invoice Listing": every unpaid invoice, by due date unless the
// user sorts them, with the sum due on each date and the totals "Past Due"
// (due before today), "Due Today" and "Total Unpaid".
#ifndef ZENKAR_OUTPUT_UNPAID_INVOICE_LISTING_H_
#define ZENKAR_OUTPUT_UNPAID_INVOICE_LISTING_H_

#include <string_view>
#include <vector>

#include "output/listing_books.h"

namespace zenkar {

inline constexpr std::string_view kUnpaidInvoiceListingLabel = "Unpaid Invoice Listing";
inline constexpr std::string_view kNoUnpaidInvoices = "There are no Invoices (unpaid entries).";

struct UnpaidInvoiceListing {
  std::vector<ListedLine> lines;
  // By line: the sum due on its date, on the last line of a run of lines due
  // the same day; otherwise none.
  std::vector<std::optional<Money>> date_sums;
  Money past_due;
  Money due_today;
  Money total;
};

// The figures of `lines` (unpaid invoices in the listing's order) on `today`.
UnpaidInvoiceListing SumUnpaidInvoices(std::vector<ListedLine> lines, DayNumber today);

bool PrintUnpaidInvoiceListing(ListingRun& run);

}  // namespace zenkar

#endif  // ZENKAR_OUTPUT_UNPAID_INVOICE_LISTING_H_
