// RecurringEntryRecord: one 284-byte template of KXACCT.RJE.
//
// A recurring entry is a check, deposit or journal entry that repeats every
// month; posting a month turns each template into transaction lines dated in
// that month. The file holds one record per template in the order they are
// posted, without a header. The bytes the layout leaves unused (offsets 128,
// 184, 192 and 204 on) are kept exactly as read.
#ifndef ZENKAR_LEDGER_RECURRING_ENTRY_RECORD_H_
#define ZENKAR_LEDGER_RECURRING_ENTRY_RECORD_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/money.h"

namespace zenkar {

inline constexpr std::string_view kRecurringFileName = "KXACCT.RJE";
inline constexpr size_t kRecurringRecordLength = 284;

struct RecurringEntryRecord {
  static constexpr size_t kSize = kRecurringRecordLength;

  int32_t kind = 0;               // 0: kJournalLine or kCheckOrDeposit
  int32_t payee_number = 0;       // 4: record number in KXACCT.VND, 0 for none
  std::string payee_name_1;       // 8, 40: the payee's name when the template was saved
  std::string payee_name_2;       // 48, 40: its name line 2 then
  std::string description;        // 88, 40: the payee text of the posted lines
  std::string reference;          // 168, 8
  int32_t day = 0;                // 176: day of the month, brought into the month posted
  std::string account;            // 180, 4: own account (journal entry: main account)
  std::string reversing_account;  // 188, 4: a journal entry's balancing account
  Money amount;                   // 196

  // The bytes as last read or encoded: the unused areas live here.
  std::string raw = std::string(kSize, '\0');

  static RecurringEntryRecord Decode(std::string_view record);
  std::string Encode() const;
};

// A whole KXACCT.RJE: `bytes` holds a whole number of records.
std::vector<RecurringEntryRecord> DecodeRecurringEntries(std::string_view bytes);
std::string EncodeRecurringEntries(const std::vector<RecurringEntryRecord>& entries);

}  // namespace zenkar

#endif  // ZENKAR_LEDGER_RECURRING_ENTRY_RECORD_H_
