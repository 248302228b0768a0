#include "app/transactions/edit_entry_dialog.h"

#include <QHBoxLayout>
#include <QShortcut>
#include <QVBoxLayout>

#include "app/transactions/entry_page.h"
#include "platform/help_context.h"

namespace zenkar {

EditEntryDialog::EditEntryDialog(QWidget* parent, EntryRegister& entry_register,
                                 const TransactionRecord& stored, Program& program)
    : QDialog(parent), register_(entry_register), stored_(stored), program_(program) {
  const bool journal = IsJournalLine(stored);
  setObjectName("editEntry");
  // A dialog is a window of its own: it takes the main window's font.
  if (parent != nullptr) setFont(parent->window()->font());
  setWindowTitle(journal ? "Edit Existing Journal Entry" : "Edit Existing Check/Deposit Entry");
  const int help_context = journal ? kHelpJournalEntries : kHelpChecksAndDeposits;
  SetHelpContext(this, help_context);
  // The main window's F1 does not reach a modal dialog.
  auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
  connect(help, &QShortcut::activated, this,
          [this, help_context] { program_.help().ShowHelp(help_context); });

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
  auto* cancel = new QPushButton("Cancel");
  cancel->setObjectName("cancel");
  connect(save_, &QPushButton::clicked, this, [this] { SaveChanges(); });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(save_);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(form_);
  layout->addWidget(form_->account_list());
  layout->addLayout(buttons);
  QWidget::setTabOrder(form_->amount(), save_);
  QWidget::setTabOrder(save_, cancel);
  form_->payee()->setFocus();
}

void EditEntryDialog::SaveChanges() {
  const TransactionRecord edited =
      ApplyEntryLine(stored_, form_->Line(), program_.ledger().payees(), register_.fixed_decimal());
  result_ = register_.SaveEdit(stored_.record_number, edited);
  if (*result_ != EditResult::kFailed) accept();
}

}  // namespace zenkar
