// Mail in kxacct's window: the "E-Mail Settings" dialog's fields, focus and
// "Continue", and the wiring of "E-Mail Data Files" (106, Ctrl+E) and "Send
// by E-Mail (PDF)" (433) -- the latter sending a report to a scripted server
// through the dialog as a user fills it in.
#include <QLabel>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "app/reports/reports_page.h"
#include "app/utilities/mail_settings_dialog.h"
#include "app/window/main_window.h"
#include "app_rules/app_fakes.h"
#include "ledger/chart_text.h"
#include "platform/offscreen_test_main.h"
#include "platform/text_conversion.h"
#include "support/fixed_clock.h"
#include "support/fixed_user.h"
#include "support/loopback_smtp_server.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"
#include "tools/sample_company.h"

namespace zenkar {
namespace {

using testing::LoopbackSmtpServer;
using testing::TempDir;

MailSettings Shown() {
  MailSettings shown;
  shown.sender_name = "Ann Lee";
  shown.reply_address = "ann@harbor.example";
  shown.server = "127.0.0.1";
  shown.port = "587";
  shown.user_name = "ann";
  shown.password = "s3cret";
  shown.save_password = true;
  shown.to_address = "books@accountant.example";
  shown.subject = "Accounting Report";
  shown.carbon_copy = false;
  return shown;
}

// The sample company loaded into a program, and its main window.
struct World {
  World() {
    std::string text;
    std::vector<AccountRecord> accounts;
    ok = PosixFileSystem().ReadFile(ZENKAR_DEFAULT_CHART_TEXT, &text).ok() &&
         ParseChartText(text, &accounts).ok();
    install.WriteFile("KXACCTCOA.DAT", ChartOfAccounts(accounts).Encode());
    program.ledger().SetDataFolder(data.path());
    ok = ok && program.PrepareMainWindow() && WriteSampleCompany(program.ledger(), 2025);
    window = std::make_unique<MainWindow>(program);
    program.AttachWindow(window.get());
    window->Open();
    // Shortcuts reach an active window only.
    if (QTest::qWaitForWindowExposed(window.get())) {
      window->activateWindow();
      if (!QTest::qWaitForWindowActive(window.get())) qWarning("the main window is not active");
    }
    ui.ClearMessages();
  }

  TempDir install;
  TempDir data;
  testing::ScriptedUi ui;
  testing::RecordingShell shell;
  testing::FixedClock clock{{2026, 3, 14, 9, 30, 0}, 60};
  testing::ScriptedSecretInput secret;
  testing::RecordingHelpViewer viewer;
  testing::FixedUserDirectory users;
  Program program{ProgramPorts{PosixFileSystem(), ui, shell, clock, secret, viewer, users},
                  Installation{install.path(), install.path(), true},
                  WebSite{"www.zenkar.example", "support@zenkar.example", "user=", "0A1B2C3D"},
                  DeriveDatePatterns("11/22/44")};
  std::unique_ptr<MainWindow> window;
  bool ok = false;
};

// Runs `answer` on the settings dialog as soon as it is shown.
void WhenTheDialogShows(std::function<void(MailSettingsDialog*)> answer) {
  QTimer::singleShot(0, [answer = std::move(answer)] {
    auto* dialog = qobject_cast<MailSettingsDialog*>(QApplication::activeModalWidget());
    QVERIFY(dialog != nullptr);
    answer(dialog);
  });
}

void Cancel(MailSettingsDialog* dialog) { dialog->findChild<QPushButton*>("cancel")->click(); }

}  // namespace

class MailPagesTest : public QObject {
  Q_OBJECT

