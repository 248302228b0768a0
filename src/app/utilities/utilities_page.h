// The "File (Utilities)" page: the data folder (101) and the buttons that
// work on the installation and the folder as a whole -- "Change Data
// Folder" (102), "Backup Data" (103), "Restore Data" (104), "Restore from
// Auto Backup" (105), "E-Mail Data Files" (106), "MICR Print Blank Check"
// (107), "Add New Data Folder" (108), "Check for Update" (109) -- and the
// display sizes under "Select Display Size" (111-113).
//
// The buttons stand in one column in control-number order; a feature that
// brings another button (103 "Backup Data", 106 "E-Mail Data Files", ...)
// adds it with AddButton and it takes its place by number.
#ifndef ZENKAR_APP_UTILITIES_UTILITIES_PAGE_H_
#define ZENKAR_APP_UTILITIES_UTILITIES_PAGE_H_

#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>
#include <map>

#include "app/window/tab_page.h"

namespace zenkar {

class UtilitiesPage : public TabPage {
  Q_OBJECT

 public:
  UtilitiesPage(const TabPageInfo& info, PageContext context);

  // Adds a button with its control number to the column of buttons.
  QPushButton* AddButton(int number, const QString& caption, std::function<void()> action);

  QLineEdit* data_folder_field() const { return data_folder_; }
  QRadioButton* size_button(int font_size) const;

  void PageShown() override;

 private:
  QWidget* BuildDisplaySizes();

  QLineEdit* data_folder_ = nullptr;
  QVBoxLayout* buttons_ = nullptr;
  std::map<int, QPushButton*> by_number_;
  std::map<int, QRadioButton*> sizes_;
};

}  // namespace zenkar

#endif  // ZENKAR_APP_UTILITIES_UTILITIES_PAGE_H_
