#include "app/transactions/review_page.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QVBoxLayout>
#include <algorithm>

#include "app/transactions/edit_entry_dialog.h"
#include "app/transactions/insert_transaction_dialog.h"
#include "app/transactions/invoice_edit_dialog.h"
#include "app/transactions/quick_check_dialog.h"
#include "app/window/main_window.h"
#include "platform/help_context.h"
#include "platform/text_conversion.h"

namespace zenkar {
namespace {

constexpr const char* kColumnCaptions[ReviewListModel::kColumns] = {
    "Description / Payee", "Ref. /\nCk Num", "Date", "Acct", "Amount", "* YTD"};

constexpr const char* kStatusText = "Review and Edit All Transactions";

const std::string& ColumnText(const LatestEntryText& text, int column) {
  switch (column) {
    case ReviewListModel::kPayee:
      return text.payee;
    case ReviewListModel::kReference:
      return text.reference;
    case ReviewListModel::kDate:
      return text.date;
    case ReviewListModel::kAccount:
      return text.account;
    case ReviewListModel::kAmount:
      return text.amount;
    default:
      return text.ytd;
  }
}

void ShowAmount(QLabel* label, Money amount, bool red) {
  label->setText(FromCp1252(amount.ToString()));
  label->setStyleSheet(red ? "color: red;" : "");
}

}  // namespace

ReviewListModel::ReviewListModel(ReviewList& list, QObject* parent)
    : QAbstractTableModel(parent), list_(list) {}

int ReviewListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : list_.row_count();
}

int ReviewListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumns;
}

QVariant ReviewListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  if (role == Qt::TextAlignmentRole) {
    if (index.column() == kAmount) return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    if (index.column() == kYtd) return QVariant::fromValue(Qt::AlignHCenter | Qt::AlignVCenter);
    return {};
  }
  if (role != Qt::DisplayRole) return {};
  return FromCp1252(ColumnText(list_.RowText(index.row() + 1), index.column()));
}

QVariant ReviewListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section >= kColumns) return {};
  return QString(kColumnCaptions[section]);
}

void ReviewListModel::Reload() {
  beginResetModel();
  endResetModel();
}

void ReviewListModel::RowChanged(int row) {
  if (row >= 0 && row < rowCount()) emit dataChanged(index(row, 0), index(row, kColumns - 1));
}

ReviewPage::ReviewPage(Program& program, MainWindow& window, QWidget* parent)
    : QWidget(parent),
      program_(program),
      window_(window),
      list_(program),
      check_register_(program, kCheckOrDeposit),
      journal_register_(program, kJournalLine) {
  setObjectName("reviewTransactions");
  SetHelpContext(this, kHelpReviewTransactions);
  model_ = new ReviewListModel(list_, this);
  list_.set_on_changed(
      [this](LedgerChange change, int record_number) { ListChanged(change, record_number); });
  auto* left = new QVBoxLayout;
  left->addWidget(BuildList(), 1);
  left->addLayout(BuildSummary());
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(left, 1);
  layout->addWidget(BuildButtons(), 0);
}

QTableView* ReviewPage::BuildList() {
  view_ = new QTableView;
  view_->setObjectName("reviewList");
  view_->setModel(model_);
  view_->setSelectionBehavior(QAbstractItemView::SelectRows);
  view_->setSelectionMode(QAbstractItemView::SingleSelection);
  view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view_->setWordWrap(false);
  view_->verticalHeader()->hide();
  // Rows of one height: a list of 100,000 lines is laid out without
  // measuring a row, and only the rows on show are read.
  view_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  view_->verticalHeader()->setDefaultSectionSize(view_->fontMetrics().height() + 6);
  view_->horizontalHeader()->setSectionResizeMode(ReviewListModel::kPayee, QHeaderView::Stretch);
  const int digit = view_->fontMetrics().horizontalAdvance("0");
  view_->setColumnWidth(ReviewListModel::kReference, digit * 16);
  view_->setColumnWidth(ReviewListModel::kDate, digit * 10);
  view_->setColumnWidth(ReviewListModel::kAccount, digit * 6);
  view_->setColumnWidth(ReviewListModel::kAmount, digit * 14);
  view_->setColumnWidth(ReviewListModel::kYtd, digit * 6);
  view_->setMinimumWidth(digit * 70);
  view_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(view_, &QTableView::clicked, this,
          [this](const QModelIndex& index) { EditRecord(index.row() + 1); });
  connect(view_, &QTableView::customContextMenuRequested, this, [this](const QPoint& at) {
    const QModelIndex index = view_->indexAt(at);
    if (!index.isValid()) return;
    SelectRecord(index.row() + 1);
    VoidOrDeleteRecord(index.row() + 1);
  });
  connect(view_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this] { ShowSummary(); });
  return view_;
}

