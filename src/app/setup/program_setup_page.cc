#include "app/setup/program_setup_page.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QMenu>
#include <QVBoxLayout>

#include "app/check_printing/check_output.h"
#include "app/setup/setup_page.h"
#include "app/window/main_window.h"
#include "app/window/setup_form_keys.h"
#include "common/program_password.h"
#include "common/text_field.h"
#include "platform/desktop_printer.h"
#include "platform/text_conversion.h"

namespace zenkar {
namespace {

// The "COA Account Numbers" in screen order, with their object names.
struct AccountRow {
  const char* caption;
  const char* name;
  std::string ProgramSetupValues::*value;
};
constexpr AccountRow kAccountRows[] = {
    {"Bank Account", "bankAccount", &ProgramSetupValues::bank_account},
    {"Accounts Receivable", "receivablesAccount", &ProgramSetupValues::receivables_account},
    {"Accounts Payable", "payablesAccount", &ProgramSetupValues::payables_account},
    {"Capital Account", "capitalAccount", &ProgramSetupValues::capital_account},
    {"Salaries and Wages", "wagesAccount", &ProgramSetupValues::wages_account},
};

QString Text(const std::string& cp1252) { return FromCp1252(cp1252); }
std::string Typed(const QLineEdit* edit) { return ToCp1252(edit->text()); }

}  // namespace

ProgramSetupPage::ProgramSetupPage(Program& program, MainWindow& window)
    : program_(program), window_(window) {
  setObjectName("programSetup");
  auto* left = new QVBoxLayout;
  left->addWidget(BuildCompanyBox());
  left->addWidget(BuildAccountsBox());
  left->addStretch();
  auto* right = new QVBoxLayout;
  right->addWidget(BuildOptionsBox());
  right->addStretch();
  auto* columns = new QHBoxLayout;
  columns->addLayout(left, 3);
  columns->addLayout(right, 2);

  save_ = new QPushButton("Save");
  save_->setObjectName("saveSetup");
  save_->setAutoDefault(false);
  connect(save_, &QPushButton::clicked, this, [this] { Save(); });
  auto* save_row = new QHBoxLayout;
  save_row->addStretch();
  save_row->addWidget(save_);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(columns);
  layout->addWidget(BuildStatementsBox());
  layout->addLayout(save_row);
  layout->addStretch();
  SetUpKeys();
  ShowValues(ProgramSetupValuesOf(program_.ledger().settings()));
  program_.ledger().AddObserver(this);
}

ProgramSetupPage::~ProgramSetupPage() { program_.ledger().RemoveObserver(this); }

QLineEdit* ProgramSetupPage::AddLine(const char* name, int width) {
  auto* edit = new QLineEdit;
  edit->setObjectName(name);
  edit->setMaxLength(width);
  connect(edit, &QLineEdit::textEdited, this, [this] { EditsChanged(); });
  return edit;
}

QWidget* ProgramSetupPage::BuildCompanyBox() {
  name_line_1_ = AddLine("nameLine1", 40);
  name_line_2_ = AddLine("nameLine2", 40);
  address_ = AddLine("address", 40);
  city_state_zip_ = AddLine("cityStateZip", 40);
  federal_id_ = AddLine("federalId", 30);
  auto* box = new QGroupBox("Company");
  auto* form = new QFormLayout(box);
  form->addRow("Name Line 1", name_line_1_);
  form->addRow("Name Line 2", name_line_2_);
  form->addRow("Address", address_);
  form->addRow("City, State, ZIP", city_state_zip_);
  form->addRow("Federal ID (FEIN)", federal_id_);
  return box;
}

QWidget* ProgramSetupPage::BuildAccountsBox() {
  auto* box = new QGroupBox("COA Account Numbers");
  auto* grid = new QGridLayout(box);
  for (size_t i = 0; i < accounts_.size(); ++i) {
    const AccountRow& row = kAccountRows[i];
    accounts_[i].edit = AddLine(row.name, kAccountNumberWidth);
    accounts_[i].edit->setMaximumWidth(accounts_[i].edit->fontMetrics().horizontalAdvance("8") * 8);
    connect(accounts_[i].edit, &QLineEdit::textChanged, this, [this] { ShowDescriptions(); });
    accounts_[i].description = new QLabel;
    accounts_[i].description->setObjectName(QString(row.name) + "Description");
    auto* label = new QLabel(row.caption);
    label->setBuddy(accounts_[i].edit);
    grid->addWidget(label, static_cast<int>(i), 0);
    grid->addWidget(accounts_[i].edit, static_cast<int>(i), 1);
    grid->addWidget(accounts_[i].description, static_cast<int>(i), 2);
  }
  grid->setColumnStretch(2, 1);
  return box;
}

QWidget* ProgramSetupPage::BuildOptionsBox() {
  check_type_ = new QComboBox;
  check_type_->setObjectName("checkType");
  for (std::string_view name : kCheckTypeNames) {
    check_type_->addItem(QString::fromLatin1(name.data(), static_cast<int>(name.size())));
  }
  fixed_decimal_ = new QCheckBox("Use Fixed Decimal Position");
  fixed_decimal_->setObjectName("fixedDecimal");
  memo_on_checks_ = new QCheckBox("Print Payee Memo on Checks");
  memo_on_checks_->setObjectName("memoOnChecks");
  accrual_ = new QCheckBox("Accrual Accounting");
  accrual_->setObjectName("accrualAccounting");
  accounting_year_ = new QComboBox;
  accounting_year_->setObjectName("accountingYear");
  for (int month = 1; month <= 12; ++month) {
    accounting_year_->addItem(Text(FiscalYearLabel(month)));
  }
  for (QComboBox* combo : {check_type_, accounting_year_}) {
    connect(combo, &QComboBox::currentIndexChanged, this, [this] { EditsChanged(); });
  }
  for (QCheckBox* box : {fixed_decimal_, memo_on_checks_, accrual_}) {
    connect(box, &QCheckBox::toggled, this, [this] { EditsChanged(); });
  }

  password_ = new QPushButton("Set or Change Password");
  password_->setObjectName("setPassword");
  connect(password_, &QPushButton::clicked, this, [this] {
    SetOrChangePassword(program_.ui(), program_.secret_input(), program_.password());
  });
  print_settings_ = new QPushButton("View / Print Program Settings");
  print_settings_->setObjectName("printSettings");
  auto* print_menu = new QMenu(print_settings_);
  print_menu->setObjectName("printSettingsMenu");
  QAction* preview = print_menu->addAction("Preview / Save (PDF)");
  preview->setObjectName("settingsPdf");
  connect(preview, &QAction::triggered, this, [this] { PrintSettings(OutputTarget::kPdf); });
  QAction* print = print_menu->addAction("Print");
  print->setObjectName("settingsPrint");
  connect(print, &QAction::triggered, this, [this] { PrintSettings(OutputTarget::kPrinter); });
  print_settings_->setMenu(print_menu);
  test_check_ = new QPushButton("Print Test Check");
  test_check_->setObjectName("printTestCheck");
  auto* test_menu = new QMenu(test_check_);
  test_menu->setObjectName("testCheckMenu");
  QAction* test_preview = test_menu->addAction("Preview / Save (PDF)");
  test_preview->setObjectName("testCheckPdf");
  connect(test_preview, &QAction::triggered, this,
          [this] { PrintTestCheckTo(program_, window_, OutputTarget::kPdf); });
  QAction* test_print = test_menu->addAction("Print");
  test_print->setObjectName("testCheckPrint");
  connect(test_print, &QAction::triggered, this,
          [this] { PrintTestCheckTo(program_, window_, OutputTarget::kPrinter); });
  test_check_->setMenu(test_menu);
  help_ = new QPushButton("Help");
  help_->setObjectName("setupHelp");
  connect(help_, &QPushButton::clicked, this,
          [this] { program_.help().ShowHelp(kHelpProgramSetup); });
  for (QPushButton* button : {test_check_, password_, print_settings_, help_}) {
    button->setAutoDefault(false);
  }

  auto* box = new QGroupBox("Options");
  auto* layout = new QVBoxLayout(box);
  auto* check_label = new QLabel("Check Type / Form Number");
  check_label->setBuddy(check_type_);
  layout->addWidget(check_label);
  layout->addWidget(check_type_);
  layout->addWidget(fixed_decimal_);
  layout->addWidget(memo_on_checks_);
  layout->addWidget(accrual_);
  auto* year_label = new QLabel("Accounting Year");
  year_label->setBuddy(accounting_year_);
  layout->addWidget(year_label);
  layout->addWidget(accounting_year_);
  layout->addSpacing(12);
  layout->addWidget(test_check_);
  layout->addWidget(password_);
  layout->addWidget(print_settings_);
  layout->addWidget(help_);
  return box;
}

QWidget* ProgramSetupPage::BuildStatementsBox() {
  income_title_ = AddLine("incomeTitle", 80);
  income_footer_ = AddLine("incomeFooter", 80);
  balance_title_ = AddLine("balanceTitle", 80);
  balance_footer_ = AddLine("balanceFooter", 80);
  auto* income = new QGroupBox("Income Statement");
  auto* income_form = new QFormLayout(income);
  income_form->addRow("Report Title", income_title_);
  income_form->addRow("Footer", income_footer_);
  auto* balance = new QGroupBox("Balance Sheet");
  auto* balance_form = new QFormLayout(balance);
  balance_form->addRow("Report Title", balance_title_);
  balance_form->addRow("Footer", balance_footer_);
  auto* box = new QWidget;
  auto* layout = new QHBoxLayout(box);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(income);
  layout->addWidget(balance);
  return box;
}

// Enter moves through the fields in screen order and saves on the last; Tab
// also stops at the buttons where they stand.
void ProgramSetupPage::SetUpKeys() {
  std::vector<QWidget*> fields = {name_line_1_, name_line_2_, address_, city_state_zip_,
                                  federal_id_};
  for (const AccountField& account : accounts_) fields.push_back(account.edit);
  for (QWidget* field : std::initializer_list<QWidget*>{
           check_type_, fixed_decimal_, memo_on_checks_, accrual_, accounting_year_, income_title_,
           income_footer_, balance_title_, balance_footer_}) {
    fields.push_back(field);
  }
  new FormKeys(this, fields, [this] { Save(); });
  QWidget::setTabOrder(accounting_year_, test_check_);
  QWidget::setTabOrder(test_check_, password_);
  QWidget::setTabOrder(password_, print_settings_);
  QWidget::setTabOrder(print_settings_, help_);
  QWidget::setTabOrder(help_, income_title_);
  QWidget::setTabOrder(balance_footer_, save_);
}

ProgramSetupValues ProgramSetupPage::Values() const {
  ProgramSetupValues v;
  v.name_line_1 = Typed(name_line_1_);
  v.name_line_2 = Typed(name_line_2_);
  v.address = Typed(address_);
  v.city_state_zip = Typed(city_state_zip_);
  v.federal_id = Typed(federal_id_);
  for (size_t i = 0; i < accounts_.size(); ++i) {
    v.*kAccountRows[i].value = std::string(Trim(Typed(accounts_[i].edit)));
  }
  v.check_type = check_type_->currentIndex() + 1;  // no choice (-1) is 0
  v.fixed_decimal = fixed_decimal_->isChecked();
  v.memo_on_checks = memo_on_checks_->isChecked();
  v.accrual_accounting = accrual_->isChecked();
  v.fiscal_start_month = accounting_year_->currentIndex() + 1;
  v.income_title = Typed(income_title_);
  v.income_footer = Typed(income_footer_);
  v.balance_title = Typed(balance_title_);
  v.balance_footer = Typed(balance_footer_);
  return v;
}

void ProgramSetupPage::ShowValues(const ProgramSetupValues& v) {
  showing_ = true;
  name_line_1_->setText(Text(v.name_line_1));
  name_line_2_->setText(Text(v.name_line_2));
  address_->setText(Text(v.address));
  city_state_zip_->setText(Text(v.city_state_zip));
  federal_id_->setText(Text(v.federal_id));
  check_type_->setCurrentIndex(v.check_type - 1);
  fixed_decimal_->setChecked(v.fixed_decimal);
  memo_on_checks_->setChecked(v.memo_on_checks);
  accrual_->setChecked(v.accrual_accounting);
  accounting_year_->setCurrentIndex(v.fiscal_start_month - 1);
  income_title_->setText(Text(v.income_title));
  income_footer_->setText(Text(v.income_footer));
  balance_title_->setText(Text(v.balance_title));
  balance_footer_->setText(Text(v.balance_footer));
  showing_ = false;
  ShowAccountValues(v);
}

void ProgramSetupPage::ShowAccountValues(const ProgramSetupValues& v) {
  showing_ = true;
  for (size_t i = 0; i < accounts_.size(); ++i) {
    accounts_[i].edit->setText(Text(v.*kAccountRows[i].value));
  }
  showing_ = false;
  EditsChanged();
}

// Beside each account number: the account's description, so a mistyped
// number shows at once.
void ProgramSetupPage::ShowDescriptions() {
  const ChartOfAccounts& chart = program_.ledger().chart();
  for (const AccountField& account : accounts_) {
    const int found = chart.FindAccount(Trim(Typed(account.edit)));
    account.description->setText(
        found == 0 ? QString() : Text(std::string(TrimRight(chart.account(found).description))));
  }
}

bool ProgramSetupPage::HasUnsavedEdits() const {
  return !(Values() == ProgramSetupValuesOf(program_.ledger().settings()));
}

void ProgramSetupPage::EditsChanged() {
  if (showing_) return;
  save_->setEnabled(HasUnsavedEdits());
}

bool ProgramSetupPage::Save() {
  if (!SaveProgramSetup(program_.ledger(), Values())) return false;
  window_.setWindowTitle(Text(program_.WindowCaption()));
  ShowValues(ProgramSetupValuesOf(program_.ledger().settings()));
  return true;
}

void ProgramSetupPage::PageShown() {
  if (!HasUnsavedEdits()) ShowValues(ProgramSetupValuesOf(program_.ledger().settings()));
  ShowDescriptions();
}

void ProgramSetupPage::PrintSettings(OutputTarget target) {
  PrintProgramSettings(program_, target, target == OutputTarget::kPrinter ? Printer() : nullptr);
}

PrinterCanvasFactory* ProgramSetupPage::Printer() {
  if (printer_ == nullptr) {
    printer_ = std::make_unique<DesktopPrinter>(
        program_.ledger(), program_.ui(), program_.fs(),
        std::vector<std::string>(kCheckTypeNames.begin(), kCheckTypeNames.end()));
  }
  return printer_.get();
}

void ProgramSetupPage::OnLedgerChanged(LedgerChange change, int) {
  const ProgramSetupValues stored = ProgramSetupValuesOf(program_.ledger().settings());
  if (change == LedgerChange::kFolderLoaded) {
    ShowValues(stored);
  } else if (change == LedgerChange::kSettingsChanged) {
    ShowAccountValues(stored);  // a renumbered setup account shows its new number
  } else if (change == LedgerChange::kChartChanged || change == LedgerChange::kBooksReread) {
    ShowDescriptions();
  }
}

}  // namespace zenkar
