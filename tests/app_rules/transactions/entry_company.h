// A small company for the entry-page tests: a chart with the bank account
// 110 (5,000.00 brought forward) and no account number starting with 9,
// three payees, and any lines a test starts with, loaded into a kxacct
// Program whose ports are scripted and whose file system counts writes.
#ifndef ZENKAR_TESTS_APP_RULES_TRANSACTIONS_ENTRY_COMPANY_H_
#define ZENKAR_TESTS_APP_RULES_TRANSACTIONS_ENTRY_COMPANY_H_

#include <string>
#include <vector>

#include "app_rules/test_program.h"
#include "common/text_field.h"
#include "ledger/chart_of_accounts.h"
#include "ledger/company_settings.h"
#include "ledger/payee_list.h"
#include "ledger/transaction_record.h"

namespace zenkar::testing {

inline DayNumber Day(int year, int month, int day) { return *MakeDayNumber(year, month, day); }

inline AccountRecord EntryAccount(std::string_view number, std::string_view description,
                                  int32_t type, int32_t title_type = kEntryAccount,
                                  int64_t balance_cents = 0) {
  AccountRecord account;
  account.number = AccountKey(number);
  account.description = std::string(description);
  account.type = type;
  account.title_type = title_type;
  account.balance_forward = Money::FromCents(balance_cents);
  return account;
}

inline std::vector<AccountRecord> EntryChart() {
  return {
      EntryAccount("100", "ASSETS", kAssets, kTitleAccount),
      EntryAccount("110", "Checking Account", kAssets, kEntryAccount, 500000),
      EntryAccount("130", "Accounts Receivable", kAssets),
      EntryAccount("210", "Accounts Payable", kLiabilitiesAndEquity),
      EntryAccount("465", "Retained Earnings", kLiabilitiesAndEquity, kEntryAccount, -500000),
      EntryAccount("510", "Sales", kIncome),
      EntryAccount("650", "Rent", kOperatingExpenses),
      EntryAccount("655", "Repairs", kOperatingExpenses),
      EntryAccount("720", "Salaries and Wages", kOperatingExpenses),
  };
}

// A stored line of `kind`.
inline TransactionRecord StoredLine(int32_t kind, std::string_view description,
                                    std::string_view reference, DayNumber date,
                                    std::string_view account, int64_t cents) {
  TransactionRecord line;
  ClearTransaction(line);
  line.kind = kind;
  line.description = std::string(description);
  line.reference = std::string(reference);
  line.date = date;
  line.account = AccountKey(account);
  line.amount = Money::FromCents(cents);
  return line;
}

struct EntryCompany : TestProgram {
  // Writes the company with `lines` in its transaction file. The posted
  // totals are worked out by the load's consistency pass.
  explicit EntryCompany(const std::vector<TransactionRecord>& lines = {}) {
    CompanySettings settings;
    NewCompanySettings(settings);
    settings.name_line_1 = "Harbor Supply Co.";
    settings.next_check = "1001";
    data.WriteFile("KXACCT.CFG", settings.Encode());
    data.WriteFile("KXACCT.COA", ChartOfAccounts(EntryChart()).Encode());
    PayeeRecord payees[3];
    payees[0].name = "Harbor Supply";
    payees[1].name = "Bay Electric";
    payees[2].name = "Dock Rentals";
    data.WriteFile("KXACCT.VND", PayeeList(std::vector<PayeeRecord>(payees, payees + 3)).Encode());
    std::string bytes;
    for (const TransactionRecord& line : lines) bytes += line.Encode();
    data.WriteFile("KXACCT.TRN", bytes);
  }

  TransactionRecord LineOnDisk(int number) const {
    return TransactionRecord::Decode(RecordOnDisk(number));
  }
  std::string RecordOnDisk(int number) const {
    return data.ReadFile("KXACCT.TRN").substr(static_cast<size_t>(number - 1) * 328, 328);
  }
  int LinesOnDisk() const { return static_cast<int>(data.ReadFile("KXACCT.TRN").size() / 328); }
  Money Posted(std::string_view account) {
    Ledger& ledger = program.ledger();
    return ledger.chart().account(ledger.FindAccount(account)).posted_total;
  }
};

}  // namespace zenkar::testing

#endif  // ZENKAR_TESTS_APP_RULES_TRANSACTIONS_ENTRY_COMPANY_H_
