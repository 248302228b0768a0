#include "output/chart_figures.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

#include "common/text_field.h"
#include "ledger/account_record.h"
#include "ledger/bookkeeping.h"

namespace zenkar {
namespace {

// What a chart needs to know of an account number: whether the chart has it
// and its type (the first account of that number, as the statements take).
// An open-addressed table a few times larger than the chart: a chart looks
// up two moves of every line, so a lookup is a multiply and a probe or two.
class AccountTypes {
 public:
  explicit AccountTypes(const ChartOfAccounts& chart) {
    size_t size = 64;
    while (size < 4 * static_cast<size_t>(chart.count())) size *= 2;
    slots_.assign(size, Slot{});
    mask_ = size - 1;
    for (const AccountRecord& account : chart.accounts()) {
      Slot& slot = SlotOf(PackedAccountNumber(account.number));
      if (!slot.used) slot = {PackedAccountNumber(account.number), account.type, true};
    }
  }

  // The type of an account (as PackedAccountNumber gives it), or 0 when the
  // chart lacks it.
  int32_t TypeOf(uint32_t packed) const {
    const Slot& slot = SlotOf(packed);
    return slot.used ? slot.type : 0;
  }

 private:
  struct Slot {
    uint32_t packed = 0;
    int32_t type = 0;
    bool used = false;
  };

  const Slot& SlotOf(uint32_t packed) const {
    size_t at = AccountSlotStart(packed, mask_);
    while (slots_[at].used && slots_[at].packed != packed) at = (at + 1) & mask_;
    return slots_[at];
  }
  Slot& SlotOf(uint32_t packed) {
    return const_cast<Slot&>(static_cast<const AccountTypes&>(*this).SlotOf(packed));
  }

  std::vector<Slot> slots_;
  size_t mask_ = 0;
};

// Keeps the earliest line (by date, then by place in the file) whose own
// account the chart cannot name, as the statements do.
class ProblemFinder {
 public:
  explicit ProblemFinder(const AccountTypes& types) : types_(types) {}

  // `account` (packed) is the own account of lines on `day`, the first of
  // them line `line` of the file.
  void Check(uint32_t account, DayNumber day, int line) {
    const bool blank = account == PackedAccountNumber("    ");
    if (!blank && types_.TypeOf(account) != 0) return;
    if (problem_ != ChartAccountProblem::kNone && (day_ < day || (day_ == day && line_ < line))) {
      return;
    }
    problem_ = blank ? ChartAccountProblem::kBlank : ChartAccountProblem::kDeleted;
    day_ = day;
    line_ = line;
  }
  ChartAccountProblem problem() const { return problem_; }

 private:
  const AccountTypes& types_;
  ChartAccountProblem problem_ = ChartAccountProblem::kNone;
  DayNumber day_ = kNoDate;
  int line_ = 0;
};

bool Within(DayNumber day, DayNumber first, DayNumber last) { return day >= first && day <= last; }

bool IsIncomeType(int32_t type) { return type == kIncome || type == kOtherIncome; }
bool IsExpenseType(int32_t type) {
  return type == kCostOfSales || type == kOperatingExpenses || type == kOtherExpenses;
}

// Income and expenses gathered line by line.
class IncomeExpenseTally {
 public:
  IncomeExpenseTally(const StatementBooks& books, const ReportPeriod& period,
                     const AccountTypes& types, IncomeExpenseFigures* figures)
      : period_(period), types_(types), problems_(types), figures_(*figures) {
    figures_ = IncomeExpenseFigures();
    figures_.year = AccountingYearOf(period.first, books.settings.fiscal_start_month);
    figures_.through = period.last;
    const CivilDate start = ToCivilDate(figures_.year.first);
    for (int i = 0; i < 12; ++i) {
      MonthFigures& month = figures_.months[i];
      const int index = start.month - 1 + i;
      month.year = start.year + index / 12;
      month.month = index % 12 + 1;
      month_starts_[i] = FirstOfMonth(month.year, month.month);
      month.counted = month_starts_[i] <= period.last;
    }
    month_starts_[12] = figures_.year.last + 1;
  }

  bool Wants(DayNumber day) const {
    return day != kNoDate && Within(day, figures_.year.first, period_.last);
  }

  // `moves` are those of lines on `day`, the first of them line `line`;
  // the first move is to their own account.
  void Add(DayNumber day, const PackedMoves& moves, int line) {
    if (Within(day, period_.first, period_.last)) figures_.period_has_lines = true;
    problems_.Check(moves.moves[0].account, day, line);
    const auto after = std::upper_bound(month_starts_.begin() + 1, month_starts_.end(), day);
    MonthFigures& month = figures_.months[after - month_starts_.begin() - 1];
    for (const PackedMove& move : moves) {
      const int32_t type = types_.TypeOf(move.account);
      if (IsIncomeType(type)) month.income -= move.amount;
      if (IsExpenseType(type)) month.expenses += move.amount;
    }
  }

  void Finish() { figures_.problem = problems_.problem(); }

