#include "platform/printing_options_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "platform/qt_ui.h"
#include "platform/text_conversion.h"

namespace zenkar {
namespace {

QComboBox* ListOf(const std::vector<std::string>& items, int current, const char* name) {
  auto* list = new QComboBox;
  list->setObjectName(name);
  for (const std::string& item : items) list->addItem(FromCp1252(item));
  list->setCurrentIndex(current);
  return list;
}

QCheckBox* CheckBox(const char* caption, bool checked, const char* name) {
  auto* box = new QCheckBox(caption);
  box->setObjectName(name);
  box->setChecked(checked);
  return box;
}

}  // namespace

PrintingOptionsDialog::PrintingOptionsDialog(PrintingOptionsForm& form, QWidget* parent)
    : QDialog(parent), form_(form) {
  setWindowTitle(FromCp1252(kPrintingOptionsTitle));
  BuildControls();
}

void PrintingOptionsDialog::BuildControls() {
  const PrintingOptions& options = form_.options();
  printer_ = ListOf(form_.printers(), form_.printer_index(), "printerName");
  source_ = new QComboBox;
  source_->setObjectName("paperSource");
  FillSources();
  font_ = ListOf(form_.font_names(), form_.font_index(), "fontName");
  style_ = ListOf(FontStyleNames(), options.font_style, "fontStyle");
  std::vector<std::string> copies;
  for (int n = 1; n <= kMostCopies; ++n) copies.push_back(CopiesText(n));
  copies_ = ListOf(copies, std::clamp(options.copies, 1, kMostCopies) - 1, "copies");
  duplex_ = CheckBox("Duplex (2 Sided)", options.duplex, "duplex");
  collate_ = CheckBox("Collate", options.collate, "collate");
  collate_->setEnabled(options.copies > 1);
  separate_ =
      CheckBox("Print as Separate Documents", options.separate_documents, "separateDocuments");

  auto* fields = new QFormLayout;
  fields->addRow("Printer Name", printer_);
  fields->addRow("Paper Source", source_);
  fields->addRow("Font Name", font_);
  fields->addRow("Font Style", style_);
  fields->addRow("Copies", copies_);
  fields->addRow(duplex_);
  fields->addRow(collate_);
  fields->addRow(separate_);
  if (form_.for_checks()) {
    top_margin_ = new QSpinBox;
    top_margin_->setObjectName("topMargin");
    top_margin_->setRange(kLeastTopMargin, kMostTopMargin);
    top_margin_->setValue(options.additional_top_margin);
    auto* margin_row = new QHBoxLayout;
    margin_row->addWidget(top_margin_);
    margin_row->addWidget(new QLabel("Half Lines (1/12 inch)"));
    margin_row->addStretch();
    fields->addRow("Additional Top Margin", margin_row);
    check_type_ = ListOf(form_.check_types(), options.check_type - 1, "checkType");
    fields->addRow("Check Type", check_type_);
  }

  connect(printer_, &QComboBox::currentIndexChanged, this, [this](int index) {
    form_.SelectPrinter(index);
    FillSources();
  });
  connect(copies_, &QComboBox::currentIndexChanged, this,
          [this](int index) { collate_->setEnabled(index > 0); });

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, [this] {
    TakeChoice();
    accept();
  });
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fields);
  layout->addWidget(buttons);
}

void PrintingOptionsDialog::FillSources() {
  const QSignalBlocker quiet(source_);
  source_->clear();
  for (const std::string& name : form_.SourceNames()) source_->addItem(FromCp1252(name));
  source_->setCurrentIndex(form_.source_index());
}

void PrintingOptionsDialog::TakeChoice() {
  form_.SelectSource(source_->currentIndex());
  form_.SelectFont(font_->currentIndex());
  PrintingOptions& options = form_.options();
  options.font_style = style_->currentIndex();
  options.copies = copies_->currentIndex() + 1;
  options.duplex = duplex_->isChecked();
  options.collate = collate_->isEnabled() && collate_->isChecked();
  options.separate_documents = separate_->isChecked();
  if (top_margin_ != nullptr) options.additional_top_margin = top_margin_->value();
  if (check_type_ != nullptr) options.check_type = check_type_->currentIndex() + 1;
}

bool QtPrintingOptionsAsker::AskPrintingOptions(PrintingOptionsForm& form) {
  PrintingOptionsDialog dialog(form, DialogParent());
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace zenkar
