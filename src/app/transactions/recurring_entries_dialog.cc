#include "app/transactions/recurring_entries_dialog.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/transactions/entry_fields.h"
#include "common/text_field.h"
#include "ledger/recurring_entries.h"
#include "platform/help_context.h"
#include "platform/text_conversion.h"

namespace zenkar {
namespace {

constexpr const char* kListCaptions[] = {"Type", "Description / Payee", "Ref. / Ck Num", "Day",
                                         "Acct", "Reversing Acct",      "Amount"};

QString Text(std::string_view cp1252) { return FromCp1252(cp1252); }

// Selects the entry whose data is `value` ("" selects the blank first one).
void Choose(QComboBox* box, std::string_view value) {
  const int found = box->findData(Text(value));
  box->setCurrentIndex(found < 0 ? 0 : found);
}

std::string Chosen(const QComboBox* box) { return ToCp1252(box->currentData().toString()); }

}  // namespace

RecurringEntriesDialog::RecurringEntriesDialog(QWidget* parent, Program& program)
    : QDialog(parent), program_(program), screen_(program) {
  setObjectName("recurringEntries");
  setWindowTitle(Text(kRecurringWindowTitle));
  SetHelpContext(this, kHelpRecurringEntries);
  account_lines_ = PostingAccountLines(program.ledger().chart());

  list_ = new QTableWidget(0, static_cast<int>(std::size(kListCaptions)));
  list_->setObjectName("recurringList");
  QStringList captions;
  for (const char* caption : kListCaptions) captions << caption;
  list_->setHorizontalHeaderLabels(captions);
  list_->verticalHeader()->hide();
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  list_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
  connect(list_, &QTableWidget::currentCellChanged, this, [this](int row) { ShowTemplate(row); });

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(list_, 1);
  layout->addWidget(BuildEditor());
  layout->addWidget(BuildButtons());
  screen_.Refresh();
  FillList();
  ShowTemplate(-1);
  resize(fontMetrics().averageCharWidth() * 110, fontMetrics().height() * 30);
}

QWidget* RecurringEntriesDialog::BuildEditor() {
  const auto fixed_decimal = [this] { return program_.ledger().settings().fixed_decimal != 0; };
  check_kind_ = new QRadioButton("Check/Deposit");
  check_kind_->setObjectName("recurringCheck");
  journal_kind_ = new QRadioButton("Journal Entry");
  journal_kind_->setObjectName("recurringJournal");
  auto* kinds = new QButtonGroup(this);
  kinds->addButton(check_kind_);
  kinds->addButton(journal_kind_);
  connect(journal_kind_, &QRadioButton::toggled, this, [this](bool on) { ShowKind(on); });

  payee_ = new QComboBox;
  payee_->setObjectName("recurringPayee");
  payee_->addItem("", QString());
  const PayeeList& payees = program_.ledger().payees();
  for (int n = 1; n <= payees.count(); ++n) {
    const std::string name(TrimRight(payees.payee(n).name));
    if (!Trim(name).empty()) payee_->addItem(Text(name), Text(name));
  }
  description_ = new QLineEdit;
  description_->setObjectName("recurringDescription");
  description_->setMaxLength(static_cast<int>(kEntryPayeeWidth));
  reference_ = new QLineEdit;
  reference_->setObjectName("recurringReference");
  reference_->setMaxLength(static_cast<int>(kEntryReferenceWidth));
  day_ = new QSpinBox;
  day_->setObjectName("recurringDay");
  day_->setRange(1, 31);
  account_ = new QComboBox;
  account_->setObjectName("recurringAccount");
  reversing_account_ = new QComboBox;
  reversing_account_->setObjectName("recurringReversingAccount");
  for (QComboBox* box : {account_, reversing_account_}) {
    box->addItem("", QString());
    for (const AccountLine& line : account_lines_) {
      box->addItem(Text(line.text), Text(Trim(line.number)));
    }
  }
  amount_ = new AmountField(fixed_decimal);
  amount_->setObjectName("recurringAmount");

  auto* kind_row = new QHBoxLayout;
  kind_row->addWidget(check_kind_);
  kind_row->addWidget(journal_kind_);
  kind_row->addStretch();
  auto* group = new QGroupBox("Recurring Entry");
  auto* form = new QFormLayout(group);
  form->addRow(kind_row);
  form->addRow("Payee", payee_);
  form->addRow("Description / Payee", description_);
  form->addRow("Ref. / Ck Num", reference_);
  form->addRow("Day of Month", day_);
  form->addRow("Acct", account_);
  form->addRow("Reversing Acct", reversing_account_);
  form->addRow("Amount", amount_);
  return group;
}

QWidget* RecurringEntriesDialog::BuildButtons() {
  auto* row = new QWidget;
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  const auto button = [&](const char* name, const char* caption, auto action) {
    auto* b = new QPushButton(caption);
    b->setObjectName(name);
    b->setAutoDefault(false);
    connect(b, &QPushButton::clicked, this, action);
    layout->addWidget(b);
  };
  button("recurringAdd", "Add New", [this] { list_->setCurrentCell(-1, -1); });
  button("recurringSave", "Save Entry", [this] { SaveTemplate(); });
  button("recurringDelete", "Delete Entry", [this] { DeleteTemplate(); });
  button("recurringPost", "Post Recurring Entries", [this] { PostMonth(); });
  layout->addStretch();
  button("recurringHelp", "Help", [this] { program_.help().ShowHelp(kHelpRecurringEntries); });
  button("recurringClose", "Close", [this] { accept(); });
  return row;
}

void RecurringEntriesDialog::FillList() {
  const QSignalBlocker quiet(list_);
  const std::vector<RecurringRowText> rows = screen_.Rows();
  list_->setRowCount(static_cast<int>(rows.size()));
  for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
    const RecurringRowText& row = rows[r];
    const std::string* cells[] = {&row.kind,    &row.payee_or_description, &row.reference, &row.day,
                                  &row.account, &row.reversing_account,    &row.amount};
    for (int c = 0; c < static_cast<int>(std::size(cells)); ++c) {
      auto* item = new QTableWidgetItem(Text(*cells[c]));
      if (c == 3 || c == 6) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      list_->setItem(r, c, item);
    }
  }
}

