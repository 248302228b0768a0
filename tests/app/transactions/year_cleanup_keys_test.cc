// The year clean-up's keys in the window on Qt's offscreen platform: each
// works on its own tab only, Ctrl+Z prints the old entries through the
// Reports tab's printer before they go, and Ctrl+Alt+Z rebuilds the window.
// The rules are tested in tests/ledger and tests/app_rules; these tests
// check the wiring.
#include <QtTest>
#include <memory>

#include "app/open_window.h"
#include "app/reports/reports_page.h"
#include "app/window/main_window.h"
#include "app_rules/transactions/entry_company.h"
#include "output/old_entries_report.h"
#include "output/output_fakes.h"
#include "platform/offscreen_test_main.h"

namespace zenkar {
namespace {

using ::zenkar::testing::Day;
using ::zenkar::testing::StoredLine;

struct NoPause : WarningPause {
  void PauseWithWindowDisabled() override {}
};

std::vector<TransactionRecord> TwoYears() {
  return {StoredLine(kCheckOrDeposit, "Dock Rentals", "101", Day(2024, 3, 1), "650", 10000),
          StoredLine(kCheckOrDeposit, "Dock Rentals", "102", Day(2025, 3, 1), "650", 10000)};
}

// The stand-ins the window is given, made before it and outliving it.
struct StandIns {
  testing::FakePrinter printer;
  NoPause pause;
};

struct Desk : StandIns, testing::OpenWindow {
  Desk()
      : OpenWindow(TwoYears(), [this](MainWindow& main_window) {
          static_cast<ReportsPage*>(main_window.page("RPT"))->set_printer_for_testing(&printer);
          main_window.set_warning_pause_for_testing(&pause);
        }) {}

  void Key(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QTest::keyClick(window.get(), key, modifiers);
  }
};

}  // namespace

class YearCleanupKeysTest : public QObject {
  Q_OBJECT

 private slots:
  void CtrlZWorksOnTheTransactionsTabAndPrintsTheOldEntriesFirst() {
    Desk desk;
    QVERIFY(desk.loaded);
    desk.Key(Qt::Key_V, Qt::AltModifier);  // the "Payees" tab
    desk.Key(Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(desk.company.ui.messages().empty());

    desk.Key(Qt::Key_T, Qt::AltModifier);
    desk.company.ui.ClearMessages();  // what showing the tab said
    desk.company.ui.Answer(true);
    desk.company.ui.Answer(true);
    desk.Key(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(desk.company.ui.Texts().front(), std::string(kRemoveOldestYearQuestion));
    QCOMPARE(desk.printer.titles,
             std::vector<std::string>{std::string("Transaction-Report-Old-Entries")});
    QCOMPARE(desk.company.LinesOnDisk(), 1);
  }

  void CtrlAltZDeletesEverythingAndRebuildsTheWindow() {
    Desk desk;
    desk.Key(Qt::Key_T, Qt::AltModifier);
    desk.company.ui.ClearMessages();
    for (int i = 0; i < 3; ++i) desk.company.ui.Answer(true);
    desk.Key(Qt::Key_Z, Qt::ControlModifier | Qt::AltModifier);
    QCOMPARE(desk.company.LinesOnDisk(), 0);
    QVERIFY(desk.company.program.restart_requested());
  }

  void CtrlAltVWorksOnThePayeesTab() {
    Desk desk;
    desk.Key(Qt::Key_T, Qt::AltModifier);
    desk.company.ui.ClearMessages();
    desk.Key(Qt::Key_V, Qt::ControlModifier | Qt::AltModifier);
    QVERIFY(desk.company.ui.messages().empty());
    desk.Key(Qt::Key_V, Qt::AltModifier);
    desk.company.ui.ClearMessages();
    desk.Key(Qt::Key_V, Qt::ControlModifier | Qt::AltModifier);
    QCOMPARE(desk.company.ui.Texts(), std::vector<std::string>{std::string(kTooFewPayees)});
  }
};

}  // namespace zenkar

ZENKAR_OFFSCREEN_TEST_MAIN(zenkar::YearCleanupKeysTest)
#include "year_cleanup_keys_test.moc"
