// ReviewList: the "Review and Edit All Transactions" sub-page without
// widgets. It lists every line of the transaction file in the file's order
// (checks, deposits, journal lines and unpaid invoices alike), reading the
// lines on show as they are asked for and keeping the blocks read lately, so
// a list of 100,000 lines opens at once and scrolls back without reading
// the file again. Beside the list: the file's order ("By Date" / "Order
// Entered"), inserting a line after another, "Find", "Balance", the summary
// of the selected entry and "Total Unpaid:". Editing, voiding and deleting
// go through the entry pages' rules (entry_actions.h).
#ifndef ZENKAR_APP_RULES_TRANSACTIONS_REVIEW_LIST_H_
#define ZENKAR_APP_RULES_TRANSACTIONS_REVIEW_LIST_H_

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app_rules/transactions/entry_actions.h"
#include "app_rules/transactions/entry_line.h"
#include "app_rules/transactions/entry_register.h"
#include "app_rules/transactions/recurring_screen.h"  // kMustEnterAmount
#include "app_rules/window/program.h"
#include "ledger/ledger.h"
#include "ledger/transaction_order.h"

namespace zenkar {

inline constexpr std::string_view kInsertNeedsEntryOrder =
    "To insert a new transaction, change the\n'Sort Transactions' option to 'Order Entered'.";
inline constexpr std::string_view kInsertNeedsPayee =
    "Check/Deposit entries must have a valid Payee selected from the Payee list.";
inline constexpr std::string_view kFindTitle = "Find";
inline constexpr std::string_view kBalanceTitle = "Account Balance";
inline constexpr std::string_view kBalancePrompt = "Enter the account number below";

// The prompt of "Find" over `count` lines.
std::string FindPrompt(int count);

// What the list shows under itself for the selected entry.
struct EntrySummary {
  std::string caption;  // "Unpaid Invoice:", "Check 1041:", "JE 12:"; empty for none
  Money amount;
  bool red = false;  // an unpaid invoice
};

// What inserting a line came to.
struct InsertResult {
  int record_number = 0;              // the new line; 0 when nothing was inserted
  std::optional<EntryField> refused;  // the field a refusal puts the focus on
};

class ReviewList : private LedgerObserver {
 public:
  explicit ReviewList(Program& program);
  ~ReviewList() override;
  ReviewList(const ReviewList&) = delete;
  ReviewList& operator=(const ReviewList&) = delete;

  // --- The list ----------------------------------------------------------------------

  // One row per line: row 0 is record 1.
  int row_count() const { return ledger_.transaction_count(); }
  // The line of record `number` (1 to row_count()), read when it is not
  // among the blocks kept; nothing when it cannot be read (reported once
  // for its block). The pointer is good until the next call.
  const TransactionRecord* Line(int number);
  // Its columns: "Description / Payee", "Ref. / Ck Num" (an unpaid
  // invoice's due date), "Date", "Acct", "Amount", "* YTD".
  LatestEntryText RowText(int number);
  // Called after the books changed, once the list has forgotten what it
  // read: `record_number` is the line concerned (LedgerObserver).
  void set_on_changed(std::function<void(LedgerChange, int)> on_changed) {
    on_changed_ = std::move(on_changed);
  }
  // How many lines were read from the file since the list was made.
  int64_t lines_read() const { return lines_read_; }

  // --- Figures -----------------------------------------------------------------------

  // "Unpaid Invoice:" with its amount, "Check " + reference + ":" with the
  // total of the check's lines (its neighbours with the same reference and
  // payee), or "JE " + reference + ":" with the line's amount.
  EntrySummary Summary(int number);
  // "Total Unpaid:": the sum of the unpaid invoices.
  Money TotalUnpaid() const { return ledger_.summary().unpaid_total; }

  // --- The file's order ----------------------------------------------------------------

  TransactionOrder order() const { return ledger_.transaction_order(); }
  // "By Date" or "Order Entered": records the order in the settings and
  // sorts the file into it (with progress). True when the file is now kept
  // in `order`.
  bool SetOrder(TransactionOrder order);

  // --- Inserting ----------------------------------------------------------------------

  // "Insert New Transaction": in date order says how to allow it and
  // answers false.
  bool MayInsert();
  // "Save as Check/Deposit" (kCheckOrDeposit) or "Save as Journal Entry"
  // (kJournalLine): checks the amount, then a check's payee, and inserts the
  // line after line `after` (0: first).
  InsertResult Insert(int after, int32_t kind, const EntryLine& line);

  // --- Find and Balance ------------------------------------------------------------------

  // Asks for the text (offering the last one) and walks the lines holding
  // it from the last to the first. `show` selects each match in the list
  // before "Continue searching?" is asked; No ends the search there.
  void Find(const std::function<void(int number)>& show);
  const std::string& last_search() const { return last_search_; }
  // Asks for an account number and shows its balance.
  void ShowAccountBalance();

  // --- Editing -------------------------------------------------------------------------

  // A left click: the stored line when the guard lets it be edited.
  std::optional<TransactionRecord> EntryToEdit(int number);
  // A right click (`offer_void`) or "Delete".
  VoidOrDeleteResult VoidOrDeleteEntry(int number, bool offer_void);

 private:
  struct Block {
    std::vector<TransactionRecord> lines;  // empty when it could not be read
    uint64_t last_use = 0;
  };

  void OnLedgerChanged(LedgerChange change, int record_number) override;
  const Block& BlockOf(int number);
  Money CheckTotal(int number, const TransactionRecord& line);

  Program& program_;
  Ledger& ledger_;
  std::map<int, Block> blocks_;  // by block index
  uint64_t uses_ = 0;
  int64_t lines_read_ = 0;
  std::string last_search_;
  std::function<void(LedgerChange, int)> on_changed_;
};

}  // namespace zenkar

#endif  // ZENKAR_APP_RULES_TRANSACTIONS_REVIEW_LIST_H_
