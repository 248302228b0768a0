#include "app/window/setup_form_keys.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QKeyEvent>
#include <QRadioButton>
#include <algorithm>

namespace zenkar {
namespace {

bool IsEnter(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }

// A button takes Enter as a press only when it is not a check box or an
// option button (those move on like fields).
bool PressesOnEnter(QObject* watched) {
  auto* button = qobject_cast<QAbstractButton*>(watched);
  return button != nullptr && !button->isCheckable();
}

// A field Enter and Esc may stop at: shown, enabled, and of a group of
// option buttons only the one that is on (as Tab does).
bool CanStopAt(QWidget* field) {
  if (!field->isEnabled() || !field->isVisible()) return false;
  auto* radio = qobject_cast<QRadioButton*>(field);
  return radio == nullptr || radio->isChecked();
}

}  // namespace

FormKeys::FormKeys(QObject* parent, std::vector<QWidget*> fields, std::function<void()> save)
    : QObject(parent), fields_(std::move(fields)), save_(std::move(save)) {
  for (size_t i = 0; i < fields_.size(); ++i) {
    fields_[i]->installEventFilter(this);
    if (i > 0) QWidget::setTabOrder(fields_[i - 1], fields_[i]);
  }
}

bool FormKeys::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return false;
  const auto* key = static_cast<QKeyEvent*>(event);
  if (key->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier)) return false;
  auto* combo = qobject_cast<QComboBox*>(watched);
  if (combo != nullptr && combo->view() != nullptr && combo->view()->isVisible()) return false;
  auto at = std::find(fields_.begin(), fields_.end(), watched);
  if (at == fields_.end()) return false;
  if (IsEnter(key->key())) {
    if (PressesOnEnter(watched)) {
      static_cast<QAbstractButton*>(watched)->click();
    } else if (QWidget* next = Neighbour(at, +1)) {
      next->setFocus(Qt::TabFocusReason);
    } else if (save_) {
      save_();
    }
    return true;
  }
  if (key->key() == Qt::Key_Escape) {
    if (QWidget* previous = Neighbour(at, -1)) previous->setFocus(Qt::BacktabFocusReason);
    return true;
  }
  return false;
}

QWidget* FormKeys::Neighbour(std::vector<QWidget*>::iterator at, int step) const {
  for (auto i = at - fields_.begin() + step; i >= 0 && i < static_cast<long>(fields_.size());
       i += step) {
    if (CanStopAt(fields_[i])) return fields_[i];
  }
  return nullptr;
}

}  // namespace zenkar
