#include "app/utilities/mail_settings_dialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include "app_rules/utilities/mail_actions.h"
#include "platform/help_context.h"
#include "platform/text_conversion.h"

namespace zenkar {
namespace {

// The widths the settings keep (KXACCT.CFG).
constexpr int kNameWidth = 40;
constexpr int kServerWidth = 60;
constexpr int kPortWidth = 8;
// The password field takes more than the settings keep, so that a longer
// password is refused by the check rather than cut by the field.
constexpr int kPasswordFieldWidth = 64;

QString ObjectNameOf(MailField field) {
  return "mailField" + QString::number(static_cast<int>(field));
}

}  // namespace

MailSettingsDialog::MailSettingsDialog(QWidget* parent, const MailSettings& shown,
                                       MailSettingsForm::ContinueCheck on_continue,
                                       std::function<void()> on_help)
    : QDialog(parent), on_continue_(std::move(on_continue)) {
  setObjectName("mailSettingsDialog");
  setWindowTitle(FromCp1252(kMailSettingsTitle));
  SetHelpContext(this, kContextMailSettings);
  auto* form = new QFormLayout;
  connection_ = new QComboBox;
  connection_->setObjectName(ObjectNameOf(MailField::kConnection));
  for (std::string_view choice : MailConnectionChoices()) connection_->addItem(FromCp1252(choice));
  connection_->setCurrentIndex(shown.connection);
  fields_[MailField::kConnection] = connection_;
  form->addRow(FromCp1252(CaptionOf(MailField::kConnection)), connection_);
  const auto add = [&](QWidget* widget, MailField field) {
    form->addRow(FromCp1252(CaptionOf(field)), widget);
  };
  add(AddText(MailField::kSenderName, shown.sender_name, kNameWidth), MailField::kSenderName);
  add(AddText(MailField::kReplyAddress, shown.reply_address, kNameWidth), MailField::kReplyAddress);
  add(AddText(MailField::kServer, shown.server, kServerWidth), MailField::kServer);
  add(AddText(MailField::kPort, shown.port, kPortWidth), MailField::kPort);
  add(AddText(MailField::kUserName, shown.user_name, kNameWidth), MailField::kUserName);
  QLineEdit* password = AddText(MailField::kPassword, shown.password, kPasswordFieldWidth);
  password->setEchoMode(QLineEdit::Password);
  add(password, MailField::kPassword);
  form->addRow(QString(), AddCheck(MailField::kSavePassword, shown.save_password));
  QLineEdit* to = AddText(MailField::kToAddress, shown.to_address, kNameWidth);
  to->setReadOnly(ToIsReadOnly(shown.to_address));
  add(to, MailField::kToAddress);
  add(AddText(MailField::kSubject, shown.subject, kNameWidth), MailField::kSubject);
  form->addRow(QString(), AddCheck(MailField::kCarbonCopy, shown.carbon_copy));

  auto* continue_button = new QPushButton("Continue");
  continue_button->setObjectName("continue");
  continue_button->setDefault(true);
  auto* cancel_button = new QPushButton("Cancel");
  cancel_button->setObjectName("cancel");
  auto* help_button = new QPushButton("Help");
  help_button->setObjectName("help");
  connect(continue_button, &QPushButton::clicked, this, [this] { Continue(); });
  connect(cancel_button, &QPushButton::clicked, this, &QDialog::reject);
  connect(help_button, &QPushButton::clicked, this, on_help);
  connect(new QShortcut(QKeySequence(Qt::Key_F1), this), &QShortcut::activated, this, on_help);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(continue_button);
  buttons->addWidget(cancel_button);
  buttons->addWidget(help_button);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addLayout(buttons);
  fields_.at(FirstFocusOf(shown))->setFocus();
}

QLineEdit* MailSettingsDialog::AddText(MailField field, const std::string& value, int width) {
  auto* edit = new QLineEdit(FromCp1252(value));
  edit->setObjectName(ObjectNameOf(field));
  edit->setMaxLength(width);
  fields_[field] = edit;
  return edit;
}

QCheckBox* MailSettingsDialog::AddCheck(MailField field, bool on) {
  auto* box = new QCheckBox(FromCp1252(CaptionOf(field)));
  box->setObjectName(ObjectNameOf(field));
  box->setChecked(on);
  fields_[field] = box;
  return box;
}

QLineEdit* MailSettingsDialog::text(MailField field) const {
  return qobject_cast<QLineEdit*>(fields_.at(field));
}

QCheckBox* MailSettingsDialog::check(MailField field) const {
  return qobject_cast<QCheckBox*>(fields_.at(field));
}

MailSettings MailSettingsDialog::Values() const {
  MailSettings values;
  values.connection = connection_->currentIndex();
  values.sender_name = ToCp1252(text(MailField::kSenderName)->text());
  values.reply_address = ToCp1252(text(MailField::kReplyAddress)->text());
  values.server = ToCp1252(text(MailField::kServer)->text());
  values.port = ToCp1252(text(MailField::kPort)->text());
  values.user_name = ToCp1252(text(MailField::kUserName)->text());
  values.password = ToCp1252(text(MailField::kPassword)->text());
  values.save_password = check(MailField::kSavePassword)->isChecked();
  values.to_address = ToCp1252(text(MailField::kToAddress)->text());
  values.subject = ToCp1252(text(MailField::kSubject)->text());
  values.carbon_copy = check(MailField::kCarbonCopy)->isChecked();
  return values;
}

void MailSettingsDialog::Continue() {
  const std::optional<MailField> refused = on_continue_(Values());
  if (!refused) {
    accept();
    return;
  }
  QWidget* mend = fields_.at(*refused);
  mend->setFocus();
  if (auto* edit = qobject_cast<QLineEdit*>(mend)) edit->selectAll();
}

bool QtMailSettingsForm::Show(const MailSettings& shown, const std::vector<MailField>&,
                              const ContinueCheck& on_continue) {
  MailSettingsDialog dialog(parent_, shown, on_continue,
                            [this] { program_.help().ShowHelp(kContextMailSettings); });
  return dialog.exec() == QDialog::Accepted;
}

void EmailDataFiles(Program& program, QWidget* parent) {
  QtMailSettingsForm form(parent, program);
  ProgramMail(program, form).EmailDataFiles();
}

}  // namespace zenkar
