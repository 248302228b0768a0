#include "app_rules/transactions/recurring_screen.h"

#include <charconv>

#include "app_rules/transactions/entry_line.h"
#include "common/text_field.h"
#include "ledger/recurring_entries.h"

namespace zenkar {
namespace {

constexpr size_t kDescriptionWidth = 40;
constexpr size_t kReferenceWidth = 8;

std::optional<int32_t> DayOf(std::string_view text) {
  const std::string_view digits = Trim(text);
  int32_t day = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), day);
  if (error != std::errc() || end != digits.data() + digits.size() || day < 1 || day > 31) {
    return std::nullopt;
  }
  return day;
}

std::string_view KindText(int32_t kind) {
  if (kind == kCheckOrDeposit) return "Check/Deposit";
  if (kind == kJournalLine) return "Journal Entry";
  return "(other)";
}

}  // namespace

RecurringEntriesScreen::RecurringEntriesScreen(Program& program)
    : program_(program), ledger_(program.ledger()) {}

bool RecurringEntriesScreen::Refresh() {
  entries_.clear();
  return ledger_.ReadRecurringEntries(&entries_);
}

std::vector<RecurringRowText> RecurringEntriesScreen::Rows() const {
  std::vector<RecurringRowText> rows;
  for (const RecurringEntryRecord& entry : entries_) {
    RecurringRowText row;
    row.kind = std::string(KindText(entry.kind));
    row.payee_or_description = std::string(Trim(entry.description));
    if (row.payee_or_description.empty()) row.payee_or_description = Trim(entry.payee_name_1);
    row.reference = std::string(Trim(entry.reference));
    row.day = std::to_string(entry.day);
    row.account = std::string(Trim(entry.account));
    if (entry.kind == kJournalLine) row.reversing_account = Trim(entry.reversing_account);
    row.amount = entry.amount.ToString();
    rows.push_back(std::move(row));
  }
  return rows;
}

RecurringFields RecurringEntriesScreen::FieldsOf(int row) const {
  const RecurringEntryRecord& entry = entries_.at(row);
  RecurringFields fields;
  fields.journal = entry.kind == kJournalLine;
  if (ledger_.IsValidPayee(entry.payee_number)) {
    fields.payee = TrimRight(ledger_.payees().payee(entry.payee_number).name);
  }
  fields.description = TrimRight(entry.description);
  fields.reference = Trim(entry.reference);
  fields.day = std::to_string(entry.day);
  fields.account = Trim(entry.account);
  if (fields.journal) fields.reversing_account = Trim(entry.reversing_account);
  fields.amount = entry.amount.ToString();
  return fields;
}

// The template the fields make of `base` (the template as read, or a new
// one), after the editor's rules and the template's own faults.
bool RecurringEntriesScreen::TemplateOf(const RecurringFields& fields,
                                        const RecurringEntryRecord& base,
                                        RecurringEntryRecord* entry) {
  Ui& ui = program_.ui();
  const int payee = Trim(fields.payee).empty() ? 0 : ledger_.FindPayeeByName(fields.payee);
  if (!fields.journal && payee == 0) {
    ui.Error(kCheckNeedsPayee);
    return false;
  }
  if (fields.journal && Trim(fields.description).empty()) {
    ui.Error(kJournalNeedsDescription);
    return false;
  }
  const std::optional<int32_t> day = DayOf(fields.day);
  if (!day) {
    ui.Error(kEnterPostingDay);
    return false;
  }
  const bool fixed_decimal = ledger_.settings().fixed_decimal != 0;
  if (!PastedAmount(fields.amount, fixed_decimal)) {
    ui.Error(kMustEnterAmount);
    return false;
  }
  *entry = base;
  entry->kind = fields.journal ? kJournalLine : kCheckOrDeposit;
  entry->payee_number = payee;
  entry->payee_name_1 = payee == 0 ? "" : ledger_.payees().payee(payee).name;
  entry->payee_name_2 = payee == 0 ? "" : ledger_.payees().payee(payee).name_2;
  entry->description = FitText(fields.description, kDescriptionWidth);
  entry->reference = FitText(Trim(fields.reference), kReferenceWidth);
  entry->day = *day;
  entry->account = AccountKey(Trim(fields.account));
  entry->reversing_account = fields.journal ? AccountKey(Trim(fields.reversing_account)) : "";
  entry->amount = AmountOf(Trim(fields.amount), fixed_decimal);
  const std::vector<std::string> faults =
      RecurringEntryFaults(*entry, ledger_.chart(), ledger_.payees(), ledger_.settings());
  for (const std::string& fault : faults) ui.Error(fault);
  return faults.empty();
}

bool RecurringEntriesScreen::Save(int row, const RecurringFields& fields) {
  const bool adding = row < 0 || row >= static_cast<int>(entries_.size());
  const RecurringEntryRecord base = adding ? RecurringEntryRecord() : entries_[row];
  RecurringEntryRecord entry;
  if (!TemplateOf(fields, base, &entry)) return false;
  const bool saved = adding ? ledger_.AddRecurringEntry(entry)
                            : ledger_.ReplaceRecurringEntry(row + 1, base, entry);
  Refresh();
  return saved;
}

bool RecurringEntriesScreen::Delete(int row) {
  if (row < 0 || row >= static_cast<int>(entries_.size())) return false;
  if (!program_.ui().YesNoDefaultNo(kDeleteRecurringEntry)) return false;
  const bool deleted = ledger_.DeleteRecurringEntry(row + 1, entries_[row]);
  Refresh();
  return deleted;
}

bool RecurringEntriesScreen::ReadyToPost() {
  if (!Refresh()) return false;
  if (entries_.empty()) {
    program_.ui().Information(kNothingToPost);
    return false;
  }
  return ValidateRecurringEntries(entries_, ledger_.chart(), ledger_.payees(), ledger_.settings(),
                                  program_.ui()) == 0;
}

RecurringPosting RecurringEntriesScreen::Post(int year, int month) {
  const RecurringPosting posted = ledger_.PostRecurringEntries(year, month);
  Refresh();
  return posted;
}

}  // namespace zenkar
