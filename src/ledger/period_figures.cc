#include "ledger/period_figures.h"

#include "ledger/account_record.h"

namespace zenkar {
namespace {

// Fills `cell` with record `number` as its facts give it: kind 0 for a
// record that is not a line of the books. Field by field in place: a cell
// built aside and copied in was read back in wider words than it was
// written, which stalled the open's pass on every line.
void FillCell(int number, const TransactionFacts& line, FigureCell& cell) {
  if (line.kind != kJournalLine && line.kind != kCheckOrDeposit && line.kind != kInvoice) {
    cell = FigureCell();
    return;
  }
  cell.kind = line.kind;
  cell.account = PackedAccountNumber(line.account);
  cell.day = line.date;
  cell.age_day = kNoDate;
  if (line.kind == kInvoice) {
    if (cell.day == kNoDate)
      cell.day = line.invoice_date != kNoDate ? line.invoice_date : line.due_date;
    cell.age_day = line.due_date != kNoDate ? line.due_date : line.invoice_date;
  }
  cell.amount = line.amount.RoundedToCents();
  cell.record_number = number;
}

}  // namespace

std::string FigureCell::AccountKey() const { return UnpackedAccountNumber(account); }

void PeriodFigures::Reserve(int lines) {
  cells_.reserve(cells_.size() + static_cast<size_t>(lines));
}

const FigureCell& PeriodFigures::Add(int number, const TransactionFacts& line) {
  static const FigureCell kNoLine;
  if (number < 1) return kNoLine;
  // A pass over the file adds each record after the one before.
  const size_t at = static_cast<size_t>(number) - 1;
  if (cells_.size() == at) {
    cells_.emplace_back();
  } else if (cells_.size() < at) {
    cells_.resize(at + 1);
  }
  FillCell(number, line, cells_[at]);
  return cells_[at];
}

bool PeriodFigures::Remove(int number, const TransactionFacts& line) {
  if (number < 1 || cells_.size() < static_cast<size_t>(number)) return false;
  FigureCell& cell = cells_[number - 1];
  FigureCell expected;
  FillCell(number, line, expected);
  if (cell != expected) return false;
  cell = FigureCell();
  return true;
}

std::vector<FigureCell> PeriodFigures::Cells() const {
  std::vector<FigureCell> cells;
  ForEachCell([&](const FigureCell& cell) { cells.push_back(cell); });
  return cells;
}

}  // namespace zenkar
