// The imports from the companion programs in the window: "Import Payroll"
// beside "Help" on the "Checks and Deposits" page, "Import Receivables" on
// the "Journal Entries" page, and the imports of the window's start-up.
// Their reports go to the Reports page's printer when one is installed,
// otherwise into a PDF document that is shown.
#ifndef ZENKAR_APP_TRANSACTIONS_IMPORT_BUTTONS_H_
#define ZENKAR_APP_TRANSACTIONS_IMPORT_BUTTONS_H_

#include "app/transactions/entry_page.h"
#include "app_rules/transactions/import_actions.h"

namespace zenkar {

class MainWindow;

ReportOutput WindowReportOutput(MainWindow& window);

// Adds the two buttons; a page redraws itself after its import.
void AddImportButtons(Program& program, MainWindow& window, EntryPage& checks, EntryPage& journal);

// Runs the start-up imports (RunStartUpImports) with the window's paycheck
// selection window and report output.
void RunWindowStartUpImports(Program& program, MainWindow& window);

}  // namespace zenkar

#endif  // ZENKAR_APP_TRANSACTIONS_IMPORT_BUTTONS_H_
