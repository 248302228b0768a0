// QtUpdateWindow: the "Zenkar Auto Update" window on Qt.
//
// A small dialog with the status text and an "&Abort" button. It is not
// modal: the checker runs on the one thread and lets the window handle the
// user's clicks whenever it looks for Abort. Abort, Escape and the title
// bar's close button all close it, which is what AbortRequested reports.
#ifndef ZENKAR_UPDATER_WINDOW_QT_UPDATE_WINDOW_H_
#define ZENKAR_UPDATER_WINDOW_QT_UPDATE_WINDOW_H_

#include <QDialog>
#include <QLabel>
#include <QPushButton>

#include "updater/update_window.h"

namespace zenkar {

class QtUpdateWindow : public UpdateWindow {
 public:
  QtUpdateWindow();

  void Show(std::string_view status) override;
  void SetStatus(std::string_view text) override;
  bool AbortRequested() override;
  void Close() override;

  QDialog& dialog() { return dialog_; }
  QLabel& status() { return *status_; }
  QPushButton& abort_button() { return *abort_; }

 private:
  QDialog dialog_;
  QLabel* status_;
  QPushButton* abort_;
};

}  // namespace zenkar

#endif  // ZENKAR_UPDATER_WINDOW_QT_UPDATE_WINDOW_H_
