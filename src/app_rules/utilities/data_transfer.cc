#include "app_rules/utilities/data_transfer.h"

namespace zenkar {

DataTransfer::DataTransfer(Program& program)
    : program_(program), number_(InstallationNumber(program.fs(), program.installation())) {
  if (!number_)
    program.ui().Error(NoInstallationNumberMessage(program.installation().files_folder));
}

ExchangeEnvironment DataTransfer::Environment() {
  return {program_.ledger(), program_.Backups(), number_.value_or(0)};
}

DataTransferView DataTransfer::View() {
  ExchangeEnvironment env = Environment();
  ExchangeStateRecord state;
  DataTransferView view;
  view.possible = ReadState(env, &state);
  view.role = view.possible ? RoleOf(state, env.installation) : ExchangeRole::kBlocked;
  view.possible = view.possible && view.role != ExchangeRole::kBlocked;
  view.dates = ExchangeDatesOf(state, view.role, program_.date_patterns());
  const bool accountant = view.role == ExchangeRole::kAccountant;
  view.export_caption = accountant ? "Export to Client" : "Export to Accountant";
  view.import_caption = accountant ? "Import from Client" : "Import from Accountant";
  view.export_first = !accountant;
  return view;
}

void DataTransfer::CreateFile() {
  const std::optional<std::string> folder =
      program_.ui().PickFolder(kExportFolderPrompt, program_.ledger().data_folder());
  if (folder) {
    ExchangeEnvironment env = Environment();
    ExportPackage(env, *folder);
  }
  Finish();
}

std::string DataTransfer::MailWorkFolder() const {
  const Installation& installation = program_.installation();
  const std::string& parent = installation.files_folder_writable ? installation.files_folder
                                                                 : program_.ledger().data_folder();
  return parent + std::string(kMailWorkFolderName);
}

void DataTransfer::MailData(MailEnvironment& mail) {
  ExchangeEnvironment env = Environment();
  MailPackage(
      env, MailWorkFolder(),
      [&mail](std::string_view subject, const std::string& folder, std::string_view file_name) {
        return MailFileToAccountant(mail, subject, folder, file_name);
      });
  Finish();
}

bool DataTransfer::Import() {
  const std::optional<std::string> folder =
      program_.ui().PickFolder(kImportFolderPrompt, program_.ledger().data_folder());
  bool imported = false;
  if (folder) {
    ExchangeEnvironment env = Environment();
    imported = ImportPackage(env, *folder);
  }
  Finish();
  return imported;
}

void DataTransfer::Reset() {
  ExchangeEnvironment env = Environment();
  ResetRole(env);
  Finish();
}

void DataTransfer::Finish() {
  ExchangeEnvironment env = Environment();
  OfferCheckIn(env);
}

}  // namespace zenkar
