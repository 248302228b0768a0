#include "output/chart_figures.h"

#include <algorithm>
#include <unordered_map>

#include "common/text_field.h"
#include "ledger/account_record.h"
#include "ledger/bookkeeping.h"

namespace zenkar {
namespace {

// What a chart needs to know of an account number: whether the chart has it
// and its type (the first account of that number, as the statements take).
class AccountTypes {
 public:
  explicit AccountTypes(const ChartOfAccounts& chart) {
    types_.reserve(static_cast<size_t>(chart.count()) * 2);
    for (const AccountRecord& account : chart.accounts()) {
      types_.emplace(PackedAccountNumber(account.number), account.type);
    }
  }

  // The account's type, or 0 when the chart lacks it.
  int32_t TypeOf(std::string_view account) const {
    const auto found = types_.find(PackedAccountNumber(account));
    return found == types_.end() ? 0 : found->second;
  }

 private:
  std::unordered_map<uint32_t, int32_t> types_;
};

// Keeps the earliest line (by date, then by place in the file) whose own
// account the chart cannot name, as the statements do.
class ProblemFinder {
 public:
  explicit ProblemFinder(const AccountTypes& types) : types_(types) {}

  void Check(std::string_view account, DayNumber day) {
    const bool blank = Trim(account).empty();
    if (!blank && types_.TypeOf(account) != 0) return;
    if (problem_ != ChartAccountProblem::kNone && day_ <= day) return;
    problem_ = blank ? ChartAccountProblem::kBlank : ChartAccountProblem::kDeleted;
    day_ = day;
  }
  ChartAccountProblem problem() const { return problem_; }

 private:
  const AccountTypes& types_;
  ChartAccountProblem problem_ = ChartAccountProblem::kNone;
  DayNumber day_ = kNoDate;
};

bool Within(DayNumber day, DayNumber first, DayNumber last) { return day >= first && day <= last; }

bool IsIncomeType(int32_t type) { return type == kIncome || type == kOtherIncome; }
bool IsExpenseType(int32_t type) {
  return type == kCostOfSales || type == kOperatingExpenses || type == kOtherExpenses;
}

}  // namespace

bool ComputeIncomeExpenses(const StatementBooks& books, const ReportPeriod& period,
                           IncomeExpenseFigures* figures) {
  *figures = IncomeExpenseFigures();
  figures->year = AccountingYearOf(period.first, books.settings.fiscal_start_month);
  figures->through = period.last;
  const CivilDate start = ToCivilDate(figures->year.first);
  for (int i = 0; i < 12; ++i) {
    MonthFigures& month = figures->months[i];
    const int index = start.month - 1 + i;
    month.year = start.year + index / 12;
    month.month = index % 12 + 1;
    month.counted = FirstOfMonth(month.year, month.month) <= period.last;
  }
  const AccountTypes types(books.chart);
  ProblemFinder problems(types);
  const DayNumber first = figures->year.first;
  const bool read = books.lines([&](const TransactionRecord& line) {
    const DayNumber day = StatementDate(line);
    if (day == kNoDate || !Within(day, first, period.last)) return;
    const LineMoves moves = BalanceMoves(line, books.settings, Basis::kStatements);
    if (moves.count == 0) return;
    if (Within(day, period.first, period.last)) figures->period_has_lines = true;
    problems.Check(line.account, day);
    const CivilDate date = ToCivilDate(day);
    MonthFigures& month = figures->months[((date.month - start.month) % 12 + 12) % 12];
    for (const BalanceMove& move : moves) {
      const int32_t type = types.TypeOf(move.account);
      if (IsIncomeType(type)) month.income -= move.amount;
      if (IsExpenseType(type)) month.expenses += move.amount;
    }
  });
  figures->problem = problems.problem();
  return read;
}

bool ComputeBankBalances(const StatementBooks& books, const ReportPeriod& period,
                         BankBalanceFigures* figures) {
  *figures = BankBalanceFigures();
  figures->bank_account = books.settings.bank_account;
  const uint32_t bank = PackedAccountNumber(books.settings.bank_account);
  const int record = books.chart.FindAccount(books.settings.bank_account);
  Money opening = record == 0 ? Money() : books.chart.account(record).balance_forward;
  const int day_count = period.last >= period.first ? period.last - period.first + 1 : 0;
  std::vector<Money> moved(static_cast<size_t>(day_count));
  const AccountTypes types(books.chart);
  ProblemFinder problems(types);
  const DayNumber year_first =
      AccountingYearOf(period.first, books.settings.fiscal_start_month).first;
  const bool read = books.lines([&](const TransactionRecord& line) {
    const DayNumber day = StatementDate(line);
    if (day != kNoDate && day > period.last) return;
    const LineMoves moves = BalanceMoves(line, books.settings, Basis::kStatements);
    if (moves.count == 0) return;
    if (Within(day, period.first, period.last)) figures->period_has_lines = true;
    if (Within(day, year_first, period.last)) problems.Check(line.account, day);
    for (const BalanceMove& move : moves) {
      if (PackedAccountNumber(move.account) != bank) continue;
      if (day < period.first) {
        opening += move.amount;  // undated lines too: they count before every day
      } else {
        moved[day - period.first] += move.amount;
      }
    }
  });
  figures->problem = problems.problem();
  Money balance = opening;
  for (int i = 0; i < day_count; ++i) {
    balance += moved[i];
    figures->days.push_back({period.first + i, balance});
  }
  for (int i = 0; i < day_count; ++i) {
    if (figures->days[i].balance < figures->days[figures->lowest].balance) figures->lowest = i;
    if (figures->days[i].balance > figures->days[figures->highest].balance) figures->highest = i;
  }
  return read;
}

InvoiceAge AgeOf(DayNumber due_date, DayNumber invoice_date, DayNumber report_day) {
  const DayNumber due = due_date != kNoDate ? due_date : invoice_date;
  if (due == kNoDate || due >= report_day) return InvoiceAge::kNotYetDue;
  const int days = report_day - due;
  if (days <= 30) return InvoiceAge::kUpTo30;
  if (days <= 60) return InvoiceAge::kUpTo60;
  if (days <= 90) return InvoiceAge::kUpTo90;
  return InvoiceAge::kOver90;
}

int InvoiceAgeFigures::count() const {
  int sum = 0;
  for (const AgeBucket& bucket : buckets) sum += bucket.count;
  return sum;
}

Money InvoiceAgeFigures::total() const {
  Money sum;
  for (const AgeBucket& bucket : buckets) sum += bucket.total;
  return sum;
}

bool ComputeInvoiceAges(const ListingBooks& books, const ReportPeriod& period,
                        InvoiceAgeFigures* figures) {
  *figures = InvoiceAgeFigures();
  figures->report_day = period.last;
  const AccountTypes types(books.chart);
  ProblemFinder problems(types);
  const bool read = books.records([&](int, std::string_view record) {
    const TransactionFacts facts = ReadTransactionFacts(record);
    if (facts.kind != kInvoice) return;
    const DayNumber entered = ListingDate(facts);
    if (entered != kNoDate && entered > period.last) return;
    problems.Check(facts.account, entered);
    AgeBucket& bucket =
        figures->buckets[static_cast<int>(AgeOf(facts.due_date, facts.invoice_date, period.last))];
    bucket.total += facts.amount.RoundedToCents();
    ++bucket.count;
  });
  figures->problem = problems.problem();
  return read;
}

}  // namespace zenkar
