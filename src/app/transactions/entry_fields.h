// The fields of the one-line entry form, each a subclassed Qt control that
// turns keys into focus moves so that a bookkeeper types line after line
// without the mouse:
//
// - Enter, released, moves on as Tab; Esc, released, goes back as Shift+Tab
//   in the fields that allow it. Both act only on a key whose press the
//   field itself received, so the Enter that closes a message box does not
//   also move the focus.
// - Leaving the payee offers the payee's default account in the account
//   field.
// - "+" in the reference adds one to a numeric reference (once per line)
//   and moves on; "+" in the account moves on.
// - The account field searches the list of posting accounts as it is typed
//   into and beeps at a keystroke that matches nothing.
// - The amount field takes only amounts, read under the "Use Fixed Decimal
//   Position" option; "+" or "-" in a non-empty amount writes it with two
//   decimals ("-" changes its sign) and moves on.
// - The save trigger is an invisible control after the amount: reaching it
//   forwards saves the line.
//
// The rules themselves live in entry_line.h; these classes only wire keys
// to them.
#ifndef ZENKAR_APP_TRANSACTIONS_ENTRY_FIELDS_H_
#define ZENKAR_APP_TRANSACTIONS_ENTRY_FIELDS_H_

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QListWidget>
#include <functional>
#include <vector>

#include "app_rules/transactions/entry_line.h"

class QKeyEvent;

namespace zenkar {

// Enter and Esc as focus moves (see above).
class FocusKeys {
 public:
  explicit FocusKeys(bool esc_goes_back) : esc_goes_back_(esc_goes_back) {}
  // True when the press was taken (the field must not handle it further).
  bool Press(const QKeyEvent* event);
  // 1 to move forward, -1 to move back, 0 for no move.
  int Release(const QKeyEvent* event);

 private:
  bool esc_goes_back_;
  bool enter_down_ = false;
  bool esc_down_ = false;
};

class PayeeField : public QComboBox {
 public:
  explicit PayeeField(QWidget* parent = nullptr);
  // The payee names, in payee number order.
  void SetPayees(const PayeeList& payees);
  // Called when the focus leaves the field for another control: the payee
  // on show is the one chosen.
  void set_on_left(std::function<void()> on_left) { on_left_ = std::move(on_left); }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  FocusKeys keys_{false};
  std::function<void()> on_left_;
};

class ReferenceField : public QLineEdit {
 public:
  explicit ReferenceField(QWidget* parent = nullptr);
  // A new line: "+" may add one again.
  void ResetIncrement() { incremented_ = false; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;

 private:
  FocusKeys keys_{true};
  bool incremented_ = false;
};

class DateField : public QDateEdit {
 public:
  explicit DateField(QWidget* parent = nullptr);
  DayNumber day() const;
  void SetDay(DayNumber day);
  // Called (after the focus has moved on) when the date was changed during
  // the visit that just ended.
  void set_on_changed(std::function<void(DayNumber)> on_changed) {
    on_changed_ = std::move(on_changed);
  }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  // Tab leaves the field rather than stepping through day, month and year.
  bool focusNextPrevChild(bool next) override;

 private:
  FocusKeys keys_{true};
  DayNumber day_at_focus_ = kNoDate;
  std::function<void(DayNumber)> on_changed_;
};

class AccountField : public QLineEdit {
 public:
  // `list` shows the account lines while the field has the focus; `beep`
  // sounds for a keystroke that matches no account.
  AccountField(QListWidget* list, std::function<void()> beep, QWidget* parent = nullptr);
  // The lines of the list (kept by the owner).
  void SetLines(const std::vector<AccountLine>* lines);
  // Called with true when the list should cover the latest-entries box and
  // with false when it should give way again.
  void set_on_list_shown(std::function<void(bool)> on_list_shown) {
    on_list_shown_ = std::move(on_list_shown);
  }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  bool MoveSelection(int key);
  void Select(std::optional<int> row);

  QListWidget* list_;
  std::function<void()> beep_;
  std::function<void(bool)> on_list_shown_;
  const std::vector<AccountLine>* lines_ = nullptr;
  AccountSearch search_{nullptr};
  FocusKeys keys_{false};
};

class AmountField : public QLineEdit {
 public:
  // `fixed_decimal` tells whether digits typed without a point are cents
  // (the "Use Fixed Decimal Position" option); whole units when empty.
  explicit AmountField(std::function<bool()> fixed_decimal, QWidget* parent = nullptr);
  bool fixed_decimal() const { return fixed_decimal_ && fixed_decimal_(); }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;

 private:
  FocusKeys keys_{true};
  std::function<bool()> fixed_decimal_;
};

// The invisible control after the amount.
class SaveTrigger : public QWidget {
 public:
  SaveTrigger(std::function<void()> on_reached, QWidget* parent = nullptr);

 protected:
  void focusInEvent(QFocusEvent* event) override;

 private:
  std::function<void()> on_reached_;
};

}  // namespace zenkar

#endif  // ZENKAR_APP_TRANSACTIONS_ENTRY_FIELDS_H_
