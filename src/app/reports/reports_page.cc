#include "app/reports/reports_page.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "app/reports/charts_window.h"
#include "app/utilities/mail_settings_dialog.h"
#include "app/window/main_window.h"
#include "app_rules/setup/program_setup.h"
#include "app_rules/setup/report_options.h"
#include "app_rules/utilities/mail_actions.h"
#include "output/bank_rec_report.h"
#include "output/chart_reports.h"
#include "output/financial_statements.h"
#include "output/ledger_reports.h"
#include "platform/text_conversion.h"

namespace zenkar {
namespace {

// Control numbers: the report boxes are 400 + their run order.
constexpr int kReportBoxBase = 400;
constexpr int kDateChoice = 421;
constexpr int kMonthChoice = 422;
constexpr int kQuarterChoice = 423;
constexpr int kRangeChoice = 424;
constexpr int kDatePicker = 425;
constexpr int kMonthList = 426;
constexpr int kQuarterList = 427;
constexpr int kRangeFirst = 428;
constexpr int kRangeLast = 429;
constexpr int kPrintButton = 431;
constexpr int kPreviewButton = 432;
constexpr int kMailButton = 433;
constexpr int kCsvButton = 434;
constexpr int kViewChartsButton = 435;

constexpr std::string_view kStatusCaption = "Reports";

QDateEdit* DatePicker(int number, DayNumber day, const DatePatterns& dates) {
  auto* picker = new QDateEdit(ToQDate(day));
  picker->setObjectName(ControlName(number));
  picker->setCalendarPopup(true);
  picker->setDisplayFormat(FromCp1252(dates.numeric));
  return picker;
}

QRadioButton* Choice(int number, const char* caption) {
  auto* choice = new QRadioButton(caption);
  choice->setObjectName(ControlName(number));
  return choice;
}

// Refills `list` with the entries, keeping the chosen one where it is still
// there and otherwise choosing the latest period.
void Refill(QComboBox* list, const std::vector<PeriodEntry>& entries) {
  const QString chosen = list->currentText();
  const QSignalBlocker quiet(list);
  list->clear();
  for (const PeriodEntry& entry : entries) list->addItem(FromCp1252(entry.label));
  const int kept = list->findText(chosen);
  list->setCurrentIndex(kept >= 0 ? kept : list->count() - 1);
}

}  // namespace

ReportRegistry KxacctReports() {
  ReportRegistry registry;
  AddFinancialStatements(registry);
  AddLedgerReports(registry);
  AddBankRecReport(registry);
  AddChartReports(registry);
  return registry;
}

ReportsPage::ReportsPage(const TabPageInfo& info, PageContext context)
    : TabPage(info, context),
      registry_(KxacctReports()),
      dialogs_(this, context.program.date_patterns()) {
  auto* columns = new QHBoxLayout;
  auto* left = new QVBoxLayout;
  left->addWidget(BuildReportBoxes("Reports", registry_.AvailableLabels(), ReportList()));
  QGroupBox* charts = BuildReportBoxes("Charts", registry_.AvailableCharts(), ChartList());
  charts->layout()->addWidget(
      MakeButton(kViewChartsButton, FromCp1252(kViewChartsTitle), [this] { ViewCharts(); }));
  left->addWidget(charts);
  left->addStretch();
  columns->addLayout(left);
  auto* right = new QVBoxLayout;
  right->addWidget(BuildReportFor());
  right->addWidget(BuildButtons());
  labels_ = new MailingLabelsGroup(program(), [this] { return Services(); });
  right->addWidget(labels_);
  right->addStretch();
  columns->addLayout(right);
  columns->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(columns);
  layout->addStretch();
}

QGroupBox* ReportsPage::BuildReportBoxes(const char* caption,
                                         const std::vector<std::string_view>& labels,
                                         std::span<const ReportListing> listings) {
  auto* group = new QGroupBox(caption);
  auto* layout = new QVBoxLayout(group);
  for (std::string_view label : labels) {
    int run_order = 0;
    for (const ReportListing& listing : listings) {
      if (listing.label == label) run_order = listing.run_order;
    }
    auto* box = new QCheckBox(FromCp1252(label));
    box->setObjectName(ControlName(kReportBoxBase + run_order));
    layout->addWidget(box);
    boxes_.emplace_back(label, box);
  }
  layout->addStretch();
  return group;
}

QWidget* ReportsPage::BuildReportFor() {
  const DatePatterns& dates = program().date_patterns();
  const DayNumber today = program().clock().Today();
  const CivilDate now = ToCivilDate(today);

  date_choice_ = Choice(kDateChoice, "Date");
  month_choice_ = Choice(kMonthChoice, "Month");
  quarter_choice_ = Choice(kQuarterChoice, "Quarter");
  range_choice_ = Choice(kRangeChoice, "Date Range");
  date_ = DatePicker(kDatePicker, today, dates);
  months_ = new QComboBox;
  months_->setObjectName(ControlName(kMonthList));
  quarters_ = new QComboBox;
  quarters_->setObjectName(ControlName(kQuarterList));
  range_first_ = DatePicker(kRangeFirst, FirstOfMonth(now.year, now.month), dates);
  range_last_ = DatePicker(kRangeLast, today, dates);

  auto* group = new QGroupBox("Report For");
  auto* grid = new QGridLayout(group);
  grid->addWidget(date_choice_, 0, 0);
  grid->addWidget(date_, 0, 1);
  grid->addWidget(month_choice_, 1, 0);
  grid->addWidget(months_, 1, 1);
  grid->addWidget(quarter_choice_, 2, 0);
  grid->addWidget(quarters_, 2, 1);
  grid->addWidget(range_choice_, 3, 0);
  auto* range = new QHBoxLayout;
  range->addWidget(range_first_);
  range->addWidget(new QLabel("through"));
  range->addWidget(range_last_);
  grid->addLayout(range, 3, 1);

  const std::pair<QRadioButton*, PeriodKind> kinds[] = {{date_choice_, PeriodKind::kDate},
                                                        {month_choice_, PeriodKind::kMonth},
                                                        {quarter_choice_, PeriodKind::kQuarter},
                                                        {range_choice_, PeriodKind::kDateRange}};
  for (const auto& [choice, kind] : kinds) {
    connect(choice, &QRadioButton::toggled, this, [this, kind = kind](bool on) {
      if (on) ChoosePeriodKind(kind);
    });
  }
  date_choice_->setChecked(true);
  return group;
}

QWidget* ReportsPage::BuildButtons() {
  // Two rows of two: the page, with the label group under them, still fits
  // the height of a small screen.
  auto* buttons = new QWidget;
  auto* layout = new QGridLayout(buttons);
  layout->addWidget(MakeButton(kPrintButton, "Print", [this] { Run(OutputTarget::kPrinter); }), 0,
                    0);
  layout->addWidget(
      MakeButton(kPreviewButton, "Preview / Save (PDF)", [this] { Run(OutputTarget::kPdf); }), 0,
      1);
  layout->addWidget(
      MakeButton(kMailButton, "Send by E-Mail (PDF)", [this] { Run(OutputTarget::kPdfMail); }), 1,
      0);
  layout->addWidget(
      MakeButton(kCsvButton, "View / Save (CSV)", [this] { Run(OutputTarget::kText); }), 1, 1);
  return buttons;
}

void ReportsPage::ChoosePeriodKind(PeriodKind kind) {
  date_->setEnabled(kind == PeriodKind::kDate);
  months_->setEnabled(kind == PeriodKind::kMonth);
  quarters_->setEnabled(kind == PeriodKind::kQuarter);
  range_first_->setEnabled(kind == PeriodKind::kDateRange);
  range_last_->setEnabled(kind == PeriodKind::kDateRange);
}

void ReportsPage::PageShown() {
  FillReportDates();
  labels_->Refresh();
  window().SetStatusText(FromCp1252(kStatusCaption));
}

void ReportsPage::FillReportDates() {
  const bool first_time = months_->count() == 0 && quarters_->count() == 0;
  lists_ = zenkar::FillReportDates(program().ledger());
  program().ui().ClearProgress();
  Refill(months_, lists_.months);
  Refill(quarters_, lists_.quarters);
  // A company with transactions starts on its latest month.
  if (first_time && months_->count() > 0) month_choice_->setChecked(true);
}

ReportPeriod ReportsPage::ChosenPeriod() const {
  if (month_choice_->isChecked() && months_->currentIndex() >= 0) {
    return lists_.months.at(months_->currentIndex()).period;
  }
  if (quarter_choice_->isChecked() && quarters_->currentIndex() >= 0) {
    return lists_.quarters.at(quarters_->currentIndex()).period;
  }
  if (range_choice_->isChecked()) {
    return RangePeriod(FromQDate(range_first_->date()), FromQDate(range_last_->date()));
  }
  return DatePeriod(FromQDate(date_->date()));
}

PrinterCanvasFactory* ReportsPage::printer() {
  if (test_printer_ != nullptr) return test_printer_;
  if (desktop_printer_ == nullptr) {
    std::vector<std::string> check_types(kCheckTypeNames.begin(), kCheckTypeNames.end());
    desktop_printer_ = std::make_unique<DesktopPrinter>(program().ledger(), program().ui(),
                                                        program().fs(), std::move(check_types));
  }
  return desktop_printer_.get();
}

OutputServices ReportsPage::Services() { return ProgramOutputServices(program(), printer()); }

void ReportsPage::Run(OutputTarget target) {
  ReportRunRequest request;
  for (const auto& [label, box] : boxes_) {
    if (box->isChecked()) request.ticked.push_back(label);
  }
  request.target = target;
  request.period = ChosenPeriod();
  request.options = ReportOptionsOf(program().ledger().settings());
  request.choices = test_choices_ != nullptr ? test_choices_ : &dialogs_;
  request.mark_printed = [this](const std::vector<PrintedLine>& lines) {
    return program().ledger().MarkTransactionsPrinted(lines);
  };
  OutputServices services = Services();
  QtMailSettingsForm mail_form(this, program());
  ProgramMail mail(program(), mail_form);
  services.mail = &mail;
  const ReportRunResult result =
      zenkar::RunReports(registry_, program().ledger(), services, request);
  // Reports held for one printer job that could not be sent stay ticked.
  if (target == OutputTarget::kPrinter && test_printer_ == nullptr &&
      !desktop_printer_->last_run_sent()) {
    return;
  }
  for (const std::string& label : result.cleared) {
    if (QCheckBox* box = report_box(label)) box->setChecked(false);
  }
}

bool ReportsPage::PrintDocument(const std::function<bool(PrintJob&)>& write) {
  OutputServices services = Services();
  const bool has_printer =
      test_printer_ != nullptr || !desktop_printer_->system().PrinterNames().empty();
  PrintJob job(services, has_printer ? OutputTarget::kPrinter : OutputTarget::kPdf);
  return write(job);
}

void ReportsPage::ViewCharts() {
  if (charts_window_ == nullptr) {
    charts_window_ = new ChartsWindow(program(), this);
    charts_window_->setAttribute(Qt::WA_DeleteOnClose);
  }
  charts_window_->show();
  charts_window_->raise();
}

QCheckBox* ReportsPage::report_box(std::string_view label) const {
  for (const auto& [name, box] : boxes_) {
    if (name == label) return box;
  }
  return nullptr;
}

}  // namespace zenkar
