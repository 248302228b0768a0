// The "Report Options" sub-page of the Setup tab: the five check boxes the
// report run starts from. Each is kept in the company settings the moment it
// is ticked or cleared.
#ifndef ZENKAR_APP_SETUP_REPORT_OPTIONS_PAGE_H_
#define ZENKAR_APP_SETUP_REPORT_OPTIONS_PAGE_H_

#include <QCheckBox>
#include <QWidget>
#include <vector>

#include "app_rules/window/program.h"

namespace zenkar {

class ReportOptionsPage : public QWidget {
  Q_OBJECT

 public:
  explicit ReportOptionsPage(Program& program);

  // The check boxes in screen order.
  const std::vector<QCheckBox*>& boxes() const { return boxes_; }
  // Shows the options as the settings hold them.
  void PageShown();

 private:
  void Toggled(size_t index, bool on);

  Program& program_;
  std::vector<QCheckBox*> boxes_;
};

}  // namespace zenkar

#endif  // ZENKAR_APP_SETUP_REPORT_OPTIONS_PAGE_H_
