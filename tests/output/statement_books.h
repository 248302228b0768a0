// Hand-built books for the statement tests: a chart, the settings that name
// its setup accounts, and lines made the way the entry screens make them.
#ifndef ZENKAR_TESTS_OUTPUT_STATEMENT_BOOKS_H_
#define ZENKAR_TESTS_OUTPUT_STATEMENT_BOOKS_H_

#include <string>
#include <string_view>
#include <vector>

#include "common/day_number.h"
#include "ledger/chart_of_accounts.h"
#include "ledger/company_settings.h"
#include "ledger/payee_list.h"
#include "ledger/transaction_record.h"
#include "output/financial_statements.h"
#include "output/listing_books.h"

namespace zenkar::testing {

inline DayNumber Day(int year, int month, int day) { return *MakeDayNumber(year, month, day); }

inline PayeeRecord Payee(std::string_view name, std::string_view address = "") {
  PayeeRecord payee;
  payee.name = std::string(name);
  payee.address = std::string(address);
  return payee;
}

class TestBooks {
 public:
  // Settings of a new company with the bank 110, payables 210 and capital
  // 465, a calendar accounting year and the name "Test Company".
  TestBooks();

  TestBooks& Account(std::string_view number, int32_t type, std::string_view description,
                     int level = 1, int32_t title_type = kEntryAccount,
                     int64_t balance_forward_cents = 0);
  // A journal line: its own account only.
  TestBooks& Journal(DayNumber date, std::string_view account, int64_t cents);
  // A balanced journal entry of two lines: `cents` to `debit`, the same
  // negated to `credit`.
  TestBooks& Entry(DayNumber date, std::string_view debit, std::string_view credit, int64_t cents);
  // A check (positive, to an expense) or deposit (negative, from income),
  // set against the bank account.
  TestBooks& Check(DayNumber date, std::string_view account, int64_t cents);
  // An unpaid invoice: no entry date, only its invoice date.
  TestBooks& Invoice(DayNumber invoice_date, std::string_view account, int64_t cents);

  // The last line added, for the fields the helpers leave blank.
  TransactionRecord& last() { return lines.back(); }

  const ChartOfAccounts& chart();
  StatementBooks Books();
  TransactionSource Source() const;
  // The books as the listings read them: the lines as records numbered from 1.
  ListingBooks Listing();

  CompanySettings settings;
  std::vector<AccountRecord> accounts;
  std::vector<TransactionRecord> lines;
  PayeeList payees;

 private:
  TestBooks& Line(int32_t kind, DayNumber date, std::string_view account, int64_t cents);
  ChartOfAccounts chart_;
};

// A chart for income statements: sales, cost of sales, expenses with a
// level-2 total, other income, and a level-9 net profit.
void AddIncomeAccounts(TestBooks& books);
// Assets, liabilities and equity with subtotals up to level 4 and the
// profit line, shaped like the default chart's.
void AddBalanceAccounts(TestBooks& books);

// Figures of a computed statement, found by account number.
const IncomeStatementLine& IncomeLine(const IncomeStatement& statement,
                                      const ChartOfAccounts& chart, std::string_view number);
const BalanceSheetLine& BalanceLine(const BalanceSheet& sheet, const ChartOfAccounts& chart,
                                    std::string_view number);

}  // namespace zenkar::testing

#endif  // ZENKAR_TESTS_OUTPUT_STATEMENT_BOOKS_H_
