// PeriodFigures: the sums of the transaction file by account, day and kind of
// line, so that the statements, the trial balance, the activity comparison
// and the charts take their figures without reading the file again.
//
// Each journal line, check or deposit and invoice adds its amount, rounded to
// cents as every balance is, to one cell named by
// - its own account: the 4 bytes as stored, blank or not in the chart alike
//   (the reports look the account up in the chart of the moment and refuse
//   what they must);
// - its day: its date, or for an invoice without one its invoice date, else
//   its due date; 0 when it has none;
// - its kind;
// - for an invoice, the day its age is counted from: its due date, else its
//   invoice date.
// The other side of a line (the bank account for a check or deposit,
// accounts payable for an invoice under accrual accounting) is not stored: it
// is the cell negated, on the account the settings name when a report runs.
// So the figures depend on the lines alone, and no change of the settings or
// the chart can leave them behind. A cell also counts its lines and keeps the
// lowest record number among them, by which the reports name the first of
// several faulty lines of one day as a pass in file order would.
#ifndef ZENKAR_LEDGER_PERIOD_FIGURES_H_
#define ZENKAR_LEDGER_PERIOD_FIGURES_H_

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "common/day_number.h"
#include "common/money.h"
#include "ledger/bookkeeping.h"
#include "ledger/transaction_record.h"

namespace zenkar {

struct FigureCell {
  uint32_t account = 0;  // PackedAccountNumber of the line's own account
  DayNumber day = kNoDate;
  DayNumber age_day = kNoDate;  // invoices only
  int32_t kind = 0;             // kJournalLine, kCheckOrDeposit or kInvoice; 0: a free slot
  Money amount;                 // the sum of the lines' amounts, each rounded to cents
  int32_t lines = 0;
  int32_t first_line = 0;  // the lowest record number of its lines

  // The own account as a 4-character key.
  std::string AccountKey() const;
  bool operator==(const FigureCell&) const = default;
};

class PeriodFigures {
 public:
  PeriodFigures();

  // Line `number` of the file, as its facts give it. Other kinds add nothing.
  void Add(int number, const TransactionFacts& line);
  // Takes line `number` out again. False when the figures cannot follow (the
  // line is not in them, or it was the first line of a cell that keeps
  // others): they must then be made afresh.
  bool Remove(int number, const TransactionFacts& line);

  // Every cell that holds lines, in no particular order.
  void ForEachCell(const std::function<void(const FigureCell&)>& visit) const;
  // The whole-file figures: the summary and the posted sum of every account.
  LineTotals Totals() const;
  // The cells that hold lines, in a fixed order (for comparing two tables).
  std::vector<FigureCell> SortedCells() const;
  friend bool operator==(const PeriodFigures& a, const PeriodFigures& b) {
    return a.SortedCells() == b.SortedCells();
  }

 private:
  FigureCell* Find(const FigureCell& key);
  FigureCell& FindOrAdd(const FigureCell& key);
  size_t SlotOf(const FigureCell& key) const;
  void Grow();

  // Open addressing, at most half full: one multiply and a probe or two per
  // line, and no allocation per line.
  std::vector<FigureCell> slots_;
  size_t used_ = 0;
  int shift_ = 0;
};

// The key a line is summed under (amount, lines and first line left empty);
// kind 0 for a line that is not summed.
FigureCell FigureKeyOf(const TransactionFacts& line);

}  // namespace zenkar

#endif  // ZENKAR_LEDGER_PERIOD_FIGURES_H_
