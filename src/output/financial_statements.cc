#include "output/financial_statements.h"

#include <algorithm>
#include <array>

#include "common/text_field.h"
#include "ledger/chart_rules.h"
#include "ledger/ledger.h"

namespace zenkar {
namespace {

constexpr std::string_view kWhatTransactions = "transactions";

// The ledger consistency problems that mean the books do not balance (its
// test also reports account types out of order, which the balance sheet
// does not mind).
constexpr std::array<std::string_view, 3> kBalanceProblems = {
    "Entries posted to deleted COA accounts are out of balance.",
    "COA Balance Forward figures are out of balance.",
    "Journal entries are out of balance.",
};

bool IsBalanceProblem(const std::string& problem) {
  return std::any_of(kBalanceProblems.begin(), kBalanceProblems.end(),
                     [&](std::string_view start) { return problem.rfind(start, 0) == 0; });
}

// The date checks, the figures of the books and the check that the period
// holds transactions, shared by both statements.
bool ReadForPeriod(const StatementBooks& books, PrintJob& job, const ReportPeriod& period,
                   ScanScope scope, StatementWindow* window, StatementScan* scan) {
  Ui& ui = job.services().ui;
  if (!CheckPeriodOrder(period, ui)) return false;
  if (!CheckSingleAccountingYear(period, books.settings.fiscal_start_month, ui)) return false;
  *window = StatementWindowOf(period, books.settings.fiscal_start_month);
  PeriodFigures summed;
  const PeriodFigures* figures = FiguresOf(books, &summed);
  if (figures == nullptr) return false;
  ScanStatementFigures(*figures, books.chart, books.settings, *window, scan, scope);
  if (!scan->period_has_lines) {
    ui.Error(NothingFoundMessage(kWhatTransactions, period, job.services().dates));
    return false;
  }
  return true;
}

bool IncomeAccountsValid(const StatementScan& scan, Ui& ui) {
  switch (scan.problem) {
    case StatementScan::AccountProblem::kNone:
      return true;
    case StatementScan::AccountProblem::kBlank:
      ui.Error(kMissingAccountNumber);
      return false;
    case StatementScan::AccountProblem::kNotInChart:
      ui.Error(MissingFromChartMessage(scan.problem_account));
      return false;
  }
  return false;
}

bool BooksBalance(const StatementBooks& books, const StatementScan& scan, Ui& ui) {
  bool balanced = true;
  for (const std::string& problem : ChartConsistencyProblems(books.chart, scan.line_totals)) {
    if (!IsBalanceProblem(problem)) continue;
    ui.Error(problem);
    balanced = false;
  }
  if (!balanced) {
    ui.Error(kBalanceSheetOutOfBalance);
    return false;
  }
  for (const auto& [account, sum] : scan.deleted_accounts) {
    if (sum.IsZero()) continue;
    ui.Error(DeletedAccountUnbalancedMessage(TrimRight(account)));
    return false;
  }
  return true;
}

HeadingFacts FactsOf(PrintJob& job) {
  return HeadingFactsOf(job.services().clock, job.services().dates);
}

}  // namespace

std::string MissingFromChartMessage(std::string_view account) {
  return "Account " + EscapeControls(account) +
         " is missing from the Chart of Accounts.  The Income Statement cannot be printed until "
         "the COA account is added, or the transactions to the missing account have been edited.";
}

std::string DeletedAccountUnbalancedMessage(std::string_view account) {
  return "An account deleted from the COA (" + EscapeControls(account) +
         ") has unbalanced transactions.";
}

StatementBooks BooksOf(const Ledger& ledger) {
  return {ledger.chart(), ledger.settings(), LedgerTransactions(ledger), LedgerFigures(ledger)};
}

const PeriodFigures* FiguresOf(const StatementBooks& books, PeriodFigures* summed) {
  if (books.figures) return books.figures();
  return FiguresOfLines(books.lines, summed) ? summed : nullptr;
}

bool PrintIncomeStatement(const StatementBooks& books, PrintJob& job, const ReportPeriod& period,
                          const ReportOptions& options) {
  StatementWindow window;
  StatementScan scan;
  if (!ReadForPeriod(books, job, period, ScanScope::kIncomeStatement, &window, &scan)) {
    return false;
  }
  if (!IncomeAccountsValid(scan, job.services().ui)) return false;
  const IncomeStatement statement = ComputeIncomeStatement(
      books.chart, scan, window, {options.omit_percentages, options.include_zero_balances});
  return WriteStatement(job, IncomeStatementDocument(statement, books.settings, FactsOf(job)));
}

bool PrintBalanceSheet(const StatementBooks& books, PrintJob& job, const ReportPeriod& period,
                       const ReportOptions& options) {
  StatementWindow window;
  StatementScan scan;
  if (!ReadForPeriod(books, job, period, ScanScope::kEverything, &window, &scan)) return false;
  if (!BooksBalance(books, scan, job.services().ui)) return false;
  const BalanceSheet sheet =
      ComputeBalanceSheet(books.chart, scan, window, books.settings, options.include_zero_balances);
  return WriteStatement(job, BalanceSheetDocument(sheet, books.settings, FactsOf(job)));
}

void AddFinancialStatements(ReportRegistry& registry) {
  registry.Add(kIncomeStatementLabel, {[](ReportContext& context) {
                 return PrintIncomeStatement(BooksOf(context.ledger), context.job, context.period,
                                             context.options);
               }});
  registry.Add(kBalanceSheetLabel, {[](ReportContext& context) {
                 return PrintBalanceSheet(BooksOf(context.ledger), context.job, context.period,
                                          context.options);
               }});
}

}  // namespace zenkar
