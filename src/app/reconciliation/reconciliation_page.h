// The "Bank Reconciliation" tab: the statement's dates, the list "Checks,
// Deposits and Journal Entries" of the statement period and the list
// "Outstanding Entries", each row with its check box, the statement's ending
// balance and five adjustments, the figures ("Less Outstanding Items",
// "Balance Per Reconciliation", the book balance "Bank Balance Through " +
// the ending date) and the result line; "View / Print (PDF)", "Reset" and
// "Help".
//
// Ticking a row of the first list marks the entry outstanding (it has not
// reached the bank); a row of "Outstanding Entries" is unticked there. The
// lists are table models over the session's items, so a statement of many
// thousand entries opens at once. Everything else -- the items, the period,
// the figures, saving after every change -- is ReconciliationSession's.
#ifndef ZENKAR_APP_RECONCILIATION_RECONCILIATION_PAGE_H_
#define ZENKAR_APP_RECONCILIATION_RECONCILIATION_PAGE_H_

#include <QAbstractTableModel>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <array>

#include "app/window/tab_page.h"
#include "app_rules/reconciliation/reconciliation_session.h"

namespace zenkar {

// One of the two lists: rows are the items `rows()` names.
class ReconciliationListModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  ReconciliationListModel(ReconciliationSession& session,
                          const std::vector<int>& (ReconciliationSession::*rows)() const,
                          QObject* parent);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;

  // The item of `row`.
  int ItemAt(int row) const { return (session_.*rows_)().at(row); }
  // The session's list changed: every row is read again.
  void Reload();
  // Only marks changed: the check boxes are drawn again.
  void MarksChanged();

 signals:
  // The user clicked the check box of `row`.
  void ToggleRequested(int row);

 private:
  ReconciliationSession& session_;
  const std::vector<int>& (ReconciliationSession::*rows_)() const;
};

class ReconciliationPage : public TabPage {
  Q_OBJECT

 public:
  ReconciliationPage(const TabPageInfo& info, PageContext context);

  void PageShown() override;

  ReconciliationSession& session() { return session_; }
  QDateEdit* starting_date() const { return starting_date_; }
  QDateEdit* ending_date() const { return ending_date_; }
  QTableView* period_list() const { return period_list_; }
  QTableView* outstanding_list() const { return outstanding_list_; }
  QLineEdit* ending_balance() const { return ending_balance_; }
  QLineEdit* adjustment_description(int i) const { return adjustment_descriptions_.at(i); }
  QLineEdit* adjustment_amount(int i) const { return adjustment_amounts_.at(i); }
  QLabel* outstanding_figure() const { return outstanding_; }
  QLabel* per_reconciliation() const { return per_reconciliation_; }
  QLabel* book_balance_caption() const { return book_caption_; }
  QLabel* book_balance() const { return book_balance_; }
  QLabel* result() const { return result_; }

  // "View / Print (PDF)": the "Bank-Rec" report of the statement period.
  void ViewReport();
  // "Reset".
  void Reset();
  // A click in either list toggles the row's mark.
  void Toggle(ReconciliationListModel* model, int row);

 private:
  QWidget* BuildDates();
  QWidget* BuildLists();
  QWidget* BuildStatement();
  QWidget* BuildButtons();
  QTableView* MakeList(int number, ReconciliationListModel* model);
  void ShowValues();
  void ShowFigures();
  void Reload();

  ReconciliationSession session_;
  ReconciliationListModel* period_model_ = nullptr;
  ReconciliationListModel* outstanding_model_ = nullptr;
  QDateEdit* starting_date_ = nullptr;
  QDateEdit* ending_date_ = nullptr;
  QTableView* period_list_ = nullptr;
  QTableView* outstanding_list_ = nullptr;
  QLineEdit* ending_balance_ = nullptr;
  std::array<QLineEdit*, kStatementAdjustments> adjustment_descriptions_{};
  std::array<QLineEdit*, kStatementAdjustments> adjustment_amounts_{};
  QLabel* outstanding_ = nullptr;
  QLabel* per_reconciliation_ = nullptr;
  QLabel* book_caption_ = nullptr;
  QLabel* book_balance_ = nullptr;
  QLabel* result_ = nullptr;
  QLabel* difference_ = nullptr;
};

}  // namespace zenkar

#endif  // ZENKAR_APP_RECONCILIATION_RECONCILIATION_PAGE_H_
