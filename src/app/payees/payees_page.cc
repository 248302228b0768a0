#include "app/payees/payees_page.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <algorithm>

#include "app/window/setup_form_keys.h"
#include "common/text_field.h"
#include "platform/text_conversion.h"

namespace zenkar {
namespace {

QString Text(std::string_view cp1252) { return FromCp1252(cp1252); }
std::string Typed(const QLineEdit* edit) { return ToCp1252(edit->text()); }

// What the list shows for a payee without a name (a new company's first).
constexpr char kNoName[] = "(no name)";

}  // namespace

PayeesPage::PayeesPage(const TabPageInfo& info, PageContext context) : TabPage(info, context) {
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(BuildList(), 2);
  layout->addWidget(BuildFields(), 3);
  SetUpKeys();
  FillList();
  // The first payee of the list is shown.
  ShowPayee(list_->count() > 0 ? list_->item(0)->data(Qt::UserRole).toInt() : 0);
  SelectInList(shown_);
  program().ledger().AddObserver(this);
}

PayeesPage::~PayeesPage() { program().ledger().RemoveObserver(this); }

QWidget* PayeesPage::BuildList() {
  search_ = new QLineEdit;
  search_->setObjectName("payeeSearch");
  search_->setClearButtonEnabled(true);
  search_->setToolTip(Text(kPayeeSearchHint));
  connect(search_, &QLineEdit::textChanged, this, [this] { FillList(); });
  auto* hint = new QLabel(Text(kPayeeSearchHint));
  hint->setWordWrap(true);
  auto* search_label = new QLabel("Search");
  search_label->setBuddy(search_);

  list_ = new QListWidget;
  list_->setObjectName("payeeList");
  connect(list_, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
    if (filling_ || item == nullptr) return;
    ShowPayee(item->data(Qt::UserRole).toInt());
  });

  auto* box = new QWidget;
  auto* layout = new QVBoxLayout(box);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* search_row = new QHBoxLayout;
  search_row->addWidget(search_label);
  search_row->addWidget(search_);
  layout->addLayout(search_row);
  layout->addWidget(hint);
  layout->addWidget(list_, 1);
  return box;
}

QLineEdit* PayeesPage::AddLine(const QString& name, int width) {
  auto* edit = new QLineEdit;
  edit->setObjectName(name);
  edit->setMaxLength(width);
  return edit;
}

QWidget* PayeesPage::BuildFields() {
  heading_ = new QLabel;
  heading_->setObjectName("payeeHeading");
  name_ = AddLine("payeeName", kPayeeNameWidth);
  name_2_ = AddLine("payeeName2", 40);
  address_ = AddLine("payeeAddress", 40);
  city_state_zip_ = AddLine("payeeCityStateZip", 40);
  id_number_ = AddLine("payeeIdNumber", 20);
  memo_ = AddLine("payeeMemo", 40);
  phone_ = AddLine("payeePhone", 40);

  auto* types = new QWidget;
  auto* type_row = new QHBoxLayout(types);
  type_row->setContentsMargins(0, 0, 0, 0);
  auto* group = new QButtonGroup(this);
  const char* kTypeCaptions[] = {"None", "Misc", "Rent"};
  for (int i = 0; i < 3; ++i) {
    types_1099_[i] = new QRadioButton(kTypeCaptions[i]);
    types_1099_[i]->setObjectName(QString("payee1099") + kTypeCaptions[i]);
    group->addButton(types_1099_[i], i);
    type_row->addWidget(types_1099_[i]);
  }
  type_row->addStretch();

  default_account_ = AddLine("payeeDefaultAccount", kAccountNumberWidth);
  default_account_->setMaximumWidth(default_account_->fontMetrics().horizontalAdvance("8") * 8);
  default_account_description_ = new QLabel;
  connect(default_account_, &QLineEdit::textChanged, this, [this] { ShowDefaultAccount(); });
  auto* account_row = new QHBoxLayout;
  account_row->addWidget(default_account_);
  account_row->addWidget(default_account_description_, 1);

  auto* form = new QFormLayout;
  form->addRow("Name 1", name_);
  form->addRow("Name 2", name_2_);
  form->addRow("Address", address_);
  form->addRow("City, State, ZIP", city_state_zip_);
  form->addRow("ID Number", id_number_);
  form->addRow("Memo", memo_);
  form->addRow("Phone", phone_);
  form->addRow("1099 Type", types);
  form->addRow("Default Account", account_row);

  add_ = MakeButton(0, "Add New Payee", [this] { StartNewPayee(); });
  add_->setObjectName("addPayee");
  save_ = MakeButton(0, "Save Payee", [this] { SavePayee(); });
  save_->setObjectName("savePayee");
  delete_ = MakeButton(0, "Delete Payee", [this] { DeletePayee(); });
  delete_->setObjectName("deletePayee");
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(add_);
  buttons->addWidget(save_);
  buttons->addWidget(delete_);
  buttons->addStretch();

  auto* box = new QWidget;
  auto* layout = new QVBoxLayout(box);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(heading_);
  layout->addLayout(form);
  for (int line = 0; line < kAutoInvoicesShown; ++line) layout->addWidget(BuildAutoInvoice(line));
  layout->addLayout(buttons);
  layout->addStretch();
  return box;
}

