#include "app_rules/window/calculator.h"

#include <cstdlib>
#include <limits>

namespace zenkar {
namespace {

constexpr size_t kMaxWholeDigits = 12;
constexpr size_t kMaxDecimals = 4;
// Results stay below a trillion so that every figure fits a Money field.
constexpr int64_t kLimitRaw = int64_t{1'000'000'000'000} * Money::kScale;

// Rounds a quotient half away from zero.
__int128 DivideRounded(__int128 numerator, __int128 denominator) {
  const bool negative = (numerator < 0) != (denominator < 0);
  __int128 n = numerator < 0 ? -numerator : numerator;
  const __int128 d = denominator < 0 ? -denominator : denominator;
  __int128 q = (n + d / 2) / d;
  return negative ? -q : q;
}

}  // namespace

std::string CalculatorNumberText(Money value) {
  const int64_t raw = value.raw();
  const uint64_t magnitude = raw < 0 ? -static_cast<uint64_t>(raw) : raw;
  std::string fraction = std::to_string(magnitude % Money::kScale + Money::kScale).substr(1);
  while (fraction.size() > 2 && fraction.back() == '0') fraction.pop_back();
  return (raw < 0 ? "-" : "") + std::to_string(magnitude / Money::kScale) + "." + fraction;
}

void Calculator::Digit(int digit) {
  if (error_ || digit < 0 || digit > 9) return;
  const size_t point = entry_.find('.');
  if (point == std::string::npos ? entry_.size() >= kMaxWholeDigits
                                 : entry_.size() - point - 1 >= kMaxDecimals) {
    return;
  }
  if (entry_ == "0") entry_.clear();
  entry_ += static_cast<char>('0' + digit);
}

void Calculator::DecimalPoint() {
  if (error_ || entry_.find('.') != std::string::npos) return;
  entry_ += entry_.empty() ? "0." : ".";
}

void Calculator::Backspace() {
  if (!error_ && !entry_.empty()) entry_.pop_back();
}

void Calculator::ChangeSign() {
  if (error_) return;
  if (entry_.empty()) {
    shown_ = -shown_;
    if (accumulator_ && pending_ == 0) accumulator_ = shown_;
  } else {
    negative_entry_ = !negative_entry_;
  }
}

Money Calculator::CurrentValue() const {
  if (entry_.empty()) return shown_;
  const Money typed = Money::Parse(entry_).value_or(Money());
  return negative_entry_ ? -typed : typed;
}

std::optional<Money> Calculator::Apply(Money left, char op, Money right) const {
  __int128 result = 0;
  switch (op) {
    case '+':
      result = static_cast<__int128>(left.raw()) + right.raw();
      break;
    case '-':
      result = static_cast<__int128>(left.raw()) - right.raw();
      break;
    case '*':
      result = DivideRounded(static_cast<__int128>(left.raw()) * right.raw(), Money::kScale);
      break;
    case '/':
      if (right.IsZero()) return std::nullopt;
      result = DivideRounded(static_cast<__int128>(left.raw()) * Money::kScale, right.raw());
      break;
    default:
      return right;
  }
  if (result >= kLimitRaw || result <= -kLimitRaw) return std::nullopt;
  return Money::FromRaw(static_cast<int64_t>(result));
}

void Calculator::Operator(char op) {
  if (error_) return;
  const Money value = CurrentValue();
  const bool typed = !entry_.empty();
  entry_.clear();
  negative_entry_ = false;
  if (accumulator_ && pending_ != 0 && !typed) {  // a second operator replaces the first
    pending_ = op;
    if (!tape_.empty()) tape_.back().back() = op;
    return;
  }
  AddTapeLine(value, op);
  if (accumulator_ && pending_ != 0) {
    const std::optional<Money> result = Apply(*accumulator_, pending_, value);
    if (!result) return SetError();
    accumulator_ = result;
  } else {
    accumulator_ = value;
  }
  shown_ = *accumulator_;
  pending_ = op;
}

void Calculator::Equals() {
  if (error_ || !accumulator_ || pending_ == 0) return;
  const Money value = CurrentValue();
  AddTapeLine(value, '=');
  const std::optional<Money> result = Apply(*accumulator_, pending_, value);
  entry_.clear();
  negative_entry_ = false;
  if (!result) return SetError();
  tape_.push_back(CalculatorNumberText(*result) + " *");
  shown_ = *result;
  accumulator_.reset();
  pending_ = 0;
}

void Calculator::Clear() {
  accumulator_.reset();
  pending_ = 0;
  entry_.clear();
  negative_entry_ = false;
  shown_ = Money();
  if (error_) tape_.push_back("Error");
  error_ = false;
}

std::string Calculator::Display() const {
  if (error_) return "Error";
  if (entry_.empty()) return CalculatorNumberText(shown_);
  return (negative_entry_ ? "-" : "") + entry_;
}

std::optional<std::string> Calculator::PasteText() const {
  if (error_) return std::nullopt;
  return CurrentValue().ToString();
}

void Calculator::AddTapeLine(Money value, char op) {
  tape_.push_back(CalculatorNumberText(value) + " " + op);
}

void Calculator::SetError() {
  error_ = true;
  accumulator_.reset();
  pending_ = 0;
}

}  // namespace zenkar
