// The "Data Transfer" window on Qt's offscreen platform: its button on the
// File (Utilities) page, what it shows for the client, and that its actions
// reach the exchange (tested itself in tests/services/exchange).
#include "app/utilities/data_transfer_dialog.h"

#include <QtTest>
#include <memory>

#include "app/utilities/utilities_page.h"
#include "app/window/main_window.h"
#include "app_rules/transactions/entry_company.h"
#include "platform/modal_helper.h"
#include "platform/offscreen_test_main.h"

namespace zenkar {

using ::zenkar::testing::EntryCompany;
using ::zenkar::testing::TempDir;
using ::zenkar::testing::WhenModalShows;

class DataTransferDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void Button110OpensTheClientsWindowAndCreateFileExports() {
    EntryCompany company;
    QVERIFY(company.Load());
    MainWindow window(company.program);
    company.program.AttachWindow(&window);
    window.Open();
    auto* button = window.page("UTL")->findChild<QPushButton*>("control110");
    QVERIFY(button != nullptr);
    QCOMPARE(button->text(), QString("Data Transfer (To and From Accountant)"));

    TempDir packages;
    company.ui.AnswerFolder(packages.path());
    bool mail_enabled = false;
    QString export_caption, last_export;
    WhenModalShows<DataTransferDialog>([&](DataTransferDialog* dialog) {
      export_caption = dialog->export_group()->title();
      last_export = dialog->last_export()->text();
      mail_enabled = dialog->button("mailData")->isEnabled();
      dialog->button("createFile")->click();
    });
    button->click();
    QCOMPARE(export_caption, QString("Export to Accountant"));
    QCOMPARE(last_export, QString("No Previous Exports"));
    QVERIFY(mail_enabled);
    QVERIFY(packages.Exists("ZENKAR.CCC"));
    company.program.AttachWindow(nullptr);
  }
};

}  // namespace zenkar

ZENKAR_OFFSCREEN_TEST_MAIN(zenkar::DataTransferDialogTest)
#include "data_transfer_dialog_test.moc"
