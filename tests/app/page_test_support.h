// What the page tests on Qt's offscreen platform share: the main window opened
// and in front, controls found by name, and keys typed as a user types them.
#ifndef ZENKAR_TESTS_APP_PAGE_TEST_SUPPORT_H_
#define ZENKAR_TESTS_APP_PAGE_TEST_SUPPORT_H_

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <memory>

#include "app/window/main_window.h"
#include "app/window/tab_page.h"

namespace zenkar::testing {

// The main window of `program`, opened, shown and active (under Xvfb there is
// no window manager to activate it).
inline std::unique_ptr<MainWindow> OpenMainWindow(Program& program) {
  auto window = std::make_unique<MainWindow>(program);
  program.AttachWindow(window.get());
  window->Open();
  if (QTest::qWaitForWindowExposed(window.get())) {
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window.get())) qWarning("the main window is not active");
  }
  return window;
}

// The control named `name` inside `window`, with a warning when there is none.
template <typename T>
T* Find(QWidget* window, const char* name) {
  T* found = window->findChild<T*>(name);
  if (found == nullptr) qWarning("no control %s", name);
  return found;
}

// The button with the control number `number`.
inline QPushButton* Button(QWidget* window, int number) {
  return window->findChild<QPushButton*>(ControlName(number));
}

inline QWidget* Focused() { return QApplication::focusWidget(); }

// Keys one at a time, each to the control that has the focus then.
inline void Type(const QString& text) {
  for (QChar c : text) QTest::keyClick(Focused(), c.toLatin1());
}
inline void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QTest::keyClick(Focused(), key, modifiers);
}

// Puts the focus in `edit` and types `text` over what it held.
inline void TypeOver(QLineEdit* edit, const QString& text) {
  edit->setFocus(Qt::TabFocusReason);
  edit->selectAll();
  if (text.isEmpty()) {
    QTest::keyClick(edit, Qt::Key_Delete);
  } else {
    QTest::keyClicks(edit, text);
  }
}

}  // namespace zenkar::testing

#endif  // ZENKAR_TESTS_APP_PAGE_TEST_SUPPORT_H_
