#include "ledger/auto_invoices.h"

#include <algorithm>

#include "common/text_field.h"
#include "ledger/account_record.h"
#include "ledger/ledger.h"

namespace zenkar {
namespace {

constexpr size_t kInvoiceNumberWidth = 16;
constexpr size_t kCheckReferenceWidth = 5;

std::string Trimmed(std::string_view text) { return std::string(Trim(text)); }

// What tells a slot's entry for a month apart in the books.
struct SlotKey {
  int32_t payee = 0;
  bool check = false;
  std::string account;
  std::string invoice_number;
  DayNumber day = kNoDate;  // due (invoice) or dated (check)
  friend bool operator==(const SlotKey&, const SlotKey&) = default;
};

SlotKey KeyOf(const TransactionRecord& line, bool check) {
  return {line.payee_number, check, AccountKey(line.account), Trimmed(line.invoice_number),
          check ? line.date : line.due_date};
}

// For each line, whether the books hold its slot's entry already.
std::vector<bool> InTheBooks(Ledger& ledger, const std::vector<AutoInvoiceLine>& lines) {
  std::vector<SlotKey> keys;
  for (const AutoInvoiceLine& each : lines)
    keys.push_back(KeyOf(each.line, IsCheckOrDeposit(each.line)));
  std::vector<bool> found(lines.size(), false);
  ledger.ForEachTransaction([&](const TransactionRecord& line) {
    if (!IsInvoice(line) && !IsCheckOrDeposit(line)) return;
    for (const bool check : {false, true}) {
      if (check && !IsCheckOrDeposit(line)) continue;
      const SlotKey key = KeyOf(line, check);
      for (size_t i = 0; i < keys.size(); ++i) {
        if (keys[i] == key) found[i] = true;
      }
    }
  });
  return found;
}

}  // namespace

std::string InvalidAutoInvoiceAccountMessage(std::string_view payee_name, int slot) {
  return Trimmed(payee_name) + " Auto Invoice Account " + std::to_string(slot) +
         " is not a valid COA entry account.";
}

std::string SlotPostedAlreadyMessage(std::string_view payee_name, int slot, int year, int month) {
  std::string period = std::to_string(month) + "/" + std::to_string(year);
  if (month < 10) period.insert(0, "0");
  return "Auto Invoice " + std::to_string(slot) + " of " + Trimmed(payee_name) + " for " + period +
         " is in the books already; it was not posted again.";
}

std::vector<AutoInvoiceLine> AutoInvoiceLinesFor(const PayeeList& payees,
                                                 const ChartOfAccounts& chart, int year, int month,
                                                 DayNumber today,
                                                 std::vector<std::string>* invalid) {
  std::vector<AutoInvoiceLine> lines;
  for (int number = 1; number <= payees.count(); ++number) {
    const PayeeRecord& payee = payees.payee(number);
    for (int slot = 1; slot <= kAutoInvoiceSlots; ++slot) {
      const int32_t day = payee.auto_days[slot - 1];
      const Money amount = payee.auto_amounts[slot - 1].RoundedToCents();
      if (day == 0 || amount.IsZero()) continue;
      const std::string& account = payee.auto_accounts[slot - 1];
      if (!chart.IsEntryAccount(account)) {
        invalid->push_back(InvalidAutoInvoiceAccountMessage(payee.name, slot));
        continue;
      }
      const int64_t wanted = day < 0 ? -static_cast<int64_t>(day) : day;
      const int in_month =
          static_cast<int>(std::clamp<int64_t>(wanted, 1, DaysInMonth(year, month)));
      const DayNumber date = *MakeDayNumber(year, month, in_month);
      const std::string_view description = Trim(payee.auto_descriptions[slot - 1]);
      TransactionRecord line;
      ClearTransaction(line);
      line.unprinted = 1;
      line.payee_number = number;
      line.description = payee.name;
      line.payee_name_1 = payee.name;
      line.payee_name_2 = payee.name_2;
      line.account = AccountKey(account);
      line.amount = amount;
      line.invoice_number = FitText(
          description.empty() ? "Monthly " + std::to_string(slot) : std::string(description),
          kInvoiceNumberWidth);
      if (day > 0) {
        line.kind = kInvoice;
        line.invoice_date_2 = today;
        line.due_date = date;
      } else {
        line.kind = kCheckOrDeposit;
        line.date = date;
        line.reference =
            std::string(TrimRight(line.invoice_number.substr(0, kCheckReferenceWidth)));
      }
      lines.push_back({number, slot, std::move(line)});
    }
  }
  return lines;
}

AutoInvoicePosting PostAutoInvoices(Ledger& ledger, int year, int month, RepeatedSlots repeated) {
  Ui& ui = ledger.ui();
  std::vector<std::string> invalid;
  std::vector<AutoInvoiceLine> lines = AutoInvoiceLinesFor(ledger.payees(), ledger.chart(), year,
                                                           month, ledger.clock().Today(), &invalid);
  for (const std::string& message : invalid) ui.Error(message);
  if (repeated == RepeatedSlots::kRefuse && !lines.empty()) {
    const std::vector<bool> posted = InTheBooks(ledger, lines);
    std::vector<AutoInvoiceLine> kept;
    for (size_t i = 0; i < lines.size(); ++i) {
      if (!posted[i]) {
        kept.push_back(std::move(lines[i]));
      } else {
        ui.Information(SlotPostedAlreadyMessage(ledger.payees().payee(lines[i].payee).name,
                                                lines[i].slot, year, month));
      }
    }
    lines = std::move(kept);
  }
  AutoInvoicePosting posting;
  if (lines.empty()) {
    ui.Error(kNoAutoInvoicesPosted);
    return posting;
  }
  LinesChange change;
  for (const AutoInvoiceLine& each : lines) change.appended.push_back(each.line);
  if (!ledger.ChangeLinesWithFiles(change)) return posting;
  posting.posted = true;
  posting.first_record = ledger.transaction_count() - static_cast<int>(lines.size()) + 1;
  for (const AutoInvoiceLine& each : lines) {
    if (IsInvoice(each.line)) {
      ++posting.invoices;
      posting.invoice_total += each.line.amount;
    } else {
      ++posting.checks;
      posting.check_total += each.line.amount;
    }
  }
  return posting;
}

}  // namespace zenkar
