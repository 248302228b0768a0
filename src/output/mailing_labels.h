// Payee mailing labels: name-and-address labels for chosen payees on sheets
// of 30 (3 across, 10 down, filled row by row; the common 1 x 2 5/8 inch
// address labels), through the output primitives as the print job
// "Payee-Labels" in Arial.
//
// Each payee's block (name, second name line, address, city, and on request
// the phone and the memo) is repeated the chosen number of times, each copy
// on the next label; 3, 6 and 15 copies fill whole rows, 30 a whole sheet. The address lines are
// cleaned of
// "." and "," and of doubled blanks. The margins shift the whole sheet.
#ifndef ZENKAR_OUTPUT_MAILING_LABELS_H_
#define ZENKAR_OUTPUT_MAILING_LABELS_H_

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "common/money.h"
#include "ledger/company_settings.h"
#include "ledger/payee_list.h"
#include "output/print_job.h"

namespace zenkar {

inline constexpr std::string_view kSelectAtLeastOnePayee = "Select at least one Payee.";
inline constexpr int kLabelsAcross = 3;
inline constexpr int kLabelsDown = 10;
inline constexpr int kLabelsPerSheet = kLabelsAcross * kLabelsDown;

// The count choices, in the order the group shows them, with their captions.
inline constexpr std::array<int, 5> kLabelsPerPayeeChoices = {1, 3, 6, 15, 30};
inline constexpr std::array<std::string_view, 5> kLabelsPerPayeeCaptions = {
    "1 Label per Payee", "3 Labels per Payee (1 Row)", "6 Labels per Payee (2 Rows)",
    "15 Labels per Payee (5 Rows)", "30 Labels per Payee (1 Page)"};

struct MailingLabelOptions {
  bool uppercase = false;  // "PRINT IN UPPERCASE"
  bool phone = false;      // "Include Payee Phone"
  bool memo = false;       // "Include Payee Memo"
  int per_payee = 1;       // one of kLabelsPerPayeeChoices
  Money left_margin;       // inches
  Money top_margin;        // inches
  friend bool operator==(const MailingLabelOptions&, const MailingLabelOptions&) = default;
};

// The options the settings keep: the three boxes and the count at 4462 to
// 4474 in that order, the margins at 4478 (top) and 4486 (left). A count the
// group does not offer reads as 1.
MailingLabelOptions MailingLabelOptionsOf(const CompanySettings& settings);
void StoreMailingLabelOptions(const MailingLabelOptions& options, CompanySettings& settings);

// An address text without "." and "," and with runs of blanks made one.
std::string CleanAddress(std::string_view text);
// The lines of one payee's label, blank lines left out.
std::vector<std::string> LabelLines(const PayeeRecord& payee, const MailingLabelOptions& options);

// Where each label goes: its sheet (from 0), row and column on it, and the
// payee (an index into the payees chosen).
struct PlacedLabel {
  int sheet = 0;
  int row = 0;
  int column = 0;
  int payee = 0;
  friend bool operator==(const PlacedLabel&, const PlacedLabel&) = default;
};
std::vector<PlacedLabel> PlaceLabels(int payee_count, int per_payee);

// Prints the labels of `payees` (payee numbers, in the order chosen) on
// `job`. "Select at least one Payee." when there are none; false when the
// job could not be opened or completed.
bool PrintMailingLabels(PrintJob& job, const PayeeList& payee_list, const std::vector<int>& payees,
                        const MailingLabelOptions& options);

}  // namespace zenkar

#endif  // ZENKAR_OUTPUT_MAILING_LABELS_H_
