#include "output/statement_scan.h"

#include <unordered_map>

#include "common/text_field.h"
#include "ledger/ledger.h"

namespace zenkar {
namespace {

bool Within(DayNumber day, DayNumber first, DayNumber last) { return day >= first && day <= last; }

TransactionFacts FactsOf(const TransactionRecord& line) {
  TransactionFacts facts;
  facts.kind = line.kind;
  facts.unprinted = line.unprinted;
  facts.date = line.date;
  facts.amount = line.amount;
  facts.payee_number = line.payee_number;
  facts.entry_sequence = line.entry_sequence;
  facts.account = line.account;
  return facts;
}

class Scanner {
 public:
  Scanner(const ChartOfAccounts& chart, const CompanySettings& settings,
          const StatementWindow& window, StatementScan* scan)
      : settings_(settings), window_(window), scan_(*scan), index_(chart.IndexByNumber()) {
    scan_ = StatementScan();
    scan_.accounts.resize(static_cast<size_t>(chart.count()));
  }

  void Visit(const TransactionRecord& line) {
    scan_.line_totals.Add(FactsOf(line));
    const DayNumber day = StatementDate(line);
    if (day == kNoDate) return;
    const LineMoves moves = BalanceMoves(line, settings_, Basis::kStatements);
    if (moves.count == 0) return;
    NoteDates(day);
    CheckOwnAccount(line, day);
    for (const BalanceMove& move : moves) Post(move, day);
  }

 private:
  void NoteDates(DayNumber day) {
    const ReportPeriod& period = window_.period;
    if (Within(day, period.first, period.last)) scan_.period_has_lines = true;
    if (Within(day, window_.prior.first, window_.prior.last)) scan_.prior_year_has_lines = true;
  }

  // Keeps the earliest (by date, then by place in the file) line of the year
  // to date whose own account the chart cannot name.
  void CheckOwnAccount(const TransactionRecord& line, DayNumber day) {
    if (!Within(day, window_.year.first, window_.period.last)) return;
    const bool blank = Trim(line.account).empty();
    if (!blank && index_.count(AccountKey(line.account)) != 0) return;
    if (scan_.problem != StatementScan::AccountProblem::kNone && problem_date_ <= day) return;
    scan_.problem =
        blank ? StatementScan::AccountProblem::kBlank : StatementScan::AccountProblem::kNotInChart;
    scan_.problem_account = std::string(TrimRight(line.account));
    problem_date_ = day;
  }

  void Post(const BalanceMove& move, DayNumber day) {
    const auto found = index_.find(move.account);
    const ReportPeriod& period = window_.period;
    if (found == index_.end()) {
      if (day <= period.last) scan_.deleted_accounts[move.account] += move.amount;
      return;
    }
    AccountTotals& totals = scan_.accounts[found->second - 1];
    if (day <= period.last) totals.to_period_end += move.amount;
    if (day < window_.year.first) totals.before_year += move.amount;
    if (Within(day, window_.year.first, period.last)) totals.year_to_date += move.amount;
    if (Within(day, period.first, period.last)) totals.current += move.amount;
    if (Within(day, window_.prior.first, window_.prior.last)) totals.prior_year += move.amount;
  }

  const CompanySettings& settings_;
  const StatementWindow& window_;
  StatementScan& scan_;
  std::unordered_map<std::string, int> index_;
  DayNumber problem_date_ = kNoDate;
};

}  // namespace

TransactionSource LedgerTransactions(Ledger& ledger) {
  return [&ledger](const std::function<void(const TransactionRecord&)>& visit) {
    return ledger.ForEachTransaction(visit);
  };
}

DayNumber StatementDate(const TransactionRecord& line) {
  if (line.date != kNoDate || line.kind != kInvoice) return line.date;
  return line.invoice_date_2 != kNoDate ? line.invoice_date_2 : line.due_date;
}

StatementWindow StatementWindowOf(const ReportPeriod& period, int fiscal_start_month) {
  const AccountingYear year = AccountingYearOf(period.first, fiscal_start_month);
  return {period, year, AccountingYearNamed(year.year - 1, fiscal_start_month)};
}

bool ScanStatementLines(const TransactionSource& source, const ChartOfAccounts& chart,
                        const CompanySettings& settings, const StatementWindow& window,
                        StatementScan* scan) {
  Scanner scanner(chart, settings, window, scan);
  return source([&](const TransactionRecord& line) { scanner.Visit(line); });
}

}  // namespace zenkar
