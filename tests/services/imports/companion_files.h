// The companion programs' files for tests: records made field by field and
// written into a folder as Zenkar Payroll and Zenkar Accounts Receivable
// would leave them, and a paycheck window answered by the test.
#ifndef ZENKAR_TESTS_SERVICES_IMPORTS_COMPANION_FILES_H_
#define ZENKAR_TESTS_SERVICES_IMPORTS_COMPANION_FILES_H_

#include <string>
#include <vector>

#include "common/byte_codec.h"
#include "services/imports/companion_import.h"
#include "services/imports/payroll_import.h"
#include "support/temp_dir.h"

namespace zenkar::testing {

inline SalesCodeRecord SalesCode(std::string_view code, std::string_view description,
                                 std::string_view account) {
  SalesCodeRecord record;
  record.code = std::string(code);
  record.description = std::string(description);
  record.account = std::string(account);
  return record;
}

inline ChargeRecord Charge(DayNumber date, std::string_view code, int64_t cents,
                           int32_t imported = 0) {
  ChargeRecord record;
  record.date = date;
  record.sales_code = std::string(code);
  record.amount = Money::FromCents(cents);
  record.imported = imported;
  return record;
}

inline EmployeeRecord Employee(int32_t number, std::string_view first, std::string_view last,
                               std::string_view initial = "") {
  EmployeeRecord record;
  record.number = number;
  record.first_name = std::string(first);
  record.last_name = std::string(last);
  record.middle_initial = std::string(initial);
  return record;
}

inline PaycheckRecord Paycheck(int32_t employee, std::string_view check, DayNumber date,
                               int64_t gross_cents, std::vector<int64_t> deduction_cents,
                               int32_t imported = 0) {
  PaycheckRecord record;
  record.employee_number = employee;
  record.check_number = std::string(check);
  record.date = date;
  record.imported = imported;
  record.gross_pay = Money::FromCents(gross_cents);
  int64_t deducted = 0;
  for (size_t i = 0; i < deduction_cents.size(); ++i) {
    record.deductions[i] = Money::FromCents(deduction_cents[i]);
    deducted += deduction_cents[i];
  }
  record.net_pay = Money::FromCents(gross_cents - deducted);
  return record;
}

// Answers the paycheck window and remembers what it showed.
class ScriptedChooser : public PaycheckChooser {
 public:
  bool Confirm(const PaycheckSelection& selection) override {
    shown.push_back(selection);
    return import;
  }
  bool import = true;
  std::vector<PaycheckSelection> shown;
};

inline void WriteReceivablesSettings(const TempDir& folder, int32_t year) {
  std::string settings(ReceivablesSettingsRecord::kSize, ' ');
  PutInt32(settings, 778, year);
  folder.WriteFile("KXAREC.CFG", settings);
}

inline void WriteReceivablesFiles(const TempDir& folder, const std::vector<SalesCodeRecord>& codes,
                                  const std::vector<ChargeRecord>& charges, int32_t year = 2015) {
  WriteReceivablesSettings(folder, year);
  folder.WriteFile("KXAREC.DES", EncodeCompanionRecords(codes));
  folder.WriteFile("KXAREC.CHG", EncodeCompanionRecords(charges));
}

inline void WritePayrollFiles(const TempDir& folder, const std::vector<EmployeeRecord>& employees,
                              const std::vector<PaycheckRecord>& paychecks, int32_t year = 2015,
                              int32_t check_option = 0) {
  std::string settings(PayrollSettingsRecord::kSize, ' ');
  PutInt32(settings, 719, year);
  PutInt32(settings, 797, check_option);
  folder.WriteFile("KXPAY.CFG", settings);
  folder.WriteFile("KXPAY.EMP", EncodeCompanionRecords(employees));
  folder.WriteFile("KXPAY.PRC", EncodeCompanionRecords(paychecks));
}

}  // namespace zenkar::testing

#endif  // ZENKAR_TESTS_SERVICES_IMPORTS_COMPANION_FILES_H_
