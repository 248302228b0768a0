// The questions and answers around the year clean-up that the desktop
// program and kxbatch share: removing the oldest year after its two
// confirmations, and deleting the inactive payees after theirs. Each
// destructive question is preceded by a beep and has No preselected; a No
// changes nothing. The messages go through the ledger's Ui port.
#ifndef ZENKAR_LEDGER_CLEANUP_DIALOGUE_H_
#define ZENKAR_LEDGER_CLEANUP_DIALOGUE_H_

#include <string_view>

#include "ledger/ledger.h"

namespace zenkar {

inline constexpr std::string_view kRemoveOldestYearQuestion =
    "REMOVE the oldest year's entries (keeping the account balances the same)?";
inline constexpr std::string_view kRemoveOldestYearCertain =
    "Are you CERTAIN you want to REMOVE the oldest entries?";
inline constexpr std::string_view kTooFewPayees =
    "When there are less than 25 payees, you must manually delete payees.";
inline constexpr std::string_view kDeleteInactivePayeesQuestion =
    "Delete all payees with no activity within the last 24 months?";
inline constexpr std::string_view kDeleteInactivePayeesCertain =
    "Are you sure you want to delete inactive payees? This cannot be undone.";

enum class CleanupOutcome {
  kDone,
  kDeclined,  // a No, or too few lines or payees: nothing changed
  kRefused,   // the books refused the change, or it failed (shown); nothing changed
};

// Beeps and asks `question` with No preselected; true for Yes.
bool AskAfterBeep(Ui& ui, std::string_view question);

// Ctrl+Z: with at least 2 lines, the two confirmations, then the removal
// (Ledger::RemoveOldestYear with `report`) and the "Where Am I?" summary.
CleanupOutcome AskAndRemoveOldestYear(Ledger& ledger, const OldEntriesReport& report);

// Removes the oldest year without asking and shows the "Where Am I?"
// summary (the automatic clean-up).
CleanupOutcome RemoveOldestYearAndShowWhereAmI(Ledger& ledger, const OldEntriesReport& report);

// Ctrl+Alt+V: with fewer than kFewestPayeesForCleanup payees only
// kTooFewPayees; otherwise the two confirmations, the deletion and
// N + " inactive payees deleted.".
CleanupOutcome AskAndDeleteInactivePayees(Ledger& ledger);

}  // namespace zenkar

#endif  // ZENKAR_LEDGER_CLEANUP_DIALOGUE_H_
