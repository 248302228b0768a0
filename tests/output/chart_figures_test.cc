// The charts' figures: income and expenses by month on the statements'
// basis, the bank balance day by day, the unpaid invoices by age; checked on
// hand-computed books and, on generated books, against the income
// statement of each month and the reconciliation's "Bank Balance Through".
#include "output/chart_figures.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <random>

#include "ledger/reconciliation.h"
#include "output/chart_drawing.h"
#include "output/income_statement.h"
#include "output/statement_books.h"

namespace zenkar {
namespace {

using testing::Day;

Money Units(int64_t units) { return Money::FromUnits(units); }

class ChartFiguresTest : public ::testing::Test {
 protected:
  ChartFiguresTest() {
    testing::AddBalanceAccounts(books_);
    testing::AddIncomeAccounts(books_);
    books_.accounts[1].balance_forward = Units(5000);  // the bank
  }

  IncomeExpenseFigures IncomeExpenses(const ReportPeriod& period) {
    IncomeExpenseFigures figures;
    EXPECT_TRUE(ComputeIncomeExpenses(books_.Books(), period, &figures));
    return figures;
  }

  testing::TestBooks books_;
};

TEST_F(ChartFiguresTest, IncomeAndExpensesByMonthFollowTheStatementsBasis) {
  books_
      .Check(Day(2025, 3, 5), "510", -100000)       // a deposit of sales: income 1,000.00
      .Check(Day(2025, 3, 9), "650", 30000)         // rent: expense 300.00
      .Entry(Day(2025, 3, 20), "110", "810", 5000)  // interest: other income 50.00
      .Journal(Day(2025, 3, 21), "599", 7000)       // a total account takes no part
      .Check(Day(2025, 4, 2), "520", 20000)         // a refund: income -200.00
      .Check(Day(2025, 4, 3), "660", 4000)          // telephone: expense 40.00
      .Invoice(Day(2025, 4, 10), "560", 40000)      // a bill: only under accrual
      .Check(Day(2025, 5, 1), "650", 30000);        // after the period
  IncomeExpenseFigures cash = IncomeExpenses(MonthPeriod(2025, 4));
  EXPECT_TRUE(cash.period_has_lines);
  EXPECT_EQ(cash.year.first, Day(2025, 1, 1));
  EXPECT_EQ(cash.problem, ChartAccountProblem::kNone);
  const MonthFigures& march = cash.months[2];
  EXPECT_EQ(march.year, 2025);
  EXPECT_EQ(march.month, 3);
  EXPECT_EQ(march.income, Units(1050));
  EXPECT_EQ(march.expenses, Units(300));
  EXPECT_EQ(march.net(), Units(750));
  // A month of refunds is a negative one.
  EXPECT_EQ(cash.months[3].income, Units(-200));
  EXPECT_EQ(cash.months[3].expenses, Units(40));
  EXPECT_EQ(cash.months[3].net(), Units(-240));
  EXPECT_TRUE(cash.months[3].counted);
  // The months after the period's end have no figures yet.
  EXPECT_FALSE(cash.months[4].counted);
  EXPECT_EQ(cash.months[4].expenses, Money());

  books_.settings.accrual_accounting = 1;
  EXPECT_EQ(IncomeExpenses(MonthPeriod(2025, 4)).months[3].expenses, Units(440));
}

TEST_F(ChartFiguresTest, TheMonthsAreThoseOfTheAccountingYear) {
  books_.settings.fiscal_start_month = 7;
  books_
      .Check(Day(2024, 6, 30), "650", 10000)  // the year before
      .Check(Day(2024, 7, 1), "650", 20000)
      .Check(Day(2025, 2, 14), "650", 30000)
      .Check(Day(2025, 3, 15), "650", 40000);
  // A range cut in mid-March counts March to its end only.
  const IncomeExpenseFigures figures =
      IncomeExpenses(RangePeriod(Day(2025, 2, 1), Day(2025, 3, 10)));
  EXPECT_EQ(figures.year.first, Day(2024, 7, 1));
  EXPECT_EQ(figures.months[0].year, 2024);
  EXPECT_EQ(figures.months[0].month, 7);
  EXPECT_EQ(figures.months[0].expenses, Units(200));
  EXPECT_EQ(figures.months[7].month, 2);
  EXPECT_EQ(figures.months[7].expenses, Units(300));
  EXPECT_EQ(figures.months[8].expenses, Money());
  EXPECT_TRUE(figures.months[8].counted);
  EXPECT_FALSE(figures.months[9].counted);
  EXPECT_EQ(figures.months[11].year, 2025);
  EXPECT_EQ(figures.months[11].month, 6);
}

TEST_F(ChartFiguresTest, LinesWithoutAnAccountTheChartKnowsAreNoted) {
  books_.Check(Day(2025, 3, 5), "650", 1000);
  EXPECT_FALSE(IncomeExpenses(MonthPeriod(2025, 2)).period_has_lines);
  books_.Check(Day(2025, 3, 6), "777", 1000);
  EXPECT_EQ(IncomeExpenses(MonthPeriod(2025, 3)).problem, ChartAccountProblem::kDeleted);
  // The earliest line decides; the year before does not count.
  books_.Check(Day(2025, 1, 2), "", 1000).Check(Day(2024, 12, 2), "778", 1000);
  EXPECT_EQ(IncomeExpenses(MonthPeriod(2025, 3)).problem, ChartAccountProblem::kBlank);
}

TEST_F(ChartFiguresTest, TheBankBalanceIsTakenDayByDay) {
  books_
      .Check(Day(2025, 2, 20), "650", 100000)      // before the period: 4,000.00 opening
      .Check(kNoDate, "650", 50000)                // undated: before every day
      .Check(Day(2025, 3, 2), "510", -25000)       // a deposit
      .Entry(Day(2025, 3, 2), "650", "110", 5000)  // a journal line to the bank
      .Check(Day(2025, 3, 4), "650", 400000)
      .Check(Day(2025, 3, 5), "110", 99900)   // a check to the bank itself moves nothing
      .Invoice(Day(2025, 3, 3), "110", 1000)  // nor does an unpaid invoice
      .Check(Day(2025, 3, 6), "510", -420000)
      .Check(Day(2025, 3, 8), "510", -1000);  // after the period
  BankBalanceFigures figures;
  ASSERT_TRUE(
      ComputeBankBalances(books_.Books(), RangePeriod(Day(2025, 3, 1), Day(2025, 3, 7)), &figures));
  EXPECT_TRUE(figures.period_has_lines);
  const std::vector<DayBalance> expected = {
      {Day(2025, 3, 1), Units(3500)}, {Day(2025, 3, 2), Units(3700)},
      {Day(2025, 3, 3), Units(3700)}, {Day(2025, 3, 4), Units(-300)},
      {Day(2025, 3, 5), Units(-300)}, {Day(2025, 3, 6), Units(3900)},
      {Day(2025, 3, 7), Units(3900)}};
  EXPECT_EQ(figures.days, expected);
  EXPECT_EQ(figures.lowest, 3);   // the first of the two lowest days
  EXPECT_EQ(figures.highest, 5);  // and of the two highest
}

TEST(InvoiceAgeTest, AgesCountFromTheDueDateOrElseTheInvoiceDate) {
  const DayNumber day = Day(2025, 6, 30);
  EXPECT_EQ(AgeOf(day, kNoDate, day), InvoiceAge::kNotYetDue);  // due today
  EXPECT_EQ(AgeOf(day + 5, day - 40, day), InvoiceAge::kNotYetDue);
  EXPECT_EQ(AgeOf(day - 1, kNoDate, day), InvoiceAge::kUpTo30);
  EXPECT_EQ(AgeOf(day - 30, kNoDate, day), InvoiceAge::kUpTo30);
  EXPECT_EQ(AgeOf(day - 31, kNoDate, day), InvoiceAge::kUpTo60);
  EXPECT_EQ(AgeOf(day - 60, kNoDate, day), InvoiceAge::kUpTo60);
  EXPECT_EQ(AgeOf(day - 61, kNoDate, day), InvoiceAge::kUpTo90);
  EXPECT_EQ(AgeOf(day - 90, kNoDate, day), InvoiceAge::kUpTo90);
  EXPECT_EQ(AgeOf(day - 91, kNoDate, day), InvoiceAge::kOver90);
  EXPECT_EQ(AgeOf(kNoDate, day - 45, day), InvoiceAge::kUpTo60);
  EXPECT_EQ(AgeOf(kNoDate, kNoDate, day), InvoiceAge::kNotYetDue);
}

TEST_F(ChartFiguresTest, UnpaidInvoicesAreAgedOnThePeriodsLastDay) {
  books_
      .Invoice(Day(2025, 6, 1), "650", 10000)      // without its due date below: 29 days
      .Invoice(Day(2025, 5, 1), "650", 20050)      // due May 31: 30 days
      .Invoice(Day(2025, 5, 1), "660", 30000)      // the same
      .Invoice(Day(2025, 1, 2), "650", 40000)      // due Feb 1: over 90
      .Invoice(Day(2025, 7, 2), "650", 50000)      // entered after the day
      .Check(Day(2025, 5, 1), "650", 60000);       // paid: not an invoice
  books_.lines[0].due_date = kNoDate;              // counts from June 1: 29 days
  books_.Invoice(Day(2025, 6, 25), "650", 70000);  // due July 25
  InvoiceAgeFigures figures;
  ASSERT_TRUE(ComputeInvoiceAges(books_.Listing(), MonthPeriod(2025, 6), &figures));
  EXPECT_EQ(figures.report_day, Day(2025, 6, 30));
  EXPECT_EQ(figures.buckets[0], (AgeBucket{Units(700), 1}));
  EXPECT_EQ(figures.buckets[1], (AgeBucket{Money::FromCents(60050), 3}));
  EXPECT_EQ(figures.buckets[2], AgeBucket{});
  EXPECT_EQ(figures.buckets[4], (AgeBucket{Units(400), 1}));
  EXPECT_EQ(figures.count(), 5);
  EXPECT_EQ(figures.total(), Money::FromCents(170050));
  EXPECT_EQ(figures.problem, ChartAccountProblem::kNone);
  books_.Invoice(Day(2025, 6, 2), "", 100);
  ASSERT_TRUE(ComputeInvoiceAges(books_.Listing(), MonthPeriod(2025, 6), &figures));
  EXPECT_EQ(figures.problem, ChartAccountProblem::kBlank);
}

TEST(ValueAxisTest, TheAxisTakesZeroAndRoundSteps) {
  ValueAxis axis = ValueAxisFor(Money::FromCents(-123456), Money::FromCents(987654));
  EXPECT_EQ(axis.step_cents, 200000);
  EXPECT_EQ(axis.low_cents, -200000);
  EXPECT_EQ(axis.high_cents, 1000000);
  axis = ValueAxisFor(Units(10), Units(40));
  EXPECT_EQ(axis.low_cents, 0);
  EXPECT_EQ(axis.step_cents, 1000);
  EXPECT_EQ(axis.Ticks().back(), Units(40));
  axis = ValueAxisFor(Money(), Money());
  EXPECT_EQ(axis.high_cents, 10000);
  const ChartBox box{0, 100, 100, 200};
  EXPECT_DOUBLE_EQ(axis.Y(Money(), box), 200);
  EXPECT_DOUBLE_EQ(axis.Y(Units(100), box), 100);
  EXPECT_EQ(ValueAxisFor(Units(-1000), Units(-10)).high_cents, 0);
}

// Generated books of checks, deposits, journal entries and unpaid invoices
// over two years, on either basis and any accounting year.
class GeneratedBooks {
 public:
  explicit GeneratedBooks(uint32_t seed) : random_(seed) {
    testing::AddBalanceAccounts(books);
    testing::AddIncomeAccounts(books);
    for (const AccountRecord& account : books.accounts) {
      if (account.IsEntry() && account.number != AccountKey("110"))
        entries_.push_back(account.number);
    }
    books.accounts[1].balance_forward = Money::FromCents(Pick(0, 900000));
    books.settings.fiscal_start_month = Pick(1, 12);
    books.settings.accrual_accounting = Pick(0, 1);
    for (int i = 0; i < 500; ++i) AddLine();
  }

