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

// True when lines with these keys are already in `order` with every sequence
// valid, distinct and within the limit, so nothing needs rewriting. `in_entry_order` says the
// file is currently kept in the order entered.
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
