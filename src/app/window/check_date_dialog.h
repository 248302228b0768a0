// "Select Check Date" (Alt+D): a date with a calendar, limited to the days
// the default check date may take.
#ifndef ZENKAR_APP_WINDOW_CHECK_DATE_DIALOG_H_
#define ZENKAR_APP_WINDOW_CHECK_DATE_DIALOG_H_

#include <QDateEdit>
#include <QDialog>

#include "app_rules/utilities/utility_actions.h"

namespace zenkar {

class CheckDateDialog : public QDialog {
  Q_OBJECT

 public:
  CheckDateDialog(QWidget* parent, DayRange range, DayNumber initial);

  DayNumber day() const;
  QDateEdit* date_edit() const { return date_edit_; }

 private:
  QDateEdit* date_edit_ = nullptr;
};

}  // namespace zenkar

#endif  // ZENKAR_APP_WINDOW_CHECK_DATE_DIALOG_H_
