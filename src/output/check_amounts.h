// How a check writes its amount: in words on the amount line, and as the
// protected figure in the amount box.
#ifndef ZENKAR_OUTPUT_CHECK_AMOUNTS_H_
#define ZENKAR_OUTPUT_CHECK_AMOUNTS_H_

#include <string>
#include <string_view>

#include "common/money.h"
#include "output/report_canvas.h"

namespace zenkar {

inline constexpr std::string_view kZeroInWords = "** ZERO **";

// The amount in words, rounded to cents: "One Thousand Two Hundred Fifteen
// and 07/100 Dollars", "45/100 Dollars". Every word carries its trailing
// blank; groups of three digits are read as hundreds, tens and ones, with
// "Million " and "Thousand " after non-empty groups (and "Billion " and
// "Trillion " for the amounts beyond 999,999,999.99 that the nine digits of
// the original form could not hold, which a check paying many invoices might
// reach); "and "
// follows non-blank words; " Dollars" ends the text while it is shorter than
// 60 characters. An amount whose size is below one cent: "** ZERO **". A negative amount reads
// "Minus " and the words of its absolute value (so "Minus " is never
// followed by "and").
std::string AmountInWords(Money amount);

// The figure of the amount box: "**" + the amount in "#,##0.00;(#,##0.00)"
// + "**", so nothing can be written before or after it.
std::string ProtectedAmount(Money amount);

// The asterisks that fill the rest of a line of `width` points after `text`
// and a blank, in `font`; none when nothing more fits. They are placed
// right-aligned at the line's end, so that on paper as on screen they end
// where the line does.
std::string AsterisksAfter(std::string_view text, const ReportFont& font, double width);

}  // namespace zenkar

#endif  // ZENKAR_OUTPUT_CHECK_AMOUNTS_H_
