// The check printing in the window on Qt's offscreen platform: the MICR tab
// saving KXMICR.DAT and choosing a logo, "MICR Print Blank Check" (107 and
// Ctrl+M), "Print Test Check" on the Setup page, and the quick check from
// the register and Ctrl+Q. The rules are tested in tests/output and
// tests/app_rules; these tests check the wiring.
#include <QApplication>
#include <QMenu>
#include <QPushButton>
#include <QtTest>
#include <memory>

#include "app/check_printing/micr_page.h"
#include "app/check_printing/unprinted_checks_dialog.h"
#include "app/reports/reports_page.h"
#include "app/setup/program_setup_page.h"
#include "app/setup/setup_page.h"
#include "app/transactions/quick_check_dialog.h"
#include "app/transactions/transactions_page.h"
#include "app/window/main_window.h"
#include "app_rules/transactions/entry_company.h"
#include "output/check_layout.h"
#include "output/check_run.h"
#include "output/micr_settings.h"
#include "output/output_fakes.h"
#include "output/pdf_test_tools.h"
#include "platform/modal_helper.h"
#include "platform/offscreen_test_main.h"
#include "platform/text_conversion.h"

namespace zenkar {

using ::zenkar::testing::EntryCompany;
using ::zenkar::testing::WhenModalShows;

namespace {

MicrSettings BankReadable() {
  MicrSettings micr;
  micr.bank_name = "First Harbor Bank";
  micr.routing_number = "021000021";
  micr.account_number = "1234-5678";
  micr.test_check_printed = true;
  return micr;
}

// A company in an open main window whose printer is a recording fake.
struct Desk {
  explicit Desk(int check_type = 0) {
    if (IsMicrCheckType(check_type)) company.data.WriteFile("KXMICR.DAT", BankReadable().Encode());
    loaded = company.Load();
    company.program.ledger().settings().check_type = check_type;
    window = std::make_unique<MainWindow>(company.program);
    company.program.AttachWindow(window.get());
    static_cast<ReportsPage*>(window->page("RPT"))->set_printer_for_testing(&printer);
    window->Open();
    if (QTest::qWaitForWindowExposed(window.get())) {
      window->activateWindow();
      if (!QTest::qWaitForWindowActive(window.get())) qWarning("the main window is not active");
    }
    company.ui.ClearMessages();
  }
  ~Desk() { company.program.AttachWindow(nullptr); }

  MicrPage* micr() const { return static_cast<MicrPage*>(window->page("MIC")); }
  template <typename T>
  T* Find(const char* name) const {
    T* found = window->findChild<T*>(name);
    if (found == nullptr) qWarning("no control %s", name);
    return found;
  }

  EntryCompany company;
  testing::FakePrinter printer;
  bool loaded = false;
  std::unique_ptr<MainWindow> window;
};

}  // namespace

class CheckPrintingPagesTest : public QObject {
  Q_OBJECT

 private slots:
  void TheMicrTabSavesTheSettingsAndTheCheckType() {
    Desk desk;
    QVERIFY(desk.loaded);
    QTest::keyClick(desk.window.get(), Qt::Key_M, Qt::AltModifier);
    QCOMPARE(desk.window->tabs()->currentIndex(), 6);
    MicrPage* page = desk.micr();
    QVERIFY(qobject_cast<MicrPage*>(page) != nullptr);
    QCOMPARE(page->notice()->text(), FromCp1252(kNotMicrCheckType));
    QCOMPARE(page->logo_text()->text(), FromCp1252(kNoLogoSelected));

    desk.Find<QLineEdit>("bankName")->setText("First Harbor Bank");
    desk.Find<QLineEdit>("routingNumber")->setText("021000022");
    desk.Find<QLineEdit>("micrAccountNumber")->setText("1234-5678");
    desk.Find<QComboBox>("micrCheckType")->setCurrentIndex(3);  // "MICR 129L/131L"
    desk.Find<QSpinBox>("fontHeightAdjustment")->setValue(5);
    QTest::mouseClick(desk.Find<QPushButton>("saveMicr"), Qt::LeftButton);
    QCOMPARE(desk.company.ui.LastText(), std::string(kInvalidRoutingNumber));
    QVERIFY(!desk.company.data.Exists("KXMICR.DAT"));

    desk.Find<QLineEdit>("routingNumber")->setText("021000021");
    QTest::mouseClick(desk.Find<QPushButton>("saveMicr"), Qt::LeftButton);
    const MicrSettings saved = MicrSettings::Decode(desk.company.data.ReadFile("KXMICR.DAT"));
    QCOMPARE(saved.bank_name, std::string("First Harbor Bank"));
    QCOMPARE(saved.font_height_tenths, 5);
    QCOMPARE(desk.company.program.ledger().settings().check_type, 4);
    QVERIFY(!page->notice()->isVisible());
  }

  void ALogoIsChosenAndRemoved() {
    Desk desk(4);
    QTest::keyClick(desk.window.get(), Qt::Key_M, Qt::AltModifier);
    MicrPage* page = desk.micr();
    desk.company.data.WriteFile("logo.bmp", testing::MakeBmpOfSize(40, 20));
    page->set_logo_picker_for_testing(
        [&desk] { return FromPath(desk.company.data.File("logo.bmp")); });
    QTest::mouseClick(desk.Find<QPushButton>("selectLogo"), Qt::LeftButton);
    QCOMPARE(page->logo_text()->text(), FromPath(desk.company.data.File("logo.bmp")));
    desk.company.ui.Answer(true);
    QTest::mouseClick(desk.Find<QPushButton>("removeLogo"), Qt::LeftButton);
    QCOMPARE(desk.company.ui.LastText(), std::string(kRemoveLogoQuestion));
    QCOMPARE(page->logo_text()->text(), FromCp1252(kNoLogoSelected));
  }

