#include "app/check_printing/unprinted_checks_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

#include "platform/text_conversion.h"

namespace zenkar {

UnprintedChecksDialog::UnprintedChecksDialog(QWidget* parent,
                                             const std::vector<std::string>& checks)
    : QDialog(parent) {
  setObjectName("unprintedChecks");
  if (parent != nullptr) setFont(parent->window()->font());
  setWindowTitle(FromCp1252(kUnprintedChecksTitle));
  auto* prompt = new QLabel(FromCp1252(kUnprintedChecksPrompt));
  prompt->setWordWrap(true);
  list_ = new QListWidget;
  list_->setObjectName("checks");
  for (const std::string& check : checks) {
    auto* item = new QListWidgetItem(FromCp1252(check), list_);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Unchecked);
  }
  // Every answer is an answer: there is no Cancel.
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(prompt);
  layout->addWidget(list_);
  layout->addWidget(buttons);
}

std::vector<bool> UnprintedChecksDialog::Ticked() const {
  std::vector<bool> ticked;
  for (int row = 0; row < list_->count(); ++row) {
    ticked.push_back(list_->item(row)->checkState() == Qt::Checked);
  }
  return ticked;
}

std::vector<bool> QtUnprintedCheckChooser::ChooseUnprinted(const std::vector<std::string>& checks) {
  UnprintedChecksDialog dialog(parent_, checks);
  dialog.exec();
  return dialog.Ticked();
}

}  // namespace zenkar
