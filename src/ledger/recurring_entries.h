// The rules of the recurring entries: what makes a template faulty, and the
// transaction lines that posting a month makes of the templates.
//
// Posting itself is a Ledger operation (Ledger::PostRecurringEntries): it
// holds the folder's writing lock from the validation to the last line, so
// the templates are checked against the books they are posted into.
#ifndef ZENKAR_LEDGER_RECURRING_ENTRIES_H_
#define ZENKAR_LEDGER_RECURRING_ENTRIES_H_

#include <string>
#include <string_view>
#include <vector>

#include "common/ui.h"
#include "ledger/chart_of_accounts.h"
#include "ledger/company_settings.h"
#include "ledger/payee_list.h"
#include "ledger/recurring_entry_record.h"
#include "ledger/transaction_record.h"

namespace zenkar {

inline constexpr std::string_view kNothingToPost = "Nothing to post, no recurring entries found.";
inline constexpr std::string_view kRecurringEntriesPosted = "Recurring entries have been posted.";
inline constexpr std::string_view kSelectMonthAndYear =
    "Select Month and Year for Recurring Entries";

// The faults of one template, each as its message, in the order of the
// rules: the payee number (beyond the payees; the name saved differs from
// the payee's), a check or deposit's payee and account, a journal entry's
// accounts, a kind that is neither, and an amount beyond kLargestAmount.
std::vector<std::string> RecurringEntryFaults(const RecurringEntryRecord& entry,
                                              const ChartOfAccounts& chart, const PayeeList& payees,
                                              const CompanySettings& settings);

// Shows every fault of every template in record order, each under a line
// naming its template; returns how many there were. Posting goes on only
// when there were none.
int ValidateRecurringEntries(const std::vector<RecurringEntryRecord>& entries,
                             const ChartOfAccounts& chart, const PayeeList& payees,
                             const CompanySettings& settings, Ui& ui);

// "Recurring entry " + number + " (" + its description or payee + "):".
std::string RecurringEntryHeading(int number, const RecurringEntryRecord& entry);

// The day a template of `day` posts on in `month` of `year`: below 1 the 1st,
// beyond the month's last day that last day.
DayNumber PostingDate(int year, int month, int32_t day);

// The lines posting `month` of `year` makes from templates without faults,
// in template order: each
// template's line (its kind, description as payee text -- the payee's name
// when it is blank and a payee is named --, account, reference, payee number
// and amount), and after a journal entry's line its reversing line (the
// reversing account and the negated amount).
std::vector<TransactionRecord> RecurringLinesForMonth(
    const std::vector<RecurringEntryRecord>& entries, int year, int month, const PayeeList& payees);

// True when `line` is one of the posted lines `planned`: the same kind,
// account, reference, amount and date.
bool SamePostedLine(const TransactionRecord& planned, const TransactionRecord& line);

// The question asked when `found` of the `lines` a posting makes are in the
// books already (the month was posted before).
std::string AlreadyPostedQuestion(int year, int month, int found, int lines);

// A chart account renumbered from `from` to `to`: every template's account
// and reversing account that named it follows. False when none did.
bool RenumberRecurringAccounts(std::vector<RecurringEntryRecord>& entries, std::string_view from,
                               std::string_view to);
// Payee `number` renamed to `payee`: the name lines its templates saved
// follow, so the templates still match their payee. False when none did.
bool RenameRecurringPayee(std::vector<RecurringEntryRecord>& entries, int number,
                          const PayeeRecord& payee);

}  // namespace zenkar

#endif  // ZENKAR_LEDGER_RECURRING_ENTRIES_H_
