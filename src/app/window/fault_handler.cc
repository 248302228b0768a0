#include "app/window/fault_handler.h"

#include <QMessageBox>
#include <cstdio>
#include <cstdlib>
#include <exception>

#include "common/ui.h"
#include "platform/text_conversion.h"

namespace zenkar {
namespace {

std::terminate_handler previous_handler = nullptr;

[[noreturn]] void ReportFaultAndEnd() {
  const QString message = UnexpectedFaultMessage();
  std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
  if (qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr) {
    QMessageBox::critical(nullptr, FromCp1252(kProgramTitle), message);
  }
  std::_Exit(EXIT_FAILURE);
}

}  // namespace

QString UnexpectedFaultMessage() {
  return "The system is reporting an unexpected error. Close " + FromCp1252(kProgramTitle) +
         " then reboot your computer.";
}

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (...) {
    ReportFaultAndEnd();
  }
}

void InstallFaultHandler() { previous_handler = std::set_terminate(ReportFaultAndEnd); }

void RemoveFaultHandler() { std::set_terminate(previous_handler); }

}  // namespace zenkar
