#include "output/number_format.h"

namespace zenkar {
namespace {

std::string Grouped(uint64_t units) {
  const std::string digits = std::to_string(units);
  std::string grouped;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) grouped += ',';
    grouped += digits[i];
  }
  return grouped;
}

// The parts of an amount rounded to cents.
struct Cents {
  bool negative = false;
  uint64_t units = 0;
  int fraction = 0;
};

Cents Split(Money amount) {
  const int64_t cents = amount.Cents();
  const uint64_t magnitude = cents < 0 ? 0 - static_cast<uint64_t>(cents) : cents;
  return {cents < 0, magnitude / 100, static_cast<int>(magnitude % 100)};
}

std::string Fraction(int fraction) {
  return std::string(".") + static_cast<char>('0' + fraction / 10) +
         static_cast<char>('0' + fraction % 10);
}

std::string InParentheses(bool negative, std::string text) {
  return negative ? "(" + text + ")" : text;
}

}  // namespace

std::string FormatAmount(Money amount, int style) {
  const Cents c = Split(amount);
  const std::string fraction = Fraction(c.fraction);
  switch (style) {
    case kAmountMinusSign:
      return (c.negative ? "-" : "") + std::to_string(c.units) + fraction;
    case kAmountNoLeadingZero:
      return (c.negative ? "-" : "") + (c.units == 0 ? "" : std::to_string(c.units)) + fraction;
    case kAmountDollars:
      return "$" + InParentheses(c.negative, Grouped(c.units) + fraction);
    case kAmountThousands:
      return InParentheses(c.negative, Grouped(c.units) + fraction);
    default:
      return InParentheses(c.negative, std::to_string(c.units) + fraction);
  }
}

std::string FormatCount(int64_t count) {
  const uint64_t magnitude = count < 0 ? 0 - static_cast<uint64_t>(count) : count;
  return (count < 0 ? "-" : "") + Grouped(magnitude);
}

}  // namespace zenkar
