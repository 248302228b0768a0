#include "app_rules/transactions/year_cleanup.h"

#include "ledger/year_cleanup.h"
#include "services/exchange/accountant_exchange.h"

namespace zenkar {

CleanupOutcome RemoveOldestYearFromWindow(Program& program, const OldEntriesReport& report) {
  Ledger& ledger = program.ledger();
  if (ledger.transaction_count() < 2) return CleanupOutcome::kDeclined;
  if (!PassesDataCheckedOutGuard(ledger)) return CleanupOutcome::kRefused;
  return AskAndRemoveOldestYear(ledger, report);
}

void RunTransactionDataTest(Program& program, const OldEntriesReport& report) {
  bool& tested = program.transaction_data_tested();
  if (tested) return;
  tested = true;
  Ledger& ledger = program.ledger();
  if (ledger.transaction_count() <= kTransactionCapacity) return;
  Ui& ui = program.ui();
  ui.Information(kDataTestBeginning);
  if (!AutomaticCleanupDue(ledger.transaction_count(), ledger.TransactionYearSpan())) {
    ui.Information(kDataTestPassed);
    return;
  }
  if (!PassesDataCheckedOutGuard(ledger)) return;
  ui.Information(kDataTestCleaning);
  RemoveOldestYearAndShowWhereAmI(ledger, report);
}

CleanupOutcome DeleteAllTransactionsFromWindow(Program& program, WarningPause& pause) {
  Ledger& ledger = program.ledger();
  if (ledger.transaction_count() < 1) return CleanupOutcome::kDeclined;
  if (!PassesDataCheckedOutGuard(ledger)) return CleanupOutcome::kRefused;
  Ui& ui = program.ui();
  if (!AskAfterBeep(ui, kDeleteAllQuestion)) return CleanupOutcome::kDeclined;
  pause.PauseWithWindowDisabled();
  if (!AskAfterBeep(ui, kDeleteAllCertain)) return CleanupOutcome::kDeclined;
  pause.PauseWithWindowDisabled();
  if (!AskAfterBeep(ui, kDeleteAllLastWord)) return CleanupOutcome::kDeclined;
  if (!ledger.DeleteAllTransactions()) return CleanupOutcome::kRefused;
  program.RestartMainWindow();
  return CleanupOutcome::kDone;
}

CleanupOutcome StartOverFromWindow(Program& program) {
  Ledger& ledger = program.ledger();
  if (!PassesDataCheckedOutGuard(ledger)) return CleanupOutcome::kRefused;
  const bool older_data = ledger.fs().FileExists(ledger.FilePath("KXGL.CFG")) ||
                          ledger.fs().FileExists(ledger.FilePath("KXAP.CFG"));
  program.ui().Information(older_data ? kOlderDataNotConverted : kNoOlderData);
  return CleanupOutcome::kRefused;
}

CleanupOutcome DeleteInactivePayeesFromWindow(Program& program) {
  if (!PassesDataCheckedOutGuard(program.ledger())) return CleanupOutcome::kRefused;
  return AskAndDeleteInactivePayees(program.ledger());
}

}  // namespace zenkar
