// The "Chart of Accounts (COA)" page's rules that are not the ledger's: the
// choices it offers, turning what was typed into an account for the ledger
// ("Add New" and "Edit Existing"), and the data test with its report. The
// chart rules themselves (free numbers, title accounts, setup accounts,
// deleting) are the Ledger's.
#ifndef ZENKAR_APP_RULES_SETUP_CHART_ENTRY_H_
#define ZENKAR_APP_RULES_SETUP_CHART_ENTRY_H_

#include <string>
#include <string_view>
#include <vector>

#include "ledger/account_record.h"
#include "ledger/ledger.h"

namespace zenkar {

inline constexpr int kLowestAccountType = kAssets;
inline constexpr int kHighestAccountType = kNetProfit;
inline constexpr int kHighestTitleType = kBalanceSheetProfit;
// The statements sum levels 1 to 9, so the choices stop there.
inline constexpr int kTotalLevelChoices = 9;
inline constexpr std::string_view kDefaultTotalLevelLabel = "1 (Most Accounts are Total Level 1)";

// The "Total Level" choices, level 1 first.
std::vector<std::string> TotalLevelLabels();

inline constexpr std::string_view kBalanceForwardNotAnAmount =
    "The Balance Forward must be an amount, for example 1250.00 or -1250.00.";
inline constexpr std::string_view kChartTestPassed =
    "The chart of accounts and the entries posted to it are in balance.";
inline constexpr std::string_view kChartTestTitle = "Testing: ";

// The editor's fields as typed (Windows-1252).
struct AccountEntry {
  std::string number;
  std::string description;
  int type = kAssets;
  int total_level = 1;
  int title_type = kEntryAccount;
  std::string balance_forward;  // an amount as typed; empty is zero
};

// The editor filled from an account.
AccountEntry AccountEntryOf(const AccountRecord& account);

// "Add New": the typed account added under the chart rules. Returns the
// record number it got in the sorted chart, or 0 when it was refused (the
// reason has been shown) and the chart is unchanged.
int AddAccountFromEntry(Ledger& ledger, const AccountEntry& entry);
// "Edit Existing": account `record_number` changed to the typed one. Returns
// its record number after the chart was sorted again, or 0 when refused.
int EditAccountFromEntry(Ledger& ledger, int record_number, const AccountEntry& entry);

// The chart consistency test as the user's data test: each problem in a
// message titled "Testing: ", or one message that all is in balance.
bool TestChart(Ledger& ledger);

}  // namespace zenkar

#endif  // ZENKAR_APP_RULES_SETUP_CHART_ENTRY_H_
