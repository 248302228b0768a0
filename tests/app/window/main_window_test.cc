// The main window and its pages, on Qt's offscreen platform, driven as a
// user would: tabs, keys, buttons and what the status line, the messages
// and the files show afterwards.
#include "app/window/main_window.h"

#include <unistd.h>

#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QtTest>
#include <memory>

#include "app/help/help_page.h"
#include "app/page_test_support.h"
#include "app/utilities/utilities_page.h"
#include "app/window/calculator_dialog.h"
#include "app/window/check_date_dialog.h"
#include "app_rules/app_fakes.h"
#include "app_rules/company_files.h"
#include "app_rules/test_program.h"
#include "platform/modal_helper.h"
#include "platform/offscreen_test_main.h"
#include "platform/text_conversion.h"
#include "support/fixed_clock.h"
#include "support/fixed_user.h"
#include "support/scripted_ui.h"

namespace zenkar {

using ::zenkar::testing::Button;
using ::zenkar::testing::OpenMainWindow;
using ::zenkar::testing::StoredSettings;
using ::zenkar::testing::TempDir;
using ::zenkar::testing::WhenModalShows;
using ::zenkar::testing::WriteCompany;

namespace {

// A loaded company and the program around it, with the shipped help pages.
struct World : testing::TestProgram {
  explicit World(long transactions = 3, const std::string& start_tab = "") {
    ok = WriteCompany(data, 2015, "Harbor Supply Co.", transactions, start_tab);
  }
  bool Load() { return ok && Open(); }

  bool ok = false;
};

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void PagesStandInOrderWithTheirCaptions() {
    World world;
    QVERIFY(world.Load());
    auto window = OpenMainWindow(world.program);
    const QStringList expected = {
        "  File (Utilities)  ",    "  Payees  ", "  Transactions  ", "  Reports  ",
        "  Bank Reconciliation  ", "  Setup  ",  "  MICR  ",         "  Help  "};
    QCOMPARE(window->tabs()->count(), expected.size());
    for (int i = 0; i < expected.size(); ++i) QCOMPARE(window->tabs()->tabText(i), expected[i]);
    QCOMPARE(window->windowTitle(), QString("Zenkar Accounting [Harbor Supply Co.]"));
    QCOMPARE(window->version_label()->text(), QString("Version 4.7 Revision 4"));
    QCOMPARE(window->font().family(), QString("Arial"));
    QCOMPARE(window->font().pointSize(), 12);
  }

  void EachPagePutsItsCaptionOnTheStatusLine() {
    World world;
    QVERIFY(world.Load());
    auto window = OpenMainWindow(world.program);
    const QStringList captions = {"Utility Functions",
                                  "Add, Edit, and Delete Payees",
                                  "Checks and Deposits",
                                  "Reports",
                                  "Bank Reconciliation",
                                  "Setup - Program Setup",
                                  "MICR Check Printing - Setup and Options",
                                  "Help - Press <F1> at any time for context sensitive help"};
    for (int i = captions.size() - 1; i >= 0; --i) {
      window->tabs()->setCurrentIndex(i);
      QCOMPARE(window->status_line()->text(), captions[i]);
      QCOMPARE(QString::fromStdString(world.program.current_page()),
               QString::fromLatin1(kTabPages[i].code.data(), 3));
    }
  }

  void AltKeysBringTheirPages() {
    World world;
    QVERIFY(world.Load());
    auto window = OpenMainWindow(world.program);
    QVERIFY(window->isActiveWindow());
    const struct {
      Qt::Key key;
      int page;
    } kKeys[] = {{Qt::Key_V, 1}, {Qt::Key_T, 2}, {Qt::Key_R, 3}, {Qt::Key_B, 4}, {Qt::Key_S, 5},
                 {Qt::Key_M, 6}, {Qt::Key_H, 7}, {Qt::Key_F, 0}, {Qt::Key_H, 7}, {Qt::Key_U, 0}};
    for (const auto& entry : kKeys) {
      QTest::keyClick(window.get(), entry.key, Qt::AltModifier);
      QCOMPARE(window->tabs()->currentIndex(), entry.page);
    }
  }