 private:
  const ReportPeriod period_;
  const AccountTypes& types_;
  ProblemFinder problems_;
  IncomeExpenseFigures& figures_;
  // The first day of each month, then of the next year: a line's month is
  // found among them.
  std::array<DayNumber, 13> month_starts_{};
};

// The bank account's moves gathered line by line.
class BankBalanceTally {
 public:
  BankBalanceTally(const StatementBooks& books, const ReportPeriod& period,
                   const AccountTypes& types, BankBalanceFigures* figures)
      : period_(period),
        bank_(PackedAccountNumber(books.settings.bank_account)),
        year_first_(AccountingYearOf(period.first, books.settings.fiscal_start_month).first),
        problems_(types),
        figures_(*figures) {
    figures_ = BankBalanceFigures();
    figures_.bank_account = books.settings.bank_account;
    const int record = books.chart.FindAccount(books.settings.bank_account);
    if (record != 0) opening_ = books.chart.account(record).balance_forward;
    const int day_count = period.last >= period.first ? period.last - period.first + 1 : 0;
    moved_.resize(static_cast<size_t>(day_count));
  }

  // Every line up to the period's end: the earlier ones make the opening.
  bool Wants(DayNumber day) const { return day == kNoDate || day <= period_.last; }

  void Add(DayNumber day, const PackedMoves& moves, int line) {
    if (Within(day, period_.first, period_.last)) figures_.period_has_lines = true;
    if (Within(day, year_first_, period_.last)) problems_.Check(moves.moves[0].account, day, line);
    for (const PackedMove& move : moves) {
      if (move.account != bank_) continue;
      if (day < period_.first) {
        opening_ += move.amount;  // undated lines too: they count before every day
      } else {
        moved_[day - period_.first] += move.amount;
      }
    }
  }

  void Finish() {
    figures_.problem = problems_.problem();
    Money balance = opening_;
    for (size_t i = 0; i < moved_.size(); ++i) {
      balance += moved_[i];
      figures_.days.push_back({period_.first + static_cast<DayNumber>(i), balance});
    }
    for (int i = 0; i < static_cast<int>(figures_.days.size()); ++i) {
      const Money day = figures_.days[i].balance;
      if (day < figures_.days[figures_.lowest].balance) figures_.lowest = i;
      if (day > figures_.days[figures_.highest].balance) figures_.highest = i;
    }
  }

 private:
  const ReportPeriod period_;
  const uint32_t bank_;
  const DayNumber year_first_;
  ProblemFinder problems_;
  BankBalanceFigures& figures_;
  Money opening_;
  std::vector<Money> moved_;
};

// The books' figures for any of the tallies: the moves of each cell on the
// statements' basis are found once, for the tallies that want its day.
template <typename... Tally>
bool TallyLines(const StatementBooks& books, Tally&... tallies) {
  PeriodFigures summed;
  const PeriodFigures* figures = FiguresOf(books, &summed);
  const PackedBookkeeping rules(books.settings, Basis::kStatements);
  if (figures != nullptr) {
    figures->ForEachCell([&](const FigureCell& cell) {
      const DayNumber day = cell.day;
      if (!(tallies.Wants(day) || ...)) return;
      const PackedMoves moves = rules.Moves(cell.kind, cell.account, cell.amount);
      if (moves.count == 0) return;
      ((tallies.Wants(day) ? tallies.Add(day, moves, cell.record_number) : void()), ...);
    });
  }
  (tallies.Finish(), ...);
  return figures != nullptr;
}

}  // namespace

bool ComputeIncomeExpenses(const StatementBooks& books, const ReportPeriod& period,
                           IncomeExpenseFigures* figures) {
  const AccountTypes types(books.chart);
  IncomeExpenseTally year(books, period, types, figures);
  return TallyLines(books, year);
}

bool ComputeBankBalances(const StatementBooks& books, const ReportPeriod& period,
                         BankBalanceFigures* figures) {
  const AccountTypes types(books.chart);
  BankBalanceTally balance(books, period, types, figures);
  return TallyLines(books, balance);
}

bool ComputeBankBalancesAndIncomeExpenses(const StatementBooks& books,
                                          const ReportPeriod& balance_period,
                                          const ReportPeriod& year_period,
                                          BankBalanceFigures* balances,
                                          IncomeExpenseFigures* year_figures) {
  const AccountTypes types(books.chart);
  BankBalanceTally balance(books, balance_period, types, balances);
  IncomeExpenseTally year(books, year_period, types, year_figures);
  return TallyLines(books, balance, year);
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
  PeriodFigures summed;
  const PeriodFigures* cells = FiguresOf(books, &summed);
  if (cells == nullptr) return false;
  const AccountTypes types(books.chart);
  ProblemFinder problems(types);
  cells->ForEachCell([&](const FigureCell& cell) {
    if (cell.kind != kInvoice) return;
    const DayNumber entered = cell.day;  // the listing date
    if (entered != kNoDate && entered > period.last) return;
    problems.Check(cell.account, entered, cell.record_number);
    AgeBucket& bucket =
        figures->buckets[static_cast<int>(AgeOf(cell.age_day, kNoDate, period.last))];
    bucket.total += cell.amount;
    ++bucket.count;
  });
  figures->problem = problems.problem();
  return true;
}

}  // namespace zenkar
