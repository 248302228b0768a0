// The MICR line of a check printed on blank stock: its fields, where each
// character stands, and how it is drawn.
//
// The line is written in E-13B ("D" the transit symbol, "C" on-us): the
// routing field, the check number and the account field, in the three
// "Check Number Location" layouts. The i-th character of a field that starts
// at column s (columns of 1/10 inch from the left edge of the paper, not of a
// printable area) fills the cell from column s + 1.25 i to s + 1.25 (i + 1),
// i counted from 1: eight characters to the inch. So the closing transit
// symbol of the routing field ends 4.16 inches from the left edge of a
// letter sheet, 4.34 from its right edge. The horizontal and vertical "MICR
// Adjustments" move the whole line.
#ifndef ZENKAR_OUTPUT_MICR_LINE_H_
#define ZENKAR_OUTPUT_MICR_LINE_H_

#include <string>
#include <string_view>
#include <vector>

#include "output/micr_settings.h"
#include "output/print_job.h"

namespace zenkar {

// Where the fields start, in columns.
inline constexpr double kRoutingFieldColumn = 26.6;
inline constexpr double kNumberFieldColumn = 41.75;
inline constexpr double kAccountFieldColumn = 50.5;
inline constexpr double kLeadingOnUsColumn = 15.5;
// The pitch: 1/8 inch.
inline constexpr double kMicrPitchColumns = 1.25;

struct MicrField {
  double start_column = 0;
  std::string text;
  friend bool operator==(const MicrField&, const MicrField&) = default;
};

// The check number as the line writes it: six digits ("000000" pattern).
// `number` is digits (at most six, as the check runs make them).
std::string MicrCheckNumber(std::string_view number);

// The fields of the line for check `number`, in the layout of the settings;
// before the adjustments. The account field is the account number followed
// by "C"; a dash in it is the E-13B dash, a blank an empty cell.
std::vector<MicrField> MicrLineFields(const MicrSettings& settings, std::string_view number);

// The size of the MICR font: 12 points plus the "Font Height" adjustment in
// tenths, rounded to whole points; and the height of its characters in
// inches (0.117 at 12 points).
int MicrFontPoints(const MicrSettings& settings);
double MicrCharacterHeightInches(int points);
// "The MICR font height is .117"  (.117 is ideal)" for the test check.
std::string MicrFontHeightText(int points);

// The column at which the right edge of a field's character `index` (from 1)
// stands, before the adjustments.
inline double MicrCellRightColumn(const MicrField& field, int index) {
  return field.start_column + kMicrPitchColumns * (index + 1);
}

// Draws the line with its characters' feet on `baseline_row`, shifted by the
// settings' adjustments: each field's characters as one filled path, and the
// same characters laid under them as invisible text, one fixed-pitch
// character per cell, so that the line can be searched and read back.
void DrawMicrLine(PrintJob& job, const MicrSettings& settings, std::string_view number,
                  double baseline_row);

// The adjustments as report units: right in columns, down in rows.
double MicrShiftColumns(const MicrSettings& settings);
double MicrShiftRows(const MicrSettings& settings);

}  // namespace zenkar

#endif  // ZENKAR_OUTPUT_MICR_LINE_H_
