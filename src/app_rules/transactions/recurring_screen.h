// RecurringEntriesScreen: the "Add, Edit, and Review Recurring Transactions"
// window (F6) and the posting of a month (F7) without widgets.
//
// The window lists the templates of KXACCT.RJE in the order they post and
// edits one at a time: a check or deposit names a payee, a journal entry its
// reversing account. Saving applies the editor's rules ("Check and Deposit
// Entries must have a valid payee", "Journal Entries must have a
// description") and then the template's own faults, so no template the
// posting would refuse is saved. A template keeps the bytes the editor does
// not show as they were read; a new one starts with them zero.
#ifndef ZENKAR_APP_RULES_TRANSACTIONS_RECURRING_SCREEN_H_
#define ZENKAR_APP_RULES_TRANSACTIONS_RECURRING_SCREEN_H_

#include <string>
#include <string_view>
#include <vector>

#include "app_rules/window/program.h"
#include "ledger/recurring_entry_record.h"

namespace zenkar {

inline constexpr std::string_view kRecurringWindowTitle =
    "Add, Edit, and Review Recurring Transactions";
inline constexpr std::string_view kCheckNeedsPayee =
    "Check and Deposit Entries must have a valid payee";
inline constexpr std::string_view kJournalNeedsDescription =
    "Journal Entries must have a description";
inline constexpr std::string_view kEnterPostingDay =
    "Enter the day of the month the entry is to be posted on (1 to 31).";
inline constexpr std::string_view kMustEnterAmount = "Must enter an amount.";
inline constexpr std::string_view kDeleteRecurringEntry = "Delete this recurring entry?";

// What the editor's fields hold (Windows-1252 text).
struct RecurringFields {
  bool journal = false;           // "Journal Entry"; otherwise "Check/Deposit"
  std::string payee;              // a payee's name from the list, or ""
  std::string description;        // "Description / Payee"
  std::string reference;          // "Ref. / Ck Num"
  std::string day = "1";          // "Day of Month"
  std::string account;            // "Acct"
  std::string reversing_account;  // "Reversing Acct" (journal entries)
  std::string amount;             // as typed
  friend bool operator==(const RecurringFields&, const RecurringFields&) = default;
};

// One line of the list, column by column.
struct RecurringRowText {
  std::string kind;  // "Check/Deposit", "Journal Entry"
  std::string payee_or_description;
  std::string reference;
  std::string day;
  std::string account;
  std::string reversing_account;
  std::string amount;
};

class RecurringEntriesScreen {
 public:
  explicit RecurringEntriesScreen(Program& program);

  // Reads the templates again; false when the file cannot be read (shown).
  bool Refresh();
  const std::vector<RecurringEntryRecord>& entries() const { return entries_; }
  std::vector<RecurringRowText> Rows() const;

  // The fields of template `row` (0 = the first), and of a new template.
  RecurringFields FieldsOf(int row) const;
  static RecurringFields NewFields() { return RecurringFields(); }

  // Saves `fields` as template `row`, or as a new last template for row -1.
  // False when refused (the reason shown) or not written.
  bool Save(int row, const RecurringFields& fields);
  // Asks "Delete this recurring entry?" (No preselected), then deletes.
  bool Delete(int row);

  // F7 before the month is asked: the templates are there ("Nothing to
  // post, no recurring entries found." otherwise) and without faults (each
  // shown otherwise).
  bool ReadyToPost();
  // Posts the templates for `month` of `year` (Ledger::PostRecurringEntries)
  // and reads them again.
  RecurringPosting Post(int year, int month);

 private:
  bool TemplateOf(const RecurringFields& fields, const RecurringEntryRecord& base,
                  RecurringEntryRecord* entry);

  Program& program_;
  Ledger& ledger_;
  std::vector<RecurringEntryRecord> entries_;
};

}  // namespace zenkar

#endif  // ZENKAR_APP_RULES_TRANSACTIONS_RECURRING_SCREEN_H_
