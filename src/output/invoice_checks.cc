#include "output/invoice_checks.h"

#include <map>

#include "common/text_field.h"

namespace zenkar {
namespace {

constexpr size_t kReferenceWidth = 8;

// The check of payee `payee` before its invoices are added.
CheckToPrint EmptyCheck(const PayeeRecord& payee, DayNumber date) {
  CheckToPrint check;
  CheckContent& content = check.content;
  content.date = date;
  content.payee_name = payee.name;
  content.payee_name_2 = payee.name_2;
  content.address = payee.address;
  content.city_state_zip = payee.city_state_zip;
  content.memo = payee.memo;
  return check;
}

}  // namespace

std::optional<std::vector<CheckToPrint>> ChecksForInvoices(
    const Ledger& ledger, const std::vector<TransactionRecord>& invoices, DayNumber date) {
  std::vector<CheckToPrint> checks;
  std::map<int32_t, size_t> check_of_payee;
  for (const TransactionRecord& invoice : invoices) {
    if (!ledger.IsValidPayee(invoice.payee_number)) {
      ledger.ui().Error(kNoValidPayee);
      return std::nullopt;
    }
    auto [at, added] = check_of_payee.try_emplace(invoice.payee_number, checks.size());
    if (added) checks.push_back(EmptyCheck(ledger.payees().payee(invoice.payee_number), date));
    CheckToPrint& check = checks[at->second];
    const Money amount = invoice.amount.RoundedToCents();
    check.content.amount += amount;
    check.content.stub.push_back({std::string(Trim(invoice.invoice_number)), invoice.invoice_date_2,
                                  std::string(Trim(invoice.memo)), amount});
    check.record_numbers.push_back(invoice.record_number);
  }
  for (const CheckToPrint& check : checks) {
    if (check.content.amount.IsNegative()) {
      ledger.ui().Error(kNegativeCheck);
      return std::nullopt;
    }
    if (check.content.amount.IsZero()) {
      ledger.ui().Error(kZeroCheck);
      return std::nullopt;
    }
  }
  return checks;
}

TransactionRecord PaidInvoiceLine(const TransactionRecord& invoice, std::string_view number,
                                  DayNumber date) {
  TransactionRecord line = invoice;
  line.kind = kCheckOrDeposit;
  line.unprinted = 1;
  line.reference = FitText(Trim(number), kReferenceWidth);
  line.date = date;
  return line;
}

InvoicePaymentResult PayInvoicesByCheck(Ledger& ledger, PrintJob& job,
                                        const InvoicePayment& payment) {
  InvoicePaymentResult result;
  std::vector<TransactionRecord> invoices;
  for (int number : payment.invoices) {
    TransactionRecord line;
    if (!ledger.ReadTransaction(number, &line)) return result;
    if (!IsInvoice(line)) {
      ledger.ui().Error(kInvoiceGone);
      return result;
    }
    invoices.push_back(std::move(line));
  }
  std::optional<std::vector<CheckToPrint>> checks =
      ChecksForInvoices(ledger, invoices, payment.check_date);
  if (!checks) return result;
  CheckRunRequest request;
  request.checks = std::move(*checks);
  request.first_number = payment.first_number;
  request.recording = CheckRunRequest::Recording::kAfterPrinting;
  request.print = payment.print;
  request.chooser = payment.chooser;
  request.record_checks = [&](std::vector<CheckToPrint>& confirmed) {
    std::map<int, std::string> number_of_line;
    for (const CheckToPrint& check : confirmed) {
      for (int record : check.record_numbers) number_of_line[record] = check.content.number;
    }
    // In the order of the list, as the user chose them.
    std::vector<PaidInvoice> paid;
    for (const TransactionRecord& invoice : invoices) {
      const auto number = number_of_line.find(invoice.record_number);
      if (number == number_of_line.end()) continue;
      paid.push_back(
          {invoice.record_number, PaidInvoiceLine(invoice, number->second, payment.check_date)});
    }
    if (!ledger.PayInvoices(paid)) return false;
    result.invoices_paid = static_cast<int>(paid.size());
    for (const CheckToPrint& check : confirmed) result.numbers.push_back(check.content.number);
    return true;
  };
  RunChecks(ledger, job, std::move(request));
  return result;
}

}  // namespace zenkar
