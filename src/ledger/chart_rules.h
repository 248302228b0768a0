// The rules of the chart of accounts that do not change data: the setup
// roles and their messages, the validation texts other screens show when an
// account is named, the capital-account candidates and the chart consistency
// test. The Ledger applies them when accounts are added, edited and deleted.
#ifndef ZENKAR_LEDGER_CHART_RULES_H_
#define ZENKAR_LEDGER_CHART_RULES_H_

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ledger/bookkeeping.h"
#include "ledger/chart_of_accounts.h"
#include "ledger/company_settings.h"

namespace zenkar {

// A setup account of the company settings and what the chart rules say about it.
struct SetupRole {
  std::string CompanySettings::*field;
  // "Cannot change your ... to a non-entry account."
  std::string_view non_entry_message;
  // "Updating ... account to " (the new number follows).
  std::string_view updating_message;
  // Completes "Cannot delete the account currently selected as the ".
  std::string_view delete_reason;
};

// The setup roles in the order the chart rules test them: Bank, Accounts
// Payable, Accounts Receivable, Capital, Salaries and Wages, and last the
// second payroll account (offset 464), which the settings also require to be
// an entry account.
const std::vector<SetupRole>& SetupRoles();

inline constexpr std::string_view kMustEnterAccountNumber = "Must enter an account number.";
inline constexpr std::string_view kTitleAccountsCannotPost =
    "Title Accounts cannot be used to post balances.\n\n"
    "For an account to have a balance and receive entries, the Title Type MUST be set to "
    "'0 - Entry Account'.";
inline constexpr std::string_view kDeleteThisAccount = "Delete this Account?";
inline constexpr std::string_view kCannotDelete = "Cannot delete ";
inline constexpr std::string_view kCapitalAccountPrompt = "Select / Confirm your capital account.";
inline constexpr std::string_view kCapitalAccountHint =
    "The capital account is usually numbered 465, with a description of 'Balance Beginning of "
    "Year' or 'Retained Earnings'.";
inline constexpr std::string_view kNoCapitalCandidates =
    "Your COA does not have any valid Liability accounts (Account Type 2 with Title Type 0).";

// "Account number " + number + " is already being used."
std::string AccountInUseMessage(std::string_view number);

// When a screen names an account: the number as typed followed by " is not a
// valid account." (unknown) or " is not a valid COA entry account." (a title
// account); nothing when it is an entry account.
std::optional<std::string> EntryAccountProblem(const ChartOfAccounts& chart,
                                               std::string_view typed);

// The Setup screen's check of its account fields, in the order Bank, Salaries
// and Wages, Accounts Payable, Accounts Receivable, Capital: the first field
// that is not an entry account, as the number typed followed by " is not a
// valid account to select as your ...". Nothing when all are valid.
std::optional<std::string> SetupAccountsProblem(const CompanySettings& settings,
                                                const ChartOfAccounts& chart);
// The message for the Capital Account field alone.
std::string CapitalAccountMessage(std::string_view typed);

// Record numbers of the entry accounts of type 2, the capital-account
// candidates, in chart order.
std::vector<int> CapitalAccountCandidates(const ChartOfAccounts& chart);

// The chart consistency test: each problem's message, in the order found.
// Account types must not decrease from one entry account to the next (type 9
// is left out); balance forwards must sum to zero; lines posted to accounts
// no longer in the chart must sum to zero; journal entries must sum to zero.
std::vector<std::string> ChartConsistencyProblems(const ChartOfAccounts& chart,
                                                  const LineTotals& lines);

}  // namespace zenkar

#endif  // ZENKAR_LEDGER_CHART_RULES_H_