QWidget* PayeesPage::BuildAutoInvoice(int line) {
  const QString suffix = QString::number(line + 1);
  AutoInvoiceFields& f = auto_invoices_[line];
  f.description = AddLine("autoDesc" + suffix, 16);
  f.amount = AddLine("autoAmt" + suffix, 16);
  f.amount->setAlignment(Qt::AlignRight);
  f.account = AddLine("autoAcct" + suffix, kAccountNumberWidth);
  f.day = AddLine("autoDate" + suffix, 3);
  f.day->setToolTip(
      "Day of the month: 1 to 31 posts an invoice due that day, -1 to -31 a check dated that "
      "day, blank or 0 nothing.");
  auto* box = new QGroupBox("Auto Invoice " + suffix);
  auto* grid = new QGridLayout(box);
  const struct {
    const char* caption;
    QLineEdit* edit;
    int stretch;
  } kColumns[] = {
      {"Desc", f.description, 4}, {"Amt", f.amount, 3}, {"Acct", f.account, 1}, {"Date", f.day, 1}};
  int column = 0;
  for (const auto& c : kColumns) {
    auto* label = new QLabel(c.caption);
    label->setBuddy(c.edit);
    grid->addWidget(label, 0, column);
    grid->addWidget(c.edit, 1, column);
    grid->setColumnStretch(column, c.stretch);
    ++column;
  }
  return box;
}

// Enter moves through the fields in screen order; on the last it saves.
void PayeesPage::SetUpKeys() {
  std::vector<QWidget*> fields = {name_,      name_2_, address_, city_state_zip_,
                                  id_number_, memo_,   phone_};
  for (QRadioButton* type : types_1099_) fields.push_back(type);
  fields.push_back(default_account_);
  for (const AutoInvoiceFields& f : auto_invoices_) {
    for (QWidget* field : {f.description, f.amount, f.account, f.day}) fields.push_back(field);
  }
  new FormKeys(this, fields, [this] { SavePayee(); });
  QWidget::setTabOrder(search_, list_);
  QWidget::setTabOrder(list_, name_);
  QWidget::setTabOrder(auto_invoices_.back().day, save_);
  QWidget::setTabOrder(save_, add_);
  QWidget::setTabOrder(add_, delete_);
}

// The payees in name order, or those the search finds.
void PayeesPage::FillList() {
  const Ledger& ledger = program().ledger();
  std::vector<int> numbers;
  const std::string search = ToCp1252(search_->text());
  if (Trim(search).empty()) {
    for (int n = 1; n <= ledger.payees().count(); ++n) numbers.push_back(n);
  } else {
    numbers = ledger.SearchPayees(search);
  }
  struct Row {
    QString label;
    int number;
    bool unnamed;
  };
  std::vector<Row> rows;
  for (int n : numbers) {
    const std::string name = ledger.PayeeName(n);
    rows.push_back({name.empty() ? QString(kNoName) : Text(name), n, name.empty()});
  }
  // By name, and the payees without one after the rest.
  std::stable_sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) {
    if (a.unnamed != b.unnamed) return b.unnamed;
    return a.label.compare(b.label, Qt::CaseInsensitive) < 0;
  });
  filling_ = true;
  list_->clear();
  for (const Row& row : rows) {
    auto* item = new QListWidgetItem(row.label, list_);
    item->setData(Qt::UserRole, row.number);
  }
  filling_ = false;
  SelectInList(shown_);
}

