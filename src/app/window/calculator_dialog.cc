#include "app/window/calculator_dialog.h"

#include <QClipboard>
#include <QGridLayout>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/reports/reports_page.h"
#include "app/window/main_window.h"

namespace zenkar {
namespace {

constexpr std::string_view kTapeTitle = "Calculator Tape";
constexpr double kTapeFontSize = 10;
constexpr double kFirstTapeRow = 6;
constexpr double kLastTapeRow = 60;
constexpr double kTapeColumn = 30;

}  // namespace

bool WriteCalculatorTape(PrintJob& job, const std::vector<std::string>& tape) {
  if (!job.StartPrintJob(PrintJobKind::kReport, kTapeTitle)) return false;
  if (!job.SetReportFont("Courier New", kTapeFontSize, FontStyle::kRegular)) return false;
  const auto heading = [&job] {
    job.PrintText(3, 5, kTapeTitle);
    job.NewLine();
    job.PrintPreparedLine();
    job.NewLine();
  };
  heading();
  double row = kFirstTapeRow;
  for (const std::string& line : tape) {
    if (row > kLastTapeRow && job.positioned()) {
      job.NewPage();
      heading();
      row = kFirstTapeRow;
    }
    job.PrintText(row++, kTapeColumn, line, 1, ReportAlign::kRight);
    job.NewLine();
  }
  return job.EndPrintJob();
}

CalculatorDialog::CalculatorDialog(QWidget* parent, QWidget* paste_target)
    : QDialog(parent), paste_target_(paste_target) {
  setWindowTitle("Calculator");
  display_ = new QLineEdit;
  display_->setObjectName("display");
  display_->setReadOnly(true);
  display_->setAlignment(Qt::AlignRight);
  display_->setFocusPolicy(Qt::NoFocus);

  auto* keys = new QGridLayout;
  const char* digit_rows[] = {"789/", "456*", "123-"};
  for (int row = 0; row < 3; ++row) {
    for (int column = 0; column < 4; ++column) {
      const QChar key = QLatin1Char(digit_rows[row][column]);
      QPushButton* button = AddKey(QString(key), [this, key] {
        if (key.isDigit()) {
          calculator_.Digit(key.digitValue());
        } else {
          calculator_.Operator(key.toLatin1());
        }
      });
      keys->addWidget(button, row, column);
    }
  }
  keys->addWidget(AddKey("0", [this] { calculator_.Digit(0); }), 3, 0);
  keys->addWidget(AddKey(".", [this] { calculator_.DecimalPoint(); }), 3, 1);
  keys->addWidget(AddKey("+/-", [this] { calculator_.ChangeSign(); }), 3, 2);
  keys->addWidget(AddKey("+", [this] { calculator_.Operator('+'); }), 3, 3);

  auto* commands = new QGridLayout;
  commands->addWidget(AddKey("=", [this] { calculator_.Equals(); }), 0, 0);
  commands->addWidget(AddKey("Clear", [this] { calculator_.Clear(); }), 0, 1);
  commands->addWidget(AddKey("Paste", [this] { Paste(); }), 1, 0);
  commands->addWidget(AddKey("Exit", [this] { reject(); }), 1, 1);
  // The tape prints through the Reports page, which holds the printer.
  if (auto* window = qobject_cast<MainWindow*>(parent)) {
    reports_ = qobject_cast<ReportsPage*>(window->page("RPT"));
  }
  if (reports_) {
    print_ = AddKey("Print", [this] { PrintTape(); });
    commands->addWidget(print_, 2, 0, 1, 2);
  }

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(display_);
  layout->addLayout(keys);
  layout->addLayout(commands);
  Refresh();
}

QPushButton* CalculatorDialog::AddKey(const QString& caption, std::function<void()> action) {
  auto* button = new QPushButton(caption);
  button->setObjectName("key" + caption);
  button->setAutoDefault(false);
  button->setFocusPolicy(Qt::NoFocus);
  connect(button, &QPushButton::clicked, this, [this, action = std::move(action)] {
    action();
    Refresh();
  });
  return button;
}

void CalculatorDialog::Refresh() {
  display_->setText(QString::fromStdString(calculator_.Display()));
  if (print_ != nullptr) print_->setEnabled(!calculator_.tape().empty());
}

void CalculatorDialog::PrintTape() {
  if (!reports_ || calculator_.tape().empty()) return;
  const std::vector<std::string> tape = calculator_.tape();
  reports_->PrintDocument([&tape](PrintJob& job) { return WriteCalculatorTape(job, tape); });
}

void CalculatorDialog::Paste() {
  const std::optional<std::string> amount = calculator_.PasteText();
  if (!amount) return;
  const QString text = QString::fromStdString(*amount);
  QGuiApplication::clipboard()->setText(text);
  if (auto* field = qobject_cast<QLineEdit*>(paste_target_.data());
      field != nullptr && !field->isReadOnly()) {
    field->insert(text);
  }
  accept();
}

void CalculatorDialog::keyPressEvent(QKeyEvent* event) {
  const QString text = event->text();
  const QChar key = text.isEmpty() ? QChar() : text.at(0);
  if (key.isDigit()) {
    calculator_.Digit(key.digitValue());
  } else if (key == '.' || key == ',') {
    calculator_.DecimalPoint();
  } else if (key == '+' || key == '-' || key == '*' || key == '/') {
    calculator_.Operator(key.toLatin1());
  } else if (key == '=' || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    calculator_.Equals();
  } else if (event->key() == Qt::Key_Backspace) {
    calculator_.Backspace();
  } else if (event->key() == Qt::Key_Delete) {
    calculator_.Clear();
  } else {
    QDialog::keyPressEvent(event);  // Esc closes the calculator
    return;
  }
  Refresh();
}

}  // namespace zenkar
