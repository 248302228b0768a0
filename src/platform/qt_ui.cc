#include "platform/qt_ui.h"

#include <QApplication>
#include <QFileDialog>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>

#include "platform/text_conversion.h"

namespace zenkar {
namespace {

struct BoxShape {
  QMessageBox::Icon icon;
  QMessageBox::StandardButtons buttons;
  QMessageBox::StandardButton preselected;
};

BoxShape ShapeOf(MessageKind kind) {
  switch (kind) {
    case MessageKind::kError:
      return {QMessageBox::Critical, QMessageBox::Ok, QMessageBox::Ok};
    case MessageKind::kInformation:
      return {QMessageBox::Information, QMessageBox::Ok, QMessageBox::Ok};
    case MessageKind::kYesNoDefaultYes:
      return {QMessageBox::Question, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes};
    case MessageKind::kYesNoDefaultNo:
      return {QMessageBox::Question, QMessageBox::Yes | QMessageBox::No, QMessageBox::No};
    case MessageKind::kOkCancel:
      return {QMessageBox::Warning, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel};
  }
  return {QMessageBox::NoIcon, QMessageBox::Ok, QMessageBox::Ok};
}

std::optional<std::string> AskText(std::string_view prompt, std::string_view title,
                                   std::string_view initial, QLineEdit::EchoMode echo) {
  QInputDialog dialog(DialogParent());
  dialog.setWindowTitle(FromCp1252(title));
  dialog.setLabelText(FromCp1252(prompt));
  dialog.setTextValue(FromCp1252(initial));
  dialog.setTextEchoMode(echo);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return ToCp1252(dialog.textValue());
}

}  // namespace

QWidget* DialogParent() {
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  return QApplication::activeWindow();
}

QtUi::~QtUi() {
  while (busy_depth_-- > 0) QGuiApplication::restoreOverrideCursor();
}

void QtUi::AttachStatusLine(QLabel* status_line, QProgressBar* progress_bar) {
  status_line_ = status_line;
  progress_bar_ = progress_bar;
}

bool QtUi::ShowMessage(const Message& message) {
  const BoxShape shape = ShapeOf(message.kind);
  QMessageBox box(shape.icon, FromCp1252(message.title), FromCp1252(message.text), shape.buttons,
                  DialogParent());
  box.setDefaultButton(shape.preselected);
  box.setEscapeButton(shape.buttons.testFlag(QMessageBox::Cancel) ? QMessageBox::Cancel
                      : shape.buttons.testFlag(QMessageBox::No)   ? QMessageBox::No
                                                                  : QMessageBox::Ok);
  const int answer = box.exec();
  return answer == QMessageBox::Yes || answer == QMessageBox::Ok;
}

std::optional<std::string> QtUi::InputBox(std::string_view prompt, std::string_view title,
                                          std::string_view initial) {
  return AskText(prompt, title, initial, QLineEdit::Normal);
}

std::optional<std::string> QtUi::AskSecret(std::string_view prompt, std::string_view title) {
  return AskText(prompt, title, "", QLineEdit::Password);
}

std::optional<std::string> QtUi::PickFolder(std::string_view prompt, std::string_view start) {
  const QString folder = QFileDialog::getExistingDirectory(DialogParent(), FromCp1252(prompt),
                                                           FromPath(std::string(start)));
  if (folder.isEmpty()) return std::nullopt;
  return ToPath(folder);
}

void QtUi::SetStatusText(std::string_view text) {
  if (status_line_) status_line_->setText(FromCp1252(text));
}

void QtUi::SetProgress(std::string_view text, long done, long total) {
  const int maximum = static_cast<int>(std::max(total, 1L));
  const int value = static_cast<int>(std::clamp(done, 0L, total));
  if (status_line_) {
    status_line_->setText(FromCp1252(text));
    if (progress_bar_) {
      progress_bar_->setRange(0, maximum);
      progress_bar_->setValue(value);
      progress_bar_->show();
    }
  } else {
    if (!progress_window_) {
      progress_window_ = std::make_unique<QProgressDialog>();
      progress_window_->setWindowTitle(FromCp1252(kProgramTitle));
      progress_window_->setCancelButton(nullptr);
      progress_window_->setMinimumDuration(500);
    }
    progress_window_->setLabelText(FromCp1252(text));
    progress_window_->setRange(0, maximum);
    progress_window_->setValue(value);
  }
  // Long work runs on the one thread: let the window repaint between steps.
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void QtUi::ClearProgress() {
  progress_window_.reset();
  if (progress_bar_) progress_bar_->hide();
  if (status_line_) status_line_->clear();
}

void QtUi::Beep() { QApplication::beep(); }

void QtUi::SetBusy(bool busy) {
  if (busy) {
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    ++busy_depth_;
  } else if (busy_depth_ > 0) {
    QGuiApplication::restoreOverrideCursor();
    --busy_depth_;
  }
}

}  // namespace zenkar
