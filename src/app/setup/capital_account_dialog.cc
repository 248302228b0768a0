#include "app/setup/capital_account_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

#include "common/ui.h"
#include "platform/text_conversion.h"

namespace zenkar {

AccountListDialog::AccountListDialog(QWidget* parent, const QString& prompt, const QString& hint,
                                     const QStringList& choices, int preselected)
    : QDialog(parent) {
  setObjectName("capitalAccountDialog");
  setWindowTitle(FromCp1252(kProgramTitle));
  auto* prompt_label = new QLabel(prompt);
  QFont bold = prompt_label->font();
  bold.setBold(true);
  prompt_label->setFont(bold);
  auto* hint_label = new QLabel(hint);
  hint_label->setWordWrap(true);
  list_ = new QListWidget;
  list_->setObjectName("capitalAccounts");
  list_->addItems(choices);
  list_->setCurrentRow(preselected);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(list_, &QListWidget::itemActivated, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(prompt_label);
  layout->addWidget(hint_label);
  layout->addWidget(list_, 1);
  layout->addWidget(buttons);
  list_->setFocus();
}

std::optional<int> QtAccountChooser::ChooseAccount(std::string_view prompt, std::string_view hint,
                                                   const std::vector<std::string>& choices,
                                                   int preselected) {
  QStringList labels;
  for (const std::string& choice : choices) labels << FromCp1252(choice);
  AccountListDialog dialog(parent_, FromCp1252(prompt), FromCp1252(hint), labels, preselected);
  if (dialog.exec() != QDialog::Accepted || dialog.list()->currentRow() < 0) return std::nullopt;
  return dialog.list()->currentRow();
}

void ConfirmCapitalAccountOnOpen(Program& program, QWidget* window) {
  QtAccountChooser chooser(window);
  ConfirmCapitalAccount(program.ledger(), chooser);
}

}  // namespace zenkar
