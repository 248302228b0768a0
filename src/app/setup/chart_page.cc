#include "app/setup/chart_page.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QVBoxLayout>

#include "app/window/setup_form_keys.h"
#include "common/text_field.h"
#include "platform/text_conversion.h"

namespace zenkar {
namespace {

enum Column { kNumber, kDescription, kType, kLevel, kTitleType, kBalanceForward, kColumns };

QString Text(std::string_view cp1252) { return FromCp1252(cp1252); }
QString Latin(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<int>(text.size()));
}

QTableWidgetItem* Cell(const QString& text, bool bold, Qt::Alignment align = Qt::AlignLeft) {
  auto* item = new QTableWidgetItem(text);
  item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
  item->setTextAlignment(align | Qt::AlignVCenter);
  if (bold) {
    QFont font = item->font();
    font.setBold(true);
    item->setFont(font);
  }
  return item;
}

// Selects the item of `combo` whose data is `value`, or none.
void ChooseValue(QComboBox* combo, int value) { combo->setCurrentIndex(combo->findData(value)); }

}  // namespace

ChartPage::ChartPage(Program& program) : program_(program) {
  setObjectName("chartOfAccounts");
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(BuildList(), 3);
  layout->addWidget(BuildEditor(), 2);
  std::vector<QWidget*> fields = {number_, description_, type_,
                                  level_,  title_type_,  balance_forward_};
  new FormKeys(this, fields, [this] { SaveAccount(); });
  QWidget::setTabOrder(add_mode_, edit_mode_);
  QWidget::setTabOrder(edit_mode_, number_);
  QWidget::setTabOrder(balance_forward_, save_);
  QWidget::setTabOrder(save_, delete_);
  QWidget::setTabOrder(delete_, test_);
  QWidget::setTabOrder(test_, table_);
  ShowChart();
  StartEditing();
  program_.ledger().AddObserver(this);
}

ChartPage::~ChartPage() { program_.ledger().RemoveObserver(this); }

QWidget* ChartPage::BuildList() {
  table_ = new QTableWidget(0, kColumns);
  table_->setObjectName("chartTable");
  table_->setHorizontalHeaderLabels(
      {"Account", "Description", "Type", "Level", "Title Type", "Bal Fwd"});
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setTabKeyNavigation(false);
  table_->verticalHeader()->hide();
  table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
  table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  table_->horizontalHeader()->setSectionResizeMode(kDescription, QHeaderView::Stretch);
  connect(table_, &QTableWidget::currentCellChanged, this, [this] { SelectionChanged(); });

  total_ = new QLabel;
  total_->setObjectName("balanceForwardTotal");
  auto* box = new QWidget;
  auto* layout = new QVBoxLayout(box);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(table_, 1);
  layout->addWidget(total_);
  return box;
}

QWidget* ChartPage::BuildEditor() {
  add_mode_ = new QRadioButton("Add New");
  add_mode_->setObjectName("addNew");
  edit_mode_ = new QRadioButton("Edit Existing");
  edit_mode_->setObjectName("editExisting");
  connect(add_mode_, &QRadioButton::clicked, this, [this] { StartAdding(); });
  connect(edit_mode_, &QRadioButton::clicked, this, [this] { StartEditing(); });

  number_ = new QLineEdit;
  number_->setObjectName("accountNumber");
  number_->setMaxLength(kAccountNumberWidth);
  description_ = new QLineEdit;
  description_->setObjectName("accountDescription");
  description_->setMaxLength(40);
  type_ = new QComboBox;
  type_->setObjectName("accountType");
  for (int type = kLowestAccountType; type <= kHighestAccountType; ++type) {
    type_->addItem(Latin(AccountTypeLabel(type)), type);
  }
  level_ = new QComboBox;
  level_->setObjectName("totalLevel");
  int level = 1;
  for (const std::string& label : TotalLevelLabels()) level_->addItem(Text(label), level++);
  title_type_ = new QComboBox;
  title_type_->setObjectName("titleType");
  for (int title = kEntryAccount; title <= kHighestTitleType; ++title) {
    title_type_->addItem(Latin(TitleTypeLabel(title)), title);
  }
  balance_forward_ = new QLineEdit;
  balance_forward_->setObjectName("balanceForward");
  balance_forward_->setAlignment(Qt::AlignRight);

  save_ = new QPushButton("Save Account");
  save_->setObjectName("saveAccount");
  connect(save_, &QPushButton::clicked, this, [this] { SaveAccount(); });
  delete_ = new QPushButton("Delete Account");
  delete_->setObjectName("deleteAccount");
  connect(delete_, &QPushButton::clicked, this, [this] { DeleteAccount(); });
  test_ = new QPushButton("Test Chart of Accounts");
  test_->setObjectName("testChart");
  connect(test_, &QPushButton::clicked, this, [this] { TestChart(program_.ledger()); });
  for (QPushButton* button : {save_, delete_, test_}) button->setAutoDefault(false);

  auto* modes = new QHBoxLayout;
  modes->addWidget(add_mode_);
  modes->addWidget(edit_mode_);
  modes->addStretch();
  auto* form = new QFormLayout;
  form->addRow("Account Number", number_);
  form->addRow("Description", description_);
  form->addRow("Account Type", type_);
  form->addRow("Total Level", level_);
  form->addRow("Title Type", title_type_);
  form->addRow("Balance Forward", balance_forward_);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(save_);
  buttons->addWidget(delete_);
  buttons->addStretch();

  auto* box = new QGroupBox("Account");
  auto* layout = new QVBoxLayout(box);
  layout->addLayout(modes);
  layout->addLayout(form);
  layout->addLayout(buttons);
  layout->addSpacing(12);
  layout->addWidget(test_);
  layout->addStretch();
  return box;
}

