#include "app/utilities/utilities_page.h"

#include <QGroupBox>
#include <QHBoxLayout>

#include "app/check_printing/check_output.h"
#include "app/utilities/data_transfer_dialog.h"
#include "app/utilities/mail_settings_dialog.h"
#include "app_rules/utilities/utility_actions.h"
#include "platform/text_conversion.h"

namespace zenkar {
namespace {

struct DisplaySize {
  int number;
  const char* caption;
  int font_size;
};
constexpr DisplaySize kDisplaySizes[] = {
    {111, "Small", 10}, {112, "Normal", 12}, {113, "Large", 18}};

}  // namespace

UtilitiesPage::UtilitiesPage(const TabPageInfo& info, PageContext context)
    : TabPage(info, context) {
  data_folder_ = new QLineEdit;
  data_folder_->setObjectName(ControlName(101));
  data_folder_->setReadOnly(true);
  auto* folder_box = new QGroupBox("Data Folder");
  auto* folder_layout = new QHBoxLayout(folder_box);
  folder_layout->addWidget(data_folder_);

  buttons_ = new QVBoxLayout;
  AddButton(102, "Change Data Folder", [this] { ChangeDataFolder(program()); });
  AddButton(103, "Backup Data", [this] { BackupData(program()); });
  AddButton(104, "Restore Data", [this] { RestoreData(program()); });
  AddButton(105, "Restore from Auto Backup", [this] { RestoreFromAutoBackup(program()); });
  AddButton(106, "E-Mail Data Files", [this] { EmailDataFiles(program(), this); });
  AddButton(107, "MICR Print Blank Check",
            [this] { PrintBlankCheckFromWindow(program(), window()); });
  AddButton(108, "Add New Data Folder", [this] { AddNewDataFolder(program()); });
  AddButton(109, "Check for Update", [this] { CheckForUpdate(program()); });
  AddButton(110, "Data Transfer (To and From Accountant)",
            [this] { RunDataTransfer(program(), this); });

  auto* columns = new QHBoxLayout;
  auto* button_column = new QVBoxLayout;
  button_column->addLayout(buttons_);
  button_column->addStretch();
  columns->addLayout(button_column);
  columns->addSpacing(24);
  auto* size_column = new QVBoxLayout;
  size_column->addWidget(BuildDisplaySizes());
  size_column->addStretch();
  columns->addLayout(size_column);
  columns->addStretch();

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(folder_box);
  layout->addLayout(columns, 1);
  PageShown();
}

QPushButton* UtilitiesPage::AddButton(int number, const QString& caption,
                                      std::function<void()> action) {
  QPushButton* button = MakeButton(number, caption, std::move(action));
  by_number_[number] = button;
  const int position = static_cast<int>(std::distance(by_number_.begin(), by_number_.find(number)));
  buttons_->insertWidget(position, button);
  return button;
}

QWidget* UtilitiesPage::BuildDisplaySizes() {
  auto* box = new QGroupBox("Select Display Size");
  auto* layout = new QVBoxLayout(box);
  for (const DisplaySize& size : kDisplaySizes) {
    auto* button = new QRadioButton(size.caption);
    button->setObjectName(ControlName(size.number));
    // The page keeps the marks itself: a size kept outside the three (14)
    // marks none of them, which an exclusive group cannot show.
    button->setAutoExclusive(false);
    const int font_size = size.font_size;
    connect(button, &QRadioButton::clicked, this, [this, font_size] {
      if (!ChooseDisplaySize(program(), font_size)) PageShown();
    });
    sizes_[font_size] = button;
    layout->addWidget(button);
  }
  return box;
}

QRadioButton* UtilitiesPage::size_button(int font_size) const {
  auto found = sizes_.find(font_size);
  return found == sizes_.end() ? nullptr : found->second;
}

void UtilitiesPage::PageShown() {
  data_folder_->setText(FromPath(program().ledger().data_folder()));
  const int in_use = program().FontSize();
  for (auto& [font_size, button] : sizes_) button->setChecked(font_size == in_use);
}

}  // namespace zenkar
