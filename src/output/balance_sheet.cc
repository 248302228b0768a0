#include "output/balance_sheet.h"

#include <algorithm>

#include "output/income_statement.h"
#include "output/statement_levels.h"

namespace zenkar {
namespace {

constexpr size_t kDescriptionWidth = 40;
// The level whose sum the profit line balances.
constexpr int kProfitLevel = 5;
// Levels above this print in the last column and count as it.
constexpr int kLastColumnLevel = 3;

bool IsBalanceSheetType(int32_t type) { return type == kAssets || type == kLiabilitiesAndEquity; }

Money CapitalAdjustment(const ChartOfAccounts& chart, const StatementScan& scan) {
  Money carried;
  for (int record = 1; record <= chart.count(); ++record) {
    const AccountRecord& account = chart.account(record);
    if (!IsIncomeStatementType(account.type)) continue;
    carried += account.balance_forward + scan.accounts[record - 1].before_year;
  }
  return carried;
}

class SheetBuilder {
 public:
  SheetBuilder(BalanceSheet& sheet, bool include_zero)
      : sheet_(sheet), include_zero_(include_zero) {}

  void Add(const AccountRecord& account, int record, Money balance) {
    BalanceSheetLine line;
    line.record = record;
    line.description = account.description.substr(0, kDescriptionWidth);
    line.type = account.type;
    line.title_type = account.title_type;
    line.level = TotalLevelOf(account.total_level);
    line.balance = balance;
    if (line.title_type == kBalanceSheetProfit) MakeProfitLine(line);
    Accumulate(line);
    Place(line);
    sheet_.lines.push_back(std::move(line));
  }

 private:
  void MakeProfitLine(BalanceSheetLine& line) {
    line.level = previous_level_ == 1 ? 1 : 2;
    line.balance = -sums_.At(kProfitLevel);
    sheet_.has_profit_line = true;
    sheet_.profit = line.type == kLiabilitiesAndEquity ? -line.balance : line.balance;
  }

  void Accumulate(BalanceSheetLine& line) {
    sums_.Add(line.level, line.balance);
    const int shown = std::min(line.level, kLastColumnLevel);
    for (int column = 1; column <= shown; ++column) {
      const Money sum = sums_.At(column == kLastColumnLevel ? line.level : column);
      line.columns[column - 1] = line.type == kLiabilitiesAndEquity ? -sum : sum;
    }
    sums_.ClearThrough(line.level);
    if (line.type == kAssets) sheet_.total_assets += line.balance;
    if (line.type == kLiabilitiesAndEquity) sheet_.total_liabilities_and_equity -= line.balance;
  }

  // Inclusion and the blank line before: a title, or anything after a line
  // of a level above 2.
  void Place(BalanceSheetLine& line) {
    line.included = line.title_type != kEntryAccount || include_zero_ || !line.balance.IsZero();
    if (!line.included || line.title_type == kPageBreak) return;
    line.blank_before = line.title_type == kTitleAccount || previous_level_ > 2;
    previous_level_ = std::min(line.level, kLastColumnLevel);
  }

  BalanceSheet& sheet_;
  bool include_zero_;
  LevelAccumulators sums_;
  int previous_level_ = 1;
};

}  // namespace

BalanceSheet ComputeBalanceSheet(const ChartOfAccounts& chart, const StatementScan& scan,
                                 const StatementWindow& window, const CompanySettings& settings,
                                 bool include_zero_balances) {
  BalanceSheet sheet;
  sheet.window = window;
  sheet.capital_adjustment = CapitalAdjustment(chart, scan);
  const int capital = chart.FindAccount(settings.capital_account);
  SheetBuilder builder(sheet, include_zero_balances);
  for (int record = 1; record <= chart.count(); ++record) {
    const AccountRecord& account = chart.account(record);
    if (!IsBalanceSheetType(account.type)) continue;
    Money balance = scan.accounts[record - 1].to_period_end + account.balance_forward;
    if (record == capital) balance += sheet.capital_adjustment;
    builder.Add(account, record, balance);
  }
  return sheet;
}

}  // namespace zenkar
