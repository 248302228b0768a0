#include "ledger/companion_accounts.h"

#include "common/record_file.h"
#include "common/text_field.h"
#include "ledger/account_record.h"

namespace zenkar {
namespace {

// The receivables program's sales codes: 100-byte records whose ledger
// account number is the 4 characters at offset 60.
constexpr std::string_view kSalesCodeFile = "KXAREC.DES";
constexpr size_t kSalesCodeLength = 100;
constexpr size_t kSalesCodeAccount = 60;

}  // namespace

// Only what is known of the companion files is read. The settings records of
// both programs ("KXPAY.CFG", "KXAREC.CFG") surely name their own bank, wages
// and receivables accounts, but where they keep them is not known here; what
// is known is that every receivables sales code names the ledger account its
// charges and payments post to, so those accounts are the ones protected.
std::vector<CompanionAccount> CompanionSetupAccounts(FileSystem& fs, const std::string& folder) {
  std::vector<CompanionAccount> accounts;
  std::vector<std::string> sales_codes;
  const std::string path = DataFilePath(fs, folder, kSalesCodeFile);
  if (!fs.FileExists(path) || !LoadAll(fs, path, kSalesCodeLength, &sales_codes).ok()) {
    return accounts;
  }
  for (const std::string& code : sales_codes) {
    const std::string account = GetTextField(code, kSalesCodeAccount, kAccountNumberWidth);
    if (Trim(account).empty()) continue;
    accounts.push_back({account, "accounts receivable account."});
  }
  return accounts;
}

}  // namespace zenkar
