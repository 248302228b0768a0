// The "Printing Options" dialog on a made-up list of printers: what it shows
// for reports and for checks, how choosing a printer refills the paper
// sources, and that OK hands the choice back.
#include "platform/printing_options_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>

#include "output/printing_fakes.h"
#include "platform/modal_helper.h"
#include "platform/offscreen_test_main.h"
#include "support/scripted_ui.h"

namespace zenkar {
namespace {

QStringList Items(const QComboBox* list) {
  QStringList items;
  for (int i = 0; i < list->count(); ++i) items << list->itemText(i);
  return items;
}

template <typename T>
T* Find(QWidget* dialog, const char* name) {
  T* widget = dialog->findChild<T*>(name);
  if (widget == nullptr) qWarning("no %s", name);
  return widget;
}

void Press(QWidget* dialog, QDialogButtonBox::StandardButton which) {
  dialog->findChild<QDialogButtonBox*>()->button(which)->click();
}

}  // namespace

class PrintingOptionsDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    NewCompanySettings(settings_);
    system_ = testing::FakePrinterSystem();
    system_.printers = {"cups-pdf", "Office_Laser", "Back_Office"};
    system_.default_printer = "cups-pdf";
    system_.sources["cups-pdf"] = {};
    system_.sources["Office_Laser"] = {{"tray-1", "Tray 1"}};
    system_.sources["Back_Office"] = {{"manual", "Manual Feed"}, {"tray-2", "Tray 2"}};
  }

  void ForReportsItShowsThePrinterItsTraysFontsAndCopies() {
    PrintingOptionsForm form(system_, ui_, PrintJobKind::kReport);
    QVERIFY(form.Load(settings_));
    PrintingOptionsDialog dialog(form, nullptr);
    QCOMPARE(dialog.windowTitle(), QString("Printing Options"));
    auto* printer = Find<QComboBox>(&dialog, "printerName");
    QCOMPARE(Items(printer), QStringList({"cups-pdf", "Office_Laser", "Back_Office"}));
    // The PDF writer is the system's default, but a paper printer is proposed.
    QCOMPARE(printer->currentText(), QString("Office_Laser"));
    QCOMPARE(Items(Find<QComboBox>(&dialog, "paperSource")), QStringList({"Default", "Tray 1"}));
    QCOMPARE(Items(Find<QComboBox>(&dialog, "fontName")), QStringList({"Arial", "Courier New"}));
    QCOMPARE(Items(Find<QComboBox>(&dialog, "fontStyle")),
             QStringList({"Regular", "Bold", "Italic", "Bold Italic"}));
    auto* copies = Find<QComboBox>(&dialog, "copies");
    QCOMPARE(copies->currentText(), QString("1 Copy"));
    QCOMPARE(copies->itemText(1), QString("2 Copies"));
    QCOMPARE(Find<QCheckBox>(&dialog, "duplex")->text(), QString("Duplex (2 Sided)"));
    QCOMPARE(Find<QCheckBox>(&dialog, "separateDocuments")->text(),
             QString("Print as Separate Documents"));
    QVERIFY(dialog.findChild<QSpinBox*>("topMargin") == nullptr);
    QVERIFY(dialog.findChild<QComboBox*>("checkType") == nullptr);
  }

  void ChoosingAPrinterRefillsTheTraysAndOkHandsBackTheChoice() {
    PrintingOptionsForm form(system_, ui_, PrintJobKind::kReport);
    QVERIFY(form.Load(settings_));
    PrintingOptionsDialog dialog(form, nullptr);
    Find<QComboBox>(&dialog, "printerName")->setCurrentIndex(2);
    auto* source = Find<QComboBox>(&dialog, "paperSource");
    QCOMPARE(Items(source), QStringList({"Default", "Manual Feed", "Tray 2"}));
    source->setCurrentIndex(2);
    Find<QComboBox>(&dialog, "fontName")->setCurrentIndex(1);
    Find<QComboBox>(&dialog, "fontStyle")->setCurrentIndex(3);
    auto* collate = Find<QCheckBox>(&dialog, "collate");
    QVERIFY(!collate->isEnabled());  // one copy needs no collating
    Find<QComboBox>(&dialog, "copies")->setCurrentIndex(2);
    QVERIFY(collate->isEnabled());
    collate->setChecked(true);
    Find<QCheckBox>(&dialog, "duplex")->setChecked(true);
    Press(&dialog, QDialogButtonBox::Ok);

    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    const PrintingOptions& chosen = form.options();
    QCOMPARE(QString::fromStdString(chosen.printer), QString("Back_Office"));
    QCOMPARE(chosen.source_number, 2);
    QCOMPARE(QString::fromStdString(chosen.source.keyword), QString("tray-2"));
    QCOMPARE(QString::fromStdString(chosen.font_name), QString("Courier New"));
    QCOMPARE(chosen.font_style, 3);
    QCOMPARE(chosen.copies, 3);
    QVERIFY(chosen.collate && chosen.duplex && !chosen.separate_documents);
  }

  void ForChecksItAddsTheTopMarginAndTheCheckType() {
    settings_.check_type = 2;
    PrintingOptionsForm form(system_, ui_, PrintJobKind::kCheck, {"052L or #785", "750L", "800L"});
    QVERIFY(form.Load(settings_));
    bool asked = false;
    testing::WhenModalShows<PrintingOptionsDialog>([&asked](PrintingOptionsDialog* dialog) {
      asked = true;
      auto* margin = Find<QSpinBox>(dialog, "topMargin");
      QCOMPARE(margin->minimum(), -2);
      QCOMPARE(margin->maximum(), 9);
      margin->setValue(-2);
      auto* check_type = Find<QComboBox>(dialog, "checkType");
      QCOMPARE(check_type->currentText(), QString("750L"));
      check_type->setCurrentIndex(2);
      Press(dialog, QDialogButtonBox::Ok);
    });
    QtPrintingOptionsAsker asker;
    QVERIFY(asker.AskPrintingOptions(form));
    QVERIFY(asked);
    QCOMPARE(form.options().additional_top_margin, -2);
    QCOMPARE(form.options().check_type, 3);
  }

 private:
  CompanySettings settings_;
  testing::FakePrinterSystem system_;
  testing::ScriptedUi ui_;
};

}  // namespace zenkar

ZENKAR_OFFSCREEN_TEST_MAIN(zenkar::PrintingOptionsDialogTest)
#include "printing_options_dialog_test.moc"
