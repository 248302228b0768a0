// The bank reconciliation without a screen: the items built from the books,
// the statement period, the book balance through the statement's ending date,
// the outstanding marks kept in KXACCT.REC, and the figures that compare the
// statement with the books.
//
// The statement's values (its ending balance and five adjustments) are kept
// in the company settings; the marks in KXACCT.REC. The Bank Reconciliation
// tab and the "Bank-Rec" report both work from what is built here.
#ifndef ZENKAR_LEDGER_RECONCILIATION_H_
#define ZENKAR_LEDGER_RECONCILIATION_H_

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "common/day_number.h"
#include "common/money.h"
#include "ledger/reconciliation_item.h"
#include "ledger/transaction_record.h"

namespace zenkar {

class Ledger;
struct CompanySettings;

inline constexpr std::string_view kSelectValidBankAccount =
    "Select a valid bank account on the Setup screen.";
inline constexpr int kStatementAdjustments = 5;

// The bank movements of the books.
struct ReconciliationBooks {
  // One item per bank movement, in match-key order: every check or deposit
  // and every journal line to the bank account, lines with the same
  // reference and date merged into one (a split check), none of amount zero.
  std::vector<ReconciliationItem> items;
  // The checks posted to the bank account itself: their references.
  std::vector<std::string> misposted_checks;
  Money bank_balance_forward;
  // What each line did to the bank account, by date (rounded to cents;
  // lines that do not move it are left out), with running sums.
  std::vector<std::pair<DayNumber, Money>> bank_moves;

  // The bank account's balance in the books at the end of `day`.
  Money BalanceThrough(DayNumber day) const;
};

// Builds the items of the books line by line (the order of the file), then
// sorted, merged and cleaned by Finish.
class ReconciliationItemBuilder {
 public:
  explicit ReconciliationItemBuilder(std::string_view bank_account);
  void Add(const TransactionRecord& line);
  ReconciliationBooks Finish(Money bank_balance_forward);

 private:
  std::string bank_account_;
  ReconciliationBooks books_;
};

// Reads the books' bank movements. False when the bank account of the
// settings is not an entry account of the chart ("Select a valid bank
// account on the Setup screen.") or the transaction file cannot be read;
// both have been reported.
bool ReadReconciliationBooks(const Ledger& ledger, ReconciliationBooks* books);

// "The following check(s):" + the references, one a line, + "may have been
// posted to the bank account by mistake."
std::string MispostedChecksMessage(const std::vector<std::string>& references);

// The start of the statement period a statement ending on `ending` is taken
// to cover when none was chosen: the first of the ending date's month when
// its day is the 20th or later, otherwise the first of the month before.
DayNumber DefaultStatementStart(DayNumber ending);

// The indexes of the items dated from `first` to `last`, inclusive.
std::vector<int> ItemsDatedWithin(const std::vector<ReconciliationItem>& items, DayNumber first,
                                  DayNumber last);

// Sets the outstanding flag of every item a saved mark names (MarkIdentity),
// clearing all others.
void RestoreOutstandingMarks(std::vector<ReconciliationItem>& items,
                             const std::vector<ReconciliationItem>& saved);
// The outstanding items, in list order, each with its place in the list:
// what KXACCT.REC is to hold.
std::vector<ReconciliationItem> OutstandingItems(const std::vector<ReconciliationItem>& items);

// The statement's values kept in the settings.
struct StatementValues {
  Money ending_balance;  // "Bank Statement Ending Balance"
  std::array<std::string, kStatementAdjustments> descriptions;
  std::array<Money, kStatementAdjustments> amounts;  // "Plus Adjustments to Balance"
  friend bool operator==(const StatementValues&, const StatementValues&) = default;
};
StatementValues StatementValuesOf(const CompanySettings& settings);
void PutStatementValues(const StatementValues& values, CompanySettings& settings);

struct ReconciliationFigures {
  Money statement_balance;   // the ending balance, rounded to cents
  Money adjustments;         // the five adjustments, each rounded to cents
  Money outstanding;         // "Less Outstanding Items"
  Money per_reconciliation;  // "Balance Per Reconciliation"
  Money book_balance;        // "Bank Balance Through " + the ending date
  Money difference;          // per reconciliation less the book balance
  bool balanced() const { return difference.IsZero(); }
};
ReconciliationFigures ComputeReconciliation(const std::vector<ReconciliationItem>& items,
                                            const StatementValues& values, Money book_balance);

// "Bank Account is Balanced", or "Out of Balance by".
std::string_view ResultCaption(const ReconciliationFigures& figures);

}  // namespace zenkar

#endif  // ZENKAR_LEDGER_RECONCILIATION_H_
