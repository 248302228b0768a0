// MailSession: one conversation with the company's SMTP server, from the
// greeting to QUIT, over a SecureSocket.
//
// OpenMailSession greets the server (EHLO), secures the connection (TLS from
// the start on port 465, otherwise STARTTLS when the server offers it, after
// which the first greeting's offers are forgotten and EHLO is sent again),
// logs in with AUTH LOGIN when the server offers AUTH, and names the sender
// (MAIL FROM). SendMailEnvelope names the recipients (RCPT TO), opens the
// message (DATA) and writes its header lines; the body follows, then the
// closing "." (EndMessage) and QUIT (CloseMailSession).
//
// The user name and password go only over a secured connection, or to a
// server on this machine: a server elsewhere that offers AUTH but no STARTTLS
// is refused before they are sent.
//
// Each failure shows one error box, through the Ui, with the server's reply
// lines appended where the message takes them, and leaves the session
// closed. The progress window "Connecting and Sending" shows the way through.
#ifndef ZENKAR_SERVICES_MAIL_SESSION_H_
#define ZENKAR_SERVICES_MAIL_SESSION_H_

#include <string>
#include <string_view>
#include <vector>

#include "common/backup_set.h"
#include "common/clock.h"
#include "common/file_system.h"
#include "common/socket.h"
#include "common/ui.h"
#include "services/mail_message.h"
#include "services/mail_settings.h"
#include "services/secure_socket.h"

namespace zenkar {

inline constexpr std::string_view kConnectingAndSending = "Connecting and Sending";
inline constexpr std::string_view kPdfNotFound = "PDF file not found (email_PDF_File)";

// What a session works with.
struct MailPorts {
  Connector& connector;
  Ui& ui;
  const Clock& clock;
  FileSystem& fs;
};

class MailSession {
 public:
  MailSession(const MailPorts& ports, MailTransport transport, const MailSettings& settings);
  ~MailSession();
  MailSession(const MailSession&) = delete;
  MailSession& operator=(const MailSession&) = delete;

  // Connects, greets, secures, logs in and names the sender. False after
  // the error was shown; the session is then closed.
  bool OpenMailSession();
  // RCPT TO for each recipient (the reply address too with carbon copies),
  // DATA and the header lines of `kind`. False after the error was shown;
  // the session is then closed.
  bool SendMailEnvelope(MailMessageKind kind);
  // The PDF message's text and the file at `pdf_path` as its attachment.
  // False when the file is not there ("PDF file not found
  // (email_PDF_File)") or cannot be read: nothing of it was sent.
  bool SendPdfMessageBody(const std::string& pdf_path, std::string_view web_host);
  // Each of `files` as an attachment.
  void SendDataFilesMessage(const std::vector<BackupFile>& files);
  // The closing "." and the server's acceptance of the message ("EMail 'Dot'
  // failed." otherwise). False after the error was shown; the session is
  // then closed.
  bool EndMessage();
  // QUIT (its reply read when `wait_for_reply`) and the connection closed.
  void CloseMailSession(bool wait_for_reply = true);
  // Ends a session that failed half-way: RSET and QUIT; inside a message,
  // the connection is closed without the closing ".", so the server drops
  // what it received.
  void AbandonMailSession();

 private:
  bool Fail(const std::string& text);
  bool Greet();
  bool StartTls(const std::string& greeting_name);
  void LogIn();
  bool NameSender();
  SmtpReply Command(const std::string& line);
  bool SendRecipients(const std::vector<std::string>& commands);
  void WriteDataLine(std::string_view line);
  void WriteBase64(std::string_view data, long progress_from, long progress_to);
  void ShowProgress(long done);

  MailPorts ports_;
  MailTransport transport_;
  MailSettings settings_;
  SecureSocket socket_;
  Capabilities offered_;
  bool logged_in_ = false;
  bool in_message_ = false;
  Status write_failure_;
  long progress_ = 0;
};

}  // namespace zenkar

#endif  // ZENKAR_SERVICES_MAIL_SESSION_H_
