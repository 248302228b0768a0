// The "Add, Edit, and Review Recurring Transactions" window (F6) and the
// posting of a month of recurring entries (F7).
//
// The window lists the templates in the order they post; choosing one shows
// it in the fields below ("Check/Deposit" or "Journal Entry", "Payee",
// "Description / Payee", "Ref. / Ck Num", "Day of Month", "Acct",
// "Reversing Acct", "Amount"); "Add New" starts a new template, "Save
// Entry" saves the one shown, "Delete Entry" removes it, "Post Recurring
// Entries" posts a month. The rules are RecurringEntriesScreen's.
#ifndef ZENKAR_APP_TRANSACTIONS_RECURRING_ENTRIES_DIALOG_H_
#define ZENKAR_APP_TRANSACTIONS_RECURRING_ENTRIES_DIALOG_H_

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <vector>

#include "app_rules/transactions/entry_line.h"
#include "app_rules/transactions/recurring_screen.h"

namespace zenkar {

inline constexpr int kHelpRecurringEntries = 1360;

class RecurringEntriesDialog : public QDialog {
  Q_OBJECT

 public:
  RecurringEntriesDialog(QWidget* parent, Program& program);

  RecurringEntriesScreen& screen() { return screen_; }
  QTableWidget* list() const { return list_; }
  QRadioButton* check_kind() const { return check_kind_; }
  QRadioButton* journal_kind() const { return journal_kind_; }
  QComboBox* payee() const { return payee_; }
  QLineEdit* description() const { return description_; }
  QLineEdit* reference() const { return reference_; }
  QSpinBox* day() const { return day_; }
  QComboBox* account() const { return account_; }
  QComboBox* reversing_account() const { return reversing_account_; }
  QLineEdit* amount() const { return amount_; }

  // The template of list row `row` into the fields (-1: a new template).
  void ShowTemplate(int row);
  RecurringFields Fields() const;
  void SaveTemplate();
  void DeleteTemplate();
  // F7 from within the window.
  void PostMonth();
  // True once a month was posted from the window.
  bool posted() const { return posted_; }

 private:
  QWidget* BuildEditor();
  QWidget* BuildButtons();
  void FillList();
  void ShowKind(bool journal);

  Program& program_;
  RecurringEntriesScreen screen_;
  std::vector<AccountLine> account_lines_;
  int shown_row_ = -1;
  bool posted_ = false;
  QTableWidget* list_ = nullptr;
  QRadioButton* check_kind_ = nullptr;
  QRadioButton* journal_kind_ = nullptr;
  QComboBox* payee_ = nullptr;
  QLineEdit* description_ = nullptr;
  QLineEdit* reference_ = nullptr;
  QSpinBox* day_ = nullptr;
  QComboBox* account_ = nullptr;
  QComboBox* reversing_account_ = nullptr;
  QLineEdit* amount_ = nullptr;
};

// "Select Month and Year for Recurring Entries": a month list and a field
// "Year", starting on the month of `today`.
class MonthYearDialog : public QDialog {
  Q_OBJECT

 public:
  MonthYearDialog(QWidget* parent, DayNumber today);
  QComboBox* month() const { return month_; }
  QSpinBox* year() const { return year_; }

 private:
  QComboBox* month_ = nullptr;
  QSpinBox* year_ = nullptr;
};

// F7: checks the templates, asks for the month and posts it; true when the
// month was posted.
bool PostRecurringEntriesFor(QWidget* parent, Program& program, RecurringEntriesScreen& screen);

}  // namespace zenkar

#endif  // ZENKAR_APP_TRANSACTIONS_RECURRING_ENTRIES_DIALOG_H_
