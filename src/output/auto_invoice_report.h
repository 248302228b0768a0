// "Auto Invoices and Checks": the report of what "Auto Invoice" posted, the
// entries from the first new one to the end of the file in the listing's
// columns, unpaid invoices with "*DUE:" and their due date, and the totals
// by kind.
#ifndef ZENKAR_OUTPUT_AUTO_INVOICE_REPORT_H_
#define ZENKAR_OUTPUT_AUTO_INVOICE_REPORT_H_

#include <string_view>

#include "ledger/ledger.h"
#include "output/print_job.h"

namespace zenkar {

inline constexpr std::string_view kAutoInvoicesReportTitle = "Auto Invoices and Checks";

// Writes the report of the lines from record `first_record` on through `job`
// (which it opens and ends), with the shading bars and descriptions the
// company's report options choose. False when nothing was written
// (reported).
bool PrintAutoInvoicesReport(const Ledger& ledger, PrintJob& job, int first_record);

}  // namespace zenkar

#endif  // ZENKAR_OUTPUT_AUTO_INVOICE_REPORT_H_
