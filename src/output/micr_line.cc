#include "output/micr_line.h"

#include <cmath>
#include <cstdio>

#include "common/text_field.h"
#include "output/e13b.h"

namespace zenkar {
namespace {

constexpr int kCheckNumberDigits = 6;
constexpr double kColumnsPerInch = 10;
constexpr double kRowsPerInch = 6;
constexpr double kPointsPerInch = 72;
// Courier New at 15 points advances 9 points (1/8 inch) a character: the
// invisible characters stand in the cells of the drawn ones.
constexpr ReportFont kInvisibleFont{FontFamily::kCourierNew, 15, FontStyle::kRegular};

std::string AccountField(const MicrSettings& settings) {
  return std::string(Trim(settings.account_number)) + kOnUsSymbol;
}

}  // namespace

std::string MicrCheckNumber(std::string_view number) {
  std::string digits(Trim(number));
  if (digits.size() < kCheckNumberDigits) digits.insert(0, kCheckNumberDigits - digits.size(), '0');
  return digits;
}

std::vector<MicrField> MicrLineFields(const MicrSettings& settings, std::string_view number) {
  const std::string transit(1, kTransitSymbol);
  std::vector<MicrField> fields = {
      {kRoutingFieldColumn, transit + std::string(Trim(settings.routing_number)) + transit}};
  const std::string check_number = MicrCheckNumber(number);
  switch (settings.number_location) {
    case CheckNumberLocation::kLeadingOnUs:
      fields.push_back({kLeadingOnUsColumn, kOnUsSymbol + check_number + kOnUsSymbol});
      fields.push_back({kNumberFieldColumn, AccountField(settings)});
      break;
    case CheckNumberLocation::kTrailingOnUs:
      fields.push_back({kNumberFieldColumn, AccountField(settings) + check_number});
      break;
    case CheckNumberLocation::kNormal:
      fields.push_back({kNumberFieldColumn, check_number});
      fields.push_back({kAccountFieldColumn, AccountField(settings)});
      break;
  }
  return fields;
}

int MicrFontPoints(const MicrSettings& settings) {
  return static_cast<int>(std::lround(kE13bStandardPoints + settings.font_height_tenths / 10.0));
}

double MicrCharacterHeightInches(int points) {
  return kE13bHeightSquares * kE13bSquareInches * points / kE13bStandardPoints;
}

std::string MicrFontHeightText(int points) {
  char height[16];
  std::snprintf(height, sizeof height, "%.3f", MicrCharacterHeightInches(points));
  std::string text = height;
  if (text.rfind("0.", 0) == 0) text.erase(0, 1);  // ".117", as the ideal is written
  return "The MICR font height is " + text + "\"  (.117 is ideal)";
}

double MicrShiftColumns(const MicrSettings& settings) {
  return settings.horizontal_32nds / 32.0 * kColumnsPerInch;
}

double MicrShiftRows(const MicrSettings& settings) {
  return settings.vertical_32nds / 32.0 * kRowsPerInch;
}

void DrawMicrLine(PrintJob& job, const MicrSettings& settings, std::string_view number,
                  double baseline_row) {
  const double shift = MicrShiftColumns(settings);
  const double row = baseline_row + MicrShiftRows(settings);
  const double square =
      kE13bSquareInches * kPointsPerInch * MicrFontPoints(settings) / kE13bStandardPoints;
  PathPaint ink;
  for (const MicrField& field : MicrLineFields(settings, number)) {
    CanvasPath path;
    for (size_t i = 0; i < field.text.size(); ++i) {
      const double right = MicrCellRightColumn(field, static_cast<int>(i) + 1) + shift;
      AppendE13bCharacter(path, field.text[i], right * kPointsPerColumn, row * kPointsPerRow,
                          square);
    }
    job.DrawPath(path, ink);
    job.PrintInvisibleText(row, field.start_column + kMicrPitchColumns + shift, field.text,
                           kInvisibleFont);
  }
}

}  // namespace zenkar
