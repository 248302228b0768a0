// Ledger accounts that the companion programs kept in the same data folder
// (Zenkar Payroll, Zenkar Accounts Receivable) are set up to post to, so that
// the chart does not lose an account one of them still names.
#ifndef ZENKAR_LEDGER_COMPANION_ACCOUNTS_H_
#define ZENKAR_LEDGER_COMPANION_ACCOUNTS_H_

#include <string>
#include <string_view>
#include <vector>

#include "common/file_system.h"

namespace zenkar {

struct CompanionAccount {
  std::string account;  // 4-character account number
  std::string_view
      delete_reason;  // completes "Cannot delete the account currently selected as the "
};

// The accounts named by the companion programs' files in `folder`. A file that
// is missing or not a whole number of records names nothing.
std::vector<CompanionAccount> CompanionSetupAccounts(FileSystem& fs, const std::string& folder);

}  // namespace zenkar

#endif  // ZENKAR_LEDGER_COMPANION_ACCOUNTS_H_
