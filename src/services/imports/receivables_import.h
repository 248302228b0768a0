// ImportReceivables: the new charges and payments of Zenkar Accounts
// Receivable (KXAREC.CHG) become journal lines of the books.
//
// Each new record posts minus its amount (to the cent) to the ledger account
// of its sales code (KXAREC.DES); the lines are merged by account, and one
// "Balance Change" line posts the sum of the amounts to the setup's Accounts
// Receivable account, so the entry balances. The records' imported flags
// are written back in the same change of the books, and the report
// "Receivables-Import" lists the lines.
#ifndef ZENKAR_SERVICES_IMPORTS_RECEIVABLES_IMPORT_H_
#define ZENKAR_SERVICES_IMPORTS_RECEIVABLES_IMPORT_H_

#include <string_view>
#include <vector>

#include "ledger/ledger.h"
#include "services/imports/companion_import.h"
#include "services/imports/companion_records.h"

namespace zenkar {

inline constexpr std::string_view kReceivablesProgram = "Zenkar Accounts Receivable";
inline constexpr std::string_view kReceivablesNotFound =
    "Zenkar Accounts Receivable data not found in:";
inline constexpr std::string_view kReceivablesSetupNotFound =
    "Zenkar Accounts Receivable data (setup) not found in:";
inline constexpr std::string_view kCloseReceivables =
    "Close Zenkar Accounts Receivable before trying to import.";
inline constexpr std::string_view kInvalidReceivablesSetup =
    "Invalid Accounts Receivable Setup File";
inline constexpr std::string_view kInvalidSalesCodeFile = "Invalid Sales Code File";
inline constexpr std::string_view kInvalidChargesFile = "Invalid Charges and Payments File";
inline constexpr std::string_view kNoNewReceivables =
    "No new Accounts Receivable entries to import";
inline constexpr std::string_view kInvalidReceivablesAccount =
    "The Accounts Receivable entered on the 'Setup' screen is not a valid entry account.";
inline constexpr std::string_view kImportReceivablesQuestion =
    "Import charges and payments from Accounts Receivable?";
inline constexpr std::string_view kImportCanceled = "Import canceled";
inline constexpr std::string_view kBalanceChange = "Balance Change";
inline constexpr std::string_view kReceivablesReference = "AR";

// A record is new when it lies no more than this many days before the last
// record and was never imported.
inline constexpr int kReceivablesWindowDays = 181;

// The positions of the new records in `charges`, newest first: from the
// last record backwards while a record's date is no more than 181 days
// before the last record's, those with the imported flag 0.
std::vector<size_t> NewCharges(const std::vector<ChargeRecord>& charges);

// The ledger lines of the taken records, merged by account (in account
// order, each merged into the first line of its account), and the
// "Balance Change" line to `receivables_account` after them; or the message
// that stops the import (an unknown sales code, a code posting to an
// account that is not an entry account, amounts beyond what an entry may
// hold).
struct ReceivablesLines {
  std::vector<TransactionRecord> lines;
  std::string refusal;  // empty when the lines were made
};
ReceivablesLines BuildReceivablesLines(const Ledger& ledger,
                                       const std::vector<ChargeRecord>& charges,
                                       const std::vector<size_t>& taken,
                                       const std::vector<SalesCodeRecord>& sales_codes,
                                       DayNumber today);

// Runs the import. At start-up nothing is asked and nothing is said: any
// problem ends it as if there were nothing to import.
ImportOutcome ImportReceivables(ImportEnvironment& env, ImportMode mode);

}  // namespace zenkar

#endif  // ZENKAR_SERVICES_IMPORTS_RECEIVABLES_IMPORT_H_
