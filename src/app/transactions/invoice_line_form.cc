#include "app/transactions/invoice_line_form.h"

#include <QEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>

#include "platform/text_conversion.h"

namespace zenkar {
namespace {

constexpr int kFields = 6;
// Relative widths of Payee, Invoice Date, Due Date, Invoice Number, Account,
// Amount, and the widths in characters each needs at least.
constexpr int kColumnStretch[kFields] = {8, 3, 3, 4, 2, 3};
constexpr int kColumnChars[kFields] = {22, 0, 0, 16, 5, 13};
const char* const kCaptions[kFields] = {"Payee",          "Invoice\nDate", "Due\nDate",
                                        "Invoice Number", "Acct",          "Amount"};

}  // namespace

InvoiceNumberField::InvoiceNumberField(QWidget* parent) : QLineEdit(parent) {
  setMaxLength(static_cast<int>(kInvoiceNumberWidth));
}

void InvoiceNumberField::keyPressEvent(QKeyEvent* event) {
  if (keys_.Press(event)) return event->accept();
  QLineEdit::keyPressEvent(event);
}

void InvoiceNumberField::keyReleaseEvent(QKeyEvent* event) {
  if (const int move = keys_.Release(event)) {
    focusNextPrevChild(move > 0);
    return event->accept();
  }
  QLineEdit::keyReleaseEvent(event);
}

InvoiceLineForm::InvoiceLineForm(const InvoiceFormOptions& options, const DatePatterns& patterns,
                                 QWidget* parent)
    : QWidget(parent) {
  account_list_ = new QListWidget;
  account_list_->setObjectName("accountList");
  account_list_->setFocusPolicy(Qt::NoFocus);
  payee_ = new PayeeField;
  payee_->setObjectName("payee");
  payee_->setEditable(false);  // a payee of the list, never free text
  payee_->set_on_left([this] { OfferDefaultAccount(); });
  invoice_date_ = new DateField;
  invoice_date_->setObjectName("invoiceDate");
  due_date_ = new DateField;
  due_date_->setObjectName("dueDate");
  for (DateField* date : {invoice_date_, due_date_}) {
    date->setDisplayFormat(FromCp1252(patterns.numeric));
  }
  invoice_number_ = new InvoiceNumberField;
  invoice_number_->setObjectName("invoiceNumber");
  account_ = new AccountField(account_list_, options.beep);
  account_->setObjectName("account");
  amount_ = new AmountField(options.fixed_decimal);
  amount_->setObjectName("amount");

  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(0, 0, 0, 0);
  QWidget* const fields[kFields] = {payee_,          invoice_date_, due_date_,
                                    invoice_number_, account_,      amount_};
  const int average = fontMetrics().averageCharWidth();
  for (int column = 0; column < kFields; ++column) {
    grid->addWidget(new QLabel(kCaptions[column]), 0, column, Qt::AlignBottom | Qt::AlignLeft);
    QWidget* field = fields[column];
    if (kColumnChars[column] > 0) field->setMinimumWidth(kColumnChars[column] * average);
    field->installEventFilter(this);
    grid->addWidget(field, 1, column);
    grid->setColumnStretch(column, kColumnStretch[column]);
    if (column > 0) QWidget::setTabOrder(fields[column - 1], field);
  }
  if (options.on_save) {
    auto* trigger = new SaveTrigger(options.on_save);
    trigger->setObjectName("saveTrigger");
    grid->addWidget(trigger, 1, kFields);
    QWidget::setTabOrder(amount_, trigger);
  }
}

InvoiceLine InvoiceLineForm::Line() const {
  InvoiceLine line;
  line.payee = payee_->currentIndex() + 1;  // the list holds every payee in number order
  line.invoice_date = invoice_date_->day();
  line.due_date = due_date_->day();
  line.invoice_number = ToCp1252(invoice_number_->text());
  line.account = ToCp1252(account_->text());
  line.amount = ToCp1252(amount_->text());
  return line;
}

void InvoiceLineForm::SetLine(const InvoiceLine& line) {
  offered_account_.clear();
  payee_->setCurrentIndex(line.payee - 1);
  invoice_date_->SetDay(line.invoice_date);
  due_date_->SetDay(line.due_date);
  invoice_number_->setText(FromCp1252(line.invoice_number));
  account_->setText(FromCp1252(line.account));
  amount_->setText(FromCp1252(line.amount));
}

void InvoiceLineForm::SetPayees(const PayeeList& payees) {
  payees_ = &payees;
  const int chosen = payee_->currentIndex();
  payee_->SetPayees(payees);
  payee_->setCurrentIndex(chosen < payee_->count() ? chosen : -1);
}

void InvoiceLineForm::SetAccountLines(const std::vector<AccountLine>* lines) {
  account_lines_ = lines;
  account_->SetLines(lines);
}

void InvoiceLineForm::OfferDefaultAccount() {
  if (payees_ == nullptr || account_lines_ == nullptr) return;
  const std::string shown = ToCp1252(account_->text());
  if (!shown.empty() && shown != offered_account_) return;
  offered_account_ =
      OfferedAccount(*payees_, *account_lines_, ToCp1252(payee_->currentText())).value_or("");
  account_->setText(FromCp1252(offered_account_));
}

bool InvoiceLineForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusIn && on_field_focus_) {
    if (watched == payee_) on_field_focus_(InvoiceField::kPayee);
    if (watched == invoice_date_) on_field_focus_(InvoiceField::kInvoiceDate);
    if (watched == due_date_) on_field_focus_(InvoiceField::kDueDate);
    if (watched == invoice_number_) on_field_focus_(InvoiceField::kInvoiceNumber);
    if (watched == account_) on_field_focus_(InvoiceField::kAccount);
    if (watched == amount_) on_field_focus_(InvoiceField::kAmount);
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace zenkar
