#include "common/backup_dialog.h"

#include <charconv>

#include "common/record_file.h"
#include "common/text_field.h"

namespace zenkar {
namespace {

constexpr std::string_view kCurrentlyIn = "You are curently working with data in:\n";
constexpr size_t kBackupFolderWidth = 50;
constexpr size_t kListOffset = 50;
constexpr size_t kDateOffset = 6090;
constexpr size_t kDateWidth = 20;

// The files every company has; a folder without them is not backed up at
// exit.
constexpr std::string_view kWholeFileSet[] = {"KXACCT.CFG", "KXACCT.COA", "KXACCT.VND",
                                              "KXACCT.TRN"};

std::string Shown(const std::string& path) { return Utf8ToCp1252(path); }
std::string TwoDigits(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }

// A whole number typed into an input box; nothing for an empty answer or
// anything else.
std::optional<int> TypedNumber(const std::optional<std::string>& answer) {
  if (!answer) return std::nullopt;
  const std::string_view text = Trim(*answer);
  int number = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
    return std::nullopt;
  }
  return number;
}

// The data folder a backup folder's KXLOC.DAT names ("" when it has none or
// cannot be read).
std::string RecordedFolder(FileSystem& fs, const std::string& folder) {
  const std::string path = DataFilePath(fs, folder, kLocationFileName);
  std::string record;
  if (!fs.FileExists(path) || !fs.ReadFile(path, &record).ok()) return "";
  return Cp1252ToUtf8(Trim(std::string_view(record).substr(0, kLocationRecordSize)));
}

// The backup folder KXDATE.DAT keeps, when it still exists.
std::string LastBackupFolder(FileSystem& fs, const std::string& data_folder) {
  std::string record;
  const std::string path = DataFilePath(fs, data_folder, kBackupDateFileName);
  if (!fs.FileExists(path) || !fs.ReadFile(path, &record).ok()) return data_folder;
  const std::string folder =
      Cp1252ToUtf8(Trim(std::string_view(record).substr(0, kBackupFolderWidth)));
  return !folder.empty() && fs.DirectoryExists(folder) ? folder : data_folder;
}

// The records of a manual backup. They only make the next backup more
// convenient, so a failure to write either leaves the backup as good as it
// is and is not reported.
void RecordBackup(BackupEnvironment& env, const std::string& folder, const BackupFileList& list,
                  std::string_view date_text) {
  std::string dates(kBackupDateRecordSize, '\0');
  PutTextField(dates, 0, kBackupFolderWidth, Utf8ToCp1252(folder));
  dates.replace(kListOffset, list.bytes().size(), list.bytes());
  PutTextField(dates, kDateOffset, kDateWidth, date_text);
  const std::string location = FitText(Utf8ToCp1252(env.data_folder), kLocationRecordSize);
  static_cast<void>(WriteFileAtomically(
      env.fs, DataFilePath(env.fs, env.data_folder, kBackupDateFileName), dates));
  static_cast<void>(
      WriteFileAtomically(env.fs, DataFilePath(env.fs, folder, kLocationFileName), location));
}

// True when the user agrees to use a backup folder that holds the backup of
// another data folder (or when it holds none).
bool AgreesToOtherFolder(BackupEnvironment& env, const std::string& folder,
                         std::string_view location_text, std::string_view question) {
  const std::string recorded = RecordedFolder(env.fs, folder);
  if (recorded.empty() || recorded == env.data_folder) return true;
  return env.ui.YesNoDefaultNo(std::string(kCurrentlyIn) + Shown(env.data_folder) + "\n\n" +
                                   std::string(location_text) + "\n" + Shown(recorded) + "\n\n" +
                                   std::string(question),
                               env.product);
}

// Asks the two questions before a restore, the second in capitals.
bool ConfirmsTwice(BackupEnvironment& env, const std::string& first, const std::string& second) {
  env.ui.Beep();
  return env.ui.YesNoDefaultNo(first, env.product) && env.ui.YesNoDefaultNo(second, env.product);
}

int RestoreWholeSuiteSet(BackupEnvironment& env, const std::string& folder,
                         std::optional<int> set_number) {
  if (!AgreesToOtherFolder(env, folder,
                           "The location you selected to restore from, contains data backed up "
                           "from:",
                           "Are you sure you want to replace the existing data with data backed "
                           "up from a DIFFERENT folder?")) {
    return 0;
  }
  if (!ConfirmsTwice(env, "Replace the existing " + env.product + " data with data from a backup?",
                     "ARE YOU SURE you want to replace the existing " + env.product +
                         " data with data from a backup?")) {
    return 0;
  }
  std::string name = "0";
  if (set_number)
    name = *set_number == 0 ? "zenkar.sav" : "zenkar" + TwoDigits(*set_number) + ".sav";
  return RestoreBackupSet(env, folder, name, IdentityScope(env.identity));
}

bool ConfirmsReplacingFiles(BackupEnvironment& env) {
  return ConfirmsTwice(
      env, "Are you sure you want to replace the existing " + env.product + " files?",
      "Are you REALLY sure you want to replace the existing " + env.product + " files?");
}

int RestoreProgramSet(BackupEnvironment& env, const std::string& folder,
                      std::optional<int> set_number) {
  if (!ConfirmsReplacingFiles(env)) return 0;
  if (!set_number) {
    set_number = TypedNumber(env.ui.InputBox(
        "Choose a backup set:\n\nTry 0 first. If that data is not correct, try 1, then 2, etc.",
        "Restore Data", "0"));
  }
  if (!set_number || *set_number < 0) return 0;
  return RestoreBackupSet(env, folder, env.identity + TwoDigits(*set_number) + ".sav",
                          IdentityScope(env.identity));
}

std::string AutoBackupFolder(const BackupEnvironment& env) {
  return env.data_folder + std::string(kAutoBackupFolderName);
}

// Replaces `to` by a copy of `from`, in one step.
Status CopySet(FileSystem& fs, const std::string& from, const std::string& to) {
  std::string bytes;
  if (Status s = fs.ReadFile(from, &bytes); !s.ok()) return s;
  return WriteFileAtomically(fs, to, bytes);
}

// Moves the series up by one: "19" becomes "20" (the old "20" is lost), ...,
// "01" becomes "02", and "00" is copied to "01".
void MoveAutoSeriesUp(BackupEnvironment& env, const std::string& folder) {
  auto numbered = [&](int n) {
    return DataFilePath(env.fs, folder, env.identity + TwoDigits(n) + ".sav");
  };
  for (int n = kOldestAutoSet - 1; n >= 1; --n) {
    // A set that cannot move leaves a gap in the series; every set in it
    // stays whole, so the backup just written is not spoilt by it.
    if (env.fs.FileExists(numbered(n))) {
      static_cast<void>(
          env.fs.Rename(numbered(n), folder + env.identity + TwoDigits(n + 1) + ".sav"));
    }
  }
  if (env.fs.FileExists(numbered(0))) {
    static_cast<void>(CopySet(env.fs, numbered(0), folder + env.identity + "01.sav"));
  }
}

}  // namespace

