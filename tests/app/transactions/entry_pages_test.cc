// The "Checks and Deposits" and "Journal Entries" pages on Qt's offscreen
// platform, typed into as a bookkeeper would: every key goes to the control
// that has the focus at that moment, and the tests read what the page shows
// and what reached KXACCT.TRN.
#include <QApplication>
#include <QClipboard>
#include <QtTest>
#include <memory>

#include "app/page_test_support.h"
#include "app/transactions/edit_entry_dialog.h"
#include "app/transactions/transactions_page.h"
#include "app/window/check_date_dialog.h"
#include "app/window/main_window.h"
#include "app_rules/transactions/entry_company.h"
#include "platform/modal_helper.h"
#include "platform/offscreen_test_main.h"
#include "platform/text_conversion.h"

namespace zenkar {

using ::zenkar::testing::Day;
using ::zenkar::testing::EntryCompany;
using ::zenkar::testing::OpenMainWindow;
using ::zenkar::testing::Press;
using ::zenkar::testing::StoredLine;
using ::zenkar::testing::Type;
using ::zenkar::testing::WhenModalShows;

namespace {

// A company loaded into an open main window on the "Transactions" tab.
struct Desk {
  explicit Desk(const std::vector<TransactionRecord>& lines = {}) : company(lines) {
    loaded = company.Load();
    window = OpenMainWindow(company.program);
    company.ui.ClearMessages();
    company.viewer.shown.clear();
  }
  ~Desk() { company.program.AttachWindow(nullptr); }

  TransactionsPage* transactions() const {
    return static_cast<TransactionsPage*>(window->page("TRN"));
  }
  EntryPage* checks() const { return transactions()->checks_page(); }
  EntryPage* journal() const { return transactions()->journal_page(); }
  QWidget* focus() const { return QApplication::focusWidget(); }

  EntryCompany company;
  bool loaded = false;
  std::unique_ptr<MainWindow> window;
};

}  // namespace

class EntryPagesTest : public QObject {
  Q_OBJECT

 private slots:
  void AltKeysReachTheSubPagesInTheirOrder() {
    Desk desk;
    QVERIFY(desk.loaded);
    QTest::keyClick(desk.window.get(), Qt::Key_J, Qt::AltModifier);
    QCOMPARE(desk.window->tabs()->currentIndex(), 2);
    QTabWidget* sub_tabs = desk.transactions()->sub_tabs();
    QCOMPARE(sub_tabs->currentIndex(), 1);
    QCOMPARE(desk.focus(), desk.journal()->form()->payee());
    QTest::keyClick(desk.window.get(), Qt::Key_C, Qt::AltModifier);
    QCOMPARE(sub_tabs->currentIndex(), 0);
    QCOMPARE(desk.focus(), desk.checks()->form()->payee());
    const QStringList captions = {"Checks and Deposits", "Journal Entries",
                                  "Review and Edit All Transactions", "Invoices", "Pay Invoices"};
    for (int i = 0; i < captions.size(); ++i) {
      QCOMPARE(sub_tabs->tabText(i), captions[i]);
      QVERIFY(sub_tabs->isTabEnabled(i));
    }
    QCOMPARE(desk.window->status_line()->text(), QString("Checks and Deposits"));
    // Alt+T brings the tab back with the sub-page last shown.
    QTest::keyClick(desk.window.get(), Qt::Key_H, Qt::AltModifier);
    QTest::keyClick(desk.window.get(), Qt::Key_T, Qt::AltModifier);
    QCOMPARE(desk.window->tabs()->currentIndex(), 2);
    QCOMPARE(desk.focus(), desk.checks()->form()->payee());
  }

