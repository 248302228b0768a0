// Keyboard-first entry on the Setup and Payees forms: Enter moves to the
// next field as Tab does and Esc back as Shift+Tab; Enter on the form's last
// field runs its save action. Enter on a push button presses it.
#ifndef ZENKAR_APP_WINDOW_SETUP_FORM_KEYS_H_
#define ZENKAR_APP_WINDOW_SETUP_FORM_KEYS_H_

#include <QObject>
#include <QWidget>
#include <functional>
#include <vector>

namespace zenkar {

class FormKeys : public QObject {
  Q_OBJECT

 public:
  // `fields` in tab order; the tab order of the widgets is set to it.
  // `save` runs on Enter in the last field.
  FormKeys(QObject* parent, std::vector<QWidget*> fields, std::function<void()> save);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The field `step` places after (+1) or before (-1) `at` that can take the
  // focus; nullptr past either end.
  QWidget* Neighbour(std::vector<QWidget*>::iterator at, int step) const;

  std::vector<QWidget*> fields_;
  std::function<void()> save_;
};

}  // namespace zenkar

#endif  // ZENKAR_APP_WINDOW_SETUP_FORM_KEYS_H_
