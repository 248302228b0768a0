#include "app/transactions/edit_entry_dialog.h"

#include <QVBoxLayout>

#include "app/transactions/entry_page.h"
#include "app/transactions/line_dialog.h"
#include "platform/help_context.h"

namespace zenkar {

EditEntryDialog::EditEntryDialog(QWidget* parent, EntryRegister& entry_register,
                                 const TransactionRecord& stored, Program& program)
    : QDialog(parent), register_(entry_register), stored_(stored), program_(program) {
  const bool journal = IsJournalLine(stored);
  setObjectName("editEntry");
  setWindowTitle(journal ? "Edit Existing Journal Entry" : "Edit Existing Check/Deposit Entry");
  PrepareLineDialog(*this, parent, program, journal ? kHelpJournalEntries : kHelpChecksAndDeposits);

  EntryFormOptions options;
  options.captions = {journal ? "Description / Payee" : "Payee", "Ref. /\nCk Num", "Date", "Acct",
                      "Amount"};
  options.beep = [this] { program_.ui().Beep(); };
  options.fixed_decimal = [this] { return register_.fixed_decimal(); };
  form_ = new EntryLineForm(options, program.date_patterns());
  form_->SetPayees(program.ledger().payees());
  account_lines_ = PostingAccountLines(program.ledger().chart());
  form_->SetAccountLines(&account_lines_);
  form_->SetLine(EntryLineOf(stored));

  save_ = new QPushButton("Save Changes");
  save_->setObjectName("saveChanges");
  connect(save_, &QPushButton::clicked, this, [this] { SaveChanges(); });
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(form_);
  layout->addWidget(form_->account_list());
  layout->addLayout(LineDialogButtons(*this, form_->amount(), {save_}));
  form_->payee()->setFocus();
}

void EditEntryDialog::SaveChanges() {
  const TransactionRecord edited =
      ApplyEntryLine(stored_, form_->Line(), program_.ledger().payees(), register_.fixed_decimal());
  result_ = register_.SaveEdit(stored_.record_number, edited);
  if (*result_ != EditResult::kFailed) accept();
}

}  // namespace zenkar