  void ACheckIsTypedWithTabAndTheNextWithEnter() {
    Desk desk;
    QTest::keyClick(desk.window.get(), Qt::Key_C, Qt::AltModifier);
    EntryLineForm* form = desk.checks()->form();
    QCOMPARE(desk.checks()->prompt()->text(),
             QString(" Enter or select a Payee from the list: Press <Tab> or <Enter> to "
                     "continue\n Edit a recent entry by clicking the desired item in the 'Latest "
                     "Entries' box (Right click to delete/void entry)"));
    Type("Bay Electric");
    Press(Qt::Key_Tab);
    QCOMPARE(desk.focus(), form->reference());
    QCOMPARE(form->reference()->text(), QString("1001"));
    Press(Qt::Key_Tab);
    QCOMPARE(desk.focus(), form->date());
    QCOMPARE(form->date()->day(), Day(2026, 3, 14));
    Press(Qt::Key_Tab);
    QVERIFY(desk.checks()->account_list_shown());
    QCOMPARE(desk.checks()->prompt()->text(),
             QString(" Select the Account: Press <Tab> or <Enter> to continue"));
    Type("650");
    Press(Qt::Key_Tab);
    QVERIFY(!desk.checks()->account_list_shown());
    Type("120.5");
    const EntryLine shown = form->Line();
    Press(Qt::Key_Tab);  // reaches the save trigger

    QCOMPARE(desk.company.LinesOnDisk(), 1);
    TransactionRecord expected =
        BuildEntryRecord(kCheckOrDeposit, shown, desk.company.program.ledger().payees(), false);
    expected.record_number = 1;
    expected.entry_sequence = 1;
    QCOMPARE(desk.company.RecordOnDisk(1), expected.Encode());
    QCOMPARE(desk.company.LineOnDisk(1).payee_number, 2);
    QCOMPARE(desk.company.LineOnDisk(1).account, std::string("650 "));

    // A new line: empty fields, the next check number, the focus on Payee.
    QCOMPARE(desk.focus(), form->payee());
    QCOMPARE(form->payee()->currentText(), QString());
    QCOMPARE(form->reference()->text(), QString("1002"));
    QCOMPARE(form->amount()->text(), QString());
    QCOMPARE(desk.checks()->box()->lines().size(), size_t{1});
    QCOMPARE(desk.checks()->figure()->text(), QString("4879.50"));

    Type("Dock Rentals");
    Press(Qt::Key_Return);
    QCOMPARE(desk.focus(), form->reference());
    Press(Qt::Key_Return);
    Press(Qt::Key_Return);
    QCOMPARE(desk.focus(), form->account());
    Type("72");
    Press(Qt::Key_Enter);
    Type("1500");
    Press(Qt::Key_Return);
    QCOMPARE(desk.company.LinesOnDisk(), 2);
    const TransactionRecord second = desk.company.LineOnDisk(2);
    QCOMPARE(second.reference, std::string("1002    "));
    QCOMPARE(second.account, std::string("720 "));
    QCOMPARE(second.amount, Money::FromCents(150000));
    QCOMPARE(desk.checks()->box()->lines().back().payee, std::string("Dock Rentals"));
    QVERIFY(desk.company.ui.messages().empty());
  }

  void ChoosingAPayeeOffersItsDefaultAccount() {
    Desk desk;
    Ledger& ledger = desk.company.program.ledger();
    PayeeRecord bay = ledger.payees().payee(2);
    bay.default_account = "655";
    QVERIFY(ledger.UpdatePayee(2, bay));
    QTest::keyClick(desk.window.get(), Qt::Key_C, Qt::AltModifier);
    EntryLineForm* form = desk.checks()->form();
    Type("Bay Electric");
    Press(Qt::Key_Tab);
    QCOMPARE(form->account()->text(), QString("655"));
    Press(Qt::Key_Tab);
    Press(Qt::Key_Tab);
    QCOMPARE(desk.focus(), form->account());
    QCOMPARE(form->account_list()->currentItem()->text(), QString("655  Repairs"));
    Press(Qt::Key_Tab);
    Type("80");
    Press(Qt::Key_Tab);
    QCOMPARE(desk.company.LineOnDisk(1).account, std::string("655 "));
    // A payee without a default account offers none, and takes back the
    // one offered for the payee typed before it.
    Type("Bay Electric");
    Press(Qt::Key_Tab);
    form->payee()->setFocus();
    form->payee()->setEditText("Harbor Supply");
    Press(Qt::Key_Tab);
    QCOMPARE(form->account()->text(), QString());
    // An account the user chose stays.
    form->account()->setFocus();
    Type("720");
    form->payee()->setFocus();
    form->payee()->setEditText("Bay Electric");
    Press(Qt::Key_Tab);
    QCOMPARE(form->account()->text(), QString("720"));
  }

