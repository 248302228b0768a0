// The window's answer to "Which checks did not print?": after a run of
// several checks the user answered "Did every check print correctly?" with
// No, this dialog lists the checks with a box to tick beside each; OK takes
// the ticked ones as not printed (none ticked: every check printed). It is
// the UnprintedCheckChooser of the check runs started in the window.
#ifndef ZENKAR_APP_CHECK_PRINTING_UNPRINTED_CHECKS_DIALOG_H_
#define ZENKAR_APP_CHECK_PRINTING_UNPRINTED_CHECKS_DIALOG_H_

#include <QDialog>
#include <QListWidget>
#include <string>
#include <vector>

#include "output/check_run.h"

namespace zenkar {

inline constexpr std::string_view kUnprintedChecksTitle = "Checks That Did Not Print";
inline constexpr std::string_view kUnprintedChecksPrompt =
    "Tick each check that did not print correctly. The invoices it pays stay unpaid; its number "
    "is not given again.";

class UnprintedChecksDialog : public QDialog {
  Q_OBJECT

 public:
  UnprintedChecksDialog(QWidget* parent, const std::vector<std::string>& checks);
  QListWidget* list() const { return list_; }
  std::vector<bool> Ticked() const;

 private:
  QListWidget* list_ = nullptr;
};

class QtUnprintedCheckChooser : public UnprintedCheckChooser {
 public:
  explicit QtUnprintedCheckChooser(QWidget* parent) : parent_(parent) {}
  std::vector<bool> ChooseUnprinted(const std::vector<std::string>& checks) override;

 private:
  QWidget* parent_;
};

}  // namespace zenkar

#endif  // ZENKAR_APP_CHECK_PRINTING_UNPRINTED_CHECKS_DIALOG_H_
