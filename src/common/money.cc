#include "common/money.h"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <limits>

namespace zenkar {
namespace {

constexpr int kStoredDecimals = 4;
// The largest whole-unit part that still fits in ten-thousandths.
constexpr int64_t kMaxUnits = std::numeric_limits<int64_t>::max() / Money::kScale - 1;

std::string_view StripSpaces(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

// Reads the digits of the whole part, allowing commas between digits.
bool ParseUnits(std::string_view digits, int64_t* units) {
  *units = 0;
  bool previous_was_digit = false;
  for (char c : digits) {
    if (c == ',') {
      if (!previous_was_digit) return false;
      previous_was_digit = false;
      continue;
    }
    if (c < '0' || c > '9') return false;
    const int digit = c - '0';
    if (*units > (kMaxUnits - digit) / 10) return false;
    *units = *units * 10 + digit;
    previous_was_digit = true;
  }
  return digits.empty() || previous_was_digit;
}

// Reads the decimals as ten-thousandths, rounding what lies beyond the fourth
// place half away from zero (the sign is applied afterwards).
bool ParseFraction(std::string_view digits, int64_t* ten_thousandths) {
  *ten_thousandths = 0;
  for (size_t i = 0; i < digits.size(); ++i) {
    char c = digits[i];
    if (c < '0' || c > '9') return false;
    if (i < kStoredDecimals) {
      *ten_thousandths = *ten_thousandths * 10 + (c - '0');
    } else if (i == kStoredDecimals && c >= '5') {
      *ten_thousandths += 1;
    }
  }
  for (size_t i = digits.size(); i < kStoredDecimals; ++i) *ten_thousandths *= 10;
  return true;
}

std::string GroupThousands(std::string digits) {
  for (int pos = static_cast<int>(digits.size()) - 3; pos > 0; pos -= 3) {
    digits.insert(static_cast<size_t>(pos), ",");
  }
  return digits;
}

}  // namespace

std::optional<Money> Money::Parse(std::string_view text) {
  text = StripSpaces(text);
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  size_t point = text.find('.');
  std::string_view whole = text.substr(0, point);
  std::string_view fraction = point == std::string_view::npos ? "" : text.substr(point + 1);
  if (whole.empty() && fraction.empty()) return std::nullopt;

  int64_t units = 0;
  int64_t ten_thousandths = 0;
  if (!ParseUnits(whole, &units) || !ParseFraction(fraction, &ten_thousandths)) {
    return std::nullopt;
  }
  const int64_t raw = units * kScale + ten_thousandths;
  return Money(negative ? -raw : raw);
}

std::optional<Money> ParseTypedAmount(std::string_view text, bool fixed_decimal) {
  const std::optional<Money> amount = Money::Parse(text);
  if (!amount || !fixed_decimal || text.find('.') != std::string_view::npos) return amount;
  // Whole units without a point: the same digits read as cents, exactly.
  return Money::FromRaw(amount->raw() / 100);
}

void Money::OutOfRange() {
  std::fputs("An amount went beyond what the program can hold.\n", stderr);
  std::terminate();
}

std::string Money::ToString() const {
  int64_t cents = Cents();
  uint64_t magnitude = cents < 0 ? 0 - static_cast<uint64_t>(cents) : cents;
  std::string fraction = std::to_string(magnitude % 100);
  if (fraction.size() < 2) fraction.insert(0, "0");
  return (cents < 0 ? "-" : "") + std::to_string(magnitude / 100) + "." + fraction;
}

std::string Money::ToStringWithCommas() const {
  std::string plain = ToString();
  bool negative = plain.front() == '-';
  size_t point = plain.find('.');
  std::string units = plain.substr(negative ? 1 : 0, point - (negative ? 1 : 0));
  return (negative ? "-" : "") + GroupThousands(units) + plain.substr(point);
}

}  // namespace zenkar