QLayout* ReviewPage::BuildSummary() {
  summary_caption_ = new QLabel;
  summary_caption_->setObjectName("summaryCaption");
  summary_amount_ = new QLabel;
  summary_amount_->setObjectName("summaryAmount");
  auto* row = new QHBoxLayout;
  row->addWidget(summary_caption_);
  row->addWidget(summary_amount_);
  row->addStretch();
  return row;
}

QWidget* ReviewPage::BuildButtons() {
  auto* column = new QWidget;
  auto* layout = new QVBoxLayout(column);
  layout->setContentsMargins(0, 0, 0, 0);

  auto* sort = new QGroupBox("Sort Transactions:");
  by_date_ = new QRadioButton("By Date");
  by_date_->setObjectName("byDate");
  order_entered_ = new QRadioButton("Order Entered");
  order_entered_->setObjectName("orderEntered");
  auto* order = new QButtonGroup(sort);
  order->addButton(by_date_);
  order->addButton(order_entered_);
  connect(by_date_, &QRadioButton::clicked, this, [this] { ChooseOrder(TransactionOrder::kDate); });
  connect(order_entered_, &QRadioButton::clicked, this,
          [this] { ChooseOrder(TransactionOrder::kEntry); });
  auto* sort_layout = new QVBoxLayout(sort);
  sort_layout->addWidget(by_date_);
  sort_layout->addWidget(order_entered_);
  layout->addWidget(sort);

  const struct {
    const char* caption;
    const char* name;
    void (ReviewPage::*action)();
  } kButtons[] = {
      {"Insert New Transaction", "insertButton", &ReviewPage::Insert},
      {"Find", "findButton", &ReviewPage::Find},
      {"Delete", "deleteButton", &ReviewPage::Delete},
      {"Print a Check (Quick Check)", "quickCheckButton", &ReviewPage::QuickCheck},
      {"Balance", "balanceButton", &ReviewPage::Balance},
  };
  for (const auto& button : kButtons) {
    auto* push = new QPushButton(button.caption);
    push->setObjectName(button.name);
    connect(push, &QPushButton::clicked, this,
            [this, action = button.action] { (this->*action)(); });
    layout->addWidget(push);
  }
  auto* help = new QPushButton("Help");
  help->setObjectName("help");
  connect(help, &QPushButton::clicked, this,
          [this] { program_.help().ShowHelp(kHelpReviewTransactions); });
  layout->addWidget(help);

  layout->addSpacing(12);
  layout->addWidget(new QLabel("Total Unpaid:"));
  total_unpaid_ = new QLabel;
  total_unpaid_->setObjectName("totalUnpaid");
  layout->addWidget(total_unpaid_);
  bank_caption_ = new QLabel;
  bank_caption_->setObjectName("bankCaption");
  layout->addWidget(bank_caption_);
  bank_balance_ = new QLabel;
  bank_balance_->setObjectName("bankBalance");
  layout->addWidget(bank_balance_);
  layout->addStretch();
  return column;
}

