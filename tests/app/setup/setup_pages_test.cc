// The Setup tab (Program Setup, Report Options, Chart of Accounts) and the
// Payees tab on Qt's offscreen platform, driven from the keyboard as a user
// would, and checked against the messages shown and the files written.
#include <unistd.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QRadioButton>
#include <QTableWidget>
#include <QtTest>
#include <memory>

#include "app/page_test_support.h"
#include "app/payees/payees_page.h"
#include "app/setup/capital_account_dialog.h"
#include "app/setup/chart_page.h"
#include "app/setup/program_setup_page.h"
#include "app/setup/report_options_page.h"
#include "app/setup/setup_page.h"
#include "app/window/main_window.h"
#include "app_rules/app_fakes.h"
#include "app_rules/setup/setup_company.h"
#include "app_rules/test_program.h"
#include "ledger/chart_rules.h"
#include "platform/modal_helper.h"
#include "platform/offscreen_test_main.h"
#include "support/fixed_clock.h"
#include "support/fixed_user.h"
#include "support/scripted_ui.h"

namespace zenkar {

using ::zenkar::testing::Find;
using ::zenkar::testing::FixedClock;
using ::zenkar::testing::Focused;
using ::zenkar::testing::OpenMainWindow;
using ::zenkar::testing::ScriptedUi;
using ::zenkar::testing::StoredChart;
using ::zenkar::testing::StoredPayees;
using ::zenkar::testing::StoredSettings;
using ::zenkar::testing::TypeOver;
using ::zenkar::testing::WhenModalShows;
using ::zenkar::testing::WriteSetupCompany;

namespace {

struct World : testing::TestProgram {
  explicit World(const std::string& capital = "465") { ok = WriteSetupCompany(data, capital); }
  bool Load() { return ok && TestProgram::Load(); }

  bool ok = false;
};

void PressEnter() { QTest::keyClick(Focused(), Qt::Key_Return); }

SetupPage* ShowSetup(MainWindow& window, int sub_page) {
  QTest::keyClick(&window, Qt::Key_S, Qt::AltModifier);
  auto* setup = static_cast<SetupPage*>(window.page("CFG"));
  setup->sub_pages()->setCurrentIndex(sub_page);
  return setup;
}

std::vector<std::string> Numbers(const ChartOfAccounts& chart) {
  std::vector<std::string> numbers;
  for (const AccountRecord& a : chart.accounts()) numbers.push_back(std::string(a.number));
  return numbers;
}

}  // namespace

class SetupPagesTest : public QObject {
  Q_OBJECT

 private slots:
  void ProgramSetupIsWalkedWithEnterAndSavedOnTheLastField() {
    World world;
    QVERIFY(world.Load());
    auto window = OpenMainWindow(world.program);
    QVERIFY(window->isActiveWindow());
    ShowSetup(*window, 0);
    QCOMPARE(window->status_line()->text(), QString("Setup - Program Setup"));
    TypeOver(Find<QLineEdit>(window.get(), "nameLine1"), "Bayview Marine");
    const char* kOrder[] = {"nameLine2",         "address",        "cityStateZip",
                            "federalId",         "bankAccount",    "receivablesAccount",
                            "payablesAccount",   "capitalAccount", "wagesAccount",
                            "checkType",         "fixedDecimal",   "memoOnChecks",
                            "accrualAccounting", "accountingYear", "incomeTitle",
                            "incomeFooter",      "balanceTitle",   "balanceFooter"};
    for (const char* name : kOrder) {
      PressEnter();
      QCOMPARE(Focused()->objectName(), QString(name));
      if (QString(name) == "federalId") QTest::keyClicks(Focused(), "12-3456789");
      if (QString(name) == "checkType") QTest::keyClick(Focused(), Qt::Key_Down);
    }
    QVERIFY(Find<QPushButton>(window.get(), "saveSetup")->isEnabled());
    PressEnter();
    const CompanySettings stored = StoredSettings(world.data);
    QCOMPARE(stored.name_line_1.substr(0, 14), std::string("Bayview Marine"));
    QCOMPARE(stored.federal_id.substr(0, 10), std::string("12-3456789"));
    QCOMPARE(stored.check_type, 1);  // the first choice after none
    QVERIFY(world.ui.messages().empty());
    QCOMPARE(window->windowTitle(), QString("Zenkar Accounting [Bayview Marine]"));
    QVERIFY(!Find<QPushButton>(window.get(), "saveSetup")->isEnabled());
  }

