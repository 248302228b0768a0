#include "app/utilities/data_transfer_dialog.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "app/utilities/mail_settings_dialog.h"
#include "app_rules/utilities/mail_actions.h"
#include "platform/help_context.h"
#include "platform/text_conversion.h"

namespace zenkar {

DataTransferDialog::DataTransferDialog(DataTransfer& transfer, QWidget* parent)
    : QDialog(parent), transfer_(transfer) {
  setWindowTitle(FromCp1252(kDataTransferTitle));
  SetHelpContext(this, kHelpDataTransfer);
  const DataTransferView view = transfer_.View();
  last_export_ = new QLabel(FromCp1252(view.dates.last_export));
  last_export_->setObjectName("lastExport");
  last_import_ = new QLabel(FromCp1252(view.dates.last_import));
  last_import_->setObjectName("lastImport");

  export_group_ = new QGroupBox(FromCp1252(view.export_caption));
  auto* export_row = new QHBoxLayout(export_group_);
  AddButton(export_row, "E-Mail Data", "mailData", [this] {
    QtMailSettingsForm form(this, transfer_.program());
    ProgramMail mail(transfer_.program(), form);
    transfer_.MailData(mail.environment());
  });
  AddButton(export_row, "Create File", "createFile", [this] { transfer_.CreateFile(); });
  import_group_ = new QGroupBox(FromCp1252(view.import_caption));
  auto* import_row = new QHBoxLayout(import_group_);
  AddButton(import_row, "Import", "import", [this] { books_replaced_ = transfer_.Import(); });
  export_group_->setEnabled(view.possible);
  import_group_->setEnabled(view.possible);

  auto* bottom = new QHBoxLayout;
  bottom->addStretch();
  AddButton(bottom, "Cancel", "cancel", [this] { transfer_.Finish(); });
  AddButton(bottom, "Reset", "reset", [this] { transfer_.Reset(); });

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(last_export_);
  layout->addWidget(last_import_);
  layout->addWidget(view.export_first ? export_group_ : import_group_);
  layout->addWidget(view.export_first ? import_group_ : export_group_);
  if (!view.possible) {
    auto* blocked = new QLabel(FromCp1252(kExchangeBlocked));
    blocked->setObjectName("blocked");
    blocked->setWordWrap(true);
    layout->addWidget(blocked);
  }
  layout->addLayout(bottom);
}

QPushButton* DataTransferDialog::AddButton(QLayout* layout, const char* caption, const char* name,
                                           std::function<void()> action) {
  auto* button = new QPushButton(caption);
  button->setObjectName(name);
  button->setAutoDefault(false);
  connect(button, &QPushButton::clicked, this, [this, action = std::move(action)] {
    action();
    accept();
  });
  layout->addWidget(button);
  return button;
}

void RunDataTransfer(Program& program, QWidget* parent) {
  DataTransfer transfer(program);
  if (!transfer.usable()) return;
  DataTransferDialog dialog(transfer, parent);
  // Closing the window with its title bar is "Cancel".
  if (dialog.exec() != QDialog::Accepted) transfer.Finish();
  if (!dialog.books_replaced()) return;
  // The window is built again from the new books; books that did not load
  // end it, as after a restore.
  if (program.ledger().is_loaded()) {
    program.RestartMainWindow();
  } else {
    program.EndMainWindow();
  }
}

}  // namespace zenkar
