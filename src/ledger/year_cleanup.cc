#include "ledger/year_cleanup.h"

#include <algorithm>

#include "ledger/bookkeeping.h"
#include "ledger/ledger.h"
#include "ledger/transaction_record.h"

namespace zenkar {
namespace {

constexpr size_t kLength = kTransactionRecordLength;

// Calls `visit` with each line's number and facts.
template <typename Visit>
void ForEachLine(std::string_view file_bytes, Visit visit) {
  int number = 1;
  for (size_t at = 0; at + kLength <= file_bytes.size(); at += kLength, ++number) {
    visit(number, ReadTransactionFacts(file_bytes.substr(at, kLength)));
  }
}

int YearOf(DayNumber day) { return ToCivilDate(day).year; }

// The earliest date of a line that is not an unpaid invoice.
std::optional<DayNumber> EarliestDate(std::string_view file_bytes) {
  std::optional<DayNumber> earliest;
  ForEachLine(file_bytes, [&](int, const TransactionFacts& line) {
    if (line.kind == kInvoice) return;
    if (!earliest || line.date < *earliest) earliest = line.date;
  });
  return earliest;
}

}  // namespace

OldestYearFinding FindOldestYear(std::string_view file_bytes, const ChartOfAccounts& chart,
                                 OldestYear* found) {
  *found = OldestYear();
  const std::optional<DayNumber> earliest = EarliestDate(file_bytes);
  if (!earliest) return OldestYearFinding::kOnlyUnpaidInvoices;
  found->year = YearOf(*earliest);
  found->account_sums.assign(static_cast<size_t>(chart.count()), Money());
  bool later_year = false;
  ForEachLine(file_bytes, [&](int number, const TransactionFacts& line) {
    if (line.kind == kInvoice) return;
    if (YearOf(line.date) != found->year) {
      later_year = true;
      return;
    }
    found->record_numbers.push_back(number);
    const Money amount = PostedAmount(line.kind, line.amount);
    if (line.kind == kCheckOrDeposit) found->check_total += amount;
    if (const int account = chart.FindAccount(line.account); account != 0) {
      found->account_sums[static_cast<size_t>(account - 1)] += amount;
      found->existing_total += amount;
    } else if (line.kind == kJournalLine) {
      found->deleted_account_total += amount;
    }
  });
  return later_year ? OldestYearFinding::kFound : OldestYearFinding::kOnlyOneYear;
}

std::optional<std::string_view> OldestYearImbalance(const OldestYear& oldest) {
  if (!oldest.deleted_account_total.IsZero()) return kDeletedAccountsUnbalanced;
  if (!(oldest.existing_total - oldest.check_total).IsZero()) return kOldestYearUnbalanced;
  return std::nullopt;
}

std::optional<YearSpan> FindYearSpan(std::string_view file_bytes) {
  const std::optional<DayNumber> earliest = EarliestDate(file_bytes);
  if (!earliest) return std::nullopt;
  DayNumber latest = *earliest;
  ForEachLine(file_bytes, [&](int, const TransactionFacts& line) {
    if (line.date != kNoDate) latest = std::max(latest, line.date);
  });
  return YearSpan{YearOf(*earliest), YearOf(latest)};
}

bool AutomaticCleanupDue(int line_count, const std::optional<YearSpan>& span) {
  return line_count > kTransactionCapacity && span && span->first >= 1900 &&
         span->last - span->first > 3;
}

std::vector<int> InactivePayees(std::string_view file_bytes,
                                const std::vector<RecurringEntryRecord>& recurring, int payee_count,
                                DayNumber cut_off) {
  std::vector<bool> active(static_cast<size_t>(payee_count) + 1, false);
  auto mark = [&](int32_t payee) {
    if (payee >= 1 && payee <= payee_count) active[static_cast<size_t>(payee)] = true;
  };
  ForEachLine(file_bytes, [&](int, const TransactionFacts& line) {
    if (line.date == kNoDate || line.date > cut_off || line.kind == kInvoice ||
        line.unprinted != 0) {
      mark(line.payee_number);
    }
  });
  for (const RecurringEntryRecord& entry : recurring) mark(entry.payee_number);
  std::vector<int> inactive;
  for (int payee = 1; payee <= payee_count; ++payee) {
    if (!active[static_cast<size_t>(payee)]) inactive.push_back(payee);
  }
  return inactive;
}

}  // namespace zenkar
