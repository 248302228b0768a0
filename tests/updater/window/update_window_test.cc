// The update checker on Qt: its window and Abort, a download run by the
// desktop's shell, and the z_ver_ck program itself, started as the
// accounting program starts it, against a server on the loopback address.
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <filesystem>

#include "platform/modal_helper.h"
#include "platform/offscreen_test_main.h"
#include "platform/qt_shell.h"
#include "platform/qt_ui.h"
#include "support/loopback_http_server.h"
#include "support/temp_dir.h"
#include "updater/update_checker.h"
#include "updater/window/qt_update_window.h"

namespace zenkar {
namespace {

using ::zenkar::testing::LoopbackHttpServer;
using ::zenkar::testing::ResponseWithLength;
using ::zenkar::testing::TempDir;

// A stand-in for a program of the suite or an installer: a script that
// leaves a file named `mark` in `folder` when it runs.
void WriteMarkingScript(const TempDir& folder, const std::string& name, const std::string& mark) {
  folder.WriteFile(name, "#!/bin/sh\necho ran > '" + folder.File(mark) + "'\n");
  std::filesystem::permissions(folder.File(name), std::filesystem::perms::owner_all);
}

// Waits for a program started without waiting to leave its mark.
bool MarkAppears(const TempDir& folder, const std::string& mark) {
  for (int i = 0; i < 500 && !folder.Exists(mark); ++i) QTest::qWait(10);
  return folder.Exists(mark);
}

}  // namespace

class UpdateWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void AbortEscapeAndTheCloseButtonEachStopTheCheck() {
    for (int closing = 0; closing < 3; ++closing) {
      QtUpdateWindow window;
      window.Show("Checking Version Information...");
      QCOMPARE(window.dialog().windowTitle(), QString("Zenkar Auto Update"));
      QCOMPARE(window.status().text(), QString("Checking Version Information..."));
      QCOMPARE(window.abort_button().text(), QString("&Abort"));
      QVERIFY(!window.AbortRequested());
      window.SetStatus("512 of 2048 bytes\n25%");
      QCOMPARE(window.status().text(), QString("512 of 2048 bytes\n25%"));
      // The user acts while the checker is busy; the next look sees it.
      QTimer::singleShot(0, &window.dialog(), [&window, closing] {
        if (closing == 0) window.abort_button().click();
        if (closing == 1) QTest::keyClick(&window.dialog(), Qt::Key_Escape);
        if (closing == 2) window.dialog().close();
      });
      QVERIFY(window.AbortRequested());
    }
  }

  // The downloaded installer is a program the desktop's shell can run, and
  // the checker waits for it before removing it.
  void AcceptedRevisionRunsTheDownloadedInstaller() {
    TempDir program_folder;
    TempDir scripts;  // the installer leaves its mark here
    WriteMarkingScript(scripts, "installer", "installed");
    LoopbackHttpServer server;
    server.Queue({ResponseWithLength("HTTP/1.1 200 OK", {}, "VE: 4.7\r\nAC: 5\r\n"), true});
    const std::string installer = scripts.ReadFile("installer");
    server.Queue({ResponseWithLength("HTTP/1.1 200 OK", {}, installer)});
    server.Queue({ResponseWithLength("HTTP/1.1 200 OK", {}, installer)});

    QtUi ui;
    QtShell shell;
    QtUpdateWindow window;
    const std::unique_ptr<Connector> connector = PosixConnector(3000);
    Installation installation{program_folder.path(), program_folder.path(), true};
    UpdateChecker checker({PosixFileSystem(), ui, shell, window, *connector},
                          {*ParseUpdateHost(server.address()), "user=", installation});
    QString question;
    ::zenkar::testing::WhenModalShows<QMessageBox>([&question](QMessageBox* box) {
      question = box->text();
      box->button(QMessageBox::Yes)->click();
    });
    checker.Run("KXACCT,4.7,0A1B2C3D,4");

    QCOMPARE(question,
             QString("A new revision of Zenkar Accounting (5) is available.\n\nDownload now?"));
    QVERIFY(scripts.Exists("installed"));
    QCOMPARE(QString::fromStdString(program_folder.Listing()), QString());
    QVERIFY(!window.dialog().isVisible());
  }

  // z_ver_ck as kxacct starts it from the program folder: told to use the
  // test's server, forbidden the revision file, it starts the caller again.
  void TheProgramRestartsItsCallerFromItsFolder() {
    TempDir program_folder;
    const std::string checker = program_folder.File("z_ver_ck");
    std::filesystem::copy_file(ZENKAR_UPDATE_CHECKER, checker);
    WriteMarkingScript(program_folder, "kxacct", "restarted");
    LoopbackHttpServer server;
    server.Queue({"HTTP/1.1 403 Forbidden\r\nContent-Length: 0\r\n\r\n", true});

    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("ZENKAR_UPDATE_HOST", QString::fromStdString(server.address()));
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    process.setProcessEnvironment(environment);
    process.start(QString::fromStdString(checker), {"KXACCT,4.7,0A1B2C3D,4"});
    QVERIFY(process.waitForFinished(30000));
    QCOMPARE(process.exitCode(), 0);

    QVERIFY(MarkAppears(program_folder, "restarted"));
    const std::vector<LoopbackHttpServer::Request> requests = server.requests();
    QCOMPARE(requests.size(), size_t{1});
    QCOMPARE(QString::fromStdString(requests[0].bytes),
             QString::fromStdString("GET /_revision.15 HTTP/1.1\r\nReferer: " ZENKAR_USER_QUERY
                                    "0A1B2C3D\r\nUser-Agent: AUTO DL\r\nHost: " +
                                    server.address() + "\r\n\r\n"));
  }
};

}  // namespace zenkar

ZENKAR_OFFSCREEN_TEST_MAIN(zenkar::UpdateWindowTest)
#include "update_window_test.moc"