  void OpensOnTheStartPageOfTheSettings() {
    World world(3, "REC");
    QVERIFY(world.Load());
    auto window = OpenMainWindow(world.program);
    QCOMPARE(window->tabs()->currentIndex(), 4);
    QCOMPARE(window->status_line()->text(), QString("Bank Reconciliation"));
    QVERIFY(world.viewer.shown.empty());
  }

  void AnEmptyLedgerShowsTheHintAndGettingStarted() {
    World world(0);
    QVERIFY(world.Load());
    auto window = OpenMainWindow(world.program);
    QCOMPARE(window->status_line()->text(),
             QString(" ^^ Click the 'Tabs' to navigate through the software. For example, to "
                     "prepare reports, click 'Reports'."));
    QCOMPARE(world.viewer.shown.size(), size_t{1});
    QCOMPARE(world.viewer.shown[0].file, std::string("getting-started.html"));
  }

  void F1OpensTheHelpOfTheFocusedControl() {
    World world;
    QVERIFY(world.Load());
    auto window = OpenMainWindow(world.program);
    QVERIFY(window->isActiveWindow());
    Button(window.get(), 102)->setFocus();
    QTest::keyClick(window.get(), Qt::Key_F1);
    window->ShowPage("HLP");
    Button(window.get(), 816)->setFocus();
    QTest::keyClick(window.get(), Qt::Key_F1);
    window->tabs()->tabBar()->setFocus();
    QTest::keyClick(window.get(), Qt::Key_F1);
    QCOMPARE(world.viewer.shown.size(), size_t{3});
    QCOMPARE(world.viewer.shown[0].file, std::string("file-utilities.html"));
    QCOMPARE(world.viewer.shown[1].file, std::string("help-tab.html"));
    QCOMPARE(world.viewer.shown[2].file, std::string("help-tab.html"));
  }

  void ClickingTheVersionOpensTheNews() {
    World world;
    QVERIFY(world.Load());
    auto window = OpenMainWindow(world.program);
    QTest::mouseClick(window->version_label(), Qt::LeftButton);
    QCOMPARE(world.shell.opened_urls,
             std::vector<std::string>{"http://www.zenkar.example/news?user=0A1B2C3D"});
    QVERIFY(world.install.Exists("Zenkar1.url"));
  }

  void ClosingKeepsTheStartTabByTheRule() {
    World world(3, "VND");
    QVERIFY(world.Load());
    auto window = OpenMainWindow(world.program);
    QSignalSpy closed(window.get(), &MainWindow::Closed);
    window->ShowPage("HLP");
    window->close();
    QCOMPARE(closed.count(), 1);
    QVERIFY(!world.program.ledger().is_loaded());
    QCOMPARE(StoredSettings(world.data).start_tab, std::string("TRN"));
  }

  void AKeptPositionOffTheScreenIsNotUsed() {
    World world;
    QVERIFY(world.Load());
    world.program.ledger().settings().window_left = 5000;
    world.program.ledger().settings().window_top = 20;
    MainWindow off_screen(world.program);
    QVERIFY(off_screen.pos() != QPoint(5000, 20));
  }

  void TheDisplaySizeInUseDoesNothing() {
    World world;
    QVERIFY(world.Load());
    auto window = OpenMainWindow(world.program);
    auto* normal = window->findChild<QRadioButton*>(ControlName(112));
    QVERIFY(normal->isChecked());
    normal->click();
    QVERIFY(!window->closed());
    QVERIFY(normal->isChecked());
    auto* large = window->findChild<QRadioButton*>(ControlName(113));
    large->click();
    QVERIFY(window->closed());
    QVERIFY(world.program.restart_requested());
    QCOMPARE(StoredSettings(world.data).font_size, 18);
  }

