#include "app/transactions/invoice_edit_dialog.h"

#include <QVBoxLayout>

#include "app/transactions/invoices_page.h"
#include "app/transactions/line_dialog.h"
#include "platform/help_context.h"

namespace zenkar {

InvoiceEditDialog::InvoiceEditDialog(QWidget* parent, Program& program,
                                     const TransactionRecord& stored)
    : QDialog(parent), program_(program), stored_(stored) {
  setObjectName("editInvoice");
  setWindowTitle("Edit Existing Invoice");
  PrepareLineDialog(*this, parent, program, kHelpInvoices);

  InvoiceFormOptions options;
  options.beep = [this] { program_.ui().Beep(); };
  options.fixed_decimal = [this] { return program_.ledger().settings().fixed_decimal != 0; };
  form_ = new InvoiceLineForm(options, program.date_patterns());
  form_->SetPayees(program.ledger().payees());
  account_lines_ = PostingAccountLines(program.ledger().chart());
  form_->SetAccountLines(&account_lines_);
  form_->SetLine(InvoiceLineOf(stored));

  save_ = new QPushButton("Save Changes");
  save_->setObjectName("saveChanges");
  connect(save_, &QPushButton::clicked, this, [this] { SaveChanges(); });
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(form_);
  layout->addWidget(form_->account_list());
  layout->addLayout(LineDialogButtons(*this, form_->amount(), {save_}));
  form_->payee()->setFocus();
}

void InvoiceEditDialog::SaveChanges() {
  result_ = SaveEditedInvoice(program_.ledger(), program_.date_patterns(), stored_, form_->Line());
  if (*result_ != EditResult::kFailed) accept();
}

bool EditExistingInvoice(Program& program, QWidget* parent, int record_number) {
  const std::optional<TransactionRecord> invoice = InvoiceToEdit(program.ledger(), record_number);
  if (!invoice) return false;
  InvoiceEditDialog dialog(parent, program, *invoice);
  dialog.exec();
  return dialog.result_of_save() == EditResult::kSaved;
}

}  // namespace zenkar
