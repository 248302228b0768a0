// The "Setup" page: three sub-pages, "Program Setup" (the company's settings
// and the program password), "Report Options" and "Chart of Accounts (COA)".
// Ctrl+Tab and Ctrl+Shift+Tab move between them; the status line names the
// sub-page on show.
#ifndef ZENKAR_APP_SETUP_SETUP_PAGE_H_
#define ZENKAR_APP_SETUP_SETUP_PAGE_H_

#include <QTabWidget>

#include "app/window/tab_page.h"

namespace zenkar {

class ChartPage;
class ProgramSetupPage;
class ReportOptionsPage;

// Help contexts of the sub-pages (the Setup page's hundred).
inline constexpr int kHelpProgramSetup = 1610;
inline constexpr int kHelpReportOptions = 1620;
inline constexpr int kHelpChartOfAccounts = 1630;

class SetupPage : public TabPage {
  Q_OBJECT

 public:
  SetupPage(const TabPageInfo& info, PageContext context);

  QTabWidget* sub_pages() const { return sub_pages_; }
  ProgramSetupPage* program_setup() const { return program_setup_; }
  ReportOptionsPage* report_options() const { return report_options_; }
  ChartPage* chart() const { return chart_; }

  void PageShown() override;

 private:
  void SubPageShown(int index);

  QTabWidget* sub_pages_ = nullptr;
  ProgramSetupPage* program_setup_ = nullptr;
  ReportOptionsPage* report_options_ = nullptr;
  ChartPage* chart_ = nullptr;
};

}  // namespace zenkar

#endif  // ZENKAR_APP_SETUP_SETUP_PAGE_H_