  void ProgramSetupRefusesABadAccountOrFeinAndKeepsTheFile() {
    World world;
    QVERIFY(world.Load());
    auto window = OpenMainWindow(world.program);
    ShowSetup(*window, 0);
    const std::string before = world.data.ReadFile("KXACCT.CFG");
    auto* check_type = Find<QComboBox>(window.get(), "checkType");
    QCOMPARE(check_type->count(), 9);
    QCOMPARE(check_type->currentIndex(), -1);  // a new company has chosen none
    QCOMPARE(check_type->itemText(3), QString("MICR 129L/131L"));
    QCOMPARE(Find<QComboBox>(window.get(), "accountingYear")->itemText(11),
             QString("December - November"));
    QCOMPARE(Find<QLabel>(window.get(), "bankAccountDescription")->text(),
             QString("Checking Account"));

    TypeOver(Find<QLineEdit>(window.get(), "bankAccount"), "200");
    Find<QLineEdit>(window.get(), "balanceFooter")->setFocus();
    PressEnter();
    QCOMPARE(world.ui.LastText(),
             std::string("200 is not a valid account to select as your Bank Account."));
    QCOMPARE(world.data.ReadFile("KXACCT.CFG"), before);

    TypeOver(Find<QLineEdit>(window.get(), "bankAccount"), "110");
    TypeOver(Find<QLineEdit>(window.get(), "federalId"), "12-34");
    Find<QPushButton>(window.get(), "saveSetup")->click();
    QCOMPARE(world.ui.LastText(),
             std::string("FEIN is 9 numbers, with an optional dash after the second number."));
    QCOMPARE(world.data.ReadFile("KXACCT.CFG"), before);
    // What was typed stays on the page to be corrected.
    QCOMPARE(Find<QLineEdit>(window.get(), "federalId")->text(), QString("12-34"));
  }

  // Another program changed the books: the window's next change reads them
  // again, and the pages show what the other program did.
  void PagesShowTheBooksAnotherProgramChangedOnceTheyAreReadAgain() {
    World world;
    QVERIFY(world.Load());
    auto window = OpenMainWindow(world.program);
    SetupPage* setup = ShowSetup(*window, 2);
    QCOMPARE(setup->chart()->table()->rowCount(), 8);

    ScriptedUi other_ui;
    FixedClock other_clock;
    Ledger other(PosixFileSystem(), other_ui, other_clock);
    other.SetDataFolder(world.data.path());
    QVERIFY(other.OpenDataFolder());
    QVERIFY(other.AddAccount(testing::TestAccount("150", "Inventory", kAssets)));

    PayeeRecord payee;
    ClearPayee(payee);
    payee.name = "Quay Supply";
    QVERIFY(world.program.ledger().AddPayee(payee) != 0);
    QCOMPARE(world.ui.Texts().front(), std::string(kBooksReread));
    QCOMPARE(setup->chart()->table()->rowCount(), 9);
    QCOMPARE(setup->chart()->table()->item(2, 0)->text(), QString("150"));
  }

  void AnAccountAddedThroughTheScreenIsSortedIntoTheFile() {
    World world;
    QVERIFY(world.Load());
    auto window = OpenMainWindow(world.program);
    QVERIFY(window->isActiveWindow());
    SetupPage* setup = ShowSetup(*window, 0);
    // Ctrl+Tab moves between the sub-pages.
    Find<QLineEdit>(window.get(), "nameLine1")->setFocus();
    QTest::keyClick(Focused(), Qt::Key_Tab, Qt::ControlModifier);
    QTest::keyClick(Focused(), Qt::Key_Tab, Qt::ControlModifier);
    QCOMPARE(setup->sub_pages()->currentWidget(), static_cast<QWidget*>(setup->chart()));
    QCOMPARE(window->status_line()->text(), QString("Setup - Chart of Accounts (COA)"));

    auto* level = Find<QComboBox>(window.get(), "totalLevel");
    QCOMPARE(level->itemText(0), QString("1 (Most Accounts are Total Level 1)"));
    QCOMPARE(Find<QComboBox>(window.get(), "titleType")->itemText(5),
             QString("5 - Balance Sheet Profit Account"));
    auto* add = Find<QRadioButton>(window.get(), "addNew");
    add->setFocus();
    QTest::keyClick(add, Qt::Key_Space);
    QVERIFY(setup->chart()->adding());
    QCOMPARE(Focused()->objectName(), QString("accountNumber"));
    QTest::keyClicks(Focused(), "150");
    PressEnter();
    QTest::keyClicks(Focused(), "Inventory");
    PressEnter();  // to "Account Type", kept at the selected account's type
    PressEnter();  // "Total Level"
    PressEnter();  // "Title Type"
    PressEnter();  // "Balance Forward"
    QTest::keyClicks(Focused(), "1500.00");
    PressEnter();  // saves

    QCOMPARE(Numbers(StoredChart(world.data)),
             (std::vector<std::string>{"110 ", "130 ", "150 ", "200 ", "210 ", "235 ", "465 ",
                                       "500 ", "720 "}));
    const AccountRecord added = StoredChart(world.data).account(3);
    QCOMPARE(added.type, 1);
    QCOMPARE(added.total_level, 1);
    QCOMPARE(added.balance_forward, Money::FromUnits(1500));
    QTableWidget* table = setup->chart()->table();
    QCOMPARE(table->rowCount(), 9);
    QCOMPARE(table->item(2, 0)->text(), QString("150"));
    QCOMPARE(table->item(2, 5)->text(), QString("1,500.00"));
    // Still adding, ready for the next account.
    QVERIFY(setup->chart()->adding());
    QCOMPARE(Find<QLineEdit>(window.get(), "accountNumber")->text(), QString());
    QCOMPARE(Focused()->objectName(), QString("accountNumber"));
    QVERIFY(world.ui.messages().empty());
  }

