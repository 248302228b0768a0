// The "Trial Balance": every account's opening balance, the period's
// activity and the closing balance, with the totals of all accounts.
#ifndef ZENKAR_OUTPUT_TRIAL_BALANCE_H_
#define ZENKAR_OUTPUT_TRIAL_BALANCE_H_

#include <string>
#include <vector>

#include "common/money.h"
#include "output/listing_books.h"

namespace zenkar {

inline constexpr std::string_view kTrialBalanceLabel = "Trial Balance";

struct TrialBalanceLine {
  std::string account;  // without padding
  std::string description;
  Money opening;
  Money period;
  Money closing;
};

struct TrialBalance {
  // Accounts with a balance or activity, in chart order, then the numbers
  // the chart lacks.
  std::vector<TrialBalanceLine> lines;
  Money opening;
  Money period;
  Money closing;
};

// The figures, from one pass over the books. False when the file could not
// be read (reported).
bool ComputeTrialBalance(const ListingBooks& books, const ReportPeriod& period,
                         TrialBalance* balance);

bool PrintTrialBalance(ListingRun& run);

}  // namespace zenkar

#endif  // ZENKAR_OUTPUT_TRIAL_BALANCE_H_