void PayeesPage::SelectInList(int number) {
  filling_ = true;
  list_->setCurrentItem(nullptr);
  for (int row = 0; row < list_->count(); ++row) {
    if (list_->item(row)->data(Qt::UserRole).toInt() == number) list_->setCurrentRow(row);
  }
  filling_ = false;
}

void PayeesPage::ShowPayee(int number) {
  const Ledger& ledger = program().ledger();
  shown_ = ledger.IsValidPayee(number) ? number : 0;
  PayeeRecord blank;
  ClearPayee(blank);
  ShowEntry(PayeeEntryOf(shown_ > 0 ? ledger.payees().payee(shown_) : blank));
  heading_->setText(shown_ > 0 ? QString("Payee %1 of %2").arg(shown_).arg(ledger.payees().count())
                               : QString("New Payee"));
  delete_->setEnabled(shown_ > 0);
}

PayeeEntry PayeesPage::Entry() const {
  PayeeEntry e;
  e.name = Typed(name_);
  e.name_2 = Typed(name_2_);
  e.address = Typed(address_);
  e.city_state_zip = Typed(city_state_zip_);
  e.id_number = Typed(id_number_);
  e.memo = Typed(memo_);
  e.phone = Typed(phone_);
  for (int i = 0; i < 3; ++i) {
    if (types_1099_[i]->isChecked()) e.type_1099 = i;
  }
  e.default_account = Typed(default_account_);
  for (int line = 0; line < kAutoInvoicesShown; ++line) {
    const AutoInvoiceFields& f = auto_invoices_[line];
    e.auto_invoices[line] = {Typed(f.description), Typed(f.amount), Typed(f.account), Typed(f.day)};
  }
  return e;
}

void PayeesPage::ShowEntry(const PayeeEntry& e) {
  name_->setText(Text(e.name));
  name_2_->setText(Text(e.name_2));
  address_->setText(Text(e.address));
  city_state_zip_->setText(Text(e.city_state_zip));
  id_number_->setText(Text(e.id_number));
  memo_->setText(Text(e.memo));
  phone_->setText(Text(e.phone));
  types_1099_[e.type_1099]->setChecked(true);
  default_account_->setText(Text(e.default_account));
  for (int line = 0; line < kAutoInvoicesShown; ++line) {
    const AutoInvoiceFields& f = auto_invoices_[line];
    const AutoInvoiceEntry& typed = e.auto_invoices[line];
    f.description->setText(Text(typed.description));
    f.amount->setText(Text(typed.amount));
    f.account->setText(Text(typed.account));
    f.day->setText(Text(typed.day));
  }
}

void PayeesPage::ShowDefaultAccount() {
  const ChartOfAccounts& chart = program().ledger().chart();
  const int found = chart.FindAccount(Trim(Typed(default_account_)));
  default_account_description_->setText(
      found == 0 ? QString() : Text(TrimRight(chart.account(found).description)));
}

void PayeesPage::StartNewPayee() {
  ShowPayee(0);
  SelectInList(0);
  name_->setFocus(Qt::OtherFocusReason);
}

bool PayeesPage::SavePayee() {
  Ledger& ledger = program().ledger();
  if (shown_ == 0) {
    const std::optional<int> added = AddPayeeFromEntry(ledger, Entry());
    if (!added) return false;
    ShowPayee(*added);
  } else if (!UpdatePayeeFromEntry(ledger, shown_, Entry())) {
    return false;
  } else {
    ShowPayee(shown_);
  }
  SelectInList(shown_);
  return true;
}

void PayeesPage::DeletePayee() {
  if (shown_ == 0 || !DeletePayeeAfterQuestion(program().ledger(), shown_)) return;
  ShowPayee(std::min(shown_, program().ledger().payees().count()));
  SelectInList(shown_);
}

void PayeesPage::PageShown() { ShowDefaultAccount(); }

void PayeesPage::OnLedgerChanged(LedgerChange change, int) {
  if (change == LedgerChange::kFolderLoaded) {
    ShowPayee(program().ledger().payees().count() > 0 ? 1 : 0);
  }
  // Books read again because another program changed them: the list and the
  // default account's description may both have moved on.
  const bool reread = change == LedgerChange::kBooksReread;
  if (change == LedgerChange::kPayeesChanged || change == LedgerChange::kFolderLoaded || reread) {
    FillList();
  }
  if (change == LedgerChange::kChartChanged || reread) ShowDefaultAccount();
}

}  // namespace zenkar
