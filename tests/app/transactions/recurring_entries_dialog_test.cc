// The recurring-entries window (F6) and the posting of a month (F7) on Qt's
// offscreen platform: a template entered in the fields and saved, shown
// again when chosen in the list, and a month posted through the month and
// year prompt. The rules are tested in tests/app_rules/transactions.
#include "app/transactions/recurring_entries_dialog.h"

#include <QtTest>

#include "app/open_window.h"
#include "ledger/recurring_entries.h"
#include "platform/modal_helper.h"
#include "platform/offscreen_test_main.h"
#include "platform/text_conversion.h"

namespace zenkar {

using ::zenkar::testing::Day;
using ::zenkar::testing::WhenModalShows;

namespace {

using Desk = ::zenkar::testing::OpenWindow;

// Fills the fields with a rent check to Dock Rentals on the 31st.
void EnterRentCheck(RecurringEntriesDialog* dialog) {
  dialog->check_kind()->setChecked(true);
  dialog->payee()->setCurrentIndex(dialog->payee()->findText("Dock Rentals"));
  dialog->reference()->setText("AUTO");
  dialog->day()->setValue(31);
  dialog->account()->setCurrentIndex(dialog->account()->findData("650"));
  dialog->amount()->setText("1200");
}

// Closes a dialog when a check inside its handler fails and returns early.
struct CloseOnExit {
  QDialog* dialog;
  ~CloseOnExit() {
    if (dialog->isVisible()) dialog->reject();
  }
};

}  // namespace

class RecurringEntriesDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void F6OpensTheWindowWhereATemplateIsSavedAndShownAgain() {
    Desk desk;
    QVERIFY(desk.loaded);
    bool seen = false;
    WhenModalShows<RecurringEntriesDialog>([&](RecurringEntriesDialog* dialog) {
      const CloseOnExit close{dialog};
      seen = true;
      QCOMPARE(dialog->windowTitle(), QString("Add, Edit, and Review Recurring Transactions"));
      QVERIFY(!dialog->reversing_account()->isEnabled());
      EnterRentCheck(dialog);
      dialog->findChild<QPushButton*>("recurringSave")->click();
      QCOMPARE(dialog->list()->rowCount(), 1);
      QCOMPARE(dialog->list()->item(0, 1)->text(), QString("Dock Rentals"));
      QCOMPARE(dialog->list()->item(0, 6)->text(), QString("1200.00"));
      dialog->findChild<QPushButton*>("recurringAdd")->click();
      QCOMPARE(dialog->amount()->text(), QString());
      dialog->journal_kind()->setChecked(true);
      QVERIFY(dialog->reversing_account()->isEnabled());
      dialog->list()->setCurrentCell(0, 0);
      QCOMPARE(dialog->day()->value(), 31);
      QVERIFY(dialog->check_kind()->isChecked());
      QCOMPARE(dialog->payee()->currentText(), QString("Dock Rentals"));
      dialog->findChild<QPushButton*>("recurringClose")->click();
    });
    QTest::keyClick(desk.window.get(), Qt::Key_F6);
    QVERIFY(seen);
    const std::vector<RecurringEntryRecord> saved =
        DecodeRecurringEntries(desk.company.data.ReadFile("KXACCT.RJE"));
    QCOMPARE(saved.size(), size_t{1});
    QCOMPARE(saved[0].payee_number, 3);
  }

  void F7AsksForTheMonthPostsItAndShowsTheWindow() {
    Desk desk;
    {
      RecurringEntriesDialog dialog(desk.window.get(), desk.company.program);
      EnterRentCheck(&dialog);
      dialog.SaveTemplate();
    }
    bool asked = false, window = false;
    WhenModalShows<MonthYearDialog>([&](MonthYearDialog* dialog) {
      const CloseOnExit close{dialog};
      asked = true;
      QCOMPARE(dialog->windowTitle(), QString("Select Month and Year for Recurring Entries"));
      QCOMPARE(dialog->month()->currentText(), QString("March"));
      QCOMPARE(dialog->year()->value(), 2026);
      dialog->month()->setCurrentIndex(3);  // April
      WhenModalShows<RecurringEntriesDialog>([&](RecurringEntriesDialog* shown) {
        window = true;
        shown->accept();
      });
      dialog->accept();
    });
    QTest::keyClick(desk.window.get(), Qt::Key_F7);
    QVERIFY(asked);
    QVERIFY(window);
    QCOMPARE(desk.company.LinesOnDisk(), 1);
    QCOMPARE(desk.company.LineOnDisk(1).date, Day(2026, 4, 30));
    QCOMPARE(desk.company.ui.LastText(), std::string(kRecurringEntriesPosted));
  }
};

}  // namespace zenkar

ZENKAR_OFFSCREEN_TEST_MAIN(zenkar::RecurringEntriesDialogTest)
#include "recurring_entries_dialog_test.moc"
