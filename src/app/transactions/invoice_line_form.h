// InvoiceLineForm: the six fields of an unpaid invoice under their column
// captions, in tab order Payee (chosen from the payee list, no free text),
// Invoice Date, Due Date, Invoice Number, Account and Amount, and (on the
// "Invoices" page) the invisible save trigger after the amount. The keys are
// those of the check register (entry_fields.h). The page and the "Edit
// Existing Invoice" dialog both use it; the owner places the Account
// field's list of posting accounts where it wants it shown.
#ifndef ZENKAR_APP_TRANSACTIONS_INVOICE_LINE_FORM_H_
#define ZENKAR_APP_TRANSACTIONS_INVOICE_LINE_FORM_H_

#include <QLineEdit>
#include <QListWidget>
#include <QWidget>
#include <functional>
#include <vector>

#include "app/transactions/entry_fields.h"
#include "app_rules/transactions/invoice_register.h"
#include "common/date_patterns.h"

namespace zenkar {

// The Invoice Number: Enter moves on, Esc goes back.
class InvoiceNumberField : public QLineEdit {
 public:
  explicit InvoiceNumberField(QWidget* parent = nullptr);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;

 private:
  FocusKeys keys_{true};
};

struct InvoiceFormOptions {
  // Called when the save trigger is reached; no trigger when empty.
  std::function<void()> on_save;
  std::function<void()> beep;
  std::function<bool()> fixed_decimal;
};

class InvoiceLineForm : public QWidget {
 public:
  InvoiceLineForm(const InvoiceFormOptions& options, const DatePatterns& patterns,
                  QWidget* parent = nullptr);

  InvoiceLine Line() const;
  void SetLine(const InvoiceLine& line);
  // The payees, in payee number order; choosing one offers its "Default
  // Account" in the Account field, unless the user chose an account there.
  void SetPayees(const PayeeList& payees);
  void SetAccountLines(const std::vector<AccountLine>* lines);

  void set_on_field_focus(std::function<void(InvoiceField)> on_focus) {
    on_field_focus_ = std::move(on_focus);
  }

  PayeeField* payee() const { return payee_; }
  DateField* invoice_date() const { return invoice_date_; }
  DateField* due_date() const { return due_date_; }
  InvoiceNumberField* invoice_number() const { return invoice_number_; }
  AccountField* account() const { return account_; }
  AmountField* amount() const { return amount_; }
  QListWidget* account_list() const { return account_list_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void OfferDefaultAccount();

  PayeeField* payee_;
  DateField* invoice_date_;
  DateField* due_date_;
  InvoiceNumberField* invoice_number_;
  AccountField* account_;
  AmountField* amount_;
  QListWidget* account_list_;
  std::function<void(InvoiceField)> on_field_focus_;
  const PayeeList* payees_ = nullptr;
  const std::vector<AccountLine>* account_lines_ = nullptr;
  std::string offered_account_;
};

}  // namespace zenkar

#endif  // ZENKAR_APP_TRANSACTIONS_INVOICE_LINE_FORM_H_
