#include "services/exchange/accountant_exchange.h"

#include <map>
#include <optional>

#include "common/backup_restore.h"
#include "common/backup_set.h"
#include "common/record_file.h"
#include "common/text_field.h"
#include "ledger/transaction_record.h"

namespace zenkar {
namespace {

constexpr size_t kLine = TransactionRecord::kSize;

std::string Shown(const std::string& path) { return Utf8ToCp1252(path); }
std::string Named(std::string_view text) { return EscapeControls(Trim(text)); }

std::string StatePath(ExchangeEnvironment& env) {
  return DataFilePath(env.backups.fs, env.ledger.data_folder(), ExchangeStateRecord::kFileName);
}

// The file's contents, or nothing when it is missing or cannot be read.
std::optional<std::string> FileContents(FileSystem& fs, const std::string& path) {
  std::string bytes;
  if (!fs.FileExists(path) || !fs.ReadFile(path, &bytes).ok()) return std::nullopt;
  return bytes;
}

// Replaces (or, with nothing, removes) the state file under the folder's
// writing lock.
bool WriteState(ExchangeEnvironment& env, std::optional<std::string> bytes) {
  LinesChange change;
  change.alongside.push_back({std::string(ExchangeStateRecord::kFileName), std::move(bytes)});
  return env.ledger.ChangeLinesWithFiles(change);
}

bool MarkEveryLine(ExchangeEnvironment& env, int32_t mark) {
  LinesChange change;
  change.exchange_mark = mark;
  return env.ledger.ChangeLinesWithFiles(change);
}

bool PackageWritten(int result) { return result == kBackupWritten || result == kBackupOnDisc; }

std::string ExportedMessage(const std::string& folder, std::string_view package) {
  return std::string(kExportedTo) + "\n" + Shown(folder) + std::string(package);
}

// The package `name` in `folder`; says so when it is not there.
std::optional<std::string> FindPackage(ExchangeEnvironment& env, const std::string& folder,
                                       std::string_view name) {
  const std::string path = DataFilePath(env.backups.fs, folder, name);
  if (env.backups.fs.FileExists(path)) return path;
  env.backups.ui.Error(std::string(kImportFileNotFound) + "\n" + Shown(folder));
  return std::nullopt;
}

// The files of the package at `path` that the list of `scope` names,
// expanded and checked, and the state it carries. False (said) when it
// cannot be read, is damaged anywhere or carries no whole state.
bool ReadPackage(ExchangeEnvironment& env, const std::string& path, BackupScope scope,
                 std::map<std::string, std::string>* files, ExchangeStateRecord* state) {
  Ui& ui = env.backups.ui;
  std::string bytes;
  if (Status s = env.backups.fs.ReadFile(path, &bytes); !s.ok()) {
    ui.Error("The import file\n" + Shown(path) + "\ncould not be read:\n" + s.message() +
             "\n\nNothing was imported.");
    return false;
  }
  BackupSetFile set;
  BackupFileList list;
  BuildBackupFileList(&list, scope, /*for_restore=*/true);
  Status status = BackupSetFile::Decode(std::move(bytes), &set);
  if (status.ok()) status = ExpandListedFiles(set, list, files);
  if (!status.ok()) {
    ui.Error("The import file\n" + Shown(path) + "\nis damaged: " + status.message() +
             ".\n\nNothing was imported.");
    return false;
  }
  const auto found = files->find(std::string(ExchangeStateRecord::kFileName));
  if (found == files->end() || found->second.size() != ExchangeStateRecord::kSize) {
    ui.Error(kInvalidImportFile);
    return false;
  }
  *state = ExchangeStateRecord::Decode(found->second);
  return true;
}

// The lines of a package file: whole records only.
const std::string* LinesOf(const std::map<std::string, std::string>& files, std::string_view name) {
  const auto found = files.find(std::string(name));
  if (found == files.end() || found->second.size() % kLine != 0) return nullptr;
  return &found->second;
}

// --- The client ----------------------------------------------------------------

// The subject a client's package is mailed under: its company's name.
std::string ClientMailSubject(const CompanySettings& settings) {
  std::string_view name = Trim(settings.name_line_1);
  if (name.empty()) name = Trim(settings.name_line_2);
  if (name.empty()) name = "Client";
  return "Zenkar Data from " + std::string(name);
}

// `mail`, when given, sends the package instead of leaving it in `folder`.
bool ExportToAccountant(ExchangeEnvironment& env, const std::string& folder,
                        ExchangeStateRecord state, const PackageMailer* mail) {
  Ledger& ledger = env.ledger;
  // The package takes the settings from the disk.
  if (!ledger.SaveCompanySettings()) return false;
  const std::optional<std::string> previous = FileContents(env.backups.fs, StatePath(env));
  state.client_number = env.installation;
  state.client_export_date = ledger.clock().Today();
  state.client_name_1 = ledger.settings().name_line_1;
  state.client_name_2 = ledger.settings().name_line_2;
  if (!WriteState(env, state.Encode())) return false;
  BackupFileList list;
  const bool delivered =
      PackageWritten(WriteBackupSet(env.backups, folder, &list, kScopeClientPackage)) &&
      (mail == nullptr ||
       (*mail)(ClientMailSubject(ledger.settings()), folder, kClientPackageName));
  if (!delivered) {
    // Said; the state goes back to what it was before the export, and the
    // lines are not checked out for a package the accountant never got.
    (void)WriteState(env, previous);
    return false;
  }
  if (!MarkEveryLine(env, kMarkCheckedOut)) return false;
  if (mail == nullptr) env.backups.ui.Information(ExportedMessage(folder, kClientPackageName));
  return true;
}

// The accountant's lines, checked against this copy's chart and payees and
// made ready to append: mark 0, payees found by name. Nothing (said) when a
// line names an account or payee this copy lacks.
std::optional<std::vector<TransactionRecord>> AccountantLines(const Ledger& ledger, Ui& ui,
                                                              const std::string& bytes) {
  std::vector<TransactionRecord> lines;
  for (size_t at = 0; at < bytes.size(); at += kLine) {
    TransactionRecord line = TransactionRecord::Decode(std::string_view(bytes).substr(at, kLine));
    if (!ledger.IsEntryAccount(line.account)) {
      ui.Error("Cannot import. Account " + Named(line.account) +
               " is missing or marked as a non-entry account.");
      return std::nullopt;
    }
    line.payee_number = 0;
    if (!Trim(line.payee_name_1).empty()) {
      line.payee_number = ledger.FindPayeeByName(line.payee_name_1);
      if (line.payee_number == 0) {
        ui.Error("Cannot import. Payee " + Named(line.payee_name_1) + " is missing.");
        return std::nullopt;
      }
    }
    line.exchange_mark = kMarkNormal;
    line.record_number = 0;
    lines.push_back(std::move(line));
  }
  return lines;
}

bool ImportFromAccountant(ExchangeEnvironment& env, const std::string& folder,
                          const ExchangeStateRecord& state) {
  Ui& ui = env.backups.ui;
  const std::optional<std::string> path = FindPackage(env, folder, kAccountantPackageName);
  if (!path || !ui.YesNoDefaultYes(kImportFromAccountantQuestion)) return false;
  std::map<std::string, std::string> files;
  ExchangeStateRecord package;
  if (!ReadPackage(env, *path, kScopeAccountantPackageRead, &files, &package)) return false;
  if (package.accountant_number == env.installation) {
    ui.Error(kExchangeBlocked);
    return false;
  }
  // The state read before anything of the package was taken holds the
  // export date of the last package imported.
  if (package.accountant_export_date != kNoDate &&
      package.accountant_export_date == state.accountant_export_date &&
      !ui.YesNoDefaultNo(kSameDateQuestion)) {
    return false;
  }
  const std::string* entries = LinesOf(files, kNewEntriesFileName);
  if (entries == nullptr) {
    ui.Error(kInvalidImportFile);
    return false;
  }
  if (entries->empty()) {
    ui.Information(kNothingToImport);
    return false;
  }
  Ledger& ledger = env.ledger;
  std::optional<std::vector<TransactionRecord>> lines = AccountantLines(ledger, ui, *entries);
  if (!lines) return false;
  package.client_import_date = ledger.clock().Today();
  LinesChange change;
  change.exchange_mark = kMarkNormal;
  change.appended = std::move(*lines);
  change.alongside = {{std::string(ExchangeStateRecord::kFileName), package.Encode()},
                      {std::string(kNewEntriesFileName), std::nullopt}};
  if (!ledger.ChangeLinesWithFiles(change)) return false;
  ui.Information(kDataImportFinished);
  return true;
}

// --- The accountant --------------------------------------------------------------

std::string NamesQuestion(const ExchangeStateRecord& package, const CompanySettings& settings) {
  return "The import company name(s) are:\n" + Named(package.client_name_1) + "\n" +
         Named(package.client_name_2) + "\n\nThe existing data has:\n" +
         Named(settings.name_line_1) + "\n" + Named(settings.name_line_2) +
         std::string(kNamesQuestionEnd);
}

bool ImportFromClient(ExchangeEnvironment& env, const std::string& folder) {
  Ui& ui = env.backups.ui;
  Ledger& ledger = env.ledger;
  const std::optional<std::string> path = FindPackage(env, folder, kClientPackageName);
  if (!path || !ui.YesNoDefaultNo("Replace the existing data in:\n" + Shown(ledger.data_folder()) +
                                  "\nwith data from the client?")) {
    return false;
  }
  std::map<std::string, std::string> files;
  ExchangeStateRecord package;
  if (!ReadPackage(env, *path, kScopeClientPackageRead, &files, &package)) return false;
  const auto lines = files.find(std::string(kTransactionFileName));
  const auto settings = files.find(std::string(CompanySettings::kFileName));
  if (LinesOf(files, kTransactionFileName) == nullptr || settings == files.end() ||
      settings->second.size() != CompanySettings::kSize) {
    ui.Error(kInvalidImportFile);
    return false;
  }
  if (package.client_number == env.installation) {
    ui.Error(kExchangeBlocked);
    return false;
  }
  if (!ui.YesNoDefaultYes(NamesQuestion(package, ledger.settings()))) {
    ui.Information(kImportAborted);
    return false;
  }
  for (size_t at = 0; at < lines->second.size(); at += kLine) {
    PutExchangeMark(lines->second, kMarkClientLine, at);
  }
  package.accountant_number = env.installation;
  package.accountant_import_date = ledger.clock().Today();
  files[std::string(ExchangeStateRecord::kFileName)] = package.Encode();
  BackupFileList list;
  BuildBackupFileList(&list, kScopeClientPackageRead, /*for_restore=*/true);
  if (!ReplaceListedFiles(env.backups, list, files)) return false;
  // The books on disk are the client's now: they are read again (a load
  // that fails has said why).
  if (ledger.OpenDataFolder()) ui.Information(kDataImportedFromClient);
  return true;
}

// The accountant's new lines in file order, each with its payee's name.
std::string NewEntries(const Ledger& ledger) {
  std::string entries;
  ledger.ScanTransactionRecords([&](int, std::string_view record) {
    if (ExchangeMarkOf(record) != kMarkNormal) return;
    TransactionRecord line = TransactionRecord::Decode(record);
    if (ledger.IsValidPayee(line.payee_number)) {
      const PayeeRecord& payee = ledger.payees().payee(line.payee_number);
      line.payee_name_1 = payee.name;
      line.payee_name_2 = payee.name_2;
    }
    entries += line.Encode();
  });
  return entries;
}

TransactionRecord NoAdjustmentsLine(Ledger& ledger) {
  TransactionRecord line;
  line.kind = kJournalLine;
  line.description = std::string(kNoAdjustmentsLine);
  line.reference = std::string(kAdjustmentReference);
  line.date = ledger.clock().Today();
  line.account = ledger.settings().bank_account;
  return line;
}

bool ExportToClient(ExchangeEnvironment& env, const std::string& folder, ExchangeStateRecord state,
                    const PackageMailer* mail) {
  Ledger& ledger = env.ledger;
  Ui& ui = env.backups.ui;
  if (ledger.transaction_count() == 0) {
    ui.Information(kNoNewEntriesToExport);
    return false;
  }
  std::string entries = NewEntries(ledger);
  if (entries.empty()) {
    entries = NoAdjustmentsLine(ledger).Encode();
    ui.Information(kZeroDollarExported);
  }
  const std::optional<std::string> previous = FileContents(env.backups.fs, StatePath(env));
  state.accountant_number = env.installation;
  state.accountant_export_date = ledger.clock().Today();
  // The new-entries file is in the data folder only while the package is
  // made from it.
  LinesChange change;
  change.alongside = {{std::string(ExchangeStateRecord::kFileName), state.Encode()},
                      {std::string(kNewEntriesFileName), entries}};
  if (!ledger.ChangeLinesWithFiles(change)) return false;
  BackupFileList list;
  const bool written =
      PackageWritten(WriteBackupSet(env.backups, folder, &list, kScopeAccountantPackage));
  change.alongside = {{std::string(kNewEntriesFileName), std::nullopt}};
  const bool delivered = written && (mail == nullptr || (*mail)(kAccountantMailSubject, folder,
                                                                kAccountantPackageName));
  if (!delivered) {
    change.alongside.push_back({std::string(ExchangeStateRecord::kFileName), previous});
  }
  (void)ledger.ChangeLinesWithFiles(change);
  if (delivered && mail == nullptr) {
    ui.Information(ExportedMessage(folder, kAccountantPackageName));
  }
  return delivered;
}

// "Create File" or "E-Mail Data" by the role of this copy.
bool Export(ExchangeEnvironment& env, const std::string& folder, const PackageMailer* mail) {
  ExchangeStateRecord state;
  if (!ReadState(env, &state)) return false;
  switch (RoleOf(state, env.installation)) {
    case ExchangeRole::kClient:
      return ExportToAccountant(env, folder, state, mail);
    case ExchangeRole::kAccountant:
      return ExportToClient(env, folder, state, mail);
    case ExchangeRole::kBlocked:
      break;
  }
  env.backups.ui.Error(kExchangeBlocked);
  return false;
}

}  // namespace

std::string NoInstallationNumberMessage(const std::string& files_folder) {
  return "The accountant exchange tells this installation from the other side's by a number "
         "kept in KXTOKEN.DAT in the folder of this installation's files, and that folder "
         "cannot be written:\n" +
         Shown(files_folder) + "\n\nNo data can be exchanged from this installation.";
}

bool ReadState(ExchangeEnvironment& env, ExchangeStateRecord* state) {
  if (Status s = ReadExchangeState(env.backups.fs, env.ledger.data_folder(), state); !s.ok()) {
    env.backups.ui.Error("The accountant exchange file\n" + Shown(StatePath(env)) +
                         "\nis damaged or cannot be read. Click 'Reset' to start the exchange "
                         "afresh.\n\n" +
                         s.message());
    return false;
  }
  return true;
}

ExchangeRole CurrentRole(ExchangeEnvironment& env) {
  ExchangeStateRecord state;
  if (Status s = ReadExchangeState(env.backups.fs, env.ledger.data_folder(), &state); !s.ok()) {
    return ExchangeRole::kBlocked;
  }
  return RoleOf(state, env.installation);
}

bool DataCheckedOut(const Ledger& ledger) {
  bool checked_out = false;
  ledger.ScanTransactionRecords([&checked_out](int, std::string_view record) {
    checked_out = checked_out || ExchangeMarkOf(record) == kMarkCheckedOut;
  });
  return checked_out;
}

bool PassesDataCheckedOutGuard(const Ledger& ledger) {
  if (!DataCheckedOut(ledger)) return true;
  ledger.ui().Error(kDataCheckedOutMessage);
  return false;
}

bool ExportPackage(ExchangeEnvironment& env, const std::string& folder) {
  return Export(env, NormalizeFolderPath(folder), nullptr);
}

bool MailPackage(ExchangeEnvironment& env, const std::string& work_folder,
                 const PackageMailer& mail) {
  FileSystem& fs = env.backups.fs;
  const std::string folder = NormalizeFolderPath(work_folder);
  if (!fs.DirectoryExists(folder)) {
    if (Status s = fs.CreatePrivateDirectory(folder); !s.ok()) {
      env.backups.ui.Error("Cannot write into " + Shown(folder) + "\n\n" + s.message());
      return false;
    }
  }
  const bool mailed = Export(env, folder, &mail);
  // The work folder keeps no package once the mail is done with it.
  for (std::string_view name : {kClientPackageName, kAccountantPackageName}) {
    const std::string path = DataFilePath(fs, folder, name);
    if (fs.FileExists(path)) (void)fs.RemoveFile(path);
  }
  return mailed;
}

bool ImportPackage(ExchangeEnvironment& env, const std::string& folder_in) {
  ExchangeStateRecord state;
  if (!ReadState(env, &state)) return false;
  const std::string folder = NormalizeFolderPath(folder_in);
  switch (RoleOf(state, env.installation)) {
    case ExchangeRole::kClient:
      return ImportFromAccountant(env, folder, state);
    case ExchangeRole::kAccountant:
      return ImportFromClient(env, folder);
    case ExchangeRole::kBlocked:
      break;
  }
  env.backups.ui.Error(kExchangeBlocked);
  return false;
}

bool ResetRole(ExchangeEnvironment& env) {
  if (!env.backups.ui.YesNoDefaultNo(kResetQuestion)) return false;
  // A damaged state is started afresh too.
  ExchangeStateRecord state;
  const bool was_accountant = CurrentRole(env) == ExchangeRole::kAccountant;
  if (!ReadExchangeState(env.backups.fs, env.ledger.data_folder(), &state).ok()) {
    state = ExchangeStateRecord();
  }
  state.client_number = 0;
  state.accountant_number = was_accountant ? 0 : env.installation;
  LinesChange change;
  change.exchange_mark = kMarkNormal;
  change.alongside.push_back({std::string(ExchangeStateRecord::kFileName), state.Encode()});
  return env.ledger.ChangeLinesWithFiles(change);
}

void OfferCheckIn(ExchangeEnvironment& env) {
  if (!DataCheckedOut(env.ledger) || !env.backups.ui.YesNoDefaultNo(kCheckInQuestion)) return;
  (void)MarkEveryLine(env, kMarkNormal);
}

ExchangeDates ExchangeDatesOf(const ExchangeStateRecord& state, ExchangeRole role,
                              const DatePatterns& dates) {
  const bool accountant = role == ExchangeRole::kAccountant;
  const DayNumber exported = accountant ? state.accountant_export_date : state.client_export_date;
  const DayNumber imported = accountant ? state.accountant_import_date : state.client_import_date;
  return {exported == kNoDate ? "No Previous Exports"
                              : "Last Export: " + FormatDate(exported, dates.numeric),
          imported == kNoDate ? "No Previous Imports"
                              : "Last Import: " + FormatDate(imported, dates.numeric)};
}

}  // namespace zenkar
