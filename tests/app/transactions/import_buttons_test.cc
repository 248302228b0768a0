// The import buttons of the entry pages and the start-up import in the
// window, on Qt's offscreen platform: wiring only (the imports are tested in
// tests/services/imports and tests/app_rules).
#include <QtTest>
#include <memory>

#include "app/transactions/paycheck_selection_dialog.h"
#include "app/transactions/transactions_page.h"
#include "app/window/main_window.h"
#include "app_rules/transactions/entry_company.h"
#include "platform/modal_helper.h"
#include "platform/offscreen_test_main.h"
#include "services/imports/companion_files.h"

namespace zenkar {

using ::zenkar::testing::Day;
using ::zenkar::testing::EntryCompany;
using ::zenkar::testing::WhenModalShows;

class ImportButtonsTest : public QObject {
  Q_OBJECT

 private slots:
  void TheButtonsStandBesideHelpAndRunTheirImports() {
    EntryCompany company;
    QVERIFY(company.Load());
    MainWindow window(company.program);
    company.program.AttachWindow(&window);
    window.Open();
    auto* transactions = static_cast<TransactionsPage*>(window.page("TRN"));
    auto* payroll = transactions->checks_page()->findChild<QPushButton*>("importPayroll");
    auto* receivables = transactions->journal_page()->findChild<QPushButton*>("importReceivables");
    QVERIFY(payroll != nullptr && receivables != nullptr);
    QCOMPARE(payroll->text(), QString("Import Payroll"));
    QCOMPARE(receivables->text(), QString("Import Receivables"));
    company.ui.ClearMessages();
    payroll->click();
    QCOMPARE(QString::fromStdString(company.ui.LastText()),
             QString::fromStdString("Zenkar Payroll data (setup) not found in:\n" +
                                    company.data.path()));
    receivables->click();
    QCOMPARE(QString::fromStdString(company.ui.LastText()),
             QString::fromStdString("Zenkar Accounts Receivable data not found in:\n" +
                                    company.data.path()));
    company.program.AttachWindow(nullptr);
  }

  void NewPaychecksShowTheSelectionWindowAsTheWindowOpens() {
    EntryCompany company;
    testing::WritePayrollFiles(company.data, {testing::Employee(1, "Ann", "Lee")},
                               {testing::Paycheck(1, "5003", Day(2026, 3, 1), 120000, {9180}),
                                testing::Paycheck(9, "5004", Day(2026, 3, 1), 80000, {})});
    QVERIFY(company.Load());
    MainWindow window(company.program);
    company.program.AttachWindow(&window);
    QString caption;
    int rows = 0;
    WhenModalShows<PaycheckSelectionDialog>([&](PaycheckSelectionDialog* dialog) {
      caption = dialog->windowTitle();
      rows = dialog->table()->rowCount();
      QCOMPARE(dialog->table()->columnCount(), 4);  // "Net Pay" only: no deductions posted
      dialog->cancel_button()->click();
    });
    window.Open();
    QCOMPARE(caption, QString("Import Employee Payroll:2 Checks"));
    QCOMPARE(rows, 2);
    QCOMPARE(company.LinesOnDisk(), 0);
    QCOMPARE(window.tabs()->currentIndex(), 2);  // the Transactions tab
    company.program.AttachWindow(nullptr);
  }
};

}  // namespace zenkar

ZENKAR_OFFSCREEN_TEST_MAIN(zenkar::ImportButtonsTest)
#include "import_buttons_test.moc"
