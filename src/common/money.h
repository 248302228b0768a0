// Money: an exact amount held as a signed count of ten-thousandths.
//
// The books store every amount as a 64-bit integer of the amount times 10,000
// (four implied decimals). The same integer is used in memory, so no amount
// ever passes through floating point. Amounts are typed and shown with two
// decimals and are rounded to cents, half away from zero, when totals are kept.
#ifndef ZENKAR_COMMON_MONEY_H_
#define ZENKAR_COMMON_MONEY_H_

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zenkar {

class Money {
 public:
  static constexpr int64_t kScale = 10000;  // ten-thousandths per unit

  constexpr Money() = default;
  static constexpr Money FromRaw(int64_t ten_thousandths) { return Money(ten_thousandths); }
  static constexpr Money FromCents(int64_t cents) { return Money(Multiply(cents, 100)); }
  static constexpr Money FromUnits(int64_t units) { return Money(Multiply(units, kScale)); }

  // Parses an amount written out in full: optional surrounding spaces, an
  // optional leading "-" or "+", digits with optional thousands commas and an
  // optional decimal point followed by digits. Digits beyond the fourth decimal
  // are rounded half away from zero. Returns nothing for any other text, for
  // an empty text and for amounts too large to hold. What a user types into a
  // money field is read with ParseTypedAmount instead.
  static std::optional<Money> Parse(std::string_view text);

  constexpr int64_t raw() const { return raw_; }
  constexpr bool IsZero() const { return raw_ == 0; }
  constexpr bool IsNegative() const { return raw_ < 0; }

  // The amount rounded to whole cents, half away from zero.
  constexpr Money RoundedToCents() const {
    const int64_t remainder = raw_ % 100;
    const int64_t cents_part = raw_ - remainder;
    if (remainder >= 50) return Money(cents_part + 100);
    if (remainder <= -50) return Money(cents_part - 100);
    return Money(cents_part);
  }
  // The rounded amount as a count of cents.
  int64_t Cents() const { return RoundedToCents().raw_ / 100; }

  // Two-decimal text, rounded to cents: "1234.56", "-0.50", "0.00".
  std::string ToString() const;
  // Two-decimal text with thousands separators: "1,234.56", "-1,234.56".
  std::string ToStringWithCommas() const;

  // The books keep every amount far from the ends of the range (a bound on
  // each stored amount and on how many are added up), so a result that does
  // not fit is a fault of the program, never a figure: it stops the program
  // (through std::terminate) rather than wrap around into a wrong total.
  constexpr Money operator-() const { return Money(Subtract(0, raw_)); }
  constexpr Money operator+(Money other) const { return Money(Add(raw_, other.raw_)); }
  constexpr Money operator-(Money other) const { return Money(Subtract(raw_, other.raw_)); }
  constexpr Money& operator+=(Money other) { return *this = *this + other; }
  constexpr Money& operator-=(Money other) { return *this = *this - other; }
  constexpr auto operator<=>(const Money&) const = default;

 private:
  constexpr explicit Money(int64_t raw) : raw_(raw) {}
  static constexpr int64_t Add(int64_t a, int64_t b) {
    int64_t result = 0;
    if (__builtin_add_overflow(a, b, &result)) OutOfRange();
    return result;
  }
  static constexpr int64_t Subtract(int64_t a, int64_t b) {
    int64_t result = 0;
    if (__builtin_sub_overflow(a, b, &result)) OutOfRange();
    return result;
  }
  static constexpr int64_t Multiply(int64_t a, int64_t b) {
    int64_t result = 0;
    if (__builtin_mul_overflow(a, b, &result)) OutOfRange();
    return result;
  }
  [[noreturn]] static void OutOfRange();

  int64_t raw_ = 0;
};

// An amount as a user types it into a money field, under the company's "Use
// Fixed Decimal Position" option (`fixed_decimal`). With the option, a text
// without a decimal point is read as cents: "12345" is 123.45 and "-5" is
// -0.05; a typed point overrides it ("12." is 12.00, "1.5" is 1.50). Without
// it, and for everything else, as Money::Parse. Every field where a user types
// an amount of money reads it here; check numbers, margins and counts do not.
std::optional<Money> ParseTypedAmount(std::string_view text, bool fixed_decimal);

}  // namespace zenkar

#endif  // ZENKAR_COMMON_MONEY_H_
