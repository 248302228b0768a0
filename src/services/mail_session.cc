#include "services/mail_session.h"

#include "common/base64.h"
#include "common/file_system.h"
#include "common/text_field.h"

namespace zenkar {
namespace {

constexpr long kGreetedProgress = 5;
constexpr long kSenderNamedProgress = 10;
constexpr long kProgressStep = 5;
constexpr long kProgressEnd = 100;

// The port as the settings write it: its leading digits; 0 when there are
// none or they name no port.
uint16_t PortOf(std::string_view text) {
  long port = 0;
  for (size_t i = 0; i < text.size() && text[i] >= '0' && text[i] <= '9' && port <= 65535; ++i) {
    port = port * 10 + (text[i] - '0');
  }
  return port <= 65535 ? static_cast<uint16_t>(port) : 0;
}

std::string CredentialsNotSecured(const std::string& server) {
  return "The mail server " + server +
         " offers no secure connection (STARTTLS), so the user name and password were not sent "
         "to it.";
}

}  // namespace

MailSession::MailSession(const MailPorts& ports, MailTransport transport,
                         const MailSettings& settings)
    : ports_(ports),
      transport_(transport),
      settings_(settings),
      socket_(ports.connector, std::move(transport)) {}

MailSession::~MailSession() {
  socket_.Disconnect();
  ports_.ui.ClearProgress();
}

bool MailSession::Fail(const std::string& text) {
  socket_.Disconnect();
  in_message_ = false;
  ports_.ui.ClearProgress();
  ports_.ui.Error(text);
  return false;
}

void MailSession::ShowProgress(long done) {
  progress_ = done;
  ports_.ui.SetProgress(kConnectingAndSending, done, kProgressEnd);
}

SmtpReply MailSession::Command(const std::string& line) {
  SmtpReply reply;
  reply.status = socket_.WriteLine(line);
  return reply.status.ok() ? socket_.ReadReply() : reply;
}

bool MailSession::OpenMailSession() {
  ShowProgress(0);
  offered_ = {};
  logged_in_ = false;
  const uint16_t port = PortOf(settings_.port);
  const std::string unable = "Unable to open port " + settings_.port + " at " + settings_.server;
  if (port == 0 || !socket_.Connect(settings_.server, port).ok()) return Fail(unable);
  if (transport_.IsImplicitTls(port)) {
    if (Status s = socket_.StartTls(); !s.ok()) return Fail(s.message());
  }
  static_cast<void>(socket_.ReadReply());  // the greeting, whatever its code
  ShowProgress(kGreetedProgress);
  return Greet() && NameSender();
}

bool MailSession::Greet() {
  std::string name = socket_.OwnAddress();
  if (name.empty()) name = settings_.server;
  const SmtpReply greeting = Command("EHLO " + name);
  if (!greeting.acceptable()) return Fail("ST: EMail greeting failed." + greeting.Text());
  offered_ = CapabilitiesOf(greeting);
  if (offered_.starttls && !socket_.secure() && !StartTls(name)) return false;
  if (offered_.auth) {
    if (!socket_.secure() && !socket_.peer_is_loopback()) {
      return Fail(CredentialsNotSecured(settings_.server));
    }
    LogIn();
  }
  return true;
}

bool MailSession::StartTls(const std::string& greeting_name) {
  const SmtpReply ready = Command("STARTTLS");
  if (!ready.acceptable()) return Fail("TLS: EMail greeting failed." + ready.Text());
  if (Status s = socket_.StartTls(); !s.ok()) return Fail(s.message());
  // What the server offered before TLS may have been changed on the way.
  const SmtpReply greeting = Command("EHLO " + greeting_name);
  if (!greeting.acceptable()) return Fail("TLS: EMail greeting failed." + greeting.Text());
  offered_ = CapabilitiesOf(greeting);
  return true;
}

void MailSession::LogIn() {
  logged_in_ = false;
  if (Command("AUTH LOGIN").code() != 334) return;
  if (Command(Base64Encode(settings_.user_name)).code() != 334) return;
  const SmtpReply answer = Command(Base64Encode(settings_.password));
  logged_in_ = answer.status.ok() && !answer.lines.empty() && !answer.lines.front().empty() &&
               answer.lines.front().front() != '5';
}

bool MailSession::NameSender() {
  const SmtpReply reply = Command("MAIL FROM: <" + settings_.reply_address + ">");
  if (!reply.acceptable()) {
    const bool login_refused = offered_.auth && !logged_in_;
    return Fail((login_refused ? "User Name and/or Password failed." : "EMail From failed.") +
                reply.Text());
  }
  ShowProgress(kSenderNamedProgress);
  return true;
}

bool MailSession::SendMailEnvelope(MailMessageKind kind) {
  const Recipients recipients = RecipientsOf(settings_.to_address, settings_.reply_address);
  std::vector<std::string> commands = {"RCPT TO: <" + recipients.first + ">"};
  if (!recipients.second.empty()) commands.push_back("RCPT TO: <" + recipients.second + ">");
  if (settings_.carbon_copy) commands.push_back("RCPT TO: <" + settings_.reply_address + ">");
  commands.push_back("DATA");
  if (!SendRecipients(commands)) return false;
  in_message_ = true;
  write_failure_ = Status::Ok();
  const std::string date = FormatMailDate(ports_.clock.LocalNow(), ports_.clock.UtcOffsetMinutes());
  for (const std::string& line : MessageHeaderLines(settings_, recipients, kind, date)) {
    WriteDataLine(line);
  }
  return true;
}

// Each command's reply must be good, DATA's "354". With PIPELINING the
// commands go out together and the replies are read after, in order.
bool MailSession::SendRecipients(const std::vector<std::string>& commands) {
  std::vector<SmtpReply> replies;
  if (offered_.pipelining) {
    for (const std::string& command : commands) static_cast<void>(socket_.WriteLine(command));
    for (size_t i = 0; i < commands.size(); ++i) replies.push_back(socket_.ReadReply());
  }
  for (size_t i = 0; i < commands.size(); ++i) {
    const SmtpReply reply = offered_.pipelining ? replies[i] : Command(commands[i]);
    const bool last = i + 1 == commands.size();
    if (last ? reply.code() == 354 : reply.acceptable()) continue;
    if (offered_.auth && !logged_in_) return Fail("Login/Password failed");
    return Fail("Mail Header Error" + reply.Text());
  }
  return true;
}

void MailSession::WriteDataLine(std::string_view line) {
  if (write_failure_.ok()) write_failure_ = socket_.WriteLine(DataLine(line));
}

// `data` in base64 lines, the progress moving from `progress_from` towards
// `progress_to` in steps of 5 as the lines go out.
void MailSession::WriteBase64(std::string_view data, long progress_from, long progress_to) {
  const std::string text = Base64Encode(data);
  for (size_t at = 0; at < text.size() && write_failure_.ok(); at += kBase64LineLength) {
    WriteDataLine(std::string_view(text).substr(at, kBase64LineLength));
    const size_t sent = std::min(text.size(), at + kBase64LineLength);
    const long reached =
        progress_from + static_cast<long>((progress_to - progress_from) * sent / text.size());
    if (reached >= progress_ + kProgressStep) ShowProgress(reached - reached % kProgressStep);
  }
}

bool MailSession::SendPdfMessageBody(const std::string& pdf_path, std::string_view web_host) {
  std::string pdf;
  if (!ports_.fs.FileExists(pdf_path)) {
    ports_.ui.Error(kPdfNotFound);
    return false;
  }
  if (Status s = ports_.fs.ReadFile(pdf_path, &pdf); !s.ok()) {
    ports_.ui.Error("Error reading " + Utf8ToCp1252(pdf_path) + "\n\n" + s.message());
    return false;
  }
  for (const std::string& line : PdfPartLines(web_host, FileNameOf(pdf_path))) {
    WriteDataLine(line);
  }
  WriteBase64(pdf, progress_, kProgressEnd);
  WriteDataLine(ClosingBoundaryLine());
  return true;
}

void MailSession::SendDataFilesMessage(const std::vector<BackupFile>& files) {
  const long start = progress_;
  for (size_t i = 0; i < files.size(); ++i) {
    for (const std::string& line : DataFilePartLines(files[i].name)) WriteDataLine(line);
    const long from = start + static_cast<long>((kProgressEnd - start) * i / files.size());
    const long to = start + static_cast<long>((kProgressEnd - start) * (i + 1) / files.size());
    WriteBase64(files[i].data, from, to);
    ShowProgress(to);
  }
  WriteDataLine(ClosingBoundaryLine());
}

bool MailSession::EndMessage() {
  if (!write_failure_.ok()) return Fail("EMail 'Dot' failed.\n" + write_failure_.message());
  const SmtpReply reply = Command(".");
  in_message_ = false;
  if (!reply.acceptable()) return Fail("EMail 'Dot' failed." + reply.Text());
  ShowProgress(kProgressEnd);
  return true;
}

void MailSession::CloseMailSession(bool wait_for_reply) {
  if (socket_.connected()) {
    static_cast<void>(socket_.WriteLine("QUIT"));
    if (wait_for_reply) static_cast<void>(socket_.ReadReply());
    socket_.EndTls();
  }
  socket_.Disconnect();
  in_message_ = false;
  ports_.ui.ClearProgress();
}

void MailSession::AbandonMailSession() {
  if (socket_.connected() && !in_message_) static_cast<void>(Command("RSET"));
  if (in_message_) socket_.Disconnect();
  CloseMailSession();
}

}  // namespace zenkar
