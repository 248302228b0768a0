#include "app_rules/transactions/pay_invoices.h"

#include <algorithm>
#include <cctype>

#include "common/text_field.h"

namespace zenkar {
namespace {

// Texts compared in capitals, byte by byte.
bool LessIgnoringCase(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::toupper(static_cast<unsigned char>(x)) <
           std::toupper(static_cast<unsigned char>(y));
  });
}

bool SameIgnoringCase(const std::string& a, const std::string& b) {
  return !LessIgnoringCase(a, b) && !LessIgnoringCase(b, a);
}

}  // namespace

bool ReadUnpaidInvoices(const Ledger& ledger, std::vector<UnpaidInvoiceRow>* rows) {
  rows->clear();
  return ledger.ScanTransactionRecords([&](int number, std::string_view record) {
    const TransactionFacts facts = ReadTransactionFacts(record);
    if (facts.kind != kInvoice) return;
    const ListedLine line = ReadListedLine(number, record);
    rows->push_back({number, line.description, line.invoice_number, facts.due_date,
                     facts.amount.RoundedToCents()});
  });
}

PayInvoicesList::PayInvoicesList(Program& program) : program_(program), ledger_(program.ledger()) {}

void PayInvoicesList::Enter() {
  Refresh();
  if (!ledger_.BankAccountValid()) ledger_.ui().Error(kInvalidBankAccount);
}

void PayInvoicesList::Refresh() {
  if (!ReadUnpaidInvoices(ledger_, &rows_)) rows_.clear();
  if (sorted_by_) SortBy(*sorted_by_);
}

std::string PayInvoicesList::Text(int row, PayColumn column) const {
  const UnpaidInvoiceRow& invoice = rows_.at(row);
  switch (column) {
    case PayColumn::kPayee:
      return invoice.payee;
    case PayColumn::kInvoiceNumber:
      return invoice.invoice_number;
    case PayColumn::kDueDate:
      return FormatDate(invoice.due_date, program_.date_patterns().numeric_short_year);
    case PayColumn::kAmount:
      return invoice.amount.ToString();
  }
  return {};
}

void PayInvoicesList::SortBy(PayColumn column) {
  sorted_by_ = column;
  std::stable_sort(rows_.begin(), rows_.end(),
                   [column](const UnpaidInvoiceRow& a, const UnpaidInvoiceRow& b) {
                     switch (column) {
                       case PayColumn::kPayee:
                         return LessIgnoringCase(a.payee, b.payee);
                       case PayColumn::kInvoiceNumber:
                         return LessIgnoringCase(a.invoice_number, b.invoice_number);
                       case PayColumn::kDueDate:
                         return a.due_date < b.due_date;
                       case PayColumn::kAmount:
                         return a.amount < b.amount;
                     }
                     return false;
                   });
}

std::vector<int> PayInvoicesList::SelectAllLike(int row, PayColumn column) {
  if (row < 0 || row >= static_cast<int>(rows_.size())) return {};
  const UnpaidInvoiceRow& clicked = rows_[row];
  std::string question;
  switch (column) {
    case PayColumn::kInvoiceNumber:
      question = "Select all with Invoice Number of:\n" + clicked.invoice_number;
      break;
    case PayColumn::kDueDate:
      question = "Select all with Due Date of:\n" + Text(row, PayColumn::kDueDate);
      break;
    default:
      question = "Select all invoices for:\n" + clicked.payee;
      break;
  }
  if (!ledger_.ui().YesNoDefaultNo(question)) return {};
  std::vector<int> like;
  for (int i = 0; i < static_cast<int>(rows_.size()); ++i) {
    const UnpaidInvoiceRow& each = rows_[i];
    const bool same = column == PayColumn::kInvoiceNumber
                          ? SameIgnoringCase(each.invoice_number, clicked.invoice_number)
                      : column == PayColumn::kDueDate ? each.due_date == clicked.due_date
                                                      : SameIgnoringCase(each.payee, clicked.payee);
    if (same) like.push_back(i);
  }
  return like;
}

Money PayInvoicesList::CurrentBankBalance() const { return ledger_.BankBalance(); }

Money PayInvoicesList::SelectedTotal(const std::vector<int>& selected) const {
  Money total;
  for (int row : selected) total += rows_.at(row).amount;
  return total;
}

Money PayInvoicesList::NewBankBalance(const std::vector<int>& selected) const {
  return CurrentBankBalance() - SelectedTotal(selected);
}

bool PayInvoicesList::Pay(std::vector<int> selected, PayMode mode, PrintJob& job,
                          UnprintedCheckChooser* chooser) {
  Ui& ui = ledger_.ui();
  if (selected.empty()) {
    ui.Error(kNoInvoicesSelected);
    return false;
  }
  if (mode == PayMode::kSaveAsPaid && !ui.YesNoDefaultNo(kSaveAsPaidQuestion)) return false;
  std::sort(selected.begin(), selected.end());
  InvoicePayment payment;
  for (int row : selected) payment.invoices.push_back(rows_.at(row).record_number);
  payment.check_date = program_.default_check_date().value_or(program_.clock().Today());
  payment.print = mode == PayMode::kPrintChecks;
  payment.chooser = chooser;
  const InvoicePaymentResult result = PayInvoicesByCheck(ledger_, job, payment);
  if (result.invoices_paid == 0) ui.Error(kNoInvoicesPaid);
  Refresh();
  return result.invoices_paid > 0;
}

}  // namespace zenkar
