// QtUi: the Ui port on Qt's message boxes, input dialogs and folder picker.
//
// Each message kind keeps its icon and its preselected button: errors and
// information with OK, the two Yes/No questions with Yes or No preselected,
// OK/Cancel with a warning icon and Cancel preselected. Boxes are parented to
// the window in front so they stay with it. The status line and the progress
// of long work go to the main window's status line once it is attached, and
// to a small progress window before that.
#ifndef ZENKAR_PLATFORM_QT_UI_H_
#define ZENKAR_PLATFORM_QT_UI_H_

#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QProgressDialog>
#include <memory>

#include "common/program_password.h"
#include "common/ui.h"

namespace zenkar {

class QtUi : public Ui, public SecretInput {
 public:
  QtUi() = default;
  ~QtUi() override;

  // The main window's status line and progress bar (either may be null).
  void AttachStatusLine(QLabel* status_line, QProgressBar* progress_bar);

  std::optional<std::string> InputBox(std::string_view prompt, std::string_view title,
                                      std::string_view initial) override;
  // Returns the path in the file system's encoding: it names a folder.
  std::optional<std::string> PickFolder(std::string_view prompt, std::string_view start) override;
  void SetStatusText(std::string_view text) override;
  void SetProgress(std::string_view text, long done, long total) override;
  void ClearProgress() override;
  void Beep() override;
  void SetBusy(bool busy) override;

  std::optional<std::string> AskSecret(std::string_view prompt, std::string_view title) override;

 protected:
  bool ShowMessage(const Message& message) override;

 private:
  QPointer<QLabel> status_line_;
  QPointer<QProgressBar> progress_bar_;
  std::unique_ptr<QProgressDialog> progress_window_;
  int busy_depth_ = 0;
};

// The window a dialog should belong to: the modal dialog or window in front.
QWidget* DialogParent();

}  // namespace zenkar

#endif  // ZENKAR_PLATFORM_QT_UI_H_
