// Properties of the statements on randomly generated books of the default
// chart: the balance sheet balances at the end of every month, its profit
// line is the income statement's year-to-date net profit, and both agree
// with balances summed line by line.
#include <gtest/gtest.h>

#include <map>
#include <random>

#include "common/file_system.h"
#include "ledger/chart_text.h"
#include "output/balance_sheet.h"
#include "output/income_statement.h"
#include "output/statement_books.h"

namespace zenkar {
namespace {

using testing::Day;

class RandomBooks {
 public:
  explicit RandomBooks(uint32_t seed) : random_(seed) {
    std::string text;
    EXPECT_TRUE(PosixFileSystem().ReadFile(ZENKAR_DEFAULT_CHART_TEXT, &text).ok());
    EXPECT_TRUE(ParseChartText(text, &books.accounts).ok());
    for (const AccountRecord& account : books.accounts) {
      if (account.IsEntry()) entries_.push_back(account.number);
    }
    books.settings.fiscal_start_month = Pick(1, 12);
    books.settings.accrual_accounting = Pick(0, 1);
    AddBalanceForwards();
    for (int i = 0; i < 600; ++i) AddLine();
  }

  testing::TestBooks books;

 private:
  int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
  int64_t Cents() { return std::uniform_int_distribution<int64_t>(-500000, 500000)(random_); }
  const std::string& AnyAccount() { return entries_[Pick(0, entries_.size() - 1)]; }
  DayNumber AnyDay() { return Day(2013, 1, 1) + Pick(0, 3 * 365); }

  // Opening balances that sum to zero, on accounts of every type.
  void AddBalanceForwards() {
    int64_t total = 0;
    for (AccountRecord& account : books.accounts) {
      if (!account.IsEntry() || Pick(0, 2) != 0) continue;
      const int64_t cents = Cents();
      account.balance_forward = Money::FromCents(cents);
      total += cents;
    }
    for (AccountRecord& account : books.accounts) {
      if (account.number == AccountKey("465")) account.balance_forward -= Money::FromCents(total);
    }
  }

  void AddLine() {
    switch (Pick(0, 2)) {
      case 0: {  // a journal entry of two or three lines
        const DayNumber day = AnyDay();
        const int64_t first = Cents();
        const int64_t second = Pick(0, 1) == 0 ? 0 : Cents();
        books.Journal(day, AnyAccount(), first);
        if (second != 0) books.Journal(day, AnyAccount(), second);
        books.Journal(day, AnyAccount(), -first - second);
        break;
      }
      case 1:
        if (const std::string& account = AnyAccount(); account != AccountKey("110")) {
          books.Check(AnyDay(), account, Cents());
        }
        break;
      default:
        books.Invoice(AnyDay(), AnyAccount(), Cents());
        break;
    }
  }

  std::mt19937 random_;
  std::vector<std::string> entries_;
};

struct Statements {
  IncomeStatement income;
  BalanceSheet balance;
};

Statements Compute(testing::TestBooks& books, const ReportPeriod& period) {
  const StatementWindow window = StatementWindowOf(period, books.settings.fiscal_start_month);
  StatementScan scan;
  EXPECT_TRUE(ScanStatementLines(books.Source(), books.chart(), books.settings, window, &scan));
  return {ComputeIncomeStatement(books.chart(), scan, window, {}),
          ComputeBalanceSheet(books.chart(), scan, window, books.settings, false)};
}

Money NetProfit(const Statements& statements, const ChartOfAccounts& chart,
                StatementColumn column) {
  return testing::IncomeLine(statements.income, chart, "999").amounts[column];
}

// Balances summed line by line, the way a bookkeeper would: every line
// counted on the statements' basis moves its account and, for a check or
// deposit, the bank the other way; under accrual an invoice moves payables.
std::map<std::string, Money> Balances(const testing::TestBooks& books, DayNumber from,
                                      DayNumber to) {
  std::map<std::string, Money> balances;
  for (const TransactionRecord& line : books.lines) {
    const DayNumber day = line.date != kNoDate ? line.date : line.invoice_date_2;
    if (day < from || day > to) continue;
    if (line.kind == kInvoice && books.settings.accrual_accounting == 0) continue;
    balances[line.account] += line.amount;
    if (line.kind == kCheckOrDeposit) balances[AccountKey("110")] -= line.amount;
    if (line.kind == kInvoice) balances[AccountKey("210")] -= line.amount;
  }
  return balances;
}

Money SumOfType(testing::TestBooks& books, const std::map<std::string, Money>& balances,
                bool with_balance_forwards, std::function<bool(int32_t)> type_wanted) {
  Money sum;
  for (const AccountRecord& account : books.accounts) {
    if (!type_wanted(account.type)) continue;
    if (auto found = balances.find(account.number); found != balances.end()) sum += found->second;
    if (with_balance_forwards) sum += account.balance_forward;
  }
  return sum;
}

class StatementPropertyTest : public ::testing::TestWithParam<uint32_t> {};

TEST_P(StatementPropertyTest, TheBalanceSheetBalancesAtTheEndOfEveryMonth) {
  RandomBooks random(GetParam());
  testing::TestBooks& books = random.books;
  const ChartOfAccounts& chart = books.chart();
  for (int year = 2013; year <= 2015; ++year) {
    for (int month = 1; month <= 12; ++month) {
      const ReportPeriod period = MonthPeriod(year, month);
      const Statements s = Compute(books, period);
      const std::string when = std::to_string(year) + "-" + std::to_string(month);
      EXPECT_EQ(s.balance.total_assets, s.balance.total_liabilities_and_equity) << when;
      EXPECT_EQ(s.balance.profit, NetProfit(s, chart, kYearToDate)) << when;
      const auto to_date = Balances(books, kFirstDayNumber, period.last);
      EXPECT_EQ(s.balance.total_assets,
                SumOfType(books, to_date, true, [](int32_t t) { return t == kAssets; }))
          << when;
      const auto in_month = Balances(books, period.first, period.last);
      EXPECT_EQ(NetProfit(s, chart, kCurrentPeriod),
                -SumOfType(books, in_month, false, IsIncomeStatementType))
          << when;
    }
  }
}

TEST_P(StatementPropertyTest, AYearsNetProfitIsTheBalanceSheetProfitAtTheYearsEnd) {
  RandomBooks random(GetParam());
  testing::TestBooks& books = random.books;
  const ChartOfAccounts& chart = books.chart();
  for (int year = 2013; year <= 2014; ++year) {
    const AccountingYear whole = AccountingYearNamed(year, books.settings.fiscal_start_month);
    const Statements s = Compute(books, RangePeriod(whole.first, whole.last));
    EXPECT_EQ(NetProfit(s, chart, kCurrentPeriod), NetProfit(s, chart, kYearToDate));
    const Statements at_end = Compute(books, DatePeriod(whole.last));
    EXPECT_EQ(NetProfit(s, chart, kCurrentPeriod), at_end.balance.profit) << year;
  }
}

INSTANTIATE_TEST_SUITE_P(Seeds, StatementPropertyTest, ::testing::Range(1u, 13u));

}  // namespace
}  // namespace zenkar