  void RenumberingTheBankAccountMovesTheSetupField() {
    World world;
    QVERIFY(world.Load());
    auto window = OpenMainWindow(world.program);
    SetupPage* setup = ShowSetup(*window, 2);
    setup->chart()->table()->setCurrentCell(0, 0);
    QCOMPARE(Find<QLineEdit>(window.get(), "accountNumber")->text(), QString("110"));
    TypeOver(Find<QLineEdit>(window.get(), "accountNumber"), "105");
    for (int i = 0; i < 6; ++i) PressEnter();  // through the fields, then save
    QCOMPARE(world.ui.Texts(), std::vector<std::string>{"Updating Bank account to 105"});
    QCOMPARE(StoredSettings(world.data).bank_account, std::string("105 "));
    QCOMPARE(StoredChart(world.data).account(1).number, std::string("105 "));
    QCOMPARE(setup->chart()->table()->item(0, 0)->text(), QString("105"));
    QCOMPARE(Find<QLineEdit>(window.get(), "bankAccount")->text(), QString("105"));
  }

  void EachRefusedChartChangeShowsItsMessageAndKeepsTheFile() {
    World world;
    QVERIFY(world.Load());
    auto window = OpenMainWindow(world.program);
    SetupPage* setup = ShowSetup(*window, 2);
    ChartPage* chart = setup->chart();
    auto* number = Find<QLineEdit>(window.get(), "accountNumber");
    auto* title = Find<QComboBox>(window.get(), "titleType");
    auto* balance = Find<QLineEdit>(window.get(), "balanceForward");
    const std::string before = world.data.ReadFile("KXACCT.COA");
    const auto select = [&](const char* account) {
      chart->StartEditing();
      chart->table()->setCurrentCell(world.program.ledger().FindAccount(account) - 1, 0);
    };
    const auto save = [&] {
      balance->setFocus();
      PressEnter();
    };
    const struct {
      std::function<void()> change;
      std::string message;
    } kCases[] = {
        {[&] {
           chart->StartAdding();
           save();
         },
         "Must enter an account number."},
        {[&] {
           chart->StartAdding();
           TypeOver(number, "130");
           save();
         },
         "Account number 130 is already being used."},
        {[&] {
           chart->StartAdding();
           TypeOver(number, "160");
           title->setCurrentIndex(2);
           TypeOver(balance, "10.00");
           save();
         },
         std::string(kTitleAccountsCannotPost)},
        {[&] {
           select("110");
           title->setCurrentIndex(4);
           save();
         },
         "Cannot change your bank account to a non-entry account."},
        {[&] {
           select("465");
           title->setCurrentIndex(1);
           save();
         },
         "Cannot change your Capical Account to a non-entry account."},
        {[&] {
           select("110");
           Find<QPushButton>(window.get(), "deleteAccount")->click();
         },
         "Cannot delete the account currently selected as the bank account."},
        {[&] {
           select("235");
           Find<QPushButton>(window.get(), "deleteAccount")->click();
         },
         "Cannot delete the account currently selected as the payroll account."},
    };
    for (const auto& c : kCases) {
      world.ui.ClearMessages();
      c.change();
      QCOMPARE(world.ui.Texts(), std::vector<std::string>{c.message});
      QCOMPARE(world.data.ReadFile("KXACCT.COA"), before);
      QCOMPARE(chart->table()->rowCount(), 8);
    }
    // The refused edit is still in the editor, to be corrected.
    QCOMPARE(number->text(), QString("235"));
    select("465");
    title->setCurrentIndex(1);
    save();
    QCOMPARE(title->currentIndex(), 1);
    QCOMPARE(chart->table()->item(5, 4)->text(), QString("0"));
  }

