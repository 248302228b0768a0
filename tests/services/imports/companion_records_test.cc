// The companion programs' records: each field at its offset, and every byte
// no field names written back exactly as read.
#include "services/imports/companion_records.h"

#include <gtest/gtest.h>

#include <random>

#include "common/byte_codec.h"
#include "common/text_field.h"

namespace zenkar {
namespace {

std::string RandomBytes(size_t size, unsigned seed) {
  std::mt19937 random(seed);
  std::string bytes(size, '\0');
  for (char& byte : bytes) byte = static_cast<char>(random());
  return bytes;
}

TEST(CompanionRecordsTest, FieldsSitAtTheirOffsetsAndOtherBytesSurvive) {
  std::string charge_bytes = RandomBytes(ChargeRecord::kSize, 1);
  PutInt32(charge_bytes, 4, 46000);
  PutTextField(charge_bytes, 12, 4, "S1");
  PutMoney(charge_bytes, 92, Money::FromCents(-1234));
  PutInt32(charge_bytes, 128, 0);
  ChargeRecord charge = ChargeRecord::Decode(charge_bytes);
  EXPECT_EQ(charge.date, 46000);
  EXPECT_EQ(charge.sales_code, "S1  ");
  EXPECT_EQ(charge.amount, Money::FromCents(-1234));
  EXPECT_EQ(charge.Encode(), charge_bytes);
  charge.imported = 1;
  std::string expected = charge_bytes;
  PutInt32(expected, 128, 1);
  EXPECT_EQ(charge.Encode(), expected);

  std::string paycheck_bytes = RandomBytes(PaycheckRecord::kSize, 2);
  PutInt32(paycheck_bytes, 0, 17);
  PutTextField(paycheck_bytes, 4, 8, "5003");
  PutInt32(paycheck_bytes, 12, 46050);
  PutMoney(paycheck_bytes, 160, Money::FromCents(120000));
  PutMoney(paycheck_bytes, 168 + 8 * 10, Money::FromCents(77));
  PutMoney(paycheck_bytes, 336, Money::FromCents(100000));
  PaycheckRecord paycheck = PaycheckRecord::Decode(paycheck_bytes);
  EXPECT_EQ(paycheck.employee_number, 17);
  EXPECT_EQ(paycheck.check_number, "5003    ");
  EXPECT_EQ(paycheck.date, 46050);
  EXPECT_EQ(paycheck.gross_pay, Money::FromCents(120000));
  EXPECT_EQ(paycheck.deductions[10], Money::FromCents(77));
  EXPECT_EQ(paycheck.net_pay, Money::FromCents(100000));
  paycheck.imported = 1;
  expected = paycheck_bytes;
  PutInt32(expected, 24, 1);
  EXPECT_EQ(paycheck.Encode(), expected);

  std::string code_bytes = RandomBytes(SalesCodeRecord::kSize, 3);
  PutTextField(code_bytes, 0, 4, "P1");
  PutTextField(code_bytes, 8, 40, "Payments");
  PutTextField(code_bytes, 60, 4, "110");
  const SalesCodeRecord code = SalesCodeRecord::Decode(code_bytes);
  EXPECT_EQ(TrimRight(code.description), "Payments");
  EXPECT_EQ(code.account, "110 ");
  EXPECT_EQ(code.Encode(), code_bytes);

  std::string employee_bytes = RandomBytes(EmployeeRecord::kSize, 4);
  PutTextField(employee_bytes, 0, 20, "Ann");
  PutTextField(employee_bytes, 20, 1, " ");
  PutTextField(employee_bytes, 21, 30, "Lee");
  PutInt32(employee_bytes, 81, 9);
  const EmployeeRecord employee = EmployeeRecord::Decode(employee_bytes);
  EXPECT_EQ(employee.number, 9);
  EXPECT_EQ(EmployeeName(employee), "Ann Lee");
  EXPECT_EQ(employee.Encode(), employee_bytes);

  std::string settings(ReceivablesSettingsRecord::kSize, '\0');
  PutInt32(settings, 778, 2015);
  EXPECT_EQ(ReceivablesSettingsRecord::Decode(settings).version_year, 2015);
  std::string payroll(PayrollSettingsRecord::kSize, '\0');
  PutInt32(payroll, 719, 2016);
  PutInt32(payroll, 797, 8);
  EXPECT_EQ(PayrollSettingsRecord::Decode(payroll).version_year, 2016);
  EXPECT_EQ(PayrollSettingsRecord::Decode(payroll).check_option, 8);
}

}  // namespace
}  // namespace zenkar
