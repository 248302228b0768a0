// PeriodFigures: what the statements, the trial balance, the activity
// comparison and the charts read of the transaction file, by account, day
// and kind of line, so that they take their figures without reading the file
// again.
//
// Each journal line, check or deposit and invoice is one cell of the table,
// at its record number, with its amount rounded to cents as every balance
// is, named by
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
// the chart can leave them behind.
//
// The cells are kept by record number rather than summed by account and day:
// at a day's resolution, which the reports need for any range of dates, the
// lines of a company hardly ever share a cell, and a table keyed by account
// and day costs a cache miss per line when it is made, more than reading the
// file. Kept in file order the cells are written one after another, a report
// sums them in one sequential pass, and an appended or rewritten line is
// followed in place.
#ifndef ZENKAR_LEDGER_PERIOD_FIGURES_H_
#define ZENKAR_LEDGER_PERIOD_FIGURES_H_

#include <cstdint>
#include <string>
#include <vector>

#include "common/day_number.h"
#include "common/large_block_allocator.h"
#include "common/money.h"
#include "ledger/bookkeeping.h"
#include "ledger/transaction_record.h"

namespace zenkar {

struct FigureCell {
  uint32_t account = 0;  // PackedAccountNumber of the line's own account
  DayNumber day = kNoDate;
  DayNumber age_day = kNoDate;  // invoices only
  int32_t kind = 0;             // kJournalLine, kCheckOrDeposit or kInvoice; 0: no line
  Money amount;                 // rounded to cents
  int32_t record_number = 0;

  // The own account as a 4-character key.
  std::string AccountKey() const;
  bool operator==(const FigureCell&) const = default;
};

class PeriodFigures {
 public:
  // Makes room for `lines` more lines at once, so that a pass over a whole
  // file never moves the table.
  void Reserve(int lines);

  // Record `number` of the file, as its facts give it; returns its cell.
  // Other kinds than the books' lines count for nothing (a cell of kind 0).
  const FigureCell& Add(int number, const TransactionFacts& line);
  // Takes record `number` out again before it is rewritten. False when the
  // figures do not hold it as `line` says: they must then be made afresh.
  bool Remove(int number, const TransactionFacts& line);

  // Calls `visit` with every cell that holds a line, in file order.
  template <typename Visit>
  void ForEachCell(Visit&& visit) const {
    for (const FigureCell& cell : cells_) {
      if (cell.kind != 0) visit(cell);
    }
  }
  // The cells that hold lines, in file order (for comparing two tables).
  std::vector<FigureCell> Cells() const;
  friend bool operator==(const PeriodFigures& a, const PeriodFigures& b) {
    return a.Cells() == b.Cells();
  }

 private:
  // By record number - 1.
  std::vector<FigureCell, LargeBlockAllocator<FigureCell>> cells_;
};

}  // namespace zenkar

#endif  // ZENKAR_LEDGER_PERIOD_FIGURES_H_
