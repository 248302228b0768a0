#include "app_rules/utilities/mail_actions.h"

#include <cstdlib>

namespace zenkar {

ProgramMail::ProgramMail(Program& program, MailSettingsForm& form)
    : connector_(PosixConnector()),
      env_{program.ledger(),
           form,
           {*connector_, program.ui(), program.clock(), program.fs()},
           MailTransportFromEnvironment(std::getenv("ZENKAR_CA_FILE"),
                                        std::getenv("ZENKAR_SMTPS_PORT")),
           program.web_site().host} {}

bool ProgramMail::SendPdf(const std::string& pdf_path, std::string_view title) {
  return SendReportPdf(env_, pdf_path, title);
}

void ProgramMail::EmailDataFiles() { zenkar::EmailDataFiles(env_); }

}  // namespace zenkar
