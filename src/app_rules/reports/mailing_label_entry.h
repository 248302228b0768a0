// The rules of the "Payee Mailing Labels" group of the Reports tab: what the
// group shows from the settings, the checks of what the user chose, the
// options kept in the settings and the label run itself.
#ifndef ZENKAR_APP_RULES_REPORTS_MAILING_LABEL_ENTRY_H_
#define ZENKAR_APP_RULES_REPORTS_MAILING_LABEL_ENTRY_H_

#include <string>
#include <vector>

#include "ledger/ledger.h"
#include "output/mailing_labels.h"
#include "output/print_job.h"

namespace zenkar {

// The group's fields as the user left them.
struct MailingLabelEntry {
  bool uppercase = false;
  bool phone = false;
  bool memo = false;
  int per_payee = 1;
  std::string left_margin;  // "Left Margin (Inches)", as typed
  std::string top_margin;   // "Top Margin (Inches)"
  std::vector<int> payees;  // the payee numbers chosen in "Select Items"
};

// The largest margin either way, in inches.
inline constexpr int kLargestLabelMargin = 2;

// The entry the group starts from: the settings' options, margins as "0.00".
MailingLabelEntry MailingLabelEntryOf(const CompanySettings& settings);

// Checks the entry (a payee chosen, margins of 0 to 2 inches), keeps its
// options in the settings (saved) and prints the labels to `target`, the
// printer or a PDF preview. False when refused or not printed (reported).
bool RunMailingLabels(Ledger& ledger, OutputServices& services, OutputTarget target,
                      const MailingLabelEntry& entry);

}  // namespace zenkar

#endif  // ZENKAR_APP_RULES_REPORTS_MAILING_LABEL_ENTRY_H_
