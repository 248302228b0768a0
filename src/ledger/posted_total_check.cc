#include "ledger/posted_total_check.h"

#include <unordered_map>
#include <unordered_set>

#include "common/text_field.h"

namespace zenkar {

std::vector<std::string> PostedTotalProblems(Ledger& ledger) {
  std::unordered_map<std::string, Money> lines_by_account;
  const bool read = ledger.ForEachTransaction([&](const TransactionRecord& line) {
    const Money posted = PostedAmount(line);
    if (!posted.IsZero()) lines_by_account[AccountKey(line.account)] += posted;
  });
  if (!read) return {"The transactions could not be read to check the posted totals."};
  std::vector<std::string> problems;
  std::unordered_set<std::string> seen;
  const ChartOfAccounts& chart = ledger.chart();
  for (int n = 1; n <= chart.count(); ++n) {
    const AccountRecord& account = chart.account(n);
    // Lines post to the first account of a number, as FindAccount finds it.
    const std::string key = AccountKey(account.number);
    const Money expected = seen.insert(key).second ? lines_by_account[key] : Money();
    if (account.posted_total == expected) continue;
    problems.push_back("The posted total of account " + EscapeControls(account.Label()) + " is " +
                       account.posted_total.ToStringWithCommas() + " but its entries add up to " +
                       expected.ToStringWithCommas() + ".");
  }
  return problems;
}

}  // namespace zenkar