void RecurringEntriesDialog::ShowKind(bool journal) {
  reversing_account_->setEnabled(journal);
  if (!journal) reversing_account_->setCurrentIndex(0);
}

void RecurringEntriesDialog::ShowTemplate(int row) {
  const bool shown = row >= 0 && row < static_cast<int>(screen_.entries().size());
  shown_row_ = shown ? row : -1;
  const RecurringFields fields =
      shown ? screen_.FieldsOf(row) : RecurringEntriesScreen::NewFields();
  (fields.journal ? journal_kind_ : check_kind_)->setChecked(true);
  ShowKind(fields.journal);
  Choose(payee_, fields.payee);
  description_->setText(Text(fields.description));
  reference_->setText(Text(fields.reference));
  day_->setValue(std::atoi(fields.day.c_str()));
  Choose(account_, fields.account);
  Choose(reversing_account_, fields.reversing_account);
  amount_->setText(Text(fields.amount));
}

RecurringFields RecurringEntriesDialog::Fields() const {
  RecurringFields fields;
  fields.journal = journal_kind_->isChecked();
  fields.payee = Chosen(payee_);
  fields.description = ToCp1252(description_->text());
  fields.reference = ToCp1252(reference_->text());
  fields.day = std::to_string(day_->value());
  fields.account = Chosen(account_);
  fields.reversing_account = fields.journal ? Chosen(reversing_account_) : "";
  fields.amount = ToCp1252(amount_->text());
  return fields;
}

void RecurringEntriesDialog::SaveTemplate() {
  const bool adding = shown_row_ < 0;
  if (!screen_.Save(shown_row_, Fields())) return;
  FillList();
  const int row = adding ? static_cast<int>(screen_.entries().size()) - 1 : shown_row_;
  list_->setCurrentCell(row, 0);
  ShowTemplate(row);
}

void RecurringEntriesDialog::DeleteTemplate() {
  if (shown_row_ < 0 || !screen_.Delete(shown_row_)) return;
  FillList();
  list_->setCurrentCell(-1, -1);
  ShowTemplate(-1);
}

void RecurringEntriesDialog::PostMonth() {
  posted_ = PostRecurringEntriesFor(this, program_, screen_) || posted_;
  FillList();
}

MonthYearDialog::MonthYearDialog(QWidget* parent, DayNumber today) : QDialog(parent) {
  setObjectName("monthAndYear");
  setWindowTitle(Text(kSelectMonthAndYear));
  const CivilDate now = ToCivilDate(today);
  month_ = new QComboBox;
  month_->setObjectName("postingMonth");
  for (std::string_view name : kMonthNames) month_->addItem(Text(name));
  month_->setCurrentIndex(now.month - 1);
  year_ = new QSpinBox;
  year_->setObjectName("postingYear");
  year_->setRange(100, 9999);
  year_->setValue(now.year);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* form = new QFormLayout(this);
  form->addRow(new QLabel(Text(kSelectMonthAndYear)));
  form->addRow("Month", month_);
  form->addRow("Year", year_);
  form->addRow(buttons);
}

bool PostRecurringEntriesFor(QWidget* parent, Program& program, RecurringEntriesScreen& screen) {
  if (!screen.ReadyToPost()) return false;
  MonthYearDialog dialog(parent, program.clock().Today());
  if (dialog.exec() != QDialog::Accepted) return false;
  return screen.Post(dialog.year()->value(), dialog.month()->currentIndex() + 1) ==
         RecurringPosting::kPosted;
}

}  // namespace zenkar
