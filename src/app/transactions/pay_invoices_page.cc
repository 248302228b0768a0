#include "app/transactions/pay_invoices_page.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QVBoxLayout>
#include <algorithm>

#include "app/check_printing/check_output.h"
#include "app/check_printing/unprinted_checks_dialog.h"
#include "app/window/main_window.h"
#include "platform/help_context.h"
#include "platform/text_conversion.h"

namespace zenkar {
namespace {

const char* const kColumnCaptions[kPayColumns] = {"Payee", "Invoice Number", "Due Date", "Amount"};

QLabel* Figure(const char* name) {
  auto* label = new QLabel;
  label->setObjectName(name);
  label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  return label;
}

}  // namespace

UnpaidInvoicesModel::UnpaidInvoicesModel(PayInvoicesList& list, QObject* parent)
    : QAbstractTableModel(parent), list_(list) {}

int UnpaidInvoicesModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(list_.rows().size());
}

int UnpaidInvoicesModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kPayColumns;
}

QVariant UnpaidInvoicesModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const auto column = static_cast<PayColumn>(index.column());
  if (role == Qt::DisplayRole) return FromCp1252(list_.Text(index.row(), column));
  if (role == Qt::TextAlignmentRole && column == PayColumn::kAmount) {
    return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
  }
  return {};
}

QVariant UnpaidInvoicesModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
      section >= kPayColumns) {
    return {};
  }
  return QString(kColumnCaptions[section]);
}

void UnpaidInvoicesModel::Reset() {
  beginResetModel();
  endResetModel();
}

PayInvoicesPage::PayInvoicesPage(Program& program, MainWindow& window, QWidget* parent)
    : QWidget(parent), program_(program), window_(window), list_(program) {
  setObjectName("payInvoices");
  SetHelpContext(this, kHelpPayInvoices);

  model_ = new UnpaidInvoicesModel(list_, this);
  view_ = new QTableView;
  view_->setObjectName("unpaidInvoices");
  view_->setModel(model_);
  view_->setSelectionBehavior(QAbstractItemView::SelectRows);
  view_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view_->verticalHeader()->hide();
  // Rows of one height: the view then lays out thousands without measuring each.
  view_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  view_->verticalHeader()->setDefaultSectionSize(view_->fontMetrics().height() + 4);
  view_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
  view_->horizontalHeader()->setSectionsClickable(true);
  view_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(view_->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int section) {
    list_.SortBy(static_cast<PayColumn>(section));
    Reload();
  });
  connect(view_, &QWidget::customContextMenuRequested, this, [this](const QPoint& point) {
    const QModelIndex index = view_->indexAt(point);
    if (index.isValid()) SelectAllLike(index.row(), index.column());
  });
  connect(view_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          [this] { ShowFigures(); });

  bank_balance_ = Figure("currentBankBalance");
  selected_total_ = Figure("selectedForPayment");
  new_balance_ = Figure("newBankBalance");
  auto* figures = new QGridLayout;
  figures->addWidget(new QLabel("Current Bank Balance"), 0, 0);
  figures->addWidget(bank_balance_, 0, 1);
  figures->addWidget(new QLabel("Selected For Payment"), 1, 0);
  figures->addWidget(selected_total_, 1, 1);
  figures->addWidget(new QLabel("New Bank Balance"), 2, 0);
  figures->addWidget(new_balance_, 2, 1);

  pay_ = new QPushButton("Pay Highlighted Invoices (Print Checks)");
  pay_->setObjectName("payInvoices");
  save_as_paid_ = new QPushButton("Save as Paid - Without Printing");
  save_as_paid_->setObjectName("saveAsPaid");
  auto* help = new QPushButton("Help");
  help->setObjectName("help");
  connect(pay_, &QPushButton::clicked, this, [this] { Pay(PayMode::kPrintChecks); });
  connect(save_as_paid_, &QPushButton::clicked, this, [this] { Pay(PayMode::kSaveAsPaid); });
  connect(help, &QPushButton::clicked, this,
          [this] { program_.help().ShowHelp(kHelpPayInvoices); });
  auto* side = new QVBoxLayout;
  side->addLayout(figures);
  side->addSpacing(fontMetrics().height());
  side->addWidget(pay_);
  side->addWidget(save_as_paid_);
  side->addWidget(help);
  side->addStretch();

  auto* top = new QHBoxLayout;
  top->addWidget(view_, 1);
  top->addLayout(side);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top, 1);
  layout->addWidget(new QLabel(FromCp1252(kSelectHint)));
  layout->addWidget(new QLabel(FromCp1252(kRangeHint)));
}

void PayInvoicesPage::Enter() {
  window_.SetStatusText("Pay Invoices");
  list_.Enter();
  Reload();
  view_->setFocus(Qt::OtherFocusReason);
}

void PayInvoicesPage::Reload() {
  view_->clearSelection();
  model_->Reset();
  ShowFigures();
}

std::vector<int> PayInvoicesPage::SelectedRows() const {
  std::vector<int> rows;
  for (const QModelIndex& index : view_->selectionModel()->selectedRows()) {
    rows.push_back(index.row());
  }
  std::sort(rows.begin(), rows.end());
  return rows;
}

void PayInvoicesPage::SelectAllLike(int row, int column) {
  const std::vector<int> rows = list_.SelectAllLike(row, static_cast<PayColumn>(column));
  if (rows.empty()) return;
  QItemSelection selection;
  for (int each : rows) {
    selection.select(model_->index(each, 0), model_->index(each, kPayColumns - 1));
  }
  view_->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

void PayInvoicesPage::ShowFigures() {
  const std::vector<int> selected = SelectedRows();
  bank_balance_->setText(FromCp1252(list_.CurrentBankBalance().ToStringWithCommas()));
  selected_total_->setText(FromCp1252(list_.SelectedTotal(selected).ToStringWithCommas()));
  const Money after = list_.NewBankBalance(selected);
  new_balance_->setText(FromCp1252(after.ToStringWithCommas()));
  new_balance_->setStyleSheet(after.IsNegative() ? "color: red;" : "");
}

void PayInvoicesPage::Pay(PayMode mode) {
  const std::vector<int> selected = SelectedRows();
  QtUnprintedCheckChooser chooser(this);
  PrintChecksDocument(window_,
                      [&](PrintJob& job) { return list_.Pay(selected, mode, job, &chooser); });
  Reload();
}

}  // namespace zenkar
