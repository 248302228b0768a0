#include "app/reconciliation/reconciliation_page.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "app/reports/reports_page.h"
#include "app/transactions/entry_fields.h"
#include "app/window/main_window.h"
#include "app_rules/setup/report_options.h"
#include "output/report_run.h"
#include "platform/text_conversion.h"

namespace zenkar {
namespace {

// Control numbers of the page.
constexpr int kStartingDate = 501;
constexpr int kEndingDate = 502;
constexpr int kPeriodList = 503;
constexpr int kOutstandingList = 504;
constexpr int kEndingBalance = 505;
constexpr int kAdjustmentDescription = 511;  // 511 to 515
constexpr int kAdjustmentAmount = 521;       // 521 to 525
constexpr int kViewReport = 531;
constexpr int kReset = 532;
constexpr int kHelp = 533;

constexpr size_t kAdjustmentDescriptionWidth = 24;

enum Column { kMark, kPayee, kReference, kDate, kAmount, kColumns };
constexpr const char* kColumnCaptions[kColumns] = {"", "Payee/Desc", "Ck/Ref", "Ck Date", "Amount"};

QString Figure(Money amount) { return FromCp1252(amount.ToStringWithCommas()); }

}  // namespace

ReconciliationListModel::ReconciliationListModel(
    ReconciliationSession& session, const std::vector<int>& (ReconciliationSession::*rows)() const,
    QObject* parent)
    : QAbstractTableModel(parent), session_(session), rows_(rows) {}

int ReconciliationListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>((session_.*rows_)().size());
}

int ReconciliationListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumns;
}

QVariant ReconciliationListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  const int item = ItemAt(index.row());
  if (role == Qt::CheckStateRole && index.column() == kMark) {
    return session_.items()[item].is_outstanding() ? Qt::Checked : Qt::Unchecked;
  }
  if (role == Qt::TextAlignmentRole && index.column() == kAmount) {
    return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
  }
  if (role != Qt::DisplayRole) return {};
  const ReconciliationRowText text = session_.RowText(item);
  switch (index.column()) {
    case kPayee:
      return FromCp1252(text.payee);
    case kReference:
      return FromCp1252(text.reference);
    case kDate:
      return FromCp1252(text.date);
    case kAmount:
      return FromCp1252(text.amount);
    default:
      return {};
  }
}

QVariant ReconciliationListModel::headerData(int section, Qt::Orientation orientation,
                                             int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section >= kColumns) return {};
  return QString(kColumnCaptions[section]);
}

Qt::ItemFlags ReconciliationListModel::flags(const QModelIndex& index) const {
  Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  if (index.column() == kMark) flags |= Qt::ItemIsUserCheckable;
  return flags;
}

bool ReconciliationListModel::setData(const QModelIndex& index, const QVariant&, int role) {
  if (role != Qt::CheckStateRole || index.column() != kMark) return false;
  emit ToggleRequested(index.row());
  return true;
}

void ReconciliationListModel::Reload() {
  beginResetModel();
  endResetModel();
}

void ReconciliationListModel::MarksChanged() {
  if (rowCount() == 0) return;
  emit dataChanged(index(0, kMark), index(rowCount() - 1, kMark), {Qt::CheckStateRole});
}

ReconciliationPage::ReconciliationPage(const TabPageInfo& info, PageContext context)
    : TabPage(info, context), session_(context.program) {
  period_model_ = new ReconciliationListModel(session_, &ReconciliationSession::period_items, this);
  outstanding_model_ =
      new ReconciliationListModel(session_, &ReconciliationSession::outstanding_items, this);
  auto* right = new QVBoxLayout;
  right->addWidget(BuildStatement());
  right->addWidget(BuildButtons());
  right->addStretch();
  auto* body = new QHBoxLayout;
  body->addWidget(BuildLists(), 1);
  body->addLayout(right, 0);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(BuildDates());
  layout->addLayout(body, 1);
}

QWidget* ReconciliationPage::BuildDates() {
  const QString format = FromCp1252(program().date_patterns().numeric);
  auto make = [&](int number, DayNumber day) {
    auto* picker = new QDateEdit(ToQDate(day));
    picker->setObjectName(ControlName(number));
    picker->setCalendarPopup(true);
    picker->setDisplayFormat(format);
    return picker;
  };
  starting_date_ = make(kStartingDate, session_.starting_date());
  ending_date_ = make(kEndingDate, session_.ending_date());
  connect(starting_date_, &QDateEdit::dateChanged, this, [this](const QDate& date) {
    session_.SetStartingDate(FromQDate(date));
    Reload();
  });
  connect(ending_date_, &QDateEdit::dateChanged, this, [this](const QDate& date) {
    session_.SetEndingDate(FromQDate(date));
    Reload();
  });
  auto* row = new QWidget;
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(new QLabel("Bank Statement Starting Date"));
  layout->addWidget(starting_date_);
  layout->addSpacing(20);
  layout->addWidget(new QLabel("Bank Statement Ending Date"));
  layout->addWidget(ending_date_);
  layout->addStretch();
  return row;
}

