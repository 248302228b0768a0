#include "ledger/period_figures.h"

#include <algorithm>
#include <cstring>
#include <tuple>

#include "ledger/account_record.h"

namespace zenkar {
namespace {

constexpr int kFirstShift = 64 - 10;  // 1,024 slots

bool SameKey(const FigureCell& a, const FigureCell& b) {
  return a.account == b.account && a.day == b.day && a.kind == b.kind && a.age_day == b.age_day;
}

auto OrderOf(const FigureCell& cell) {
  return std::tie(cell.account, cell.day, cell.kind, cell.age_day);
}

}  // namespace

std::string FigureCell::AccountKey() const {
  std::string key(4, ' ');
  std::memcpy(key.data(), &account, sizeof account);
  return key;
}

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

PeriodFigures::PeriodFigures() : slots_(size_t{1} << (64 - kFirstShift)), shift_(kFirstShift) {}

size_t PeriodFigures::SlotOf(const FigureCell& key) const {
  const uint64_t mixed =
      ((uint64_t{key.account} << 32) | static_cast<uint32_t>(key.day)) * 0x9E3779B97F4A7C15u ^
      ((uint64_t{static_cast<uint32_t>(key.age_day)} << 2) | static_cast<uint32_t>(key.kind)) *
          0xC2B2AE3D27D4EB4Fu;
  const size_t mask = slots_.size() - 1;
  size_t at = static_cast<size_t>(mixed >> shift_);
  while (slots_[at].kind != 0 && !SameKey(slots_[at], key)) at = (at + 1) & mask;
  return at;
}

FigureCell* PeriodFigures::Find(const FigureCell& key) {
  FigureCell& slot = slots_[SlotOf(key)];
  return slot.kind == 0 ? nullptr : &slot;
}

FigureCell& PeriodFigures::FindOrAdd(const FigureCell& key) {
  if (2 * (used_ + 1) > slots_.size()) Grow();
  FigureCell& slot = slots_[SlotOf(key)];
  if (slot.kind == 0) {
    slot = key;
    ++used_;
  }
  return slot;
}

void PeriodFigures::Grow() {
  std::vector<FigureCell> old(slots_.size() * 2);
  old.swap(slots_);
  --shift_;
  for (const FigureCell& cell : old) {
    if (cell.kind != 0) slots_[SlotOf(cell)] = cell;
  }
}

void PeriodFigures::Add(int number, const TransactionFacts& line) {
  const FigureCell key = FigureKeyOf(line);
  if (key.kind == 0) return;
  FigureCell& cell = FindOrAdd(key);
  cell.amount += line.amount.RoundedToCents();
  cell.first_line = cell.lines == 0 ? number : std::min(cell.first_line, number);
  ++cell.lines;
}

bool PeriodFigures::Remove(int number, const TransactionFacts& line) {
  const FigureCell key = FigureKeyOf(line);
  if (key.kind == 0) return true;
  FigureCell* cell = Find(key);
  if (cell == nullptr || cell->lines == 0 || cell->first_line > number) return false;
  cell->amount -= line.amount.RoundedToCents();
  --cell->lines;
  if (cell->lines == 0) {
    cell->first_line = 0;
    return cell->amount.IsZero();
  }
  return cell->first_line != number;
}

void PeriodFigures::ForEachCell(const std::function<void(const FigureCell&)>& visit) const {
  for (const FigureCell& cell : slots_) {
    if (cell.lines > 0) visit(cell);
  }
}

LineTotals PeriodFigures::Totals() const {
  LineTotals totals;
  ForEachCell([&](const FigureCell& cell) {
    totals.AddSum(cell.kind, cell.AccountKey(), cell.amount, cell.lines);
  });
  return totals;
}

std::vector<FigureCell> PeriodFigures::SortedCells() const {
  std::vector<FigureCell> cells;
  ForEachCell([&](const FigureCell& cell) { cells.push_back(cell); });
  std::sort(cells.begin(), cells.end(),
            [](const FigureCell& a, const FigureCell& b) { return OrderOf(a) < OrderOf(b); });
  return cells;
}

}  // namespace zenkar
