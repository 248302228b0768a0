#include "app/check_printing/micr_page.h"

#include <QFileDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QMenu>
#include <QVBoxLayout>

#include "app/check_printing/check_output.h"
#include "app/window/main_window.h"
#include "app/window/setup_form_keys.h"
#include "output/check_layout.h"
#include "platform/text_conversion.h"

namespace zenkar {
namespace {

QString Text(std::string_view cp1252) { return FromCp1252(cp1252); }
std::string Typed(const QLineEdit* edit) { return ToCp1252(edit->text()); }

QComboBox* ListOf(const char* name, std::initializer_list<std::string_view> items) {
  auto* list = new QComboBox;
  list->setObjectName(name);
  for (std::string_view item : items) list->addItem(Text(item));
  return list;
}

}  // namespace

MicrPage::MicrPage(const TabPageInfo& info, PageContext context)
    : TabPage(info, context), setup_(std::make_unique<MicrSetup>(program().ledger())) {
  notice_ = new QLabel;
  notice_->setObjectName("micrNotice");
  notice_->setStyleSheet("color: red;");
  auto* left = new QVBoxLayout;
  left->addWidget(BuildBankBox());
  left->addWidget(BuildCompanyBox());
  left->addStretch();
  auto* right = new QVBoxLayout;
  right->addWidget(BuildSetupBox());
  right->addWidget(BuildAdjustmentsBox());
  right->addWidget(BuildLogoBox());
  right->addStretch();
  auto* columns = new QHBoxLayout;
  columns->addLayout(left, 1);
  columns->addLayout(right, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(notice_);
  layout->addLayout(columns);
  layout->addLayout(BuildButtons());
  layout->addStretch();

  new FormKeys(this,
               {bank_name_, bank_address_, bank_city_, plain_ach_, routing_, name_1_, name_2_,
                address_, city_, account_, phone_memo_, check_type_, location_, signature_lines_,
                signature_title_, horizontal_, vertical_, font_height_},
               [this] { Save(); });
  ShowValues();
  program().ledger().AddObserver(this);
}

MicrPage::~MicrPage() { program().ledger().RemoveObserver(this); }

QLineEdit* MicrPage::AddLine(const char* name, int width) {
  auto* edit = new QLineEdit;
  edit->setObjectName(name);
  edit->setMaxLength(width);
  return edit;
}

QSpinBox* MicrPage::AddSpin(const char* name, int bound) {
  auto* spin = new QSpinBox;
  spin->setObjectName(name);
  spin->setRange(-bound, bound);
  return spin;
}

QWidget* MicrPage::BuildBankBox() {
  bank_name_ = AddLine("bankName", 40);
  bank_address_ = AddLine("bankAddress", 40);
  bank_city_ = AddLine("bankCityStateZip", 40);
  plain_ach_ = AddLine("plainTextAch", 40);
  routing_ = AddLine("routingNumber", 9);
  auto* box = new QGroupBox("Your Bank's Information");
  auto* form = new QFormLayout(box);
  form->addRow("Bank's Name", bank_name_);
  form->addRow("Bank's Address", bank_address_);
  form->addRow("City, State, && ZIP", bank_city_);
  form->addRow("Plain Text ACH", plain_ach_);
  form->addRow("Routing Number", routing_);
  return box;
}

QWidget* MicrPage::BuildCompanyBox() {
  name_1_ = AddLine("micrNameLine1", 40);
  name_2_ = AddLine("micrNameLine2", 40);
  address_ = AddLine("micrAddress", 40);
  city_ = AddLine("micrCityStateZip", 40);
  account_ = AddLine("micrAccountNumber", 40);
  phone_memo_ = AddLine("phoneMemo", 40);
  auto* box = new QGroupBox("Your Company Information");
  auto* form = new QFormLayout(box);
  form->addRow("Name Line 1", name_1_);
  form->addRow("Name Line 2", name_2_);
  form->addRow("Address", address_);
  form->addRow("City, State, ZIP", city_);
  form->addRow("Account Number", account_);
  form->addRow("Phone / Memo", phone_memo_);
  return box;
}

QWidget* MicrPage::BuildSetupBox() {
  check_type_ = new QComboBox;
  check_type_->setObjectName("micrCheckType");
  for (std::string_view name : kCheckTypeNames) check_type_->addItem(Text(name));
  location_ = ListOf("numberLocation",
                     {kNumberLocationNames[0], kNumberLocationNames[1], kNumberLocationNames[2]});
  signature_lines_ = ListOf("signatureLines", {"1", "2"});
  signature_title_ = AddLine("signatureTitle", 40);
  auto* box = new QGroupBox("Check Setup");
  auto* form = new QFormLayout(box);
  form->addRow("Check Type", check_type_);
  form->addRow("Check Number Location", location_);
  form->addRow("Signature Lines", signature_lines_);
  form->addRow("Signature Title", signature_title_);
  return box;
}

QWidget* MicrPage::BuildAdjustmentsBox() {
  horizontal_ = AddSpin("horizontalAdjustment", kMostMicrShift);
  vertical_ = AddSpin("verticalAdjustment", kMostMicrShift);
  font_height_ = AddSpin("fontHeightAdjustment", kMostMicrHeightTenths);
  auto* box = new QGroupBox("MICR Adjustments");
  auto* form = new QFormLayout(box);
  form->addRow("Horizontal  (1/32\")", horizontal_);
  form->addRow("Vertical  (1/32\")", vertical_);
  form->addRow("Font Height  (1/10 pt)", font_height_);
  return box;
}

QWidget* MicrPage::BuildLogoBox() {
  logo_text_ = new QLabel;
  logo_text_->setObjectName("logoText");
  logo_text_->setWordWrap(true);
  QPushButton* select = MakeButton(0, "Select Logo", [this] { SelectLogo(); });
  select->setObjectName("selectLogo");
  QPushButton* remove = MakeButton(0, "Remove Logo", [this] {
    TakeValues();
    if (setup_->RemoveLogo()) ShowValues();
  });
  remove->setObjectName("removeLogo");
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(select);
  buttons->addWidget(remove);
  buttons->addStretch();
  auto* box = new QGroupBox("Logo");
  auto* layout = new QVBoxLayout(box);
  layout->addWidget(logo_text_);
  layout->addLayout(buttons);
  return box;
}

QLayout* MicrPage::BuildButtons() {
  save_ = MakeButton(0, "Save", [this] { Save(); });
  save_->setObjectName("saveMicr");
  QPushButton* test = MakeButton(0, "Print Test Check", [] {});
  test->setObjectName("printTestCheck");
  auto* menu = new QMenu(test);
  menu->setObjectName("testCheckMenu");
  QAction* preview = menu->addAction("Preview / Save (PDF)");
  preview->setObjectName("testCheckPdf");
  connect(preview, &QAction::triggered, this,
          [this] { PrintTestCheckTo(program(), window(), OutputTarget::kPdf); });
  QAction* print = menu->addAction("Print");
  print->setObjectName("testCheckPrint");
  connect(print, &QAction::triggered, this,
          [this] { PrintTestCheckTo(program(), window(), OutputTarget::kPrinter); });
  test->setMenu(menu);
  QPushButton* help =
      MakeButton(0, "Help", [this] { program().help().ShowHelp(info().help_context); });
  help->setObjectName("micrHelp");
  auto* row = new QHBoxLayout;
  row->addStretch();
  for (QPushButton* button : {save_, test, help}) {
    button->setAutoDefault(false);
    row->addWidget(button);
  }
  return row;
}

void MicrPage::ShowValues() {
  const MicrSettings& s = setup_->edited();
  const struct {
    QLineEdit* edit;
    const std::string& text;
  } lines[] = {{bank_name_, s.bank_name},
               {bank_address_, s.bank_address},
               {bank_city_, s.bank_city_state_zip},
               {plain_ach_, s.plain_text_ach},
               {routing_, s.routing_number},
               {name_1_, s.name_line_1},
               {name_2_, s.name_line_2},
               {address_, s.address},
               {city_, s.city_state_zip},
               {account_, s.account_number},
               {phone_memo_, s.phone_memo},
               {signature_title_, s.signature_title}};
  for (const auto& [edit, text] : lines) edit->setText(Text(text));
  check_type_->setCurrentIndex(setup_->check_type() - 1);
  location_->setCurrentIndex(static_cast<int>(s.number_location));
  signature_lines_->setCurrentIndex(s.signature_lines - 1);
  horizontal_->setValue(s.horizontal_32nds);
  vertical_->setValue(s.vertical_32nds);
  font_height_->setValue(s.font_height_tenths);
  logo_text_->setText(Text(setup_->LogoText()));
  ShowNotice();
}

void MicrPage::TakeValues() {
  MicrSettings& s = setup_->edited();
  s.bank_name = Typed(bank_name_);
  s.bank_address = Typed(bank_address_);
  s.bank_city_state_zip = Typed(bank_city_);
  s.plain_text_ach = Typed(plain_ach_);
  s.routing_number = Typed(routing_);
  s.name_line_1 = Typed(name_1_);
  s.name_line_2 = Typed(name_2_);
  s.address = Typed(address_);
  s.city_state_zip = Typed(city_);
  s.account_number = Typed(account_);
  s.phone_memo = Typed(phone_memo_);
  s.signature_title = Typed(signature_title_);
  setup_->check_type() = check_type_->currentIndex() + 1;  // no choice (-1) is 0
  s.number_location = static_cast<CheckNumberLocation>(std::max(location_->currentIndex(), 0));
  s.signature_lines = std::max(signature_lines_->currentIndex(), 0) + 1;
  s.horizontal_32nds = horizontal_->value();
  s.vertical_32nds = vertical_->value();
  s.font_height_tenths = font_height_->value();
}

void MicrPage::ShowNotice() {
  const bool micr = IsMicrCheckType(program().ledger().settings().check_type);
  notice_->setText(micr ? QString() : Text(kNotMicrCheckType));
  notice_->setVisible(!micr);
}

bool MicrPage::Save() {
  TakeValues();
  const bool saved = setup_->Save();
  ShowValues();
  return saved;
}

void MicrPage::SelectLogo() {
  TakeValues();
  const QString path = logo_picker_
                           ? logo_picker_()
                           : QFileDialog::getOpenFileName(this, Text(kLogoDialogTitle), QString(),
                                                          Text(kLogoFileType) + " (*.bmp *.BMP)");
  if (path.isEmpty()) return;
  if (setup_->ChooseLogo(ToPath(path))) ShowValues();
}

void MicrPage::PageShown() {
  TakeValues();
  if (!setup_->HasUnsavedEdits()) setup_->Reload();
  ShowValues();
}

void MicrPage::OnLedgerChanged(LedgerChange change, int) {
  if (change == LedgerChange::kFolderLoaded) {
    setup_->Reload();
    ShowValues();
  } else if (change == LedgerChange::kSettingsChanged) {
    ShowNotice();
  }
}

}  // namespace zenkar
