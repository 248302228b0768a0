// The income statement and balance sheet reports: the checks made before
// any output, the figures (income_statement.h, balance_sheet.h) and their
// pages (statement_layout.h).
//
// Both refuse a range that ends before it starts, a period crossing the
// start of an accounting year, and a period without transactions. The income
// statement then refuses a year to date holding a line without an account
// number or with one the chart lacks; the balance sheet refuses books that
// fail the ledger's balance tests and accounts deleted from the chart whose
// lines do not cancel out.
#ifndef ZENKAR_OUTPUT_FINANCIAL_STATEMENTS_H_
#define ZENKAR_OUTPUT_FINANCIAL_STATEMENTS_H_

#include <string>
#include <string_view>

#include "common/clock.h"
#include "common/date_patterns.h"
#include "ledger/chart_of_accounts.h"
#include "ledger/company_settings.h"
#include "output/balance_sheet.h"
#include "output/income_statement.h"
#include "output/report_run.h"
#include "output/statement_layout.h"
#include "output/statement_scan.h"

namespace zenkar {

inline constexpr std::string_view kMissingAccountNumber =
    "At least one transaction is missing the account number. The Income Statement cannot be "
    "printed until all transactions have a valid account number.";
inline constexpr std::string_view kBalanceSheetOutOfBalance =
    "Unable to create Balance Sheet when accounts are not in balance";
std::string MissingFromChartMessage(std::string_view account);
std::string DeletedAccountUnbalancedMessage(std::string_view account);

inline constexpr int kIncomeStatementLines = 52;
inline constexpr int kBalanceSheetLines = 55;

// The books a statement reads: the figures a loaded ledger keeps, or those
// of a list of lines.
struct StatementBooks {
  const ChartOfAccounts& chart;
  const CompanySettings& settings;
  TransactionSource lines;     // summed when there are no `figures`
  FiguresSource figures = {};  // empty: the books are the `lines`
};
StatementBooks BooksOf(const Ledger& ledger);
// The books' figures, or those of their lines summed into `summed`; nothing
// when they could not be had (reported).
const PeriodFigures* FiguresOf(const StatementBooks& books, PeriodFigures* summed);

// What the headings need besides the figures.
struct HeadingFacts {
  const DatePatterns& dates;
  DayNumber today = kNoDate;
  LocalDateTime now;
};
HeadingFacts HeadingFactsOf(const Clock& clock, const DatePatterns& dates);

// The settings' heading text with "@DATE" and "@TIME" replaced.
std::string ExpandHeadingLine(std::string_view text, const HeadingFacts& facts);

StatementDocument IncomeStatementDocument(const IncomeStatement& statement,
                                          const CompanySettings& settings,
                                          const HeadingFacts& facts);
StatementDocument BalanceSheetDocument(const BalanceSheet& sheet, const CompanySettings& settings,
                                       const HeadingFacts& facts);

// The whole reports, each writing its own print job on `job`.
bool PrintIncomeStatement(const StatementBooks& books, PrintJob& job, const ReportPeriod& period,
                          const ReportOptions& options);
bool PrintBalanceSheet(const StatementBooks& books, PrintJob& job, const ReportPeriod& period,
                       const ReportOptions& options);

// Makes "Income Statement" and "Balance Sheet" available in the report run.
void AddFinancialStatements(ReportRegistry& registry);

}  // namespace zenkar

#endif  // ZENKAR_OUTPUT_FINANCIAL_STATEMENTS_H_
