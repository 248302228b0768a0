#include "app/transactions/line_dialog.h"

#include <QShortcut>

#include "platform/help_context.h"

namespace zenkar {

void PrepareLineDialog(QDialog& dialog, QWidget* parent, Program& program, int help_context) {
  if (parent != nullptr) dialog.setFont(parent->window()->font());
  SetHelpContext(&dialog, help_context);
  auto* help = new QShortcut(QKeySequence(Qt::Key_F1), &dialog);
  QObject::connect(help, &QShortcut::activated, &dialog,
                   [&program, help_context] { program.help().ShowHelp(help_context); });
}

QHBoxLayout* LineDialogButtons(QDialog& dialog, QWidget* after,
                               const std::vector<QPushButton*>& buttons) {
  auto* cancel = new QPushButton("Cancel");
  cancel->setObjectName("cancel");
  QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
  auto* row = new QHBoxLayout;
  row->addStretch();
  for (QPushButton* button : buttons) {
    row->addWidget(button);
    QWidget::setTabOrder(after, button);
    after = button;
  }
  row->addWidget(cancel);
  QWidget::setTabOrder(after, cancel);
  return row;
}

}  // namespace zenkar
