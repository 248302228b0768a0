#include "updater/window/qt_update_window.h"

#include <QCoreApplication>
#include <QThread>
#include <QVBoxLayout>

#include "platform/program_icon.h"
#include "platform/text_conversion.h"

namespace zenkar {
namespace {

constexpr int kAbortRounds = 10;
constexpr unsigned long kRoundPauseMs = 1;

}  // namespace

QtUpdateWindow::QtUpdateWindow()
    : status_(new QLabel(&dialog_)), abort_(new QPushButton("&Abort", &dialog_)) {
  dialog_.setWindowTitle(FromCp1252(kUpdateTitle));
  dialog_.setWindowIcon(ProgramIcon());
  status_->setMinimumWidth(320);
  status_->setAlignment(Qt::AlignCenter);
  auto* layout = new QVBoxLayout(&dialog_);
  layout->addWidget(status_);
  layout->addWidget(abort_, 0, Qt::AlignCenter);
  QObject::connect(abort_, &QPushButton::clicked, &dialog_, &QDialog::close);
}

void QtUpdateWindow::Show(std::string_view status) {
  status_->setText(FromCp1252(status));
  dialog_.show();
  QCoreApplication::processEvents();
}

void QtUpdateWindow::SetStatus(std::string_view text) {
  status_->setText(FromCp1252(text));
  QCoreApplication::processEvents();
}

bool QtUpdateWindow::AbortRequested() {
  for (int round = 0; round < kAbortRounds; ++round) {
    QCoreApplication::processEvents();
    QThread::msleep(kRoundPauseMs);
  }
  return !dialog_.isVisible();
}

void QtUpdateWindow::Close() { dialog_.close(); }

}  // namespace zenkar
