// The amount in words, the protected amount and the asterisks after the
// words; the routing-number rule.
#include "output/check_amounts.h"

#include <gtest/gtest.h>

#include "output/micr_settings.h"

namespace zenkar {
namespace {

Money Cents(int64_t cents) { return Money::FromCents(cents); }

TEST(AmountInWordsTest, ReadsEachGroupAndTheCents) {
  EXPECT_EQ(AmountInWords(Cents(121507)), "One Thousand Two Hundred Fifteen and 07/100 Dollars");
  EXPECT_EQ(AmountInWords(Cents(45)), "45/100 Dollars");
  EXPECT_EQ(AmountInWords(Cents(10000)), "One Hundred and 00/100 Dollars");
  EXPECT_EQ(AmountInWords(Cents(100000000)), "One Million and 00/100 Dollars");
  EXPECT_EQ(AmountInWords(Cents(1999)), "Nineteen and 99/100 Dollars");
  EXPECT_EQ(AmountInWords(Cents(1000)), "Ten and 00/100 Dollars");
  EXPECT_EQ(AmountInWords(Cents(9000)), "Ninety and 00/100 Dollars");
  EXPECT_EQ(AmountInWords(Cents(1100100)), "Eleven Thousand One and 00/100 Dollars");
  EXPECT_EQ(AmountInWords(Cents(2000001)), "Twenty Thousand and 01/100 Dollars");
  EXPECT_EQ(AmountInWords(Money::FromRaw(4999)), "50/100 Dollars");  // rounded to cents
}

TEST(AmountInWordsTest, BelowOneCentIsZeroAndNegativesReadMinus) {
  EXPECT_EQ(AmountInWords(Money::FromRaw(40)), "** ZERO **");   // 0.004
  EXPECT_EQ(AmountInWords(Money::FromRaw(-99)), "** ZERO **");  // -0.0099
  EXPECT_EQ(AmountInWords(Money()), "** ZERO **");
  EXPECT_EQ(AmountInWords(Cents(-121507)),
            "Minus One Thousand Two Hundred Fifteen and 07/100 Dollars");
  // "Minus " is never followed directly by "and".
  EXPECT_EQ(AmountInWords(Cents(-45)), "Minus 45/100 Dollars");
}

TEST(AmountInWordsTest, WordsOfSixtyCharactersGoWithoutDollars) {
  // 59 characters: " Dollars" still comes; 60: it does not.
  EXPECT_EQ(AmountInWords(Cents(2377945)),
            "Twenty Three Thousand Seven Hundred Seventy Nine and 45/100 Dollars");
  EXPECT_EQ(AmountInWords(Cents(2737862)),
            "Twenty Seven Thousand Three Hundred Seventy Eight and 62/100");
  // Beyond the nine digits of the form the groups go on.
  EXPECT_EQ(AmountInWords(Cents(150000000000)),
            "One Billion Five Hundred Million and 00/100 Dollars");
}

TEST(ProtectedAmountTest, AsterisksOnBothSidesOfTheGroupedAmount) {
  EXPECT_EQ(ProtectedAmount(Cents(121507)), "**1,215.07**");
  EXPECT_EQ(ProtectedAmount(Cents(-5)), "**(0.05)**");
  EXPECT_EQ(ProtectedAmount(Cents(100000000)), "**1,000,000.00**");
}

TEST(AsterisksAfterTest, FillTheLineAndNeverRunPastIt) {
  const ReportFont font{FontFamily::kCourierNew, 12, FontStyle::kRegular};  // 7.2 points a letter
  EXPECT_EQ(AsterisksAfter("Ten", font, 7.2 * 10), "******");
  EXPECT_EQ(AsterisksAfter("Ten", font, 7.2 * 10.9), "******");
  EXPECT_EQ(AsterisksAfter("Ten", font, 7.2 * 4.5), "");
  EXPECT_EQ(AsterisksAfter("Ten", font, 7.2 * 2), "");
}

TEST(RoutingNumberTest, TheWeightedRuleAcceptsOnlyNineDigitsThatSatisfyIt) {
  for (std::string_view valid : {"021000021", "011000015", "121000358"}) {
    EXPECT_TRUE(IsValidRoutingNumber(valid)) << valid;
  }
  // Every change of a single digit breaks the check digit.
  const std::string good = "021000021";
  for (size_t at = 0; at < good.size(); ++at) {
    for (char digit = '0'; digit <= '9'; ++digit) {
      if (digit == good[at]) continue;
      std::string changed = good;
      changed[at] = digit;
      EXPECT_FALSE(IsValidRoutingNumber(changed)) << changed;
    }
  }
  for (std::string_view invalid : {"02100002", "0210000210", "", "02100002A", " 21000021"}) {
    EXPECT_FALSE(IsValidRoutingNumber(invalid)) << invalid;
  }
}

}  // namespace
}  // namespace zenkar
