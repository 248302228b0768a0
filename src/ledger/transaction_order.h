// The physical order of the transaction file: by date, or in the order the
// lines were entered.
//
// Every line carries its entry sequence (see transaction_record.h), so the
// order of entry can be restored after a sort by date. Lines without a valid
// sequence (written by another program, or carrying a copy of another line's
// sequence) are given one: when the file is kept in the order entered, their
// place in the file is that order; otherwise they follow the lines already
// numbered, in file order. Lines with equal dates keep their order of entry.
#ifndef ZENKAR_LEDGER_TRANSACTION_ORDER_H_
#define ZENKAR_LEDGER_TRANSACTION_ORDER_H_

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "common/day_number.h"
#include "ledger/company_settings.h"

namespace zenkar {

enum class TransactionOrder { kEntry, kDate };

// Entry sequences stay at or below this: before one would pass it, the lines
// are numbered 1, 2, ... afresh in the order entered, which keeps that order
// and leaves room for many more lines before the number could overflow.
inline constexpr int32_t kEntrySequenceLimit = 2'000'000'000;

// The order the settings choose (the date-order flag at offset 1677).
inline TransactionOrder OrderOf(const CompanySettings& settings) {
  return settings.date_order != 0 ? TransactionOrder::kDate : TransactionOrder::kEntry;
}

// What sorting needs of one line.
struct LineOrderKey {
  DayNumber date = kNoDate;
  int32_t sequence = 0;  // 0: none
};

// The date order: by date, lines of one date in the order entered.
inline bool DateOrderLess(const LineOrderKey& a, const LineOrderKey& b) {
  return a.date != b.date ? a.date < b.date : a.sequence < b.sequence;
}

// Judges, line by line as a pass reads them, whether lines are already in
// `order` with every sequence valid, distinct and within the limit, so that
// nothing needs rewriting. `in_entry_order` says the file is currently kept
// in the order entered; `lines` is about how many lines there are (it sizes
// the marks that tell repeated sequences).
class ArrangementCheck {
 public:
  ArrangementCheck(TransactionOrder order, bool in_entry_order, size_t lines);

  // The next line in file order. Inline: the open's pass adds every line.
  void Add(const LineOrderKey& key) {
    above_limit_ = above_limit_ || key.sequence > kEntrySequenceLimit;
    if (lines_ > 0) {
      rising_ = rising_ && key.sequence > previous_.sequence;
      by_date_ = by_date_ && !DateOrderLess(key, previous_);
    }
    valid_ = valid_ && key.sequence > 0;
    highest_ = std::max(highest_, key.sequence);
    if (needs_distinct_ && key.sequence > 0) Mark(key.sequence);
    previous_ = key;
    ++lines_;
  }

  bool Arranged() const;
  // The highest sequence seen; 0 when none.
  int32_t highest_sequence() const { return highest_; }

 private:
  void Mark(int32_t sequence) {
    if (static_cast<size_t>(sequence) < seen_.size()) {
      repeated_ = repeated_ || seen_[sequence];
      seen_[sequence] = true;
    } else {
      far_.push_back(sequence);
    }
  }
  bool Distinct() const;

  const TransactionOrder order_;
  // Only the date order, with the file not kept as entered, asks for
  // distinct sequences besides rising ones.
  const bool needs_distinct_;
  bool above_limit_ = false, rising_ = true, valid_ = true, by_date_ = true, repeated_ = false;
  int32_t highest_ = 0;
  LineOrderKey previous_;
  size_t lines_ = 0;
  // Sequences stay close to the line count (deleted lines leave gaps), so a
  // mark per sequence tells a repeated one; far larger ones are kept aside.
  std::vector<bool> seen_;
  std::vector<int32_t> far_;
};

// The same judgement of a whole file's keys.
bool IsArranged(const std::vector<LineOrderKey>& keys, TransactionOrder order, bool in_entry_order);

// Gives every line of a whole transaction file a valid sequence and sorts the
// lines into `order`. Returns the highest sequence in the file. When a
// sequence is past kEntrySequenceLimit, or numbering the lines without one
// would pass it, every line is numbered afresh from 1 in the same order of
// entry.
int32_t ArrangeTransactions(std::string& file_bytes, TransactionOrder order, bool in_entry_order);

// Numbers the lines of a whole transaction file 1, 2, ... in the order of
// their entry sequences (ties in file order) without moving them. Returns
// the highest sequence, the line count.
int32_t RenumberInEntryOrder(std::string& file_bytes);

// The keys of the lines of a whole transaction file.
std::vector<LineOrderKey> OrderKeysOf(const std::string& file_bytes);

}  // namespace zenkar

#endif  // ZENKAR_LEDGER_TRANSACTION_ORDER_H_
