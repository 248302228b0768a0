// The payroll import's selection window: "Import Employee Payroll:" and the
// count of checks, one row per paycheck (check number, date, employee and
// the amounts of the layout), "&Import" and "&Cancel".
#ifndef ZENKAR_APP_TRANSACTIONS_PAYCHECK_SELECTION_DIALOG_H_
#define ZENKAR_APP_TRANSACTIONS_PAYCHECK_SELECTION_DIALOG_H_

#include <QDialog>
#include <QPushButton>
#include <QTableWidget>

#include "common/date_patterns.h"
#include "services/imports/payroll_import.h"

namespace zenkar {

class PaycheckSelectionDialog : public QDialog {
  Q_OBJECT

 public:
  PaycheckSelectionDialog(const PaycheckSelection& selection, const DatePatterns& dates,
                          QWidget* parent);

  QTableWidget* table() const { return table_; }
  QPushButton* import_button() const { return import_; }
  QPushButton* cancel_button() const { return cancel_; }

 private:
  QTableWidget* table_ = nullptr;
  QPushButton* import_ = nullptr;
  QPushButton* cancel_ = nullptr;
};

// The window as the payroll import's chooser, parented to `parent`.
class QtPaycheckChooser : public PaycheckChooser {
 public:
  QtPaycheckChooser(QWidget* parent, const DatePatterns& dates) : parent_(parent), dates_(dates) {}
  bool Confirm(const PaycheckSelection& selection) override;

 private:
  QWidget* parent_;
  const DatePatterns& dates_;
};

}  // namespace zenkar

#endif  // ZENKAR_APP_TRANSACTIONS_PAYCHECK_SELECTION_DIALOG_H_
