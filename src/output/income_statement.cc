#include "output/income_statement.h"

#include "output/statement_levels.h"

namespace zenkar {
namespace {

constexpr size_t kDescriptionWidth = 40;
constexpr int kColumns = 3;

bool IsOddType(int32_t type) { return type % 2 != 0; }

IncomeStatementLine LineOf(const AccountRecord& account, int record, const AccountTotals& totals) {
  IncomeStatementLine line;
  line.record = record;
  line.description = account.description.substr(0, kDescriptionWidth);
  line.type = account.type;
  line.total_level = TotalLevelOf(account.total_level);
  line.title_type = account.title_type;
  line.amounts = {totals.current, totals.year_to_date, totals.prior_year};
  return line;
}

// The five steps of the level reduction for every account, in chart order,
// with one set of accumulators and one sales total per column.
void ReduceByLevel(IncomeStatement& statement, int columns) {
  std::array<LevelAccumulators, kColumns> sums;
  for (IncomeStatementLine& line : statement.lines) {
    const int level = line.total_level;
    for (int c = 0; c < columns; ++c) {
      sums[c].Add(level, line.amounts[c]);
      if (line.type == kIncome) statement.sales[c] -= line.amounts[c];
      line.amounts[c] = sums[c].At(level);
      if (IsOddType(line.type)) line.amounts[c] = -line.amounts[c];
      sums[c].ClearThrough(level);
    }
  }
}

void FillPercents(IncomeStatement& statement, int columns) {
  constexpr int kLevelWithPercentWhenZero = 3;
  for (IncomeStatementLine& line : statement.lines) {
    for (int c = 0; c < columns; ++c) {
      if (line.amounts[c].IsZero() && line.total_level <= kLevelWithPercentWhenZero) continue;
      line.percents[c] = PercentOf(line.amounts[c], statement.sales[c]);
    }
  }
}

bool Included(const IncomeStatementLine& line, bool include_zero) {
  if (line.title_type != kEntryAccount || include_zero) return true;
  return !line.amounts[kCurrentPeriod].IsZero() || !line.amounts[kYearToDate].IsZero();
}

}  // namespace

bool IsIncomeStatementType(int32_t type) { return type >= kIncome && type <= kNetProfit; }

int64_t PercentOf(Money amount, Money base) {
  if (base.raw() <= 0) return 0;
  // amount / base x 100 in hundredths: amount x 10,000 / base, rounded half
  // away from zero; 128 bits keep any amount exact.
  const __int128 scaled = static_cast<__int128>(amount.raw()) * 10000;
  const __int128 base_raw = base.raw();
  __int128 quotient = scaled / base_raw;
  const __int128 remainder = scaled % base_raw;
  if (2 * (remainder < 0 ? -remainder : remainder) >= base_raw) quotient += scaled < 0 ? -1 : 1;
  if (quotient > kLargestPercent) return kLargestPercent;
  if (quotient < -kLargestPercent) return -kLargestPercent;
  return static_cast<int64_t>(quotient);
}

IncomeStatement ComputeIncomeStatement(const ChartOfAccounts& chart, const StatementScan& scan,
                                       const StatementWindow& window,
                                       const IncomeStatementOptions& options) {
  IncomeStatement statement;
  statement.window = window;
  statement.percentages = !options.omit_percentages;
  statement.prior_year = statement.percentages && scan.prior_year_has_lines;
  for (int record = 1; record <= chart.count(); ++record) {
    const AccountRecord& account = chart.account(record);
    if (!IsIncomeStatementType(account.type)) continue;
    statement.lines.push_back(LineOf(account, record, scan.accounts[record - 1]));
    if (!statement.prior_year) statement.lines.back().amounts[kPriorYear] = Money();
  }
  const int columns = statement.prior_year ? kColumns : kPriorYear;
  ReduceByLevel(statement, columns);
  if (statement.percentages) FillPercents(statement, columns);
  for (IncomeStatementLine& line : statement.lines) {
    line.included = Included(line, options.include_zero_balances);
  }
  return statement;
}

}  // namespace zenkar
