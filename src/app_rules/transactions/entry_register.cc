#include "app_rules/transactions/entry_register.h"

#include "common/text_field.h"

namespace zenkar {
namespace {

constexpr std::string_view kLatestEntriesHint =
    "\n Edit a recent entry by clicking the desired item in the 'Latest Entries' box (Right click "
    "to delete/void entry)";

std::string Trimmed(std::string_view text) { return std::string(Trim(text)); }

}  // namespace

std::string_view EntryPrompt(int32_t kind, EntryField field) {
  static const std::string kCheckPayee =
      std::string(" Enter or select a Payee from the list: Press <Tab> or <Enter> to continue") +
      std::string(kLatestEntriesHint);
  static const std::string kJournalPayee =
      std::string(
          " Enter a description or select a Payee from the list: Press <Tab> or <Enter> to "
          "continue") +
      std::string(kLatestEntriesHint);
  static const std::string kReference =
      std::string(
          " Enter the Ref./Check Number: Press <Tab> or <Enter> to continue, <Shift+Tab> or "
          "<Esc> to go back") +
      std::string(kLatestEntriesHint);
  static const std::string kDate =
      std::string(
          " Select the Date: Press <Tab> or <Enter> to continue, <Shift+Tab> or <Esc> to go "
          "back") +
      std::string(kLatestEntriesHint);
  switch (field) {
    case EntryField::kPayee:
      return kind == kJournalLine ? kJournalPayee : kCheckPayee;
    case EntryField::kReference:
      return kReference;
    case EntryField::kDate:
      return kDate;
    case EntryField::kAccount:
      return " Select the Account: Press <Tab> or <Enter> to continue";
    case EntryField::kAmount:
      return " Enter the Amount: Press <Tab> or <Enter> to save this entry and begin the next "
             "entry";
  }
  return {};
}

EntryRegister::EntryRegister(Program& program, int32_t kind)
    : program_(program), ledger_(program.ledger()), kind_(kind) {}

void EntryRegister::Enter() {
  RefreshLatest();
  RefreshAccountLines();
  if (is_check_page() && !ledger_.BankAccountValid()) ledger_.ui().Error(kInvalidBankAccount);
}

EntryLine EntryRegister::NewLine() {
  const std::optional<DayNumber> chosen = program_.default_check_date();
  if (is_check_page() && chosen && chosen != seen_default_check_date_) {
    seen_default_check_date_ = chosen;
    last_date_ = chosen;
  }
  EntryLine line;
  if (is_check_page()) line.reference = Trimmed(ledger_.settings().next_check);
  line.date = last_date_.value_or(program_.clock().Today());
  line_started_on_ = line.date;
  return line;
}

DayNumber EntryRegister::OpenLineDate(DayNumber shown) {
  const std::optional<DayNumber> chosen = program_.default_check_date();
  if (!is_check_page() || !chosen || shown != line_started_on_) return shown;
  seen_default_check_date_ = chosen;
  last_date_ = chosen;
  line_started_on_ = *chosen;
  return *chosen;
}

bool EntryRegister::fixed_decimal() const { return ledger_.settings().fixed_decimal != 0; }

int EntryRegister::SaveLine(const EntryLine& line) {
  const TransactionRecord record = BuildEntryRecord(kind_, line, ledger_.payees(), fixed_decimal());
  const std::optional<int> number = ledger_.AppendTransaction(record);
  if (!number) return 0;
  last_date_ = line.date;
  NoteAppended(*number, record);
  return *number;
}

void EntryRegister::NoteAppended(int record_number, const TransactionRecord& record) {
  latest_.push_back(record);
  latest_.back().record_number = record_number;
  if (latest_.size() > static_cast<size_t>(kLatestEntryLines)) latest_.erase(latest_.begin());
}

void EntryRegister::DateChanged(DayNumber date) {
  const DayNumber last_check = is_check_page() ? (latest_.empty() ? kNoDate : latest_.back().date)
                                               : LatestCheckEntryDate(ledger_);
  program_.back_dating_warnings().WarnIfBackDated(ledger_.ui(), program_.date_patterns(), date,
                                                  last_check);
}

void EntryRegister::RefreshLatest() {
  latest_ = LatestLinesOfKind(ledger_, kind_, kLatestEntryLines);
}

LatestEntryText EntryTextOf(const TransactionRecord& line, const DatePatterns& patterns) {
  LatestEntryText text;
  text.payee = Trimmed(line.description);
  text.reference = IsInvoice(line)
                       ? "Due Date: " + FormatDate(line.due_date, patterns.numeric_short_year)
                       : Trimmed(line.reference);
  text.date = FormatDate(line.date, patterns.numeric_short_year);
  text.account = Trimmed(line.account);
  text.amount = line.amount.ToString();
  text.ytd = line.ytd != 0 ? "*" : "";
  return text;
}

std::vector<LatestEntryText> EntryRegister::LatestTexts() const {
  std::vector<LatestEntryText> texts;
  for (const TransactionRecord& line : latest_) {
    texts.push_back(EntryTextOf(line, program_.date_patterns()));
  }
  return texts;
}

int EntryRegister::RecordOfRow(int row) const {
  if (row < 0 || row >= static_cast<int>(latest_.size())) return 0;
  return latest_[row].record_number;
}

VoidOrDeleteResult EntryRegister::VoidOrDeleteRow(int row) {
  const int number = RecordOfRow(row);
  if (number == 0) return VoidOrDeleteResult::kNothing;
  const VoidOrDeleteResult result =
      VoidOrDelete(ledger_, program_.date_patterns(), number, is_check_page());
  if (result != VoidOrDeleteResult::kNothing) RefreshLatest();
  return result;
}

std::optional<TransactionRecord> EntryRegister::EntryToEdit(int row) {
  const int number = RecordOfRow(row);
  TransactionRecord line;
  if (number == 0 || !ledger_.ReadTransaction(number, &line)) return std::nullopt;
  if (!PassesCheckedOutGuard(ledger_, line)) return std::nullopt;
  return line;
}

EditResult EntryRegister::SaveEdit(int record_number, const TransactionRecord& edited) {
  const EditResult result =
      SaveEditedEntry(ledger_, program_.date_patterns(), record_number, edited);
  if (result == EditResult::kSaved) RefreshLatest();
  return result;
}

std::string EntryRegister::BankCaption() const {
  return "Bank Acct (" + Trimmed(ledger_.settings().bank_account) + "):";
}

Money EntryRegister::BankBalance() const { return ledger_.BankBalance(); }

Money EntryRegister::PostingTotal() const { return -ledger_.OutOfBalance(); }

void EntryRegister::RefreshAccountLines() { account_lines_ = PostingAccountLines(ledger_.chart()); }

}  // namespace zenkar
