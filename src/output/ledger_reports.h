// The ledger and listing reports of the Reports tab, registered at once:
// every report of the list but the two financial statements.
#ifndef ZENKAR_OUTPUT_LEDGER_REPORTS_H_
#define ZENKAR_OUTPUT_LEDGER_REPORTS_H_

#include "output/report_run.h"

namespace zenkar {

void AddLedgerReports(ReportRegistry& registry);

}  // namespace zenkar

#endif  // ZENKAR_OUTPUT_LEDGER_REPORTS_H_