 private slots:
  void TheDialogShowsEveryFieldAndStaysOnTheFieldToMend() {
    std::vector<MailSettings> continued;
    std::vector<std::optional<MailField>> verdicts = {MailField::kReplyAddress, std::nullopt};
    int helps = 0;
    MailSettingsDialog dialog(
        nullptr, Shown(),
        [&](const MailSettings& typed) {
          continued.push_back(typed);
          const std::optional<MailField> verdict = verdicts.front();
          verdicts.erase(verdicts.begin());
          return verdict;
        },
        [&] { ++helps; });
    QCOMPARE(dialog.windowTitle(), FromCp1252(kMailSettingsTitle));
    auto* connection = qobject_cast<QComboBox*>(dialog.field(MailField::kConnection));
    QCOMPARE(connection->count(), 1);
    QCOMPARE(connection->itemText(0), QString("Direct Connection (DSL, Cable, LAN, etc.)"));
    QCOMPARE(dialog.text(MailField::kPassword)->echoMode(), QLineEdit::Password);
    QCOMPARE(dialog.text(MailField::kServer)->maxLength(), 60);
    QCOMPARE(dialog.focusWidget(), dialog.field(MailField::kToAddress));
    QVERIFY(!dialog.text(MailField::kToAddress)->isReadOnly());

    dialog.show();
    dialog.text(MailField::kSubject)->setText("Month end");
    dialog.check(MailField::kCarbonCopy)->setChecked(true);
    dialog.findChild<QPushButton*>("continue")->click();
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.focusWidget(), dialog.field(MailField::kReplyAddress));
    dialog.findChild<QPushButton*>("continue")->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(continued.size(), size_t(2));
    QCOMPARE(QString::fromStdString(continued[1].subject), QString("Month end"));
    QVERIFY(continued[1].carbon_copy);
    QCOMPARE(QString::fromStdString(continued[1].password), QString("s3cret"));
    dialog.findChild<QPushButton*>("help")->click();
    QCOMPARE(helps, 1);

    MailSettings elsewhere = Shown();
    elsewhere.to_address = "Multiple Addresses";
    MailSettingsDialog read_only(
        nullptr, elsewhere, [](const MailSettings&) { return std::nullopt; }, [] {});
    QVERIFY(read_only.text(MailField::kToAddress)->isReadOnly());
    QCOMPARE(read_only.focusWidget(), read_only.field(MailField::kSubject));
  }

  void EmailDataFilesOpensTheDialogFromItsButtonAndCtrlE() {
    World world;
    QVERIFY(world.ok);
    world.window->ShowPage("UTL");
    std::vector<QString> subjects;
    const auto note_and_cancel = [&](MailSettingsDialog* dialog) {
      subjects.push_back(dialog->text(MailField::kSubject)->text());
      Cancel(dialog);
    };
    WhenTheDialogShows(note_and_cancel);
    world.window->page("UTL")->findChild<QPushButton*>(ControlName(106))->click();
    world.window->activateWindow();  // again, after the dialog
    QVERIFY(QTest::qWaitForWindowActive(world.window.get()));
    WhenTheDialogShows(note_and_cancel);
    QTest::keyClick(world.window.get(), Qt::Key_E, Qt::ControlModifier);
    QCOMPARE(subjects, std::vector<QString>({"Data Files", "Data Files"}));
    QVERIFY(world.ui.Texts().empty());
  }

  void SendByEmailMailsTheReportThroughTheDialog() {
    World world;
    QVERIFY(world.ok);
    LoopbackSmtpServer server;
    server.Queue("250 test.example");
    server.Queue("250 Sender OK");
    server.Queue("250 Recipient OK");
    server.Queue(LoopbackSmtpServer::Reply{"354 Go ahead\r\n", false, /*message=*/true});
    server.Queue("250 Queued");
    server.Queue("221 Bye");
    world.window->ShowPage("RPT");
    auto* page = qobject_cast<ReportsPage*>(world.window->page("RPT"));
    page->report_box("Income Statement")->setChecked(true);
    QString subject;
    WhenTheDialogShows([&](MailSettingsDialog* dialog) {
      subject = dialog->text(MailField::kSubject)->text();
      dialog->text(MailField::kSenderName)->setText("Ann Lee");
      dialog->text(MailField::kReplyAddress)->setText("ann@harbor.example");
      dialog->text(MailField::kServer)->setText("127.0.0.1");
      dialog->text(MailField::kPort)->setText(QString::number(server.port()));
      dialog->text(MailField::kUserName)->setText("ann");
      dialog->text(MailField::kPassword)->setText("s3cret");
      dialog->text(MailField::kToAddress)->setText("books@accountant.example");
      dialog->check(MailField::kCarbonCopy)->setChecked(false);
      dialog->findChild<QPushButton*>("continue")->click();
    });
    page->findChild<QPushButton*>(ControlName(433))->click();
    QCOMPARE(subject, QString("Accounting Report"));
    QCOMPARE(world.ui.Texts(), std::vector<std::string>({"Finished Sending"}));
    QCOMPARE(server.messages().size(), size_t(1));
    QVERIFY(server.messages()[0].find("name=\"Income-Statement.pdf\"") != std::string::npos);
    QVERIFY(world.shell.opened_documents.empty());
    QVERIFY(page->report_box("Income Statement")->isChecked());
  }
};

}  // namespace zenkar

ZENKAR_OFFSCREEN_TEST_MAIN(zenkar::MailPagesTest)
#include "mail_pages_test.moc"
