// The posted-total check: every account's posted total must equal the sum of
// the journal and check/deposit lines that name it, each rounded to cents.
//
// Loading a data folder repairs totals that drifted and says which; this
// check reads the transaction file again afterwards and compares, so a
// repair that could not be saved, or a chart changed behind the program's
// back, is still found.
#ifndef ZENKAR_LEDGER_POSTED_TOTAL_CHECK_H_
#define ZENKAR_LEDGER_POSTED_TOTAL_CHECK_H_

#include <string>
#include <vector>

#include "ledger/ledger.h"

namespace zenkar {

// One message per account whose posted total differs from its lines, in
// chart order; a message naming the file when it could not be read. Empty
// when every total agrees.
std::vector<std::string> PostedTotalProblems(Ledger& ledger);

}  // namespace zenkar

#endif  // ZENKAR_LEDGER_POSTED_TOTAL_CHECK_H_
