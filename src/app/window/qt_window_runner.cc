#include "app/window/qt_window_runner.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QEventLoop>
#include <QMessageBox>
#include <QPixmap>
#include <QTimer>
#include <memory>

namespace zenkar {
namespace {

void SaveWidget(QWidget* widget, const QString& path) { widget->grab().save(path, "PNG"); }

}  // namespace

void AnswerDialogsForScreenshots(QObject* owner, const QString& folder) {
  auto* timer = new QTimer(owner);
  auto count = std::make_shared<int>(0);
  QObject::connect(timer, &QTimer::timeout, [folder, count] {
    QWidget* dialog = QApplication::activeModalWidget();
    if (dialog == nullptr || !dialog->isVisible()) return;
    SaveWidget(dialog, QDir(folder).filePath(QString("dialog-%1.png").arg(++*count)));
    auto* box = qobject_cast<QMessageBox*>(dialog);
    if (box != nullptr && box->defaultButton() != nullptr) {
      box->defaultButton()->click();
    } else if (auto* other = qobject_cast<QDialog*>(dialog)) {
      other->reject();
    }
  });
  timer->start(200);
}

void QtWindowRunner::RunMainWindow(Program& program) {
  QApplication::setFont(QFont("Arial", program.FontSize()));
  MainWindow window(program);
  ui_.AttachStatusLine(window.status_line(), window.progress_bar());
  program.AttachWindow(&window);
  QEventLoop loop;
  QObject::connect(&window, &MainWindow::Closed, &loop, &QEventLoop::quit);
  window.Open();
  if (!screenshot_folder_.isEmpty()) {
    QTimer::singleShot(500, &window, [this, &window] {
      TakeScreenshots(window);
      window.close();
    });
  }
  if (!window.closed()) loop.exec();
  program.AttachWindow(nullptr);
  ui_.AttachStatusLine(nullptr, nullptr);
}

void QtWindowRunner::TakeScreenshots(MainWindow& window) {
  const QDir folder(screenshot_folder_);
  for (int index = 0; index < window.tabs()->count(); ++index) {
    window.tabs()->setCurrentIndex(index);
    QCoreApplication::processEvents();
    const std::string_view code = window.page(index)->info().code;
    const QString name = QString("%1-%2")
                             .arg(index + 1, 2, 10, QChar('0'))
                             .arg(QString::fromLatin1(code.data(), code.size()));
    SaveWidget(&window, folder.filePath(name + ".png"));
    // A page with sub-pages: each further sub-page as NN-CODE-n.png.
    if (auto* sub_pages = window.page(index)->findChild<QTabWidget*>()) {
      for (int sub = 1; sub < sub_pages->count(); ++sub) {
        sub_pages->setCurrentIndex(sub);
        QCoreApplication::processEvents();
        SaveWidget(&window, folder.filePath(QString("%1-%2.png").arg(name).arg(sub + 1)));
      }
      sub_pages->setCurrentIndex(0);
    }
  }
  if (HelpWindow* help = help_viewer_.window(); help != nullptr && help->isVisible()) {
    SaveWidget(help, folder.filePath("help.png"));
  }
}

}  // namespace zenkar
