#include "app/reports/report_dialogs.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/text_field.h"
#include "platform/text_conversion.h"

namespace zenkar {
namespace {

QDialogButtonBox* OkCancel(QDialog* dialog) {
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  return buttons;
}

}  // namespace

SortOrderDialog::SortOrderDialog(QWidget* parent, EntryOrder proposed) : QDialog(parent) {
  setWindowTitle("Sort");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(FromCp1252(kSortReportBy)));
  for (size_t i = 0; i < choices_.size(); ++i) {
    choices_[i] = new QRadioButton(FromCp1252(kEntryOrderLabels[i]));
    layout->addWidget(choices_[i]);
  }
  choice(proposed)->setChecked(true);
  layout->addWidget(OkCancel(this));
}

EntryOrder SortOrderDialog::order() const {
  for (size_t i = 0; i < choices_.size(); ++i) {
    if (choices_[i]->isChecked()) return static_cast<EntryOrder>(i);
  }
  return EntryOrder::kDate;
}

ListChoiceDialog::ListChoiceDialog(QWidget* parent, std::string_view title, std::string_view prompt)
    : QDialog(parent) {
  setWindowTitle(FromCp1252(title));
  list_ = new QListWidget;
  buttons_ = OkCancel(this);
  QPushButton* ok = buttons_->button(QDialogButtonBox::Ok);
  ok->setEnabled(false);
  connect(list_, &QListWidget::currentRowChanged, ok, [ok](int row) { ok->setEnabled(row >= 0); });
  connect(list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(FromCp1252(prompt)));
  layout->addWidget(list_);
  layout->addWidget(buttons_);
}

void ListChoiceDialog::AddItem(std::string_view text, int value) {
  auto* item = new QListWidgetItem(FromCp1252(text), list_);
  item->setData(Qt::UserRole, value);
}

int ListChoiceDialog::chosen() const {
  const QListWidgetItem* item = list_->currentItem();
  return item == nullptr ? -1 : item->data(Qt::UserRole).toInt();
}

ComparisonPeriodsDialog::ComparisonPeriodsDialog(QWidget* parent, const ComparisonPeriods& proposed,
                                                 const DatePatterns& dates)
    : QDialog(parent), proposed_(proposed) {
  setWindowTitle("Activity Comparison");
  const DayNumber days[] = {proposed.prior.first, proposed.prior.last, proposed.current.first,
                            proposed.current.last};
  for (size_t i = 0; i < edits_.size(); ++i) {
    edits_[i] = new QDateEdit(ToQDate(days[i]));
    edits_[i]->setCalendarPopup(true);
    edits_[i]->setDisplayFormat(FromCp1252(dates.numeric));
  }
  auto* grid = new QGridLayout;
  const char* captions[] = {"Prior:", "Current:"};
  for (int row = 0; row < 2; ++row) {
    grid->addWidget(new QLabel(captions[row]), row, 0);
    grid->addWidget(edits_[2 * row], row, 1);
    grid->addWidget(new QLabel("to"), row, 2);
    grid->addWidget(edits_[2 * row + 1], row, 3);
  }
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addWidget(OkCancel(this));
}

ComparisonPeriods ComparisonPeriodsDialog::periods() const {
  // Dates the user left alone keep the period's kind (a month, a quarter).
  auto period = [&](const ReportPeriod& proposed, int first) {
    const ReportPeriod chosen =
        RangePeriod(FromQDate(edits_[first]->date()), FromQDate(edits_[first + 1]->date()));
    return chosen.first == proposed.first && chosen.last == proposed.last ? proposed : chosen;
  };
  return {period(proposed_.prior, 0), period(proposed_.current, 2)};
}

std::optional<EntryOrder> DialogReportChoices::ChooseSortOrder(std::string_view,
                                                               EntryOrder proposed) {
  SortOrderDialog dialog(parent_, proposed);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.order();
}

std::optional<std::string> DialogReportChoices::ChooseAccount(const ChartOfAccounts& chart) {
  ListChoiceDialog dialog(parent_, kAccountSummaryTitle, kSelectAnAccount);
  for (int record = 1; record <= chart.count(); ++record) {
    if (chart.account(record).IsEntry()) dialog.AddItem(chart.account(record).Label(), record);
  }
  if (dialog.exec() != QDialog::Accepted || dialog.chosen() < 0) return std::nullopt;
  return chart.account(dialog.chosen()).number;
}

std::optional<int> DialogReportChoices::ChoosePayee(const PayeeList& payees) {
  ListChoiceDialog dialog(parent_, kPayeeActivityTitle, kSelectAPayee);
  for (int number = 1; number <= payees.count(); ++number) {
    const std::string name = payees.PayeeName(number);
    if (!name.empty()) dialog.AddItem(name, number);
  }
  if (dialog.exec() != QDialog::Accepted || dialog.chosen() < 0) return std::nullopt;
  return dialog.chosen();
}

std::optional<ComparisonPeriods> DialogReportChoices::ChooseComparisonPeriods(
    const ComparisonPeriods& proposed) {
  ComparisonPeriodsDialog dialog(parent_, proposed, dates_);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.periods();
}

}  // namespace zenkar
