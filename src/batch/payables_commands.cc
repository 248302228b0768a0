// The payables commands: invoices lists the unpaid invoices, auto-invoice
// posts the payees' standing bills of a month, pay-invoices pays invoices by
// check as "Pay Invoices" does, over the same code as the desktop program.
#include <cstdio>
#include <memory>
#include <set>

#include "batch/commands.h"
#include "batch/documents.h"
#include "common/text_field.h"
#include "ledger/auto_invoices.h"
#include "output/auto_invoice_report.h"
#include "output/invoice_checks.h"

namespace zenkar {
namespace {

std::string IsoDate(DayNumber day) {
  if (day == kNoDate) return "";
  const CivilDate date = ToCivilDate(day);
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
  return text;
}

void PrintFields(CommandContext& context, const std::vector<std::string>& fields) {
  std::string line;
  for (const std::string& field : fields) line += (line.empty() ? "" : "\t") + TerminalText(field);
  line += "\n";
  std::fwrite(line.data(), 1, line.size(), context.env.out);
}

// The unpaid invoices of the payees named (all of them for --all), in file
// order; a name that is no payee of the books is refused.
std::optional<std::vector<int>> ChosenInvoices(const PaymentRequest& request, Ledger& ledger) {
  std::set<int> payees;
  for (const std::string& name : request.payees) {
    const int payee = ledger.FindPayeeByName(Utf8ToCp1252(name));
    if (payee == 0) {
      ledger.ui().Error("No payee is named " + Utf8ToCp1252(name) + ".");
      return std::nullopt;
    }
    payees.insert(payee);
  }
  std::vector<int> invoices;
  ledger.ScanTransactionRecords([&](int number, std::string_view record) {
    const TransactionFacts facts = ReadTransactionFacts(record);
    if (facts.kind == kInvoice && (request.all || payees.count(facts.payee_number) != 0)) {
      invoices.push_back(number);
    }
  });
  return invoices;
}

}  // namespace

bool RunInvoices(CommandContext& context) {
  if (!OpenBooks(context)) return false;
  return context.ledger.ScanTransactionRecords([&](int number, std::string_view record) {
    if (ReadTransactionFacts(record).kind != kInvoice) return;
    const ListedLine line = ReadListedLine(number, record);
    PrintFields(context, {std::to_string(number), line.description, line.invoice_number,
                          IsoDate(line.due_date), line.amount.RoundedToCents().ToString()});
  });
}

bool RunAutoInvoice(const Invocation& invocation, CommandContext& context) {
  if (!OpenBooks(context)) return false;
  std::unique_ptr<CommandDocuments> documents;
  if (invocation.posted_report) {
    documents = std::make_unique<CommandDocuments>(context, *invocation.posted_report);
    if (!documents->Prepare()) return false;
  }
  const AutoInvoicePosting posting = PostAutoInvoices(
      context.ledger, invocation.post_year, invocation.post_month, RepeatedSlots::kRefuse);
  if (!posting.posted) return false;
  PrintFields(context, {"Invoices posted: " + std::to_string(posting.invoices),
                        posting.invoice_total.ToStringWithCommas()});
  PrintFields(context, {"Checks posted: " + std::to_string(posting.checks),
                        posting.check_total.ToStringWithCommas()});
  if (documents == nullptr) return true;
  PrintJob job(documents->services(), documents->target());
  return PrintAutoInvoicesReport(context.ledger, job, posting.first_record) && documents->Deliver();
}

bool RunPayInvoices(const Invocation& invocation, CommandContext& context) {
  const PaymentRequest& request = invocation.payment;
  CheckRequest checks = invocation.check;
  // Saved as paid, the checks go nowhere: no document is delivered.
  if (request.save_as_paid) checks.to_printer = true;
  return PrintCheckDocument(checks, context, [&](PrintJob& job) {
    Ledger& ledger = context.ledger;
    const std::optional<std::vector<int>> invoices = ChosenInvoices(request, ledger);
    if (!invoices) return false;
    if (invoices->empty()) {
      ledger.ui().Error(kNoInvoicesSelected);
      return false;
    }
    InvoicePayment payment;
    payment.invoices = *invoices;
    payment.check_date = request.date.value_or(context.env.clock.Today());
    // kxbatch answers an input box with Cancel: without --first-check the
    // checks start at Next Check, the number the question would propose.
    payment.first_number = invocation.check.number.empty()
                               ? std::string(Trim(ledger.settings().next_check))
                               : invocation.check.number;
    payment.print = !request.save_as_paid;
    const InvoicePaymentResult result = PayInvoicesByCheck(ledger, job, payment);
    if (result.invoices_paid == 0) {
      ledger.ui().Error(kNoInvoicesPaid);
      return false;
    }
    for (const std::string& number : result.numbers) PrintFields(context, {"Check " + number});
    PrintFields(context, {"Invoices paid: " + std::to_string(result.invoices_paid)});
    return true;
  });
}

}  // namespace zenkar
