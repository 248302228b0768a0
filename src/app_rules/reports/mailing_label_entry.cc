#include "app_rules/reports/mailing_label_entry.h"

#include "common/text_field.h"

namespace zenkar {
namespace {

// A margin typed in inches; nothing for text that is not one, or beyond the
// largest margin.
std::optional<Money> MarginOf(const std::string& text) {
  const std::optional<Money> inches = Money::Parse(Trim(text));
  if (!inches || *inches > Money::FromUnits(kLargestLabelMargin) || inches->IsNegative()) {
    return std::nullopt;
  }
  return inches;
}

std::string MarginProblem(std::string_view caption) {
  return std::string(caption) + " must be a number of inches from 0.00 to " +
         std::to_string(kLargestLabelMargin) + ".00.";
}

}  // namespace

MailingLabelEntry MailingLabelEntryOf(const CompanySettings& settings) {
  const MailingLabelOptions options = MailingLabelOptionsOf(settings);
  MailingLabelEntry entry;
  entry.uppercase = options.uppercase;
  entry.phone = options.phone;
  entry.memo = options.memo;
  entry.per_payee = options.per_payee;
  entry.left_margin = options.left_margin.ToString();
  entry.top_margin = options.top_margin.ToString();
  return entry;
}

bool RunMailingLabels(Ledger& ledger, OutputServices& services, OutputTarget target,
                      const MailingLabelEntry& entry) {
  Ui& ui = services.ui;
  if (entry.payees.empty()) {
    ui.Error(kSelectAtLeastOnePayee);
    return false;
  }
  const std::optional<Money> left = MarginOf(entry.left_margin);
  const std::optional<Money> top = MarginOf(entry.top_margin);
  if (!left || !top) {
    ui.Error(MarginProblem(!left ? "Left Margin (Inches)" : "Top Margin (Inches)"));
    return false;
  }
  const MailingLabelOptions options{entry.uppercase, entry.phone, entry.memo,
                                    entry.per_payee, *left,       *top};
  if (!(MailingLabelOptionsOf(ledger.settings()) == options)) {
    StoreMailingLabelOptions(options, ledger.settings());
    // A failed save has been reported; the labels still print with the choice.
    ledger.SaveCompanySettings();
  }
  PrintJob job(services, target);
  return PrintMailingLabels(job, ledger.payees(), entry.payees, options);
}

}  // namespace zenkar
