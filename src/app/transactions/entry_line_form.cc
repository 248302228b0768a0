#include "app/transactions/entry_line_form.h"

#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>

#include "platform/text_conversion.h"

namespace zenkar {
namespace {

// Relative widths of the columns Payee, Reference, Date, Account, Amount.
constexpr int kColumnStretch[] = {8, 2, 3, 2, 3};
// Widths in characters each column needs at least (the date field sizes
// itself to its date).
constexpr int kColumnChars[] = {24, 8, 0, 5, 13};

}  // namespace

EntryLineForm::EntryLineForm(const EntryFormOptions& options, const DatePatterns& patterns,
                             QWidget* parent)
    : QWidget(parent) {
  account_list_ = new QListWidget;
  account_list_->setObjectName("accountList");
  account_list_->setFocusPolicy(Qt::NoFocus);
  payee_ = new PayeeField;
  payee_->setObjectName("payee");
  payee_->set_on_left([this] { OfferDefaultAccount(); });
  reference_ = new ReferenceField;
  reference_->setObjectName("reference");
  date_ = new DateField;
  date_->setObjectName("date");
  date_->setDisplayFormat(FromCp1252(patterns.numeric));
  account_ = new AccountField(account_list_, options.beep);
  account_->setObjectName("account");
  amount_ = new AmountField(options.fixed_decimal);
  amount_->setObjectName("amount");

  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(0, 0, 0, 0);
  QWidget* const fields[] = {payee_, reference_, date_, account_, amount_};
  const int average = fontMetrics().averageCharWidth();
  for (int column = 0; column < options.captions.size(); ++column) {
    auto* caption = new QLabel(options.captions[column]);
    grid->addWidget(caption, 0, column, Qt::AlignBottom | Qt::AlignLeft);
  }
  for (int column = 0; column < 5; ++column) {
    QWidget* field = fields[column];
    if (kColumnChars[column] > 0) field->setMinimumWidth(kColumnChars[column] * average);
    field->installEventFilter(this);
    grid->addWidget(field, 1, column);
    grid->setColumnStretch(column, kColumnStretch[column]);
  }
  if (options.ytd_box) {
    ytd_ = new QCheckBox;
    ytd_->setObjectName("ytd");
    // Set with the mouse: the keyboard goes from the amount to the save.
    ytd_->setFocusPolicy(Qt::NoFocus);
    grid->addWidget(ytd_, 1, 5, Qt::AlignHCenter);
  }
  QWidget::setTabOrder(payee_, reference_);
  QWidget::setTabOrder(reference_, date_);
  QWidget::setTabOrder(date_, account_);
  QWidget::setTabOrder(account_, amount_);
  if (options.on_save) {
    trigger_ = new SaveTrigger(options.on_save);
    trigger_->setObjectName("saveTrigger");
    grid->addWidget(trigger_, 1, 6);
    QWidget::setTabOrder(amount_, trigger_);
  }
}

std::vector<QWidget*> EntryLineForm::columns() const {
  std::vector<QWidget*> columns = {payee_, reference_, date_, account_, amount_};
  if (ytd_ != nullptr) columns.push_back(ytd_);
  return columns;
}

EntryLine EntryLineForm::Line() const {
  EntryLine line;
  line.payee = ToCp1252(payee_->currentText());
  line.reference = ToCp1252(reference_->text());
  line.date = date_->day();
  line.account = ToCp1252(account_->text());
  line.amount = ToCp1252(amount_->text());
  line.ytd = ytd_ != nullptr && ytd_->isChecked();
  return line;
}

void EntryLineForm::SetPayees(const PayeeList& payees) {
  payees_ = &payees;
  payee_->SetPayees(payees);
}

void EntryLineForm::SetAccountLines(const std::vector<AccountLine>* lines) {
  account_lines_ = lines;
  account_->SetLines(lines);
}

void EntryLineForm::OfferDefaultAccount() {
  if (payees_ == nullptr || account_lines_ == nullptr) return;
  const std::string shown = ToCp1252(account_->text());
  // An account the user chose stays; one offered for another payee gives way.
  if (!shown.empty() && shown != offered_account_) return;
  offered_account_ =
      OfferedAccount(*payees_, *account_lines_, ToCp1252(payee_->currentText())).value_or("");
  account_->setText(FromCp1252(offered_account_));
}

void EntryLineForm::SetLine(const EntryLine& line) {
  offered_account_.clear();
  payee_->setCurrentIndex(-1);
  payee_->setEditText(FromCp1252(line.payee));
  reference_->setText(FromCp1252(line.reference));
  reference_->ResetIncrement();
  date_->SetDay(line.date);
  account_->setText(FromCp1252(line.account));
  amount_->setText(FromCp1252(line.amount));
  if (ytd_ != nullptr) ytd_->setChecked(line.ytd);
}

bool EntryLineForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusIn && on_field_focus_) {
    if (watched == payee_) on_field_focus_(EntryField::kPayee);
    if (watched == reference_) on_field_focus_(EntryField::kReference);
    if (watched == date_) on_field_focus_(EntryField::kDate);
    if (watched == account_) on_field_focus_(EntryField::kAccount);
    if (watched == amount_) on_field_focus_(EntryField::kAmount);
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace zenkar
