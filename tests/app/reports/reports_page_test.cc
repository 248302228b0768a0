// The Reports tab on the sample company, used as a user would: the boxes it
// offers, the Month and Quarter lists, the buttons with the report run's
// refusals and run order, the documents written beside the books and
// opened, and the calculator's tape printed through the same page.
#include "app/reports/reports_page.h"

#include <QGroupBox>
#include <QLabel>
#include <QtTest>
#include <memory>

#include "app/window/calculator_dialog.h"
#include "app/window/main_window.h"
#include "app_rules/test_program.h"
#include "ledger/chart_text.h"
#include "output/output_fakes.h"
#include "output/pdf_test_tools.h"
#include "platform/offscreen_test_main.h"
#include "platform/text_conversion.h"
#include "support/temp_dir.h"
#include "tools/sample_company.h"

namespace zenkar {

using ::zenkar::testing::FakePrinter;
using ::zenkar::testing::TempDir;

namespace {

constexpr int kSampleYear = 2025;

// The sample company loaded into a program, and its main window.
struct World : testing::TestProgram {
  World() {
    std::string text;
    std::vector<AccountRecord> accounts;
    ok = PosixFileSystem().ReadFile(ZENKAR_DEFAULT_CHART_TEXT, &text).ok() &&
         ParseChartText(text, &accounts).ok();
    install.WriteFile("KXACCTCOA.DAT", ChartOfAccounts(accounts).Encode());
    program.ledger().SetDataFolder(data.path());
    ok = ok && program.PrepareMainWindow() && WriteSampleCompany(program.ledger(), kSampleYear);
    ui.ClearMessages();
  }

  // Opens the window on the Reports tab; the page uses `printer`.
  ReportsPage* OpenReports(PrinterCanvasFactory* printer) {
    window = std::make_unique<MainWindow>(program);
    program.AttachWindow(window.get());
    window->Open();
    auto* page = qobject_cast<ReportsPage*>(window->page("RPT"));
    if (page == nullptr) return nullptr;
    if (printer != nullptr) page->set_printer_for_testing(printer);
    window->ShowPage("RPT");
    return page;
  }

  std::unique_ptr<MainWindow> window;
  bool ok = false;
};

QStringList Items(QComboBox* list) {
  QStringList items;
  for (int i = 0; i < list->count(); ++i) items << list->itemText(i);
  return items;
}

void Click(QWidget* page, int number) {
  auto* button = page->findChild<QPushButton*>(ControlName(number));
  QVERIFY2(button != nullptr, qPrintable(ControlName(number)));
  button->click();
}

void ChooseMonth(ReportsPage* page, int month) {
  page->findChild<QRadioButton*>(ControlName(422))->setChecked(true);
  page->months()->setCurrentIndex(month - 1);
}

QStringList Texts(const std::vector<std::string>& texts) {
  QStringList list;
  for (const std::string& text : texts) list << FromCp1252(text);
  return list;
}

}  // namespace

class ReportsPageTest : public QObject {
  Q_OBJECT

 private slots:
  void OnlyReportsThatExistAreOfferedInTheListsOrder() {
    World world;
    QVERIFY(world.ok);
    ReportsPage* page = world.OpenReports(nullptr);
    QVERIFY(page != nullptr);
    QStringList captions;
    for (const ReportListing& listing : ReportList()) {
      if (QCheckBox* box = page->report_box(listing.label)) captions << box->text();
    }
    QCOMPARE(
        captions,
        QStringList({"Transaction Listing", "Income Statement", "Balance Sheet", "General Ledger",
                     "Account Summary", "Trial Balance", "Activity Comparison", "COA Listing",
                     "Unpaid Invoice Listing", "Check and Deposit Listing", "Last 50 Entries",
                     "Unprinted Transactions", "Payee Listing", "Payee Activity", "1099-MISC"}));
    // Their control numbers follow the run order.
    QCOMPARE(page->report_box("Income Statement")->objectName(), ControlName(402));
    QCOMPARE(page->report_box("Account Summary")->objectName(), ControlName(408));
    QCOMPARE(page->report_box("1099-MISC")->objectName(), ControlName(415));
    QCOMPARE(world.window->status_line()->text(), QString("Reports"));
  }

