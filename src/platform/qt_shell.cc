#include "platform/qt_shell.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStringList>
#include <QUrl>

#include "platform/text_conversion.h"

namespace zenkar {
namespace {

QStringList Arguments(const std::vector<std::string>& args) {
  QStringList list;
  for (const std::string& arg : args) list << QString::fromStdString(arg);
  return list;
}

int RunProgramAndWait(const QString& program, const QStringList& args) {
  QProcess process;
  process.start(program, args);
  if (!process.waitForStarted()) return -1;
  process.waitForFinished(-1);
  return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

}  // namespace

bool QtShell::OpenDocument(const std::string& path) {
  return QDesktopServices::openUrl(QUrl::fromLocalFile(FromPath(path)));
}

bool QtShell::OpenUrl(const std::string& url) {
  QUrl address(QString::fromStdString(url), QUrl::TolerantMode);
  // Shortcut files write "Mailto:"; the desktop's handlers are looked up by
  // the scheme in lower case.
  address.setScheme(address.scheme().toLower());
  return QDesktopServices::openUrl(address);
}

bool QtShell::StartProgram(const std::string& program, const std::vector<std::string>& args,
                           const std::string& working_folder) {
  return QProcess::startDetached(FromPath(program), Arguments(args), FromPath(working_folder));
}

int QtShell::RunProgram(const std::string& program, const std::vector<std::string>& args) {
  return RunProgramAndWait(FromPath(program), Arguments(args));
}

}  // namespace zenkar
