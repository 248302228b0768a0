#include "ledger/account_record.h"

#include <algorithm>
#include <cstring>

#include "common/byte_codec.h"
#include "common/text_field.h"

namespace zenkar {
namespace {

// Field offsets of the record.
constexpr size_t kNumber = 0, kWorkAmountA = 4, kWorkAmount1 = 12, kWorkPercent1 = 20;
constexpr size_t kWorkAmount2 = 28, kWorkPercent2 = 36, kHasActivity = 44;
constexpr size_t kDescription = 48, kType = 88, kTotalLevel = 92, kTitleType = 96;
constexpr size_t kBalanceForward = 100, kPostedTotal = 108, kSecondText = 116;
constexpr size_t kDescriptionWidth = 40, kSecondTextWidth = 40;

constexpr std::string_view kTypeLabels[] = {
    "1 - Assets",        "2 - Liabilities & Equity", "3 - Income (Sales)",
    "4 - Cost of Sales", "5 - Gross Profit",         "6 - Operating Expenses",
    "7 - Other Income",  "8 - Other Expenses",       "9 - Net Profit"};

constexpr std::string_view kTitleLabels[] = {"0 - Entry Account",
                                             "1 - Title Account",
                                             "2 - Title Account with Single Underline",
                                             "3 - Title Account with Double Underline",
                                             "4 - Page Break",
                                             "5 - Balance Sheet Profit Account"};

}  // namespace

std::string_view AccountTypeLabel(int32_t type) {
  if (type < kAssets || type > kNetProfit) return {};
  return kTypeLabels[type - kAssets];
}

std::string_view TitleTypeLabel(int32_t title_type) {
  if (title_type < kEntryAccount || title_type > kBalanceSheetProfit) return {};
  return kTitleLabels[title_type];
}

std::string AccountKey(std::string_view number) { return FitText(number, kAccountNumberWidth); }

bool SameAccount(std::string_view a, std::string_view b) { return AccountKey(a) == AccountKey(b); }

std::string UnpackedAccountNumber(uint32_t packed) {
  std::string key(kAccountNumberWidth, ' ');
  std::memcpy(key.data(), &packed, sizeof packed);
  return key;
}

bool AccountNumberLess(std::string_view a, std::string_view b) {
  // std::string compares char by char as unsigned bytes, like the chart file.
  return AccountKey(a) < AccountKey(b);
}

std::string AccountRecord::Label() const {
  return std::string(TrimRight(number)) + " " + std::string(TrimRight(description));
}

AccountRecord AccountRecord::Decode(std::string_view r) {
  AccountRecord a;
  a.number = GetTextField(r, kNumber, kAccountNumberWidth);
  a.work_amount_a = GetMoney(r, kWorkAmountA);
  a.work_amount_1 = GetMoney(r, kWorkAmount1);
  a.work_percent_1 = GetMoney(r, kWorkPercent1);
  a.work_amount_2 = GetMoney(r, kWorkAmount2);
  a.work_percent_2 = GetMoney(r, kWorkPercent2);
  a.has_activity = GetInt32(r, kHasActivity);
  a.description = GetTextField(r, kDescription, kDescriptionWidth);
  a.type = GetInt32(r, kType);
  a.total_level = GetInt32(r, kTotalLevel);
  a.title_type = GetInt32(r, kTitleType);
  a.balance_forward = GetMoney(r, kBalanceForward);
  a.posted_total = GetMoney(r, kPostedTotal);
  a.second_text = GetTextField(r, kSecondText, kSecondTextWidth);
  return a;
}

std::string AccountRecord::Encode() const {
  // Every byte of the record belongs to a known field.
  std::string r(kSize, '\0');
  PutTextField(r, kNumber, kAccountNumberWidth, number);
  PutMoney(r, kWorkAmountA, work_amount_a);
  PutMoney(r, kWorkAmount1, work_amount_1);
  PutMoney(r, kWorkPercent1, work_percent_1);
  PutMoney(r, kWorkAmount2, work_amount_2);
  PutMoney(r, kWorkPercent2, work_percent_2);
  PutInt32(r, kHasActivity, has_activity);
  PutTextField(r, kDescription, kDescriptionWidth, description);
  PutInt32(r, kType, type);
  PutInt32(r, kTotalLevel, total_level);
  PutInt32(r, kTitleType, title_type);
  PutMoney(r, kBalanceForward, balance_forward);
  PutMoney(r, kPostedTotal, posted_total);
  PutTextField(r, kSecondText, kSecondTextWidth, second_text);
  return r;
}

}  // namespace zenkar
