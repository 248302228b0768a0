#include "output/account_activity.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

#include "common/text_field.h"
#include "ledger/bookkeeping.h"

namespace zenkar {
namespace {

class Summer {
 public:
  Summer(const ListingBooks& books, const ReportPeriod& period)
      : books_(books),
        period_(period),
        bank_(PackedAccountNumber(AccountKey(books.settings.bank_account))),
        bank_key_(AccountKey(books.settings.bank_account)) {
    const ChartOfAccounts& chart = books.chart;
    for (int record = 1; record <= chart.count(); ++record) {
      const AccountRecord& account = chart.account(record);
      AccountActivity& activity = Find(PackedAccountNumber(account.number), account.number);
      activity.opening += account.balance_forward;
    }
  }

  void Visit(const FigureCell& cell) {
    if (cell.kind != kJournalLine && cell.kind != kCheckOrDeposit) return;
    const bool before = cell.day == kNoDate || cell.day < period_.first;
    if (!before && cell.day > period_.last) return;
    char own[sizeof cell.account];
    std::memcpy(own, &cell.account, sizeof own);
    Post(cell.account, std::string_view(own, sizeof own), cell.amount, before);
    if (cell.kind == kCheckOrDeposit) Post(bank_, bank_key_, -cell.amount, before);
    if (!before) table_.period_has_lines = true;
  }

  ActivityTable Take() {
    const ChartOfAccounts& chart = books_.chart;
    std::vector<AccountActivity> missing;
    for (auto& [packed, activity] : by_number_) {
      if (chart.FindAccount(activity.account) == 0) missing.push_back(std::move(activity));
    }
    std::sort(missing.begin(), missing.end(),
              [](const AccountActivity& a, const AccountActivity& b) {
                return AccountNumberLess(a.account, b.account);
              });
    for (int record = 1; record <= chart.count(); ++record) {
      const AccountRecord& account = chart.account(record);
      auto found = by_number_.find(PackedAccountNumber(account.number));
      // An account number the chart holds twice is summed once, on its first record.
      if (found == by_number_.end() || found->second.account.empty()) continue;
      if (!account.IsEntry() && !found->second.has_lines) continue;
      table_.accounts.push_back(std::move(found->second));
      found->second.account.clear();
    }
    for (AccountActivity& activity : missing) table_.accounts.push_back(std::move(activity));
    return std::move(table_);
  }

 private:
  AccountActivity& Find(uint32_t packed, std::string_view number) {
    auto [at, added] = by_number_.try_emplace(packed);
    if (added) at->second.account = AccountKey(number);
    return at->second;
  }

  void Post(uint32_t packed, std::string_view number, Money amount, bool before) {
    AccountActivity& activity = Find(packed, number);
    if (before) {
      activity.opening += amount;
    } else {
      activity.period += amount;
      activity.has_lines = true;
    }
  }

  const ListingBooks& books_;
  const ReportPeriod& period_;
  const uint32_t bank_;
  const std::string bank_key_;
  std::unordered_map<uint32_t, AccountActivity> by_number_;
  ActivityTable table_;
};

}  // namespace

bool SumAccountActivity(const ListingBooks& books, const ReportPeriod& period, ActivityTable* table,
                        const LineVisitor& each_line) {
  PeriodFigures summed;
  const PeriodFigures* figures = FiguresOf(books, &summed);
  if (figures == nullptr) return false;
  Summer summer(books, period);
  figures->ForEachCell([&](const FigureCell& cell) { summer.Visit(cell); });
  *table = summer.Take();
  if (!each_line) return true;
  return books.records([&](int number, std::string_view record) {
    each_line(number, record, ReadTransactionFacts(record));
  });
}

bool MovesBank(const ListedLine& line, const CompanySettings& settings) {
  return line.kind == kCheckOrDeposit ||
         (line.kind == kJournalLine && SameAccount(line.account, settings.bank_account));
}

}  // namespace zenkar
