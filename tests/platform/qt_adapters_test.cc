// The Qt adapters of the ports: message boxes with their icons and
// preselected buttons, input boxes, status text, the shell, the crossing
// between Windows-1252 and Unicode, and help contexts of controls.
#include <QCheckBox>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>
#include <algorithm>

#include "platform/font_scaled_style.h"
#include "platform/help_context.h"
#include "platform/modal_helper.h"
#include "platform/offscreen_test_main.h"
#include "platform/program_icon.h"
#include "platform/qt_shell.h"
#include "platform/qt_ui.h"
#include "platform/text_conversion.h"

namespace zenkar {
namespace {

using ::zenkar::testing::WhenModalShows;

struct SeenBox {
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QString title;
  QString text;
  QMessageBox::StandardButton preselected = QMessageBox::NoButton;
  QMessageBox::StandardButtons buttons;
};

// Shows one message through the Ui port, records the box and presses
// `press` (or Enter, which takes the preselected button).
template <typename Show>
SeenBox ShowAndAnswer(Show show, QMessageBox::StandardButton press, bool* answer) {
  SeenBox seen;
  WhenModalShows<QMessageBox>([&seen, press](QMessageBox* box) {
    seen = {box->icon(), box->windowTitle(), box->text(), box->standardButton(box->defaultButton()),
            box->standardButtons()};
    if (press == QMessageBox::NoButton) {
      QTest::keyClick(box, Qt::Key_Return);
    } else {
      box->button(press)->click();
    }
  });
  *answer = show();
  return seen;
}

}  // namespace

class QtAdaptersTest : public QObject {
  Q_OBJECT

 private slots:
  void ErrorHasTheErrorIconAndTheProgramTitle() {
    QtUi ui;
    bool answer = false;
    const SeenBox box = ShowAndAnswer(
        [&] {
          ui.Error("Caf\xE9 is closed");
          return true;
        },
        QMessageBox::NoButton, &answer);
    QCOMPARE(box.icon, QMessageBox::Critical);
    QCOMPARE(box.title, QString("Zenkar Accounting"));
    QCOMPARE(box.text, QString::fromUtf8("Café is closed"));
    QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
  }

  void InformationKeepsTheTitleGiven() {
    QtUi ui;
    bool answer = false;
    const SeenBox box = ShowAndAnswer(
        [&] {
          ui.Information("Saved.", "Backup Data");
          return true;
        },
        QMessageBox::NoButton, &answer);
    QCOMPARE(box.icon, QMessageBox::Information);
    QCOMPARE(box.title, QString("Backup Data"));
  }

  void YesNoQuestionsPreselectTheirButton() {
    QtUi ui;
    bool answer = false;
    SeenBox box = ShowAndAnswer([&] { return ui.YesNoDefaultYes("Void check 1001?"); },
                                QMessageBox::NoButton, &answer);
    QCOMPARE(box.icon, QMessageBox::Question);
    QCOMPARE(box.preselected, QMessageBox::Yes);
    QVERIFY(answer);

    box = ShowAndAnswer([&] { return ui.YesNoDefaultNo("Delete this transaction?"); },
                        QMessageBox::NoButton, &answer);
    QCOMPARE(box.preselected, QMessageBox::No);
    QVERIFY(!answer);

    box = ShowAndAnswer([&] { return ui.YesNoDefaultNo("Delete this transaction?"); },
                        QMessageBox::Yes, &answer);
    QVERIFY(answer);
  }

  void OkCancelWarnsAndPreselectsCancel() {
    QtUi ui;
    bool answer = true;
    SeenBox box = ShowAndAnswer([&] { return ui.OkCancel("Using 2017 data ..."); },
                                QMessageBox::NoButton, &answer);
    QCOMPARE(box.icon, QMessageBox::Warning);
    QCOMPARE(box.preselected, QMessageBox::Cancel);
    QCOMPARE(box.buttons, QMessageBox::Ok | QMessageBox::Cancel);
    QVERIFY(!answer);
    box =
        ShowAndAnswer([&] { return ui.OkCancel("Using 2017 data ..."); }, QMessageBox::Ok, &answer);
    QVERIFY(answer);
  }

  void InputBoxReturnsWindows1252AndNothingOnCancel() {
    QtUi ui;
    WhenModalShows<QInputDialog>([](QInputDialog* dialog) {
      QCOMPARE(dialog->labelText(), QString("Payee name"));
      QCOMPARE(dialog->textValue(), QString::fromUtf8("Müller"));
      dialog->setTextValue(QString::fromUtf8("Müller & Söhne €"));
      dialog->accept();
    });
    QCOMPARE(ui.InputBox("Payee name", "Payees", "M\xFCller"),
             std::optional<std::string>("M\xFCller & S\xF6hne \x80"));
    WhenModalShows<QInputDialog>([](QInputDialog* dialog) { dialog->reject(); });
    QCOMPARE(ui.InputBox("Payee name", "Payees", ""), std::optional<std::string>());
  }

  void SecretInputHidesWhatIsTyped() {
    QtUi ui;
    WhenModalShows<QInputDialog>([](QInputDialog* dialog) {
      QCOMPARE(dialog->textEchoMode(), QLineEdit::Password);
      dialog->setTextValue("Secret-1");
      dialog->accept();
    });
    QCOMPARE(ui.AskSecret("Enter the Zenkar Accounting password", "Zenkar Accounting"),
             std::optional<std::string>("Secret-1"));
  }

