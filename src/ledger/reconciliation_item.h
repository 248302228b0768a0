// ReconciliationItem: one bank movement of the bank reconciliation, and the
// 152-byte record of KXACCT.REC that keeps it.
//
// The reconciliation lists every check and deposit and every journal line
// to the bank account as items; a check split over several accounts is one
// item. KXACCT.REC holds exactly the items marked outstanding at the last
// save, one record each, in list order, without a header. The in-memory list
// and the file share the layout; every byte of it is a field.
#ifndef ZENKAR_LEDGER_RECONCILIATION_ITEM_H_
#define ZENKAR_LEDGER_RECONCILIATION_ITEM_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/day_number.h"
#include "common/money.h"

namespace zenkar {

inline constexpr std::string_view kReconciliationFileName = "KXACCT.REC";
inline constexpr size_t kReconciliationRecordLength = 152;

struct ReconciliationItem {
  static constexpr size_t kSize = kReconciliationRecordLength;

  // 0, 60: the normalised reference followed by the date as an 8-digit day
  // number (MatchKey); 60, 20: its first 20 characters.
  std::string match_key;
  std::string key_head;
  std::string description;   // 80, 40: payee name or description
  DayNumber date = kNoDate;  // 120
  std::string reference;     // 124, 8
  std::string account;       // 132, 4: the line's own account
  Money amount;              // 136: positive for money out of the bank
  int32_t position = 0;      // 144: place in the sorted list, from 1
  int32_t outstanding = 0;   // 148: 1 outstanding, 0 cleared

  bool is_outstanding() const { return outstanding != 0; }

  static ReconciliationItem Decode(std::string_view record);
  std::string Encode() const;
};

// A whole KXACCT.REC: `bytes` holds a whole number of records.
std::vector<ReconciliationItem> DecodeReconciliationItems(std::string_view bytes);
std::string EncodeReconciliationItems(const std::vector<ReconciliationItem>& items);

// The reference as the match key writes it: trimmed and in capitals; a
// number above 0 becomes "0" and the number in 8 digits with leading zeros,
// anything else "1" and the text; padded on the right with "0" to at least 9
// characters. Numeric references so sort before text, and by value: "123"
// and "00123" both give "000000123", "ABC" gives "1ABC00000".
std::string NormalizedReference(std::string_view reference);
// The normalised reference followed by the day number in 8 digits.
std::string MatchKey(std::string_view reference, DayNumber date);

// What a saved outstanding mark and the item it marks have in common: the
// match key, and for an item without a reference also the description and
// the amount. Items with a reference are merged by their key, so the key
// names one; two deposits without a reference on one day are two items with
// one key, told apart this way.
std::string MarkIdentity(const ReconciliationItem& item);

// The outstanding marks when another program saved `theirs` since this
// program read or saved `base` and now has `ours`: the marks of `theirs`,
// less those this program cleared since `base`, plus those it set since, in
// match-key order.
std::vector<ReconciliationItem> MergeOutstandingMarks(
    const std::vector<ReconciliationItem>& base, const std::vector<ReconciliationItem>& ours,
    const std::vector<ReconciliationItem>& theirs);

}  // namespace zenkar

#endif  // ZENKAR_LEDGER_RECONCILIATION_ITEM_H_
