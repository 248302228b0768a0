#include "app_rules/transactions/import_actions.h"

namespace zenkar {

ImportEnvironment ImportEnvironmentOf(Program& program, ReportOutput output) {
  return {program.ledger(), program.date_patterns(), std::move(output)};
}

void RunStartUpImports(Program& program, PaycheckChooser& chooser, const ReportOutput& output) {
  Ledger& ledger = program.ledger();
  if (!ledger.is_loaded() || ledger.access() == Ledger::Access::kReadOnly) return;
  ImportEnvironment env = ImportEnvironmentOf(program, output);
  if (PaychecksWaiting(program.fs(), ledger.data_folder())) {
    ImportPayroll(env, ImportMode::kStartUp, chooser);
    ledger.settings().start_tab = "TRN";
  }
  ImportReceivables(env, ImportMode::kStartUp);
}

ImportOutcome ImportPayrollNow(Program& program, PaycheckChooser& chooser,
                               const ReportOutput& output) {
  ImportEnvironment env = ImportEnvironmentOf(program, output);
  return ImportPayroll(env, ImportMode::kInteractive, chooser);
}

ImportOutcome ImportReceivablesNow(Program& program, const ReportOutput& output) {
  ImportEnvironment env = ImportEnvironmentOf(program, output);
  return ImportReceivables(env, ImportMode::kInteractive);
}

}  // namespace zenkar
