// The year clean-up of the Ledger: removing the oldest year while every
// account keeps its balance, deleting every transaction, and deleting the
// payees that have been idle for two years. Each is one change of the books
// through the rewrite of several files, so a failure or a crash leaves the
// books as they were or wholly changed.
#include <algorithm>
#include <utility>

#include "common/file_set_rewrite.h"
#include "ledger/ledger.h"
#include "ledger/reconciliation_item.h"
#include "ledger/recurring_entries.h"
#include "ledger/year_cleanup.h"

namespace zenkar {
namespace {

constexpr size_t kLength = kTransactionRecordLength;

// The lines `numbers` of a whole file, in date order (ties in the order
// entered).
std::vector<TransactionRecord> LinesInDateOrder(std::string_view file_bytes,
                                                const std::vector<int>& numbers) {
  std::vector<TransactionRecord> lines;
  lines.reserve(numbers.size());
  for (int number : numbers) {
    TransactionRecord line = TransactionRecord::Decode(
        file_bytes.substr(static_cast<size_t>(number - 1) * kLength, kLength));
    line.record_number = number;
    lines.push_back(std::move(line));
  }
  std::stable_sort(
      lines.begin(), lines.end(), [](const TransactionRecord& a, const TransactionRecord& b) {
        return a.date != b.date ? a.date < b.date : a.entry_sequence < b.entry_sequence;
      });
  return lines;
}

// The balance forwards after the oldest year leaves: each account takes what
// its lines posted, and the bank's is lowered by the check/deposit total.
std::vector<Money> ForwardsAfter(const ChartOfAccounts& chart, const OldestYear& oldest, int bank) {
  std::vector<Money> forwards;
  for (int n = 1; n <= chart.count(); ++n) {
    Money forward = chart.account(n).balance_forward + oldest.account_sums[n - 1];
    if (n == bank) forward -= oldest.check_total;
    forwards.push_back(forward);
  }
  return forwards;
}

}  // namespace

YearRemoval Ledger::RemoveOldestYear(const OldEntriesReport& report) {
  if (!is_loaded() || transaction_count() < 2) return YearRemoval::kRefused;
  Change change(*this);
  if (!change.ok() || !ReadWholeTransactionFile()) return YearRemoval::kFailed;
  OldestYear oldest;
  switch (FindOldestYear(whole_file_, chart_, &oldest)) {
    case OldestYearFinding::kOnlyUnpaidInvoices:
      ui_.Error(kOnlyUnpaidInvoices);
      return YearRemoval::kRefused;
    case OldestYearFinding::kOnlyOneYear:
      ui_.Error(kOnlyOneYear);
      return YearRemoval::kRefused;
    case OldestYearFinding::kFound:
      break;
  }
  if (const std::optional<std::string_view> imbalance = OldestYearImbalance(oldest)) {
    ui_.Error(*imbalance);
    return YearRemoval::kRefused;
  }
  const int bank = chart_.FindAccount(settings_.bank_account);
  if (bank == 0 && !oldest.check_total.IsZero()) {
    ui_.Error(kInvalidBankAccount);
    return YearRemoval::kRefused;
  }
  const std::vector<Money> forwards = ForwardsAfter(chart_, oldest, bank);
  for (int n = 1; n <= chart_.count(); ++n) {
    if (WithinLargestAmount(forwards[n - 1])) continue;
    ui_.Error("The balance forward of account " + chart_.account(n).Label() + " would pass " +
              kLargestAmount.ToStringWithCommas() + ". No entries will be removed.");
    return YearRemoval::kRefused;
  }

  const std::vector<TransactionRecord> removed =
      LinesInDateOrder(whole_file_, oldest.record_numbers);
  if (!report(removed)) return YearRemoval::kRefused;
  std::vector<const TransactionRecord*> removed_lines;
  removed_lines.reserve(removed.size());
  for (const TransactionRecord& line : removed) removed_lines.push_back(&line);
  RemoveLines(whole_file_, oldest.record_numbers);
  if (!RewriteLines(removed_lines, {}, {}, [&](ChartOfAccounts& next) {
        for (int n = 1; n <= next.count(); ++n) {
          next.mutable_account(n).balance_forward = forwards[n - 1];
        }
      })) {
    return YearRemoval::kFailed;
  }
  CountLines(removed_lines, -1);
  Notify(LedgerChange::kTransactionsReordered);
  return YearRemoval::kRemoved;
}

std::optional<YearSpan> Ledger::TransactionYearSpan() {
  if (!is_loaded() || !ReadWholeTransactionFile()) return std::nullopt;
  return FindYearSpan(whole_file_);
}

bool Ledger::DeleteAllTransactions() {
  if (!is_loaded()) return false;
  Change change(*this);
  if (!change.ok()) return false;
  whole_file_.clear();
  const std::vector<FileAlongside> reconciliation = {
      {std::string(kReconciliationFileName), std::nullopt}};
  if (!RewriteLines({}, {}, reconciliation, [](ChartOfAccounts& next) {
        for (int n = 1; n <= next.count(); ++n) {
          next.mutable_account(n).balance_forward = Money();
          next.mutable_account(n).posted_total = Money();
        }
      })) {
    return false;
  }
  summary_ = TransactionSummary();
  last_entry_sequence_ = 0;
  Notify(LedgerChange::kFolderLoaded);
  return true;
}

std::optional<int> Ledger::DeleteInactivePayees() {
  if (!is_loaded()) return std::nullopt;
  Change change(*this);
  std::string recurring;
  if (!change.ok() || !ReadRecurringFile(&recurring) || !ReadWholeTransactionFile()) {
    return std::nullopt;
  }
  const std::vector<int> inactive =
      InactivePayees(whole_file_, DecodeRecurringEntries(recurring), payees_.count(),
                     clock_.Today() - kInactivePayeeDays);
  if (inactive.empty()) return 0;
  if (!RemovePayees(inactive, std::move(recurring))) return std::nullopt;
  return static_cast<int>(inactive.size());
}

}  // namespace zenkar
