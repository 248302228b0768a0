#include "common/date_patterns.h"

#include <gtest/gtest.h>

namespace zenkar {
namespace {

DayNumber Day(int year, int month, int day) { return *MakeDayNumber(year, month, day); }

TEST(DeriveDatePatterns, DayFirstLocale) {
  const DatePatterns p = DeriveDatePatterns("22.11.3344");
  EXPECT_EQ(p.separator, '.');
  EXPECT_EQ(p.numeric, "dd'.'MM'.'yyyy");
  EXPECT_EQ(p.long_form, "dd MMMM',' yyyy");
  EXPECT_EQ(p.medium, "dd MMM',' yyyy");
  EXPECT_EQ(p.numeric_short_year, "dd'.'MM'.'yy");
}

TEST(DeriveDatePatterns, MonthFirstLocale) {
  const DatePatterns p = DeriveDatePatterns("11/22/44");
  EXPECT_EQ(p.separator, '/');
  EXPECT_EQ(p.numeric, "MM'/'dd'/'yyyy");
  EXPECT_EQ(p.long_form, "MMMM dd',' yyyy");
  EXPECT_EQ(p.medium, "MMM dd',' yyyy");
  EXPECT_EQ(p.numeric_short_year, "MM'/'dd'/'yy");
}

TEST(DeriveDatePatterns, YearFirstLocaleWithTwoOrFourDigitYears) {
  for (const char* sample : {"3344-11-22", "44-11-22"}) {
    const DatePatterns p = DeriveDatePatterns(sample);
    EXPECT_EQ(p.numeric, "yyyy'-'MM'-'dd") << sample;
    EXPECT_EQ(p.long_form, "yyyy',' MMMM dd") << sample;
    EXPECT_EQ(p.medium, "yyyy',' MMM dd") << sample;
    EXPECT_EQ(p.numeric_short_year, "yy'-'MM'-'dd") << sample;
  }
}

// The separator is the first character that is not a digit: with a
// four-digit year first, the third character is still part of the year.
TEST(DeriveDatePatterns, FourDigitYearFirstDoesNotTakeADigitAsSeparator) {
  EXPECT_EQ(DeriveDatePatterns("3344/11/22").separator, '/');
  EXPECT_EQ(DeriveDatePatterns("3344. 11. 22.").separator, '.');
}

TEST(FormatDate, WritesEachFamilyOfPatterns) {
  const DayNumber day = Day(2026, 3, 7);
  const DatePatterns de = DeriveDatePatterns("22.11.3344");
  EXPECT_EQ(FormatDate(day, de.numeric), "07.03.2026");
  EXPECT_EQ(FormatDate(day, de.numeric_short_year), "07.03.26");
  EXPECT_EQ(FormatDate(day, de.long_form), "07 March, 2026");
  const DatePatterns us = DeriveDatePatterns("11/22/44");
  EXPECT_EQ(FormatDate(day, us.numeric), "03/07/2026");
  EXPECT_EQ(FormatDate(day, us.medium), "Mar 07, 2026");
  const DatePatterns iso = DeriveDatePatterns("3344-11-22");
  EXPECT_EQ(FormatDate(day, iso.numeric), "2026-03-07");
  EXPECT_EQ(FormatDate(day, iso.long_form), "2026, March 07");
}

TEST(FormatDate, NoDateIsEmptyAndQuotesAreLiteral) {
  const DatePatterns p = DeriveDatePatterns("22.11.3344");
  EXPECT_EQ(FormatDate(kNoDate, p.numeric), "");
  EXPECT_EQ(FormatDate(Day(2000, 1, 1), "d'd'M''yy"), "1d1'00");
}

TEST(DeriveDatePatterns, QuoteSeparatorIsWrittenTwice) {
  const DatePatterns p = DeriveDatePatterns("22'11'3344");
  EXPECT_EQ(p.numeric, "dd''MM''yyyy");
  EXPECT_EQ(FormatDate(Day(2026, 3, 7), p.numeric), "07'03'2026");
}

}  // namespace
}  // namespace zenkar
