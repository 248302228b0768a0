// The capital-account confirmation of the window's start: when the company
// has no capital account yet, the user picks one from the entry accounts of
// type 2 ("Select / Confirm your capital account.").
#ifndef ZENKAR_APP_RULES_SETUP_CAPITAL_ACCOUNT_H_
#define ZENKAR_APP_RULES_SETUP_CAPITAL_ACCOUNT_H_

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ledger/ledger.h"

namespace zenkar {

// The list the user picks from: a prompt, a hint under it, the choices and
// the one preselected. The Qt program shows a dialog; tests answer it.
class AccountChooser {
 public:
  virtual ~AccountChooser() = default;
  // The index of the choice taken, or nothing when the user cancelled.
  virtual std::optional<int> ChooseAccount(std::string_view prompt, std::string_view hint,
                                           const std::vector<std::string>& choices,
                                           int preselected) = 0;
};

// True while the settings name no capital account.
bool CapitalAccountMissing(const Ledger& ledger);

// Asks for the capital account when it is missing: the candidates are the
// entry accounts of type 2, labelled "number description", with the one
// numbered 465 preselected when there is one; a chart without candidates is
// told so and nothing is set. True when an account was set.
bool ConfirmCapitalAccount(Ledger& ledger, AccountChooser& chooser);

}  // namespace zenkar

#endif  // ZENKAR_APP_RULES_SETUP_CAPITAL_ACCOUNT_H_
