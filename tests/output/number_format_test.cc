// The number styles of PrintAmount: the figures a reader compares on paper.
#include "output/number_format.h"

#include <gtest/gtest.h>

namespace zenkar {
namespace {

std::string Format(int64_t cents, int style) {
  return FormatAmount(Money::FromCents(cents), style);
}

TEST(FormatAmountTest, EachStyleWritesPositivesAndNegativesItsOwnWay) {
  EXPECT_EQ(Format(123456789, kAmountPlain), "1234567.89");
  EXPECT_EQ(Format(-123456, kAmountPlain), "(1234.56)");
  EXPECT_EQ(Format(-123456, kAmountMinusSign), "-1234.56");
  EXPECT_EQ(Format(50, kAmountNoLeadingZero), ".50");
  EXPECT_EQ(Format(-50, kAmountNoLeadingZero), "-.50");
  EXPECT_EQ(Format(0, kAmountNoLeadingZero), ".00");
  EXPECT_EQ(Format(100, kAmountNoLeadingZero), "1.00");
  EXPECT_EQ(Format(100000, kAmountDollars), "$1,000.00");
  EXPECT_EQ(Format(-100000, kAmountDollars), "$(1,000.00)");
  EXPECT_EQ(Format(99999, kAmountThousands), "999.99");
  EXPECT_EQ(Format(-123456789012, kAmountThousands), "(1,234,567,890.12)");
  for (int unknown : {1, 7, -5}) EXPECT_EQ(Format(-123456, unknown), "(1234.56)");
}

TEST(FormatAmountTest, RoundsToCentsHalfAwayFromZeroAndNeverShowsNegativeZero) {
  EXPECT_EQ(FormatAmount(Money::FromRaw(12345), kAmountMinusSign), "1.23");
  EXPECT_EQ(FormatAmount(Money::FromRaw(-12350), kAmountThousands), "(1.24)");
  EXPECT_EQ(FormatAmount(Money::FromRaw(-49), kAmountPlain), "0.00");
  EXPECT_EQ(FormatAmount(Money::FromRaw(-49), kAmountMinusSign), "0.00");
  const Money largest = Money::FromRaw(INT64_MAX - INT64_MAX % 100);
  EXPECT_EQ(FormatAmount(-largest, kAmountThousands), "(922,337,203,685,477.58)");
}

TEST(FormatCountTest, GroupsThousands) {
  EXPECT_EQ(FormatCount(999), "999");
  EXPECT_EQ(FormatCount(100000), "100,000");
  EXPECT_EQ(FormatCount(-1234567), "-1,234,567");
}

}  // namespace
}  // namespace zenkar
