// kxacct's mail: the sends of the services library (services/mail_flows.h)
// with the program's ports, the network (60-second time-outs), the extra
// trusted certificates and implicit-TLS port the environment may name
// (ZENKAR_CA_FILE, ZENKAR_SMTPS_PORT), and the settings dialog the window
// shows.
#ifndef ZENKAR_APP_RULES_UTILITIES_MAIL_ACTIONS_H_
#define ZENKAR_APP_RULES_UTILITIES_MAIL_ACTIONS_H_

#include <memory>
#include <string>
#include <string_view>

#include "app_rules/window/program.h"
#include "common/socket.h"
#include "output/print_job.h"
#include "services/mail_flows.h"

namespace zenkar {

// The help of the "E-Mail Settings" dialog (the page's hundred and 6, the
// number of "E-Mail Data Files").
inline constexpr int kContextMailSettings = 1106;

class ProgramMail : public PdfMailHandOff {
 public:
  ProgramMail(Program& program, MailSettingsForm& form);

  // "Send by E-Mail (PDF)": the report run hands each finished PDF here.
  bool SendPdf(const std::string& pdf_path, std::string_view title) override;
  // "E-Mail Data Files" (106, Ctrl+E).
  void EmailDataFiles();
  // What the accountant exchange mails its package with
  // (MailFileToAccountant).
  MailEnvironment& environment() { return env_; }

 private:
  std::unique_ptr<Connector> connector_;
  MailEnvironment env_;
};

}  // namespace zenkar

#endif  // ZENKAR_APP_RULES_UTILITIES_MAIL_ACTIONS_H_
