#include "services/mail_flows.h"

#include <cerrno>
#include <optional>

#include "common/backup_writer.h"
#include "common/text_field.h"

namespace zenkar {
namespace {

constexpr std::string_view kSettingsFileName = "KXACCT.CFG";
constexpr size_t kPasswordStoreOffset = 1921;

// The dialog, with `subject` set first; the settings to send with, or
// nothing when the user cancelled.
std::optional<MailSettings> AskSettings(MailEnvironment& env, std::string_view subject) {
  env.ledger.settings().mail_subject = std::string(subject);
  return RunMailSettingsDialog(env.ledger, env.form);
}

// "Bin2MIME Error: " + the error number + " - " + the file's path.
std::string ReadError(const Status& status, const std::string& folder, std::string_view name) {
  const int number = status.error_number() != 0 ? status.error_number() : 5;
  return "Bin2MIME Error: " + std::to_string(number) + " - " + Utf8ToCp1252(folder) +
         std::string(name);
}

// The settings file as it is attached: the mail password's field blank.
void BlankMailPassword(GatheredFiles& files) {
  for (size_t i = 0; i < files.names.size(); ++i) {
    std::string& contents = files.contents[i];
    if (UpperCased(files.names[i]) != kSettingsFileName ||
        contents.size() < kPasswordStoreOffset + kPasswordStoreWidth) {
      continue;
    }
    PutTextField(contents, kPasswordStoreOffset, kPasswordStoreWidth, "");
  }
}

// Sends `files` as a data-files message: the session from the greeting to
// QUIT, then "Finished e-mailing data".
bool SendDataFiles(MailEnvironment& env, const MailSettings& settings,
                   const std::vector<BackupFile>& files) {
  MailSession session(env.ports, env.transport, settings);
  if (!session.OpenMailSession() || !session.SendMailEnvelope(MailMessageKind::kDataFiles)) {
    return false;
  }
  session.SendDataFilesMessage(files);
  if (!session.EndMessage()) return false;
  session.CloseMailSession(/*wait_for_reply=*/false);
  env.ports.ui.Information(kFinishedMailingData);
  return true;
}

}  // namespace

bool SendReportPdf(MailEnvironment& env, const std::string& pdf_path, std::string_view title) {
  const std::optional<MailSettings> settings = AskSettings(env, title);
  if (!settings) return false;
  MailSession session(env.ports, env.transport, *settings);
  if (!session.OpenMailSession() || !session.SendMailEnvelope(MailMessageKind::kPdf)) return false;
  if (!session.SendPdfMessageBody(pdf_path, env.web_host)) {
    session.AbandonMailSession();
    return false;
  }
  if (!session.EndMessage()) return false;
  session.CloseMailSession();
  env.ports.ui.Information(kFinishedSending);
  return true;
}

bool EmailDataFiles(MailEnvironment& env) {
  const std::optional<MailSettings> settings = AskSettings(env, kDataFilesSubject);
  if (!settings) return false;
  BusyCursor busy(env.ports.ui);
  const std::string& folder = env.ledger.data_folder();
  BackupFileList list;
  BuildBackupFileList(&list, IdentityScope(kAccountingIdentity), /*for_restore=*/false);
  GatheredFiles gathered;
  if (Status s = GatherListedFiles(env.ports.fs, folder, &list, &gathered); !s.ok()) {
    env.ports.ui.Error(ReadError(s, folder, gathered.failed_name));
    return false;
  }
  BlankMailPassword(gathered);
  return SendDataFiles(env, *settings, gathered.Files());
}

bool MailFileToAccountant(MailEnvironment& env, std::string_view subject, const std::string& folder,
                          std::string_view file_name) {
  const std::optional<MailSettings> settings = AskSettings(env, subject);
  if (!settings) return false;
  BusyCursor busy(env.ports.ui);
  const std::string path = folder + std::string(file_name);
  std::string contents;
  const Status read = env.ports.fs.FileExists(path) ? env.ports.fs.ReadFile(path, &contents)
                                                    : Status::IoError(path, ENOENT);
  if (!read.ok()) {
    env.ports.ui.Error(ReadError(read, folder, file_name));
    return false;
  }
  return SendDataFiles(env, *settings, {{std::string(file_name), contents}});
}

}  // namespace zenkar
