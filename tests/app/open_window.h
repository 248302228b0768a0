// A company of tests/app_rules' EntryCompany loaded into an open main window
// on the offscreen platform, made the active window so that its shortcuts
// reach it.
#ifndef ZENKAR_TESTS_APP_OPEN_WINDOW_H_
#define ZENKAR_TESTS_APP_OPEN_WINDOW_H_

#include <QtTest>
#include <functional>
#include <memory>
#include <vector>

#include "app/window/main_window.h"
#include "app_rules/transactions/entry_company.h"

namespace zenkar::testing {

struct OpenWindow {
  // `prepare` is given the window before it opens (to put test stand-ins in).
  explicit OpenWindow(const std::vector<TransactionRecord>& lines = {},
                      const std::function<void(MainWindow&)>& prepare = {})
      : company(lines) {
    loaded = company.Load();
    window = std::make_unique<MainWindow>(company.program);
    company.program.AttachWindow(window.get());
    if (prepare) prepare(*window);
    window->Open();
    if (QTest::qWaitForWindowExposed(window.get())) {
      window->activateWindow();
      if (!QTest::qWaitForWindowActive(window.get())) qWarning("the main window is not active");
    }
    company.ui.ClearMessages();
  }
  ~OpenWindow() { company.program.AttachWindow(nullptr); }

  EntryCompany company;
  bool loaded = false;
  std::unique_ptr<MainWindow> window;
};

}  // namespace zenkar::testing

#endif  // ZENKAR_TESTS_APP_OPEN_WINDOW_H_
