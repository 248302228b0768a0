// z_ver_ck: the update checker.
//
//   z_ver_ck IDENTITY,VERSION,TOKEN,REVISION
//
// Started by a program of the suite ("Check for Update"), never by the user
// (who is told so). The arguments are joined by spaces into the one command
// line. ZENKAR_UPDATE_HOST=host:port in the environment points the checker
// at another server than the vendor's, for tests and trials.
#include <QApplication>
#include <QFont>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "common/installation.h"
#include "common/socket.h"
#include "platform/qt_shell.h"
#include "platform/qt_ui.h"
#include "updater/update_checker.h"
#include "updater/window/qt_update_window.h"

namespace zenkar {
namespace {

std::string CommandLine(int argc, char** argv) {
  std::string line;
  for (int i = 1; i < argc; ++i) line += (i > 1 ? " " : "") + std::string(argv[i]);
  return line;
}

int Run(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setFont(QFont("Arial", 10));
  const std::optional<UpdateHost> host =
      UpdateHostFromEnvironment(std::getenv("ZENKAR_UPDATE_HOST"));
  if (!host) {
    std::fprintf(stderr, "z_ver_ck: ZENKAR_UPDATE_HOST is not host:port\n");
    return EXIT_FAILURE;
  }
  FileSystem& fs = PosixFileSystem();
  QtUi ui;
  QtShell shell;
  QtUpdateWindow window;
  const std::unique_ptr<Connector> connector = PosixConnector();
  const Installation installation = ResolveInstallation(
      fs, ExecutableFolder(), UserFilesFolder(std::getenv("XDG_DATA_HOME"), std::getenv("HOME")));
  UpdateChecker checker({fs, ui, shell, window, *connector},
                        {*host, ZENKAR_USER_QUERY, installation});
  checker.Run(CommandLine(argc, argv));
  return EXIT_SUCCESS;
}

}  // namespace
}  // namespace zenkar

int main(int argc, char** argv) { return zenkar::Run(argc, argv); }
