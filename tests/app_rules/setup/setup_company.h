// A small company for the Setup and Payees tests: the settings of a new
// company (bank 110, payables 210, receivables 130, wages 720, capital 465)
// over a short chart that holds every setup account, one title account and
// one payee.
#ifndef ZENKAR_TESTS_APP_RULES_SETUP_SETUP_COMPANY_H_
#define ZENKAR_TESTS_APP_RULES_SETUP_SETUP_COMPANY_H_

#include <string>
#include <vector>

#include "app_rules/company_files.h"
#include "ledger/account_record.h"
#include "ledger/chart_of_accounts.h"
#include "ledger/payee_list.h"
#include "ledger/payee_record.h"
#include "support/temp_dir.h"

namespace zenkar::testing {

inline AccountRecord TestAccount(const std::string& number, const std::string& description,
                                 int type, int title_type = kEntryAccount) {
  AccountRecord account;
  account.number = AccountKey(number);
  account.description = description;
  account.type = type;
  account.title_type = title_type;
  return account;
}

inline ChartOfAccounts SmallChart() {
  return ChartOfAccounts({
      TestAccount("110", "Checking Account", kAssets),
      TestAccount("130", "Accounts Receivable", kAssets),
      TestAccount("200", "LIABILITIES", kLiabilitiesAndEquity, kTitleAccount),
      TestAccount("210", "Accounts Payable", kLiabilitiesAndEquity),
      TestAccount("235", "Deductions Payable", kLiabilitiesAndEquity),
      TestAccount("465", "Retained Earnings", kLiabilitiesAndEquity),
      TestAccount("500", "Sales", kIncome),
      TestAccount("720", "Salaries and Wages", kOperatingExpenses),
  });
}

// Writes the company into `folder`; `capital` replaces the capital account.
inline bool WriteSetupCompany(const TempDir& folder, const std::string& capital = "465") {
  if (!WriteCompany(folder)) return false;
  CompanySettings settings = StoredSettings(folder);
  settings.capital_account = capital;
  folder.WriteFile("KXACCT.CFG", settings.Encode());
  folder.WriteFile("KXACCT.COA", SmallChart().Encode());
  PayeeRecord payee;
  ClearPayee(payee);
  payee.name = "Harbor Lumber";
  payee.phone = "555-0101";
  folder.WriteFile("KXACCT.VND", PayeeList({payee}).Encode());
  return true;
}

inline ChartOfAccounts StoredChart(const TempDir& folder) {
  return ChartOfAccounts::Decode(folder.ReadFile("KXACCT.COA"));
}
inline PayeeList StoredPayees(const TempDir& folder) {
  return PayeeList::Decode(folder.ReadFile("KXACCT.VND"));
}

}  // namespace zenkar::testing

#endif  // ZENKAR_TESTS_APP_RULES_SETUP_SETUP_COMPANY_H_
