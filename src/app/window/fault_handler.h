// The handler of unexpected faults: an exception nobody caught, in the event
// loop or anywhere else, shows one message and ends the process rather than
// carrying on with books in an unknown state.
#ifndef ZENKAR_APP_WINDOW_FAULT_HANDLER_H_
#define ZENKAR_APP_WINDOW_FAULT_HANDLER_H_

#include <QApplication>

namespace zenkar {

// "The system is reporting an unexpected error. Close Zenkar Accounting
// then reboot your computer."
QString UnexpectedFaultMessage();

// A QApplication whose event delivery ends the process with the message when
// a handler throws.
class GuardedApplication : public QApplication {
 public:
  GuardedApplication(int& argc, char** argv) : QApplication(argc, argv) {}
  bool notify(QObject* receiver, QEvent* event) override;
};

// Installs the handler for exceptions outside the event loop; Remove puts the
// previous one back.
void InstallFaultHandler();
void RemoveFaultHandler();

}  // namespace zenkar

#endif  // ZENKAR_APP_WINDOW_FAULT_HANDLER_H_
