// The year clean-up of the "Transactions" and "Payees" tabs without the
// window: Ctrl+Z (remove the oldest year), Ctrl+Alt+Z (delete all
// transactions), Ctrl+Alt+R (start over from the older programs' data),
// Ctrl+Alt+V (delete inactive payees) and the data test of
// the first showing of the "Transactions" tab in a run. The questions and
// messages go through the program's Ui; the pauses before the last two
// questions of Ctrl+Alt+Z through a port of the window.
#ifndef ZENKAR_APP_RULES_TRANSACTIONS_YEAR_CLEANUP_H_
#define ZENKAR_APP_RULES_TRANSACTIONS_YEAR_CLEANUP_H_

#include <string_view>

#include "app_rules/window/program.h"
#include "ledger/cleanup_dialogue.h"

namespace zenkar {

inline constexpr std::string_view kDeleteAllQuestion = "DELETE ALL data?";
inline constexpr std::string_view kDeleteAllCertain =
    "Are you CERTAIN you want to DELETE ALL transactions, zero the COA balances, and start over?";
inline constexpr std::string_view kDeleteAllLastWord =
    "Clicking Yes will delete all of the existing transactions and zero the COA balances.";
inline constexpr std::string_view kNoOlderData =
    "Starting over needs the data of the older General Ledger or Accounts Payable program "
    "(KXGL.CFG or KXAP.CFG) in this data folder. None was found, so nothing was deleted.";
inline constexpr std::string_view kOlderDataNotConverted =
    "This program cannot convert the data of the older General Ledger and Accounts Payable "
    "programs found in this data folder: starting over would only leave an empty company. "
    "Nothing was deleted.";
inline constexpr std::string_view kDataTestBeginning =
    "Beginning data test - More than 100000 entries found.";
inline constexpr std::string_view kDataTestCleaning =
    "More than 100000 entries found. Performing 'clean up' operation.\n\nRemoving oldest "
    "year's entries while keeping the account balances the same.";
inline constexpr std::string_view kDataTestPassed = "Data test completed - no problems found";

// The window's pause before a last warning: about two seconds with the
// window disabled and a wait cursor, so a quick double key press cannot
// answer the next question.
class WarningPause {
 public:
  virtual ~WarningPause() = default;
  virtual void PauseWithWindowDisabled() = 0;
};

// Ctrl+Z: the checked-out guard, then AskAndRemoveOldestYear.
CleanupOutcome RemoveOldestYearFromWindow(Program& program, const OldEntriesReport& report);

// The first showing of the "Transactions" tab in a run: above the capacity,
// the data test, which removes the oldest year by itself when the first
// year is more than three before the last. Runs once per program run.
void RunTransactionDataTest(Program& program, const OldEntriesReport& report);

// Ctrl+Alt+Z: with at least one line and the checked-out guard passed, three
// questions (each after a beep, the last two after a pause), then every line
// deleted, the chart zeroed, KXACCT.REC removed and the window rebuilt.
CleanupOutcome DeleteAllTransactionsFromWindow(Program& program, WarningPause& pause);

// Ctrl+Alt+R ("start over using data from GL/AP"): after the checked-out
// guard, refuses before any question and deletes nothing, saying why. Its
// deletion of the company's files would leave the first-time set-up an
// empty folder to fill, and that set-up converts no older data here: without
// the older programs' files (kNoOlderData) or with them (kOlderDataNotConverted)
// the books would be lost for an empty company.
CleanupOutcome StartOverFromWindow(Program& program);

// Ctrl+Alt+V: the checked-out guard, then AskAndDeleteInactivePayees.
CleanupOutcome DeleteInactivePayeesFromWindow(Program& program);

}  // namespace zenkar

#endif  // ZENKAR_APP_RULES_TRANSACTIONS_YEAR_CLEANUP_H_
