// The "Invoices" and "Pay Invoices" pages and the "Edit Existing Invoice"
// dialog on Qt's offscreen platform, typed into and clicked as a bookkeeper
// would; their rules are tested in tests/app_rules/transactions.
#include <QApplication>
#include <QHeaderView>
#include <QMessageBox>
#include <QtTest>
#include <memory>

#include "app/page_test_support.h"
#include "app/transactions/invoice_edit_dialog.h"
#include "app/transactions/invoices_page.h"
#include "app/transactions/pay_invoices_page.h"
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
using ::zenkar::testing::Press;
using ::zenkar::testing::Type;
using ::zenkar::testing::WhenModalShows;

namespace {

TransactionRecord Unpaid(int payee, std::string_view name, std::string_view number, int64_t cents) {
  TransactionRecord line = testing::StoredLine(kInvoice, name, "", kNoDate, "650", cents);
  line.payee_number = payee;
  line.invoice_number = std::string(number);
  line.due_date = Day(2026, 4, 1);
  return line;
}

struct Desk {
  explicit Desk(const std::vector<TransactionRecord>& lines = {}) : company(lines) {
    loaded = company.Load();
    window = OpenMainWindow(company.program);
    company.ui.ClearMessages();
  }
  ~Desk() { company.program.AttachWindow(nullptr); }

  TransactionsPage* transactions() const {
    return static_cast<TransactionsPage*>(window->page("TRN"));
  }
  QWidget* focus() const { return QApplication::focusWidget(); }

  EntryCompany company;
  bool loaded = false;
  std::unique_ptr<MainWindow> window;
};

}  // namespace

class PayablesPagesTest : public QObject {
  Q_OBJECT

 private slots:
  void AnInvoiceIsTypedFieldByFieldAndLandsInTheBox() {
    Desk desk;
    QVERIFY(desk.loaded);
    QTest::keyClick(desk.window.get(), Qt::Key_I, Qt::AltModifier);
    QCOMPARE(desk.transactions()->sub_tabs()->currentIndex(), int{kInvoicesPage});
    InvoicesPage* page = desk.transactions()->invoices_page();
    InvoiceLineForm* form = page->form();
    QCOMPARE(desk.focus(), form->payee());
    QVERIFY(page->prompt()->text().startsWith(" Select the Payee:"));
    Type("B");
    QCOMPARE(form->payee()->currentText(), QString("Bay Electric"));
    Press(Qt::Key_Return);
    QCOMPARE(desk.focus(), form->invoice_date());
    Press(Qt::Key_Return);
    QCOMPARE(desk.focus(), form->due_date());
    form->due_date()->SetDay(Day(2026, 4, 10));
    Press(Qt::Key_Return);
    QCOMPARE(desk.focus(), form->invoice_number());
    QVERIFY(page->prompt()->text().startsWith(" Enter the Invoice Number:"));
    Type("E-77");
    Press(Qt::Key_Tab);
    QVERIFY(page->account_list_shown());
    Type("650");
    Press(Qt::Key_Tab);
    Type("99.95");
    Press(Qt::Key_Tab);  // the save trigger

    QCOMPARE(desk.company.LinesOnDisk(), 1);
    const TransactionRecord stored = desk.company.LineOnDisk(1);
    QCOMPARE(stored.kind, kInvoice);
    QCOMPARE(stored.payee_number, 2);
    QCOMPARE(stored.due_date, Day(2026, 4, 10));
    QCOMPARE(stored.invoice_date_2, Day(2026, 3, 14));
    QCOMPARE(stored.amount, Money::FromCents(9995));
    QCOMPARE(page->box()->lines().back().reference, std::string("Due Date: 04/10/26"));
    QCOMPARE(page->unpaid()->text(), QString("99.95"));
    QCOMPARE(desk.focus(), form->payee());
    QVERIFY(desk.company.ui.messages().empty());
  }

  void ALeftClickEditsTheInvoiceAndARightClickOffersToDeleteIt() {
    Desk desk({Unpaid(1, "Harbor Supply", "A-1", 5000)});
    QTest::keyClick(desk.window.get(), Qt::Key_I, Qt::AltModifier);
    InvoicesPage* page = desk.transactions()->invoices_page();
    WhenModalShows<InvoiceEditDialog>([](InvoiceEditDialog* dialog) {
      QCOMPARE(dialog->windowTitle(), QString("Edit Existing Invoice"));
      QCOMPARE(dialog->form()->invoice_number()->text(), QString("A-1"));
      dialog->form()->amount()->setText("62.50");
      dialog->save_button()->click();
    });
    page->EditRow(0);
    QCOMPARE(desk.company.LineOnDisk(1).amount, Money::FromCents(6250));
    QCOMPARE(page->unpaid()->text(), QString("62.50"));
    desk.company.ui.Answer(true);
    page->DeleteRow(0);
    QCOMPARE(desk.company.LinesOnDisk(), 0);
    QCOMPARE(page->box()->lines().size(), size_t{0});
  }

  void PayInvoicesListsSortsSelectsAndPaysWithoutPrinting() {
    Desk desk({Unpaid(2, "Bay Electric", "B-2", 2000), Unpaid(1, "Harbor Supply", "A-1", 7000),
               Unpaid(2, "Bay Electric", "B-1", 500)});
    QTest::keyClick(desk.window.get(), Qt::Key_P, Qt::AltModifier);
    QCOMPARE(desk.transactions()->sub_tabs()->currentIndex(), int{kPayInvoicesPage});
    PayInvoicesPage* page = desk.transactions()->pay_invoices_page();
    QAbstractItemModel* model = page->view()->model();
    QCOMPARE(model->rowCount(), 3);
    QCOMPARE(model->headerData(1, Qt::Horizontal).toString(), QString("Invoice Number"));
    QCOMPARE(page->bank_balance()->text(), QString("5,000.00"));

    page->view()->horizontalHeader()->sectionClicked(1);  // sorted by invoice number
    QCOMPARE(model->index(0, 1).data().toString(), QString("A-1"));
    desk.company.ui.Answer(true);  // "Select all invoices for: Bay Electric"
    page->SelectAllLike(1, 0);
    QCOMPARE(page->SelectedRows(), (std::vector<int>{1, 2}));
    QCOMPARE(page->selected_total()->text(), QString("25.00"));
    QCOMPARE(page->new_balance()->text(), QString("4,975.00"));

    desk.company.ui.Answer(true);  // "Save the highlighted invoices as paid, ..."
    desk.company.ui.AnswerInput("1001");
    page->save_as_paid_button()->click();
    QCOMPARE(model->rowCount(), 1);
    QCOMPARE(page->bank_balance()->text(), QString("4,975.00"));
    QCOMPARE(desk.company.LineOnDisk(3).kind, kCheckOrDeposit);
    QCOMPARE(desk.company.LineOnDisk(3).reference, std::string("1001    "));

    // A selection made in the view moves the figures too.
    page->view()->selectRow(0);
    QCOMPARE(page->new_balance()->text(), QString("4,905.00"));
    QVERIFY(page->new_balance()->styleSheet().isEmpty());
  }
};

}  // namespace zenkar

ZENKAR_OFFSCREEN_TEST_MAIN(zenkar::PayablesPagesTest)
#include "payables_pages_test.moc"
