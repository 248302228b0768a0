// The quick check of the "Checks and Deposits" register: "Create and Print
// a New Check (Quick Check)" makes one check entry and prints it at once.
//
// The dialog's "Save and Print" runs in two steps. With the dialog still
// open, AcceptQuickCheck makes the checks (a payee chosen or named, an amount
// above zero, a check number that is a number no other check carries, an
// entry account) and creates a new payee; a refusal keeps the dialog open
// with the focus on the field. Once it has closed, PrintQuickCheck appends
// the entry and prints it as a one-check run with the check's own number (no
// prompt); when the print is cancelled or fails, or the user says the check
// did not print, the entry is deleted again, so no unprinted quick check
// stays in the books. kxbatch's quick-check does the same.
#ifndef ZENKAR_OUTPUT_QUICK_CHECK_H_
#define ZENKAR_OUTPUT_QUICK_CHECK_H_

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/day_number.h"
#include "common/money.h"
#include "ledger/ledger.h"
#include "output/check_run.h"

namespace zenkar {

inline constexpr std::string_view kQuickCheckTitle = "Create and Print a New Check (Quick Check)";
inline constexpr std::string_view kNewPayeeLine = "* New Payee *";
inline constexpr std::string_view kMustSelectPayee = "Must select/create payee";
inline constexpr std::string_view kAmountAboveZero = "Check amount must be greater than zero";
inline constexpr std::string_view kNumberNotBlank = "Check number cannot be blank";
// A check is bound as every amount typed into the register is.
inline constexpr std::string_view kAmountTooLarge = "Check amount must be less than 100,000,000.00";
inline constexpr std::string_view kSelectCheckAccount =
    "Select the account this check is charged to.";

// The dialog's fields (Windows-1252 texts).
struct QuickCheck {
  int payee = 0;  // the listed payee chosen; 0 for "* New Payee *"
  std::string name_line_1;
  std::string name_line_2;
  std::string address;
  std::string city_state_zip;
  std::string phone;
  std::string memo;
  std::string invoice_number;
  std::string account;  // the account number of the chosen chart line
  std::string number;   // "Check Number"
  DayNumber date = kNoDate;
  Money amount;
};

enum class QuickCheckField { kPayee, kName, kAccount, kNumber, kAmount };

// The fields of a new quick check: no payee, the next check number, `date`.
QuickCheck NewQuickCheck(const Ledger& ledger, DayNumber date);
// `check` with listed payee `payee` chosen: its name, address, phone and
// memo filled in from the payee.
QuickCheck WithPayee(const Ledger& ledger, QuickCheck check, int payee);

// The payees "Select Payee" lists after "* New Payee *": every payee with a
// name, in list order.
std::vector<int> QuickCheckPayees(const Ledger& ledger);

// The refusal of check `number` (shown by the caller): not a number of 1 to
// 999999, or one that a check of the books carries already.
std::optional<std::string> CheckNumberProblem(Ledger& ledger, std::string_view number);

// The checks of "Save and Print" in their order (an amount below
// 100,000,000.00 and an entry account besides), then a new payee created
// (its number put into `check`). On a refusal, which has been shown, the
// field to put the focus in.
std::optional<QuickCheckField> AcceptQuickCheck(Ledger& ledger, QuickCheck& check);

// The entry of an accepted quick check as it is appended: a check of the
// payee with the check number, the invoice number, the account, the amount,
// the memo, and the check date as entry and invoice date.
TransactionRecord QuickCheckRecord(const Ledger& ledger, const QuickCheck& check);

// Appends the entry and prints it (see above). True when the check printed
// and its entry stays.
bool PrintQuickCheck(Ledger& ledger, PrintJob& job, const QuickCheck& check);

}  // namespace zenkar

#endif  // ZENKAR_OUTPUT_QUICK_CHECK_H_
