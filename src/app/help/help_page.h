// The "Help" page: the help buttons (802-816) and the information panel --
// the version, the program file's date, the installation folder and the data
// folder.
#ifndef ZENKAR_APP_HELP_HELP_PAGE_H_
#define ZENKAR_APP_HELP_HELP_PAGE_H_

#include <QLabel>
#include <QStringList>

#include "app/window/tab_page.h"

namespace zenkar {

class HelpPage : public TabPage {
  Q_OBJECT

 public:
  HelpPage(const TabPageInfo& info, PageContext context);

  QLabel* information_panel() const { return panel_; }
  void PageShown() override;

 private:
  QStringList PanelLines();

  QLabel* panel_ = nullptr;
};

}  // namespace zenkar

#endif  // ZENKAR_APP_HELP_HELP_PAGE_H_
