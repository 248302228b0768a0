// The dialogs some reports open before they run ("Sort report by:", the
// account of the Account Summary, the payee of the Payee Activity, the two
// periods of the Activity Comparison), and the ReportChoices port over them.
#ifndef ZENKAR_APP_REPORTS_REPORT_DIALOGS_H_
#define ZENKAR_APP_REPORTS_REPORT_DIALOGS_H_

#include <QDateEdit>
#include <QDialog>
#include <QDialogButtonBox>
#include <QListWidget>
#include <QRadioButton>
#include <array>

#include "common/date_patterns.h"
#include "output/report_choices.h"

namespace zenkar {

class SortOrderDialog : public QDialog {
  Q_OBJECT

 public:
  SortOrderDialog(QWidget* parent, EntryOrder proposed);
  EntryOrder order() const;
  QRadioButton* choice(EntryOrder order) const { return choices_[static_cast<size_t>(order)]; }

 private:
  std::array<QRadioButton*, kEntryOrderLabels.size()> choices_{};
};

// A list to choose one item from; OK only once one is chosen.
class ListChoiceDialog : public QDialog {
  Q_OBJECT

 public:
  ListChoiceDialog(QWidget* parent, std::string_view title, std::string_view prompt);
  // Adds an item shown as `text` (Windows-1252) that stands for `value`.
  void AddItem(std::string_view text, int value);
  // The value of the item chosen, or -1.
  int chosen() const;
  QListWidget* list() const { return list_; }
  QDialogButtonBox* buttons() const { return buttons_; }

 private:
  QListWidget* list_ = nullptr;
  QDialogButtonBox* buttons_ = nullptr;
};

class ComparisonPeriodsDialog : public QDialog {
  Q_OBJECT

 public:
  ComparisonPeriodsDialog(QWidget* parent, const ComparisonPeriods& proposed,
                          const DatePatterns& dates);
  ComparisonPeriods periods() const;
  QDateEdit* prior_first() const { return edits_[0]; }

 private:
  ComparisonPeriods proposed_;
  std::array<QDateEdit*, 4> edits_{};  // prior first, prior last, current first, current last
};

// The questions asked in these dialogs, over `parent`.
class DialogReportChoices : public ReportChoices {
 public:
  DialogReportChoices(QWidget* parent, const DatePatterns& dates)
      : parent_(parent), dates_(dates) {}

  std::optional<EntryOrder> ChooseSortOrder(std::string_view report, EntryOrder proposed) override;
  std::optional<std::string> ChooseAccount(const ChartOfAccounts& chart) override;
  std::optional<int> ChoosePayee(const PayeeList& payees) override;
  std::optional<ComparisonPeriods> ChooseComparisonPeriods(
      const ComparisonPeriods& proposed) override;

 private:
  QWidget* parent_;
  const DatePatterns& dates_;
};

}  // namespace zenkar

#endif  // ZENKAR_APP_REPORTS_REPORT_DIALOGS_H_
