// The E-13B characters of the MICR line, drawn as outlines.
//
// Banks read the line at the bottom of a check magnetically, by the shape of
// each character, so it is drawn from outlines rather than with a font that
// may not be installed. Each character is a union of rectangles on the
// standard's grid of 0.013-inch squares: 9 squares (0.117 inch) high for the
// digits, the transit and the amount symbols, less for the on-us and dash
// symbols, 4 to 7 squares wide, and set right-aligned in a cell of 1/8 inch.
// The shapes follow public descriptions of the standard (the standard itself
// was not at hand): users calibrate with the test check.
#ifndef ZENKAR_OUTPUT_E13B_H_
#define ZENKAR_OUTPUT_E13B_H_

#include "output/canvas_path.h"

namespace zenkar {

// One square of the grid at the standard size, 12 points of the MICR font.
inline constexpr double kE13bSquareInches = 0.013;
inline constexpr int kE13bHeightSquares = 9;
inline constexpr double kE13bStandardPoints = 12;

// The characters the line is written in: the digits, "D" for the transit
// symbol, "C" for on-us, "B" for amount and "-" for the dash. A blank is an
// empty cell.
inline constexpr char kTransitSymbol = 'D';
inline constexpr char kOnUsSymbol = 'C';
inline constexpr char kAmountSymbol = 'B';
inline constexpr char kDashSymbol = '-';
bool IsE13bCharacter(char c);

// The character's width in squares (0 for one that is not E-13B).
double E13bWidthSquares(char c);

// Adds the outline of `c` to `path`: its right edge at `right_x`, its foot
// on `baseline_y` (points from the sheet's top-left corner), each square
// `square_points` on a side. Nothing for a blank or any other character.
// Fill the path with the nonzero rule.
void AppendE13bCharacter(CanvasPath& path, char c, double right_x, double baseline_y,
                         double square_points);

}  // namespace zenkar

#endif  // ZENKAR_OUTPUT_E13B_H_
