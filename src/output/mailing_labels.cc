#include "output/mailing_labels.h"

#include <algorithm>
#include <cctype>

#include "common/text_field.h"

namespace zenkar {
namespace {

constexpr std::string_view kJobTitle = "Payee-Labels";
constexpr std::string_view kFontName = "Arial";
constexpr double kFontSize = 9;
constexpr ReportFont kLabelFont{FontFamily::kArial, kFontSize, FontStyle::kRegular};
// The sheet in report units: the first label's corner, the pitch across and
// down, and the text's place inside a label.
constexpr double kSheetLeftColumn = 1.875;   // 3/16 inch
constexpr double kSheetTopRow = 3;           // 1/2 inch
constexpr double kLabelPitchColumns = 27.5;  // 2 3/4 inches
constexpr double kLabelPitchRows = 6;        // 1 inch
constexpr double kTextIndent = 1.5;
constexpr double kFirstBaseline = 1.1;
constexpr double kLineStep = 0.85;
constexpr double kTextWidthColumns = 26.25 - 2 * kTextIndent;
constexpr double kColumnsPerInch = 10;
constexpr double kRowsPerInch = 6;

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

double Inches(Money amount) { return static_cast<double>(amount.raw()) / 10000; }

}  // namespace

MailingLabelOptions MailingLabelOptionsOf(const CompanySettings& settings) {
  MailingLabelOptions options;
  options.uppercase = settings.label_options[0] != 0;
  options.phone = settings.label_options[1] != 0;
  options.memo = settings.label_options[2] != 0;
  const int count = settings.label_options[3];
  const bool offered = std::find(kLabelsPerPayeeChoices.begin(), kLabelsPerPayeeChoices.end(),
                                 count) != kLabelsPerPayeeChoices.end();
  options.per_payee = offered ? count : 1;
  options.top_margin = settings.label_top_margin;
  options.left_margin = settings.label_left_margin;
  return options;
}

void StoreMailingLabelOptions(const MailingLabelOptions& options, CompanySettings& settings) {
  settings.label_options = {options.uppercase ? 1 : 0, options.phone ? 1 : 0, options.memo ? 1 : 0,
                            options.per_payee};
  settings.label_top_margin = options.top_margin;
  settings.label_left_margin = options.left_margin;
}

std::string CleanAddress(std::string_view text) {
  std::string clean;
  for (char c : Trim(text)) {
    if (c == '.' || c == ',') continue;
    if (c == ' ' && !clean.empty() && clean.back() == ' ') continue;
    clean += c;
  }
  return std::string(Trim(clean));
}

std::vector<std::string> LabelLines(const PayeeRecord& payee, const MailingLabelOptions& options) {
  std::vector<std::string> lines;
  auto add = [&](std::string text) {
    if (Trim(text).empty()) return;
    lines.push_back(options.uppercase ? Upper(std::move(text)) : std::move(text));
  };
  add(std::string(Trim(payee.name)));
  add(std::string(Trim(payee.name_2)));
  add(CleanAddress(payee.address));
  add(CleanAddress(payee.city_state_zip));
  if (options.phone) add(std::string(Trim(payee.phone)));
  if (options.memo) add(std::string(Trim(payee.memo)));
  return lines;
}

std::vector<PlacedLabel> PlaceLabels(int payee_count, int per_payee) {
  // Every count offered but 1 is a whole number of rows, so each payee's
  // copies start on a row (30: a sheet) of their own.
  std::vector<PlacedLabel> labels;
  int position = 0;
  for (int payee = 0; payee < payee_count; ++payee) {
    for (int copy = 0; copy < per_payee; ++copy, ++position) {
      const int on_sheet = position % kLabelsPerSheet;
      labels.push_back(
          {position / kLabelsPerSheet, on_sheet / kLabelsAcross, on_sheet % kLabelsAcross, payee});
    }
  }
  return labels;
}

bool PrintMailingLabels(PrintJob& job, const PayeeList& payee_list, const std::vector<int>& payees,
                        const MailingLabelOptions& options) {
  if (payees.empty()) {
    job.services().ui.Error(kSelectAtLeastOnePayee);
    return false;
  }
  std::vector<std::vector<std::string>> blocks;
  for (int number : payees) {
    blocks.push_back(payee_list.IsValidPayee(number) ? LabelLines(payee_list.payee(number), options)
                                                     : std::vector<std::string>{});
  }
  if (!job.StartPrintJob(PrintJobKind::kLabels, kJobTitle)) return false;
  if (!job.SetReportFont(kFontName, kFontSize, FontStyle::kRegular)) return false;
  const double left = kSheetLeftColumn + Inches(options.left_margin) * kColumnsPerInch;
  const double top = kSheetTopRow + Inches(options.top_margin) * kRowsPerInch;
  int sheet = 0;
  for (const PlacedLabel& label : PlaceLabels(static_cast<int>(payees.size()), options.per_payee)) {
    for (; sheet < label.sheet; ++sheet) job.NewPage();
    const double x = left + label.column * kLabelPitchColumns + kTextIndent;
    double y = top + label.row * kLabelPitchRows + kFirstBaseline;
    for (const std::string& line : blocks[label.payee]) {
      job.PrintText(y, x, FitTextToWidth(kLabelFont, line, kTextWidthColumns * kPointsPerColumn));
      y += kLineStep;
    }
  }
  return job.EndPrintJob();
}

}  // namespace zenkar
