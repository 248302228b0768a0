// Properties of loaded books that several fuzz targets check after the
// books were loaded or changed.
#ifndef ZENKAR_FUZZ_BOOKS_CHECKS_H_
#define ZENKAR_FUZZ_BOOKS_CHECKS_H_

#include <map>
#include <set>
#include <string>

#include "fuzz/fuzz_support.h"
#include "ledger/ledger.h"

namespace zenkar::fuzzing {

// Every posted total is the sum of the rounded journal and check/deposit
// lines naming the account; a number's first account receives them.
inline void CheckPostedTotals(Ledger& ledger) {
  std::map<std::string, Money> sums;
  Require(ledger.ForEachTransaction([&](const TransactionRecord& line) {
    if (line.kind == kJournalLine || line.kind == kCheckOrDeposit) {
      sums[AccountKey(line.account)] += line.amount.RoundedToCents();
    }
  }),
          "the loaded lines read");
  std::set<std::string> seen;
  for (const AccountRecord& account : ledger.chart().accounts()) {
    const Money expected = seen.insert(account.number).second ? sums[account.number] : Money();
    Require(account.posted_total == expected, "a posted total is the sum of its lines");
  }
}

}  // namespace zenkar::fuzzing

#endif  // ZENKAR_FUZZ_BOOKS_CHECKS_H_
