// The "Bank Reconciliation" tab on Qt's offscreen platform: Alt+B shows it
// with its lists filled, a click on a row marks it outstanding and saves,
// typed values move the figures, "Reset" asks, and "View / Print (PDF)"
// makes the "Bank-Rec" document. The rules behind it are tested in
// tests/app_rules/reconciliation.
#include "app/reconciliation/reconciliation_page.h"

#include <QtTest>

#include "app/open_window.h"
#include "platform/offscreen_test_main.h"
#include "platform/text_conversion.h"

namespace zenkar {

using ::zenkar::testing::Day;
using ::zenkar::testing::StoredLine;

namespace {

std::vector<TransactionRecord> March() {
  return {
      StoredLine(kCheckOrDeposit, "Dock Rentals", "1001", Day(2026, 3, 2), "650", 20000),
      StoredLine(kCheckOrDeposit, "Bay Electric", "1002", Day(2026, 3, 9), "655", 3000),
      StoredLine(kCheckOrDeposit, "Sales", "", Day(2026, 2, 27), "510", -10000),
  };
}

struct Desk : ::zenkar::testing::OpenWindow {
  Desk() : OpenWindow(March()) {}
  ReconciliationPage* page() const { return static_cast<ReconciliationPage*>(window->page("REC")); }
};

QString Cell(QTableView* list, int row, int column) {
  return list->model()->index(row, column).data().toString();
}

}  // namespace

class ReconciliationPageTest : public QObject {
  Q_OBJECT

 private slots:
  void AltBShowsTheStatementPeriodAndItsEntries() {
    Desk desk;
    QVERIFY(desk.loaded);
    QTest::keyClick(desk.window.get(), Qt::Key_B, Qt::AltModifier);
    QCOMPARE(desk.window->tabs()->currentIndex(), 4);
    ReconciliationPage* page = desk.page();
    // Today is 14 March 2026: the statement is taken to start on 1 February.
    QCOMPARE(FromQDate(page->ending_date()->date()), Day(2026, 3, 14));
    QCOMPARE(FromQDate(page->starting_date()->date()), Day(2026, 2, 1));
    QCOMPARE(page->period_list()->model()->rowCount(), 3);
    QCOMPARE(page->period_list()->model()->headerData(1, Qt::Horizontal).toString(),
             QString("Payee/Desc"));
    QCOMPARE(Cell(page->period_list(), 0, 2), QString("1001"));
    QCOMPARE(Cell(page->period_list(), 0, 3), QString("03/02/26"));
    QCOMPARE(Cell(page->period_list(), 0, 4), QString("200.00"));
    QCOMPARE(page->book_balance_caption()->text(), QString("Bank Balance Through 03/14/26"));
    QCOMPARE(page->book_balance()->text(), QString("4,870.00"));
    page->ending_date()->setDate(ToQDate(Day(2026, 3, 20)));
    QCOMPARE(FromQDate(page->starting_date()->date()), Day(2026, 3, 1));
    QCOMPARE(page->period_list()->model()->rowCount(), 2);
  }

  void ClicksMarkEntriesOutstandingAndTheFiguresFollow() {
    Desk desk;
    desk.window->ShowPage("REC");
    ReconciliationPage* page = desk.page();
    page->ending_balance()->clear();
    QTest::keyClicks(page->ending_balance(), "5070");
    QTest::keyClicks(page->adjustment_amount(0), "-5");
    QCOMPARE(page->per_reconciliation()->text(), QString("5,065.00"));
    // A click on the first row, away from its check box.
    QTableView* list = page->period_list();
    const QRect cell = list->visualRect(list->model()->index(0, 1));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(page->outstanding_list()->model()->rowCount(), 1);
    QCOMPARE(page->outstanding_figure()->text(), QString("200.00"));
    QCOMPARE(page->per_reconciliation()->text(), QString("4,865.00"));
    QCOMPARE(page->result()->text(), QString("Out of Balance by"));
    QCOMPARE(desk.company.data.ReadFile("KXACCT.REC").size(), size_t{152});
    // Unticked again in "Outstanding Entries".
    QTableView* outstanding = page->outstanding_list();
    QTest::mouseClick(outstanding->viewport(), Qt::LeftButton, {},
                      outstanding->visualRect(outstanding->model()->index(0, 1)).center());
    QCOMPARE(outstanding->model()->rowCount(), 0);
    QCOMPARE(desk.company.data.ReadFile("KXACCT.REC"), std::string());
  }

  void ResetAsksAndTheReportIsADocument() {
    Desk desk;
    desk.window->ShowPage("REC");
    ReconciliationPage* page = desk.page();
    page->Toggle(static_cast<ReconciliationListModel*>(page->period_list()->model()), 1);
    QCOMPARE(page->outstanding_list()->model()->rowCount(), 1);
    desk.company.ui.ClearMessages();
    page->findChild<QPushButton*>("control532")->click();
    QCOMPARE(desk.company.ui.LastText(), std::string(kClearAllOutstanding));
    QCOMPARE(page->outstanding_list()->model()->rowCount(), 1);
    desk.company.ui.Answer(true);
    page->findChild<QPushButton*>("control532")->click();
    QCOMPARE(page->outstanding_list()->model()->rowCount(), 0);
    page->findChild<QPushButton*>("control531")->click();
    QCOMPARE(desk.company.shell.opened_documents.size(), size_t{1});
    QVERIFY(desk.company.shell.opened_documents[0].ends_with("Bank-Rec.pdf"));
    QVERIFY(desk.company.data.Exists("Bank-Rec.pdf"));
  }
};

}  // namespace zenkar

ZENKAR_OFFSCREEN_TEST_MAIN(zenkar::ReconciliationPageTest)
#include "reconciliation_page_test.moc"
