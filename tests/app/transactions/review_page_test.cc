// The "Review and Edit All Transactions" page on Qt's offscreen platform:
// the list and its figures, the clicks and buttons wired to the page's
// rules (which tests/app_rules/transactions/review_list_test.cc tests).
#include "app/transactions/review_page.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QtTest>
#include <memory>

#include "app/page_test_support.h"
#include "app/transactions/edit_entry_dialog.h"
#include "app/transactions/insert_transaction_dialog.h"
#include "app/transactions/transactions_page.h"
#include "app/window/main_window.h"
#include "app_rules/transactions/entry_company.h"
#include "platform/modal_helper.h"
#include "platform/offscreen_test_main.h"
#include "platform/text_conversion.h"

namespace zenkar {

using ::zenkar::testing::Day;
using ::zenkar::testing::EntryCompany;
using ::zenkar::testing::OpenMainWindow;
using ::zenkar::testing::StoredLine;
using ::zenkar::testing::WhenModalShows;

namespace {

std::vector<TransactionRecord> Lines() {
  TransactionRecord invoice =
      StoredLine(kInvoice, "Bay Electric", "", Day(2026, 3, 1), "650", 7500);
  invoice.due_date = Day(2026, 4, 1);
  TransactionRecord journal =
      StoredLine(kJournalLine, "Accrual", "JE7", Day(2026, 3, 2), "720", -2500);
  journal.ytd = 1;
  return {invoice,
          StoredLine(kCheckOrDeposit, "Dock Rentals", "1001", Day(2026, 3, 2), "650", 120000),
          journal};
}

// The company in an open main window with the review page on show.
struct Desk {
  Desk() : company(Lines()) {
    loaded = company.Load();
    window = OpenMainWindow(company.program);
    transactions()->ShowSubPage(kReviewAllPage);
    company.ui.ClearMessages();
  }
  ~Desk() { company.program.AttachWindow(nullptr); }

  TransactionsPage* transactions() const {
    return static_cast<TransactionsPage*>(window->page("TRN"));
  }
  ReviewPage* page() const { return transactions()->review_page(); }
  QString Cell(int row, int column) const {
    return page()->model()->index(row, column).data().toString();
  }
  QPoint RowPoint(int row) const {
    return page()->view()->visualRect(page()->model()->index(row, 0)).center();
  }
  void LeftClick(int row) const {
    QTest::mouseClick(page()->view()->viewport(), Qt::LeftButton, {}, RowPoint(row));
  }
  void RightClick(int row) const {
    QWidget* viewport = page()->view()->viewport();
    QContextMenuEvent event(QContextMenuEvent::Mouse, RowPoint(row),
                            viewport->mapToGlobal(RowPoint(row)));
    QApplication::sendEvent(viewport, &event);
  }
  void Click(const char* button) const { testing::Find<QPushButton>(page(), button)->click(); }

  EntryCompany company;
  bool loaded = false;
  std::unique_ptr<MainWindow> window;
};

}  // namespace

class ReviewPageTest : public QObject {
  Q_OBJECT

 private slots:
  void TheListShowsEveryLineWithTheFiguresAndTheSelectedEntry() {
    Desk desk;
    QVERIFY(desk.loaded);
    QVERIFY(desk.transactions()->sub_tabs()->isTabEnabled(kReviewAllPage));
    QCOMPARE(desk.transactions()->sub_tabs()->currentWidget(), desk.page());
    QCOMPARE(desk.window->status_line()->text(), QString("Review and Edit All Transactions"));
    ReviewListModel* model = desk.page()->model();
    QCOMPARE(model->rowCount(), 3);
    const QStringList captions = {
        "Description / Payee", "Ref. /\nCk Num", "Date", "Acct", "Amount", "* YTD"};
    for (int column = 0; column < captions.size(); ++column) {
      QCOMPARE(model->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString(),
               captions[column]);
    }
    QCOMPARE(desk.Cell(0, ReviewListModel::kReference), QString("Due Date: 04/01/26"));
    QCOMPARE(desk.Cell(1, ReviewListModel::kPayee), QString("Dock Rentals"));
    QCOMPARE(desk.Cell(1, ReviewListModel::kAmount), QString("1200.00"));
    QCOMPARE(desk.Cell(2, ReviewListModel::kYtd), QString("*"));
    QCOMPARE(desk.page()->total_unpaid()->text(), QString("75.00"));
    QCOMPARE(desk.page()->bank_caption()->text(), QString("Bank Acct (110):"));
    QCOMPARE(desk.page()->bank_balance()->text(), QString("3800.00"));
    QVERIFY(desk.page()->by_date()->isChecked());
    // The last line is selected when the page first shows.
    QCOMPARE(desk.page()->selected_record(), 3);
    QCOMPARE(desk.page()->summary_caption()->text(), QString("JE JE7:"));
    desk.page()->SelectRecord(1);
    QCOMPARE(desk.page()->summary_caption()->text(), QString("Unpaid Invoice:"));
    QCOMPARE(desk.page()->summary_amount()->text(), QString("75.00"));
  }

