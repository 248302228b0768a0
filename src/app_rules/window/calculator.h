// Calculator: the arithmetic of the pop-up calculator (F10).
//
// A pocket calculator over exact amounts: numbers hold four decimals, like
// Money, and are combined left to right as they are typed ("2 + 3 * 4 ="
// gives 20). Every completed calculation is written to a tape of lines, which
// the calculator's "Print" prints. Division by zero or a result too large to
// hold shows "Error" until "Clear".
#ifndef ZENKAR_APP_RULES_WINDOW_CALCULATOR_H_
#define ZENKAR_APP_RULES_WINDOW_CALCULATOR_H_

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/money.h"

namespace zenkar {

class Calculator {
 public:
  void Digit(int digit);
  void DecimalPoint();
  void Backspace();
  // '+', '-', '*' or '/'.
  void Operator(char op);
  void Equals();
  void ChangeSign();
  void Clear();

  // The text in the display: the number being typed, or the last result.
  std::string Display() const;
  bool has_error() const { return error_; }
  // The displayed number rounded to cents ("12.35"), for pasting into an
  // amount; nothing while "Error" shows.
  std::optional<std::string> PasteText() const;
  // The lines of the tape: each number with the operator that followed it.
  const std::vector<std::string>& tape() const { return tape_; }

 private:
  std::optional<Money> Apply(Money left, char op, Money right) const;
  Money CurrentValue() const;
  void AddTapeLine(Money value, char op);
  void SetError();

  std::optional<Money> accumulator_;
  char pending_ = 0;
  std::string entry_;  // the digits typed, "" when none
  bool negative_entry_ = false;
  Money shown_;  // the last result, shown when nothing is typed
  bool error_ = false;
  std::vector<std::string> tape_;
};

// An amount with as many decimals as it needs, at least two and at most four
// ("12.50", "0.3333", "-7.00").
std::string CalculatorNumberText(Money value);

}  // namespace zenkar

#endif  // ZENKAR_APP_RULES_WINDOW_CALCULATOR_H_
