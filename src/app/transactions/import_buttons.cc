#include "app/transactions/import_buttons.h"

#include "app/reports/reports_page.h"
#include "app/transactions/paycheck_selection_dialog.h"
#include "app/window/main_window.h"
#include "platform/help_context.h"

namespace zenkar {
namespace {

QPushButton* ImportButton(const char* caption, const char* name) {
  auto* button = new QPushButton(caption);
  button->setObjectName(name);
  button->setFocusPolicy(Qt::ClickFocus);
  SetHelpContext(button, kHelpCompanionImports);
  return button;
}

}  // namespace

ReportOutput WindowReportOutput(MainWindow& window) {
  return [&window](const std::function<bool(PrintJob&)>& write) {
    auto* reports = qobject_cast<ReportsPage*>(window.page("RPT"));
    return reports != nullptr && reports->PrintDocument(write);
  };
}

void AddImportButtons(Program& program, MainWindow& window, EntryPage& checks, EntryPage& journal) {
  QPushButton* payroll = ImportButton("Import Payroll", "importPayroll");
  QObject::connect(payroll, &QPushButton::clicked, &checks, [&program, &window, &checks] {
    QtPaycheckChooser chooser(&window, program.date_patterns());
    if (ImportPayrollNow(program, chooser, WindowReportOutput(window)) ==
        ImportOutcome::kImported) {
      checks.Enter();
    }
  });
  checks.AddButton(payroll);

  QPushButton* receivables = ImportButton("Import Receivables", "importReceivables");
  QObject::connect(receivables, &QPushButton::clicked, &journal, [&program, &window, &journal] {
    if (ImportReceivablesNow(program, WindowReportOutput(window)) == ImportOutcome::kImported) {
      journal.Enter();
    }
  });
  journal.AddButton(receivables);
}

void RunWindowStartUpImports(Program& program, MainWindow& window) {
  QtPaycheckChooser chooser(&window, program.date_patterns());
  RunStartUpImports(program, chooser, WindowReportOutput(window));
}

}  // namespace zenkar
