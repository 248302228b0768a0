// ReconciliationSession: the "Bank Reconciliation" tab without widgets.
//
// Each time the page comes to the front the items are built from the books
// again, the checks posted to the bank account are named, and the marks of
// KXACCT.REC restored. The first list holds the items dated within the
// statement period, "Outstanding Entries" every item marked outstanding,
// whatever its date. Every change of a mark, of the statement's ending
// balance or of an adjustment recomputes the figures; each mark change (and
// each value once its field is left) is saved at once, marks and values as
// one change. Another program's marks saved meanwhile are kept.
#ifndef ZENKAR_APP_RULES_RECONCILIATION_RECONCILIATION_SESSION_H_
#define ZENKAR_APP_RULES_RECONCILIATION_RECONCILIATION_SESSION_H_

#include <string>
#include <string_view>
#include <vector>

#include "app_rules/window/program.h"
#include "ledger/reconciliation.h"

namespace zenkar {

inline constexpr std::string_view kClearAllOutstanding = "Clear all outstanding entries?";

// One row of either list, column by column: "Payee/Desc", "Ck/Ref",
// "Ck Date", "Amount".
struct ReconciliationRowText {
  std::string payee;
  std::string reference;
  std::string date;
  std::string amount;
};

class ReconciliationSession {
 public:
  explicit ReconciliationSession(Program& program);

  // Shows the page: builds the items, names checks posted to the bank
  // account, restores the marks and computes. False (the page stays empty)
  // when the bank account of the setup is not an entry account, or the books
  // cannot be read; both are reported.
  bool Show();
  bool shown() const { return shown_; }

  // --- The statement period ----------------------------------------------

  DayNumber starting_date() const { return starting_date_; }
  DayNumber ending_date() const { return ending_date_; }
  // Until a starting date is chosen it follows the ending date
  // (DefaultStatementStart).
  void SetEndingDate(DayNumber day);
  // A starting date after the ending date becomes the ending date.
  void SetStartingDate(DayNumber day);

  // --- The lists ------------------------------------------------------------

  const std::vector<ReconciliationItem>& items() const { return books_.items; }
  // The items of the first list and of "Outstanding Entries", by index.
  const std::vector<int>& period_items() const { return period_items_; }
  const std::vector<int>& outstanding_items() const { return outstanding_items_; }
  ReconciliationRowText RowText(int item) const;

  // Ticks or unticks item `item` and saves. False when it could not be
  // saved (reported); the mark stays as chosen and the next save writes it.
  bool SetOutstanding(int item, bool outstanding);
  // "Reset": asks "Clear all outstanding entries?" (No preselected), then
  // clears every mark and saves.
  bool Reset();

  // --- The statement's values and the figures ------------------------------

  const StatementValues& values() const { return values_; }
  // Typed amounts are read as the entry pages read them (the "Use Fixed
  // Decimal Position" option); a text that is no amount counts as zero.
  void SetEndingBalance(std::string_view typed);
  void SetAdjustmentAmount(int index, std::string_view typed);
  void SetAdjustmentDescription(int index, std::string_view text);
  // Saves the values (a field was left).
  bool SaveValues();

  const ReconciliationFigures& figures() const { return figures_; }
  // "Bank Balance Through " + the ending date.
  std::string BookBalanceCaption() const;
  // A date of the lists and captions: the numeric pattern with two-digit years.
  std::string DateText(DayNumber day) const;

 private:
  void Recompute();
  void FillPeriodItems();
  void FillOutstandingItems();
  bool Save();

  Program& program_;
  Ledger& ledger_;
  bool shown_ = false;
  ReconciliationBooks books_;
  std::vector<int> period_items_;
  std::vector<int> outstanding_items_;
  DayNumber ending_date_;
  DayNumber starting_date_;
  bool starting_date_chosen_ = false;
  StatementValues values_;
  ReconciliationFigures figures_;
  // The marks as last read or saved here.
  std::vector<ReconciliationItem> saved_marks_;
};

}  // namespace zenkar

#endif  // ZENKAR_APP_RULES_RECONCILIATION_RECONCILIATION_SESSION_H_
