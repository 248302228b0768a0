#include "output/statement_scan.h"

#include <vector>

#include "common/text_field.h"
#include "ledger/ledger.h"
#include "ledger/transaction_file.h"

namespace zenkar {
namespace {

bool Within(DayNumber day, DayNumber first, DayNumber last) { return day >= first && day <= last; }

const uint32_t kBlankAccount = PackedAccountNumber("    ");

// Chart record numbers by packed account number: an open-addressed table a
// few times larger than the chart, so a lookup is a multiply and a probe or
// two.
class AccountIndex {
 public:
  explicit AccountIndex(const ChartOfAccounts& chart) {
    size_t size = 16;
    while (size < 4 * static_cast<size_t>(chart.count())) size *= 2;
    slots_.assign(size, Slot{});
    mask_ = size - 1;
    for (int record = 1; record <= chart.count(); ++record) {
      const uint32_t packed = PackedAccountNumber(chart.account(record).number);
      Slot& slot = slots_[SlotOf(packed)];
      if (slot.record == 0) slot = {packed, record};
    }
  }

  // The record number of the first account with that number, or 0.
  int Find(uint32_t packed) const { return slots_[SlotOf(packed)].record; }

 private:
  struct Slot {
    uint32_t packed = 0;
    int record = 0;  // 0: empty
  };

  // Where `packed` is, or the empty slot where it would go.
  size_t SlotOf(uint32_t packed) const {
    size_t at = AccountSlotStart(packed, mask_);
    while (slots_[at].record != 0 && slots_[at].packed != packed) at = (at + 1) & mask_;
    return at;
  }

  std::vector<Slot> slots_;
  size_t mask_ = 0;
};

void FillStatementFields(int number, std::string_view record, TransactionRecord& line) {
  const TransactionFacts facts = ReadTransactionFacts(record);
  if (facts.kind == kInvoice && facts.date == kNoDate) {
    line = TransactionRecord::Decode(record);
  } else {
    line.kind = facts.kind;
    line.unprinted = facts.unprinted;
    line.date = facts.date;
    line.amount = facts.amount;
    line.payee_number = facts.payee_number;
    line.entry_sequence = facts.entry_sequence;
    line.account.assign(facts.account);
  }
  line.record_number = number;
}

// What the figures read of a line given as a record.
TransactionFacts FactsOf(const TransactionRecord& line) {
  TransactionFacts facts;
  facts.kind = line.kind;
  facts.date = line.date;
  facts.amount = line.amount;
  facts.account = line.account;
  facts.invoice_date = line.invoice_date_2;
  facts.due_date = line.due_date;
  return facts;
}

class Scanner {
 public:
  Scanner(const ChartOfAccounts& chart, const CompanySettings& settings,
          const StatementWindow& window, ScanScope scope, StatementScan* scan)
      : rules_(settings, Basis::kStatements),
        window_(window),
        income_only_(scope == ScanScope::kIncomeStatement),
        scan_(*scan),
        index_(chart) {
    scan_ = StatementScan();
    scan_.accounts.resize(static_cast<size_t>(chart.count()));
  }

  void Visit(const FigureCell& cell) {
    const DayNumber day = cell.day;
    // Nothing after the period counts; before the prior year only the
    // balance sheet's carried balances do.
    if (day == kNoDate || day > window_.period.last) return;
    if (income_only_ && day < window_.prior.first) return;
    const PackedMoves moves = rules_.Moves(cell.kind, cell.account, cell.amount);
    if (moves.count == 0) return;
    NoteDates(day);
    CheckOwnAccount(cell, day);
    for (const PackedMove& move : moves) Post(move, day);
  }

 private:
  void NoteDates(DayNumber day) {
    const ReportPeriod& period = window_.period;
    if (Within(day, period.first, period.last)) scan_.period_has_lines = true;
    if (Within(day, window_.prior.first, window_.prior.last)) scan_.prior_year_has_lines = true;
  }

