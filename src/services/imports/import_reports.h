// The reports the imports print of what they put into the books:
// "Receivables-Import" and "Paycheck-Import", through the report framework
// (the printer, or a PDF document).
//
// Each is a listing: a heading naming the date of the import and the page,
// column captions, one row per line imported, and for the paychecks the
// totals of the checks imported.
#ifndef ZENKAR_SERVICES_IMPORTS_IMPORT_REPORTS_H_
#define ZENKAR_SERVICES_IMPORTS_IMPORT_REPORTS_H_

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/date_patterns.h"
#include "common/day_number.h"
#include "common/money.h"
#include "output/print_job.h"

namespace zenkar {

inline constexpr std::string_view kReceivablesReportTitle = "Receivables-Import";
inline constexpr std::string_view kPaycheckReportTitle = "Paycheck-Import";

// One cell of a listing: a text, or an amount written right-aligned. A
// row is written as a list of texts and amounts, so both convert.
struct ImportCell {
  ImportCell() = default;
  ImportCell(std::string text) : text(std::move(text)) {}
  ImportCell(Money amount) : amount(amount) {}
  std::string text;
  std::optional<Money> amount;
};

struct ImportColumn {
  std::string caption;
  double column = 0;  // the left edge of a text, the right edge of an amount
  bool amount = false;
};

struct ListingReport {
  std::string title;    // the print job's and the document's name
  std::string heading;  // the page number follows: heading + " - Page " + n
  std::vector<ImportColumn> columns;
  std::vector<std::vector<ImportCell>> rows;    // one cell per column
  std::vector<std::vector<ImportCell>> totals;  // after the rows, below a blank row
};

// Writes the listing as one print job; false when it could not be opened or
// completed (reported by the framework).
bool PrintListingReport(PrintJob& job, const ListingReport& report);

// A line of the receivables import: its date, description, account, amount.
struct ImportedLine {
  DayNumber date = kNoDate;
  std::string reference;  // the check number of a paycheck
  std::string description;
  std::string account;
  Money amount;
};

// "Imported from Accounts Receivable: " + date, columns "DATE ",
// "DESCRIPTION", "ACCT", "AMOUNT".
ListingReport ReceivablesImportReport(const std::vector<ImportedLine>& lines, DayNumber today,
                                      const DatePatterns& dates);

// The figures of the paychecks imported.
struct PaycheckTotals {
  Money gross_pay;
  Money deductions;
  Money net_pay;
};

// "Paychecks Imported: " + date, columns "CHECK", "DATE", "EMPLOYEE", "ACCT",
// "AMOUNT", then "Gross Pay", "Employee Deductions" and "Net Pay".
ListingReport PaycheckImportReport(const std::vector<ImportedLine>& lines,
                                   const PaycheckTotals& totals, DayNumber today,
                                   const DatePatterns& dates);

}  // namespace zenkar

#endif  // ZENKAR_SERVICES_IMPORTS_IMPORT_REPORTS_H_
