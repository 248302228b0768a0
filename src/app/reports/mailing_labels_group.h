// The "Payee Mailing Labels" group of the Reports tab: the label options
// (kept in the company settings), the "Select Items" list of payees, and its
// own "Print" and "Preview (PDF)" buttons. The rules are
// app_rules/reports/mailing_label_entry.h.
#ifndef ZENKAR_APP_REPORTS_MAILING_LABELS_GROUP_H_
#define ZENKAR_APP_REPORTS_MAILING_LABELS_GROUP_H_

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <array>
#include <functional>

#include "app_rules/reports/mailing_label_entry.h"
#include "app_rules/window/program.h"

namespace zenkar {

class MailingLabelsGroup : public QGroupBox {
  Q_OBJECT

 public:
  // `services` gives the output services of a run (the page's printer).
  MailingLabelsGroup(Program& program, std::function<OutputServices()> services);

  // Shows the settings' options and the payees afresh (each time the page
  // comes to the front).
  void Refresh();
  // What the user chose.
  MailingLabelEntry Entry() const;
  // Prints the labels to `target` (the buttons call this).
  void Run(OutputTarget target);

  QListWidget* payees() const { return payees_; }
  QLineEdit* left_margin() const { return left_margin_; }
  QRadioButton* count_choice(size_t index) const { return counts_[index]; }

 private:
  Program& program_;
  std::function<OutputServices()> services_;
  QCheckBox* uppercase_ = nullptr;
  QCheckBox* phone_ = nullptr;
  QCheckBox* memo_ = nullptr;
  QLineEdit* left_margin_ = nullptr;
  QLineEdit* top_margin_ = nullptr;
  std::array<QRadioButton*, kLabelsPerPayeeChoices.size()> counts_{};
  QListWidget* payees_ = nullptr;
};

}  // namespace zenkar

#endif  // ZENKAR_APP_REPORTS_MAILING_LABELS_GROUP_H_