int RunBackupDialog(BackupEnvironment& env, int mode, std::string_view date_text) {
  const bool backup = mode == kBackupMode;
  if (!backup && IdentityScope(env.identity) == 0) return 0;
  const std::optional<std::string> picked =
      env.ui.PickFolder(backup ? "Select a folder to BACKUP TO, then click OK"
                               : "Select a folder to RESTORE FROM, then click OK",
                        LastBackupFolder(env.fs, env.data_folder));
  if (!picked) return 0;
  const std::string folder = NormalizeFolderPath(*picked);
  return backup ? BackupToFolder(env, folder, date_text) : RestoreFromFolder(env, folder);
}

int BackupToFolder(BackupEnvironment& env, const std::string& folder_in, std::string_view date_text,
                   std::string* set_path) {
  const std::string folder = NormalizeFolderPath(folder_in);
  if (!AgreesToOtherFolder(env, folder,
                           "The backup location you selected contains data backed up from:",
                           "Are you sure you want to replace the existing backup with data from "
                           "the current folder?")) {
    return 0;
  }
  BackupFileList list;
  const int result = WriteBackupSet(env, folder, &list, kScopeWholeSuite, set_path);
  if (result != kBackupWritten && result != kBackupOnDisc) return result;
  RecordBackup(env, folder, list, date_text);
  if (result == kBackupWritten) {
    env.ui.Information("Backup completed.\n\nAll current Zenkar data files in:\n" +
                           Shown(env.data_folder) + "\n\nwere backed up to:\n" + Shown(folder) +
                           SetFileNameFor(kScopeWholeSuite, env.identity).Full(),
                       env.product);
  }
  return result;
}

