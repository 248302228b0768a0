// The "Activity Comparison": each account's activity in a prior and a
// current period, chosen together in one dialog (the prior period proposed
// as the same dates a year earlier), with the difference and its percent of
// the prior amount.
#ifndef ZENKAR_OUTPUT_ACTIVITY_COMPARISON_H_
#define ZENKAR_OUTPUT_ACTIVITY_COMPARISON_H_

#include <string>
#include <string_view>
#include <vector>

#include "common/money.h"
#include "output/listing_books.h"

namespace zenkar {

inline constexpr std::string_view kActivityComparisonLabel = "Activity Comparison";
inline constexpr std::string_view kNoChartOfAccounts = "No Chart of Accounts";
inline constexpr std::string_view kComparisonMissingAccount =
    "At least one transaction is missing the account number.\nReview all transactions making "
    "sure each has a valid account number selected.";
inline constexpr std::string_view kComparisonDeletedAccount =
    "At least one transaction is posted to an account which no longer exists.";

struct ComparisonLine {
  std::string account;  // without padding
  std::string description;
  Money prior;
  Money current;
  Money difference() const { return current - prior; }
};

// A line of either period whose account the chart cannot take: blank, not
// in the chart, or a title account.
enum class ComparisonProblem { kNone, kBlank, kDeleted, kNotEntry };

struct ActivityComparison {
  ComparisonPeriods periods;
  std::vector<ComparisonLine> lines;  // accounts with activity in either period, chart order
  ComparisonProblem problem = ComparisonProblem::kNone;
  std::string problem_account;
};

// The proposal of the dialog: `current` and the same dates a year earlier.
ComparisonPeriods ProposedPeriods(const ReportPeriod& current);

// The figures, one pass over the books per period. False when the file
// could not be read (reported).
bool ComputeActivityComparison(const ListingBooks& books, const ComparisonPeriods& periods,
                               ActivityComparison* comparison);

// The percent column: "" when the prior amount is zero, ">1000.00%" or
// ">-1000.00%" beyond ten times it, else the difference as a percent of the
// prior amount ("-50.00%").
std::string PercentText(Money prior, Money difference);

bool PrintActivityComparison(ListingRun& run);

}  // namespace zenkar

#endif  // ZENKAR_OUTPUT_ACTIVITY_COMPARISON_H_
