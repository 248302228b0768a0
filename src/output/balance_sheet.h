// The balance sheet as plain figures.
//
// Accounts of types 1 and 2 receive every counted move up to the end of the
// period and their balance forward. The capital account also receives the
// capital adjustment: the balance of every income-statement account (types
// 3 to 9) carried from before the accounting year that holds the period (its
// balance forward plus its moves dated before that year's start). The
// profit-account line (title type 5) shows the figure that balances the
// accounts listed before it, the negated level-5 sum at that point: the
// profit or loss of the year to date. So the sheet always balances.
//
// Subtotals follow the total levels as on the income statement. A line shows
// the non-zero sums of the levels from 1 up to its own, each in the column of
// its level (1, 2, 3 and higher), negated on liability and equity lines.
#ifndef ZENKAR_OUTPUT_BALANCE_SHEET_H_
#define ZENKAR_OUTPUT_BALANCE_SHEET_H_

#include <array>
#include <string>
#include <vector>

#include "common/money.h"
#include "ledger/chart_of_accounts.h"
#include "ledger/company_settings.h"
#include "output/statement_scan.h"

namespace zenkar {

inline constexpr int kBalanceSheetColumns = 3;

struct BalanceSheetLine {
  int record = 0;
  std::string description;  // the first 40 characters
  int32_t type = 0;
  int32_t title_type = 0;
  int level = 1;  // the level the line counts at (the profit line's is 1 or 2)
  Money balance;  // the account's figure, debit positive
  // The figures shown in the level columns 1, 2 and 3, sign applied; zero
  // ones are not printed.
  std::array<Money, kBalanceSheetColumns> columns{};
  bool included = false;
  bool blank_before = false;  // a blank line goes before it (unless at a page top)
};

struct BalanceSheet {
  StatementWindow window;
  Money capital_adjustment;
  bool has_profit_line = false;
  Money profit;                         // as the profit line shows it: positive for a profit
  Money total_assets;                   // the sum of the type-1 figures
  Money total_liabilities_and_equity;   // the negated sum of the type-2 figures
  std::vector<BalanceSheetLine> lines;  // chart order
};

BalanceSheet ComputeBalanceSheet(const ChartOfAccounts& chart, const StatementScan& scan,
                                 const StatementWindow& window, const CompanySettings& settings,
                                 bool include_zero_balances);

}  // namespace zenkar

#endif  // ZENKAR_OUTPUT_BALANCE_SHEET_H_