  void EscGoesBackAndShiftTabFromPayeeSavesNothing() {
    Desk desk;
    QTest::keyClick(desk.window.get(), Qt::Key_C, Qt::AltModifier);
    EntryLineForm* form = desk.checks()->form();
    Type("Harbor");
    Press(Qt::Key_Tab);
    Press(Qt::Key_Tab);
    Press(Qt::Key_Tab);
    Press(Qt::Key_Tab);
    QCOMPARE(desk.focus(), form->amount());
    Press(Qt::Key_Escape);
    QCOMPARE(desk.focus(), form->account());
    form->reference()->setFocus();
    Press(Qt::Key_Escape);
    QCOMPARE(desk.focus(), form->payee());
    Press(Qt::Key_Escape);  // Payee has nothing before it
    QCOMPARE(desk.focus(), form->payee());
    // Shift+Tab all the way round the window passes the save trigger
    // backwards, which must not store the half-typed line.
    bool passed_amount = false;
    for (int n = 0; n < 40; ++n) {
      Press(Qt::Key_Backtab, Qt::ShiftModifier);
      passed_amount = passed_amount || desk.focus() == form->amount();
    }
    QVERIFY(passed_amount);
    QCOMPARE(desk.company.LinesOnDisk(), 0);
  }

  void PlusInTheReferenceAddsOneOncePerLine() {
    Desk desk;
    QTest::keyClick(desk.window.get(), Qt::Key_C, Qt::AltModifier);
    EntryLineForm* form = desk.checks()->form();
    Press(Qt::Key_Tab);
    Type("+");
    QCOMPARE(form->reference()->text(), QString("1002"));
    QCOMPARE(desk.focus(), form->date());
    Press(Qt::Key_Escape);
    QCOMPARE(desk.focus(), form->reference());
    Type("+");
    QCOMPARE(form->reference()->text(), QString("1002"));
    QCOMPARE(desk.focus(), form->date());
  }

  void PlusAndMinusInTheAmountSaveTheLine() {
    Desk desk;
    QTest::keyClick(desk.window.get(), Qt::Key_C, Qt::AltModifier);
    EntryLineForm* form = desk.checks()->form();
    form->amount()->setFocus();
    Type("-");  // an ordinary minus sign in an empty field
    QCOMPARE(form->amount()->text(), QString("-"));
    form->amount()->clear();
    Type("25.5+");
    QCOMPARE(desk.company.LinesOnDisk(), 1);
    QCOMPARE(desk.company.LineOnDisk(1).amount, Money::FromCents(2550));
    form->amount()->setFocus();
    Type("40-");
    QCOMPARE(desk.company.LinesOnDisk(), 2);
    QCOMPARE(desk.company.LineOnDisk(2).amount, Money::FromCents(-4000));
    QCOMPARE(desk.focus(), form->payee());
    QCOMPARE(desk.checks()->figure()->text(), QString("5014.50"));
  }

