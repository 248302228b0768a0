// The capital-account confirmation as a dialog: the prompt, the hint and the
// candidate accounts in a list, with "OK" and "Cancel".
#ifndef ZENKAR_APP_SETUP_CAPITAL_ACCOUNT_DIALOG_H_
#define ZENKAR_APP_SETUP_CAPITAL_ACCOUNT_DIALOG_H_

#include <QDialog>
#include <QListWidget>

#include "app_rules/setup/capital_account.h"
#include "app_rules/window/program.h"

namespace zenkar {

class AccountListDialog : public QDialog {
  Q_OBJECT

 public:
  AccountListDialog(QWidget* parent, const QString& prompt, const QString& hint,
                    const QStringList& choices, int preselected);
  QListWidget* list() const { return list_; }

 private:
  QListWidget* list_ = nullptr;
};

// AccountChooser on AccountListDialog, parented to `parent`.
class QtAccountChooser : public AccountChooser {
 public:
  explicit QtAccountChooser(QWidget* parent) : parent_(parent) {}
  std::optional<int> ChooseAccount(std::string_view prompt, std::string_view hint,
                                   const std::vector<std::string>& choices,
                                   int preselected) override;

 private:
  QWidget* parent_;
};

// Run when the main window opens: asks for the capital account when the
// company has none yet.
void ConfirmCapitalAccountOnOpen(Program& program, QWidget* window);

}  // namespace zenkar

#endif  // ZENKAR_APP_SETUP_CAPITAL_ACCOUNT_DIALOG_H_
