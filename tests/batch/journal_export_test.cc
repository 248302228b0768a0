// The journal's text, on hand-built books that hold every kind of line:
// checks and deposits, balanced and unbalanced journal groups, an unpaid
// invoice, lines to a deleted account and without an account, an undated
// line, and texts the journal formats give a meaning to.
#include "batch/journal_export.h"

#include <gtest/gtest.h>

#include "batch_fixture.h"

namespace zenkar {
namespace {

using testing::Account;
using testing::Day;
using testing::Line;

class JournalExportTest : public testing::BatchFixture {
 protected:
  void WriteBooks() {
    TransactionRecord rent =
        Line(kCheckOrDeposit, "650", 40000, Day(2025, 2, 1), "Dock Rentals", "1001");
    rent.memo = "February";
    TransactionRecord invoice = Line(kInvoice, "650", 7500, Day(2025, 3, 10), "Harbor Supply");
    invoice.invoice_number = "INV-7";
    invoice.due_date = Day(2025, 4, 9);
    TransactionRecord undated = Line(kCheckOrDeposit, "650", 100, kNoDate);
    undated.payee_number = 1;
    std::vector<AccountRecord> chart = {
        Account("110", "Checking Account", kAssets, 100000),
        Account("210", "Accounts Payable", kLiabilitiesAndEquity),
        Account("465", "Retained Earnings", kLiabilitiesAndEquity, -100000),
        Account("510", "Sales", kIncome),
        Account("600", "EXPENSES", kOperatingExpenses, 0, kTitleAccount),
        Account("650", "Rent", kOperatingExpenses),
    };
    WriteCompany(
        chart, {rent, Line(kCheckOrDeposit, "510", -25000, Day(2025, 2, 3), "*Walk-in; cash|sale"),
                Line(kJournalLine, "650", 2000, Day(2025, 2, 28), "Accrue rent", "JE1"),
                Line(kJournalLine, "210", -2000, Day(2025, 2, 28), "Accrue rent", "JE1"),
                Line(kJournalLine, "650", 500, Day(2025, 3, 31), "Fix: typo", "JE2"), invoice,
                Line(kJournalLine, "999", 300, Day(2025, 3, 31), "", "JE3"),
                Line(kJournalLine, "", -300, Day(2025, 3, 31), "Clear", "JE3"), undated});
  }

  std::string Export(bool accrual) {
    Ledger ledger(fs_, ui_, clock_);
    OpenLedger(ledger);
    std::string journal;
    EXPECT_TRUE(ExportJournal(ledger, {accrual, clock_.Today()}, &journal));
    return journal;
  }
};

constexpr std::string_view kAccrualJournal = R"(; Test Company
; Exported from Zenkar Accounting on 2026-01-15, accrual basis: unpaid invoices post against Accounts Payable.
; Amounts are signed from the account's side: debits positive, credits negative.

commodity 1000.00

account 110 Checking Account
    ; type: C
account 210 Accounts Payable
    ; type: L
account 465 Retained Earnings
    ; type: E
account 510 Sales
    ; type: R
account 650 Rent
    ; type: X
account 999 Deleted from the chart
account No account number
account Out of balance

payee *Walk-in, cash/sale
payee Accrue rent
payee Balance forward
payee Dock Rentals
payee Fix: typo
payee Harbor Supply
payee Journal entry

2025-01-01 Balance forward
    110 Checking Account         1000.00
    465 Retained Earnings       -1000.00

2025-01-01 Harbor Supply
    ; undated
    650 Rent                        1.00
    110 Checking Account           -1.00

2025-02-01 (1001) Dock Rentals
    650 Rent                      400.00  ; February
    110 Checking Account         -400.00

2025-02-03 () *Walk-in, cash/sale
    510 Sales                    -250.00
    110 Checking Account          250.00

2025-02-28 (JE1) Accrue rent
    650 Rent                       20.00
    210 Accounts Payable          -20.00

2025-03-10 (INV-7) Harbor Supply
    ; unpaid invoice, due 2025-04-09
    650 Rent                       75.00
    210 Accounts Payable          -75.00

2025-03-31 (JE2) Fix: typo
    650 Rent                        5.00
    Out of balance                 -5.00

2025-03-31 (JE3) Journal entry
    999 Deleted from the chart      3.00
    No account number              -3.00  ; Clear
)";

// The peer test checks the balances; this checks the text itself.
TEST_F(JournalExportTest, MapsEveryKindOfLine) {
  WriteBooks();
  EXPECT_EQ(Export(true), kAccrualJournal);
}

}  // namespace
}  // namespace zenkar
