#include "app/setup/setup_page.h"

#include <QVBoxLayout>

#include "app/setup/chart_page.h"
#include "app/setup/program_setup_page.h"
#include "app/setup/report_options_page.h"
#include "app/window/main_window.h"
#include "platform/help_context.h"

namespace zenkar {

SetupPage::SetupPage(const TabPageInfo& info, PageContext context) : TabPage(info, context) {
  program_setup_ = new ProgramSetupPage(context.program, context.window);
  SetHelpContext(program_setup_, kHelpProgramSetup);
  report_options_ = new ReportOptionsPage(context.program);
  SetHelpContext(report_options_, kHelpReportOptions);
  chart_ = new ChartPage(context.program);
  SetHelpContext(chart_, kHelpChartOfAccounts);

  sub_pages_ = new QTabWidget;
  sub_pages_->setObjectName("setupPages");
  sub_pages_->addTab(program_setup_, "Program Setup");
  sub_pages_->addTab(report_options_, "Report Options");
  sub_pages_->addTab(chart_, "Chart of Accounts (COA)");
  connect(sub_pages_, &QTabWidget::currentChanged, this, &SetupPage::SubPageShown);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(sub_pages_);
}

void SetupPage::PageShown() { SubPageShown(sub_pages_->currentIndex()); }

void SetupPage::SubPageShown(int index) {
  if (index < 0) return;
  window().SetStatusText("Setup - " + sub_pages_->tabText(index));
  if (index == sub_pages_->indexOf(program_setup_)) program_setup_->PageShown();
  if (index == sub_pages_->indexOf(report_options_)) report_options_->PageShown();
  if (index == sub_pages_->indexOf(chart_)) chart_->PageShown();
}

}  // namespace zenkar
