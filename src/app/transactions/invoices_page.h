// InvoicesPage: the "Invoices" sub-page of the "Transactions" tab (Alt+I).
// One invoice line with its prompt line above it, the box of the latest
// unpaid invoices under it (covered by the list of posting accounts while
// the Account field has the focus), "Unpaid:" with the total of all unpaid
// invoices, and the buttons "Auto Invoice" and "Help". A left click on a
// line of the box opens "Edit Existing Invoice", a right click offers to
// delete the invoice. What the page does is in InvoiceRegister.
#ifndef ZENKAR_APP_TRANSACTIONS_INVOICES_PAGE_H_
#define ZENKAR_APP_TRANSACTIONS_INVOICES_PAGE_H_

#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QWidget>

#include "app/transactions/invoice_line_form.h"
#include "app/transactions/latest_entries_box.h"
#include "app_rules/transactions/invoice_register.h"
#include "app_rules/window/program.h"

namespace zenkar {

class MainWindow;

inline constexpr int kHelpInvoices = 1340;

class InvoicesPage : public QWidget {
 public:
  InvoicesPage(Program& program, MainWindow& window, QWidget* parent = nullptr);

  // The page came to the front: box and total drawn afresh, a new line, the
  // focus in the Payee field.
  void Enter();

  InvoiceRegister& invoice_register() { return register_; }
  InvoiceLineForm* form() const { return form_; }
  LatestEntriesBox* box() const { return box_; }
  QLabel* prompt() const { return prompt_; }
  QLabel* unpaid() const { return unpaid_; }
  QPushButton* auto_invoice_button() const { return auto_invoice_; }
  bool account_list_shown() const { return stack_->currentIndex() == 1; }

  void EditRow(int row);
  void DeleteRow(int row);
  void PostAutoInvoices();

 private:
  void SaveLine();
  void StartNewLine();
  void Redraw();

  Program& program_;
  MainWindow& window_;
  InvoiceRegister register_;
  QLabel* prompt_ = nullptr;
  InvoiceLineForm* form_ = nullptr;
  LatestEntriesBox* box_ = nullptr;
  QStackedWidget* stack_ = nullptr;
  QLabel* unpaid_ = nullptr;
  QPushButton* auto_invoice_ = nullptr;
};

}  // namespace zenkar

#endif  // ZENKAR_APP_TRANSACTIONS_INVOICES_PAGE_H_
