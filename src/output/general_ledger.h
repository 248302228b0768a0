// The "General Ledger": for each account with a balance or activity, its
// balance forward, the period's lines, and its total and closing balance;
// then the totals of all accounts.
//
// The bank account's side of checks and deposits is not a line of its own
// (each check is listed under its other account): it is the one line
// "* NET CHECKS", so the bank's closing balance is the balance the register
// derives. The payables account shows the unpaid invoices as a memo line,
// "* UNPAID INVOICES", outside its totals. Printing the ledger marks its lines
// printed once the document went out (the report run does that).
#ifndef ZENKAR_OUTPUT_GENERAL_LEDGER_H_
#define ZENKAR_OUTPUT_GENERAL_LEDGER_H_

#include <string>
#include <vector>

#include "common/money.h"
#include "output/listing_books.h"

namespace zenkar {

inline constexpr std::string_view kGeneralLedgerLabel = "General Ledger";

struct GeneralLedgerAccount {
  std::string account;  // without padding
  std::string name;
  Money opening;
  std::vector<int> lines;   // indexes into GeneralLedger::lines, in date order
  bool net_checks = false;  // the bank account: the "* NET CHECKS" line
  Money net_checks_amount;
  bool unpaid_memo = false;  // the payables account with unpaid invoices
  Money unpaid_amount;       // what they owe (credit), outside the totals
  Money period;
  Money closing;
};

struct GeneralLedger {
  std::vector<ListedLine> lines;  // the period's journal lines, checks and deposits
  std::vector<GeneralLedgerAccount> accounts;
  Money opening;
  Money period;
  Money closing;
};

// The figures. False when the file could not be read (reported).
bool ComputeGeneralLedger(const ListingBooks& books, const ReportPeriod& period,
                          GeneralLedger* ledger);

bool PrintGeneralLedger(ListingRun& run);

}  // namespace zenkar

#endif  // ZENKAR_OUTPUT_GENERAL_LEDGER_H_
