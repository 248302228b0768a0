#include "app_rules/setup/chart_entry.h"

#include <optional>

#include "common/text_field.h"

namespace zenkar {
namespace {

// The typed balance forward, or nothing (reported) when it is not an amount.
// Text that still reads as the account's own figure keeps it exactly, so an
// edit of the description does not round a balance kept to four decimals.
std::optional<Money> BalanceForwardOf(Ledger& ledger, const AccountEntry& entry,
                                      const AccountRecord* before) {
  if (before != nullptr && entry.balance_forward == before->balance_forward.ToString()) {
    return before->balance_forward;
  }
  if (Trim(entry.balance_forward).empty()) return Money();
  std::optional<Money> amount =
      ParseTypedAmount(entry.balance_forward, ledger.settings().fixed_decimal != 0);
  if (!amount) ledger.ui().Error(kBalanceForwardNotAnAmount);
  return amount;
}

// `base` with the editor's fields written in.
std::optional<AccountRecord> AccountFrom(Ledger& ledger, const AccountEntry& entry,
                                         const AccountRecord& base, const AccountRecord* before) {
  std::optional<Money> balance_forward = BalanceForwardOf(ledger, entry, before);
  if (!balance_forward) return std::nullopt;
  AccountRecord account = base;
  account.number = std::string(Trim(entry.number));
  account.description = entry.description;
  account.type = entry.type;
  account.total_level = entry.total_level;
  account.title_type = entry.title_type;
  account.balance_forward = *balance_forward;
  return account;
}

int RecordNumberOf(const Ledger& ledger, std::string_view number) {
  return ledger.FindAccount(Trim(number));
}

}  // namespace

std::vector<std::string> TotalLevelLabels() {
  std::vector<std::string> labels = {std::string(kDefaultTotalLevelLabel)};
  for (int level = 2; level <= kTotalLevelChoices; ++level) labels.push_back(std::to_string(level));
  return labels;
}

AccountEntry AccountEntryOf(const AccountRecord& account) {
  AccountEntry entry;
  entry.number = std::string(Trim(account.number));
  entry.description = std::string(TrimRight(account.description));
  entry.type = account.type;
  entry.total_level = account.total_level;
  entry.title_type = account.title_type;
  entry.balance_forward = account.balance_forward.ToString();
  return entry;
}

int AddAccountFromEntry(Ledger& ledger, const AccountEntry& entry) {
  std::optional<AccountRecord> account = AccountFrom(ledger, entry, AccountRecord(), nullptr);
  if (!account || !ledger.AddAccount(*account)) return 0;
  return RecordNumberOf(ledger, entry.number);
}

int EditAccountFromEntry(Ledger& ledger, int record_number, const AccountEntry& entry) {
  if (record_number < 1 || record_number > ledger.chart().count()) return 0;
  const AccountRecord before = ledger.chart().account(record_number);
  std::optional<AccountRecord> account = AccountFrom(ledger, entry, before, &before);
  if (!account || !ledger.EditAccount(record_number, *account)) return 0;
  return RecordNumberOf(ledger, entry.number);
}

bool TestChart(Ledger& ledger) {
  if (ledger.RunChartConsistencyTest()) {
    ledger.ui().Information(kChartTestPassed, kChartTestTitle);
    return true;
  }
  return false;
}

}  // namespace zenkar
