// EntryRegister: the state of one entry page of the "Transactions" tab --
// "Checks and Deposits" (check/deposit lines) or "Journal Entries" (journal
// lines) -- without widgets: the line a new entry starts from, saving a line,
// the box of the latest entries and the figures on show (the bank balance,
// "Posting Total:"). The Qt page draws what this holds and passes the user's
// keystrokes and clicks back to it.
#ifndef ZENKAR_APP_RULES_TRANSACTIONS_ENTRY_REGISTER_H_
#define ZENKAR_APP_RULES_TRANSACTIONS_ENTRY_REGISTER_H_

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app_rules/transactions/entry_actions.h"
#include "app_rules/transactions/entry_line.h"
#include "app_rules/window/program.h"
#include "ledger/transaction_record.h"

namespace zenkar {

// The prompt line of the entry pages, by field.
enum class EntryField { kPayee, kReference, kDate, kAccount, kAmount };
std::string_view EntryPrompt(int32_t kind, EntryField field);

// The latest-entries box holds this many lines.
inline constexpr int kLatestEntryLines = 12;

// One line of the latest-entries box, column by column.
struct LatestEntryText {
  std::string payee;
  std::string reference;  // or "Due Date:" + the due date for an invoice
  std::string date;
  std::string account;
  std::string amount;
  std::string ytd;  // "*" when the YTD mark is set
};

// The columns of `line` as the entry lists show them.
LatestEntryText EntryTextOf(const TransactionRecord& line, const DatePatterns& patterns);

class EntryRegister {
 public:
  // `kind`: kCheckOrDeposit or kJournalLine.
  EntryRegister(Program& program, int32_t kind);

  int32_t kind() const { return kind_; }
  bool is_check_page() const { return kind_ == kCheckOrDeposit; }

  // --- Entering the page and new lines ---------------------------------------

  // Reads the latest entries again and, on the check page, reports a bank
  // account that the chart does not hold.
  void Enter();
  // The line a new entry starts from: empty payee, account and amount; the
  // next check number on the check page (an empty reference on the journal
  // page); the date of the line before, today on a fresh page, or the
  // default check date chosen with "Select Check Date" since.
  EntryLine NewLine();
  // "Select Check Date" chose a new default check date: the date the open
  // line, which shows `shown`, is to show. On the check page a line whose
  // date is still the one it started with takes the new default at once; a
  // date the user changed stays (the lines after it take the default).
  DayNumber OpenLineDate(DayNumber shown);

  // --- Saving ----------------------------------------------------------------------

  // The company's "Use Fixed Decimal Position" option, which says how the
  // typed amounts of this page and its edit dialog are read.
  bool fixed_decimal() const;

  // Appends the line (the Ledger posts it to its account and advances the
  // next check number) and remembers its date for the next line. The record
  // number, or 0 when it could not be saved (reported).
  int SaveLine(const EntryLine& line);
  // Warns, at most twice per program run, when `date` lies in an earlier
  // month or year than the latest check entry.
  void DateChanged(DayNumber date);

  // --- The latest-entries box ----------------------------------------------------

  // Oldest first: the newest goes on the bottom line.
  const std::vector<TransactionRecord>& latest() const { return latest_; }
  std::vector<LatestEntryText> LatestTexts() const;
  // The record number of the box's line `row` (0 = top), or 0.
  int RecordOfRow(int row) const;
  // Reads the latest entries backwards from the end of the file.
  void RefreshLatest();

  // Right click: void (check page) or delete the entry of `row`.
  VoidOrDeleteResult VoidOrDeleteRow(int row);
  // Left click: the stored line of `row` when the guard lets it be edited
  // (the refusal has been shown otherwise).
  std::optional<TransactionRecord> EntryToEdit(int row);
  // "Save Changes" of the edit dialog.
  EditResult SaveEdit(int record_number, const TransactionRecord& edited);

  // --- Figures ---------------------------------------------------------------------

  // "Bank Acct (" + bank account number + "):".
  std::string BankCaption() const;
  Money BankBalance() const;
  // What is still to be entered to bring the books into balance: the
  // negated out-of-balance figure ("Where Am I?" reports the figure itself).
  Money PostingTotal() const;

  // The Account field's list.
  const std::vector<AccountLine>& account_lines() const { return account_lines_; }
  void RefreshAccountLines();

 private:
  void NoteAppended(int record_number, const TransactionRecord& record);

  Program& program_;
  Ledger& ledger_;
  int32_t kind_;
  std::vector<TransactionRecord> latest_;
  std::vector<AccountLine> account_lines_;
  // The date of the last line saved on this page, and the default check
  // date in force when the page last started a line.
  std::optional<DayNumber> last_date_;
  std::optional<DayNumber> seen_default_check_date_;
  // The date the open line started with.
  DayNumber line_started_on_ = kNoDate;
};

}  // namespace zenkar

#endif  // ZENKAR_APP_RULES_TRANSACTIONS_ENTRY_REGISTER_H_