  void DeletingAnAccountAsksAndRewritesTheFile() {
    World world;
    QVERIFY(world.Load());
    auto window = OpenMainWindow(world.program);
    SetupPage* setup = ShowSetup(*window, 2);
    setup->chart()->table()->setCurrentCell(6, 0);  // 500 Sales
    world.ui.Answer(true);
    Find<QPushButton>(window.get(), "deleteAccount")->click();
    QCOMPARE(world.ui.Texts(), std::vector<std::string>{"Delete this Account?"});
    QCOMPARE(StoredChart(world.data).count(), 7);
    QCOMPARE(setup->chart()->table()->rowCount(), 7);
    QCOMPARE(Find<QLineEdit>(window.get(), "accountNumber")->text(), QString("720"));
  }

  void ReportOptionsAreKeptInTheSettings() {
    World world;
    QVERIFY(world.Load());
    auto window = OpenMainWindow(world.program);
    SetupPage* setup = ShowSetup(*window, 1);
    QCOMPARE(window->status_line()->text(), QString("Setup - Report Options"));
    const auto& boxes = setup->report_options()->boxes();
    QCOMPARE(boxes.size(), size_t{5});
    QCOMPARE(boxes[4]->text(),
             QString("Income Statement/Balance Sheet: Include Zero Balance Accounts"));
    boxes[0]->setFocus();
    QTest::keyClick(boxes[0], Qt::Key_Space);
    boxes[2]->click();
    const CompanySettings stored = StoredSettings(world.data);
    QCOMPARE(stored.sort_entries, 1);
    QCOMPARE(stored.transaction_listing_long, 1);
    QCOMPARE(stored.use_shading_bars, 0);
  }

  void PayeesAreAddedRenamedAndDeletedThroughTheTab() {
    World world;
    QVERIFY(world.Load());
    auto window = OpenMainWindow(world.program);
    QVERIFY(window->isActiveWindow());
    QTest::keyClick(window.get(), Qt::Key_V, Qt::AltModifier);
    auto* page = static_cast<PayeesPage*>(window->page("VND"));
    QCOMPARE(page->list()->count(), 1);
    QCOMPARE(Find<QLineEdit>(window.get(), "payeeName")->text(), QString("Harbor Lumber"));

    auto* add = Find<QPushButton>(window.get(), "addPayee");
    add->setFocus();
    QTest::keyClick(add, Qt::Key_Space);
    QCOMPARE(Focused()->objectName(), QString("payeeName"));
    QTest::keyClicks(Focused(), "Bayside Power");
    PressEnter();
    QCOMPARE(Focused()->objectName(), QString("payeeName2"));
    TypeOver(Find<QLineEdit>(window.get(), "payeeDefaultAccount"), "720");
    TypeOver(Find<QLineEdit>(window.get(), "autoAmt1"), "95.50");
    TypeOver(Find<QLineEdit>(window.get(), "autoAcct1"), "720");
    TypeOver(Find<QLineEdit>(window.get(), "autoDate1"), "15");
    Find<QLineEdit>(window.get(), "autoDate2")->setFocus();
    PressEnter();  // Enter on the last field saves
    QCOMPARE(StoredPayees(world.data).count(), 2);
    PayeeRecord stored = StoredPayees(world.data).payee(2);
    QCOMPARE(stored.name.substr(0, 13), std::string("Bayside Power"));
    QCOMPARE(stored.auto_amounts[0], Money::FromCents(9550));
    QCOMPARE(stored.auto_days[0], 15);
    QCOMPARE(page->shown_payee(), 2);
    QCOMPARE(page->list()->currentItem()->text(), QString("Bayside Power"));

    TypeOver(Find<QLineEdit>(window.get(), "payeeName"), "Bayside Electric");
    Find<QPushButton>(window.get(), "savePayee")->click();
    QCOMPARE(StoredPayees(world.data).payee(2).name.substr(0, 16), std::string("Bayside Electric"));
    QCOMPARE(page->list()->currentItem()->text(), QString("Bayside Electric"));

    const std::string before = world.data.ReadFile("KXACCT.VND");
    TypeOver(Find<QLineEdit>(window.get(), "payeeName"), "Harbor Lumber");
    Find<QPushButton>(window.get(), "savePayee")->click();
    QCOMPARE(world.ui.LastText(), std::string("Payee name already in use:\nHarbor Lumber"));
    page->StartNewPayee();
    Find<QPushButton>(window.get(), "savePayee")->click();
    QCOMPARE(world.ui.LastText(), std::string("Enter a Payee name"));
    TypeOver(Find<QLineEdit>(window.get(), "payeeName"), "Pier Fuel");
    TypeOver(Find<QLineEdit>(window.get(), "payeeDefaultAccount"), "200");
    Find<QPushButton>(window.get(), "savePayee")->click();
    QCOMPARE(world.ui.LastText(), std::string("200 is not a valid COA entry account."));
    QCOMPARE(world.data.ReadFile("KXACCT.VND"), before);

    auto* search = Find<QLineEdit>(window.get(), "payeeSearch");
    TypeOver(search, "555-0101");
    QCOMPARE(page->list()->count(), 1);
    QCOMPARE(page->list()->item(0)->text(), QString("Harbor Lumber"));
    TypeOver(search, "");
    QCOMPARE(page->list()->count(), 2);

    page->ShowPayee(2);
    world.ui.Answer(true);
    Find<QPushButton>(window.get(), "deletePayee")->click();
    QCOMPARE(StoredPayees(world.data).count(), 1);
    QCOMPARE(page->list()->count(), 1);
    QCOMPARE(page->shown_payee(), 1);
  }