  // Keeps the earliest (by date, then by place in the file) line of the year
  // to date whose own account the chart cannot name.
  void CheckOwnAccount(const FigureCell& cell, DayNumber day) {
    if (!Within(day, window_.year.first, window_.period.last)) return;
    const bool blank = cell.account == kBlankAccount;
    if (!blank && index_.Find(cell.account) != 0) return;
    if (scan_.problem != StatementScan::AccountProblem::kNone &&
        (problem_date_ < day || (problem_date_ == day && problem_line_ < cell.record_number))) {
      return;
    }
    scan_.problem =
        blank ? StatementScan::AccountProblem::kBlank : StatementScan::AccountProblem::kNotInChart;
    scan_.problem_account = std::string(TrimRight(cell.AccountKey()));
    problem_date_ = day;
    problem_line_ = cell.record_number;
  }

  void Post(const PackedMove& move, DayNumber day) {
    const int record = index_.Find(move.account);
    const ReportPeriod& period = window_.period;
    if (record == 0) {
      scan_.deleted_accounts[UnpackedAccountNumber(move.account)] += move.amount;
      return;
    }
    AccountTotals& totals = scan_.accounts[record - 1];
    totals.to_period_end += move.amount;
    if (day < window_.year.first) totals.before_year += move.amount;
    if (Within(day, window_.year.first, period.last)) totals.year_to_date += move.amount;
    if (Within(day, period.first, period.last)) totals.current += move.amount;
    if (Within(day, window_.prior.first, window_.prior.last)) totals.prior_year += move.amount;
  }

  const PackedBookkeeping rules_;
  const StatementWindow& window_;
  const bool income_only_;
  StatementScan& scan_;
  AccountIndex index_;
  DayNumber problem_date_ = kNoDate;
  int problem_line_ = 0;
};

}  // namespace

// The statements read a few fields of every line, so the lines are taken
// straight from the file's records into one reused record, and only an
// invoice without an entry date, whose invoice date is wanted, is decoded
// whole. Decoding every line whole would cost most of a statement's time.
TransactionSource LedgerTransactions(const Ledger& ledger) {
  return [&ledger](const std::function<void(const TransactionRecord&)>& visit) {
    TransactionRecord line;
    return ledger.ScanTransactionRecords([&](int number, std::string_view record) {
      FillStatementFields(number, record, line);
      visit(line);
    });
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

FiguresSource LedgerFigures(const Ledger& ledger) {
  return [&ledger] { return ledger.Figures(); };
}

bool FiguresOfLines(const TransactionSource& lines, PeriodFigures* figures) {
  *figures = PeriodFigures();
  int number = 0;
  return lines([&](const TransactionRecord& line) { figures->Add(++number, FactsOf(line)); });
}

void ScanStatementFigures(const PeriodFigures& figures, const ChartOfAccounts& chart,
                          const CompanySettings& settings, const StatementWindow& window,
                          StatementScan* scan, ScanScope scope) {
  Scanner scanner(chart, settings, window, scope, scan);
  if (scope != ScanScope::kEverything) {
    figures.ForEachCell([&](const FigureCell& cell) { scanner.Visit(cell); });
    return;
  }
  // The whole-file totals in the same pass.
  LineTotals& totals = scan->line_totals;
  figures.ForEachCell([&](const FigureCell& cell) {
    scanner.Visit(cell);
    totals.AddPackedSum(cell.kind, cell.account, cell.amount);
  });
}

bool ScanStatementLines(const TransactionSource& source, const ChartOfAccounts& chart,
                        const CompanySettings& settings, const StatementWindow& window,
                        StatementScan* scan, ScanScope scope) {
  PeriodFigures figures;
  if (!FiguresOfLines(source, &figures)) return false;
  ScanStatementFigures(figures, chart, settings, window, scan, scope);
  return true;
}

}  // namespace zenkar
