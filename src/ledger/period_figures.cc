#include "ledger/period_figures.h"

#include "ledger/account_record.h"

namespace zenkar {
namespace {

bool SameKey(const FigureCell& a, const FigureCell& b) {
  return a.account == b.account && a.day == b.day && a.kind == b.kind && a.age_day == b.age_day;
}

// The names of a line's cell (amount and record number left empty); kind 0
// for a record that is not a line of the books.
FigureCell FigureKeyOf(const TransactionFacts& line) {
  FigureCell key;
  if (line.kind != kJournalLine && line.kind != kCheckOrDeposit && line.kind != kInvoice) {
    return key;
  }
  key.kind = line.kind;
  key.account = PackedAccountNumber(line.account);
  key.day = line.date;
  if (line.kind == kInvoice) {
    if (key.day == kNoDate)
      key.day = line.invoice_date != kNoDate ? line.invoice_date : line.due_date;
    key.age_day = line.due_date != kNoDate ? line.due_date : line.invoice_date;
  }
  return key;
}

}  // namespace

std::string FigureCell::AccountKey() const { return UnpackedAccountNumber(account); }

void PeriodFigures::Reserve(int lines) {
  cells_.reserve(cells_.size() + static_cast<size_t>(lines));
}

void PeriodFigures::Add(int number, const TransactionFacts& line) {
  if (number < 1) return;
  if (cells_.size() < static_cast<size_t>(number)) cells_.resize(static_cast<size_t>(number));
  FigureCell& cell = cells_[number - 1];
  cell = FigureKeyOf(line);
  if (cell.kind == 0) return;
  cell.amount = line.amount.RoundedToCents();
  cell.record_number = number;
}

bool PeriodFigures::Remove(int number, const TransactionFacts& line) {
  if (number < 1 || cells_.size() < static_cast<size_t>(number)) return false;
  FigureCell& cell = cells_[number - 1];
  const FigureCell key = FigureKeyOf(line);
  if (!SameKey(cell, key) || (key.kind != 0 && cell.amount != line.amount.RoundedToCents())) {
    return false;
  }
  cell = FigureCell();
  return true;
}

void PeriodFigures::ForEachCell(const std::function<void(const FigureCell&)>& visit) const {
  for (const FigureCell& cell : cells_) {
    if (cell.kind != 0) visit(cell);
  }
}

LineTotals PeriodFigures::Totals() const {
  LineTotals totals;
  ForEachCell(
      [&](const FigureCell& cell) { totals.AddPackedSum(cell.kind, cell.account, cell.amount); });
  return totals;
}

std::vector<FigureCell> PeriodFigures::Cells() const {
  std::vector<FigureCell> cells;
  ForEachCell([&](const FigureCell& cell) { cells.push_back(cell); });
  return cells;
}

}  // namespace zenkar
