// A company folder for ledger tests: a small chart, a few payees and the
// settings of a new company, loaded through the real file layer (wrapped so
// a test can inject failures), with the scripted Ui recording every message.
#ifndef ZENKAR_TESTS_LEDGER_LEDGER_FIXTURE_H_
#define ZENKAR_TESTS_LEDGER_LEDGER_FIXTURE_H_

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "common/day_number.h"
#include "common/text_field.h"
#include "ledger/ledger.h"
#include "support/fault_file_system.h"
#include "support/fixed_clock.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace zenkar::testing {

inline AccountRecord Account(std::string_view number, std::string_view description, int32_t type,
                             int32_t title_type = kEntryAccount, int64_t balance_cents = 0) {
  AccountRecord account;
  account.number = AccountKey(number);
  account.description = std::string(description);
  account.type = type;
  account.title_type = title_type;
  account.balance_forward = Money::FromCents(balance_cents);
  return account;
}

// The chart of the test company. The settings of a new company name 110
// (bank), 210 (payables), 130 (receivables), 720 (wages), 235 (second
// payroll) and 465 (capital).
inline std::vector<AccountRecord> TestChart() {
  return {
      Account("100", "ASSETS", kAssets, kTitleAccount),
      Account("110", "Checking Account", kAssets, kEntryAccount, 500000),
      Account("130", "Accounts Receivable", kAssets),
      Account("164", "Equipment", kAssets),
      Account("210", "Accounts Payable", kLiabilitiesAndEquity),
      Account("235", "Employee Deductions Payable", kLiabilitiesAndEquity),
      Account("465", "Retained Earnings", kLiabilitiesAndEquity, kEntryAccount, -500000),
      Account("510", "Sales", kIncome),
      Account("650", "Rent", kOperatingExpenses),
      Account("720", "Salaries and Wages", kOperatingExpenses),
  };
}

inline PayeeRecord Payee(std::string_view name, std::string_view address = "",
                         std::string_view phone = "", std::string_view memo = "") {
  PayeeRecord payee;
  payee.name = std::string(name);
  payee.address = std::string(address);
  payee.phone = std::string(phone);
  payee.memo = std::string(memo);
  return payee;
}

inline DayNumber Date(int year, int month, int day) { return *MakeDayNumber(year, month, day); }

// A line of the given kind; `memo` makes lines easy to tell apart.
inline TransactionRecord Line(int32_t kind, std::string_view account, int64_t cents,
                              std::string_view memo = "", DayNumber date = 45000,
                              std::string_view reference = "", int32_t payee = 0) {
  TransactionRecord line;
  line.kind = kind;
  line.account = std::string(account);
  line.amount = Money::FromCents(cents);
  line.memo = std::string(memo);
  line.date = date;
  line.reference = std::string(reference);
  line.payee_number = payee;
  return line;
}

class LedgerFixture : public ::testing::Test {
 protected:
  LedgerFixture() { ledger_.SetDataFolder(dir_.path()); }

  // Writes the company's files; `settings` starts as a new company's.
  void WriteCompany(const std::vector<AccountRecord>& chart = TestChart(),
                    const std::vector<PayeeRecord>& payees = {
                        Payee("Harbor Supply"), Payee("Bay Electric"), Payee("Dock Rentals")}) {
    CompanySettings settings;
    NewCompanySettings(settings);
    settings.name_line_1 = "Test Company";
    settings.date_order = date_order_;
    dir_.WriteFile("KXACCT.CFG", settings.Encode());
    dir_.WriteFile("KXACCT.COA", ChartOfAccounts(chart).Encode());
    dir_.WriteFile("KXACCT.VND", PayeeList(payees).Encode());
    if (!dir_.Exists("KXACCT.TRN")) dir_.WriteFile("KXACCT.TRN", "");
  }

  void OpenCompany() {
    WriteCompany();
    ASSERT_TRUE(ledger_.OpenDataFolder());
    ui_.ClearMessages();
  }

  int Append(const TransactionRecord& line) {
    const std::optional<int> number = ledger_.AppendTransaction(line);
    EXPECT_TRUE(number.has_value()) << ::testing::PrintToString(ui_.Texts());
    return number.value_or(0);
  }

  TransactionRecord Read(int number) {
    TransactionRecord line;
    EXPECT_TRUE(ledger_.ReadTransaction(number, &line));
    return line;
  }

  // The memo of every line in file order, read from disk.
  std::vector<std::string> MemosOnDisk() const {
    std::vector<std::string> memos;
    const std::string bytes = dir_.ReadFile("KXACCT.TRN");
    for (size_t at = 0; at < bytes.size(); at += TransactionRecord::kSize) {
      memos.emplace_back(TrimRight(TransactionRecord::Decode(bytes.substr(at, 328)).memo));
    }
    return memos;
  }

  Money Posted(std::string_view number) const {
    return ledger_.chart().account(ledger_.FindAccount(number)).posted_total;
  }

  // Checks the books against the files on disk, recomputed independently:
  // every posted total (on disk and in memory) is the sum of the rounded
  // journal and check/deposit lines naming the account, the count is the
  // file's, and the out-of-balance figure is the balance forwards plus the
  // journal lines.
  void ExpectBooksAgreeWithFiles() {
    const std::string lines = dir_.ReadFile("KXACCT.TRN");
    ASSERT_EQ(lines.size() % 328, 0u);
    EXPECT_EQ(ledger_.transaction_count(), static_cast<int>(lines.size() / 328));
    std::map<std::string, int64_t> sums;
    int64_t journal = 0;
    for (size_t at = 0; at < lines.size(); at += 328) {
      const TransactionRecord line = TransactionRecord::Decode(lines.substr(at, 328));
      const int64_t cents = line.amount.Cents();
      if (line.kind == kJournalLine || line.kind == kCheckOrDeposit) {
        sums[AccountKey(line.account)] += cents;
      }
      if (line.kind == kJournalLine) journal += cents;
    }
    const ChartOfAccounts on_disk = ChartOfAccounts::Decode(dir_.ReadFile("KXACCT.COA"));
    ASSERT_EQ(on_disk.count(), ledger_.chart().count());
    int64_t balance_forwards = 0;
    for (int n = 1; n <= on_disk.count(); ++n) {
      const AccountRecord& account = on_disk.account(n);
      EXPECT_EQ(account.posted_total, Money::FromCents(sums[account.number]))
          << "account " << account.number;
      EXPECT_EQ(ledger_.chart().account(n).posted_total, account.posted_total);
      balance_forwards += account.balance_forward.Cents();
    }
    EXPECT_EQ(ledger_.OutOfBalance(), Money::FromCents(balance_forwards + journal));
  }

  int32_t date_order_ = 1;
  TempDir dir_;
  ScriptedUi ui_;
  FixedClock clock_;
  FaultInjectingFileSystem fs_;
  Ledger ledger_{fs_, ui_, clock_};
};

}  // namespace zenkar::testing

#endif  // ZENKAR_TESTS_LEDGER_LEDGER_FIXTURE_H_
