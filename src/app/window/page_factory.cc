// Which class fills which page of the main window. A page whose screens are
// not written yet is a plain TabPage; a feature that fills one adds its class
// here.
#include "app/check_printing/micr_page.h"
#include "app/help/help_page.h"
#include "app/payees/payees_page.h"
#include "app/reports/reports_page.h"
#include "app/setup/setup_page.h"
#include "app/transactions/transactions_page.h"
#include "app/utilities/utilities_page.h"
#include "app/window/main_window.h"

namespace zenkar {

TabPage* CreateTabPage(const TabPageInfo& info, PageContext context) {
  if (info.code == "UTL") return new UtilitiesPage(info, context);
  if (info.code == "VND") return new PayeesPage(info, context);
  if (info.code == "RPT") return new ReportsPage(info, context);
  if (info.code == "CFG") return new SetupPage(info, context);
  if (info.code == "TRN") return new TransactionsPage(info, context);
  if (info.code == "MIC") return new MicrPage(info, context);
  if (info.code == "HLP") return new HelpPage(info, context);
  return new TabPage(info, context);
}

}  // namespace zenkar
