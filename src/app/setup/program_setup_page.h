// The "Program Setup" sub-page of the Setup tab: the company's name and
// address, the FEIN, the setup accounts under "COA Account Numbers", the
// check form, the entry options, the accounting year and the statements'
// titles and footers, with "Print Test Check" (the MICR test check, to the
// printer or the PDF preview), "Set or Change Password", "View / Print
// Program Settings" and "Help".
//
// The fields are saved together with "Save" or Enter on the last field, under
// the checks of ProgramSetupProblem; a refused save keeps what was typed on
// the page and nothing in the settings. When the chart renumbers a setup
// account the field shows the new number.
#ifndef ZENKAR_APP_SETUP_PROGRAM_SETUP_PAGE_H_
#define ZENKAR_APP_SETUP_PROGRAM_SETUP_PAGE_H_

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>
#include <array>
#include <memory>

#include "app_rules/setup/program_setup.h"
#include "app_rules/window/program.h"
#include "ledger/ledger.h"

namespace zenkar {

class MainWindow;

class ProgramSetupPage : public QWidget, public LedgerObserver {
  Q_OBJECT

 public:
  ProgramSetupPage(Program& program, MainWindow& window);
  ~ProgramSetupPage() override;

  // The values on the page as typed.
  ProgramSetupValues Values() const;
  // Saves the page; true when the settings were saved.
  bool Save();
  // Shows the settings again unless edits are waiting to be saved.
  void PageShown();
  bool HasUnsavedEdits() const;

  void OnLedgerChanged(LedgerChange change, int record_number) override;

 private:
  struct AccountField {
    QLineEdit* edit;
    QLabel* description;
  };

  QWidget* BuildCompanyBox();
  QWidget* BuildAccountsBox();
  QWidget* BuildOptionsBox();
  QWidget* BuildStatementsBox();
  QLineEdit* AddLine(const char* name, int width);
  void ShowValues(const ProgramSetupValues& values);
  void ShowAccountValues(const ProgramSetupValues& values);
  void ShowDescriptions();
  void EditsChanged();
  void SetUpKeys();
  // "View / Print Program Settings" to the PDF preview or the printer.
  void PrintSettings(OutputTarget target);
  PrinterCanvasFactory* Printer();

  Program& program_;
  MainWindow& window_;
  QLineEdit* name_line_1_ = nullptr;
  QLineEdit* name_line_2_ = nullptr;
  QLineEdit* address_ = nullptr;
  QLineEdit* city_state_zip_ = nullptr;
  QLineEdit* federal_id_ = nullptr;
  // Bank, Accounts Receivable, Accounts Payable, Capital, Salaries and Wages.
  std::array<AccountField, 5> accounts_{};
  QComboBox* check_type_ = nullptr;
  QCheckBox* fixed_decimal_ = nullptr;
  QCheckBox* memo_on_checks_ = nullptr;
  QCheckBox* accrual_ = nullptr;
  QComboBox* accounting_year_ = nullptr;
  QPushButton* test_check_ = nullptr;
  QPushButton* password_ = nullptr;
  QPushButton* print_settings_ = nullptr;
  QPushButton* help_ = nullptr;
  QLineEdit* income_title_ = nullptr;
  QLineEdit* income_footer_ = nullptr;
  QLineEdit* balance_title_ = nullptr;
  QLineEdit* balance_footer_ = nullptr;
  QPushButton* save_ = nullptr;
  bool showing_ = false;
  std::unique_ptr<PrinterCanvasFactory> printer_;  // made when first used
};

}  // namespace zenkar

#endif  // ZENKAR_APP_SETUP_PROGRAM_SETUP_PAGE_H_