  void TheAmountRefusesOneHundredMillionAndPastesOnlyAmounts() {
    Desk desk;
    QTest::keyClick(desk.window.get(), Qt::Key_C, Qt::AltModifier);
    AmountField* amount = desk.checks()->form()->amount();
    amount->setFocus();
    Type("100000000");
    QCOMPARE(amount->text(), QString("10000000"));
    Type(".999");
    QCOMPARE(amount->text(), QString("10000000.99"));
    amount->clear();
    Type("12a,3");
    QCOMPARE(amount->text(), QString("123"));
    QApplication::clipboard()->setText("1,234.00");
    Press(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(amount->text(), QString("123"));
    QApplication::clipboard()->setText(" 12.5 ");
    Press(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(amount->text(), QString("12.50"));
  }

  void WithFixedDecimalPositionTwelveThreeFourFiveIsStoredAs123Point45() {
    Desk desk;
    desk.company.program.ledger().settings().fixed_decimal = 1;
    QTest::keyClick(desk.window.get(), Qt::Key_C, Qt::AltModifier);
    EntryLineForm* form = desk.checks()->form();
    Type("Bay Electric");
    Press(Qt::Key_Tab);
    Press(Qt::Key_Tab);
    Press(Qt::Key_Tab);
    Type("650");
    Press(Qt::Key_Tab);
    Type("12345");
    Press(Qt::Key_Tab);
    QCOMPARE(desk.company.LinesOnDisk(), 1);
    QCOMPARE(desk.company.LineOnDisk(1).amount, Money::FromCents(12345));
    QCOMPARE(desk.checks()->box()->lines().back().amount, std::string("123.45"));
    // Ten digits of cents stay below the limit; pasted digits are cents too.
    form->amount()->setFocus();
    Type("99999999999");
    QCOMPARE(form->amount()->text(), QString("9999999999"));
    QApplication::clipboard()->setText("500");
    Press(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(form->amount()->text(), QString("5.00"));
  }

  void NineInAccountBeepsAndChangesNothing() {
    Desk desk;
    QTest::keyClick(desk.window.get(), Qt::Key_C, Qt::AltModifier);
    EntryPage* page = desk.checks();
    AccountField* account = page->form()->account();
    account->setFocus();
    QVERIFY(page->account_list_shown());
    Type("9");
    QCOMPARE(desk.company.ui.beeps(), 1);
    QCOMPARE(account->text(), QString());
    QCOMPARE(page->form()->account_list()->currentRow(), -1);
    Type("655");
    QCOMPARE(desk.company.ui.beeps(), 1);
    QCOMPARE(page->form()->account_list()->currentItem()->text(), QString("655  Repairs"));
    Press(Qt::Key_Up);
    Press(Qt::Key_Plus);  // "+" moves on as Tab
    QCOMPARE(account->text(), QString("650"));
    QCOMPARE(desk.focus(), page->form()->amount());
    QVERIFY(!page->account_list_shown());
    // By description, ignoring case; a letter that continues nothing beeps.
    account->setFocus();
    Type("saq");
    QCOMPARE(desk.company.ui.beeps(), 2);
    QCOMPARE(account->text(), QString("sa"));
    Press(Qt::Key_Tab);
    QCOMPARE(account->text(), QString("510"));
  }

  void TheBankBalanceTurnsRedBelowZeroAndIgnoresTheBankAccount() {
    Desk desk;
    QTest::keyClick(desk.window.get(), Qt::Key_C, Qt::AltModifier);
    EntryPage* page = desk.checks();
    QCOMPARE(page->figure_caption()->text(), QString("Bank Acct (110):"));
    QCOMPARE(page->figure()->text(), QString("5000.00"));
    page->form()->account()->setFocus();
    Type("110");
    Press(Qt::Key_Tab);
    Type("300");
    Press(Qt::Key_Tab);
    QCOMPARE(page->figure()->text(), QString("5000.00"));
    page->form()->account()->setFocus();
    Type("720");
    Press(Qt::Key_Tab);
    Type("6000");
    Press(Qt::Key_Tab);
    QCOMPARE(page->figure()->text(), QString("-1000.00"));
    QVERIFY(page->figure()->styleSheet().contains("red"));
  }

  void PostingTotalMovesByMinusEachJournalLine() {
    Desk desk;
    QTest::keyClick(desk.window.get(), Qt::Key_J, Qt::AltModifier);
    EntryPage* page = desk.journal();
    QCOMPARE(page->figure_caption()->text(), QString("Posting Total:"));
    QCOMPARE(page->figure()->text(), QString("0.00"));
    QCOMPARE(page->form()->reference()->text(), QString());
    Type("Move to savings");
    Press(Qt::Key_Tab);
    Type("J1");
    Press(Qt::Key_Tab);
    Press(Qt::Key_Tab);
    Type("130");
    Press(Qt::Key_Tab);
    Type("100.00");
    page->form()->ytd()->setChecked(true);
    Press(Qt::Key_Tab);
    QCOMPARE(page->figure()->text(), QString("-100.00"));
    QCOMPARE(desk.company.LineOnDisk(1).kind, kJournalLine);
    QCOMPARE(desk.company.LineOnDisk(1).ytd, 1);
    QCOMPARE(page->box()->lines().back().ytd, std::string("*"));
    QCOMPARE(page->form()->reference()->text(), QString());
    Type("Move to savings");
    Press(Qt::Key_Tab);
    Type("J1");
    Press(Qt::Key_Tab);
    Press(Qt::Key_Tab);
    Type("510");
    Press(Qt::Key_Tab);
    Type("-100.00");
    Press(Qt::Key_Tab);
    QCOMPARE(page->figure()->text(), QString("0.00"));
    QCOMPARE(desk.company.LinesOnDisk(), 2);
  }

  void TheBoxShowsTheTwelveNewestChecks() {
    std::vector<TransactionRecord> lines;
    for (int n = 1; n <= 13; ++n) {
      lines.push_back(StoredLine(kCheckOrDeposit, "Check " + std::to_string(n),
                                 std::to_string(1000 + n), Day(2026, 3, n), "650", 100 * n));
    }
    lines.push_back(StoredLine(kJournalLine, "Accrual", "J1", Day(2026, 3, 14), "130", 700));
    lines.push_back(StoredLine(kJournalLine, "Accrual", "J1", Day(2026, 3, 14), "510", -700));
    Desk desk(lines);
    QTest::keyClick(desk.window.get(), Qt::Key_C, Qt::AltModifier);
    const std::vector<LatestEntryText>& box = desk.checks()->box()->lines();
    QCOMPARE(box.size(), size_t{12});
    QCOMPARE(box.front().payee, std::string("Check 2"));
    QCOMPARE(box.back().payee, std::string("Check 13"));
    QTest::keyClick(desk.window.get(), Qt::Key_J, Qt::AltModifier);
    QCOMPARE(desk.journal()->box()->lines().size(), size_t{2});
  }

  void RightClickVoidsACheckThenDeletesOne() {
    Desk desk({StoredLine(kCheckOrDeposit, "Dock Rentals", "1001", Day(2026, 3, 1), "650", 120000),
               StoredLine(kCheckOrDeposit, "Bay Electric", "1002", Day(2026, 3, 2), "655", 8000)});
    QTest::keyClick(desk.window.get(), Qt::Key_C, Qt::AltModifier);
    EntryPage* page = desk.checks();
    LatestEntriesBox* box = page->box();
    const int line_height = box->fontMetrics().height();
    QCOMPARE(page->figure()->text(), QString("3720.00"));
    desk.company.ui.Answer(true);  // Void check 1001?
    QTest::mouseClick(box, Qt::RightButton, {}, QPoint(20, 4 + line_height / 2));
    QCOMPARE(desk.company.ui.messages().at(0).title, std::string("Check Entry: 1001"));
    QCOMPARE(desk.company.LineOnDisk(1).kind, kInvoice);
    QCOMPARE(box->lines().size(), size_t{1});
    QCOMPARE(page->figure()->text(), QString("4920.00"));

    desk.company.ui.Answer(false);  // not void
    desk.company.ui.Answer(true);   // Delete this transaction?
    QTest::mouseClick(box, Qt::RightButton, {}, QPoint(20, 4 + line_height / 2));
    QCOMPARE(desk.company.ui.messages().at(2).text.substr(0, 24),
             std::string("Delete this transaction?"));
    QCOMPARE(desk.company.LinesOnDisk(), 1);
    QVERIFY(box->lines().empty());
    QCOMPARE(page->figure()->text(), QString("5000.00"));
  }

  void ACheckedOutEntryCannotBeEditedVoidedOrDeleted() {
    TransactionRecord marked =
        StoredLine(kCheckOrDeposit, "Dock Rentals", "1001", Day(2026, 3, 1), "650", 120000);
    marked.exchange_mark = 1;
    Desk desk({marked});
    QTest::keyClick(desk.window.get(), Qt::Key_C, Qt::AltModifier);
    const std::string before = desk.company.data.ReadFile("KXACCT.TRN");
    LatestEntriesBox* box = desk.checks()->box();
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(20, 8));
    QTest::mouseClick(box, Qt::RightButton, {}, QPoint(20, 8));
    const std::string refusal =
        "Cannot perform this function.\n\nThis entry is marked as being 'checked out' to your "
        "accountant";
    QCOMPARE(desk.company.ui.Texts(), (std::vector<std::string>{refusal, refusal}));
    QCOMPARE(desk.company.data.ReadFile("KXACCT.TRN"), before);
  }

  void TheEditDialogWritesOnlyAChange() {
    Desk desk(
        {StoredLine(kCheckOrDeposit, "Dock Rentals", "1001", Day(2026, 3, 1), "650", 120000)});
    QTest::keyClick(desk.window.get(), Qt::Key_C, Qt::AltModifier);
    LatestEntriesBox* box = desk.checks()->box();
    const int writes = desk.company.fs.writes();
    WhenModalShows<EditEntryDialog>([](EditEntryDialog* dialog) {
      QCOMPARE(dialog->windowTitle(), QString("Edit Existing Check/Deposit Entry"));
      QCOMPARE(dialog->form()->reference()->text(), QString("1001"));
      QCOMPARE(dialog->form()->amount()->text(), QString("1200.00"));
      dialog->save_button()->click();
      QCOMPARE(dialog->result_of_save(), std::optional<EditResult>(EditResult::kUnchanged));
    });
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(20, 8));
    QCOMPARE(desk.company.fs.writes(), writes);

    WhenModalShows<EditEntryDialog>([](EditEntryDialog* dialog) {
      // Keys go to the focused control, which the dialog has once it is active.
      dialog->activateWindow();
      if (!QTest::qWaitForWindowActive(dialog)) qWarning("the dialog is not active");
      dialog->form()->amount()->setFocus();
      dialog->form()->amount()->selectAll();
      Type("1000");
      Press(Qt::Key_Return);  // on to "Save Changes"
      QCOMPARE(QApplication::focusWidget(), dialog->save_button());
      Press(Qt::Key_Return);
    });
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(20, 8));
    QCOMPARE(desk.company.LineOnDisk(1).amount, Money::FromCents(100000));
    QCOMPARE(desk.checks()->figure()->text(), QString("4000.00"));
    QCOMPARE(box->lines().back().amount, std::string("1000.00"));
  }

