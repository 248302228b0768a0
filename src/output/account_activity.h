// What every account did over a period, on the books' basis: the sums behind
// the trial balance, the general ledger and the activity comparison.
//
// A journal line moves its own account; a check or deposit its own account
// and the bank account by the negated amount; an unpaid invoice nothing (the
// books are kept on the cash basis until it is paid). Every amount is
// rounded to cents line by line, as the posted totals are. A line without a
// date counts before every period, as it counts in the posted totals.
#ifndef ZENKAR_OUTPUT_ACCOUNT_ACTIVITY_H_
#define ZENKAR_OUTPUT_ACCOUNT_ACTIVITY_H_

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "common/money.h"
#include "output/listing_books.h"

namespace zenkar {

struct AccountActivity {
  std::string account;     // the 4-character key
  Money opening;           // the balance forward and every move before the period
  Money period;            // the moves dated within the period
  bool has_lines = false;  // a line of the period moves it
  Money closing() const { return opening + period; }
};

struct ActivityTable {
  // The chart's entry accounts in chart order (and its title accounts that
  // lines name), then the numbers lines name that the chart lacks, blank
  // first, in number order.
  std::vector<AccountActivity> accounts;
  bool period_has_lines = false;
};

// Every line of the books with its record, for reports that list some of
// them.
using LineVisitor =
    std::function<void(int number, std::string_view record, const TransactionFacts& facts)>;

// The sums, from the books' figures by period; with `each_line`, the lines
// are then read once for it. False when the file could not be read.
bool SumAccountActivity(const ListingBooks& books, const ReportPeriod& period, ActivityTable* table,
                        const LineVisitor& each_line = {});

// True when the line's moves touch the bank account (a check or deposit, a
// journal line to the bank).
bool MovesBank(const ListedLine& line, const CompanySettings& settings);

}  // namespace zenkar

#endif  // ZENKAR_OUTPUT_ACCOUNT_ACTIVITY_H_
