#include "app_rules/transactions/invoice_register.h"

#include "common/text_field.h"
#include "ledger/account_record.h"
#include "output/quick_check.h"

namespace zenkar {
namespace {

constexpr std::string_view kLatestEntriesHint =
    "\n Edit a recent entry by clicking the desired item in the 'Latest Entries' box (Right click "
    "to delete/void entry)";

std::string Trimmed(std::string_view text) { return std::string(Trim(text)); }

void PutPayee(TransactionRecord& record, const PayeeList& payees, int payee) {
  record.payee_number = payee;
  const PayeeRecord& chosen = payees.payee(payee);
  record.description = chosen.name;
  record.payee_name_1 = chosen.name;
  record.payee_name_2 = chosen.name_2;
}

}  // namespace

std::string_view InvoicePrompt(InvoiceField field) {
  static const std::string kPayee =
      " Select the Payee: Press <Tab> or <Enter> to continue" + std::string(kLatestEntriesHint);
  static const std::string kDate =
      " Select the Date: Press <Tab> or <Enter> to continue, <Shift+Tab> or <Esc> to go back" +
      std::string(kLatestEntriesHint);
  static const std::string kNumber =
      " Enter the Invoice Number: Press <Tab> or <Enter> to continue, <Shift+Tab> or <Esc> to go "
      "back" +
      std::string(kLatestEntriesHint);
  switch (field) {
    case InvoiceField::kPayee:
      return kPayee;
    case InvoiceField::kInvoiceDate:
    case InvoiceField::kDueDate:
      return kDate;
    case InvoiceField::kInvoiceNumber:
      return kNumber;
    case InvoiceField::kAccount:
      return EntryPrompt(kInvoice, EntryField::kAccount);
    case InvoiceField::kAmount:
      return EntryPrompt(kInvoice, EntryField::kAmount);
  }
  return {};
}

TransactionRecord BuildInvoiceRecord(const InvoiceLine& line, const PayeeList& payees,
                                     bool fixed_decimal) {
  TransactionRecord record;
  ClearTransaction(record);
  record.kind = kInvoice;
  record.unprinted = 1;
  if (payees.IsValidPayee(line.payee)) PutPayee(record, payees, line.payee);
  record.invoice_date_2 = line.invoice_date;
  record.due_date = line.due_date;
  record.invoice_number = FitText(line.invoice_number, kInvoiceNumberWidth);
  record.account = AccountKey(line.account);
  record.amount = AmountOf(line.amount, fixed_decimal);
  return record;
}

TransactionRecord ApplyInvoiceLine(const TransactionRecord& stored, const InvoiceLine& line,
                                   const PayeeList& payees, bool fixed_decimal) {
  TransactionRecord record = stored;
  // A payee left as it was keeps its stored name (it may have been renamed
  // since); another one chosen brings its own.
  if (line.payee != stored.payee_number && payees.IsValidPayee(line.payee)) {
    PutPayee(record, payees, line.payee);
  }
  record.invoice_date_2 = line.invoice_date;
  record.due_date = line.due_date;
  if (Trim(line.invoice_number) != Trim(stored.invoice_number)) {
    record.invoice_number = FitText(line.invoice_number, kInvoiceNumberWidth);
  }
  if (!SameAccount(line.account, stored.account)) record.account = AccountKey(line.account);
  const Money amount = AmountOf(line.amount, fixed_decimal);
  if (amount != stored.amount.RoundedToCents()) record.amount = amount;
  return record;
}

InvoiceLine InvoiceLineOf(const TransactionRecord& record) {
  InvoiceLine line;
  line.payee = record.payee_number;
  line.invoice_date = record.invoice_date_2;
  line.due_date = record.due_date;
  line.invoice_number = Trimmed(record.invoice_number);
  line.account = Trimmed(record.account);
  line.amount = record.amount.ToString();
  return line;
}

std::optional<TransactionRecord> InvoiceToEdit(Ledger& ledger, int record_number) {
  TransactionRecord line;
  if (record_number < 1 || record_number > ledger.transaction_count() ||
      !ledger.ReadTransaction(record_number, &line)) {
    return std::nullopt;
  }
  if (!IsInvoice(line)) {
    ledger.ui().Error(kNotAnInvoice);
    return std::nullopt;
  }
  if (!PassesCheckedOutGuard(ledger, line)) return std::nullopt;
  return line;
}

EditResult SaveEditedInvoice(Ledger& ledger, const DatePatterns& patterns,
                             const TransactionRecord& stored, const InvoiceLine& edited) {
  const bool fixed_decimal = ledger.settings().fixed_decimal != 0;
  return SaveEditedEntry(ledger, patterns, stored.record_number,
                         ApplyInvoiceLine(stored, edited, ledger.payees(), fixed_decimal));
}

InvoiceRegister::InvoiceRegister(Program& program) : program_(program), ledger_(program.ledger()) {}

void InvoiceRegister::Enter() {
  RefreshLatest();
  account_lines_ = PostingAccountLines(ledger_.chart());
}

InvoiceLine InvoiceRegister::NewLine() {
  const DayNumber today = program_.clock().Today();
  InvoiceLine line;
  line.invoice_date = last_invoice_date_.value_or(today);
  line.due_date = last_due_date_.value_or(today);
  return line;
}

bool InvoiceRegister::fixed_decimal() const { return ledger_.settings().fixed_decimal != 0; }

int InvoiceRegister::SaveLine(const InvoiceLine& line) {
  if (!ledger_.IsValidPayee(line.payee)) {
    ledger_.ui().Error(kMustSelectPayee);
    return 0;
  }
  const TransactionRecord record = BuildInvoiceRecord(line, ledger_.payees(), fixed_decimal());
  const std::optional<int> number = ledger_.AppendTransaction(record);
  if (!number) return 0;
  last_invoice_date_ = line.invoice_date;
  last_due_date_ = line.due_date;
  RefreshLatest();
  bool& warned = program_.many_unpaid_invoices_warned();
  if (!warned && ledger_.summary().unpaid_count > kManyUnpaidInvoices) {
    warned = true;
    ledger_.ui().Information(kManyUnpaidInvoicesWarning);
  }
  return *number;
}

std::vector<LatestEntryText> InvoiceRegister::LatestTexts() const {
  const std::string& pattern = program_.date_patterns().numeric_short_year;
  std::vector<LatestEntryText> texts;
  for (const TransactionRecord& line : latest_) {
    LatestEntryText text;
    text.payee = Trimmed(line.description);
    text.reference = "Due Date: " + FormatDate(line.due_date, pattern);
    text.date = FormatDate(line.invoice_date_2, pattern);
    text.account = Trimmed(line.account);
    text.amount = line.amount.ToString();
    texts.push_back(std::move(text));
  }
  return texts;
}

int InvoiceRegister::RecordOfRow(int row) const {
  if (row < 0 || row >= static_cast<int>(latest_.size())) return 0;
  return latest_[row].record_number;
}

void InvoiceRegister::RefreshLatest() {
  latest_ = LatestLinesOfKind(ledger_, kInvoice, kLatestEntryLines);
}

VoidOrDeleteResult InvoiceRegister::DeleteRow(int row) {
  const int number = RecordOfRow(row);
  if (number == 0) return VoidOrDeleteResult::kNothing;
  const VoidOrDeleteResult result =
      VoidOrDelete(ledger_, program_.date_patterns(), number, /*offer_void=*/false);
  if (result != VoidOrDeleteResult::kNothing) RefreshLatest();
  return result;
}

Money InvoiceRegister::UnpaidTotal() const { return ledger_.summary().unpaid_total; }

std::optional<AutoInvoicePosting> InvoiceRegister::PostAutoInvoices() {
  if (!ledger_.ui().YesNoDefaultNo(kPostAutoInvoicesQuestion)) return std::nullopt;
  const CivilDate today = ToCivilDate(program_.clock().Today());
  AutoInvoicePosting posting =
      zenkar::PostAutoInvoices(ledger_, today.year, today.month, RepeatedSlots::kPost);
  RefreshLatest();
  return posting;
}

}  // namespace zenkar
