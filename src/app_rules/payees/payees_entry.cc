#include "app_rules/payees/payees_entry.h"

#include <charconv>

#include "common/text_field.h"
#include "ledger/chart_rules.h"

namespace zenkar {
namespace {

std::string Unpadded(std::string_view stored) { return std::string(TrimRight(stored)); }

std::string AmountText(Money amount) { return amount.IsZero() ? "" : amount.ToString(); }
std::string DayText(int32_t day) { return day == 0 ? "" : std::to_string(day); }

std::string LineName(int line) { return "Auto Invoice " + std::to_string(line + 1); }

// A typed account: blank names none; otherwise it must be an entry account.
bool AccountAccepted(Ledger& ledger, std::string_view typed) {
  typed = Trim(typed);
  if (typed.empty()) return true;
  if (auto problem = EntryAccountProblem(ledger.chart(), typed)) {
    ledger.ui().Error(*problem);
    return false;
  }
  return true;
}

// Text that still reads as the stored amount keeps it exactly.
std::optional<Money> AmountOf(Ledger& ledger, std::string_view typed, Money stored, int line) {
  if (typed == AmountText(stored)) return stored;
  if (Trim(typed).empty()) return Money();
  std::optional<Money> amount = ParseTypedAmount(typed, ledger.settings().fixed_decimal != 0);
  if (!amount) ledger.ui().Error(LineName(line) + std::string(kAutoAmountNotAnAmount));
  return amount;
}

std::optional<int32_t> DayOf(Ledger& ledger, std::string_view typed, int line) {
  typed = Trim(typed);
  if (typed.empty()) return 0;
  int32_t day = 0;
  const char* end = typed.data() + typed.size();
  auto [next, error] = std::from_chars(typed.data(), end, day);
  if (error != std::errc() || next != end || day < -31 || day > 31) {
    ledger.ui().Error(LineName(line) + std::string(kAutoDayOutOfRange));
    return std::nullopt;
  }
  return day;
}

bool ReadAutoInvoice(Ledger& ledger, const AutoInvoiceEntry& typed, int line, PayeeRecord& payee) {
  if (!AccountAccepted(ledger, typed.account)) return false;
  std::optional<Money> amount = AmountOf(ledger, typed.amount, payee.auto_amounts[line], line);
  if (!amount) return false;
  std::optional<int32_t> day = DayOf(ledger, typed.day, line);
  if (!day) return false;
  payee.auto_descriptions[line] = typed.description;
  payee.auto_amounts[line] = *amount;
  payee.auto_accounts[line] = std::string(Trim(typed.account));
  payee.auto_days[line] = *day;
  return true;
}

}  // namespace

PayeeEntry PayeeEntryOf(const PayeeRecord& payee) {
  PayeeEntry entry;
  entry.name = Unpadded(payee.name);
  entry.name_2 = Unpadded(payee.name_2);
  entry.address = Unpadded(payee.address);
  entry.city_state_zip = Unpadded(payee.city_state_zip);
  entry.id_number = Unpadded(payee.id_number);
  entry.memo = Unpadded(payee.memo);
  entry.phone = Unpadded(payee.phone);
  entry.type_1099 =
      payee.type_1099 >= k1099None && payee.type_1099 <= k1099Rent ? payee.type_1099 : k1099None;
  entry.default_account = std::string(Trim(payee.default_account));
  for (int line = 0; line < kAutoInvoicesShown; ++line) {
    AutoInvoiceEntry& typed = entry.auto_invoices[line];
    typed.description = Unpadded(payee.auto_descriptions[line]);
    typed.amount = AmountText(payee.auto_amounts[line]);
    typed.account = std::string(Trim(payee.auto_accounts[line]));
    typed.day = DayText(payee.auto_days[line]);
  }
  return entry;
}

std::optional<PayeeRecord> PayeeFromEntry(Ledger& ledger, const PayeeEntry& entry,
                                          const PayeeRecord& base) {
  PayeeRecord payee = base;
  payee.name = entry.name;
  payee.name_2 = entry.name_2;
  payee.address = entry.address;
  payee.city_state_zip = entry.city_state_zip;
  payee.id_number = entry.id_number;
  payee.memo = entry.memo;
  payee.phone = entry.phone;
  payee.type_1099 = entry.type_1099;
  if (!AccountAccepted(ledger, entry.default_account)) return std::nullopt;
  payee.default_account = std::string(Trim(entry.default_account));
  for (int line = 0; line < kAutoInvoicesShown; ++line) {
    if (!ReadAutoInvoice(ledger, entry.auto_invoices[line], line, payee)) return std::nullopt;
  }
  return payee;
}

std::optional<int> AddPayeeFromEntry(Ledger& ledger, const PayeeEntry& entry) {
  PayeeRecord blank;
  ClearPayee(blank);
  std::optional<PayeeRecord> payee = PayeeFromEntry(ledger, entry, blank);
  if (!payee) return std::nullopt;
  return ledger.AddPayee(*payee);
}

bool UpdatePayeeFromEntry(Ledger& ledger, int number, const PayeeEntry& entry) {
  if (!ledger.IsValidPayee(number)) return false;
  std::optional<PayeeRecord> payee = PayeeFromEntry(ledger, entry, ledger.payees().payee(number));
  return payee && ledger.UpdatePayee(number, *payee);
}

bool DeletePayeeAfterQuestion(Ledger& ledger, int number) {
  // A deletion the books forbid is refused before the user is asked to confirm it.
  if (!ledger.PayeeMayBeDeleted(number)) return false;
  if (!ledger.ui().YesNoDefaultNo(kDeleteThisPayee)) return false;
  return ledger.DeletePayee(number);
}

}  // namespace zenkar
