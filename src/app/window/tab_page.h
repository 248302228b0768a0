// TabPage: one page of the main window's tab control.
//
// Every page of MainWindow is a TabPage: it knows its TabCode, caption,
// status caption and help context, and is told each time it comes to the
// front. A page with content derives from it (UtilitiesPage, HelpPage,
// SetupPage); pages whose screens are not written yet are plain TabPages.
// Buttons carry their control numbers, as object names "control" + number,
// so that tests and later pages find them.
#ifndef ZENKAR_APP_WINDOW_TAB_PAGE_H_
#define ZENKAR_APP_WINDOW_TAB_PAGE_H_

#include <QPushButton>
#include <QString>
#include <QWidget>
#include <functional>

#include "app_rules/window/main_window_rules.h"
#include "app_rules/window/program.h"

namespace zenkar {

class MainWindow;

// What a page works with.
struct PageContext {
  Program& program;
  MainWindow& window;
};

class TabPage : public QWidget {
  Q_OBJECT

 public:
  TabPage(const TabPageInfo& info, PageContext context);

  const TabPageInfo& info() const { return info_; }
  // Called each time the page comes to the front, after the main window has
  // put the page's status caption on the status line.
  virtual void PageShown() {}

 protected:
  Program& program() { return context_.program; }
  MainWindow& window() { return context_.window; }
  // A button with its control number; `action` runs when it is pressed.
  QPushButton* MakeButton(int number, const QString& caption, std::function<void()> action);

 private:
  TabPageInfo info_;
  PageContext context_;
};

// The object name of the control with `number` ("control102").
QString ControlName(int number);

}  // namespace zenkar

#endif  // ZENKAR_APP_WINDOW_TAB_PAGE_H_
