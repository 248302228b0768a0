// The number formats of report output (the style argument of PrintAmount).
//
//   0 and any unknown style  "0.00;(0.00)"          1234.56   (1234.56)
//  -1                        "0.00"                 1234.56   -1234.56
//  -2                        ".00" below one        .50  -.50  1234.56
//  -3                        "$" + "#,##0.00;(#,##0.00)"  $1,234.56  $(1,234.56)
//  -4                        "#,##0.00;(#,##0.00)"  1,234.56  (1,234.56)
//
// Amounts are rounded to cents, half away from zero, before they are written;
// an amount that rounds to zero is written as zero, never as a negative zero.
#ifndef ZENKAR_OUTPUT_NUMBER_FORMAT_H_
#define ZENKAR_OUTPUT_NUMBER_FORMAT_H_

#include <cstdint>
#include <string>

#include "common/money.h"

namespace zenkar {

inline constexpr int kAmountPlain = 0;
inline constexpr int kAmountMinusSign = -1;
inline constexpr int kAmountNoLeadingZero = -2;
inline constexpr int kAmountDollars = -3;
inline constexpr int kAmountThousands = -4;

std::string FormatAmount(Money amount, int style);

// A count with thousands separators ("#,##0").
std::string FormatCount(int64_t count);

}  // namespace zenkar

#endif  // ZENKAR_OUTPUT_NUMBER_FORMAT_H_
