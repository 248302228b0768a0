// kxmenu's window on Qt's offscreen platform: its title, the folders and
// status texts it shows, the buttons it offers, and a click that starts a
// program.
#include "launcher/launcher_window.h"

#include <QtTest>

#include "common/folder_history.h"
#include "common/text_field.h"
#include "platform/offscreen_test_main.h"
#include "platform/text_conversion.h"
#include "support/fixed_clock.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace zenkar {
namespace {

using ::zenkar::testing::FixedClock;
using ::zenkar::testing::ScriptedUi;
using ::zenkar::testing::TempDir;

class RecordingShell : public Shell {
 public:
  bool OpenDocument(const std::string&) override { return true; }
  bool OpenUrl(const std::string&) override { return true; }
  bool StartProgram(const std::string&, const std::vector<std::string>&,
                    const std::string&) override {
    return false;
  }
  int RunProgram(const std::string& program, const std::vector<std::string>& args) override {
    runs.push_back(program + " " + args.at(0));
    return 0;
  }
  std::vector<std::string> runs;
};

class NoPrinter : public ListPrinter {
 public:
  bool PrintPages(std::string_view, const std::vector<std::vector<std::string>>&) override {
    return false;
  }
};

// The launcher of an installation in a folder of its own, with one data
// folder in its history.
struct World {
  World() {
    books.WriteFile("KXACCT.CFG", FitText("Harbor Supply Co.", 40) + std::string(4760, ' '));
    FolderHistory(PosixFileSystem(), install.path(), true).AddHistoryEntry(books.path());
  }
  TempDir install;
  TempDir books;
  ScriptedUi ui;
  RecordingShell shell;
  FixedClock clock;
  NoPrinter printer;
  Launcher launcher{LauncherPorts{PosixFileSystem(), ui, shell, clock},
                    Installation{install.path(), install.path(), true},
                    WebSite{"www.zenkar.example", "support@zenkar.example", "user=", "0A1B2C3D"},
                    DeriveDatePatterns("11/22/44")};
};

}  // namespace

class LauncherWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void ShowsTheRecentFolderAndItsCompanies() {
    World world;
    LauncherWindow window(world.launcher, world.printer);
    QCOMPARE(window.windowTitle(),
             QString("Zenkar Software (To begin, click one of the program buttons)"));
    QCOMPARE(window.folder_list()->count(), 1);
    QCOMPARE(window.SelectedFolder(), world.books.path());
    QCOMPARE(window.status_label(523)->text(), QString("Harbor Supply Co."));
    QCOMPARE(window.status_label(521)->text(), QString("< Click a program button to begin"));
    QVERIFY(window.findChild<QPushButton*>("legacyGL") != nullptr);
  }

  void AClickOnAStatusStartsItsProgramAndTheLegacyButtonsGoWithIt() {
    World world;
    world.install.WriteFile("kxacct", "#!/bin/sh\n");
    LauncherWindow window(world.launcher, world.printer);
    QVERIFY(window.findChild<QPushButton*>("legacyGL") == nullptr);
    window.show();
    QTest::mouseClick(window.status_label(523), Qt::LeftButton);
    QCOMPARE(world.shell.runs,
             std::vector<std::string>{world.install.path() + "kxacct " + world.books.path()});
    QVERIFY(window.isVisible());
  }
};

}  // namespace zenkar

ZENKAR_OFFSCREEN_TEST_MAIN(zenkar::LauncherWindowTest)
#include "launcher_window_test.moc"
