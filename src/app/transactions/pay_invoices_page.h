// PayInvoicesPage: the "Pay Invoices" sub-page of the "Transactions" tab
// (Alt+P). A list of every unpaid invoice ("Payee", "Invoice Number", "Due
// Date", "Amount") in which several rows may be selected, sorted by a click
// on a column header; a right click offers to select every invoice sharing
// the clicked value. Beside it "Current Bank Balance", "Selected For
// Payment" and "New Bank Balance" (red when negative), the buttons "Pay
// Highlighted Invoices (Print Checks)", "Save as Paid - Without Printing" and
// "Help", and the two hint lines. The list is a table view over the rows of
// PayInvoicesList, so thousands of invoices open without a widget per row.
#ifndef ZENKAR_APP_TRANSACTIONS_PAY_INVOICES_PAGE_H_
#define ZENKAR_APP_TRANSACTIONS_PAY_INVOICES_PAGE_H_

#include <QAbstractTableModel>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QWidget>
#include <vector>

#include "app_rules/transactions/pay_invoices.h"
#include "app_rules/window/program.h"

namespace zenkar {

class MainWindow;

inline constexpr int kHelpPayInvoices = 1350;

// The list's rows, read by index from PayInvoicesList.
class UnpaidInvoicesModel : public QAbstractTableModel {
 public:
  explicit UnpaidInvoicesModel(PayInvoicesList& list, QObject* parent = nullptr);
  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  // The rows changed as a whole (read again or sorted).
  void Reset();

 private:
  PayInvoicesList& list_;
};

class PayInvoicesPage : public QWidget {
 public:
  PayInvoicesPage(Program& program, MainWindow& window, QWidget* parent = nullptr);

  // The page came to the front: the invoices read again, nothing selected.
  void Enter();

  PayInvoicesList& list() { return list_; }
  QTableView* view() const { return view_; }
  QLabel* bank_balance() const { return bank_balance_; }
  QLabel* selected_total() const { return selected_total_; }
  QLabel* new_balance() const { return new_balance_; }
  QPushButton* pay_button() const { return pay_; }
  QPushButton* save_as_paid_button() const { return save_as_paid_; }

  // The rows selected, in list order.
  std::vector<int> SelectedRows() const;
  // A right click on `row` in `column`.
  void SelectAllLike(int row, int column);
  void Pay(PayMode mode);

 private:
  void ShowFigures();
  void Reload();

  Program& program_;
  MainWindow& window_;
  PayInvoicesList list_;
  UnpaidInvoicesModel* model_ = nullptr;
  QTableView* view_ = nullptr;
  QLabel* bank_balance_ = nullptr;
  QLabel* selected_total_ = nullptr;
  QLabel* new_balance_ = nullptr;
  QPushButton* pay_ = nullptr;
  QPushButton* save_as_paid_ = nullptr;
};

}  // namespace zenkar

#endif  // ZENKAR_APP_TRANSACTIONS_PAY_INVOICES_PAGE_H_
