// The nine check forms ("Check Type / Form Number") and where a check and its
// stubs stand on each.
//
// Every form is a US letter sheet holding one check 3 1/2 inches high and two
// stubs, the check on top, in the middle or at the bottom:
//  - the three laser forms have the bank's details, the captions and the
//    MICR line printed on them already: the program fills in the date, the
//    payee and the address for a window envelope, the amount, the words and
//    the memo, and the stubs;
//  - the three MICR forms are blank stock: the program draws the whole check
//    (company and bank blocks, logo, captions, signature lines, the MICR
//    line; check_writer.h);
//  - the three dot-matrix forms are the laser forms' continuous twins,
//    filled in Courier New at 10 characters and 6 lines to the inch, every
//    field on a whole character cell, as a dot-matrix printer prints.
// The positions are the usual ones of these stocks (the stock makers'
// drawings were not at hand); "Additional Top Margin" and the MICR
// adjustments calibrate a printer. docs/OUTPUT.md lists them.
#ifndef ZENKAR_OUTPUT_CHECK_LAYOUT_H_
#define ZENKAR_OUTPUT_CHECK_LAYOUT_H_

#include <array>
#include <string_view>

#include "output/report_canvas.h"

namespace zenkar {

// "Check Type / Form Number": the check forms in the order the list shows
// them. The settings keep the position counted from 1; 0 is no choice yet.
inline constexpr std::array<std::string_view, 9> kCheckTypeNames = {"052L or #785",
                                                                    "750L",
                                                                    "800L",
                                                                    "MICR 129L/131L",
                                                                    "MICR 135L/136L",
                                                                    "MICR 495L",
                                                                    "501 (Dot-Matrix)",
                                                                    "711 (Dot-Matrix)",
                                                                    "800 (Dot-Matrix)"};

inline constexpr std::string_view kNotMicrCheckType =
    "To setup/print MICR checks, select a 'Check Type' that starts with 'MICR'";
inline constexpr std::string_view kNoCheckType =
    "Select a 'Check Type / Form Number' on the Setup screen before printing checks.";

enum class CheckFamily { kPreprinted, kMicr, kDotMatrix };

// A position in report units (rows of 1/6 inch, columns of 1/10 inch),
// within the check or stub it belongs to.
struct CheckPlace {
  double row = 0;
  double column = 0;
};

// Where the fields of a check stand, from its top-left corner.
struct CheckFields {
  ReportFont font;  // the filled-in texts
  CheckPlace date;
  CheckPlace payee;      // the "Pay to the order of" line
  CheckPlace amount;     // the protected amount, after the "$"
  CheckPlace words;      // the amount in words, padded with asterisks ...
  double words_end = 0;  // ... up to this column
  // The payee's address, one line a row: its name (on the laser forms, where
  // the window envelope's block stands apart from the pay line), the second
  // name line, the address and the city.
  CheckPlace address;
  double address_step = 1;
  bool address_with_name = true;
  CheckPlace memo;
  double micr_baseline = 0;  // MICR forms: the feet of the MICR line
};

// Where the lines of a stub stand, from its top-left corner.
struct StubFields {
  ReportFont font;
  ReportFont bold;
  CheckPlace heading;  // "Check " + number; then payee, date and amount
  double payee_column = 0;
  double date_column = 0;
  double amount_column = 0;  // right edge of every amount
  double titles_row = 0;     // "Invoice Number", "Date", "Description", "Amount"
  double first_line_row = 0;
  double line_step = 1;
  double invoice_date_column = 0;
  double description_column = 0;
  double total_row_from_bottom = 0;  // "Check Total"
  double total_label_column = 0;
};

// What the program draws of a check on blank stock, from its top-left
// corner (rows and columns; the logo box in inches).
struct MicrBody {
  double logo_left = 0, logo_top = 0, logo_width = 0, logo_height = 0;  // inches
  CheckPlace company;            // name line 1; the other lines follow
  double company_with_logo = 0;  // the block's column when a logo stands left of it
  double company_step = 1;
  CheckPlace bank;  // centred on the column
  double bank_step = 1;
  CheckPlace number;  // right-aligned
  CheckPlace ach;     // "Plain Text ACH", right-aligned
  CheckPlace date_caption;
  double date_line_end = 0;
  CheckPlace pay_caption;      // "PAY"
  CheckPlace dollars_caption;  // "DOLLARS"
  CheckPlace order_caption;    // "TO THE", "ORDER", "OF" one below the other
  double order_step = 1;
  CheckPlace amount_caption;  // "AMOUNT: $", right-aligned
  CheckPlace memo_caption;
  double memo_line_end = 0;
  // Signature lines: one, or two one below the other; the title under each.
  CheckPlace signature;
  double signature_end = 0;
  double second_signature_above = 0;
  double title_below = 0;
  // The test check's texts.
  CheckPlace height_note;
  CheckPlace here_note;    // "MICR Line prints here"
  CheckPlace marker_note;  // beside the tick at the transit symbol's right edge
  double marker_top = 0;   // the tick, from this row to the MICR line
};

struct CheckLayout {
  int type = 0;  // position in the check-type list, from 1
  std::string_view name;
  CheckFamily family = CheckFamily::kPreprinted;
  double check_top = 0;  // rows from the top of the sheet
  // The two stubs: their top rows and heights.
  std::array<double, 2> stub_tops{};
  std::array<double, 2> stub_heights{};
  const CheckFields* fields = nullptr;
  const StubFields* stub = nullptr;
  const MicrBody* micr = nullptr;  // MICR forms only
};

// A check is 3 1/2 inches high.
inline constexpr double kCheckHeightRows = 21;

// The layout of check type `type` (1 to 9), or null for none.
const CheckLayout* CheckLayoutOf(int type);
// True for the types whose names begin with "MICR".
bool IsMicrCheckType(int type);
// The nine layouts in list order.
const std::array<CheckLayout, 9>& CheckLayouts();

}  // namespace zenkar

#endif  // ZENKAR_OUTPUT_CHECK_LAYOUT_H_
