// The "Printing Options" dialog: the widgets over PrintingOptionsForm, which
// holds the lists and the rules (printing_options.h).
#ifndef ZENKAR_PLATFORM_PRINTING_OPTIONS_DIALOG_H_
#define ZENKAR_PLATFORM_PRINTING_OPTIONS_DIALOG_H_

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QSpinBox>

#include "output/printer_jobs.h"
#include "output/printing_options.h"

namespace zenkar {

class PrintingOptionsDialog : public QDialog {
  Q_OBJECT

 public:
  // `form` has been loaded; OK leaves the choice in it.
  PrintingOptionsDialog(PrintingOptionsForm& form, QWidget* parent);

 private:
  void BuildControls();
  void FillSources();
  void TakeChoice();

  PrintingOptionsForm& form_;
  QComboBox* printer_ = nullptr;
  QComboBox* source_ = nullptr;
  QComboBox* font_ = nullptr;
  QComboBox* style_ = nullptr;
  QComboBox* copies_ = nullptr;
  QCheckBox* duplex_ = nullptr;
  QCheckBox* collate_ = nullptr;
  QCheckBox* separate_ = nullptr;
  QSpinBox* top_margin_ = nullptr;
  QComboBox* check_type_ = nullptr;
};

// The dialog as the printer jobs ask for it.
class QtPrintingOptionsAsker : public PrintingOptionsAsker {
 public:
  bool AskPrintingOptions(PrintingOptionsForm& form) override;
};

}  // namespace zenkar

#endif  // ZENKAR_PLATFORM_PRINTING_OPTIONS_DIALOG_H_
