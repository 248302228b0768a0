// The rules of the year clean-up over a whole transaction file, without the
// files: which lines removing the oldest year takes out and what they add up
// to, when a full file is cleaned up by itself, and which payees count as
// inactive.
//
// Unpaid invoices are open items: they carry no entry date (a voided check
// keeps its own), are never removed with a year and never enter its totals.
// The oldest year is the year of the earliest line that is not an unpaid
// invoice, and the removal takes every such line of that year wherever it
// stands in the file.
#ifndef ZENKAR_LEDGER_YEAR_CLEANUP_H_
#define ZENKAR_LEDGER_YEAR_CLEANUP_H_

#include <optional>
#include <string_view>
#include <vector>

#include "common/day_number.h"
#include "common/money.h"
#include "ledger/chart_of_accounts.h"
#include "ledger/recurring_entry_record.h"

namespace zenkar {

// With fewer payees than this the inactive ones are deleted by hand.
inline constexpr int kFewestPayeesForCleanup = 25;
// A payee whose lines are all at least this many days old is inactive.
inline constexpr int kInactivePayeeDays = 732;

inline constexpr std::string_view kOnlyUnpaidInvoices =
    "Only unpaid invoices were found, no entries removed.";
inline constexpr std::string_view kOnlyOneYear = "Only one year found, no entries removed.";
inline constexpr std::string_view kDeletedAccountsUnbalanced =
    "Journal Entries to deleted accounts in the oldest year are unbalanced. No entries will be "
    "removed.";
inline constexpr std::string_view kOldestYearUnbalanced =
    "Journal Entries in the oldest year are unbalanced. No entries will be removed.";

// The lines of the oldest year and their sums, every amount rounded to cents.
struct OldestYear {
  int year = 0;
  std::vector<int> record_numbers;  // ascending
  Money check_total;                // the check/deposit lines: the bank side, negated
  Money existing_total;             // the lines to accounts of the chart
  Money deleted_account_total;      // the journal lines to accounts not in the chart
  // What the lines posted to each account, by chart record number - 1.
  std::vector<Money> account_sums;
};

enum class OldestYearFinding {
  kFound,
  kOnlyUnpaidInvoices,  // nothing but unpaid invoices
  kOnlyOneYear,         // every line that is not an unpaid invoice is of one year
};

// Finds the oldest year's lines in `file_bytes` (whole records) with their
// sums against `chart`.
OldestYearFinding FindOldestYear(std::string_view file_bytes, const ChartOfAccounts& chart,
                                 OldestYear* found);

// The refusal the balance checks give the oldest year, or nothing when the
// lines may go: journal lines to deleted accounts must sum to zero, and the
// lines to existing accounts must come to the check/deposit total (the bank
// side of the checks balances those; everything else sums to zero).
std::optional<std::string_view> OldestYearImbalance(const OldestYear& oldest);

// The years of the earliest line that is not an unpaid invoice and of the
// latest dated line; nothing when every line is an unpaid invoice.
struct YearSpan {
  int first = 0;
  int last = 0;
};
std::optional<YearSpan> FindYearSpan(std::string_view file_bytes);

// A file holding more than the capacity is cleaned up by itself when its
// first year is a real one (1900 or later) and more than three years before
// its last.
bool AutomaticCleanupDue(int line_count, const std::optional<YearSpan>& span);

// The payees (ascending numbers from 1 to `payee_count`) that have no
// activity after `cut_off`: every line naming one is dated on or before it
// and is neither an unpaid invoice nor waiting to be printed, and no
// recurring entry names it. A line without a date keeps its payee.
std::vector<int> InactivePayees(std::string_view file_bytes,
                                const std::vector<RecurringEntryRecord>& recurring, int payee_count,
                                DayNumber cut_off);

}  // namespace zenkar

#endif  // ZENKAR_LEDGER_YEAR_CLEANUP_H_
