#include "ledger/chart_of_accounts.h"

#include <algorithm>

#include "common/text_field.h"

namespace zenkar {
namespace {

bool ByNumber(const AccountRecord& a, const AccountRecord& b) {
  return AccountNumberLess(a.number, b.number);
}

}  // namespace

ChartOfAccounts::ChartOfAccounts(std::vector<AccountRecord> accounts)
    : accounts_(std::move(accounts)) {
  for (AccountRecord& account : accounts_) account.number = AccountKey(account.number);
}

int ChartOfAccounts::FindAccount(std::string_view number) const {
  if (Trim(number).empty()) return 0;
  const std::string key = AccountKey(number);
  for (size_t i = 0; i < accounts_.size(); ++i) {
    if (accounts_[i].number == key) return static_cast<int>(i) + 1;
  }
  return 0;
}

bool ChartOfAccounts::IsEntryAccount(std::string_view number) const {
  const int found = FindAccount(number);
  return found != 0 && account(found).IsEntry();
}

std::unordered_map<std::string, int> ChartOfAccounts::IndexByNumber() const {
  std::unordered_map<std::string, int> index;
  index.reserve(accounts_.size());
  // The first account of a number wins, as with FindAccount.
  for (size_t i = 0; i < accounts_.size(); ++i) {
    index.emplace(accounts_[i].number, static_cast<int>(i) + 1);
  }
  return index;
}

bool ChartOfAccounts::IsSorted() const {
  return std::is_sorted(accounts_.begin(), accounts_.end(), ByNumber);
}

void ChartOfAccounts::Sort() { std::stable_sort(accounts_.begin(), accounts_.end(), ByNumber); }

int ChartOfAccounts::Insert(AccountRecord account) {
  account.number = AccountKey(account.number);
  auto at = std::upper_bound(accounts_.begin(), accounts_.end(), account, ByNumber);
  at = accounts_.insert(at, std::move(account));
  return static_cast<int>(at - accounts_.begin()) + 1;
}

void ChartOfAccounts::Remove(int record_number) {
  accounts_.erase(accounts_.begin() + (record_number - 1));
}

std::string ChartOfAccounts::Encode() const {
  std::string bytes;
  bytes.reserve(accounts_.size() * AccountRecord::kSize);
  for (const AccountRecord& account : accounts_) bytes += account.Encode();
  return bytes;
}

ChartOfAccounts ChartOfAccounts::Decode(std::string_view bytes) {
  std::vector<AccountRecord> accounts;
  accounts.reserve(bytes.size() / AccountRecord::kSize);
  for (size_t at = 0; at + AccountRecord::kSize <= bytes.size(); at += AccountRecord::kSize) {
    accounts.push_back(AccountRecord::Decode(bytes.substr(at, AccountRecord::kSize)));
  }
  return ChartOfAccounts(std::move(accounts));
}

}  // namespace zenkar
