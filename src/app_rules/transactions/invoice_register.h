// The "Invoices" sub-page of the "Transactions" tab without widgets: the
// one-line form of an unpaid bill (payee chosen from the list, invoice date,
// due date, invoice number, account, amount), saving it as an unpaid
// invoice that moves no balance until it is paid, the box of the twelve
// latest unpaid invoices with "Due Date:" lines, the "Unpaid:" total, the
// warning once per program run that more than 5,000 unpaid invoices slow
// down "Pay Invoices", and the rules of the "Edit Existing Invoice" dialog.
// "Auto Invoice" posts the payees' standing bills for the current month.
#ifndef ZENKAR_APP_RULES_TRANSACTIONS_INVOICE_REGISTER_H_
#define ZENKAR_APP_RULES_TRANSACTIONS_INVOICE_REGISTER_H_

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app_rules/transactions/entry_actions.h"
#include "app_rules/transactions/entry_line.h"
#include "app_rules/transactions/entry_register.h"
#include "app_rules/window/program.h"
#include "ledger/auto_invoices.h"

namespace zenkar {

enum class InvoiceField { kPayee, kInvoiceDate, kDueDate, kInvoiceNumber, kAccount, kAmount };
std::string_view InvoicePrompt(InvoiceField field);

inline constexpr size_t kInvoiceNumberWidth = 16;
inline constexpr int kManyUnpaidInvoices = 5000;
inline constexpr std::string_view kManyUnpaidInvoicesWarning =
    "More than 5000 unpaid invoices may slow down the display of the 'Pay Invoices' screen.";
inline constexpr std::string_view kNotAnInvoice = "This entry is not an unpaid invoice.";

// What the six fields of an invoice line hold (Windows-1252 text).
struct InvoiceLine {
  int payee = 0;  // the payee chosen from the list; 0: none
  DayNumber invoice_date = kNoDate;
  DayNumber due_date = kNoDate;
  std::string invoice_number;
  std::string account;  // the account number chosen from the list
  std::string amount;   // as typed
  friend bool operator==(const InvoiceLine&, const InvoiceLine&) = default;
};

// A new unpaid invoice from the fields: a cleared line of kind invoice,
// unprinted, with the payee's number and name, the two dates, the invoice
// number, the account and the amount rounded to cents.
TransactionRecord BuildInvoiceRecord(const InvoiceLine& line, const PayeeList& payees,
                                     bool fixed_decimal);
// `stored` with the fields of `line` put in; the others keep their values.
TransactionRecord ApplyInvoiceLine(const TransactionRecord& stored, const InvoiceLine& line,
                                   const PayeeList& payees, bool fixed_decimal);
// The fields of a stored invoice.
InvoiceLine InvoiceLineOf(const TransactionRecord& record);

// "Edit Existing Invoice": the stored invoice `record_number` when it may be
// edited (an unpaid invoice passing the checked-out guard); otherwise the
// refusal has been shown.
std::optional<TransactionRecord> InvoiceToEdit(Ledger& ledger, int record_number);
// "Save Changes": nothing is written when nothing changed.
EditResult SaveEditedInvoice(Ledger& ledger, const DatePatterns& patterns,
                             const TransactionRecord& stored, const InvoiceLine& edited);

class InvoiceRegister {
 public:
  explicit InvoiceRegister(Program& program);

  // Reads the latest invoices and the account list again.
  void Enter();
  // A new line: no payee, account or amount; the dates of the line before,
  // today on a fresh page.
  InvoiceLine NewLine();
  bool fixed_decimal() const;

  // Appends the line as an unpaid invoice (no payee chosen: "Must
  // select/create payee"), then warns once per run when more than 5,000
  // invoices are unpaid. The record number, or 0 when nothing was saved.
  int SaveLine(const InvoiceLine& line);

  // The box: oldest first, the newest on the bottom line.
  const std::vector<TransactionRecord>& latest() const { return latest_; }
  std::vector<LatestEntryText> LatestTexts() const;
  int RecordOfRow(int row) const;
  void RefreshLatest();
  // Right click: "Delete this transaction?" for the invoice of `row`.
  VoidOrDeleteResult DeleteRow(int row);

  // "Unpaid:": the total of every unpaid invoice.
  Money UnpaidTotal() const;

  const std::vector<AccountLine>& account_lines() const { return account_lines_; }

  // "Auto Invoice": "Post Auto Invoices and Checks?" (No preselected), then
  // the payees' slots posted for the current month. Nothing when the user
  // said No.
  std::optional<AutoInvoicePosting> PostAutoInvoices();

 private:
  Program& program_;
  Ledger& ledger_;
  std::vector<TransactionRecord> latest_;
  std::vector<AccountLine> account_lines_;
  std::optional<DayNumber> last_invoice_date_;
  std::optional<DayNumber> last_due_date_;
};

}  // namespace zenkar

#endif  // ZENKAR_APP_RULES_TRANSACTIONS_INVOICE_REGISTER_H_
