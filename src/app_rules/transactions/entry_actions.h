// What the entry pages do to lines already in the books, without widgets:
// the checked-out guard before any change to an existing entry, voiding or
// deleting an entry, saving an edited entry, and the back-dating warning
// shown when a date goes back before the latest check entry or an edit moves
// a date into another month. Every change goes through the Ledger, which
// keeps the posted totals right.
#ifndef ZENKAR_APP_RULES_TRANSACTIONS_ENTRY_ACTIONS_H_
#define ZENKAR_APP_RULES_TRANSACTIONS_ENTRY_ACTIONS_H_

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/date_patterns.h"
#include "common/day_number.h"
#include "common/ui.h"
#include "ledger/ledger.h"
#include "ledger/transaction_record.h"
#include "services/exchange/accountant_exchange.h"

namespace zenkar {

// --- Checked-out guard ---------------------------------------------------------

inline constexpr std::string_view kEntryCheckedOutMessage =
    "Cannot perform this function.\n\nThis entry is marked as being 'checked out' to your "
    "accountant";
inline constexpr std::string_view kClientEntryMessage =
    "You cannot edit the client's entries.\n\nYou can only make new entries. To fix an incorrect "
    "client entry, make a reversing transaction, then reenter the transaction correctly.";

// The refusal for editing, voiding or deleting `line`, if any: a line marked
// as checked out, a client's line in the accountant's copy, or any line while
// the data is checked out (DataCheckedOut of the accountant exchange: its
// export marks every line, and checking in or importing the accountant's
// entries clears the marks).
std::optional<std::string_view> CheckedOutRefusal(Ledger& ledger, const TransactionRecord& line);

// Shows the refusal for `line`; true when the line may be changed.
bool PassesCheckedOutGuard(Ledger& ledger, const TransactionRecord& line);

// --- Void or delete -------------------------------------------------------------

enum class VoidOrDeleteResult { kNothing, kVoided, kDeleted };

// Right click on an entry, or "Delete": after the guard, a check/deposit
// entry is offered voiding when `offer_void` ("Void check " + reference,
// Yes preselected), which turns it back into an unpaid invoice; otherwise,
// or when the user declines, "Delete this transaction?" (No preselected)
// removes the line. `record_number` is the line's number in the file.
VoidOrDeleteResult VoidOrDelete(Ledger& ledger, const DatePatterns& patterns, int record_number,
                                bool offer_void);

// The texts of the two questions (captions by kind).
std::string VoidQuestion(const TransactionRecord& line);
std::string VoidCaption(const TransactionRecord& line);
std::string DeleteQuestion(const TransactionRecord& line, const DatePatterns& patterns);
std::string DeleteCaption(const TransactionRecord& line);

// --- Back-dating warning ------------------------------------------------------

// Reports include transactions by date, so a line dated into an earlier
// month than the latest check entry may change reports already printed.
// "The selected date:" + new date + "has an older year/month than the last
// check entry:" + that date + the reprint advice naming the earlier date.
std::string BackDatingText(DayNumber selected, DayNumber last_entry, bool year,
                           const DatePatterns& patterns);

// "year" when `selected` lies in an earlier year than `reference`, "month"
// when in an earlier month of the same year; nothing otherwise.
std::optional<bool> BackDatedByYear(DayNumber selected, DayNumber reference);

// The register's warning, shown at most twice per program run: Program holds
// the one allowance every entry page shares.
class BackDatingWarnings {
 public:
  static constexpr int kMostPerRun = 2;

  // Warns when `selected` is back-dated against the latest check entry
  // (`last_check_date`, kNoDate when there is none) and the warning has not
  // yet been shown twice. True when it was shown.
  bool WarnIfBackDated(Ui& ui, const DatePatterns& patterns, DayNumber selected,
                       DayNumber last_check_date);
  int shown() const { return shown_; }

 private:
  int shown_ = 0;
};

// The newest `count` lines of `kind`, oldest first, with their record
// numbers. Usually they lie near the end of the file and are read backwards
// line by line; when they are rarer than that, one pass over the whole file
// in large blocks finds them faster than reading on backwards.
std::vector<TransactionRecord> LatestLinesOfKind(Ledger& ledger, int32_t kind, int count);

// The date of the newest check/deposit entry; kNoDate when there is none.
DayNumber LatestCheckEntryDate(Ledger& ledger);

// --- Editing an entry -----------------------------------------------------------

enum class EditResult { kUnchanged, kSaved, kFailed };

// "Save Changes" of the edit dialogs: nothing is written when `edited`
// equals the stored line. A date moved into another year, or another month
// of the same year, shows the back-dating warning with the reprint advice.
// The line is then rewritten in place; the Ledger takes the old amount out
// of the posted totals and puts the new one in.
EditResult SaveEditedEntry(Ledger& ledger, const DatePatterns& patterns, int record_number,
                           const TransactionRecord& edited);

}  // namespace zenkar

#endif  // ZENKAR_APP_RULES_TRANSACTIONS_ENTRY_ACTIONS_H_
