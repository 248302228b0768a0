// The "MICR" tab (page 7, "MIC"): "MICR Check Printing - Setup and Options",
// the settings of checks printed whole on blank stock. Its groups "Your
// Bank's Information", "Your Company Information", "Check Setup" and "MICR
// Adjustments", the logo ("Select Logo", "Remove Logo", "No Logo
// Selected"), and "Save", "Print Test Check" and "Help". The rules are
// MicrSetup's (src/app_rules/check_printing); the page carries text to and
// from them. While the company's check type is not a MICR type the page says
// so above the form, so the type can be chosen here.
#ifndef ZENKAR_APP_CHECK_PRINTING_MICR_PAGE_H_
#define ZENKAR_APP_CHECK_PRINTING_MICR_PAGE_H_

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <functional>
#include <memory>

#include "app/window/tab_page.h"
#include "app_rules/check_printing/micr_setup.h"

namespace zenkar {

class MicrPage : public TabPage, public LedgerObserver {
  Q_OBJECT

 public:
  MicrPage(const TabPageInfo& info, PageContext context);
  ~MicrPage() override;

  void PageShown() override;
  void OnLedgerChanged(LedgerChange change, int record_number) override;

  // "Save": true when the settings were saved.
  bool Save();
  MicrSetup& setup() { return *setup_; }
  QLabel* notice() const { return notice_; }
  QLabel* logo_text() const { return logo_text_; }

  // Tests answer the file dialog of "Select Logo" with a path of their own
  // (empty: cancelled).
  void set_logo_picker_for_testing(std::function<QString()> picker) {
    logo_picker_ = std::move(picker);
  }

 private:
  QWidget* BuildBankBox();
  QWidget* BuildCompanyBox();
  QWidget* BuildSetupBox();
  QWidget* BuildAdjustmentsBox();
  QWidget* BuildLogoBox();
  QLayout* BuildButtons();
  QLineEdit* AddLine(const char* name, int width);
  QSpinBox* AddSpin(const char* name, int bound);
  void ShowValues();
  void TakeValues();
  void ShowNotice();
  void SelectLogo();

  std::unique_ptr<MicrSetup> setup_;
  QLabel* notice_ = nullptr;
  QLineEdit* bank_name_ = nullptr;
  QLineEdit* bank_address_ = nullptr;
  QLineEdit* bank_city_ = nullptr;
  QLineEdit* plain_ach_ = nullptr;
  QLineEdit* routing_ = nullptr;
  QLineEdit* name_1_ = nullptr;
  QLineEdit* name_2_ = nullptr;
  QLineEdit* address_ = nullptr;
  QLineEdit* city_ = nullptr;
  QLineEdit* account_ = nullptr;
  QLineEdit* phone_memo_ = nullptr;
  QComboBox* check_type_ = nullptr;
  QComboBox* location_ = nullptr;
  QComboBox* signature_lines_ = nullptr;
  QLineEdit* signature_title_ = nullptr;
  QSpinBox* horizontal_ = nullptr;
  QSpinBox* vertical_ = nullptr;
  QSpinBox* font_height_ = nullptr;
  QLabel* logo_text_ = nullptr;
  QPushButton* save_ = nullptr;
  std::function<QString()> logo_picker_;
};

}  // namespace zenkar

#endif  // ZENKAR_APP_CHECK_PRINTING_MICR_PAGE_H_
