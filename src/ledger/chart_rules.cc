#include "ledger/chart_rules.h"

#include "common/text_field.h"

namespace zenkar {
namespace {

constexpr std::string_view kLowerTypeText = " has a LOWER Account Type than Account ";
constexpr std::string_view kTypesShouldNotDecrease =
    "Account Types should not decrease, as it may cause report totals to be incorrect.";
constexpr std::string_view kTypeNineExempt = "(Account Type 9 is not part of this requirement.)";
constexpr std::string_view kBalanceForwardOutOfBalance =
    "COA Balance Forward figures are out of balance. The correction is to edit the Balance "
    "Forward figures on the Setup / COA screen, so the sum of all of the balance forward "
    "figures equal zero.";
constexpr std::string_view kDeletedAccountsOutOfBalance =
    "Entries posted to deleted COA accounts are out of balance.";
constexpr std::string_view kJournalOutOfBalance =
    "Journal entries are out of balance. Journal entries need to balance to zero.  The "
    "correction is to review and edit your Journal Entries so the sum of all Journal Entries "
    "equals zero.";

struct SetupField {
  std::string CompanySettings::*field;
  std::string_view message;
};

// The Setup screen's validation order and texts.
const SetupField kSetupFields[] = {
    {&CompanySettings::bank_account, " is not a valid account to select as your Bank Account."},
    {&CompanySettings::wages_account,
     " is not a valid account to select as your Salaries and Wages account."},
    {&CompanySettings::payables_account,
     " is not a valid account to select as your Accounts Payable account."},
    {&CompanySettings::receivables_account,
     " is not a valid account to select as your Accounts Receivable account."},
    {&CompanySettings::capital_account,
     " is not a valid account to select as your Capital Account."},
};

// An account number of the books as a message shows it.
std::string Trimmed(std::string_view text) { return EscapeControls(Trim(text)); }

void AddTypeOrderProblems(const ChartOfAccounts& chart, std::vector<std::string>& problems) {
  const AccountRecord* previous = nullptr;
  for (const AccountRecord& account : chart.accounts()) {
    if (!account.IsEntry() || account.type == kNetProfit) continue;
    if (previous != nullptr && account.type < previous->type) {
      problems.push_back(Trimmed(account.number) + std::string(kLowerTypeText) +
                         Trimmed(previous->number) + "\n\n" + std::string(kTypesShouldNotDecrease) +
                         "\n" + std::string(kTypeNineExempt));
    }
    previous = &account;
  }
}

Money BalanceForwardTotal(const ChartOfAccounts& chart) {
  Money total;
  for (const AccountRecord& account : chart.accounts()) total += account.balance_forward;
  return total;
}

Money PostedToDeletedAccounts(const ChartOfAccounts& chart, const LineTotals& lines) {
  const auto index = chart.IndexByNumber();
  Money total;
  lines.ForEachAccount([&](const std::string& account, Money amount) {
    if (index.find(account) == index.end()) total += amount;
  });
  return total;
}

}  // namespace

const std::vector<SetupRole>& SetupRoles() {
  static const std::vector<SetupRole> roles = {
      {&CompanySettings::bank_account, "Cannot change your bank account to a non-entry account.",
       "Updating Bank account to ", "bank account."},
      {&CompanySettings::payables_account,
       "Cannot change your Accounts Payable account to a non-entry account.",
       "Updating Accounts Payable account to ", "accounts payable account."},
      {&CompanySettings::receivables_account,
       "Cannot change your Accounts Receivable account to a non-entry account.",
       "Updating Accounts Receivable account to ", "accounts receivable account."},
      {&CompanySettings::capital_account,
       "Cannot change your Capical Account to a non-entry account.", "Updating Capital Account to ",
       "capital account."},
      {&CompanySettings::wages_account,
       "Cannot change your Salaries and Wages account to a non-entry account.",
       "Updating Salaries and Wages account to ", "payroll account."},
      {&CompanySettings::payroll_account_2,
       "Cannot change your second payroll account to a non-entry account.",
       "Updating second payroll account to ", "payroll account."},
  };
  return roles;
}

std::string AccountInUseMessage(std::string_view number) {
  return "Account number " + Trimmed(number) + " is already being used.";
}

std::optional<std::string> EntryAccountProblem(const ChartOfAccounts& chart,
                                               std::string_view typed) {
  const int found = chart.FindAccount(typed);
  if (found == 0) return std::string(typed) + " is not a valid account.";
  if (!chart.account(found).IsEntry())
    return std::string(typed) + " is not a valid COA entry account.";
  return std::nullopt;
}

std::optional<std::string> SetupAccountsProblem(const CompanySettings& settings,
                                                const ChartOfAccounts& chart) {
  for (const SetupField& setup : kSetupFields) {
    const std::string& typed = settings.*setup.field;
    if (!chart.IsEntryAccount(typed)) return Trimmed(typed) + std::string(setup.message);
  }
  return std::nullopt;
}

std::string CapitalAccountMessage(std::string_view typed) {
  return Trimmed(typed) + " is not a valid account to select as your Capital Account.";
}

std::vector<int> CapitalAccountCandidates(const ChartOfAccounts& chart) {
  std::vector<int> candidates;
  for (int n = 1; n <= chart.count(); ++n) {
    const AccountRecord& account = chart.account(n);
    if (account.IsEntry() && account.type == kLiabilitiesAndEquity) candidates.push_back(n);
  }
  return candidates;
}

std::vector<std::string> ChartConsistencyProblems(const ChartOfAccounts& chart,
                                                  const LineTotals& lines) {
  std::vector<std::string> problems;
  AddTypeOrderProblems(chart, problems);
  if (!BalanceForwardTotal(chart).RoundedToCents().IsZero()) {
    problems.emplace_back(kBalanceForwardOutOfBalance);
  }
  if (!PostedToDeletedAccounts(chart, lines).IsZero()) {
    problems.emplace_back(kDeletedAccountsOutOfBalance);
  }
  if (!lines.summary.journal_total.IsZero()) problems.emplace_back(kJournalOutOfBalance);
  return problems;
}

}  // namespace zenkar
