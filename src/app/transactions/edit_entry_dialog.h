// EditEntryDialog: "Edit Existing Check/Deposit Entry" and "Edit Existing
// Journal Entry", opened from the latest-entries boxes. The entry's line in
// the same fields as the entry pages (with the same keys), the Account
// field's list under it, and "Save Changes" / "Cancel". Saving writes
// nothing when nothing changed; otherwise the Ledger rewrites the line and
// moves the posted totals from the old line to the new one.
#ifndef ZENKAR_APP_TRANSACTIONS_EDIT_ENTRY_DIALOG_H_
#define ZENKAR_APP_TRANSACTIONS_EDIT_ENTRY_DIALOG_H_

#include <QDialog>
#include <QPushButton>

#include "app/transactions/entry_line_form.h"
#include "app_rules/transactions/entry_register.h"
#include "app_rules/window/program.h"

namespace zenkar {

class EditEntryDialog : public QDialog {
  Q_OBJECT

 public:
  EditEntryDialog(QWidget* parent, EntryRegister& entry_register, const TransactionRecord& stored,
                  Program& program);

  EntryLineForm* form() const { return form_; }
  QPushButton* save_button() const { return save_; }
  // What "Save Changes" did, once pressed.
  std::optional<EditResult> result_of_save() const { return result_; }

 private:
  void SaveChanges();

  EntryRegister& register_;
  TransactionRecord stored_;
  Program& program_;
  std::vector<AccountLine> account_lines_;
  EntryLineForm* form_ = nullptr;
  QPushButton* save_ = nullptr;
  std::optional<EditResult> result_;
};

}  // namespace zenkar

#endif  // ZENKAR_APP_TRANSACTIONS_EDIT_ENTRY_DIALOG_H_
