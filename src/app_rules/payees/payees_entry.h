// The Payees page's rules that are not the ledger's: turning what was typed
// into a payee record (the accounts named are checked with the chart's
// messages, amounts and days read), and deleting with a question first. The
// payee rules themselves (names required and unique, renaming into the
// entries, what blocks a deletion) are the Ledger's.
#ifndef ZENKAR_APP_RULES_PAYEES_PAYEES_ENTRY_H_
#define ZENKAR_APP_RULES_PAYEES_PAYEES_ENTRY_H_

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "ledger/ledger.h"
#include "ledger/payee_record.h"

namespace zenkar {

// The page shows the first two automatic-invoice lines.
inline constexpr int kAutoInvoicesShown = 2;

inline constexpr std::string_view kPayeeSearchHint =
    "Searches name, address, phone, and memo fields.";
inline constexpr std::string_view kDeleteThisPayee = "Delete this Payee?";
inline constexpr std::string_view kAutoAmountNotAnAmount =
    " Amt must be an amount, for example 125.00.";
inline constexpr std::string_view kAutoDayOutOfRange =
    " Date must be a day of the month from 1 to 31 (an invoice due that day), or -1 to -31 (a "
    "check dated that day), or 0 for none.";

// One "Auto Invoice" line as typed.
struct AutoInvoiceEntry {
  std::string description;  // "Desc"
  std::string amount;       // "Amt"
  std::string account;      // "Acct"
  std::string day;          // "Date"

  friend bool operator==(const AutoInvoiceEntry&, const AutoInvoiceEntry&) = default;
};

// The page's fields as typed (Windows-1252).
struct PayeeEntry {
  std::string name;  // "Name 1"
  std::string name_2;
  std::string address;
  std::string city_state_zip;
  std::string id_number;
  std::string memo;
  std::string phone;
  int type_1099 = k1099None;
  std::string default_account;
  std::array<AutoInvoiceEntry, kAutoInvoicesShown> auto_invoices;

  friend bool operator==(const PayeeEntry&, const PayeeEntry&) = default;
};

PayeeEntry PayeeEntryOf(const PayeeRecord& payee);

// `base` (the payee as stored, or a blank one) with the typed fields written
// in; the fields the page does not show keep their values. Nothing when an
// account named is not an entry account of the chart (" is not a valid
// account." / " is not a valid COA entry account."), or an amount or a day
// cannot be read; the reason has been shown.
std::optional<PayeeRecord> PayeeFromEntry(Ledger& ledger, const PayeeEntry& entry,
                                          const PayeeRecord& base);

// Adds the typed payee; its number, or nothing when refused (shown).
std::optional<int> AddPayeeFromEntry(Ledger& ledger, const PayeeEntry& entry);
// Saves the typed fields into payee `number`; a new name renames it in its
// entries too. False when refused (shown).
bool UpdatePayeeFromEntry(Ledger& ledger, int number, const PayeeEntry& entry);
// Deletes payee `number` after asking "Delete this Payee?" (No preselected).
// A payee that may not be deleted (a line of it unpaid or unprinted) is
// refused with "Cannot delete this Payee..." before anything is asked. False
// when not deleted.
bool DeletePayeeAfterQuestion(Ledger& ledger, int number);

}  // namespace zenkar

#endif  // ZENKAR_APP_RULES_PAYEES_PAYEES_ENTRY_H_
