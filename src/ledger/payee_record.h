// PayeeRecord: one 536-byte payee of KXACCT.VND.
//
// Payees are the people and companies checks are written to, deposits come
// from and invoices are owed to. A payee's number is its record number; lines
// of the transaction file and recurring entries name their payee by it and
// also carry a copy of its name.
#ifndef ZENKAR_LEDGER_PAYEE_RECORD_H_
#define ZENKAR_LEDGER_PAYEE_RECORD_H_

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/money.h"

namespace zenkar {

inline constexpr size_t kPayeeNameWidth = 40;
inline constexpr int kAutoInvoiceLines = 4;

// The "1099 Type" option buttons, in screen order.
enum Payee1099Type : int32_t { k1099None = 0, k1099Misc = 1, k1099Rent = 2 };

struct PayeeRecord {
  static constexpr size_t kSize = 536;
  static constexpr std::string_view kFileName = "KXACCT.VND";

  std::string name;               // 0, 40 "Name 1"
  std::string name_2;             // 40, 40 "Name 2"
  std::string address;            // 80, 40
  std::string city_state_zip;     // 120, 40
  std::string id_number;          // 160, 20 "ID Number"
  std::string memo;               // 180, 40
  std::string phone;              // 220, 40
  int32_t type_1099 = k1099None;  // 260
  std::string default_account;    // 264, 4
  std::string code_b;             // 268, 4
  // The automatic-invoice lines ("Auto Invoice 1" ...), five parallel arrays.
  std::array<Money, kAutoInvoiceLines> auto_amounts{};       // 272, 4 x 8
  std::array<std::string, kAutoInvoiceLines> auto_accounts;  // 304, 4 x 4
  std::array<std::string, kAutoInvoiceLines> line_codes;     // 320, 4 x 4
  std::array<int32_t, kAutoInvoiceLines> auto_days{};        // 336, 4 x 4: sign picks invoice/check
  std::array<std::string, kAutoInvoiceLines> auto_descriptions;  // 352, 4 x 16
  int32_t flag = 0;                                              // 416
  std::string long_text;                                         // 420, 80
  std::string further_text;                                      // 500, 36

  static PayeeRecord Decode(std::string_view record);
  std::string Encode() const;
};

// Blanks every field: texts all spaces, numbers and amounts zero.
void ClearPayee(PayeeRecord& payee);

}  // namespace zenkar

#endif  // ZENKAR_LEDGER_PAYEE_RECORD_H_
