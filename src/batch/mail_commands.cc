#include "batch/mail_commands.h"

#include <cstdlib>

#include "batch/batch_password.h"
#include "common/text_field.h"

namespace zenkar {
namespace {

// A field the dialog would have shown with its placeholder: never set. The
// port's placeholder is the usual submission port and serves as it is.
std::string NotSet(MailField field) {
  return "\"" + std::string(CaptionOf(field)) +
         "\" is not set in the E-Mail Settings. Set the mail settings once in Zenkar Accounting "
         "(\"E-Mail Data Files\" or \"Send by E-Mail (PDF)\").";
}

std::string Refused(MailField field) {
  std::string text = "kxbatch sends with the E-Mail Settings of Zenkar Accounting: check \"" +
                     std::string(CaptionOf(field)) + "\" there";
  if (field == MailField::kToAddress) text += ", or name another address with --to ADDRESS";
  if (field == MailField::kPassword) text += ", or name its file with --mail-password-file FILE";
  return text + ".";
}

}  // namespace

bool BatchMailSettings::Show(const MailSettings& shown, const std::vector<MailField>& placeholders,
                             const ContinueCheck& on_continue) {
  Ui& ui = context_.ui;
  for (const MailField field : placeholders) {
    if (field == MailField::kPort) continue;
    ui.Error(NotSet(field));
    return false;
  }
  MailSettings values = shown;
  if (!invocation_.mail_to.empty()) values.to_address = Utf8ToCp1252(invocation_.mail_to);
  if (values.password.empty()) {
    if (invocation_.mail_password_file.empty()) {
      ui.Error(kMailPasswordMissing);
      return false;
    }
    const std::optional<std::string> password =
        ReadPasswordFile(context_.env.fs, ui,
                         ResolvePath(invocation_.mail_password_file, context_.env.current_folder));
    if (!password) return false;
    values.password = Utf8ToCp1252(*password);
  }
  if (const std::optional<MailField> refused = on_continue(values)) {
    ui.Error(Refused(*refused));
    return false;
  }
  return true;
}

BatchMail::BatchMail(CommandContext& context, const Invocation& invocation)
    : form_(context, invocation),
      connector_(PosixConnector()),
      env_{context.ledger,
           form_,
           {*connector_, context.ui, context.env.clock, context.env.fs},
           MailTransportFromEnvironment(std::getenv("ZENKAR_CA_FILE"),
                                        std::getenv("ZENKAR_SMTPS_PORT")),
           ZENKAR_WEB_HOST} {}

bool RunMailData(const Invocation& invocation, CommandContext& context) {
  if (!OpenBooks(context)) return false;
  BatchMail mail(context, invocation);
  return EmailDataFiles(mail.environment());
}

}  // namespace zenkar
