// "Transaction Report - Old Entries": the lines the oldest year's removal
// takes out of the books, printed before they go, in the listing's columns
// with unpaid invoices marked "**INV" and the totals by kind.
#ifndef ZENKAR_OUTPUT_OLD_ENTRIES_REPORT_H_
#define ZENKAR_OUTPUT_OLD_ENTRIES_REPORT_H_

#include <string_view>
#include <vector>

#include "ledger/transaction_record.h"
#include "output/listing_books.h"
#include "output/print_job.h"

namespace zenkar {

inline constexpr std::string_view kOldEntriesReportTitle = "Transaction Report - Old Entries";

// Writes the report of `removed` (in date order) through `job`, which it
// opens and ends: "Transactions Dated: " + first date + " - " + last date and
// "Report Printed: " + today under the title. False when nothing was written
// (reported).
bool PrintOldEntriesReport(const ListingBooks& books, PrintJob& job,
                           const std::vector<TransactionRecord>& removed);

}  // namespace zenkar

#endif  // ZENKAR_OUTPUT_OLD_ENTRIES_REPORT_H_
