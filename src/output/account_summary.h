// The "Account Summary": the period's entries of one account, chosen in the
// "Account Summary Report" dialog, with their totals. For the bank account
// ("BANK ACCOUNT SUMMARY") that is every check and deposit, from the bank's
// side, and the journal lines to the bank.
#ifndef ZENKAR_OUTPUT_ACCOUNT_SUMMARY_H_
#define ZENKAR_OUTPUT_ACCOUNT_SUMMARY_H_

#include <string>
#include <string_view>
#include <vector>

#include "output/listing_books.h"

namespace zenkar {

inline constexpr std::string_view kAccountSummaryLabel = "Account Summary";

struct AccountSummary {
  std::string account;  // the 4-character key
  bool bank = false;
  std::vector<ListedLine> lines;  // in file order
  std::vector<Money> shown;       // each line's amount from the account's side
  Money journal;
  Money checks_deposits;
  Money entries;
};

// The figures of `account` (a 4-character key). False when the file could
// not be read (reported).
bool ComputeAccountSummary(const ListingBooks& books, std::string_view account,
                           const ReportPeriod& period, AccountSummary* summary);

bool PrintAccountSummary(ListingRun& run);

}  // namespace zenkar

#endif  // ZENKAR_OUTPUT_ACCOUNT_SUMMARY_H_