  void StatusTextAndProgressGoToTheAttachedStatusLine() {
    QtUi ui;
    QLabel status;
    QProgressBar bar;
    ui.AttachStatusLine(&status, &bar);
    ui.SetStatusText("Utility Functions");
    QCOMPARE(status.text(), QString("Utility Functions"));
    ui.SetProgress("Sorting 20 Entries ", 5, 20);
    QCOMPARE(status.text(), QString("Sorting 20 Entries "));
    QCOMPARE(bar.value(), 5);
    QCOMPARE(bar.maximum(), 20);
    ui.ClearProgress();
    QVERIFY(bar.isHidden());
    QCOMPARE(status.text(), QString());
  }

  void BusyCursorNests() {
    QtUi ui;
    {
      BusyCursor outer(ui);
      BusyCursor inner(ui);
      QVERIFY(QGuiApplication::overrideCursor() != nullptr);
    }
    QVERIFY(QGuiApplication::overrideCursor() == nullptr);
  }

  void ShellStartsAndRunsPrograms() {
    QtShell shell;
    QVERIFY(!shell.StartProgram("/nonexistent/z_ver_ck", {"KXACCT,4.7,X,4"}, ""));
    QTemporaryDir folder;
    QVERIFY(shell.StartProgram("/bin/sh", {"-c", "pwd > here.txt"}, folder.path().toStdString()));
    QFile here(folder.filePath("here.txt"));
    QTRY_VERIFY(here.exists() && here.size() > 0);
    QVERIFY(here.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(here.readAll()).trimmed(),
             QFileInfo(folder.path()).canonicalFilePath());
    QCOMPARE(shell.RunProgram("/bin/sh", {"-c", "exit 3"}), 3);
    QCOMPARE(shell.RunProgram("/nonexistent/program", {}), -1);
  }

  void CheckBoxesAndOptionButtonsGrowWithTheFont() {
    FontScaledStyle style;
    QCheckBox small("Use Fixed Decimal Position");
    QCheckBox large("Use Fixed Decimal Position");
    QRadioButton large_option("Large");
    small.setFont(QFont("Arial", 10));
    large.setFont(QFont("Arial", 18));
    large_option.setFont(QFont("Arial", 18));
    for (QWidget* widget : std::initializer_list<QWidget*>{&small, &large, &large_option}) {
      widget->setStyle(&style);
    }
    const int stock = style.baseStyle()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, &small);
    QCOMPARE(style.pixelMetric(QStyle::PM_IndicatorWidth, nullptr, &small), stock);
    const int side = style.pixelMetric(QStyle::PM_IndicatorHeight, nullptr, &large);
    QCOMPARE(side, large.fontMetrics().ascent());
    QVERIFY(side > stock);
    QCOMPARE(style.pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, &large_option), side);
    QVERIFY(large.sizeHint().height() >= side);
    QVERIFY(large.sizeHint().width() > small.sizeHint().width());
  }

  void TextCrossesBetweenWindows1252AndUnicode() {
    QCOMPARE(FromCp1252("\x80 5 \xE9t\xE9"), QString::fromUtf8("€ 5 été"));
    QCOMPARE(ToCp1252(QString::fromUtf8("€ 5 été")), std::string("\x80 5 \xE9t\xE9"));
    QCOMPARE(ToCp1252(QString::fromUtf8("日本")), std::string("??"));
  }

  void DatesCrossAsDayNumbers() {
    QCOMPARE(ToQDate(36526), QDate(2000, 1, 1));
    QCOMPARE(FromQDate(QDate(2000, 1, 1)), 36526);
    QVERIFY(!ToQDate(kNoDate).isValid());
    QCOMPARE(FromQDate(QDate()), kNoDate);
  }

  void HelpContextIsFoundOnTheNearestWidget() {
    QWidget page;
    SetHelpContext(&page, 1100);
    auto* group = new QWidget(&page);
    auto* button = new QPushButton(group);
    auto* special = new QPushButton(group);
    SetHelpContext(special, 1105);
    QCOMPARE(HelpContextOf(button), 1100);
    QCOMPARE(HelpContextOf(special), 1105);
    QCOMPARE(HelpContextOf(nullptr), 0);
    QWidget loose;
    QCOMPARE(HelpContextOf(&loose), 0);
  }

  // The embedded icon is the desktop's, at each size it is installed in.
  void TheProgramIconHoldsEveryInstalledSize() {
    const QIcon icon = ProgramIcon();
    QList<int> sizes;
    for (const QSize& size : icon.availableSizes()) sizes.append(size.width());
    std::sort(sizes.begin(), sizes.end());
    QCOMPARE(sizes, (QList<int>{16, 22, 24, 32, 48, 64, 128, 256}));
    const QImage small = icon.pixmap(16, 16).toImage();
    QCOMPARE(small.size(), QSize(16, 16));
    QVERIFY(small.pixelColor(8, 1).alpha() == 255);  // the tile, not a blank
  }
};

}  // namespace zenkar

ZENKAR_OFFSCREEN_TEST_MAIN(zenkar::QtAdaptersTest)
#include "qt_adapters_test.moc"
