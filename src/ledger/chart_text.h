// A chart of accounts written as readable text, one account a line:
//
//   # comment
//   number | type | level | title type | description
//   110    | 1    | 1     | 0          | Checking Account
//
// The default chart a new company receives is kept in this form in the
// repository and turned into KXACCTCOA.DAT at build time.
#ifndef ZENKAR_LEDGER_CHART_TEXT_H_
#define ZENKAR_LEDGER_CHART_TEXT_H_

#include <string>
#include <string_view>
#include <vector>

#include "common/status.h"
#include "ledger/account_record.h"

namespace zenkar {

// Reads the accounts of a chart text. Refuses (naming the line) a line that
// is not five fields, a number that is empty or longer than 4 characters, a
// type outside 1..9, a level outside 1..9, a title type outside 0..5, a
// description longer than 40 characters, a number used twice and accounts out
// of chart order.
Status ParseChartText(std::string_view text, std::vector<AccountRecord>* accounts);

}  // namespace zenkar

#endif  // ZENKAR_LEDGER_CHART_TEXT_H_
