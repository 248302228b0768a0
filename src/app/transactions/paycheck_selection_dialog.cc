#include "app/transactions/paycheck_selection_dialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QVBoxLayout>

#include "platform/text_conversion.h"

namespace zenkar {
namespace {

QTableWidgetItem* Cell(const QString& text, bool amount = false) {
  auto* item = new QTableWidgetItem(text);
  item->setFlags(Qt::ItemIsEnabled);
  if (amount) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
  return item;
}

QString Amount(Money amount) { return QString::fromStdString(PaycheckAmountText(amount)); }

}  // namespace

PaycheckSelectionDialog::PaycheckSelectionDialog(const PaycheckSelection& selection,
                                                 const DatePatterns& dates, QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(FromCp1252(selection.caption));
  QStringList captions = {"Check", "Date", "Employee"};
  captions += selection.detailed ? QStringList{"Gross Pay", "Deductions", "Net Pay"}
                                 : QStringList{"Net Pay"};
  table_ = new QTableWidget(static_cast<int>(selection.rows.size()), captions.size());
  table_->setObjectName("paychecks");
  table_->setHorizontalHeaderLabels(captions);
  table_->verticalHeader()->hide();
  table_->setSelectionMode(QAbstractItemView::NoSelection);
  for (int row = 0; row < static_cast<int>(selection.rows.size()); ++row) {
    const PaycheckRow& paycheck = selection.rows[row];
    table_->setItem(row, 0, Cell(FromCp1252(paycheck.check_number)));
    table_->setItem(row, 1, Cell(QString::fromStdString(FormatDate(paycheck.date, dates.numeric))));
    table_->setItem(row, 2, Cell(FromCp1252(paycheck.employee)));
    int column = 3;
    if (selection.detailed) {
      table_->setItem(row, column++, Cell(Amount(paycheck.gross_pay), true));
      table_->setItem(row, column++, Cell(Amount(paycheck.deductions), true));
    }
    table_->setItem(row, column, Cell(Amount(paycheck.net_pay), true));
  }
  table_->resizeColumnsToContents();
  table_->horizontalHeader()->setStretchLastSection(true);

  import_ = new QPushButton("&Import");
  import_->setObjectName("import");
  import_->setDefault(true);
  cancel_ = new QPushButton("&Cancel");
  cancel_->setObjectName("cancel");
  connect(import_, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(import_);
  buttons->addWidget(cancel_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(table_);
  layout->addLayout(buttons);
  resize(table_->horizontalHeader()->length() + 60, 320);
}

bool QtPaycheckChooser::Confirm(const PaycheckSelection& selection) {
  PaycheckSelectionDialog dialog(selection, dates_, parent_);
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace zenkar
