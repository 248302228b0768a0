// ReviewPage: the "Review and Edit All Transactions" sub-page of the
// "Transactions" tab. The list of every line in the file's order is a table
// model over ReviewList, which reads only the lines on show, so 100,000 lines
// open at once. Beside it "Sort Transactions:" ("By Date", "Order Entered"),
// "Insert New Transaction", "Find", "Delete", "Print a Check (Quick
// Check)", "Balance", "Help", "Total Unpaid:" and the bank balance; under it
// the summary of the selected entry.
//
// A left click on a check/deposit or journal line opens its edit dialog; a
// right click voids or deletes the entry as the entry pages do; "Delete"
// deletes without offering to void.
#ifndef ZENKAR_APP_TRANSACTIONS_REVIEW_PAGE_H_
#define ZENKAR_APP_TRANSACTIONS_REVIEW_PAGE_H_

#include <QAbstractTableModel>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QWidget>

#include "app_rules/transactions/entry_register.h"
#include "app_rules/transactions/review_list.h"
#include "app_rules/window/program.h"

namespace zenkar {

class MainWindow;

// The help context of the page.
inline constexpr int kHelpReviewTransactions = 1370;

// The list: row n is record n + 1.
class ReviewListModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  enum Column { kPayee, kReference, kDate, kAccount, kAmount, kYtd, kColumns };

  ReviewListModel(ReviewList& list, QObject* parent);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  // Every row read again (lines inserted, deleted, sorted).
  void Reload();
  // Row `row` read again (a line rewritten in place).
  void RowChanged(int row);

 private:
  ReviewList& list_;
};

class ReviewPage : public QWidget {
  Q_OBJECT

 public:
  ReviewPage(Program& program, MainWindow& window, QWidget* parent = nullptr);

  // The page came to the front: the figures drawn afresh, the focus in the
  // list (on the last line when none is selected).
  void Enter();

  ReviewList& list() { return list_; }
  QTableView* view() const { return view_; }
  ReviewListModel* model() const { return model_; }
  QRadioButton* by_date() const { return by_date_; }
  QRadioButton* order_entered() const { return order_entered_; }
  QLabel* total_unpaid() const { return total_unpaid_; }
  QLabel* bank_caption() const { return bank_caption_; }
  QLabel* bank_balance() const { return bank_balance_; }
  QLabel* summary_caption() const { return summary_caption_; }
  QLabel* summary_amount() const { return summary_amount_; }
  // The record of the selected row; 0 when none is selected.
  int selected_record() const;
  // Selects record `number` and scrolls it into view.
  void SelectRecord(int number);

  // What the clicks and buttons do.
  void EditRecord(int number);
  void VoidOrDeleteRecord(int number);
  void Insert();
  void Find();
  void Delete();
  void Balance();
  void QuickCheck();
  void ChooseOrder(TransactionOrder order);

 private:
  QWidget* BuildButtons();
  QTableView* BuildList();
  QLayout* BuildSummary();
  void ListChanged(LedgerChange change, int record_number);
  void ShowOrder();
  void ShowFigures();
  void ShowSummary();

  Program& program_;
  MainWindow& window_;
  ReviewList list_;
  // The edit dialogs save through the entry pages' rules.
  EntryRegister check_register_;
  EntryRegister journal_register_;
  ReviewListModel* model_ = nullptr;
  QTableView* view_ = nullptr;
  QRadioButton* by_date_ = nullptr;
  QRadioButton* order_entered_ = nullptr;
  QLabel* total_unpaid_ = nullptr;
  QLabel* bank_caption_ = nullptr;
  QLabel* bank_balance_ = nullptr;
  QLabel* summary_caption_ = nullptr;
  QLabel* summary_amount_ = nullptr;
};

}  // namespace zenkar

#endif  // ZENKAR_APP_TRANSACTIONS_REVIEW_PAGE_H_
