#include "app/transactions/quick_check_dialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QShortcut>
#include <QVBoxLayout>

#include "app/check_printing/check_output.h"
#include "app/transactions/transactions_page.h"
#include "app/window/main_window.h"
#include "app/window/setup_form_keys.h"
#include "common/text_field.h"
#include "platform/help_context.h"
#include "platform/text_conversion.h"

namespace zenkar {
namespace {

QString Text(std::string_view cp1252) { return FromCp1252(cp1252); }
std::string Typed(const QLineEdit* edit) { return ToCp1252(edit->text()); }

QLineEdit* Line(const char* name, int width) {
  auto* edit = new QLineEdit;
  edit->setObjectName(name);
  edit->setMaxLength(width);
  return edit;
}

}  // namespace

QuickCheckDialog::QuickCheckDialog(QWidget* parent, Program& program)
    : QDialog(parent), program_(program) {
  setObjectName("quickCheck");
  if (parent != nullptr) setFont(parent->window()->font());
  setWindowTitle(Text(kQuickCheckTitle));
  SetHelpContext(this, kHelpQuickCheck);
  Ledger& ledger = program.ledger();

  payee_ = new QComboBox;
  payee_->setObjectName("selectPayee");
  payee_->addItem(Text(kNewPayeeLine));
  payees_ = QuickCheckPayees(ledger);
  for (int number : payees_) payee_->addItem(Text(ledger.PayeeName(number)));
  name_1_ = Line("nameLine1", 40);
  name_2_ = Line("nameLine2", 40);
  address_ = Line("address", 40);
  city_ = Line("cityStateZip", 40);
  phone_ = Line("phone", 40);
  memo_ = Line("memo", 40);
  invoice_ = Line("invoiceNumber", 16);
  account_ = new QComboBox;
  account_->setObjectName("account");
  accounts_ = PostingAccountLines(ledger.chart());
  for (const AccountLine& line : accounts_) account_->addItem(Text(line.text));
  number_ = Line("checkNumber", 8);
  date_ = new QDateEdit;
  date_->setObjectName("checkDate");
  date_->setCalendarPopup(true);
  date_->setDisplayFormat(Text(program.date_patterns().numeric));
  amount_ = Line("checkAmount", 16);
  amount_->setAlignment(Qt::AlignRight);

  const QuickCheck fresh =
      NewQuickCheck(ledger, program.default_check_date().value_or(program.clock().Today()));
  number_->setText(Text(fresh.number));
  date_->setDate(ToQDate(fresh.date));

  auto* form = new QFormLayout;
  form->addRow("Select Payee", payee_);
  form->addRow("Name Line 1", name_1_);
  form->addRow("Name Line 2", name_2_);
  form->addRow("Address", address_);
  form->addRow("City, State, ZIP", city_);
  form->addRow("Phone", phone_);
  form->addRow("Memo", memo_);
  form->addRow("Invoice Number", invoice_);
  form->addRow("Account", account_);
  form->addRow("Check Number", number_);
  form->addRow("Check Date", date_);
  form->addRow("Check Amount", amount_);
  auto* balance = new QLabel(Text(ledger.BankBalance().ToStringWithCommas()));
  balance->setObjectName("bankBalance");
  if (ledger.BankBalance().IsNegative()) balance->setStyleSheet("color: red;");
  form->addRow(" Bank Balance", balance);

  save_ = new QPushButton("Save and Print");
  save_->setObjectName("saveAndPrint");
  auto* help = new QPushButton("Help");
  help->setObjectName("help");
  auto* cancel = new QPushButton("Cancel");
  cancel->setObjectName("cancel");
  for (QPushButton* button : {save_, help, cancel}) button->setAutoDefault(false);
  connect(save_, &QPushButton::clicked, this, [this] { SaveAndPrint(); });
  connect(help, &QPushButton::clicked, this, [this] { program_.help().ShowHelp(kHelpQuickCheck); });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  // The main window's F1 does not reach a modal dialog.
  auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
  connect(f1, &QShortcut::activated, this, [this] { program_.help().ShowHelp(kHelpQuickCheck); });
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(save_);
  buttons->addWidget(help);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addLayout(buttons);

  new FormKeys(this,
               {payee_, name_1_, name_2_, address_, city_, phone_, memo_, invoice_, account_,
                number_, date_, amount_},
               [this] { SaveAndPrint(); });
  connect(payee_, &QComboBox::currentIndexChanged, this, [this](int index) { PayeeChosen(index); });
  PayeeChosen(0);
  payee_->setFocus();
}

void QuickCheckDialog::PayeeChosen(int index) {
  const int payee = index <= 0 ? 0 : payees_.at(index - 1);
  const QuickCheck filled = WithPayee(program_.ledger(), Check(), payee);
  const bool is_new = payee == 0;
  const struct {
    QLineEdit* edit;
    const std::string& text;
  } fields[] = {{name_1_, filled.name_line_1}, {name_2_, filled.name_line_2},
                {address_, filled.address},    {city_, filled.city_state_zip},
                {phone_, filled.phone},        {memo_, filled.memo}};
  for (const auto& [edit, text] : fields) {
    edit->setText(is_new ? QString() : Text(text));
  }
  for (QLineEdit* edit : {name_1_, name_2_, address_, city_}) edit->setReadOnly(!is_new);
  if (is_new) return;
  // The payee's "Default Account" is offered.
  const std::optional<int> line =
      AccountLineOf(accounts_, program_.ledger().payees().payee(payee).default_account);
  if (line) account_->setCurrentIndex(*line);
}

QuickCheck QuickCheckDialog::Check() const {
  QuickCheck check;
  const int index = payee_->currentIndex();
  check.payee = index <= 0 ? 0 : payees_.at(index - 1);
  check.name_line_1 = Typed(name_1_);
  check.name_line_2 = Typed(name_2_);
  check.address = Typed(address_);
  check.city_state_zip = Typed(city_);
  check.phone = Typed(phone_);
  check.memo = Typed(memo_);
  check.invoice_number = Typed(invoice_);
  const int account = account_->currentIndex();
  if (account >= 0) check.account = accounts_.at(account).number;
  check.number = std::string(Trim(Typed(number_)));
  check.date = FromQDate(date_->date());
  const bool fixed = program_.ledger().settings().fixed_decimal != 0;
  const std::string amount = Typed(amount_);
  // What the register would refuse to take is no amount here either.
  if (IsAmountText(Trim(amount), fixed)) check.amount = AmountOf(Trim(amount), fixed);
  return check;
}

QWidget* QuickCheckDialog::Field(QuickCheckField field) const {
  switch (field) {
    case QuickCheckField::kPayee:
      return payee_;
    case QuickCheckField::kName:
      return name_1_;
    case QuickCheckField::kAccount:
      return account_;
    case QuickCheckField::kNumber:
      return number_;
    case QuickCheckField::kAmount:
      break;
  }
  return amount_;
}

void QuickCheckDialog::SaveAndPrint() {
  QuickCheck check = Check();
  if (const std::optional<QuickCheckField> refused = AcceptQuickCheck(program_.ledger(), check)) {
    Field(*refused)->setFocus(Qt::OtherFocusReason);
    return;
  }
  check_ = check;
  accept();
}

void RunQuickCheck(Program& program, MainWindow& window) {
  auto* transactions = qobject_cast<TransactionsPage*>(window.page("TRN"));
  QuickCheckDialog dialog(&window, program);
  if (dialog.exec() != QDialog::Accepted) return;
  const QuickCheck check = dialog.check();
  PrintChecksDocument(window, [&program, &check](PrintJob& job) {
    return PrintQuickCheck(program.ledger(), job, check);
  });
  // The register shows the new entry (or its absence) when it is on show;
  // otherwise when it next comes forward.
  if (transactions != nullptr && transactions->checks_page()->isVisible()) {
    transactions->checks_page()->Enter();
  }
}

}  // namespace zenkar
