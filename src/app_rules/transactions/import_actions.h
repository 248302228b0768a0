// The imports from the companion programs in kxacct: "Import Payroll" on
// the "Checks and Deposits" page, "Import Receivables" on the "Journal
// Entries" page, and the imports the program runs as it builds its window.
#ifndef ZENKAR_APP_RULES_TRANSACTIONS_IMPORT_ACTIONS_H_
#define ZENKAR_APP_RULES_TRANSACTIONS_IMPORT_ACTIONS_H_

#include "app_rules/window/program.h"
#include "services/imports/payroll_import.h"
#include "services/imports/receivables_import.h"

namespace zenkar {

// The help page of the two imports.
inline constexpr int kHelpCompanionImports = 1330;

// The imports' view of the program: its books and dates, the report on
// `output`.
ImportEnvironment ImportEnvironmentOf(Program& program, ReportOutput output);

// The start-up step of the window: when the data folder holds new
// paychecks, the payroll import (its window, and only the message that the
// payroll program has its data open) and the Transactions tab as the start
// page; then the receivables import, without a word. Nothing runs while the
// books are open for reading only: the imports need the folder's writing
// lock.
void RunStartUpImports(Program& program, PaycheckChooser& chooser, const ReportOutput& output);

// The buttons: every problem is reported.
ImportOutcome ImportPayrollNow(Program& program, PaycheckChooser& chooser,
                               const ReportOutput& output);
ImportOutcome ImportReceivablesNow(Program& program, const ReportOutput& output);

}  // namespace zenkar

#endif  // ZENKAR_APP_RULES_TRANSACTIONS_IMPORT_ACTIONS_H_
