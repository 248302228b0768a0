#include "ledger/transaction_order.h"

#include <algorithm>
#include <cstring>
#include <numeric>
#include <string_view>

#include "ledger/transaction_record.h"

namespace zenkar {
namespace {

constexpr size_t kLength = kTransactionRecordLength;

bool AnySequenceAboveLimit(const std::vector<LineOrderKey>& keys) {
  return std::any_of(keys.begin(), keys.end(),
                     [](const LineOrderKey& key) { return key.sequence > kEntrySequenceLimit; });
}

bool SequencesIncrease(const std::vector<LineOrderKey>& keys) {
  int32_t previous = 0;
  for (const LineOrderKey& key : keys) {
    if (key.sequence <= previous) return false;
    previous = key.sequence;
  }
  return true;
}

// True when the sequences that are valid and seen for the first time rise
// with the file: the lines without one were placed by another program while
// the file was kept in the order entered, and their place is that order.
bool KnownSequencesIncrease(const std::vector<LineOrderKey>& keys) {
  std::vector<int32_t> seen;  // rising, so it can be searched by halves
  for (const LineOrderKey& key : keys) {
    if (key.sequence <= 0 || std::binary_search(seen.begin(), seen.end(), key.sequence)) {
      continue;
    }
    if (!seen.empty() && key.sequence < seen.back()) return false;
    seen.push_back(key.sequence);
  }
  return true;
}

// Numbers the lines without a valid, distinct sequence after the highest one,
// in file order (the first of two lines sharing a sequence keeps it). When
// that would pass the limit, every line is numbered afresh from 1 in the same
// order of entry.
void RepairSequences(std::vector<LineOrderKey>& keys) {
  std::vector<size_t> by_sequence(keys.size());
  std::iota(by_sequence.begin(), by_sequence.end(), 0);
  std::stable_sort(by_sequence.begin(), by_sequence.end(),
                   [&](size_t a, size_t b) { return keys[a].sequence < keys[b].sequence; });
  std::vector<bool> needs_number(keys.size(), false);
  int64_t highest = 0, needed = 0;
  for (size_t i = 0; i < by_sequence.size(); ++i) {
    const LineOrderKey& key = keys[by_sequence[i]];
    const bool repeated = i > 0 && keys[by_sequence[i - 1]].sequence == key.sequence;
    if (key.sequence <= 0 || repeated) {
      needs_number[by_sequence[i]] = true;
      ++needed;
    }
    highest = std::max<int64_t>(highest, key.sequence);
  }
  if (highest + needed <= kEntrySequenceLimit) {
    for (size_t i = 0; i < keys.size(); ++i) {
      if (needs_number[i]) keys[i].sequence = static_cast<int32_t>(++highest);
    }
    return;
  }
  std::vector<size_t> entry_order;
  for (size_t line : by_sequence) {
    if (!needs_number[line]) entry_order.push_back(line);
  }
  for (size_t line = 0; line < keys.size(); ++line) {
    if (needs_number[line]) entry_order.push_back(line);
  }
  for (size_t n = 0; n < entry_order.size(); ++n) {
    keys[entry_order[n]].sequence = static_cast<int32_t>(n + 1);
  }
}

void NumberInFileOrder(std::vector<LineOrderKey>& keys) {
  for (size_t i = 0; i < keys.size(); ++i) keys[i].sequence = static_cast<int32_t>(i) + 1;
}

}  // namespace

ArrangementCheck::ArrangementCheck(TransactionOrder order, bool in_entry_order, size_t lines)
    : order_(order), needs_distinct_(!in_entry_order && order != TransactionOrder::kEntry) {
  if (needs_distinct_) seen_.assign(4 * lines + 1024, false);
}

bool ArrangementCheck::Arranged() const {
  if (above_limit_) return false;
  if (!needs_distinct_) {
    // Kept in the order entered, the sequences must rise with the file.
    if (!rising_ || !valid_) return false;
    if (order_ == TransactionOrder::kEntry) return true;
  } else if (!valid_ || (!rising_ && !Distinct())) {  // rising sequences are distinct
    return false;
  }
  return by_date_;
}

bool ArrangementCheck::Distinct() const {
  if (repeated_) return false;
  std::vector<int32_t> far = far_;
  std::sort(far.begin(), far.end());
  return std::adjacent_find(far.begin(), far.end()) == far.end();
}

bool IsArranged(const std::vector<LineOrderKey>& keys, TransactionOrder order,
                bool in_entry_order) {
  ArrangementCheck check(order, in_entry_order, keys.size());
  for (const LineOrderKey& key : keys) check.Add(key);
  return check.Arranged();
}

std::vector<LineOrderKey> OrderKeysOf(const std::string& file_bytes) {
  std::vector<LineOrderKey> keys;
  keys.reserve(file_bytes.size() / kLength);
  const std::string_view bytes(file_bytes);
  for (size_t at = 0; at + kLength <= bytes.size(); at += kLength) {
    const TransactionFacts facts = ReadTransactionFacts(bytes.substr(at, kLength));
    keys.push_back({facts.date, facts.entry_sequence});
  }
  return keys;
}

// Puts the lines into the order `lines` gives (position i takes the line at
// lines[i]) within the same buffer, following each cycle of the permutation
// with one line held aside.
void PermuteInPlace(std::string& file_bytes, const std::vector<size_t>& lines) {
  std::vector<bool> placed(lines.size(), false);
  char held[kLength];
  for (size_t start = 0; start < lines.size(); ++start) {
    if (placed[start]) continue;
    std::memcpy(held, file_bytes.data() + start * kLength, kLength);
    for (size_t at = start;;) {
      placed[at] = true;
      const size_t from = lines[at];
      if (from == start) {
        std::memcpy(file_bytes.data() + at * kLength, held, kLength);
        break;
      }
      std::memcpy(file_bytes.data() + at * kLength, file_bytes.data() + from * kLength, kLength);
      at = from;
    }
  }
}

int32_t RenumberInEntryOrder(std::string& file_bytes) {
  const std::vector<LineOrderKey> keys = OrderKeysOf(file_bytes);
  std::vector<size_t> lines(keys.size());
  std::iota(lines.begin(), lines.end(), 0);
  std::stable_sort(lines.begin(), lines.end(),
                   [&](size_t a, size_t b) { return keys[a].sequence < keys[b].sequence; });
  for (size_t n = 0; n < lines.size(); ++n) {
    PutEntrySequence(file_bytes, static_cast<int32_t>(n + 1), lines[n] * kLength);
  }
  return static_cast<int32_t>(lines.size());
}

int32_t ArrangeTransactions(std::string& file_bytes, TransactionOrder order, bool in_entry_order) {
  std::vector<LineOrderKey> keys = OrderKeysOf(file_bytes);
  if (in_entry_order && KnownSequencesIncrease(keys)) {
    // Kept in the order entered: the file's order is the order of entry.
    if (!SequencesIncrease(keys) || AnySequenceAboveLimit(keys)) NumberInFileOrder(keys);
  } else {
    // Sorted by date (or left so by an interrupted sort): the sequences say
    // the order of entry; lines without one follow in file order.
    RepairSequences(keys);
  }
  int32_t highest = 0;
  for (size_t i = 0; i < keys.size(); ++i) {
    PutEntrySequence(file_bytes, keys[i].sequence, i * kLength);
    highest = std::max(highest, keys[i].sequence);
  }
  std::vector<size_t> lines(keys.size());
  std::iota(lines.begin(), lines.end(), 0);
  std::stable_sort(lines.begin(), lines.end(), [&](size_t a, size_t b) {
    return order == TransactionOrder::kDate ? DateOrderLess(keys[a], keys[b])
                                            : keys[a].sequence < keys[b].sequence;
  });
  PermuteInPlace(file_bytes, lines);
  return highest;
}

}  // namespace zenkar
