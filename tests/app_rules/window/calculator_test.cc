#include "app_rules/window/calculator.h"

#include <gtest/gtest.h>

namespace zenkar {
namespace {

// Types a key sequence as the calculator's keyboard handling does.
void Type(Calculator& calc, std::string_view keys) {
  for (char key : keys) {
    if (key >= '0' && key <= '9') calc.Digit(key - '0');
    if (key == '.') calc.DecimalPoint();
    if (key == '+' || key == '-' || key == '*' || key == '/') calc.Operator(key);
    if (key == '=') calc.Equals();
    if (key == 'C') calc.Clear();
    if (key == 'B') calc.Backspace();
    if (key == 'S') calc.ChangeSign();
  }
}

std::string Result(std::string_view keys) {
  Calculator calc;
  Type(calc, keys);
  return calc.Display();
}

TEST(Calculator, CombinesLeftToRight) {
  EXPECT_EQ(Result("2+3*4="), "20.00");
  EXPECT_EQ(Result("100-25.5="), "74.50");
  EXPECT_EQ(Result("10/4="), "2.50");
  EXPECT_EQ(Result("1/3="), "0.3333");
  EXPECT_EQ(Result("2/3="), "0.6667") << "rounded half away from zero";
  EXPECT_EQ(Result("0.1+0.2="), "0.30") << "exact decimals, no binary fractions";
}

TEST(Calculator, ShowsWhatIsTyped) {
  EXPECT_EQ(Result("12.5"), "12.5");
  EXPECT_EQ(Result("12.5B"), "12.");
  EXPECT_EQ(Result(".5"), "0.5");
  EXPECT_EQ(Result("007"), "7");
  EXPECT_EQ(Result("1.23456"), "1.2345") << "at most four decimals";
  EXPECT_EQ(Result("5S"), "-5");
  EXPECT_EQ(Result("9999999999999"), "999999999999") << "at most twelve digits";
}

TEST(Calculator, ASecondOperatorReplacesTheFirst) { EXPECT_EQ(Result("8+-3="), "5.00"); }

TEST(Calculator, ResultsChainIntoTheNextCalculation) {
  EXPECT_EQ(Result("2+3=*10="), "50.00");
  EXPECT_EQ(Result("2+3=S"), "-5.00");
}

TEST(Calculator, DivisionByZeroAndOverflowShowErrorUntilClear) {
  Calculator calc;
  Type(calc, "5/0=");
  EXPECT_TRUE(calc.has_error());
  EXPECT_EQ(calc.Display(), "Error");
  EXPECT_EQ(calc.PasteText(), std::nullopt);
  Type(calc, "7+");
  EXPECT_EQ(calc.Display(), "Error");
  Type(calc, "C4");
  EXPECT_EQ(calc.Display(), "4");
  EXPECT_EQ(Result("999999999999*999999999999="), "Error");
}

TEST(Calculator, PasteGivesTheAmountInCents) {
  Calculator calc;
  Type(calc, "10/3=");
  EXPECT_EQ(calc.PasteText(), "3.33");
  Type(calc, "C2/3=");
  EXPECT_EQ(calc.PasteText(), "0.67");
  Type(calc, "C12.5");
  EXPECT_EQ(calc.PasteText(), "12.50");
}

TEST(Calculator, TapeRecordsEachNumberAndTheTotal) {
  Calculator calc;
  Type(calc, "100+25.5-0.5=");
  EXPECT_EQ(calc.tape(), (std::vector<std::string>{"100.00 +", "25.50 -", "0.50 =", "125.00 *"}));
}

}  // namespace
}  // namespace zenkar