  void F1OpensTheHelpOfEachPage() {
    World world;
    QVERIFY(world.Load());
    auto window = OpenMainWindow(world.program);
    QVERIFY(window->isActiveWindow());
    world.viewer.shown.clear();  // "Getting Started" of a company without entries
    ShowSetup(*window, 0);
    Find<QLineEdit>(window.get(), "federalId")->setFocus();
    QTest::keyClick(window.get(), Qt::Key_F1);
    Find<QPushButton>(window.get(), "setupHelp")->click();
    ShowSetup(*window, 1);
    static_cast<SetupPage*>(window->page("CFG"))->report_options()->boxes()[0]->setFocus();
    QTest::keyClick(window.get(), Qt::Key_F1);
    ShowSetup(*window, 2);
    Find<QComboBox>(window.get(), "titleType")->setFocus();
    QTest::keyClick(window.get(), Qt::Key_F1);
    QTest::keyClick(window.get(), Qt::Key_V, Qt::AltModifier);
    Find<QLineEdit>(window.get(), "autoAcct2")->setFocus();
    QTest::keyClick(window.get(), Qt::Key_F1);
    std::vector<std::string> files;
    for (const auto& shown : world.viewer.shown) files.push_back(shown.file);
    QCOMPARE(files, (std::vector<std::string>{"setup.html", "setup.html", "setup.html",
                                              "chart-of-accounts.html", "payees.html"}));
  }

  void ViewPrintProgramSettingsOpensThePdf() {
    World world;
    QVERIFY(world.Load());
    auto window = OpenMainWindow(world.program);
    ShowSetup(*window, 0);
    auto* menu = Find<QMenu>(window.get(), "printSettingsMenu");
    QCOMPARE(Find<QPushButton>(window.get(), "printSettings")->menu(), menu);
    QCOMPARE(menu->actions().size(), 2);
    QCOMPARE(menu->actions()[1]->text(), QString("Print"));
    menu->findChild<QAction*>("settingsPdf")->trigger();
    QCOMPARE(world.shell.opened_documents.size(), size_t{1});
    QCOMPARE(world.shell.opened_documents[0], world.data.File("KXACCT-Settings.pdf"));
    QCOMPARE(world.data.ReadFile("KXACCT-Settings.pdf").substr(0, 5), std::string("%PDF-"));
  }

  void AMissingCapitalAccountIsAskedForWhenTheWindowOpens() {
    World world("");
    QVERIFY(world.Load());
    QStringList offered;
    WhenModalShows<AccountListDialog>([&offered](AccountListDialog* dialog) {
      for (int i = 0; i < dialog->list()->count(); ++i) offered << dialog->list()->item(i)->text();
      dialog->list()->setCurrentRow(1);
      dialog->accept();
    });
    auto window = OpenMainWindow(world.program);
    QCOMPARE(offered, (QStringList{"210 Accounts Payable", "235 Deductions Payable",
                                   "465 Retained Earnings"}));
    QCOMPARE(StoredSettings(world.data).capital_account, std::string("235 "));
  }
};

}  // namespace zenkar

ZENKAR_OFFSCREEN_TEST_MAIN(zenkar::SetupPagesTest)
#include "setup_pages_test.moc"
