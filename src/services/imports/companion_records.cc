#include "services/imports/companion_records.h"

#include "common/record_fields.h"
#include "common/text_field.h"

namespace zenkar {

// The field tables: each known field once, with its offset and width.

template <typename R, typename V>
void ReceivablesSettingsRecord::VisitFields(R& r, V& v) {
  v.Int32(778, r.version_year);
}

template <typename R, typename V>
void SalesCodeRecord::VisitFields(R& r, V& v) {
  v.Text(0, 4, r.code);
  v.Text(8, 40, r.description);
  v.Text(60, 4, r.account);
}

template <typename R, typename V>
void ChargeRecord::VisitFields(R& r, V& v) {
  v.Int32(4, r.date);
  v.Text(12, 4, r.sales_code);
  v.Amount(92, r.amount);
  v.Int32(128, r.imported);
}

template <typename R, typename V>
void PayrollSettingsRecord::VisitFields(R& r, V& v) {
  v.Int32(719, r.version_year);
  v.Int32(797, r.check_option);
}

template <typename R, typename V>
void EmployeeRecord::VisitFields(R& r, V& v) {
  v.Text(0, 20, r.first_name);
  v.Text(20, 1, r.middle_initial);
  v.Text(21, 30, r.last_name);
  v.Int32(81, r.number);
}

template <typename R, typename V>
void PaycheckRecord::VisitFields(R& r, V& v) {
  v.Int32(0, r.employee_number);
  v.Text(4, 8, r.check_number);
  v.Int32(12, r.date);
  v.Int32(24, r.imported);
  v.Amount(160, r.gross_pay);
  for (size_t i = 0; i < kDeductionCount; ++i) v.Amount(168 + 8 * i, r.deductions[i]);
  v.Amount(336, r.net_pay);
}

ReceivablesSettingsRecord ReceivablesSettingsRecord::Decode(std::string_view record) {
  return DecodeByFields<ReceivablesSettingsRecord>(record);
}

SalesCodeRecord SalesCodeRecord::Decode(std::string_view record) {
  return DecodeByFields<SalesCodeRecord>(record);
}
std::string SalesCodeRecord::Encode() const { return EncodeByFields(*this); }

ChargeRecord ChargeRecord::Decode(std::string_view record) {
  return DecodeByFields<ChargeRecord>(record);
}
std::string ChargeRecord::Encode() const { return EncodeByFields(*this); }

PayrollSettingsRecord PayrollSettingsRecord::Decode(std::string_view record) {
  return DecodeByFields<PayrollSettingsRecord>(record);
}

EmployeeRecord EmployeeRecord::Decode(std::string_view record) {
  return DecodeByFields<EmployeeRecord>(record);
}
std::string EmployeeRecord::Encode() const { return EncodeByFields(*this); }

PaycheckRecord PaycheckRecord::Decode(std::string_view record) {
  return DecodeByFields<PaycheckRecord>(record);
}
std::string PaycheckRecord::Encode() const { return EncodeByFields(*this); }

std::string EmployeeName(const EmployeeRecord& employee) {
  std::string name(Trim(employee.first_name));
  auto add = [&name](std::string_view part) {
    if (part.empty()) return;
    if (!name.empty()) name += ' ';
    name += part;
  };
  const std::string_view initial = Trim(employee.middle_initial);
  add(initial.empty() ? std::string() : std::string(initial) + ".");
  add(Trim(employee.last_name));
  return name;
}

}  // namespace zenkar
