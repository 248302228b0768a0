// kxmenu: the launcher of the suite.
//
//   kxmenu
//
// Lists the recent data folders, starts a program of the suite on the one
// chosen, backs a folder up and searches for data folders. The operating
// system check of the Windows launcher has no counterpart here.
#include <QApplication>
#include <QDate>
#include <QEventLoop>
#include <QFont>
#include <QLocale>
#include <cstdlib>

#include "common/installation.h"
#include "launcher/launcher.h"
#include "launcher/launcher_window.h"
#include "launcher/qt_list_printer.h"
#include "platform/qt_shell.h"
#include "platform/qt_ui.h"
#include "platform/text_conversion.h"

namespace zenkar {
namespace {

// The dates of the backup record follow the locale's short format.
DatePatterns LocaleDatePatterns() {
  return DeriveDatePatterns(
      ToCp1252(QLocale().toString(QDate(3344, 11, 22), QLocale::ShortFormat)));
}

int Run(int argc, char** argv) {
  QApplication app(argc, argv);
  // The desktop pairs the window with its desktop entry (and icon) by this name.
  QGuiApplication::setDesktopFileName(QStringLiteral(ZENKAR_DESKTOP_ID));
  QApplication::setFont(QFont("Arial", 12));
  FileSystem& fs = PosixFileSystem();
  QtUi ui;
  QtShell shell;
  const Installation installation = ResolveInstallation(
      fs, ExecutableFolder(), UserFilesFolder(std::getenv("XDG_DATA_HOME"), std::getenv("HOME")));
  Launcher launcher(LauncherPorts{fs, ui, shell, SystemClock()}, installation,
                    LauncherWebSite(InstallationToken(fs, installation)), LocaleDatePatterns());
  QtListPrinter printer;
  LauncherWindow window(launcher, printer);
  QEventLoop loop;
  QObject::connect(&window, &LauncherWindow::Closed, &loop, &QEventLoop::quit);
  window.show();
  loop.exec();
  launcher.Close();
  return EXIT_SUCCESS;
}

}  // namespace
}  // namespace zenkar

int main(int argc, char** argv) { return zenkar::Run(argc, argv); }
