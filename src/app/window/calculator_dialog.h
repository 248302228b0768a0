// The pop-up calculator (F10): "=", "Paste", "Clear" and "Exit" beside the
// digit and operator keys, worked with the mouse or the keyboard. "Paste"
// puts the result, in cents, into the entry field that had the focus and
// closes the calculator. "Print" prints the tape of the calculations done so
// far: on the printer when one is installed, otherwise as a PDF that opens.
#ifndef ZENKAR_APP_WINDOW_CALCULATOR_DIALOG_H_
#define ZENKAR_APP_WINDOW_CALCULATOR_DIALOG_H_

#include <QDialog>
#include <QLineEdit>
#include <QPointer>

#include "app_rules/window/calculator.h"
#include "output/print_job.h"

namespace zenkar {

class ReportsPage;

// Writes the tape as one print job titled "Calculator Tape": the lines
// right-aligned in a column of Courier New, page after page.
bool WriteCalculatorTape(PrintJob& job, const std::vector<std::string>& tape);

class CalculatorDialog : public QDialog {
  Q_OBJECT

 public:
  // `paste_target` is the control that had the focus (may be null).
  CalculatorDialog(QWidget* parent, QWidget* paste_target);

  const Calculator& calculator() const { return calculator_; }
  QLineEdit* display() const { return display_; }
  void Paste();
  // Prints the tape through the main window's Reports page.
  void PrintTape();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QPushButton* AddKey(const QString& caption, std::function<void()> action);
  void Refresh();

  Calculator calculator_;
  QLineEdit* display_ = nullptr;
  QPointer<QWidget> paste_target_;
  QPointer<ReportsPage> reports_;
  QPushButton* print_ = nullptr;
};

}  // namespace zenkar

#endif  // ZENKAR_APP_WINDOW_CALCULATOR_DIALOG_H_
