// EntryLineForm: the five fields of one entry line under their column
// captions, in tab order Payee, Ref./Check Number, Date, Account, Amount,
// and (on the entry pages) the invisible save trigger after the amount.
// Choosing a payee offers its default account. The
// entry pages and the edit dialogs both use it; the owner places the
// Account field's list of posting accounts where it wants it shown.
#ifndef ZENKAR_APP_TRANSACTIONS_ENTRY_LINE_FORM_H_
#define ZENKAR_APP_TRANSACTIONS_ENTRY_LINE_FORM_H_

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <vector>

#include "app/transactions/entry_fields.h"
#include "app_rules/transactions/entry_line.h"
#include "app_rules/transactions/entry_register.h"
#include "common/date_patterns.h"

namespace zenkar {

struct EntryFormOptions {
  // The column captions, left to right ("\n" puts a caption over two lines).
  QStringList captions;
  // A "* YTD" check box beside the amount (journal lines).
  bool ytd_box = false;
  // Called when the save trigger is reached; no trigger when empty.
  std::function<void()> on_save;
  // Sounds when the account search refuses a keystroke.
  std::function<void()> beep;
  // The company's "Use Fixed Decimal Position" option, asked as the amount
  // is typed (the Setup page may change it while the form is open).
  std::function<bool()> fixed_decimal;
};

class EntryLineForm : public QWidget {
 public:
  EntryLineForm(const EntryFormOptions& options, const DatePatterns& patterns,
                QWidget* parent = nullptr);

  // The line on show, and showing one (a new line also lets "+" add one to
  // the reference again).
  EntryLine Line() const;
  void SetLine(const EntryLine& line);

  // The payees (kept by the owner): choosing one offers its "Default
  // Account" in the Account field, unless the user chose an account there.
  void SetPayees(const PayeeList& payees);
  void SetAccountLines(const std::vector<AccountLine>* lines);

  // Called with the field that has just got the focus.
  void set_on_field_focus(std::function<void(EntryField)> on_focus) {
    on_field_focus_ = std::move(on_focus);
  }

  PayeeField* payee() const { return payee_; }
  ReferenceField* reference() const { return reference_; }
  DateField* date() const { return date_; }
  AccountField* account() const { return account_; }
  AmountField* amount() const { return amount_; }
  QCheckBox* ytd() const { return ytd_; }
  QListWidget* account_list() const { return account_list_; }
  // The five fields left to right (the columns of the latest-entries box),
  // then the "* YTD" box when there is one.
  std::vector<QWidget*> columns() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void OfferDefaultAccount();

  PayeeField* payee_;
  ReferenceField* reference_;
  DateField* date_;
  AccountField* account_;
  AmountField* amount_;
  QCheckBox* ytd_ = nullptr;
  SaveTrigger* trigger_ = nullptr;
  QListWidget* account_list_;
  std::function<void(EntryField)> on_field_focus_;
  const PayeeList* payees_ = nullptr;
  const std::vector<AccountLine>* account_lines_ = nullptr;
  // The account last put in for the payee on this line ("" when none).
  std::string offered_account_;
};

}  // namespace zenkar

#endif  // ZENKAR_APP_TRANSACTIONS_ENTRY_LINE_FORM_H_
