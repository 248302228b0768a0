// MainWindow: the one window of kxacct.
//
// A tab control with the eight pages in their order, a status line along the
// bottom and the version text in the top corner (at the end of the status
// line when the tabs need the whole width). It is built from the loaded
// books each time the start-up loop runs it: caption from the company name,
// every control in "Arial" at the size kept in the settings, at the kept
// position when that lies on the screen, opening on the kept start page.
// The main window's keyboard shortcuts live here; the work behind them is in
// Program and the page actions. Closing the window runs the program's exit
// handler; a restart closes it so that the start-up loop builds it again.
#ifndef ZENKAR_APP_WINDOW_MAIN_WINDOW_H_
#define ZENKAR_APP_WINDOW_MAIN_WINDOW_H_

#include <QBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QTabWidget>
#include <QWidget>
#include <string_view>
#include <vector>

#include "app/window/tab_page.h"
#include "app_rules/transactions/year_cleanup.h"
#include "app_rules/window/program.h"

namespace zenkar {

class MainWindow : public QWidget, public MainWindowHost {
  Q_OBJECT

 public:
  explicit MainWindow(Program& program);
  ~MainWindow() override;

  // Shows the window: reports pages that do not fit the screen, runs the
  // imports from the companion programs, shows the start page, and on a
  // company without transactions puts the hint on the status line and opens
  // "Getting Started".
  void Open();

  // MainWindowHost
  WindowPosition Position() const override;
  ScreenArea Screen() const override;
  void EndWindow() override;

  QTabWidget* tabs() const { return tabs_; }
  QLabel* status_line() const { return status_line_; }
  QProgressBar* progress_bar() const { return progress_bar_; }
  QLabel* version_label() const { return version_label_; }
  TabPage* page(int index) const { return pages_.at(index); }
  TabPage* page(std::string_view code) const;
  bool closed() const { return closed_; }

  // Brings the page of `code` to the front (ShowPage of the pages' codes).
  void ShowPage(std::string_view code);
  void SetStatusText(const QString& text);

  // F1: help for the control that has the focus.
  void HelpForFocus();
  // F10: the calculator; "Paste" goes to the control that had the focus.
  void ShowCalculator();
  // Alt+D: "Select Check Date".
  void SelectCheckDate();
  // F6: "Add, Edit, and Review Recurring Transactions"; `posted` when F7
  // posted a month before.
  void ShowRecurringEntries(bool posted = false);
  // F7: posts a month of recurring entries, then shows the F6 window.
  void PostRecurringEntries();
  // The year clean-up, each on its own tab only: Ctrl+Z removes the oldest
  // year and Ctrl+Alt+Z deletes every transaction ("Transactions"),
  // Ctrl+Alt+V deletes the inactive payees ("Payees").
  void RemoveOldestYear();
  void DeleteAllTransactions();
  void DeleteInactivePayees();
  // Tests replace the pauses before Ctrl+Alt+Z's last questions.
  void set_warning_pause_for_testing(WarningPause* pause) { test_pause_ = pause; }

 signals:
  void Closed();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildPages();
  void BuildShortcuts();
  void AddShortcut(const QKeySequence& keys, std::function<void()> action);
  // The version text goes into the corner of the tab row when the tabs and
  // it fit the screen's width; otherwise (the "Large" size on a screen 1280
  // pixels wide) to the end of `status_row`, so that every tab shows whole.
  void PlaceVersionText(QBoxLayout* status_row);
  void SizeAndPlace();
  void ReportPagesThatDoNotFit();
  void OnPageChanged(int index);
  // Prints the lines the oldest year's removal takes out through the
  // Reports tab's output target.
  bool PrintOldEntries(const std::vector<TransactionRecord>& removed);

  Program& program_;
  QTabWidget* tabs_ = nullptr;
  QLabel* status_line_ = nullptr;
  QProgressBar* progress_bar_ = nullptr;
  QLabel* version_label_ = nullptr;
  std::vector<TabPage*> pages_;
  int shown_index_ = -1;
  bool closed_ = false;
  WarningPause* test_pause_ = nullptr;
};

// The page of `info`: the page class that fills it, or a plain TabPage for a
// page whose screens are not built yet.
TabPage* CreateTabPage(const TabPageInfo& info, PageContext context);

}  // namespace zenkar

#endif  // ZENKAR_APP_WINDOW_MAIN_WINDOW_H_
