// The "Chart of Accounts (COA)" sub-page of the Setup tab: the accounts in
// chart order (number, description, type, level, title type and balance
// forward) beside an editor with two modes, "Add New" and "Edit Existing",
// and the buttons to save, delete and test the chart.
//
// In "Edit Existing" the editor follows the account selected in the list; in
// "Add New" it holds the account being typed. Every rule is the ledger's: a
// refused change leaves the chart and the list as they were and keeps what
// was typed in the editor, so it can be corrected.
#ifndef ZENKAR_APP_SETUP_CHART_PAGE_H_
#define ZENKAR_APP_SETUP_CHART_PAGE_H_

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QWidget>
#include <string>

#include "app_rules/setup/chart_entry.h"
#include "app_rules/window/program.h"
#include "ledger/ledger.h"

namespace zenkar {

class ChartPage : public QWidget, public LedgerObserver {
  Q_OBJECT

 public:
  explicit ChartPage(Program& program);
  ~ChartPage() override;

  QTableWidget* table() const { return table_; }
  bool adding() const { return add_mode_->isChecked(); }

  // Adds the typed account ("Add New") or changes the selected one ("Edit
  // Existing"); true when the chart took it.
  bool SaveAccount();
  void DeleteAccount();
  void StartAdding();
  void StartEditing();
  void PageShown();

  void OnLedgerChanged(LedgerChange change, int record_number) override;

 private:
  QWidget* BuildEditor();
  QWidget* BuildList();
  void ShowChart();
  void Select(int record_number);
  int SelectedRecord() const;
  void SelectionChanged();
  AccountEntry Entry() const;
  void ShowEntry(const AccountEntry& entry);
  void ClearEditor();

  Program& program_;
  QTableWidget* table_ = nullptr;
  QLabel* total_ = nullptr;
  QRadioButton* add_mode_ = nullptr;
  QRadioButton* edit_mode_ = nullptr;
  QLineEdit* number_ = nullptr;
  QLineEdit* description_ = nullptr;
  QComboBox* type_ = nullptr;
  QComboBox* level_ = nullptr;
  QComboBox* title_type_ = nullptr;
  QLineEdit* balance_forward_ = nullptr;
  QPushButton* save_ = nullptr;
  QPushButton* delete_ = nullptr;
  QPushButton* test_ = nullptr;
  // The entry last shown, for values the choices cannot show (a stored type
  // or level outside the lists).
  AccountEntry shown_;
  // The number of the account selected in the list.
  std::string selected_number_;
  bool filling_ = false;
};

}  // namespace zenkar

#endif  // ZENKAR_APP_SETUP_CHART_PAGE_H_