void ChartPage::ShowChart() {
  filling_ = true;
  const ChartOfAccounts& chart = program_.ledger().chart();
  table_->setRowCount(chart.count());
  Money total;
  for (int n = 1; n <= chart.count(); ++n) {
    const AccountRecord& a = chart.account(n);
    const bool title = !a.IsEntry();
    const int row = n - 1;
    table_->setItem(row, kNumber, Cell(Text(TrimRight(a.number)), title));
    table_->setItem(row, kDescription, Cell(Text(TrimRight(a.description)), title));
    table_->setItem(row, kType, Cell(QString::number(a.type), title, Qt::AlignRight));
    table_->setItem(row, kLevel, Cell(QString::number(a.total_level), title, Qt::AlignRight));
    table_->setItem(row, kTitleType, Cell(QString::number(a.title_type), title, Qt::AlignRight));
    const QString balance = title ? QString() : Latin(a.balance_forward.ToStringWithCommas());
    table_->setItem(row, kBalanceForward, Cell(balance, title, Qt::AlignRight));
    total += a.balance_forward;
  }
  total_->setText("Total of the Balance Forward figures: " + Latin(total.ToStringWithCommas()));
  filling_ = false;
  // The same account stays selected wherever the change moved it.
  const int found = selected_number_.empty() ? 0 : chart.FindAccount(selected_number_);
  Select(found > 0 ? found : std::min(1, chart.count()));
}

void ChartPage::Select(int record_number) {
  if (record_number < 1 || record_number > table_->rowCount()) return;
  table_->setCurrentCell(record_number - 1, kNumber);
  table_->scrollToItem(table_->item(record_number - 1, kNumber));
}

int ChartPage::SelectedRecord() const {
  const int row = table_->currentRow();
  return row >= 0 && row < program_.ledger().chart().count() ? row + 1 : 0;
}

void ChartPage::SelectionChanged() {
  if (filling_) return;
  const int record = SelectedRecord();
  if (record == 0) return;
  const AccountRecord& account = program_.ledger().chart().account(record);
  selected_number_ = account.number;
  if (!adding()) ShowEntry(AccountEntryOf(account));
}

AccountEntry ChartPage::Entry() const {
  AccountEntry entry;
  entry.number = ToCp1252(number_->text());
  entry.description = ToCp1252(description_->text());
  const auto chosen = [](const QComboBox* combo, int shown) {
    return combo->currentIndex() < 0 ? shown : combo->currentData().toInt();
  };
  entry.type = chosen(type_, shown_.type);
  entry.total_level = chosen(level_, shown_.total_level);
  entry.title_type = chosen(title_type_, shown_.title_type);
  entry.balance_forward = ToCp1252(balance_forward_->text());
  return entry;
}

void ChartPage::ShowEntry(const AccountEntry& entry) {
  shown_ = entry;
  number_->setText(Text(entry.number));
  description_->setText(Text(entry.description));
  ChooseValue(type_, entry.type);
  ChooseValue(level_, entry.total_level);
  ChooseValue(title_type_, entry.title_type);
  balance_forward_->setText(Text(entry.balance_forward));
}

// A new account starts as an entry account of level 1, of the type of the
// account selected, so accounts of one section are typed one after another.
void ChartPage::ClearEditor() {
  AccountEntry entry;
  if (const int record = SelectedRecord(); record > 0) {
    entry.type = program_.ledger().chart().account(record).type;
  }
  ShowEntry(entry);
}

void ChartPage::StartAdding() {
  add_mode_->setChecked(true);
  delete_->setEnabled(false);
  ClearEditor();
  number_->setFocus(Qt::OtherFocusReason);
}

void ChartPage::StartEditing() {
  edit_mode_->setChecked(true);
  delete_->setEnabled(true);
  SelectionChanged();
}

bool ChartPage::SaveAccount() {
  Ledger& ledger = program_.ledger();
  const AccountEntry entry = Entry();
  if (adding()) {
    const int added = AddAccountFromEntry(ledger, entry);
    if (added == 0) return false;
    Select(added);
    ClearEditor();
    number_->setFocus(Qt::OtherFocusReason);
    return true;
  }
  const int record = SelectedRecord();
  if (record == 0) return false;
  const int edited = EditAccountFromEntry(ledger, record, entry);
  if (edited == 0) return false;
  Select(edited);
  SelectionChanged();
  return true;
}

void ChartPage::DeleteAccount() {
  const int record = SelectedRecord();
  if (adding() || record == 0) return;
  if (!program_.ledger().DeleteAccount(record)) return;
  Select(std::min(record, program_.ledger().chart().count()));
  SelectionChanged();
}

void ChartPage::PageShown() { ShowChart(); }

void ChartPage::OnLedgerChanged(LedgerChange change, int) {
  if (change != LedgerChange::kChartChanged && change != LedgerChange::kFolderLoaded &&
      change != LedgerChange::kBooksReread) {
    return;
  }
  ShowChart();
  if (!adding()) SelectionChanged();
}

}  // namespace zenkar
