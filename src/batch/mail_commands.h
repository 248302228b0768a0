// Mail from kxbatch: the report and data-file sends of the Reports tab and
// the File (Utilities) page, without a dialog.
//
// The company's E-Mail Settings (kept by kxacct) are taken as the dialog
// would show them, with the same checks; --to ADDRESS sends elsewhere for
// one run. The SMTP password is the one saved in the settings, else the
// first line of the file --mail-password-file names (readable by its owner
// only). Nothing is saved: the books are only read. A refusal of the server
// is shown with its reply lines.
#ifndef ZENKAR_BATCH_MAIL_COMMANDS_H_
#define ZENKAR_BATCH_MAIL_COMMANDS_H_

#include <memory>
#include <string_view>

#include "batch/commands.h"
#include "services/mail_flows.h"

namespace zenkar {

inline constexpr std::string_view kMailPasswordMissing =
    "The SMTP password is not saved in the E-Mail Settings: name a file that holds it with "
    "--mail-password-file FILE.";

// The settings dialog of kxbatch: the company's values, the command line's
// recipient and password, "Continue" pressed once.
class BatchMailSettings : public MailSettingsForm {
 public:
  BatchMailSettings(CommandContext& context, const Invocation& invocation)
      : context_(context), invocation_(invocation) {}
  bool Show(const MailSettings& shown, const std::vector<MailField>& placeholders,
            const ContinueCheck& on_continue) override;

 private:
  CommandContext& context_;
  const Invocation& invocation_;
};

// What kxbatch's sends work with: the settings form above, the network,
// ZENKAR_CA_FILE and ZENKAR_SMTPS_PORT.
class BatchMail {
 public:
  BatchMail(CommandContext& context, const Invocation& invocation);
  MailEnvironment& environment() { return env_; }

 private:
  BatchMailSettings form_;
  std::unique_ptr<Connector> connector_;
  MailEnvironment env_;
};

}  // namespace zenkar

#endif  // ZENKAR_BATCH_MAIL_COMMANDS_H_
