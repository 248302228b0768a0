#include "app/window/check_date_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

#include "platform/text_conversion.h"

namespace zenkar {

CheckDateDialog::CheckDateDialog(QWidget* parent, DayRange range, DayNumber initial)
    : QDialog(parent) {
  setWindowTitle("Select Check Date");
  date_edit_ = new QDateEdit;
  date_edit_->setCalendarPopup(true);
  date_edit_->setDateRange(ToQDate(range.first), ToQDate(range.last));
  date_edit_->setDate(ToQDate(initial));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel("Default date of new checks:"));
  layout->addWidget(date_edit_);
  layout->addWidget(buttons);
}

DayNumber CheckDateDialog::day() const { return FromQDate(date_edit_->date()); }

}  // namespace zenkar
