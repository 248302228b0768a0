#include "ledger/payee_record.h"

#include "common/byte_codec.h"
#include "common/text_field.h"

namespace zenkar {
namespace {

// Field offsets of the record.
constexpr size_t kName = 0, kName2 = 40, kAddress = 80, kCityStateZip = 120, kIdNumber = 160;
constexpr size_t kMemo = 180, kPhone = 220, kType1099 = 260, kDefaultAccount = 264;
constexpr size_t kCodeB = 268, kAutoAmounts = 272, kAutoAccounts = 304, kLineCodes = 320;
constexpr size_t kAutoDays = 336, kAutoDescriptions = 352, kFlag = 416, kLongText = 420;
constexpr size_t kFurtherText = 500;

constexpr size_t kTextWidth = 40, kIdWidth = 20, kCodeWidth = 4, kAutoDescriptionWidth = 16;
constexpr size_t kLongTextWidth = 80, kFurtherTextWidth = 36;

}  // namespace

PayeeRecord PayeeRecord::Decode(std::string_view r) {
  PayeeRecord p;
  p.name = GetTextField(r, kName, kTextWidth);
  p.name_2 = GetTextField(r, kName2, kTextWidth);
  p.address = GetTextField(r, kAddress, kTextWidth);
  p.city_state_zip = GetTextField(r, kCityStateZip, kTextWidth);
  p.id_number = GetTextField(r, kIdNumber, kIdWidth);
  p.memo = GetTextField(r, kMemo, kTextWidth);
  p.phone = GetTextField(r, kPhone, kTextWidth);
  p.type_1099 = GetInt32(r, kType1099);
  p.default_account = GetTextField(r, kDefaultAccount, kCodeWidth);
  p.code_b = GetTextField(r, kCodeB, kCodeWidth);
  for (size_t i = 0; i < kAutoInvoiceLines; ++i) {
    p.auto_amounts[i] = GetMoney(r, kAutoAmounts + i * 8);
    p.auto_accounts[i] = GetTextField(r, kAutoAccounts + i * kCodeWidth, kCodeWidth);
    p.line_codes[i] = GetTextField(r, kLineCodes + i * kCodeWidth, kCodeWidth);
    p.auto_days[i] = GetInt32(r, kAutoDays + i * 4);
    p.auto_descriptions[i] =
        GetTextField(r, kAutoDescriptions + i * kAutoDescriptionWidth, kAutoDescriptionWidth);
  }
  p.flag = GetInt32(r, kFlag);
  p.long_text = GetTextField(r, kLongText, kLongTextWidth);
  p.further_text = GetTextField(r, kFurtherText, kFurtherTextWidth);
  return p;
}

std::string PayeeRecord::Encode() const {
  // Every byte of the record belongs to a known field.
  std::string r(kSize, '\0');
  PutTextField(r, kName, kTextWidth, name);
  PutTextField(r, kName2, kTextWidth, name_2);
  PutTextField(r, kAddress, kTextWidth, address);
  PutTextField(r, kCityStateZip, kTextWidth, city_state_zip);
  PutTextField(r, kIdNumber, kIdWidth, id_number);
  PutTextField(r, kMemo, kTextWidth, memo);
  PutTextField(r, kPhone, kTextWidth, phone);
  PutInt32(r, kType1099, type_1099);
  PutTextField(r, kDefaultAccount, kCodeWidth, default_account);
  PutTextField(r, kCodeB, kCodeWidth, code_b);
  for (size_t i = 0; i < kAutoInvoiceLines; ++i) {
    PutMoney(r, kAutoAmounts + i * 8, auto_amounts[i]);
    PutTextField(r, kAutoAccounts + i * kCodeWidth, kCodeWidth, auto_accounts[i]);
    PutTextField(r, kLineCodes + i * kCodeWidth, kCodeWidth, line_codes[i]);
    PutInt32(r, kAutoDays + i * 4, auto_days[i]);
    PutTextField(r, kAutoDescriptions + i * kAutoDescriptionWidth, kAutoDescriptionWidth,
                 auto_descriptions[i]);
  }
  PutInt32(r, kFlag, flag);
  PutTextField(r, kLongText, kLongTextWidth, long_text);
  PutTextField(r, kFurtherText, kFurtherTextWidth, further_text);
  return r;
}

void ClearPayee(PayeeRecord& payee) { payee = PayeeRecord(); }

}  // namespace zenkar
