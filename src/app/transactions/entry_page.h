// EntryPage: the "Checks and Deposits" and "Journal Entries" sub-pages of
// the "Transactions" tab. Each is one entry line with its prompt line above
// it, the box of the latest entries of its kind under it (covered by the
// list of posting accounts while the Account field has the focus), and the
// figure the page keeps on show: the bank balance on the check page,
// "Posting Total:" on the journal page. What the page does is in
// EntryRegister; this class draws it and routes keys and clicks.
#ifndef ZENKAR_APP_TRANSACTIONS_ENTRY_PAGE_H_
#define ZENKAR_APP_TRANSACTIONS_ENTRY_PAGE_H_

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QWidget>

#include "app/transactions/entry_line_form.h"
#include "app/transactions/latest_entries_box.h"
#include "app_rules/transactions/entry_register.h"
#include "app_rules/window/program.h"

namespace zenkar {

class MainWindow;

// Help contexts of the two pages.
inline constexpr int kHelpChecksAndDeposits = 1310;
inline constexpr int kHelpJournalEntries = 1320;

class EntryPage : public QWidget {
 public:
  // `kind`: kCheckOrDeposit or kJournalLine.
  EntryPage(Program& program, MainWindow& window, int32_t kind, QWidget* parent = nullptr);

  // The page came to the front: figures and box drawn afresh, a new line,
  // the focus in the first field.
  void Enter();

  EntryRegister& entry_register() { return register_; }
  EntryLineForm* form() const { return form_; }
  LatestEntriesBox* box() const { return box_; }
  QLabel* prompt() const { return prompt_; }
  // "Bank Acct (...):" or "Posting Total:" and its figure.
  QLabel* figure_caption() const { return figure_caption_; }
  QLabel* figure() const { return figure_; }
  // True while the account list covers the latest-entries box.
  bool account_list_shown() const { return stack_->currentIndex() == 1; }

  // Puts a button of a later feature ("Print a Check (Quick Check)",
  // "Import Payroll", "Import Receivables") into the row beside "Help".
  void AddButton(QPushButton* button);

  // "Select Check Date" chose a new default check date: the open line takes
  // it when its date is still the one the line started with.
  void DefaultCheckDateChanged();

  // What a left and a right click on line `row` of the box do.
  void EditRow(int row);
  void VoidOrDeleteRow(int row);

 private:
  QWidget* BuildBoxPage(const char* caption_text);
  QLayout* BuildFigureRow();
  void SaveLine();
  void StartNewLine();
  void Redraw();
  void ShowFigure();

  Program& program_;
  MainWindow& window_;
  EntryRegister register_;
  QLabel* prompt_ = nullptr;
  EntryLineForm* form_ = nullptr;
  LatestEntriesBox* box_ = nullptr;
  QStackedWidget* stack_ = nullptr;
  QLabel* figure_caption_ = nullptr;
  QLabel* figure_ = nullptr;
  QHBoxLayout* button_row_ = nullptr;
};

}  // namespace zenkar

#endif  // ZENKAR_APP_TRANSACTIONS_ENTRY_PAGE_H_