QTableView* ReconciliationPage::MakeList(int number, ReconciliationListModel* model) {
  auto* list = new QTableView;
  list->setObjectName(ControlName(number));
  list->setModel(model);
  list->setSelectionBehavior(QAbstractItemView::SelectRows);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  list->verticalHeader()->hide();
  // Rows of one height, so that a list of many thousand entries is laid out
  // without measuring each row.
  list->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  list->verticalHeader()->setDefaultSectionSize(list->fontMetrics().height() + 6);
  list->horizontalHeader()->setSectionResizeMode(kPayee, QHeaderView::Stretch);
  const int digit = list->fontMetrics().horizontalAdvance("0");
  list->setColumnWidth(kMark, digit * 3);
  list->setColumnWidth(kReference, digit * 7);
  list->setColumnWidth(kDate, digit * 9);
  list->setColumnWidth(kAmount, digit * 11);
  list->setMinimumWidth(digit * 40);
  connect(model, &ReconciliationListModel::ToggleRequested, this,
          [this, model](int row) { Toggle(model, row); });
  // A click anywhere on a row toggles it; the check box itself goes
  // through the model.
  connect(list, &QTableView::clicked, this, [this, model](const QModelIndex& index) {
    if (index.column() != kMark) Toggle(model, index.row());
  });
  return list;
}

QWidget* ReconciliationPage::BuildLists() {
  period_list_ = MakeList(kPeriodList, period_model_);
  outstanding_list_ = MakeList(kOutstandingList, outstanding_model_);
  auto* lists = new QWidget;
  auto* layout = new QVBoxLayout(lists);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* period = new QGroupBox("Checks, Deposits and Journal Entries");
  (new QVBoxLayout(period))->addWidget(period_list_);
  auto* outstanding = new QGroupBox("Outstanding Entries");
  (new QVBoxLayout(outstanding))->addWidget(outstanding_list_);
  layout->addWidget(period, 3);
  layout->addWidget(outstanding, 2);
  return lists;
}

QWidget* ReconciliationPage::BuildStatement() {
  const auto fixed_decimal = [this] { return program().ledger().settings().fixed_decimal != 0; };
  auto* group = new QGroupBox;
  auto* grid = new QGridLayout(group);
  const int digit = fontMetrics().horizontalAdvance("0");
  ending_balance_ = new AmountField(fixed_decimal);
  ending_balance_->setObjectName(ControlName(kEndingBalance));
  ending_balance_->setMaximumWidth(digit * 14);
  connect(ending_balance_, &QLineEdit::textEdited, this, [this](const QString& text) {
    session_.SetEndingBalance(ToCp1252(text));
    ShowFigures();
  });
  connect(ending_balance_, &QLineEdit::editingFinished, this, [this] { session_.SaveValues(); });
  grid->addWidget(new QLabel("Bank Statement Ending Balance"), 0, 0);
  grid->addWidget(ending_balance_, 0, 1);
  grid->addWidget(new QLabel("Plus Adjustments to Balance"), 1, 0, 1, 2);
  for (int i = 0; i < kStatementAdjustments; ++i) {
    auto* description = new QLineEdit;
    description->setObjectName(ControlName(kAdjustmentDescription + i));
    description->setMaxLength(kAdjustmentDescriptionWidth);
    description->setMaximumWidth(fontMetrics().averageCharWidth() * 24);
    connect(description, &QLineEdit::editingFinished, this, [this, i, description] {
      session_.SetAdjustmentDescription(i, ToCp1252(description->text()));
      session_.SaveValues();
    });
    auto* amount = new AmountField(fixed_decimal);
    amount->setObjectName(ControlName(kAdjustmentAmount + i));
    amount->setMaximumWidth(digit * 14);
    connect(amount, &QLineEdit::textEdited, this, [this, i](const QString& text) {
      session_.SetAdjustmentAmount(i, ToCp1252(text));
      ShowFigures();
    });
    connect(amount, &QLineEdit::editingFinished, this, [this] { session_.SaveValues(); });
    adjustment_descriptions_[i] = description;
    adjustment_amounts_[i] = amount;
    auto* indented = new QHBoxLayout;
    indented->setContentsMargins(digit * 2, 0, 0, 0);
    indented->addWidget(description);
    grid->addLayout(indented, 2 + i, 0);
    grid->addWidget(amount, 2 + i, 1);
  }
  const auto figure = [](const char* name) {
    auto* label = new QLabel;
    label->setObjectName(name);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
  };
  outstanding_ = figure("lessOutstanding");
  per_reconciliation_ = figure("perReconciliation");
  book_caption_ = new QLabel;
  book_caption_->setObjectName("bookBalanceCaption");
  book_balance_ = figure("bookBalance");
  result_ = new QLabel;
  result_->setObjectName("result");
  difference_ = figure("difference");
  const int row = 2 + kStatementAdjustments;
  grid->addWidget(new QLabel("Less Outstanding Items"), row, 0);
  grid->addWidget(outstanding_, row, 1);
  grid->addWidget(new QLabel("Balance Per Reconciliation"), row + 1, 0);
  grid->addWidget(per_reconciliation_, row + 1, 1);
  grid->addWidget(book_caption_, row + 2, 0);
  grid->addWidget(book_balance_, row + 2, 1);
  grid->addWidget(result_, row + 3, 0);
  grid->addWidget(difference_, row + 3, 1);
  group->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Preferred);
  return group;
}