int RestoreFromFolder(BackupEnvironment& env, const std::string& folder_in,
                      std::optional<int> set_number) {
  if (IdentityScope(env.identity) == 0) return 0;
  const std::string folder = NormalizeFolderPath(folder_in);
  if (env.fs.FileExists(DataFilePath(env.fs, folder, "ZENKAR.SAV"))) {
    return RestoreWholeSuiteSet(env, folder, set_number);
  }
  if (env.fs.FileExists(DataFilePath(env.fs, folder, env.identity + "00.sav"))) {
    return RestoreProgramSet(env, folder, set_number);
  }
  env.ui.Error("There are no Zenkar backup files in " + Shown(folder), env.product);
  return 0;
}

bool RunAutoBackup(BackupEnvironment& env, std::string* set_path) {
  const BackupScope scope = IdentityScope(env.identity);
  if (scope == 0 ||
      UpperCased(env.data_folder).find(UpperCased(kAutoBackupFolderName)) != std::string::npos) {
    return false;
  }
  const std::string folder = AutoBackupFolder(env);
  if (Status s = env.fs.CreateDirectory(folder); !s.ok()) {
    env.ui.Error(BackupErrorText(s, folder), env.product);
    return false;
  }
  BackupFileList list;
  std::string written;
  if (WriteBackupSet(env, folder, &list, scope, &written) == kBackupFailed) return false;
  MoveAutoSeriesUp(env, folder);
  const std::string newest = folder + env.identity + TwoDigits(kNewestAutoSet) + ".sav";
  if (Status s = CopySet(env.fs, written, DataFilePath(env.fs, folder, FileNameOf(newest)));
      !s.ok()) {
    env.ui.Error(BackupErrorText(s, folder), env.product);
    return false;
  }
  if (set_path != nullptr) *set_path = DataFilePath(env.fs, folder, FileNameOf(newest));
  return true;
}

int RunAutoRestore(BackupEnvironment& env) {
  const BackupScope scope = IdentityScope(env.identity);
  if (scope == 0) return 0;
  const std::string folder = AutoBackupFolder(env);
  if (!env.fs.DirectoryExists(folder)) {
    env.ui.Information("Auto Backup Files not available", env.product);
    return 0;
  }
  if (!ConfirmsReplacingFiles(env)) return 0;
  const std::optional<int> set = TypedNumber(env.ui.InputBox(
      "Choose a backup set:\n\n0 is the most recent backup, " + std::to_string(kOldestAutoSet) +
          " is the oldest backup.\n\nTry 0 first. If that data is not correct, "
          "try 1, then 2, etc.",
      "Restore from Auto Backup", "0"));
  if (!set || *set < kNewestAutoSet || *set > kOldestAutoSet) return 0;
  return RestoreBackupSet(env, folder, env.identity + TwoDigits(*set) + ".sav", scope);
}

void OfferRestoreAfterDamage(BackupEnvironment& env, std::string_view description) {
  if (env.ui.YesNoDefaultYes("Error reading data files.\nInvalid or damaged " +
                                 std::string(description) + "\n\nAttempt to restore from a backup?",
                             env.product)) {
    if (env.ui.YesNoDefaultYes("Click Yes to restore from automatic backup.\nClick No to restore "
                               "from a manual backup.",
                               env.product)) {
      RunAutoRestore(env);
    } else {
      RunBackupDialog(env, kRestoreMode, "");
    }
  }
  env.ui.Information("Reopen " + env.product + " to try again.", env.product);
}

bool InAutoBackupArea(const std::string& data_folder) {
  return UpperCased(data_folder).find(UpperCased(kAutoBackupFolderName)) != std::string::npos;
}

bool HoldsWholeFileSet(FileSystem& fs, const std::string& data_folder) {
  for (std::string_view name : kWholeFileSet) {
    if (!fs.FileExists(DataFilePath(fs, data_folder, name))) return false;
  }
  return true;
}

std::string LastBackupDate(FileSystem& fs, const std::string& data_folder) {
  std::string record;
  const std::string path = DataFilePath(fs, data_folder, kBackupDateFileName);
  if (!fs.FileExists(path) || !fs.ReadFile(path, &record).ok() ||
      record.size() < kBackupDateRecordSize) {
    return "";
  }
  return std::string(Trim(std::string_view(record).substr(kDateOffset, kDateWidth)));
}

}  // namespace zenkar
