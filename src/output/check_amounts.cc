#include "output/check_amounts.h"

#include <array>
#include <cstdint>

#include "output/number_format.h"

namespace zenkar {
namespace {

constexpr std::array<std::string_view, 10> kOnes = {"",      "One ", "Two ",   "Three ", "Four ",
                                                    "Five ", "Six ", "Seven ", "Eight ", "Nine "};
constexpr std::array<std::string_view, 10> kTeens = {
    "Ten ",     "Eleven ",  "Twelve ",    "Thirteen ", "Fourteen ",
    "Fifteen ", "Sixteen ", "Seventeen ", "Eighteen ", "Nineteen "};
constexpr std::array<std::string_view, 10> kTens = {
    "", "", "Twenty ", "Thirty ", "Forty ", "Fifty ", "Sixty ", "Seventy ", "Eighty ", "Ninety "};

// The words of one group of three digits (0 to 999); empty for 0.
std::string GroupWords(int group) {
  const int h = group / 100;
  const int t = group / 10 % 10;
  const int u = group % 10;
  std::string words;
  if (h != 0) words += std::string(kOnes[h]) + "Hundred ";
  if (t == 1) return words + std::string(kTeens[u]);
  return words + std::string(kTens[t]) + std::string(kOnes[u]);
}

// Words shorter than this end in " Dollars".
constexpr size_t kDollarsBelowLength = 60;

struct NamedGroup {
  int64_t size;
  std::string_view name;
};
// Money holds less than a thousand trillion units, so every group is below
// 1,000.
constexpr std::array<NamedGroup, 5> kGroups = {{{1000000000000, "Trillion "},
                                                {1000000000, "Billion "},
                                                {1000000, "Million "},
                                                {1000, "Thousand "},
                                                {1, ""}}};

}  // namespace

std::string AmountInWords(Money amount) {
  // Below one cent whatever it rounds to (the amounts of the books are
  // whole cents).
  if (amount > -Money::FromCents(1) && amount < Money::FromCents(1)) {
    return std::string(kZeroInWords);
  }
  if (amount.IsNegative()) return "Minus " + AmountInWords(-amount);
  const int64_t cents = amount.Cents();
  int64_t units = cents / 100;
  std::string words;
  for (const NamedGroup& group : kGroups) {
    const int64_t value = units / group.size;
    units %= group.size;
    const std::string group_words = GroupWords(static_cast<int>(value));
    if (!group_words.empty()) words += group_words + std::string(group.name);
  }
  if (!words.empty()) words += "and ";
  const int fraction = static_cast<int>(cents % 100);
  words += std::string(1, static_cast<char>('0' + fraction / 10)) +
           static_cast<char>('0' + fraction % 10) + "/100";
  if (words.size() < kDollarsBelowLength) words += " Dollars";
  return words;
}

std::string ProtectedAmount(Money amount) {
  return "**" + FormatAmount(amount, kAmountThousands) + "**";
}

std::string AsterisksAfter(std::string_view text, const ReportFont& font, double width) {
  // A millionth of a point absorbs the rounding of the widths' sums.
  const double room = width + 1e-6 - ReportTextWidth(font, std::string(text) + " ");
  const double star = ReportTextWidth(font, "*");
  return std::string(room > 0 ? static_cast<size_t>(room / star) : 0, '*');
}

}  // namespace zenkar
