#include "app/transactions/entry_fields.h"

#include <QApplication>
#include <QClipboard>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>
#include <QValidator>
#include <algorithm>

#include "common/text_field.h"
#include "platform/text_conversion.h"

namespace zenkar {
namespace {

bool IsEnter(const QKeyEvent* event) {
  return (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
         (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

bool IsEscape(const QKeyEvent* event) {
  return event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier;
}

// Focus changes that leave the field for another control, as opposed to a
// calendar or message box opening over it.
bool LeavesTheField(const QFocusEvent* event) {
  return event->reason() != Qt::PopupFocusReason && event->reason() != Qt::ActiveWindowFocusReason;
}

// The one character a key typed, in Windows-1252, or 0.
char TypedCharacter(const QKeyEvent* event) {
  const QString text = event->text();
  if (text.size() != 1 || !text.at(0).isPrint()) return 0;
  const std::string typed = ToCp1252(text);
  return typed.size() == 1 ? typed[0] : 0;
}

class AmountValidator : public QValidator {
 public:
  // Owned by the field it reads the option from.
  explicit AmountValidator(AmountField* field) : QValidator(field), field_(field) {}
  State validate(QString& input, int&) const override {
    return IsAmountText(ToCp1252(input), field_->fixed_decimal()) ? Acceptable : Invalid;
  }

 private:
  const AmountField* field_;
};

}  // namespace

bool FocusKeys::Press(const QKeyEvent* event) {
  const bool enter = IsEnter(event);
  const bool escape = esc_goes_back_ && IsEscape(event);
  if (!enter && !escape) return false;
  if (!event->isAutoRepeat()) (enter ? enter_down_ : esc_down_) = true;
  return true;
}

int FocusKeys::Release(const QKeyEvent* event) {
  if (event->isAutoRepeat()) return 0;
  if (IsEnter(event) && enter_down_) {
    enter_down_ = false;
    return 1;
  }
  if (IsEscape(event) && esc_down_) {
    esc_down_ = false;
    return -1;
  }
  return 0;
}

// --- Payee ------------------------------------------------------------------------

PayeeField::PayeeField(QWidget* parent) : QComboBox(parent) {
  setEditable(true);
  setInsertPolicy(QComboBox::NoInsert);
  lineEdit()->setMaxLength(static_cast<int>(kEntryPayeeWidth));
}

void PayeeField::SetPayees(const PayeeList& payees) {
  const QString text = currentText();
  clear();
  for (const PayeeRecord& payee : payees.payees()) {
    addItem(FromCp1252(std::string(TrimRight(payee.name))));
  }
  setCurrentIndex(-1);
  setEditText(text);
}

void PayeeField::keyPressEvent(QKeyEvent* event) {
  if (keys_.Press(event)) return event->accept();
  QComboBox::keyPressEvent(event);
}

void PayeeField::keyReleaseEvent(QKeyEvent* event) {
  if (const int move = keys_.Release(event)) {
    focusNextPrevChild(move > 0);
    return event->accept();
  }
  QComboBox::keyReleaseEvent(event);
}

void PayeeField::focusOutEvent(QFocusEvent* event) {
  QComboBox::focusOutEvent(event);
  if (LeavesTheField(event) && on_left_) on_left_();
}

// --- Reference --------------------------------------------------------------------

ReferenceField::ReferenceField(QWidget* parent) : QLineEdit(parent) {
  setMaxLength(static_cast<int>(kEntryReferenceWidth));
}

void ReferenceField::keyPressEvent(QKeyEvent* event) {
  if (keys_.Press(event)) return event->accept();
  if (event->text() == "+") {
    if (!incremented_) {
      if (std::optional<std::string> next = IncrementedReference(ToCp1252(text()))) {
        setText(FromCp1252(*next));
        incremented_ = true;
      }
    }
    focusNextPrevChild(true);
    return event->accept();
  }
  QLineEdit::keyPressEvent(event);
}

void ReferenceField::keyReleaseEvent(QKeyEvent* event) {
  if (const int move = keys_.Release(event)) {
    focusNextPrevChild(move > 0);
    return event->accept();
  }
  QLineEdit::keyReleaseEvent(event);
}

// --- Date -------------------------------------------------------------------------

DateField::DateField(QWidget* parent) : QDateEdit(parent) { setCalendarPopup(true); }

DayNumber DateField::day() const { return FromQDate(date()); }

void DateField::SetDay(DayNumber day) { setDate(ToQDate(day)); }

void DateField::keyPressEvent(QKeyEvent* event) {
  if (keys_.Press(event)) return event->accept();
  QDateEdit::keyPressEvent(event);
}

void DateField::keyReleaseEvent(QKeyEvent* event) {
  if (const int move = keys_.Release(event)) {
    focusNextPrevChild(move > 0);
    return event->accept();
  }
  QDateEdit::keyReleaseEvent(event);
}

void DateField::focusInEvent(QFocusEvent* event) {
  if (LeavesTheField(event)) day_at_focus_ = day();
  QDateEdit::focusInEvent(event);
}

void DateField::focusOutEvent(QFocusEvent* event) {
  QDateEdit::focusOutEvent(event);
  if (!LeavesTheField(event) || day() == day_at_focus_) return;
  const DayNumber changed = day();
  day_at_focus_ = changed;
  // After the focus has settled in the next field, so that a message box
  // does not open in the middle of the focus change.
  QPointer<DateField> self(this);
  QTimer::singleShot(0, this, [self, changed] {
    if (self && self->isVisible() && self->on_changed_) self->on_changed_(changed);
  });
}

bool DateField::focusNextPrevChild(bool next) { return QWidget::focusNextPrevChild(next); }

// --- Account ----------------------------------------------------------------------

AccountField::AccountField(QListWidget* list, std::function<void()> beep, QWidget* parent)
    : QLineEdit(parent), list_(list), beep_(std::move(beep)) {}

void AccountField::SetLines(const std::vector<AccountLine>* lines) {
  lines_ = lines;
  search_ = AccountSearch(lines);
  list_->clear();
  for (const AccountLine& line : *lines) list_->addItem(FromCp1252(line.text));
}

void AccountField::Select(std::optional<int> row) {
  if (!row) return;
  list_->setCurrentRow(*row);
  list_->scrollToItem(list_->currentItem(), QAbstractItemView::PositionAtCenter);
}

void AccountField::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  if (!LeavesTheField(event)) return;
  search_.Restart();
  list_->setCurrentRow(-1);
  if (lines_ != nullptr) Select(AccountLineOf(*lines_, ToCp1252(text())));
  if (on_list_shown_) on_list_shown_(true);
  selectAll();
}

void AccountField::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  if (!LeavesTheField(event)) return;
  const int row = list_->currentRow();
  if (lines_ != nullptr && row >= 0 && row < static_cast<int>(lines_->size())) {
    setText(FromCp1252(std::string(Trim((*lines_)[row].number))));
  }
  if (on_list_shown_) on_list_shown_(false);
}

bool AccountField::MoveSelection(int key) {
  const int last = list_->count() - 1;
  if (last < 0) return true;
  const int row = list_->currentRow();
  const int page = std::max(1, list_->viewport()->height() / std::max(1, list_->sizeHintForRow(0)));
  int next = row;
  switch (key) {
    case Qt::Key_Up:
      next = row < 0 ? 0 : row - 1;
      break;
    case Qt::Key_Down:
      next = row + 1;
      break;
    case Qt::Key_PageUp:
      next = row - page;
      break;
    case Qt::Key_PageDown:
      next = row < 0 ? page - 1 : row + page;
      break;
    case Qt::Key_Home:
      next = 0;
      break;
    case Qt::Key_End:
      next = last;
      break;
    default:
      return false;
  }
  Select(std::clamp(next, 0, last));
  return true;
}

void AccountField::keyPressEvent(QKeyEvent* event) {
  if (keys_.Press(event)) return event->accept();
  if (MoveSelection(event->key())) return event->accept();
  if (event->key() == Qt::Key_Backspace) {
    Select(search_.Backspace());
    setText(FromCp1252(search_.typed()));
    return event->accept();
  }
  if (event->text() == "+") {
    focusNextPrevChild(true);
    return event->accept();
  }
  const char typed = TypedCharacter(event);
  if (typed == 0 || (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
    return event->ignore();
  }
  if (std::optional<int> row = search_.Type(typed)) {
    Select(row);
    setText(FromCp1252(search_.typed()));
  } else if (beep_) {
    beep_();
  }
  event->accept();
}

void AccountField::keyReleaseEvent(QKeyEvent* event) {
  if (const int move = keys_.Release(event)) {
    focusNextPrevChild(move > 0);
    return event->accept();
  }
  QLineEdit::keyReleaseEvent(event);
}

// --- Amount -----------------------------------------------------------------------

AmountField::AmountField(std::function<bool()> fixed_decimal, QWidget* parent)
    : QLineEdit(parent), fixed_decimal_(std::move(fixed_decimal)) {
  setValidator(new AmountValidator(this));
  setAlignment(Qt::AlignRight);
}

void AmountField::keyPressEvent(QKeyEvent* event) {
  if (keys_.Press(event)) return event->accept();
  if (event->matches(QKeySequence::Paste)) {
    const std::string pasted = ToCp1252(QApplication::clipboard()->text());
    if (std::optional<std::string> amount = PastedAmount(pasted, fixed_decimal())) {
      setText(FromCp1252(*amount));
    }
    return event->accept();
  }
  const QString typed = event->text();
  if ((typed == "+" || typed == "-") && !text().isEmpty()) {
    setText(FromCp1252(AmountWithTwoDecimals(ToCp1252(text()), typed == "-", fixed_decimal())));
    focusNextPrevChild(true);
    return event->accept();
  }
  if (typed == "+") return event->accept();
  QLineEdit::keyPressEvent(event);
}

void AmountField::keyReleaseEvent(QKeyEvent* event) {
  if (const int move = keys_.Release(event)) {
    focusNextPrevChild(move > 0);
    return event->accept();
  }
  QLineEdit::keyReleaseEvent(event);
}

// --- Save trigger -----------------------------------------------------------------

SaveTrigger::SaveTrigger(std::function<void()> on_reached, QWidget* parent)
    : QWidget(parent), on_reached_(std::move(on_reached)) {
  setFocusPolicy(Qt::TabFocus);
  setFixedSize(1, 1);
}

void SaveTrigger::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  // Only a forward move from the amount saves; going back past the first
  // field must not store a half-typed line.
  if (event->reason() == Qt::TabFocusReason) {
    on_reached_();
  } else if (event->reason() == Qt::BacktabFocusReason) {
    focusNextPrevChild(false);
  }
}

}  // namespace zenkar
