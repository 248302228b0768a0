// InsertTransactionDialog: "Insert New Transaction", opened by the review
// page's button while the file is kept in the order entered. It shows the
// entry the new line goes after ("Insert New Transaction After"), the fields
// of an entry line with "* YTD", "Save as Check/Deposit", "Save as Journal
// Entry" and "Cancel", and the hint that lines at the end are made on the
// entry pages. A save that its checks refuse keeps the dialog open with the
// focus on the field (ReviewList::Insert).
#ifndef ZENKAR_APP_TRANSACTIONS_INSERT_TRANSACTION_DIALOG_H_
#define ZENKAR_APP_TRANSACTIONS_INSERT_TRANSACTION_DIALOG_H_

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <vector>

#include "app/transactions/entry_line_form.h"
#include "app_rules/transactions/review_list.h"
#include "app_rules/window/program.h"

namespace zenkar {

inline constexpr const char* kInsertHint =
    "To add a new transaction after the last non-invoice entry\ngo to the Journal Entry or "
    "Checks and Deposits screen.";

class InsertTransactionDialog : public QDialog {
  Q_OBJECT

 public:
  // `after`: the record the new line goes after (0: before the first).
  InsertTransactionDialog(QWidget* parent, Program& program, ReviewList& list, int after);

  EntryLineForm* form() const { return form_; }
  QLabel* after_line() const { return after_line_; }
  QPushButton* save_check() const { return save_check_; }
  QPushButton* save_journal() const { return save_journal_; }
  // The new line's record number, once saved.
  int inserted() const { return inserted_; }

 private:
  void Save(int32_t kind);
  QWidget* FieldOf(EntryField field) const;

  Program& program_;
  ReviewList& list_;
  int after_;
  std::vector<AccountLine> account_lines_;
  EntryLineForm* form_ = nullptr;
  QLabel* after_line_ = nullptr;
  QPushButton* save_check_ = nullptr;
  QPushButton* save_journal_ = nullptr;
  int inserted_ = 0;
};

}  // namespace zenkar

#endif  // ZENKAR_APP_TRANSACTIONS_INSERT_TRANSACTION_DIALOG_H_
