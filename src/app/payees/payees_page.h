// The "Payees" page: the payee list with its search, and the payee's fields
// -- "Name 1", "Name 2", "Address", "City, State, ZIP", "ID Number", "Memo",
// "Phone", the "1099 Type", the "Default Account" and the two "Auto Invoice"
// lines -- with the buttons to add, save and delete.
//
// Choosing a payee in the list shows it; "Add New Payee" clears the fields
// for a new one. "Save Payee" (or Enter on the last field) adds the new payee
// or saves the one shown, renaming it in its entries when "Name 1" changed.
// Typing in "Search" narrows the list to the payees whose name, address,
// phone or memo hold the text.
#ifndef ZENKAR_APP_PAYEES_PAYEES_PAGE_H_
#define ZENKAR_APP_PAYEES_PAYEES_PAGE_H_

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <array>

#include "app/window/tab_page.h"
#include "app_rules/payees/payees_entry.h"
#include "ledger/ledger.h"

namespace zenkar {

class PayeesPage : public TabPage, public LedgerObserver {
  Q_OBJECT

 public:
  PayeesPage(const TabPageInfo& info, PageContext context);
  ~PayeesPage() override;

  QListWidget* list() const { return list_; }
  // The payee shown, or 0 while a new payee is typed.
  int shown_payee() const { return shown_; }

  void StartNewPayee();
  // Adds or saves the payee shown; true when the ledger took it.
  bool SavePayee();
  void DeletePayee();
  void ShowPayee(int number);

  void PageShown() override;
  void OnLedgerChanged(LedgerChange change, int record_number) override;

 private:
  struct AutoInvoiceFields {
    QLineEdit* description;
    QLineEdit* amount;
    QLineEdit* account;
    QLineEdit* day;
  };

  QWidget* BuildList();
  QWidget* BuildFields();
  QWidget* BuildAutoInvoice(int line);
  QLineEdit* AddLine(const QString& name, int width);
  void FillList();
  void SelectInList(int number);
  PayeeEntry Entry() const;
  void ShowEntry(const PayeeEntry& entry);
  void ShowDefaultAccount();
  void SetUpKeys();

  QLineEdit* search_ = nullptr;
  QListWidget* list_ = nullptr;
  QLabel* heading_ = nullptr;
  QLineEdit* name_ = nullptr;
  QLineEdit* name_2_ = nullptr;
  QLineEdit* address_ = nullptr;
  QLineEdit* city_state_zip_ = nullptr;
  QLineEdit* id_number_ = nullptr;
  QLineEdit* memo_ = nullptr;
  QLineEdit* phone_ = nullptr;
  std::array<QRadioButton*, 3> types_1099_{};  // "None", "Misc", "Rent"
  QLineEdit* default_account_ = nullptr;
  QLabel* default_account_description_ = nullptr;
  std::array<AutoInvoiceFields, kAutoInvoicesShown> auto_invoices_{};
  QPushButton* add_ = nullptr;
  QPushButton* save_ = nullptr;
  QPushButton* delete_ = nullptr;
  int shown_ = 0;
  bool filling_ = false;
};

}  // namespace zenkar

#endif  // ZENKAR_APP_PAYEES_PAYEES_PAGE_H_