  void TheChartsAreAGroupOfTheirOwnPrintedAfterTheReports() {
    World world;
    QVERIFY(world.ok);
    FakePrinter printer;
    ReportsPage* page = world.OpenReports(&printer);
    QVERIFY(page != nullptr);
    QGroupBox* charts = nullptr;
    for (QGroupBox* group : page->findChildren<QGroupBox*>()) {
      if (group->title() == "Charts") charts = group;
    }
    QVERIFY(charts != nullptr);
    QStringList captions;
    for (QCheckBox* box : charts->findChildren<QCheckBox*>()) captions << box->text();
    QCOMPARE(captions, QStringList({"Income and Expenses by Month", "Bank Balance",
                                    "Unpaid Invoices by Age"}));
    QCOMPARE(page->report_box("Unpaid Invoices by Age")->objectName(), ControlName(419));
    ChooseMonth(page, 6);
    page->report_box("Bank Balance")->setChecked(true);
    page->report_box("Income Statement")->setChecked(true);
    Click(page, 431);
    QCOMPARE(Texts(world.ui.Texts()), QStringList());
    QCOMPARE(Texts(printer.titles), QStringList({"Income-Statement", "Bank-Balance"}));
    QVERIFY(!page->report_box("Bank Balance")->isChecked());
  }

  void ViewChartsOpensTheWindowRedrawnAfterEverySavedEntry() {
    World world;
    QVERIFY(world.ok);
    ReportsPage* page = world.OpenReports(nullptr);
    QVERIFY(page != nullptr);
    Click(page, 435);
    ChartsWindow* charts = page->charts_window();
    QVERIFY(charts != nullptr);
    QVERIFY(charts->isVisible());
    QCOMPARE(charts->windowTitle(), QString("View Charts"));
    QCOMPARE(charts->watch().computed(), 1);
    Click(page, 435);  // the same window again
    QCOMPARE(page->charts_window(), charts);
    TransactionRecord line;
    ClearTransaction(line);
    line.kind = kJournalLine;
    line.date = world.clock.Today();
    line.account = "650 ";
    line.amount = Money::FromUnits(25);
    QVERIFY(world.program.ledger().AppendTransaction(line).has_value());
    QCOMPARE(charts->watch().computed(), 2);
    charts->grab();  // draws without a fault
  }

  void MonthAndQuarterListsHoldThePeriodsWithTransactions() {
    World world;
    QVERIFY(world.ok);
    ReportsPage* page = world.OpenReports(nullptr);
    QVERIFY(page != nullptr);
    QCOMPARE(page->months()->count(), 12);
    QCOMPARE(page->months()->itemText(0), QString("2025 - January"));
    QCOMPARE(Items(page->quarters()), QStringList({"2025 - Quarter 1", "2025 - Quarter 2",
                                                   "2025 - Quarter 3", "2025 - Quarter 4"}));
    QVERIFY(world.ui.progress_texts().back() == "Filling Report Dates");
    // A company with transactions starts on its latest month.
    QCOMPARE(page->ChosenPeriod(), MonthPeriod(kSampleYear, 12));
    page->findChild<QRadioButton*>(ControlName(423))->setChecked(true);
    page->quarters()->setCurrentIndex(1);
    QCOMPARE(page->ChosenPeriod(), QuarterPeriod(kSampleYear, 2));
    QVERIFY(!page->months()->isEnabled());
  }

  void TheRunsRefusalsComeBeforeAnyOutput() {
    World world;
    QVERIFY(world.ok);
    FakePrinter printer;
    ReportsPage* page = world.OpenReports(&printer);
    QVERIFY(page != nullptr);
    Click(page, 432);
    QCOMPARE(Texts(world.ui.Texts()), QStringList({"Select at least one item."}));

    world.ui.ClearMessages();
    page->report_box("Income Statement")->setChecked(true);
    page->report_box("Balance Sheet")->setChecked(true);
    Click(page, 432);
    Click(page, 434);
    QCOMPARE(Texts(world.ui.Texts()),
             QStringList({"Select one item at a time when not sending to a printer.",
                          "Select one item at a time when not sending to a printer."}));
    QVERIFY(world.shell.opened_documents.empty());
    QVERIFY(page->report_box("Income Statement")->isChecked());

    world.ui.ClearMessages();
    page->report_box("Balance Sheet")->setChecked(false);
    page->findChild<QRadioButton*>(ControlName(424))->setChecked(true);
    page->findChild<QDateEdit*>(ControlName(428))->setDate(QDate(2025, 3, 31));
    page->findChild<QDateEdit*>(ControlName(429))->setDate(QDate(2025, 3, 1));
    Click(page, 432);
    QCOMPARE(Texts(world.ui.Texts()),
             QStringList({"The ending date must not be earlier than the starting date."}));
    QVERIFY(world.shell.opened_documents.empty());
  }