  void TheLargeDisplaySizeShowsEveryTabWholeAt1280() {
    World world;
    QVERIFY(world.Load());
    world.program.ledger().settings().font_size = 18;
    MainWindow window(world.program);
    // The tabs take the row to themselves; the version text goes below.
    QVERIFY(window.tabs()->cornerWidget() == nullptr);
    QCOMPARE(window.version_label()->parentWidget(), &window);
    const QMargins margins = window.layout()->contentsMargins();
    QVERIFY(window.tabs()->tabBar()->sizeHint().width() + margins.left() + margins.right() + 8 <=
            1280);
    QCOMPARE(window.tabs()->tabBar()->elideMode(), Qt::ElideNone);
  }

  void UtilitiesPageShowsTheFolderAndItsButtons() {
    World world;
    QVERIFY(world.Load());
    auto window = OpenMainWindow(world.program);
    auto* folder = window->findChild<QLineEdit*>(ControlName(101));
    QCOMPARE(folder->text(), QString::fromStdString(world.data.path()));
    QVERIFY(folder->isReadOnly());
    QCOMPARE(Button(window.get(), 102)->text(), QString("Change Data Folder"));
    QCOMPARE(Button(window.get(), 103)->text(), QString("Backup Data"));
    QCOMPARE(Button(window.get(), 104)->text(), QString("Restore Data"));
    QCOMPARE(Button(window.get(), 105)->text(), QString("Restore from Auto Backup"));
    QCOMPARE(Button(window.get(), 108)->text(), QString("Add New Data Folder"));
    QCOMPARE(Button(window.get(), 109)->text(), QString("Check for Update"));
    QVERIFY(Button(window.get(), 103)->y() > Button(window.get(), 102)->y());
    QVERIFY(Button(window.get(), 105)->y() < Button(window.get(), 108)->y());
  }

  void CtrlBAsksForTheBackupFolder() {
    World world;
    QVERIFY(world.Load());
    auto window = OpenMainWindow(world.program);
    QTest::keyClick(window.get(), Qt::Key_B, Qt::ControlModifier);
    QCOMPARE(world.ui.prompts(),
             std::vector<std::string>{"Select a folder to BACKUP TO, then click OK"});
  }

  void ChangeDataFolderToTheCurrentFolderKeepsTheWindow() {
    World world;
    QVERIFY(world.Load());
    auto window = OpenMainWindow(world.program);
    world.ui.AnswerFolder(world.data.path());
    QTest::keyClick(window.get(), Qt::Key_D, Qt::ControlModifier);
    QCOMPARE(world.ui.LastText(),
             world.data.path() + "\nis the current data folder - data folder not changed.");
    QVERIFY(!window->closed());
  }

  void CtrlWSaysWhereTheBooksAre() {
    World world;
    QVERIFY(world.Load());
    auto window = OpenMainWindow(world.program);
    QTest::keyClick(window.get(), Qt::Key_W, Qt::ControlModifier);
    QCOMPARE(world.ui.LastText(),
             "3 Transactions\n" + world.data.path() + "\nAccounts are balanced");
  }

  void HelpPageButtonsAndPanel() {
    World world;
    QVERIFY(world.Load());
    auto window = OpenMainWindow(world.program);
    window->ShowPage("HLP");
    const std::map<int, QString> captions = {{802, "Contents"},
                                             {803, "Index"},
                                             {804, "Search"},
                                             {805, "Program Description"},
                                             {806, "Getting Started"},
                                             {807, "Ordering Checks/Forms"},
                                             {808, "Check for Update"},
                                             {809, "Latest News"},
                                             {810, "www.zenkar.example"},
                                             {811, "Zenkar FAQ"},
                                             {815, "Ask Questions by E-Mail"},
                                             {816, "Where Am I?"}};
    for (const auto& [number, caption] : captions) {
      QVERIFY2(Button(window.get(), number) != nullptr, qPrintable(QString::number(number)));
      QCOMPARE(Button(window.get(), number)->text(), caption);
    }
    const QStringList lines =
        static_cast<HelpPage*>(window->page("HLP"))->information_panel()->text().split('\n');
    QCOMPARE(lines.size(), 6);
    QCOMPARE(lines[0], QString("Version 4.7 - Revision 4"));
    QVERIFY(lines[1].startsWith("EXE File Date: "));
    QVERIFY(lines[1].size() > QString("EXE File Date: ").size());
    QCOMPARE(lines[2], QString("Last Backup: "));
    QCOMPARE(lines[3], QString("Installation Folder:"));
    QCOMPARE(lines[4], QString::fromStdString(world.install.path()));
    QCOMPARE(lines[5], QString::fromStdString(world.data.path()));
    TempDir backups;
    world.ui.AnswerFolder(backups.path());
    BackupData(world.program);
    window->ShowPage("UTL");
    window->ShowPage("HLP");
    QCOMPARE(
        static_cast<HelpPage*>(window->page("HLP"))->information_panel()->text().split('\n')[2],
        QString("Last Backup: 03/14/2026"));
  }

