// The one-line entry form of the "Checks and Deposits" and "Journal Entries"
// pages, without widgets: what each field accepts, what the "+" and "-" keys
// do, how the Account field searches its list, and the line record a saved
// line becomes. The edit dialogs use the same rules for their fields.
#ifndef ZENKAR_APP_RULES_TRANSACTIONS_ENTRY_LINE_H_
#define ZENKAR_APP_RULES_TRANSACTIONS_ENTRY_LINE_H_

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/day_number.h"
#include "common/money.h"
#include "ledger/chart_of_accounts.h"
#include "ledger/payee_list.h"
#include "ledger/transaction_record.h"

namespace zenkar {

// Field widths of a line as the record stores them.
inline constexpr size_t kEntryPayeeWidth = 40;
inline constexpr size_t kEntryReferenceWidth = 8;

// What the five fields of a line hold (Windows-1252 text).
struct EntryLine {
  std::string payee;      // Payee, or Description / Payee on the journal page
  std::string reference;  // Ref./Check Number
  DayNumber date = kNoDate;
  std::string account;  // the account number chosen from the list
  std::string amount;   // as typed
  bool ytd = false;     // "* YTD" (journal lines)
  friend bool operator==(const EntryLine&, const EntryLine&) = default;
};

// --- Amount ---------------------------------------------------------------

// Amounts must stay below this in magnitude (100,000,000).
inline constexpr int64_t kAmountLimitUnits = 100000000;

// Every amount rule below reads digits typed without a decimal point under
// the company's "Use Fixed Decimal Position" option (`fixed_decimal`): as
// cents when it is on ("12345" is 123.45), as whole units when it is off.

// True when `text` may stand in the Amount field: digits with an optional
// leading minus sign and an optional decimal point followed by at most two
// digits, below 100,000,000 in magnitude. Partial texts such as "", "-" and
// "12." are allowed, as they occur while typing.
bool IsAmountText(std::string_view text, bool fixed_decimal);

// Pasted text is taken only when it is such an amount (surrounding spaces
// aside) and at least one digit; it is then written with two decimals.
std::optional<std::string> PastedAmount(std::string_view text, bool fixed_decimal);

// The field's amount (zero for "", "-" or "."), rounded to cents.
Money AmountOf(std::string_view text, bool fixed_decimal);

// The amount written with two decimals; `negate` changes its sign ("-"
// typed into a non-empty field). Zero is never written "-0.00".
std::string AmountWithTwoDecimals(std::string_view text, bool negate, bool fixed_decimal);

// --- Reference --------------------------------------------------------------

// "+" in the Ref./Check Number field: a reference of digits becomes that
// number plus 1 written with leading zeros to the width of the old text
// ("00998" gives "00999", "7" gives "8"). Nothing for any other text, and
// nothing when the result would not fit the 8-character field.
std::optional<std::string> IncrementedReference(std::string_view reference);

// --- Account list -------------------------------------------------------------

// One line of the Account field's list: "110  Checking Account".
struct AccountLine {
  std::string number;  // the 4-character account number
  std::string text;    // the line as listed, starting with the number
};

// The chart's posting (entry) accounts in chart order.
std::vector<AccountLine> PostingAccountLines(const ChartOfAccounts& chart);

// The typed search of one visit of the Account field. A digit as the first
// character searches by account number, a letter by description; each
// keystroke selects the first line that starts with the text typed so far
// (descriptions ignoring case). A keystroke that matches nothing is refused.
class AccountSearch {
 public:
  explicit AccountSearch(const std::vector<AccountLine>* lines) : lines_(lines) {}

  // A new visit: nothing typed.
  void Restart() { typed_.clear(); }
  // Adds `c` to the search; the line it selects, or nothing (refused, the
  // search is unchanged).
  std::optional<int> Type(char c);
  // Removes the last typed character; the line the shorter text selects
  // (nothing when the text is now empty).
  std::optional<int> Backspace();
  const std::string& typed() const { return typed_; }

 private:
  std::optional<int> Find(std::string_view text) const;

  const std::vector<AccountLine>* lines_;
  std::string typed_;
};

// The line of `lines` whose account is `number`, if any.
std::optional<int> AccountLineOf(const std::vector<AccountLine>& lines, std::string_view number);

// The account the Account field offers once the payee `payee_text` is
// chosen: the payee's "Default Account", when the text names a listed payee
// whose default account is one of `lines`; nothing otherwise.
std::optional<std::string> OfferedAccount(const PayeeList& payees,
                                          const std::vector<AccountLine>& lines,
                                          std::string_view payee_text);

// --- The line record ------------------------------------------------------------

// The payee number a line's payee text stands for: the payee whose name it
// is, or 0 when it names no listed payee (free text, or blank).
int32_t PayeeNumberOf(const PayeeList& payees, std::string_view text);

// A new line of `kind` (kCheckOrDeposit or kJournalLine) from the fields: a
// cleared record with the kind, the payee text and number, the reference,
// the account, the date, the amount rounded to cents and, for journal lines,
// the YTD mark.
TransactionRecord BuildEntryRecord(int32_t kind, const EntryLine& line, const PayeeList& payees,
                                   bool fixed_decimal);

// `stored` with the fields of `line` put in (the edit dialogs): every field
// the line does not show keeps its stored value.
TransactionRecord ApplyEntryLine(const TransactionRecord& stored, const EntryLine& line,
                                 const PayeeList& payees, bool fixed_decimal);

// The fields of a stored line.
EntryLine EntryLineOf(const TransactionRecord& record);

}  // namespace zenkar

#endif  // ZENKAR_APP_RULES_TRANSACTIONS_ENTRY_LINE_H_
