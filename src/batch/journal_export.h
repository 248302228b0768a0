// The whole ledger as a plain-text journal that hledger and ledger-cli read.
//
// How the books map onto the journal:
//   - Each account is named by its number and description ("110 Checking
//     Account") and declared with its type (assets, cash for the bank account,
//     liabilities, equity for the capital account, revenue for the credit-
//     natured types 3, 5, 7, 9, expenses for 4, 6, 8). Lines naming a number
//     the chart lacks post to "NNNN Deleted from the chart", lines without a
//     number to "No account number".
//   - The balance forwards are one opening entry on the first day of the
//     accounting year of the oldest line.
//   - Each check or deposit is one transaction: its own account and the bank
//     account (bookkeeping.h), the payee as description, the reference as code.
//   - Journal lines with the same date and reference are one transaction.
//   - An entry that does not sum to zero (a journal group, the opening entry)
//     gets a posting to "Out of balance" of the difference, so every journal
//     transaction balances and the books' difference stays visible.
//   - Unpaid invoices only on the accrual basis, against Accounts Payable.
// Amounts are signed from the account's side (debits positive), exactly as
// stored, so each account's closing balance is its balance in the books.
#ifndef ZENKAR_BATCH_JOURNAL_EXPORT_H_
#define ZENKAR_BATCH_JOURNAL_EXPORT_H_

#include <string>

#include "common/day_number.h"
#include "ledger/ledger.h"

namespace zenkar {

inline constexpr std::string_view kOutOfBalanceAccount = "Out of balance";

struct JournalOptions {
  // Unpaid invoices post to their account against Accounts Payable.
  bool accrual = false;
  // The export date in the heading, and the opening date of books without
  // dated lines.
  DayNumber today = kNoDate;
};

// A line whose date (or an unpaid invoice's due date) lies outside 1 January
// 100 to 31 December 9999: the books are damaged there and the journal would
// hold a date no reader takes.
struct ImpossibleDate {
  int record_number = 0;  // in the transaction file, from 1
  DayNumber day = kNoDate;
};
// Names the first such line and how many `more` dates are impossible.
std::string ImpossibleDateMessage(const ImpossibleDate& first, int more);

// Writes the journal of the loaded books (UTF-8). False when the transactions
// could not be read or a date the journal would hold is impossible
// (reported through the ledger's Ui); `journal` is then left as it was.
bool ExportJournal(Ledger& ledger, const JournalOptions& options, std::string* journal);

}  // namespace zenkar

#endif  // ZENKAR_BATCH_JOURNAL_EXPORT_H_
