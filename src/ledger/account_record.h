// AccountRecord: one 156-byte account of the chart of accounts (KXACCT.COA).
//
// An account is keyed by its account number, a text of up to 4 characters
// padded with spaces. Numbers are compared as 4-character texts byte by byte,
// padding included, so "465" sorts after "4000" and before "5", and "10" and
// "010" are different accounts. The statement work areas (offsets 4 to 47)
// belong to the financial statements, which clear and refill them on every
// run; they are stored with the record and otherwise left alone.
#ifndef ZENKAR_LEDGER_ACCOUNT_RECORD_H_
#define ZENKAR_LEDGER_ACCOUNT_RECORD_H_

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "common/money.h"

namespace zenkar {

inline constexpr size_t kAccountNumberWidth = 4;

// Account types (offset 88). 1 and 2 are balance-sheet accounts, 3 to 9
// income-statement accounts.
enum AccountType : int32_t {
  kAssets = 1,
  kLiabilitiesAndEquity = 2,
  kIncome = 3,
  kCostOfSales = 4,
  kGrossProfit = 5,
  kOperatingExpenses = 6,
  kOtherIncome = 7,
  kOtherExpenses = 8,
  kNetProfit = 9,
};

// Title types (offset 96). Only an entry account holds a balance and takes
// entries.
enum TitleType : int32_t {
  kEntryAccount = 0,
  kTitleAccount = 1,
  kTitleSingleUnderline = 2,
  kTitleDoubleUnderline = 3,
  kPageBreak = 4,
  kBalanceSheetProfit = 5,
};

// The labels the chart screen shows: "1 - Assets" ... "9 - Net Profit", and
// "0 - Entry Account" ... "5 - Balance Sheet Profit Account". Empty for a
// value outside the table.
std::string_view AccountTypeLabel(int32_t type);
std::string_view TitleTypeLabel(int32_t title_type);

// The account number as a 4-character key: cut or padded with spaces.
std::string AccountKey(std::string_view number);
// True when the two numbers name the same account.
bool SameAccount(std::string_view a, std::string_view b);
// Chart order: byte by byte over the 4-character keys.
bool AccountNumberLess(std::string_view a, std::string_view b);
// The account number as one integer: the four bytes of its key, padding
// included, for passes that look numbers up per line without making strings.
inline uint32_t PackedAccountNumber(std::string_view number) {
  uint32_t packed = 0x20202020;  // four spaces: a shorter number keeps its padding
  // A stored number always has its 4 bytes: one word, not a copy byte by byte.
  if (number.size() >= sizeof packed) {
    std::memcpy(&packed, number.data(), sizeof packed);
  } else {
    std::memcpy(&packed, number.data(), number.size());
  }
  return packed;
}
// The 4-character key a packed number was made of.
std::string UnpackedAccountNumber(uint32_t packed);
// Where a packed number (or a code made of one) starts probing in an
// open-addressed table of `mask` + 1 places: the high bits of a
// multiplicative hash, since the low ones would follow the first character
// alone and put "510", "520" and "549" in one place.
inline size_t AccountSlotStart(uint64_t packed, size_t mask) {
  return static_cast<size_t>((packed * 0x9E3779B97F4A7C15u) >> 40) & mask;
}

struct AccountRecord {
  static constexpr size_t kSize = 156;
  static constexpr std::string_view kFileName = "KXACCT.COA";
  // The default chart in the program folder, in the same format.
  static constexpr std::string_view kDefaultChartFileName = "KXACCTCOA.DAT";

  std::string number;                  // 0, 4
  Money work_amount_a;                 // 4
  Money work_amount_1;                 // 12: first statement column
  Money work_percent_1;                // 20
  Money work_amount_2;                 // 28: second statement column
  Money work_percent_2;                // 36
  int32_t has_activity = 0;            // 44: set while a statement includes the account
  std::string description;             // 48, 40
  int32_t type = kAssets;              // 88
  int32_t total_level = 1;             // 92
  int32_t title_type = kEntryAccount;  // 96
  Money balance_forward;               // 100
  Money posted_total;                  // 108: sum of the journal and check/deposit lines
  std::string second_text;             // 116, 40

  bool IsEntry() const { return title_type == kEntryAccount; }
  // "number description" as lists of accounts show it.
  std::string Label() const;

  static AccountRecord Decode(std::string_view record);
  std::string Encode() const;
};

}  // namespace zenkar

#endif  // ZENKAR_LEDGER_ACCOUNT_RECORD_H_
