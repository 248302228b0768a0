// "E-Mail Settings - Contact your mail provider for this information": the
// dialog every send shows first, over the rules of services/mail_settings.h.
//
// The fields stand in their order ("Connection", "Your Name", ..., "Send
// Carbon Copies to Your Reply Address"), each text as long as the settings
// keep it (the password excepted: a longer one is refused, not cut); the
// password is masked. "Continue" hands the fields to the rules, which either
// accept them (the dialog closes) or name the field to mend (it takes the
// focus and the dialog stays open). "Help" and F1 open the dialog's help.
#ifndef ZENKAR_APP_UTILITIES_MAIL_SETTINGS_DIALOG_H_
#define ZENKAR_APP_UTILITIES_MAIL_SETTINGS_DIALOG_H_

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <functional>
#include <map>

#include "app_rules/window/program.h"
#include "services/mail_settings.h"

namespace zenkar {

class MailSettingsDialog : public QDialog {
  Q_OBJECT

 public:
  MailSettingsDialog(QWidget* parent, const MailSettings& shown,
                     MailSettingsForm::ContinueCheck on_continue, std::function<void()> on_help);

  // The widget of `field`: a QLineEdit, a QCheckBox or the QComboBox.
  QWidget* field(MailField field) const { return fields_.at(field); }
  QLineEdit* text(MailField field) const;
  QCheckBox* check(MailField field) const;
  // What the fields hold.
  MailSettings Values() const;
  // "Continue".
  void Continue();

 private:
  QLineEdit* AddText(MailField field, const std::string& value, int width);
  QCheckBox* AddCheck(MailField field, bool on);

  MailSettingsForm::ContinueCheck on_continue_;
  std::map<MailField, QWidget*> fields_;
  QComboBox* connection_ = nullptr;
};

// The dialog as the settings form of the mail flows, parented to `parent`,
// its help from the program's help system.
class QtMailSettingsForm : public MailSettingsForm {
 public:
  QtMailSettingsForm(QWidget* parent, Program& program) : parent_(parent), program_(program) {}
  bool Show(const MailSettings& shown, const std::vector<MailField>& placeholders,
            const ContinueCheck& on_continue) override;

 private:
  QWidget* parent_;
  Program& program_;
};

// "E-Mail Data Files" (106, Ctrl+E), its dialog parented to `parent`.
void EmailDataFiles(Program& program, QWidget* parent);

}  // namespace zenkar

#endif  // ZENKAR_APP_UTILITIES_MAIL_SETTINGS_DIALOG_H_
