// The income statement as plain figures: per account of types 3 to 9, the
// amounts of the period, of the year to date and of the prior accounting
// year, reduced by total level, with their percentages of sales.
//
// Sales are the negated sum of the type-3 (Income) accounts' own amounts, so
// ordinary credit balances give a positive base. Accounts of odd types (3, 5,
// 7, 9: income and the profit lines) are negated after the level reduction,
// so income and profit read positive. A percentage is the shown amount over
// sales, to two decimals, clamped to -999.99 .. 999.99, and is left at zero
// when sales are zero or negative, or when the amount is zero on an account
// of level 3 or below.
#ifndef ZENKAR_OUTPUT_INCOME_STATEMENT_H_
#define ZENKAR_OUTPUT_INCOME_STATEMENT_H_

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "common/money.h"
#include "ledger/chart_of_accounts.h"
#include "output/statement_scan.h"

namespace zenkar {

// The three columns of figures: the period, the year to date, the prior year.
enum StatementColumn { kCurrentPeriod = 0, kYearToDate = 1, kPriorYear = 2 };
using ColumnAmounts = std::array<Money, 3>;
// Percentages in hundredths of a percent (1234 is 12.34%).
using ColumnPercents = std::array<int64_t, 3>;

inline constexpr int64_t kLargestPercent = 99999;  // 999.99%

// `amount` as a percentage of `base` in hundredths, rounded half away from
// zero and clamped; 0 when the base is not positive.
int64_t PercentOf(Money amount, Money base);

struct IncomeStatementLine {
  int record = 0;           // chart record number
  std::string description;  // the first 40 characters
  int32_t type = 0;
  int total_level = 1;  // 1 to 9
  int32_t title_type = 0;
  ColumnAmounts amounts{};
  ColumnPercents percents{};
  bool included = false;
};

struct IncomeStatementOptions {
  bool omit_percentages = false;
  bool include_zero_balances = false;
};

struct IncomeStatement {
  StatementWindow window;
  bool percentages = true;  // false with "Omit Percentages"
  bool prior_year = false;  // the prior-year column was worked out
  ColumnAmounts sales{};
  std::vector<IncomeStatementLine> lines;  // chart order
};

IncomeStatement ComputeIncomeStatement(const ChartOfAccounts& chart, const StatementScan& scan,
                                       const StatementWindow& window,
                                       const IncomeStatementOptions& options);

bool IsIncomeStatementType(int32_t type);

}  // namespace zenkar

#endif  // ZENKAR_OUTPUT_INCOME_STATEMENT_H_
