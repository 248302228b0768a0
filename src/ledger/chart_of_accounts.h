// ChartOfAccounts: the company's accounts in memory, kept in chart order.
//
// Record numbers count from 1 and equal the position in the chart file, so
// account 17 here is record 17 of KXACCT.COA. The table is normally sorted by
// account number (4-character texts compared byte by byte); adding or
// renumbering an account therefore changes the record numbers of the accounts
// after it, and nothing stores a chart record number persistently.
#ifndef ZENKAR_LEDGER_CHART_OF_ACCOUNTS_H_
#define ZENKAR_LEDGER_CHART_OF_ACCOUNTS_H_

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "ledger/account_record.h"

namespace zenkar {

class ChartOfAccounts {
 public:
  ChartOfAccounts() = default;
  explicit ChartOfAccounts(std::vector<AccountRecord> accounts);

  int count() const { return static_cast<int>(accounts_.size()); }
  bool empty() const { return accounts_.empty(); }
  const std::vector<AccountRecord>& accounts() const { return accounts_; }
  // `record_number` from 1 to count().
  const AccountRecord& account(int record_number) const { return accounts_[record_number - 1]; }
  // For changes that keep the account number (amounts, texts, work areas).
  AccountRecord& mutable_account(int record_number) { return accounts_[record_number - 1]; }

  // The record number of the first account whose number equals `number` as a
  // 4-character text, or 0 (an empty number finds nothing).
  int FindAccount(std::string_view number) const;
  // True when the account exists and its title type is "0 - Entry Account".
  bool IsEntryAccount(std::string_view number) const;
  // Record numbers by 4-character account key, for passes over many lines.
  std::unordered_map<std::string, int> IndexByNumber() const;

  bool IsSorted() const;
  // Sorts by account number; accounts with equal numbers keep their order.
  void Sort();
  // Adds an account where chart order places it; returns its record number.
  int Insert(AccountRecord account);
  void Remove(int record_number);

  // The whole chart file, record 1 first.
  std::string Encode() const;
  // Reads a whole chart file; `bytes` holds a whole number of records.
  static ChartOfAccounts Decode(std::string_view bytes);

 private:
  std::vector<AccountRecord> accounts_;
};

}  // namespace zenkar

#endif  // ZENKAR_LEDGER_CHART_OF_ACCOUNTS_H_
