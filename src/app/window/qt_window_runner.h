// QtWindowRunner: runs MainWindow for the start-up loop.
//
// Each run applies the font of the settings, builds the window, hands its
// status line to the Ui adapter, shows it and waits until it closes. With a
// screenshot folder it saves a picture of every page and then closes the
// window itself, answering any message box with its preselected button (and
// saving a picture of that too).
#ifndef ZENKAR_APP_WINDOW_QT_WINDOW_RUNNER_H_
#define ZENKAR_APP_WINDOW_QT_WINDOW_RUNNER_H_

#include <QString>

#include "app/window/main_window.h"
#include "app_rules/window/program.h"
#include "platform/help_window.h"
#include "platform/qt_ui.h"

namespace zenkar {

class QtWindowRunner : public WindowRunner {
 public:
  QtWindowRunner(QtUi& ui, QtHelpViewer& help_viewer, QString screenshot_folder = "")
      : ui_(ui), help_viewer_(help_viewer), screenshot_folder_(std::move(screenshot_folder)) {}

  void RunMainWindow(Program& program) override;

 private:
  void TakeScreenshots(MainWindow& window);

  QtUi& ui_;
  QtHelpViewer& help_viewer_;
  QString screenshot_folder_;
};

// For a run that nobody watches: every dialog that comes up is saved as a
// picture into `folder` and then answered -- a message box with its
// preselected button, any other dialog with Cancel -- for as long as `owner`
// lives.
void AnswerDialogsForScreenshots(QObject* owner, const QString& folder);

}  // namespace zenkar

#endif  // ZENKAR_APP_WINDOW_QT_WINDOW_RUNNER_H_
