#include "app/check_printing/check_output.h"

#include "app/reports/reports_page.h"
#include "app/window/main_window.h"
#include "app_rules/window/program.h"
#include "output/check_run.h"

namespace zenkar {
namespace {

ReportsPage& Reports(MainWindow& window) { return *qobject_cast<ReportsPage*>(window.page("RPT")); }

}  // namespace

PrinterCanvasFactory* ProgramPrinter(MainWindow& window) { return Reports(window).printer(); }

bool PrintChecksDocument(MainWindow& window, const std::function<bool(PrintJob&)>& write) {
  return Reports(window).PrintDocument(write);
}

bool PrintBlankCheckFromWindow(Program& program, MainWindow& window) {
  return PrintChecksDocument(
      window, [&program](PrintJob& job) { return PrintBlankCheck(program.ledger(), job); });
}

bool PrintTestCheckTo(Program& program, MainWindow& window, OutputTarget target) {
  OutputServices services = ProgramOutputServices(program, ProgramPrinter(window));
  PrintJob job(services, target);
  return PrintTestCheck(program.ledger(), job);
}

}  // namespace zenkar