  void SelectCheckDateDatesTheOpenLineAtOnceUnlessTheUserChangedIt() {
    Desk desk;
    QTest::keyClick(desk.window.get(), Qt::Key_C, Qt::AltModifier);
    EntryLineForm* form = desk.checks()->form();
    QCOMPARE(form->date()->day(), Day(2026, 3, 14));
    const auto choose = [&desk](DayNumber day) {
      WhenModalShows<CheckDateDialog>([day](CheckDateDialog* dialog) {
        dialog->date_edit()->setDate(ToQDate(day));
        dialog->accept();
      });
      QTest::keyClick(desk.window.get(), Qt::Key_D, Qt::AltModifier);
      desk.window->activateWindow();
      QVERIFY(QTest::qWaitForWindowActive(desk.window.get()));
    };
    choose(Day(2026, 3, 20));
    QCOMPARE(form->date()->day(), Day(2026, 3, 20));
    QCOMPARE(desk.company.ui.LastText(), std::string("The default check date is now 03/20/2026."));
    // A date typed on the open line stays; the lines after it take the default.
    form->date()->SetDay(Day(2026, 3, 10));
    choose(Day(2026, 3, 25));
    QCOMPARE(form->date()->day(), Day(2026, 3, 10));
    form->amount()->setFocus();
    Type("5+");
    QCOMPARE(desk.company.LineOnDisk(1).date, Day(2026, 3, 10));
    QCOMPARE(form->date()->day(), Day(2026, 3, 25));
  }

