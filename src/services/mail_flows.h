// The three ways the program sends mail, each through the settings dialog
// and one MailSession:
//
// - a report as PDF ("Send by E-Mail (PDF)" on the Reports tab): the report
//   run hands the finished file over (ReportMailHandOff, the PdfMailHandOff
//   of the output library), subject "Accounting Report";
// - the data files ("E-Mail Data Files", 106, Ctrl+E): every file of the
//   accounting group, the older programs' files included, subject "Data
//   Files";
// - one file for the accountant exchange (MailFileToAccountant), under the
//   subject the exchange chooses.
//
// Every message box goes through the Ui port, so each flow is tested with a
// scripted Ui and a scripted dialog against servers on the loopback address.
#ifndef ZENKAR_SERVICES_MAIL_FLOWS_H_
#define ZENKAR_SERVICES_MAIL_FLOWS_H_

#include <string>
#include <string_view>

#include "ledger/ledger.h"
#include "output/print_job.h"
#include "services/mail_session.h"
#include "services/mail_settings.h"

namespace zenkar {

inline constexpr std::string_view kFinishedSending = "Finished Sending";
inline constexpr std::string_view kFinishedMailingData = "Finished e-mailing data";
inline constexpr std::string_view kDataFilesSubject = "Data Files";

// What the flows work with.
struct MailEnvironment {
  Ledger& ledger;  // the company: its mail settings, its data folder
  MailSettingsForm& form;
  MailPorts ports;
  MailTransport transport;
  std::string web_host;  // named in a PDF message's text
};

// Mails the PDF at `pdf_path` with `title` as its subject; "Finished
// Sending" once the server accepted it. False when the user cancelled the
// dialog or the send failed (said).
bool SendReportPdf(MailEnvironment& env, const std::string& pdf_path, std::string_view title);

// "E-Mail Data Files": the accounting group's files (read as a backup reads
// them, before the server is contacted) as attachments; "Finished e-mailing
// data" once the server accepted them. The attached KXACCT.CFG is a copy
// with the mail password blanked; the file itself is not touched.
bool EmailDataFiles(MailEnvironment& env);

// The accountant exchange's send: the file `file_name` of `folder` (ending
// in "/") as the one attachment of a data-files message under `subject`;
// "Finished e-mailing data" once the server accepted it. A file that cannot
// be read is reported ("Bin2MIME Error: ...") and nothing is sent.
bool MailFileToAccountant(MailEnvironment& env, std::string_view subject, const std::string& folder,
                          std::string_view file_name);

// The PdfMail target's hand-off: each finished report PDF is mailed.
class ReportMailHandOff : public PdfMailHandOff {
 public:
  explicit ReportMailHandOff(MailEnvironment& env) : env_(env) {}
  bool SendPdf(const std::string& pdf_path, std::string_view title) override {
    return SendReportPdf(env_, pdf_path, title);
  }

 private:
  MailEnvironment& env_;
};

}  // namespace zenkar

#endif  // ZENKAR_SERVICES_MAIL_FLOWS_H_