  int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

  testing::TestBooks books;

 private:
  const std::string& AnyAccount() { return entries_[Pick(0, entries_.size() - 1)]; }
  DayNumber AnyDay() { return Day(2024, 1, 1) + Pick(0, 2 * 365); }
  int64_t Cents() { return Pick(-300000, 300000); }

  void AddLine() {
    switch (Pick(0, 3)) {
      case 0:
        books.Check(AnyDay(), AnyAccount(), Cents());
        break;
      case 1:
        books.Entry(AnyDay(), AnyAccount(), Pick(0, 3) == 0 ? "110" : AnyAccount(), Cents());
        break;
      case 2:
        books.Invoice(AnyDay(), AnyAccount(), Cents());
        break;
      default:
        books.Check(AnyDay(), AnyAccount(), Cents() * 3 + 1);  // a fraction of a cent beyond
        books.last().amount += Money::FromRaw(37);
        break;
    }
  }

  std::mt19937 random_;
  std::vector<std::string> entries_;
};

TEST(ChartFiguresPropertyTest, EachMonthIsTheIncomeStatementOfThatMonth) {
  for (uint32_t seed = 1; seed <= 8; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    GeneratedBooks generated(seed);
    testing::TestBooks& books = generated.books;
    const ChartOfAccounts& chart = books.chart();
    const ReportPeriod period = MonthPeriod(2025, generated.Pick(1, 12));
    IncomeExpenseFigures figures;
    ASSERT_TRUE(ComputeIncomeExpenses(books.Books(), period, &figures));
    for (const MonthFigures& month : figures.months) {
      if (!month.counted) continue;
      const ReportPeriod whole_month = MonthPeriod(month.year, month.month);
      ReportPeriod counted = whole_month;
      counted.last = std::min(whole_month.last, period.last);
      const StatementWindow window = StatementWindowOf(counted, books.settings.fiscal_start_month);
      StatementScan scan;
      ASSERT_TRUE(ScanStatementLines(books.Source(), chart, books.settings, window, &scan,
                                     ScanScope::kIncomeStatement));
      Money income, expenses;
      for (int record = 1; record <= chart.count(); ++record) {
        const int32_t type = chart.account(record).type;
        const Money current = scan.accounts[record - 1].current;
        if (type == kIncome || type == kOtherIncome) income -= current;
        if (type == kCostOfSales || type == kOperatingExpenses || type == kOtherExpenses) {
          expenses += current;
        }
      }
      EXPECT_EQ(month.income, income) << month.year << "-" << month.month;
      EXPECT_EQ(month.expenses, expenses) << month.year << "-" << month.month;
      // The statement's own net profit line (level 9 sums every account).
      const IncomeStatement statement = ComputeIncomeStatement(chart, scan, window, {true, true});
      EXPECT_EQ(month.net(), testing::IncomeLine(statement, chart, "999").amounts[kCurrentPeriod]);
    }
  }
}

TEST(ChartFiguresPropertyTest, EachDayIsTheBankBalanceThroughThatDay) {
  for (uint32_t seed = 11; seed <= 16; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    GeneratedBooks generated(seed);
    testing::TestBooks& books = generated.books;
    const int start_month = books.settings.fiscal_start_month;
    const AccountingYear year = AccountingYearNamed(2024, start_month);
    BankBalanceFigures figures;
    ASSERT_TRUE(ComputeBankBalances(books.Books(), RangePeriod(year.first, year.last), &figures));
    ReconciliationItemBuilder builder(books.settings.bank_account);
    for (const TransactionRecord& line : books.lines) builder.Add(line);
    const ReconciliationBooks reconciliation = builder.Finish(books.accounts[1].balance_forward);
    ASSERT_EQ(figures.days.size(), static_cast<size_t>(year.last - year.first + 1));
    for (const DayBalance& day : figures.days) {
      ASSERT_EQ(day.balance, reconciliation.BalanceThrough(day.day))
          << FormatDate(day.day, "yyyy-MM-dd");
    }
  }
}

}  // namespace
}  // namespace zenkar
