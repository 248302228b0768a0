// kxacct: the accounting program.
//
//   kxacct [--screenshots FOLDER] [DATA FOLDER]
//
// The data folder is the rest of the command line, so a path with spaces
// needs no quotes; without one (or when it does not exist) the current
// directory is the data folder. --screenshots saves a picture of every page
// of the main window into FOLDER and closes the program.
#include <unistd.h>

#include <QDir>
#include <QFont>
#include <cstdlib>
#include <string>

#include "app/window/fault_handler.h"
#include "app/window/locale_dates.h"
#include "app/window/qt_window_runner.h"
#include "app_rules/window/build_settings.h"
#include "app_rules/window/program.h"
#include "common/installation.h"
#include "platform/font_scaled_style.h"
#include "platform/help_window.h"
#include "platform/qt_shell.h"
#include "platform/qt_ui.h"

namespace zenkar {
namespace {

struct Options {
  QString screenshot_folder;
  std::string command_line;  // the data folder
};

Options ParseOptions(int argc, char** argv) {
  Options options;
  int first = 1;
  if (argc > 2 && std::string(argv[1]) == "--screenshots") {
    options.screenshot_folder = QDir(QString::fromLocal8Bit(argv[2])).absolutePath();
    QDir().mkpath(options.screenshot_folder);
    first = 3;
  }
  for (int i = first; i < argc; ++i) {
    if (!options.command_line.empty()) options.command_line += ' ';
    options.command_line += argv[i];
  }
  return options;
}

std::string CurrentDirectory() {
  char buffer[4096];
  return ::getcwd(buffer, sizeof buffer) != nullptr ? buffer : "";
}

int Run(int argc, char** argv) {
  GuardedApplication app(argc, argv);
  // The desktop pairs the window with its desktop entry (and icon) by this name.
  QGuiApplication::setDesktopFileName(QStringLiteral(ZENKAR_DESKTOP_ID));
  InstallFaultHandler();
  QApplication::setStyle(new FontScaledStyle);
  QApplication::setFont(QFont("Arial", 12));
  const Options options = ParseOptions(argc, argv);
  if (!options.screenshot_folder.isEmpty()) {
    AnswerDialogsForScreenshots(&app, options.screenshot_folder);
  }

  FileSystem& fs = PosixFileSystem();
  QtUi ui;
  QtShell shell;
  QtHelpViewer help_viewer(shell);
  const Installation installation = FindInstallation(
      fs, ui, ExecutableFolder(), std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
  Program program(ProgramPorts{fs, ui, shell, SystemClock(), ui, help_viewer, PasswordDatabase()},
                  installation, BuiltInWebSite(InstallationToken(fs, installation)),
                  LocaleDatePatterns());
  program.ledger().SetDataFolder(
      DataFolderFromCommandLine(fs, options.command_line, CurrentDirectory()));

  QtWindowRunner runner(ui, help_viewer, options.screenshot_folder);
  RunMainWindowLoop(program, runner);
  RemoveFaultHandler();
  return EXIT_SUCCESS;
}

}  // namespace
}  // namespace zenkar

int main(int argc, char** argv) { return zenkar::Run(argc, argv); }
