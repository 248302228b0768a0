// The "Data Transfer" window of "Data Transfer (To and From Accountant)"
// (110): the last export and import of this copy's role and its actions --
// the client's "Export to Accountant" ("E-Mail Data", "Create File") and
// "Import from Accountant" ("Import"), or the accountant's "Import from
// Client" ("Import") and "Export to Client" ("E-Mail Data", "Create File")
// -- with "Cancel" and "Reset". Each action closes the window; what it does
// is in DataTransfer (app_rules/utilities/data_transfer.h); "E-Mail Data"
// shows the "E-Mail Settings" dialog before the package is mailed.
#ifndef ZENKAR_APP_UTILITIES_DATA_TRANSFER_DIALOG_H_
#define ZENKAR_APP_UTILITIES_DATA_TRANSFER_DIALOG_H_

#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "app_rules/utilities/data_transfer.h"

namespace zenkar {

class DataTransferDialog : public QDialog {
  Q_OBJECT

 public:
  DataTransferDialog(DataTransfer& transfer, QWidget* parent);

  QLabel* last_export() const { return last_export_; }
  QLabel* last_import() const { return last_import_; }
  QGroupBox* export_group() const { return export_group_; }
  QGroupBox* import_group() const { return import_group_; }
  QPushButton* button(const char* name) const { return findChild<QPushButton*>(name); }
  // True once "Import" brought new books: the main window is built again.
  bool books_replaced() const { return books_replaced_; }

 private:
  QPushButton* AddButton(QLayout* layout, const char* caption, const char* name,
                         std::function<void()> action);

  DataTransfer& transfer_;
  QLabel* last_export_ = nullptr;
  QLabel* last_import_ = nullptr;
  QGroupBox* export_group_ = nullptr;
  QGroupBox* import_group_ = nullptr;
  bool books_replaced_ = false;
};

// Button 110: the window, and the main window built again after an import.
void RunDataTransfer(Program& program, QWidget* parent);

}  // namespace zenkar

#endif  // ZENKAR_APP_UTILITIES_DATA_TRANSFER_DIALOG_H_
