// The "Reports" tab: the report check boxes, the "Report For" period and the
// buttons that run the ticked reports to the printer, to a PDF preview, to a
// PDF sent by e-mail or to a CSV file; the charts in a group of their own
// after the reports, and "View Charts", which opens the charts' window.
//
// Only reports that exist are offered: the boxes come from the report
// registry, in the order of the report list. The run itself -- the refusals,
// the run order, one report at a time to a file, the date checks -- is the
// report run of the output library; the page gathers the ticked boxes, the
// period and the options of the "Report Options" page, and clears the boxes
// that a printer run printed. The Month and Quarter lists are filled from the
// transactions each time the page comes to the front.
//
// The page also owns the program's printer (the "Printing Options" dialog
// remembers its last choice for the program run), which the calculator's
// "Print" uses for its tape.
#ifndef ZENKAR_APP_REPORTS_REPORTS_PAGE_H_
#define ZENKAR_APP_REPORTS_REPORTS_PAGE_H_

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QPointer>
#include <QRadioButton>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "app/reports/charts_window.h"
#include "app/reports/mailing_labels_group.h"
#include "app/reports/report_dialogs.h"
#include "app/window/tab_page.h"
#include "output/report_run.h"
#include "platform/desktop_printer.h"

namespace zenkar {

// The reports kxacct offers; each report issue adds its own here.
ReportRegistry KxacctReports();

class ReportsPage : public TabPage {
  Q_OBJECT

 public:
  ReportsPage(const TabPageInfo& info, PageContext context);

  void PageShown() override;

  // The check box of a report, or null when the report is not offered.
  QCheckBox* report_box(std::string_view label) const;
  QComboBox* months() const { return months_; }
  QComboBox* quarters() const { return quarters_; }

  // Runs the ticked reports to `target` (the buttons call this).
  void Run(OutputTarget target);
  // The period chosen under "Report For".
  ReportPeriod ChosenPeriod() const;

  // Writes one document through the program's output targets: the printer
  // when one is installed, otherwise a PDF that is opened. `write` opens and
  // ends its own print job.
  bool PrintDocument(const std::function<bool(PrintJob&)>& write);

  // The program's printer port, for print jobs started elsewhere.
  PrinterCanvasFactory* printer();
  // Tests put a printer port of their own in place of the desktop printer.
  void set_printer_for_testing(PrinterCanvasFactory* printer) { test_printer_ = printer; }
  // And answers of their own in place of the reports' dialogs.
  void set_choices_for_testing(ReportChoices* choices) { test_choices_ = choices; }
  MailingLabelsGroup* mailing_labels() const { return labels_; }
  // Opens the "View Charts" window, or brings it to the front.
  void ViewCharts();
  ChartsWindow* charts_window() const { return charts_window_; }

 private:
  // A group of report boxes: the reports of the list, or the charts.
  QGroupBox* BuildReportBoxes(const char* caption, const std::vector<std::string_view>& labels,
                              std::span<const ReportListing> listings);
  QWidget* BuildReportFor();
  QWidget* BuildButtons();
  void ChoosePeriodKind(PeriodKind kind);
  void FillReportDates();
  OutputServices Services();

  ReportRegistry registry_;
  std::vector<std::pair<std::string, QCheckBox*>> boxes_;
  QRadioButton* date_choice_ = nullptr;
  QRadioButton* month_choice_ = nullptr;
  QRadioButton* quarter_choice_ = nullptr;
  QRadioButton* range_choice_ = nullptr;
  QDateEdit* date_ = nullptr;
  QComboBox* months_ = nullptr;
  QComboBox* quarters_ = nullptr;
  QDateEdit* range_first_ = nullptr;
  QDateEdit* range_last_ = nullptr;
  ReportDateLists lists_;
  std::unique_ptr<DesktopPrinter> desktop_printer_;
  PrinterCanvasFactory* test_printer_ = nullptr;
  DialogReportChoices dialogs_;
  ReportChoices* test_choices_ = nullptr;
  MailingLabelsGroup* labels_ = nullptr;
  QPointer<ChartsWindow> charts_window_;
};

}  // namespace zenkar

#endif  // ZENKAR_APP_REPORTS_REPORTS_PAGE_H_