  void ALeftClickEditsAndARightClickVoids() {
    Desk desk;
    bool opened = false;
    WhenModalShows<EditEntryDialog>([&opened](EditEntryDialog* dialog) {
      opened = true;
      QCOMPARE(dialog->windowTitle(), QString("Edit Existing Check/Deposit Entry"));
      QCOMPARE(dialog->form()->amount()->text(), QString("1200.00"));
      dialog->reject();
    });
    desk.LeftClick(1);
    QVERIFY(opened);
    QCOMPARE(desk.page()->selected_record(), 2);

    desk.RightClick(1);  // "Void check 1001?", Yes preselected
    QCOMPARE(desk.company.ui.messages().front().title, std::string("Check Entry: 1001"));
    QCOMPARE(desk.company.LineOnDisk(2).kind, kInvoice);
    QCOMPARE(desk.Cell(1, ReviewListModel::kReference), QString("Due Date: 03/02/26"));
    QCOMPARE(desk.page()->total_unpaid()->text(), QString("1275.00"));
    QCOMPARE(desk.page()->bank_balance()->text(), QString("5000.00"));
  }

  void DeleteAsksOnlyToDelete() {
    Desk desk;
    desk.page()->SelectRecord(2);
    desk.company.ui.Answer(true);
    desk.Click("deleteButton");
    QCOMPARE(desk.company.ui.messages().size(), size_t{1});
    QCOMPARE(desk.company.ui.messages().front().kind, MessageKind::kYesNoDefaultNo);
    QCOMPARE(desk.company.LinesOnDisk(), 2);
    QCOMPARE(desk.page()->model()->rowCount(), 2);
    QCOMPARE(desk.page()->selected_record(), 2);
  }

  void FindSelectsEachMatch() {
    Desk desk;
    desk.company.ui.AnswerInput("dock");
    desk.Click("findButton");
    QCOMPARE(desk.page()->selected_record(), 2);
    QCOMPARE(desk.company.ui.LastText(),
             std::string("Searching for: dock\n\nDescription/Payee: Dock Rentals\n\nContinue "
                         "searching?"));
    desk.company.ui.AnswerInput("720");
    desk.Click("balanceButton");
    QCOMPARE(desk.company.ui.LastText(),
             std::string("Balance for\n720 Salaries and Wages\n\n-25.00"));
  }

  void InsertingNeedsTheOrderEnteredThenInsertsAfterTheSelectedLine() {
    Desk desk;
    desk.Click("insertButton");
    QCOMPARE(desk.company.ui.LastText(), std::string(kInsertNeedsEntryOrder));
    desk.page()->order_entered()->click();
    QCOMPARE(desk.company.program.ledger().settings().date_order, 0);
    QVERIFY(desk.page()->order_entered()->isChecked());
    desk.page()->SelectRecord(1);
    WhenModalShows<InsertTransactionDialog>([](InsertTransactionDialog* dialog) {
      QCOMPARE(dialog->windowTitle(), QString("Insert New Transaction"));
      QVERIFY(dialog->after_line()->text().startsWith("Bay Electric"));
      EntryLineForm* form = dialog->form();
      form->payee()->setEditText("Year-end accrual");
      form->account()->setText("650");
      form->amount()->setText("12.00");
      dialog->save_journal()->click();
    });
    desk.Click("insertButton");
    QCOMPARE(desk.company.LinesOnDisk(), 4);
    QCOMPARE(desk.company.LineOnDisk(2).kind, kJournalLine);
    QCOMPARE(desk.Cell(1, ReviewListModel::kPayee), QString("Year-end accrual"));
    QCOMPARE(desk.page()->selected_record(), 2);
  }
};

}  // namespace zenkar

ZENKAR_OFFSCREEN_TEST_MAIN(zenkar::ReviewPageTest)
#include "review_page_test.moc"
