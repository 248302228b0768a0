#include "ledger/cleanup_dialogue.h"

#include <string>

#include "ledger/folder_summary.h"

namespace zenkar {

bool AskAfterBeep(Ui& ui, std::string_view question) {
  ui.Beep();
  return ui.YesNoDefaultNo(question);
}

CleanupOutcome AskAndRemoveOldestYear(Ledger& ledger, const OldEntriesReport& report) {
  if (ledger.transaction_count() < 2) return CleanupOutcome::kDeclined;
  Ui& ui = ledger.ui();
  if (!AskAfterBeep(ui, kRemoveOldestYearQuestion) || !AskAfterBeep(ui, kRemoveOldestYearCertain)) {
    return CleanupOutcome::kDeclined;
  }
  return RemoveOldestYearAndShowWhereAmI(ledger, report);
}

CleanupOutcome RemoveOldestYearAndShowWhereAmI(Ledger& ledger, const OldEntriesReport& report) {
  if (ledger.RemoveOldestYear(report) != YearRemoval::kRemoved) return CleanupOutcome::kRefused;
  ledger.ui().Information(WhereAmIText(ledger));
  return CleanupOutcome::kDone;
}

CleanupOutcome AskAndDeleteInactivePayees(Ledger& ledger) {
  Ui& ui = ledger.ui();
  if (ledger.payees().count() < kFewestPayeesForCleanup) {
    ui.Information(kTooFewPayees);
    return CleanupOutcome::kDeclined;
  }
  if (!AskAfterBeep(ui, kDeleteInactivePayeesQuestion) ||
      !AskAfterBeep(ui, kDeleteInactivePayeesCertain)) {
    return CleanupOutcome::kDeclined;
  }
  const std::optional<int> deleted = ledger.DeleteInactivePayees();
  if (!deleted) return CleanupOutcome::kRefused;
  ui.Information(std::to_string(*deleted) + " inactive payees deleted.");
  return CleanupOutcome::kDone;
}

}  // namespace zenkar
