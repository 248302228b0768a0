// Everything the income statement and the balance sheet need, gathered
// from the books' figures by period (ledger/period_figures.h), which sum the
// lines by account, day and kind.
//
// A line counts when the bookkeeping rules give it balance moves on the
// statements' basis (bookkeeping.h): journal lines move their own account,
// checks and deposits their own account and the bank account, and unpaid
// invoices only under accrual accounting, their own account and accounts
// payable. Every move is already rounded to cents. A line without a date
// takes no part; an unpaid invoice, whose entry date is not set, is dated by
// its invoice date (or else its due date).
#ifndef ZENKAR_OUTPUT_STATEMENT_SCAN_H_
#define ZENKAR_OUTPUT_STATEMENT_SCAN_H_

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "common/money.h"
#include "ledger/bookkeeping.h"
#include "ledger/chart_of_accounts.h"
#include "ledger/company_settings.h"
#include "ledger/period_figures.h"
#include "ledger/transaction_record.h"
#include "output/report_period.h"

namespace zenkar {

class Ledger;

// Calls its argument with every line of the books, in any order; false when
// the lines could not be read (reported). A line visited carries at least
// the fields the statements read: kind, date, account and amount, and for an
// invoice without an entry date its invoice and due dates.
using TransactionSource =
    std::function<bool(const std::function<void(const TransactionRecord&)>& visit)>;
// The lines of the loaded company's transaction file.
TransactionSource LedgerTransactions(const Ledger& ledger);

// The books' figures by period (ledger/period_figures.h) as a loaded ledger
// keeps them; nothing when they could not be had (reported).
using FiguresSource = std::function<const PeriodFigures*()>;
// The loaded company's.
FiguresSource LedgerFigures(const Ledger& ledger);
// The figures of a list of lines, numbered 1, 2, ... in the order given.
// False when the lines could not be read.
bool FiguresOfLines(const TransactionSource& lines, PeriodFigures* figures);

// The date a line counts on in the statements; 0 for none.
DayNumber StatementDate(const TransactionRecord& line);

// The days a statement covers: the period and the accounting years around it.
struct StatementWindow {
  ReportPeriod period;
  AccountingYear year;   // the accounting year holding the period
  AccountingYear prior;  // the one before it
};
StatementWindow StatementWindowOf(const ReportPeriod& period, int fiscal_start_month);

// An account's moves over the days of the window.
struct AccountTotals {
  Money current;        // in the period
  Money year_to_date;   // from the start of the accounting year to the period's end
  Money prior_year;     // in the prior accounting year
  Money to_period_end;  // everything up to the period's end
  Money before_year;    // everything before the accounting year
};

struct StatementScan {
  // By chart record number - 1.
  std::vector<AccountTotals> accounts;
  // Moves up to the period's end to account numbers not in the chart, by
  // 4-character number.
  std::map<std::string, Money> deleted_accounts;
  bool period_has_lines = false;
  bool prior_year_has_lines = false;

  // The earliest line of the year to date whose own account is blank or not
  // in the chart (the income statement refuses to print then).
  enum class AccountProblem { kNone, kBlank, kNotInChart };
  AccountProblem problem = AccountProblem::kNone;
  std::string problem_account;

  // The whole-file totals of the ledger's consistency test.
  LineTotals line_totals;
};

// What a scan gathers: everything, or only what the income statement reads
// (the moves from the start of the prior year to the end of the period, and
// none of the whole-file totals), which spares the work on older lines.
enum class ScanScope { kEverything, kIncomeStatement };

// Gathers the scan from the books' figures; no line is read.
void ScanStatementFigures(const PeriodFigures& figures, const ChartOfAccounts& chart,
                          const CompanySettings& settings, const StatementWindow& window,
                          StatementScan* scan, ScanScope scope = ScanScope::kEverything);
// The same from a list of lines, each read once. False when the lines could
// not be read.
bool ScanStatementLines(const TransactionSource& source, const ChartOfAccounts& chart,
                        const CompanySettings& settings, const StatementWindow& window,
                        StatementScan* scan, ScanScope scope = ScanScope::kEverything);

}  // namespace zenkar

#endif  // ZENKAR_OUTPUT_STATEMENT_SCAN_H_
