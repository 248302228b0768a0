#include "output/check_layout.h"

namespace zenkar {
namespace {

constexpr ReportFont kArial10{FontFamily::kArial, 10, FontStyle::kRegular};
constexpr ReportFont kArial9{FontFamily::kArial, 9, FontStyle::kRegular};
constexpr ReportFont kArial10Bold{FontFamily::kArial, 10, FontStyle::kBold};
// Ten characters to the inch: one character a column.
constexpr ReportFont kCourier12{FontFamily::kCourierNew, 12, FontStyle::kRegular};
constexpr ReportFont kCourier12Bold{FontFamily::kCourierNew, 12, FontStyle::kBold};

// The fields of a laser form with its bank, captions and MICR line printed:
// the date right of the form's "DATE", the payee on the "PAY TO THE ORDER
// OF" line, the amount after the printed "$", the words on the line above
// "DOLLARS", the payee's address where a window envelope shows it, the memo
// on the "MEMO" line.
constexpr CheckFields kPreprintedFields{.font = kArial10,
                                        .date = {5, 68},
                                        .payee = {8, 11},
                                        .amount = {8, 71},
                                        .words = {10, 5},
                                        .words_end = 75,
                                        .address = {12.5, 11},
                                        .address_step = 1,
                                        .address_with_name = true,
                                        .memo = {17.5, 7}};

// The same on the character grid of a dot-matrix printer.
constexpr CheckFields kDotMatrixFields{.font = kCourier12,
                                       .date = {5, 68},
                                       .payee = {8, 11},
                                       .amount = {8, 71},
                                       .words = {10, 5},
                                       .words_end = 75,
                                       .address = {12, 11},
                                       .address_step = 1,
                                       .address_with_name = true,
                                       .memo = {17, 7}};

// A check drawn on blank stock (the captions are the MicrBody's): the payee
// beside "TO THE ORDER OF" with the address under the name, where a window
// envelope shows it; the MICR line's feet 3/16 inch above the bottom edge.
constexpr CheckFields kMicrFields{.font = kArial10,
                                  .date = {5.7, 66},
                                  .payee = {10.6, 10},
                                  .amount = {10.6, 64},
                                  .words = {8, 9},
                                  .words_end = 74,
                                  .address = {11.6, 10},
                                  .address_step = 1,
                                  .address_with_name = false,
                                  .memo = {17, 10},
                                  .micr_baseline = kCheckHeightRows - 1.125};

constexpr MicrBody kMicrBody{.logo_left = 0.3,
                             .logo_top = 0.2,
                             .logo_width = 0.9,
                             .logo_height = 0.75,
                             .company = {2.1, 4},
                             .company_with_logo = 13,
                             .company_step = 1,
                             .bank = {2.1, 45},
                             .bank_step = 0.95,
                             .number = {2.4, 81},
                             .ach = {3.6, 81},
                             .date_caption = {5.7, 60},
                             .date_line_end = 81,
                             .pay_caption = {8, 4},
                             .dollars_caption = {8, 75},
                             .order_caption = {10.3, 4},
                             .order_step = 0.7,
                             .amount_caption = {10.6, 63},
                             .memo_caption = {17, 4},
                             .memo_line_end = 40,
                             .signature = {16.2, 50},
                             .signature_end = 80,
                             .second_signature_above = 2.5,
                             .title_below = 0.8,
                             .height_note = {15, 10},
                             .here_note = {18.8, 4},
                             .marker_note = {18, 42.4},
                             .marker_top = 18};

// A stub: "Check " and the number with the payee, date and amount; then one
// line per invoice paid; "Check Total" at the foot.
constexpr StubFields kStubFields{.font = kArial9,
                                 .bold = kArial10Bold,
                                 .heading = {2, 4},
                                 .payee_column = 20,
                                 .date_column = 58,
                                 .amount_column = 80,
                                 .titles_row = 3.5,
                                 .first_line_row = 4.8,
                                 .line_step = 1,
                                 .invoice_date_column = 22,
                                 .description_column = 34,
                                 .total_row_from_bottom = 2,
                                 .total_label_column = 68};

constexpr StubFields kDotMatrixStubFields{.font = kCourier12,
                                          .bold = kCourier12Bold,
                                          .heading = {2, 4},
                                          .payee_column = 20,
                                          .date_column = 58,
                                          .amount_column = 80,
                                          .titles_row = 4,
                                          .first_line_row = 5,
                                          .line_step = 1,
                                          .invoice_date_column = 22,
                                          .description_column = 34,
                                          .total_row_from_bottom = 2,
                                          .total_label_column = 68};

// The sheet: 66 rows. The check on top: stubs of 3 3/4 inches below it; in
// the middle: a stub of 3 1/2 inches above, of 4 below; at the bottom:
// stubs of 3 3/4 inches above it.
struct Placement {
  double check_top;
  std::array<double, 2> stub_tops;
  std::array<double, 2> stub_heights;
};
constexpr Placement kTop{0, {21, 43.5}, {22.5, 22.5}};
constexpr Placement kMiddle{21, {0, 42}, {21, 24}};
constexpr Placement kBottom{45, {0, 22.5}, {22.5, 22.5}};

constexpr CheckLayout Layout(int type, CheckFamily family, Placement at) {
  const bool micr = family == CheckFamily::kMicr;
  const bool dot_matrix = family == CheckFamily::kDotMatrix;
  return {type,
          kCheckTypeNames[type - 1],
          family,
          at.check_top,
          at.stub_tops,
          at.stub_heights,
          micr         ? &kMicrFields
          : dot_matrix ? &kDotMatrixFields
                       : &kPreprintedFields,
          dot_matrix ? &kDotMatrixStubFields : &kStubFields,
          micr ? &kMicrBody : nullptr};
}

constexpr std::array<CheckLayout, 9> kLayouts = {
    Layout(1, CheckFamily::kPreprinted, kTop),    Layout(2, CheckFamily::kPreprinted, kMiddle),
    Layout(3, CheckFamily::kPreprinted, kBottom), Layout(4, CheckFamily::kMicr, kTop),
    Layout(5, CheckFamily::kMicr, kMiddle),       Layout(6, CheckFamily::kMicr, kBottom),
    Layout(7, CheckFamily::kDotMatrix, kTop),     Layout(8, CheckFamily::kDotMatrix, kMiddle),
    Layout(9, CheckFamily::kDotMatrix, kBottom),
};

}  // namespace

const std::array<CheckLayout, 9>& CheckLayouts() { return kLayouts; }

const CheckLayout* CheckLayoutOf(int type) {
  if (type < 1 || type > static_cast<int>(kLayouts.size())) return nullptr;
  return &kLayouts[type - 1];
}

bool IsMicrCheckType(int type) {
  const CheckLayout* layout = CheckLayoutOf(type);
  return layout != nullptr && layout->name.starts_with("MICR");
}

}  // namespace zenkar
