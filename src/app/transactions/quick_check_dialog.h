// QuickCheckDialog: "Create and Print a New Check (Quick Check)", opened by
// "Print a Check (Quick Check)" on the "Checks and Deposits" page and by
// Ctrl+Q. "Select Payee" (its first line "* New Payee *"), the payee's name,
// address, phone and memo (name and address editable only for a new
// payee), "Invoice Number", "Account", "Check Number", "Check Date", "Check
// Amount" and the bank balance; "Save and Print", "Help" and "Cancel".
//
// "Save and Print" makes the quick check's checks (AcceptQuickCheck); a
// refusal keeps the dialog open with the focus on the field. Accepted, the
// dialog closes and RunQuickCheck prints the check (PrintQuickCheck).
#ifndef ZENKAR_APP_TRANSACTIONS_QUICK_CHECK_DIALOG_H_
#define ZENKAR_APP_TRANSACTIONS_QUICK_CHECK_DIALOG_H_

#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <vector>

#include "app_rules/transactions/entry_line.h"
#include "app_rules/window/program.h"
#include "output/quick_check.h"

namespace zenkar {

class MainWindow;

// The help context of the dialog.
inline constexpr int kHelpQuickCheck = 1311;

class QuickCheckDialog : public QDialog {
  Q_OBJECT

 public:
  QuickCheckDialog(QWidget* parent, Program& program);

  // The accepted quick check (after "Save and Print" closed the dialog).
  const QuickCheck& check() const { return check_; }

  QComboBox* payee() const { return payee_; }
  QLineEdit* name_line_1() const { return name_1_; }
  QComboBox* account() const { return account_; }
  QLineEdit* number() const { return number_; }
  QLineEdit* amount() const { return amount_; }
  QLineEdit* invoice_number() const { return invoice_; }
  QLineEdit* memo() const { return memo_; }
  QPushButton* save_button() const { return save_; }

 private:
  void PayeeChosen(int index);
  QuickCheck Check() const;
  void SaveAndPrint();
  QWidget* Field(QuickCheckField field) const;

  Program& program_;
  std::vector<int> payees_;  // the payee of each line after "* New Payee *"
  std::vector<AccountLine> accounts_;
  QComboBox* payee_ = nullptr;
  QLineEdit* name_1_ = nullptr;
  QLineEdit* name_2_ = nullptr;
  QLineEdit* address_ = nullptr;
  QLineEdit* city_ = nullptr;
  QLineEdit* phone_ = nullptr;
  QLineEdit* memo_ = nullptr;
  QLineEdit* invoice_ = nullptr;
  QComboBox* account_ = nullptr;
  QLineEdit* number_ = nullptr;
  QDateEdit* date_ = nullptr;
  QLineEdit* amount_ = nullptr;
  QPushButton* save_ = nullptr;
  QuickCheck check_;
};

// The quick check from the window: the dialog, then the print through the
// program's printer (or a PDF preview when there is no printer).
void RunQuickCheck(Program& program, MainWindow& window);

}  // namespace zenkar

#endif  // ZENKAR_APP_TRANSACTIONS_QUICK_CHECK_DIALOG_H_