QWidget* ReconciliationPage::BuildButtons() {
  auto* buttons = new QWidget;
  auto* layout = new QVBoxLayout(buttons);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(MakeButton(kViewReport, "View / Print (PDF)", [this] { ViewReport(); }));
  layout->addWidget(MakeButton(kReset, "Reset", [this] { Reset(); }));
  layout->addWidget(
      MakeButton(kHelp, "Help", [this] { program().help().ShowHelp(info().help_context); }));
  return buttons;
}

void ReconciliationPage::PageShown() {
  const bool shown = session_.Show();
  for (QWidget* widget : findChildren<QWidget*>()) {
    if (widget->objectName().startsWith("control") && widget->objectName() != ControlName(kHelp)) {
      widget->setEnabled(shown);
    }
  }
  ShowValues();
  Reload();
}

void ReconciliationPage::ShowValues() {
  const StatementValues& values = session_.values();
  ending_balance_->setText(FromCp1252(values.ending_balance.ToString()));
  for (int i = 0; i < kStatementAdjustments; ++i) {
    adjustment_descriptions_[i]->setText(FromCp1252(values.descriptions[i]));
    adjustment_amounts_[i]->setText(
        values.amounts[i].IsZero() ? QString() : FromCp1252(values.amounts[i].ToString()));
  }
}

void ReconciliationPage::ShowFigures() {
  const bool shown = session_.shown();
  const ReconciliationFigures& figures = session_.figures();
  outstanding_->setText(shown ? Figure(figures.outstanding) : QString());
  per_reconciliation_->setText(shown ? Figure(figures.per_reconciliation) : QString());
  book_caption_->setText(FromCp1252(session_.BookBalanceCaption()));
  book_balance_->setText(shown ? Figure(figures.book_balance) : QString());
  book_balance_->setStyleSheet(shown && figures.book_balance.IsNegative() ? "color: red;" : "");
  result_->setText(shown ? FromCp1252(ResultCaption(figures)) : QString());
  difference_->setText(shown && !figures.balanced() ? Figure(figures.difference) : QString());
}

void ReconciliationPage::Reload() {
  {
    const QSignalBlocker quiet(starting_date_);
    starting_date_->setDate(ToQDate(session_.starting_date()));
  }
  period_model_->Reload();
  outstanding_model_->Reload();
  ShowFigures();
}

void ReconciliationPage::Toggle(ReconciliationListModel* model, int row) {
  if (row < 0 || row >= model->rowCount()) return;
  const int item = model->ItemAt(row);
  session_.SetOutstanding(item, !session_.items()[item].is_outstanding());
  period_model_->MarksChanged();
  outstanding_model_->Reload();
  ShowFigures();
}

void ReconciliationPage::Reset() {
  if (!session_.Reset()) return;
  period_model_->MarksChanged();
  outstanding_model_->Reload();
  ShowFigures();
}

void ReconciliationPage::ViewReport() {
  if (!session_.shown()) return;
  OutputServices services = ProgramOutputServices(program(), nullptr);
  ReportRunRequest request;
  request.ticked = {std::string(kBankRecLabel)};
  request.target = OutputTarget::kPdf;
  request.period = RangePeriod(session_.starting_date(), session_.ending_date());
  request.options = ReportOptionsOf(program().ledger().settings());
  RunReports(KxacctReports(), program().ledger(), services, request);
}

}  // namespace zenkar