void ReviewPage::Enter() {
  window_.SetStatusText(kStatusText);
  ShowOrder();
  ShowFigures();
  if (selected_record() == 0 && list_.row_count() > 0) SelectRecord(list_.row_count());
  ShowSummary();
  view_->setFocus(Qt::OtherFocusReason);
}

int ReviewPage::selected_record() const {
  const QModelIndex current = view_->selectionModel()->currentIndex();
  return current.isValid() ? current.row() + 1 : 0;
}

void ReviewPage::SelectRecord(int number) {
  if (number < 1 || number > model_->rowCount()) return;
  const QModelIndex index = model_->index(number - 1, ReviewListModel::kPayee);
  view_->selectionModel()->setCurrentIndex(
      index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  view_->scrollTo(index);
}

void ReviewPage::ListChanged(LedgerChange change, int record_number) {
  if (change == LedgerChange::kTransactionChanged) {
    model_->RowChanged(record_number - 1);
  } else if (change != LedgerChange::kSettingsChanged && change != LedgerChange::kChartChanged) {
    const int selected = selected_record();
    model_->Reload();
    SelectRecord(std::min(selected, list_.row_count()));
  }
  ShowOrder();
  ShowFigures();
  ShowSummary();
}

void ReviewPage::ShowOrder() {
  const bool by_date = list_.order() == TransactionOrder::kDate;
  by_date_->setChecked(by_date);
  order_entered_->setChecked(!by_date);
}

void ReviewPage::ShowFigures() {
  ShowAmount(total_unpaid_, list_.TotalUnpaid(), false);
  bank_caption_->setText(FromCp1252(check_register_.BankCaption()));
  const Money bank = check_register_.BankBalance();
  ShowAmount(bank_balance_, bank, bank.IsNegative());
}

void ReviewPage::ShowSummary() {
  const EntrySummary summary = list_.Summary(selected_record());
  summary_caption_->setText(FromCp1252(summary.caption));
  summary_caption_->setStyleSheet(summary.red ? "color: red;" : "");
  if (summary.caption.empty()) {
    summary_amount_->clear();
  } else {
    ShowAmount(summary_amount_, summary.amount, false);
  }
}

void ReviewPage::EditRecord(int number) {
  const TransactionRecord* line = list_.Line(number);
  // An unpaid invoice has its own dialog, "Edit Existing Invoice" (which
  // applies the checked-out guard itself).
  if (line != nullptr && IsInvoice(*line)) {
    EditExistingInvoice(program_, this, number);
    SelectRecord(number);
    return;
  }
  if (line == nullptr || (!IsCheckOrDeposit(*line) && !IsJournalLine(*line))) return;
  const std::optional<TransactionRecord> entry = list_.EntryToEdit(number);
  if (!entry) return;
  EntryRegister& entry_register = IsJournalLine(*entry) ? journal_register_ : check_register_;
  EditEntryDialog dialog(this, entry_register, *entry, program_);
  dialog.exec();
  SelectRecord(number);
}

void ReviewPage::VoidOrDeleteRecord(int number) { list_.VoidOrDeleteEntry(number, true); }

void ReviewPage::Delete() {
  const int number = selected_record();
  if (number != 0) list_.VoidOrDeleteEntry(number, false);
}

void ReviewPage::Insert() {
  if (!list_.MayInsert()) return;
  InsertTransactionDialog dialog(this, program_, list_, selected_record());
  if (dialog.exec() == QDialog::Accepted) SelectRecord(dialog.inserted());
  view_->setFocus(Qt::OtherFocusReason);
}

void ReviewPage::Find() {
  list_.Find([this](int number) { SelectRecord(number); });
  view_->setFocus(Qt::OtherFocusReason);
}

void ReviewPage::Balance() { list_.ShowAccountBalance(); }

void ReviewPage::QuickCheck() { RunQuickCheck(program_, window_); }

void ReviewPage::ChooseOrder(TransactionOrder order) {
  list_.SetOrder(order);
  ShowOrder();
  view_->setFocus(Qt::OtherFocusReason);
}

}  // namespace zenkar
