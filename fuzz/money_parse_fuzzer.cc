// Fuzz target: typed amounts (ParseTypedAmount, with and without the fixed
// decimal position)
// and the amount texts of screens and reports.
//
// The input is typed text; its first eight bytes are also read as a stored
// amount, as the record files hold them. An amount parsed, printed (rounded
// to cents) and parsed again is the parsed amount rounded to cents, in every
// printed form that the parser reads: "1234.56", "1,234.56", the report
// styles with a minus sign or without a leading zero, and the styles that
// show a negative amount in parentheses once these are taken off.
#include <cstdint>
#include <optional>
#include <string>

#include "common/byte_codec.h"
#include "common/money.h"
#include "fuzz/fuzz_support.h"
#include "output/number_format.h"

namespace {

using zenkar::Money;
using zenkar::fuzzing::Require;

// Amounts whose whole units stay below this are always printed in a form
// the parser reads back; only the last few above it are refused as too large.
constexpr int64_t kReadableUnits = 900'000'000'000'000;

// A report text with "$" and parentheses taken off, the parentheses as a sign.
std::optional<Money> ParseReportText(std::string text) {
  if (!text.empty() && text.front() == '$') text.erase(0, 1);
  bool negative = false;
  if (text.size() >= 2 && text.front() == '(' && text.back() == ')') {
    negative = true;
    text = text.substr(1, text.size() - 2);
  }
  const std::optional<Money> amount = Money::Parse(text);
  if (!amount || !negative) return amount;
  return -*amount;
}

void CheckPrinted(Money amount) {
  const Money rounded = amount.RoundedToCents();
  if (rounded.raw() / Money::kScale >= kReadableUnits ||
      rounded.raw() / Money::kScale <= -kReadableUnits) {
    return;
  }
  Require(Money::Parse(amount.ToString()) == rounded, "ToString reads back");
  Require(Money::Parse(amount.ToStringWithCommas()) == rounded, "ToStringWithCommas reads back");
  Require(zenkar::ParseTypedAmount(amount.ToString(), true) == rounded,
          "a printed amount reads back with the fixed decimal position too");
  for (int style : {zenkar::kAmountPlain, zenkar::kAmountMinusSign, zenkar::kAmountNoLeadingZero,
                    zenkar::kAmountDollars, zenkar::kAmountThousands}) {
    Require(ParseReportText(zenkar::FormatAmount(amount, style)) == rounded,
            "a report amount reads back");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text = zenkar::fuzzing::BytesOf(data, size);
  for (bool fixed_decimal : {false, true}) {
    if (const std::optional<Money> amount = zenkar::ParseTypedAmount(text, fixed_decimal)) {
      CheckPrinted(*amount);
    }
  }
  std::string stored(text.substr(0, 8));
  stored.resize(8, '\0');
  CheckPrinted(zenkar::GetMoney(stored, 0));
  return 0;
}
