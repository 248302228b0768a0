#include "app_rules/setup/capital_account.h"

#include "common/text_field.h"
#include "ledger/chart_rules.h"

namespace zenkar {
namespace {

// The account the hint speaks of.
constexpr std::string_view kUsualCapitalAccount = "465";

}  // namespace

bool CapitalAccountMissing(const Ledger& ledger) {
  return Trim(ledger.settings().capital_account).empty();
}

bool ConfirmCapitalAccount(Ledger& ledger, AccountChooser& chooser) {
  if (!CapitalAccountMissing(ledger)) return false;
  const std::vector<int> candidates = ledger.CapitalAccountCandidates();
  if (candidates.empty()) return false;
  std::vector<std::string> labels;
  int preselected = 0;
  for (int record_number : candidates) {
    const AccountRecord& account = ledger.chart().account(record_number);
    if (SameAccount(account.number, kUsualCapitalAccount)) {
      preselected = static_cast<int>(labels.size());
    }
    labels.push_back(std::string(TrimRight(account.Label())));
  }
  std::optional<int> chosen =
      chooser.ChooseAccount(kCapitalAccountPrompt, kCapitalAccountHint, labels, preselected);
  if (!chosen || *chosen < 0 || *chosen >= static_cast<int>(candidates.size())) return false;
  return ledger.SetCapitalAccount(ledger.chart().account(candidates[*chosen]).number);
}

}  // namespace zenkar