  void PrintingRunsInRunOrderOnceAndClearsThePrintedBoxes() {
    World world;
    QVERIFY(world.ok);
    FakePrinter printer;
    ReportsPage* page = world.OpenReports(&printer);
    QVERIFY(page != nullptr);
    ChooseMonth(page, 6);
    page->report_box("Balance Sheet")->setChecked(true);
    page->report_box("Income Statement")->setChecked(true);
    Click(page, 431);
    QCOMPARE(Texts(world.ui.Texts()), QStringList());
    QCOMPARE(Texts(printer.titles), QStringList({"Income-Statement", "Balance-Sheet"}));
    QCOMPARE(printer.runs_started, 1);
    QCOMPARE(printer.runs_finished, 1);
    QVERIFY(!page->report_box("Income Statement")->isChecked());
    QVERIFY(!page->report_box("Balance Sheet")->isChecked());

    // Cancelling the printer's options prints nothing and keeps the box.
    printer.cancel = true;
    page->report_box("Balance Sheet")->setChecked(true);
    Click(page, 431);
    QVERIFY(page->report_box("Balance Sheet")->isChecked());
  }

  void PreviewAndCsvAreWrittenBesideTheBooksAndOpened() {
    World world;
    QVERIFY(world.ok);
    FakePrinter printer;
    ReportsPage* page = world.OpenReports(&printer);
    QVERIFY(page != nullptr);
    ChooseMonth(page, 6);
    page->report_box("Balance Sheet")->setChecked(true);
    Click(page, 432);
    Click(page, 434);
    QCOMPARE(Texts(world.ui.Texts()), QStringList());
    QCOMPARE(world.shell.opened_documents.size(), size_t{2});
    const std::string pdf = world.shell.opened_documents[0];
    QCOMPARE(FromPath(pdf), FromPath(world.data.File("Balance-Sheet.pdf")));
    QCOMPARE(testing::QpdfProblems(pdf), std::nullopt);
    QVERIFY(testing::PdfTextPages(pdf).at(0).size() > 20);
    QCOMPARE(FromPath(world.shell.opened_documents[1]),
             FromPath(world.data.File("Balance-Sheet.csv")));
    // A file target leaves the box ticked.
    QVERIFY(page->report_box("Balance Sheet")->isChecked());
  }

  void APreviewThatNoViewerCanOpenNamesTheSavedFile() {
    World world;
    QVERIFY(world.ok);
    ReportsPage* page = world.OpenReports(nullptr);
    QVERIFY(page != nullptr);
    world.shell.succeed = false;
    ChooseMonth(page, 6);
    page->report_box("Balance Sheet")->setChecked(true);
    Click(page, 432);
    const std::string pdf = world.data.File("Balance-Sheet.pdf");
    QCOMPARE(world.shell.opened_documents, std::vector<std::string>{pdf});
    QCOMPARE(Texts(world.ui.Texts()),
             QStringList({FromCp1252(std::string(kPdfOpenError)) +
                          "\n\nThe PDF file was saved as:\n" + FromPath(pdf)}));
    QCOMPARE(testing::QpdfProblems(pdf), std::nullopt);
  }

  // A printed General Ledger marks the month's entries printed; a listing
  // that asks (the Account Summary) gets its answer from the page's dialogs.
  void PrintingTheLedgerMarksItsEntriesAndListingsAsk() {
    World world;
    QVERIFY(world.ok);
    FakePrinter printer;
    testing::ScriptedChoices choices;
    choices.account = "650";
    ReportsPage* page = world.OpenReports(&printer);
    QVERIFY(page != nullptr);
    page->set_choices_for_testing(&choices);
    auto unprinted = [&](int month) {
      int count = 0;
      world.program.ledger().ForEachTransaction([&](const TransactionRecord& line) {
        if (line.kind != kInvoice && line.unprinted != 0 && ToCivilDate(line.date).month == month) {
          ++count;
        }
      });
      return count;
    };
    QVERIFY(unprinted(11) > 10);
    const int december = unprinted(12);
    ChooseMonth(page, 11);
    page->report_box("General Ledger")->setChecked(true);
    page->report_box("Account Summary")->setChecked(true);
    Click(page, 431);
    QCOMPARE(Texts(world.ui.Texts()), QStringList());
    QCOMPARE(Texts(printer.titles), QStringList({"General-Ledger", "Account-Summary"}));
    QCOMPARE(Texts(choices.asked), QStringList({"Account Summary Report"}));
    QCOMPARE(unprinted(11), 0);
    QCOMPARE(unprinted(12), december);
  }

