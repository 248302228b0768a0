// "Edit Existing Invoice": an unpaid invoice in the fields of the "Invoices"
// page (with the same keys), the Account field's list under them, and "Save
// Changes" / "Cancel". Opened from the latest-unpaid box of the "Invoices"
// page and from the list of all transactions. Saving writes nothing when
// nothing changed; an invoice moves no balance, so only its line is
// rewritten.
#ifndef ZENKAR_APP_TRANSACTIONS_INVOICE_EDIT_DIALOG_H_
#define ZENKAR_APP_TRANSACTIONS_INVOICE_EDIT_DIALOG_H_

#include <QDialog>
#include <QPushButton>
#include <optional>
#include <vector>

#include "app/transactions/invoice_line_form.h"
#include "app_rules/transactions/invoice_register.h"
#include "app_rules/window/program.h"

namespace zenkar {

class InvoiceEditDialog : public QDialog {
  Q_OBJECT

 public:
  InvoiceEditDialog(QWidget* parent, Program& program, const TransactionRecord& stored);

  InvoiceLineForm* form() const { return form_; }
  QPushButton* save_button() const { return save_; }
  std::optional<EditResult> result_of_save() const { return result_; }

 private:
  void SaveChanges();

  Program& program_;
  TransactionRecord stored_;
  std::vector<AccountLine> account_lines_;
  InvoiceLineForm* form_ = nullptr;
  QPushButton* save_ = nullptr;
  std::optional<EditResult> result_;
};

// Opens the dialog for the unpaid invoice `record_number` after the
// checked-out guard (a refusal is shown instead). True when a change was
// saved.
bool EditExistingInvoice(Program& program, QWidget* parent, int record_number);

}  // namespace zenkar

#endif  // ZENKAR_APP_TRANSACTIONS_INVOICE_EDIT_DIALOG_H_
