#include "common/money.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <string>

namespace zenkar {
namespace {

constexpr int64_t kMaxRaw = std::numeric_limits<int64_t>::max();
constexpr int64_t kMinRaw = std::numeric_limits<int64_t>::min();

// The raw ten-thousandths of a parsed amount, or a marker that it was refused.
std::optional<int64_t> RawOf(std::optional<Money> money) {
  if (!money) return std::nullopt;
  return money->raw();
}
std::optional<int64_t> RawOf(std::string_view text) { return RawOf(Money::Parse(text)); }
// The same for an amount typed into a money field.
std::optional<int64_t> TypedRawOf(std::string_view text, bool fixed_decimal) {
  return RawOf(ParseTypedAmount(text, fixed_decimal));
}

TEST(MoneyParseTest, ReadsPlainAmountsWithSignsAndSpaces) {
  EXPECT_EQ(RawOf("0"), 0);
  EXPECT_EQ(RawOf("12"), 120000);
  EXPECT_EQ(RawOf("12.5"), 125000);
  EXPECT_EQ(RawOf("12.34"), 123400);
  EXPECT_EQ(RawOf("-12.34"), -123400);
  EXPECT_EQ(RawOf("+12.34"), 123400);
  EXPECT_EQ(RawOf("  7.01  "), 70100);
  EXPECT_EQ(RawOf(".5"), 5000);
  EXPECT_EQ(RawOf("-.5"), -5000);
  EXPECT_EQ(RawOf("3."), 30000);
  EXPECT_EQ(RawOf("007.10"), 71000);
  EXPECT_EQ(RawOf("-0"), 0);
}

TEST(MoneyParseTest, AcceptsThousandsCommasBetweenDigits) {
  EXPECT_EQ(RawOf("1,234.56"), 12345600);
  EXPECT_EQ(RawOf("-1,234,567.89"), -12345678900);
  EXPECT_EQ(RawOf("1,000"), 10000000);
}

TEST(MoneyParseTest, KeepsFourDecimalsAndRoundsTheRestHalfAwayFromZero) {
  EXPECT_EQ(RawOf("12.345"), 123450);
  EXPECT_EQ(RawOf("0.1234"), 1234);
  EXPECT_EQ(RawOf("0.00004"), 0);
  EXPECT_EQ(RawOf("0.00005"), 1);
  EXPECT_EQ(RawOf("-0.00005"), -1);
  EXPECT_EQ(RawOf("-0.00004"), 0);
  EXPECT_EQ(RawOf("0.123449999"), 1234);
  EXPECT_EQ(RawOf("0.12345"), 1235);
  EXPECT_EQ(RawOf("-0.12345"), -1235);
  // The carry runs into the whole units.
  EXPECT_EQ(RawOf("0.99995"), 10000);
  EXPECT_EQ(RawOf("-9.99999"), -100000);
}

TEST(TypedAmountTest, FixedDecimalPositionReadsTextWithoutAPointAsCents) {
  EXPECT_EQ(TypedRawOf("12345", true), 1234500);  // 123.45
  EXPECT_EQ(TypedRawOf("-12345", true), -1234500);
  EXPECT_EQ(TypedRawOf(" 5 ", true), 500);
  EXPECT_EQ(TypedRawOf("0", true), 0);
  EXPECT_EQ(TypedRawOf("1,250", true), 125000);
  // A typed point overrides the option.
  EXPECT_EQ(TypedRawOf("12.5", true), 125000);
  EXPECT_EQ(TypedRawOf("12.", true), 120000);
  EXPECT_EQ(TypedRawOf("-.5", true), -5000);
  // Without the option the digits are whole units, as Money::Parse reads them.
  EXPECT_EQ(TypedRawOf("12345", false), 123450000);
  EXPECT_EQ(TypedRawOf("12.345", false), RawOf("12.345"));
}

TEST(MoneyParseTest, RefusesJunk) {
  for (const char* text :
       {"",      " ",      "-",        "+",      ".",   "-.",    "abc",  "12a",  "a12",
        "1.2.3", "1..2",   "--5",      "+-5",    "- 5", "5-",    "1e5",  "0x10", ",100",
        "100,",  "1,,000", "1,000.,5", "12.3,4", "$12", "12 34", "\t12", "1.2a"}) {
    EXPECT_FALSE(Money::Parse(text).has_value()) << '"' << text << '"';
    EXPECT_FALSE(ParseTypedAmount(text, true).has_value()) << '"' << text << "\" fixed decimal";
  }
}

TEST(MoneyParseTest, RefusesAmountsTooLargeToHold) {
  // 922,337,203,685,477.5807 is the largest amount ten-thousandths can hold.
  EXPECT_FALSE(Money::Parse("922337203685478").has_value());
  EXPECT_FALSE(Money::Parse("922337203685479").has_value());
  EXPECT_FALSE(Money::Parse("922337203685477.9999").has_value());
  EXPECT_FALSE(Money::Parse("922337203685477.5808").has_value());
  EXPECT_FALSE(Money::Parse("-922337203685477.5809").has_value());
  EXPECT_FALSE(Money::Parse("-922337203685479").has_value());
  EXPECT_FALSE(Money::Parse("9223372036854775807").has_value());
  EXPECT_FALSE(Money::Parse("99999999999999999999999").has_value());
  EXPECT_FALSE(ParseTypedAmount("9,223,372,036,854,775,807", true).has_value());
}

TEST(MoneyParseTest, AnythingAcceptedNearTheLimitIsExact) {
  // Whatever the parser accepts near the limit must be the typed amount, not
  // a wrapped-around one.
  struct Case {
    const char* text;
    int64_t raw;
  };
  for (const Case& c :
       {Case{"922337203685476", 9223372036854760000},
        Case{"922337203685476.9999", 9223372036854769999},
        Case{"-922337203685476.9999", -9223372036854769999},
        Case{"922337203685477", 9223372036854770000}, Case{"922337203685477.5807", kMaxRaw}}) {
    std::optional<int64_t> raw = RawOf(c.text);
    if (raw) {
      EXPECT_EQ(*raw, c.raw) << c.text;
    }
  }
  EXPECT_EQ(RawOf("922337203685476.9999"), 9223372036854769999);
  EXPECT_EQ(RawOf("-922,337,203,685,476"), -9223372036854760000);
}

TEST(MoneyRoundingTest, RoundsToCentsHalfAwayFromZero) {
  EXPECT_EQ(Money::FromRaw(50).RoundedToCents().raw(), 100);           // 0.005 -> 0.01
  EXPECT_EQ(Money::FromRaw(-50).RoundedToCents().raw(), -100);         // -0.005 -> -0.01
  EXPECT_EQ(Money::FromRaw(49).RoundedToCents().raw(), 0);             // 0.0049 -> 0.00
  EXPECT_EQ(Money::FromRaw(-49).RoundedToCents().raw(), 0);            // -0.0049 -> 0.00
  EXPECT_EQ(Money::FromRaw(123450).RoundedToCents().raw(), 123500);    // 12.345 -> 12.35
  EXPECT_EQ(Money::FromRaw(-123450).RoundedToCents().raw(), -123500);  // -12.345 -> -12.35
  EXPECT_EQ(Money::FromRaw(123449).RoundedToCents().raw(), 123400);
  EXPECT_EQ(Money::FromRaw(199).RoundedToCents().raw(), 200);
  EXPECT_EQ(Money::FromRaw(-199).RoundedToCents().raw(), -200);
  EXPECT_EQ(Money::FromRaw(9950).RoundedToCents().raw(), 10000);  // 0.995 -> 1.00
  EXPECT_EQ(Money::FromRaw(500).RoundedToCents().raw(), 500);     // already whole cents
}

TEST(MoneyRoundingTest, CentsCountsTheRoundedAmount) {
  EXPECT_EQ(Money::FromRaw(50).Cents(), 1);
  EXPECT_EQ(Money::FromRaw(-50).Cents(), -1);
  EXPECT_EQ(Money::FromRaw(49).Cents(), 0);
  EXPECT_EQ(Money::FromRaw(123450).Cents(), 1235);
  EXPECT_EQ(Money::FromCents(-1999).Cents(), -1999);
}

TEST(MoneyRoundingTest, RoundsAtTheEndsOfTheRangeWithoutOverflow) {
  EXPECT_EQ(Money::FromRaw(kMaxRaw).RoundedToCents().raw(), 9223372036854775800);
  EXPECT_EQ(Money::FromRaw(kMinRaw).RoundedToCents().raw(), -9223372036854775800);
  EXPECT_EQ(Money::FromRaw(kMaxRaw - 57).RoundedToCents().raw(), 9223372036854775800);
  EXPECT_EQ(Money::FromRaw(kMinRaw + 58).RoundedToCents().raw(), -9223372036854775800);
}

TEST(MoneyRoundTripTest, StoredAmountsKeepFourPlaces) {
  // Typed, stored as raw ten-thousandths and read back.
  Money typed = *Money::Parse("12.345");
  Money read_back = Money::FromRaw(typed.raw());
  EXPECT_EQ(read_back, typed);
  EXPECT_EQ(read_back.raw(), 123450);
  EXPECT_EQ(Money::Parse("0.00004")->raw(), 0);
  EXPECT_TRUE(Money::Parse("0.00004")->IsZero());
}

TEST(MoneyDisplayTest, ShowsTwoDecimalsRoundedToCents) {
  EXPECT_EQ(Money().ToString(), "0.00");
  EXPECT_EQ(Money::FromRaw(12345600).ToString(), "1234.56");
  EXPECT_EQ(Money::FromRaw(-5000).ToString(), "-0.50");
  EXPECT_EQ(Money::FromRaw(123450).ToString(), "12.35");
  EXPECT_EQ(Money::FromRaw(-123450).ToString(), "-12.35");
  EXPECT_EQ(Money::FromRaw(100).ToString(), "0.01");
  EXPECT_EQ(Money::FromRaw(-100).ToString(), "-0.01");
  EXPECT_EQ(Money::FromRaw(900).ToString(), "0.09");
  EXPECT_EQ(Money::FromUnits(7).ToString(), "7.00");
  // What rounds to zero shows no sign.
  EXPECT_EQ(Money::FromRaw(-49).ToString(), "0.00");
  EXPECT_EQ(Money::FromRaw(-50).ToString(), "-0.01");
}

TEST(MoneyDisplayTest, GroupsThousandsWithCommas) {
  EXPECT_EQ(Money().ToStringWithCommas(), "0.00");
  EXPECT_EQ(Money::FromUnits(999).ToStringWithCommas(), "999.00");
  EXPECT_EQ(Money::FromUnits(1000).ToStringWithCommas(), "1,000.00");
  EXPECT_EQ(Money::FromRaw(12345600).ToStringWithCommas(), "1,234.56");
  EXPECT_EQ(Money::FromRaw(-12345600).ToStringWithCommas(), "-1,234.56");
  EXPECT_EQ(Money::FromUnits(-123456).ToStringWithCommas(), "-123,456.00");
  EXPECT_EQ(Money::FromUnits(1234567).ToStringWithCommas(), "1,234,567.00");
  EXPECT_EQ(Money::FromUnits(-100).ToStringWithCommas(), "-100.00");
}

TEST(MoneyDisplayTest, ShowsTheExtremesOfTheRange) {
  EXPECT_EQ(Money::FromRaw(kMaxRaw).ToString(), "922337203685477.58");
  EXPECT_EQ(Money::FromRaw(kMinRaw).ToString(), "-922337203685477.58");
  EXPECT_EQ(Money::FromRaw(kMaxRaw).ToStringWithCommas(), "922,337,203,685,477.58");
  EXPECT_EQ(Money::FromRaw(kMinRaw).ToStringWithCommas(), "-922,337,203,685,477.58");
}

TEST(MoneyDisplayTest, DisplayedTextParsesBackToTheRoundedAmount) {
  for (int64_t raw : {int64_t{0}, int64_t{1}, int64_t{49}, int64_t{50}, int64_t{-50},
                      int64_t{123450}, int64_t{-987654321}, int64_t{9223372036854760000}}) {
    Money money = Money::FromRaw(raw);
    EXPECT_EQ(Money::Parse(money.ToString()), money.RoundedToCents()) << raw;
    EXPECT_EQ(Money::Parse(money.ToStringWithCommas()), money.RoundedToCents()) << raw;
  }
}

TEST(MoneyArithmeticTest, AddsSubtractsAndCompares) {
  Money total = Money::FromCents(1050);
  total += Money::FromRaw(25);
  total -= Money::FromCents(50);
  EXPECT_EQ(total.raw(), 100025);
  EXPECT_EQ((Money::FromUnits(2) - Money::FromUnits(5)).raw(), -30000);
  EXPECT_EQ((-Money::FromUnits(2)).raw(), -20000);
  EXPECT_LT(Money::FromRaw(-1), Money());
  EXPECT_TRUE(Money::FromRaw(-1).IsNegative());
  EXPECT_FALSE(Money().IsNegative());
}

}  // namespace
}  // namespace zenkar