  void TheLabelGroupPrintsTheChosenPayeesAndKeepsItsOptions() {
    World world;
    QVERIFY(world.ok);
    ReportsPage* page = world.OpenReports(nullptr);
    QVERIFY(page != nullptr);
    MailingLabelsGroup* labels = page->mailing_labels();
    Click(labels, 453);
    QCOMPARE(Texts(world.ui.Texts()), QStringList({"Select at least one Payee."}));
    world.ui.ClearMessages();
    labels->payees()->item(0)->setSelected(true);
    labels->payees()->item(2)->setSelected(true);
    labels->left_margin()->setText("0.25");
    labels->count_choice(1)->setChecked(true);  // 3 Labels per Payee (1 Row)
    Click(labels, 453);
    QCOMPARE(Texts(world.ui.Texts()), QStringList());
    QCOMPARE(FromPath(world.shell.opened_documents.back()),
             FromPath(world.data.File("Payee-Labels.pdf")));
    const testing::TextPages pages = testing::PdfTextPages(world.shell.opened_documents.back());
    QCOMPARE(pages.size(), size_t{1});
    QVERIFY(QString::fromStdString(pages[0][0]).contains("Wharfside Properties LLC"));
    const CompanySettings& settings = world.program.ledger().settings();
    QCOMPARE(settings.label_left_margin, Money::FromCents(25));
    QCOMPARE(settings.label_options[3], 3);
  }

  void TheSortAndChoiceDialogsProposeAndRequireAChoice() {
    SortOrderDialog sort(nullptr, EntryOrder::kCheckNumber);
    QVERIFY(sort.choice(EntryOrder::kCheckNumber)->isChecked());
    QCOMPARE(sort.choice(EntryOrder::kAccount)->text(), QString("Account (COA)"));
    sort.choice(EntryOrder::kAmount)->setChecked(true);
    QVERIFY(sort.order() == EntryOrder::kAmount);

    ListChoiceDialog accounts(nullptr, kAccountSummaryTitle, kSelectAnAccount);
    accounts.AddItem("110 Checking Account", 2);
    QCOMPARE(accounts.windowTitle(), QString("Account Summary Report"));
    QPushButton* ok = accounts.buttons()->button(QDialogButtonBox::Ok);
    QVERIFY(!ok->isEnabled());
    accounts.list()->setCurrentRow(0);
    QVERIFY(ok->isEnabled());
    QCOMPARE(accounts.chosen(), 2);
  }

  void TheCalculatorPrintsItsTape() {
    World world;
    QVERIFY(world.ok);
    FakePrinter printer;
    ReportsPage* page = world.OpenReports(&printer);
    QVERIFY(page != nullptr);
    CalculatorDialog calculator(world.window.get(), nullptr);
    auto* print = calculator.findChild<QPushButton*>("keyPrint");
    QVERIFY(print != nullptr);
    QVERIFY(!print->isEnabled());  // nothing on the tape yet
    for (const char* key : {"2", "+", "3", "="}) {
      calculator.findChild<QPushButton*>(QString("key") + key)->click();
    }
    QVERIFY(print->isEnabled());
    print->click();
    QCOMPARE(Texts(printer.titles), QStringList({"Calculator Tape"}));
    const QStringList texts = Texts(testing::TextsOf(printer.jobs.at(0)));
    QCOMPARE(texts.mid(2), QStringList({"2.00 +", "3.00 =", "5.00 *"}));
    QCOMPARE(texts.at(1), QString("Prepared: 03/14/2026"));
  }

  void WithoutAPrinterTheTapeBecomesAPdf() {
    World world;
    QVERIFY(world.ok);
    ReportsPage* page = world.OpenReports(nullptr);
    QVERIFY(page != nullptr);
    std::vector<std::string> tape;
    for (int i = 1; i <= 70; ++i) tape.push_back(std::to_string(i) + ".00 +");
    // The machine running the tests has no printer installed.
    QVERIFY(page->PrintDocument([&tape](PrintJob& job) { return WriteCalculatorTape(job, tape); }));
    QCOMPARE(world.shell.opened_documents.size(), size_t{1});
    const testing::TextPages pages = testing::PdfTextPages(world.shell.opened_documents[0]);
    QCOMPARE(pages.size(), size_t{2});
    QCOMPARE(QString::fromStdString(pages[1].back()).trimmed(), QString("70.00 +"));
  }
};

}  // namespace zenkar

ZENKAR_OFFSCREEN_TEST_MAIN(zenkar::ReportsPageTest)
#include "reports_page_test.moc"
