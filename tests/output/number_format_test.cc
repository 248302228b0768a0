// The number styles of PrintAmount: the figures a reader compares on paper.
#include "output/number_format.h"

#include <gtest/gtest.h>

namespace zenkar {
namespace {

Money Raw(int64_t ten_thousandths) { return Money::FromRaw(ten_thousandths); }

TEST(FormatAmountTest, PlainStyleHasNoSeparatorsAndParenthesesForNegatives) {
  EXPECT_EQ(FormatAmount(Money::FromCents(123456789), kAmountPlain), "1234567.89");
  EXPECT_EQ(FormatAmount(Money::FromCents(-123456), kAmountPlain), "(1234.56)");
  EXPECT_EQ(FormatAmount(Money::FromCents(5), kAmountPlain), "0.05");
}

TEST(FormatAmountTest, UnknownStylesWriteAsThePlainStyle) {
  for (int style : {1, 7, -5, 100}) {
    EXPECT_EQ(FormatAmount(Money::FromCents(-123456), style), "(1234.56)") << style;
  }
}

TEST(FormatAmountTest, MinusSignStyle) {
  EXPECT_EQ(FormatAmount(Money::FromCents(-123456), kAmountMinusSign), "-1234.56");
  EXPECT_EQ(FormatAmount(Money::FromCents(42), kAmountMinusSign), "0.42");
}

TEST(FormatAmountTest, NoLeadingZeroBelowOne) {
  EXPECT_EQ(FormatAmount(Money::FromCents(50), kAmountNoLeadingZero), ".50");
  EXPECT_EQ(FormatAmount(Money::FromCents(-50), kAmountNoLeadingZero), "-.50");
  EXPECT_EQ(FormatAmount(Money(), kAmountNoLeadingZero), ".00");
  EXPECT_EQ(FormatAmount(Money::FromCents(100), kAmountNoLeadingZero), "1.00");
  EXPECT_EQ(FormatAmount(Money::FromCents(-1234), kAmountNoLeadingZero), "-12.34");
}

TEST(FormatAmountTest, ThousandsSeparatorsAtEveryThirdDigit) {
  EXPECT_EQ(FormatAmount(Money::FromCents(99999), kAmountThousands), "999.99");
  EXPECT_EQ(FormatAmount(Money::FromCents(100000), kAmountThousands), "1,000.00");
  EXPECT_EQ(FormatAmount(Money::FromCents(-123456789012), kAmountThousands), "(1,234,567,890.12)");
  EXPECT_EQ(FormatAmount(Money::FromCents(100000), kAmountDollars), "$1,000.00");
  EXPECT_EQ(FormatAmount(Money::FromCents(-100000), kAmountDollars), "$(1,000.00)");
}

TEST(FormatAmountTest, RoundsToCentsHalfAwayFromZeroAndNeverShowsNegativeZero) {
  EXPECT_EQ(FormatAmount(Raw(12345), kAmountMinusSign), "1.23");  // 1.2345
  EXPECT_EQ(FormatAmount(Raw(12350), kAmountMinusSign), "1.24");  // 1.235
  EXPECT_EQ(FormatAmount(Raw(-12350), kAmountThousands), "(1.24)");
  EXPECT_EQ(FormatAmount(Raw(-49), kAmountPlain), "0.00");
  EXPECT_EQ(FormatAmount(Raw(-49), kAmountMinusSign), "0.00");
}

TEST(FormatAmountTest, TheLargestAmountsKeepEveryDigit) {
  const Money largest = Money::FromRaw(INT64_MAX - INT64_MAX % 100);
  EXPECT_EQ(FormatAmount(largest, kAmountThousands), "922,337,203,685,477.58");
  EXPECT_EQ(FormatAmount(-largest, kAmountMinusSign), "-922337203685477.58");
}

TEST(FormatCountTest, GroupsThousands) {
  EXPECT_EQ(FormatCount(0), "0");
  EXPECT_EQ(FormatCount(999), "999");
  EXPECT_EQ(FormatCount(100000), "100,000");
  EXPECT_EQ(FormatCount(-1234567), "-1,234,567");
}

}  // namespace
}  // namespace zenkar