  void HelpPageButtonsOpenHelpAndLinks() {
    World world;
    QVERIFY(world.Load());
    auto window = OpenMainWindow(world.program);
    window->ShowPage("HLP");
    for (int number : {802, 803, 804, 805, 806, 807}) Button(window.get(), number)->click();
    std::vector<std::string> files;
    for (const auto& shown : world.viewer.shown) files.push_back(shown.file);
    QCOMPARE(files, (std::vector<std::string>{"contents.html", "index.html", "contents.html",
                                              "program-description.html", "getting-started.html",
                                              "ordering-checks.html"}));
    for (int number : {809, 810, 811, 815}) Button(window.get(), number)->click();
    QCOMPARE(world.shell.opened_urls,
             (std::vector<std::string>{"http://www.zenkar.example/news?user=0A1B2C3D",
                                       "http://www.zenkar.example/?user=0A1B2C3D",
                                       "http://www.zenkar.example/faq?user=0A1B2C3D",
                                       "Mailto:support@zenkar.example"}));
    Button(window.get(), 808)->click();
    QCOMPARE(world.ui.LastText(), std::string("View our latest news at  www.zenkar.example/news"));
    QVERIFY(world.ui.messages().size() == 1);
  }

  void SetupPageSetsThePassword() {
    World world;
    QVERIFY(world.Load());
    auto window = OpenMainWindow(world.program);
    window->ShowPage("CFG");
    world.secret.Answer("N3w-pass");
    world.secret.Answer("N3w-pass");
    window->findChild<QPushButton*>("setPassword")->click();
    QCOMPARE(world.ui.LastText(),
             std::string("Password has been updated.\nKeep a record of the password!"));
    QVERIFY(world.program.password().Matches("N3w-pass"));
  }

  void CalculatorPastesItsResultIntoTheField() {
    QLineEdit amount;
    CalculatorDialog calculator(nullptr, &amount);
    QTest::keyClicks(&calculator, "12+30.5=");
    QCOMPARE(calculator.display()->text(), QString("42.50"));
    calculator.findChild<QPushButton*>("keyPaste")->click();
    QCOMPARE(amount.text(), QString("42.50"));
    QCOMPARE(calculator.result(), int(QDialog::Accepted));
  }

  void SelectCheckDateIsLimitedAndConfirmed() {
    World world;
    QVERIFY(world.Load());
    auto window = OpenMainWindow(world.program);
    const DayNumber today = world.clock.Today();
    WhenModalShows<CheckDateDialog>([today](CheckDateDialog* dialog) {
      QCOMPARE(dialog->date_edit()->minimumDate(), ToQDate(today - 60));
      QCOMPARE(dialog->date_edit()->maximumDate(), ToQDate(today + 60));
      dialog->date_edit()->setDate(ToQDate(today + 5));
      dialog->accept();
    });
    QTest::keyClick(window.get(), Qt::Key_D, Qt::AltModifier);
    QCOMPARE(world.program.default_check_date(), std::optional<DayNumber>(today + 5));
    QCOMPARE(world.ui.LastText(), std::string("The default check date is now 03/19/2026."));
  }
};

}  // namespace zenkar

ZENKAR_OFFSCREEN_TEST_MAIN(zenkar::MainWindowTest)
#include "main_window_test.moc"
