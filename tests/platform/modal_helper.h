// Answers the modal dialog that a call is about to open: `inspect` runs on
// the dialog as soon as it shows (and must close it).
#ifndef ZENKAR_TESTS_PLATFORM_MODAL_HELPER_H_
#define ZENKAR_TESTS_PLATFORM_MODAL_HELPER_H_

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

namespace zenkar::testing {

// Polls for the modal widget of type T and hands it to `inspect` once.
template <typename T>
void WhenModalShows(std::function<void(T*)> inspect) {
  auto* timer = new QTimer;
  timer->setInterval(10);
  QObject::connect(timer, &QTimer::timeout, [timer, inspect] {
    T* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
    if (dialog == nullptr || !dialog->isVisible()) return;
    timer->stop();
    timer->deleteLater();
    inspect(dialog);
  });
  timer->start();
}

}  // namespace zenkar::testing

#endif  // ZENKAR_TESTS_PLATFORM_MODAL_HELPER_H_