  void ADateBeforeTheLastCheckMonthWarns() {
    Desk desk({StoredLine(kCheckOrDeposit, "Dock Rentals", "1001", Day(2026, 3, 1), "650", 100)});
    QTest::keyClick(desk.window.get(), Qt::Key_C, Qt::AltModifier);
    EntryLineForm* form = desk.checks()->form();
    form->date()->setFocus();
    form->date()->SetDay(Day(2026, 2, 27));
    Press(Qt::Key_Tab);
    QTRY_COMPARE(desk.company.ui.messages().size(), size_t{1});
    QVERIFY(desk.company.ui.LastText().starts_with(
        "The selected date:\n02/27/26\n\nhas an older month than the last check entry:\n"
        "03/01/26"));
    QCOMPARE(desk.focus(), form->account());
  }

  void F1AndHelpOpenTheTopicOfThePage() {
    Desk desk;
    QTest::keyClick(desk.window.get(), Qt::Key_C, Qt::AltModifier);
    QTest::keyClick(desk.window.get(), Qt::Key_F1);
    QTest::keyClick(desk.window.get(), Qt::Key_J, Qt::AltModifier);
    desk.journal()->findChild<QPushButton*>("help")->click();
    QCOMPARE(desk.company.viewer.shown.size(), size_t{2});
    QCOMPARE(desk.company.viewer.shown[0].file, std::string("checks-and-deposits.html"));
    QCOMPARE(desk.company.viewer.shown[1].file, std::string("journal-entries.html"));
  }
};

}  // namespace zenkar

ZENKAR_OFFSCREEN_TEST_MAIN(zenkar::EntryPagesTest)
#include "entry_pages_test.moc"
