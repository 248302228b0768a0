// The figures of the three charts of the Reports tab, computed from the books
// before anything is drawn: income and expenses by month, the bank balance
// day by day, and the unpaid invoices by age.
//
// They follow the statements' bookkeeping (statement_scan.h): a line counts
// on its statement date when BalanceMoves gives it moves on the statements'
// basis, so under accrual accounting an unpaid invoice counts on its invoice
// date and otherwise not at all. Income is what the income and other income
// accounts (types 3 and 7) received, negated so that income is positive;
// expenses what cost of sales, operating and other expenses (types 4, 6 and
// 8) received; net profit is the difference. The total types 5 and 9 take no
// part.
#ifndef ZENKAR_OUTPUT_CHART_FIGURES_H_
#define ZENKAR_OUTPUT_CHART_FIGURES_H_

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "common/day_number.h"
#include "common/money.h"
#include "output/financial_statements.h"
#include "output/listing_books.h"
#include "output/report_period.h"

namespace zenkar {

// A line the figures read whose own account the chart cannot name.
enum class ChartAccountProblem { kNone, kBlank, kDeleted };

struct MonthFigures {
  int year = 0;   // calendar year and month
  int month = 0;  // 1 to 12
  // False for the months after the period's end: they have no figures yet.
  bool counted = false;
  Money income;
  Money expenses;
  Money net() const { return income - expenses; }
};

struct IncomeExpenseFigures {
  AccountingYear year;                  // the accounting year holding the period
  DayNumber through = kNoDate;          // the period's last day
  std::array<MonthFigures, 12> months;  // from the accounting year's first month
  bool period_has_lines = false;
  ChartAccountProblem problem = ChartAccountProblem::kNone;
};

// The twelve months of the accounting year holding `period`, each month from
// its first day up to the period's end (a month cut by the period's end
// counts to that day). Lines of the year up to the period's end whose own
// account is blank or missing from the chart are noted as the problem.
// False when the lines could not be read.
bool ComputeIncomeExpenses(const StatementBooks& books, const ReportPeriod& period,
                           IncomeExpenseFigures* figures);

struct DayBalance {
  DayNumber day = kNoDate;
  Money balance;  // the bank account's balance at the end of the day
  friend bool operator==(const DayBalance&, const DayBalance&) = default;
};

struct BankBalanceFigures {
  std::string bank_account;       // the settings' bank account, as stored
  std::vector<DayBalance> days;   // every day of the period, in order
  int lowest = 0;                 // index of the first day with the lowest balance
  int highest = 0;                // and of the first with the highest
  bool period_has_lines = false;  // a counted line of any account is dated in the period
  ChartAccountProblem problem = ChartAccountProblem::kNone;  // as for income and expenses
};

// The bank account's balance at the end of every day of `period`: its
// balance forward and every move to it up to that day (a line without a
// date counts before every day, as it counts in the posted totals and the
// reconciliation's book balance).
bool ComputeBankBalances(const StatementBooks& books, const ReportPeriod& period,
                         BankBalanceFigures* figures);

// Both in one pass over the lines, as the "View Charts" window wants them.
bool ComputeBankBalancesAndIncomeExpenses(const StatementBooks& books,
                                          const ReportPeriod& balance_period,
                                          const ReportPeriod& year_period,
                                          BankBalanceFigures* balances,
                                          IncomeExpenseFigures* year_figures);

// The ages of an unpaid invoice on the report date.
enum class InvoiceAge { kNotYetDue, kUpTo30, kUpTo60, kUpTo90, kOver90 };
inline constexpr std::array<std::string_view, 5> kInvoiceAgeLabels = {
    "Not Yet Due", "1-30 Days", "31-60 Days", "61-90 Days", "Over 90 Days"};

// How old an invoice is on `report_day`: past due by the days from its due
// date (or, without one, its invoice date) when that is before the day.
InvoiceAge AgeOf(DayNumber due_date, DayNumber invoice_date, DayNumber report_day);

struct AgeBucket {
  Money total;
  int count = 0;
  friend bool operator==(const AgeBucket&, const AgeBucket&) = default;
};

struct InvoiceAgeFigures {
  DayNumber report_day = kNoDate;                            // the period's last day
  std::array<AgeBucket, 5> buckets;                          // by InvoiceAge
  ChartAccountProblem problem = ChartAccountProblem::kNone;  // of an invoice aged
  int count() const;
  Money total() const;
};

// The unpaid invoices of the books entered by the period's last day (on
// their listing date: ListingDate; an undated one counts), each rounded to
// cents, by age on that day (from the books' figures, which keep each
// invoice's listing date and the day its age counts from).
bool ComputeInvoiceAges(const ListingBooks& books, const ReportPeriod& period,
                        InvoiceAgeFigures* figures);

}  // namespace zenkar

#endif  // ZENKAR_OUTPUT_CHART_FIGURES_H_
