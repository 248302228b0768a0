// The records of the companion programs that the imports read and write:
// Zenkar Accounts Receivable (KXAREC.*) and Zenkar Payroll (KXPAY.*) keep
// their files in the company's data folder.
//
// They are bytes from outside this program: each record type decodes its
// fields at their byte offsets and keeps the record's bytes whole in `raw`,
// so that writing a record back (with its imported flag set) changes only
// that flag and leaves every field this program does not know exactly as
// the companion program wrote it. Integers are little-endian 32-bit, amounts
// 64-bit counts of ten-thousandths, texts Windows-1252 and space padded.
#ifndef ZENKAR_SERVICES_IMPORTS_COMPANION_RECORDS_H_
#define ZENKAR_SERVICES_IMPORTS_COMPANION_RECORDS_H_

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/day_number.h"
#include "common/money.h"

namespace zenkar {

// --- Zenkar Accounts Receivable ---------------------------------------------

// KXAREC.CFG: one record; only the version year is read.
struct ReceivablesSettingsRecord {
  static constexpr size_t kSize = 9998;
  static constexpr std::string_view kFileName = "KXAREC.CFG";

  int32_t version_year = 0;  // 778

  std::string raw = std::string(kSize, '\0');
  template <typename R, typename V>
  static void VisitFields(R& record, V& visitor);
  static ReceivablesSettingsRecord Decode(std::string_view record);
};

// KXAREC.DES: a sales code, which says what ledger account its charges and
// payments post to.
struct SalesCodeRecord {
  static constexpr size_t kSize = 100;
  static constexpr std::string_view kFileName = "KXAREC.DES";

  std::string code;         // 0, 4
  std::string description;  // 8, 40
  std::string account;      // 60, 4: the ledger account number

  std::string raw = std::string(kSize, '\0');
  template <typename R, typename V>
  static void VisitFields(R& record, V& visitor);
  static SalesCodeRecord Decode(std::string_view record);
  std::string Encode() const;
};

// KXAREC.CHG: a charge or a payment of a customer.
struct ChargeRecord {
  static constexpr size_t kSize = 150;
  static constexpr std::string_view kFileName = "KXAREC.CHG";

  DayNumber date = kNoDate;  // 4
  std::string sales_code;    // 12, 4
  Money amount;              // 92
  int32_t imported = 0;      // 128: 0 until the ledger took it

  std::string raw = std::string(kSize, '\0');
  template <typename R, typename V>
  static void VisitFields(R& record, V& visitor);
  static ChargeRecord Decode(std::string_view record);
  std::string Encode() const;
};

// --- Zenkar Payroll ----------------------------------------------------------------

// KXPAY.CFG: one record; the version year and the payroll option that says
// whether imported paychecks still need printing.
struct PayrollSettingsRecord {
  static constexpr size_t kSize = 5000;
  static constexpr std::string_view kFileName = "KXPAY.CFG";

  int32_t version_year = 0;  // 719
  int32_t check_option = 0;  // 797: below 8 the paychecks are printed from the ledger

  std::string raw = std::string(kSize, '\0');
  template <typename R, typename V>
  static void VisitFields(R& record, V& visitor);
  static PayrollSettingsRecord Decode(std::string_view record);
};

// KXPAY.EMP: an employee. The name is kept in three fields at the front of
// the record: first name, middle initial and last name.
struct EmployeeRecord {
  static constexpr size_t kSize = 1000;
  static constexpr std::string_view kFileName = "KXPAY.EMP";

  std::string first_name;      // 0, 20
  std::string middle_initial;  // 20, 1
  std::string last_name;       // 21, 30
  int32_t number = 0;          // 81: the employee number paychecks name

  std::string raw = std::string(kSize, '\0');
  template <typename R, typename V>
  static void VisitFields(R& record, V& visitor);
  static EmployeeRecord Decode(std::string_view record);
  std::string Encode() const;
};

// The name a paycheck line shows: "First M. Last", blanks left out.
std::string EmployeeName(const EmployeeRecord& employee);

inline constexpr int kDeductionCount = 11;

// KXPAY.PRC: a paycheck.
struct PaycheckRecord {
  static constexpr size_t kSize = 500;
  static constexpr std::string_view kFileName = "KXPAY.PRC";

  int32_t employee_number = 0;                    // 0
  std::string check_number;                       // 4, 8
  DayNumber date = kNoDate;                       // 12
  int32_t imported = 0;                           // 24: 0 until the ledger took it
  Money gross_pay;                                // 160
  std::array<Money, kDeductionCount> deductions;  // 168, 11 x 8
  Money net_pay;                                  // 336

  std::string raw = std::string(kSize, '\0');
  template <typename R, typename V>
  static void VisitFields(R& record, V& visitor);
  static PaycheckRecord Decode(std::string_view record);
  std::string Encode() const;
};

}  // namespace zenkar

#endif  // ZENKAR_SERVICES_IMPORTS_COMPANION_RECORDS_H_