  void ABlankCheckComesFromButton107AndCtrlM() {
    Desk desk(5);
    desk.company.ui.AnswerInput("1001");
    QTest::mouseClick(desk.Find<QPushButton>("control107"), Qt::LeftButton);
    QCOMPARE(desk.printer.titles, std::vector<std::string>{std::string(kBlankCheckJobTitle)});
    QCOMPARE(desk.company.ui.input_titles().back(), std::string(kBlankCheckTitle));
    desk.company.ui.AnswerInput("1002");
    QTest::keyClick(desk.window.get(), Qt::Key_M, Qt::ControlModifier);
    QCOMPARE(desk.printer.titles.size(), size_t{2});
    QCOMPARE(desk.company.ui.input_initials().back(), std::string("1002"));
    QCOMPARE(desk.company.program.ledger().settings().next_check, std::string("1003"));
  }

  void TheSetupPageHasTheTestCheck() {
    Desk desk(6);
    QTest::keyClick(desk.window.get(), Qt::Key_S, Qt::AltModifier);
    auto* button = desk.window->page("CFG")->findChild<QPushButton*>("printTestCheck");
    QVERIFY(button != nullptr && button->menu() != nullptr);
    QVERIFY(button->isVisible());
    button->menu()->findChild<QAction*>("testCheckPdf")->trigger();
    QCOMPARE(desk.company.shell.opened_documents.size(), size_t{1});
    QVERIFY(QString::fromStdString(desk.company.shell.opened_documents.back())
                .endsWith("Test Check.pdf"));
    QVERIFY(LoadMicrSettings(desk.company.program.ledger()).settings.test_check_printed);
  }

  void TheQuickCheckComesFromTheRegisterAndCtrlQ() {
    Desk desk(1);
    QTest::keyClick(desk.window.get(), Qt::Key_C, Qt::AltModifier);
    WhenModalShows<QuickCheckDialog>([](QuickCheckDialog* dialog) {
      QCOMPARE(dialog->number()->text(), QString("1001"));
      dialog->payee()->setCurrentIndex(1);  // Harbor Supply
      QCOMPARE(dialog->name_line_1()->text(), QString("Harbor Supply"));
      QVERIFY(dialog->name_line_1()->isReadOnly());
      dialog->amount()->setText("450.00");
      dialog->invoice_number()->setText("INV-77");
      QTest::mouseClick(dialog->save_button(), Qt::LeftButton);
    });
    QTest::mouseClick(desk.Find<QPushButton>("quickCheckButton"), Qt::LeftButton);
    QCOMPARE(desk.printer.titles, std::vector<std::string>{std::string(kChecksJobTitle)});
    QCOMPARE(desk.company.ui.LastText(), std::string(kPrintedCorrectly));
    QCOMPARE(desk.company.LinesOnDisk(), 1);
    QCOMPARE(TrimRight(desk.company.LineOnDisk(1).reference), std::string_view("1001"));
    // The register shows the check and the next number.
    auto* transactions = static_cast<TransactionsPage*>(desk.window->page("TRN"));
    QCOMPARE(transactions->checks_page()->form()->reference()->text(), QString("1002"));

    // Ctrl+Q: a check without an amount is refused in the dialog; Cancel
    // leaves everything as it was.
    WhenModalShows<QuickCheckDialog>([&desk](QuickCheckDialog* dialog) {
      QTest::mouseClick(dialog->findChild<QPushButton*>("help"), Qt::LeftButton);
      QCOMPARE(desk.company.viewer.shown.back().file, std::string("quick-check.html"));
      dialog->payee()->setCurrentIndex(2);
      QTest::mouseClick(dialog->save_button(), Qt::LeftButton);
      QCOMPARE(desk.company.ui.LastText(), std::string(kAmountAboveZero));
      QVERIFY(dialog->isVisible());
      QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(dialog->amount()));
      dialog->reject();
    });
    QTest::keyClick(desk.window.get(), Qt::Key_Q, Qt::ControlModifier);
    QCOMPARE(desk.company.LinesOnDisk(), 1);
    QCOMPARE(desk.printer.titles.size(), size_t{1});
  }

  void TheTickedChecksAreTheOnesThatDidNotPrint() {
    QWidget parent;
    QtUnprintedCheckChooser chooser(&parent);
    WhenModalShows<UnprintedChecksDialog>([](UnprintedChecksDialog* dialog) {
      QCOMPARE(dialog->list()->count(), 3);
      QCOMPARE(dialog->list()->item(1)->text(), QString("Check 1044  Bay Electric  25.00"));
      dialog->list()->item(1)->setCheckState(Qt::Checked);
      dialog->accept();
    });
    QCOMPARE(chooser.ChooseUnprinted({"Check 1043  Harbor Supply  15.00",
                                      "Check 1044  Bay Electric  25.00",
                                      "Check 1045  Dock Rentals  35.00"}),
             (std::vector<bool>{false, true, false}));
  }
};

}  // namespace zenkar

ZENKAR_OFFSCREEN_TEST_MAIN(zenkar::CheckPrintingPagesTest)
#include "check_printing_pages_test.moc"
