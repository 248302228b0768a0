#include "common/backup_restore.h"

#include <map>
#include <optional>
#include <set>

#include "common/file_set_rewrite.h"
#include "common/folder_lock.h"
#include "common/record_file.h"
#include "common/text_field.h"

namespace zenkar {
namespace {

constexpr std::string_view kRestoreTitle = "Restore Data";
constexpr std::string_view kNotValidSet = "Not a valid backup set";
constexpr std::string_view kNothingFound = "No backed up data found";
constexpr std::string_view kNothingRestored =
    "\n\nNothing was restored; the data files are as they were.";
// The one file of a group that is replaced last: the large transaction file,
// whose old contents therefore never have to be kept.
constexpr std::string_view kReplacedLast = "KXACCT.TRN";

std::string TwoDigits(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }

// The number at the start of `text`, after any spaces (0 when there is none).
int LeadingNumber(std::string_view text) {
  text = Trim(text);
  int number = 0;
  for (char c : text) {
    if (c < '0' || c > '9' || number > 9999) break;
    number = number * 10 + (c - '0');
  }
  return number;
}

std::string Shown(const std::string& path) { return Utf8ToCp1252(path); }

// The numbered sets "zenkar01.sav" to "zenkar20.sav" of `folder` offered in
// an input box; nothing when the user gives no answer. The answer is
// accepted when it occurs in the list of numbers found (as text, so "1" is
// taken when only set 12 is there).
std::optional<std::string> ChooseNumberedSet(BackupEnvironment& env, const std::string& folder) {
  std::string numbers;
  int last = 0;
  for (int n = 1; n <= 20; ++n) {
    if (env.fs.FileExists(DataFilePath(env.fs, folder, "zenkar" + TwoDigits(n) + ".sav"))) {
      numbers += " " + std::to_string(n);
      last = n;
    }
  }
  if (numbers.empty()) return "zenkar.sav";
  const std::string prompt = "Choose a backup set:\n\n0 is the most recent backup.\n" +
                             std::to_string(last) +
                             " is the oldest backup.\n\nTry 0 first.  If that data is not "
                             "correct, try the next highest number.";
  for (;;) {
    const std::optional<std::string> answer = env.ui.InputBox(prompt, kRestoreTitle, "0");
    if (!answer || answer->empty()) return std::nullopt;
    if (*answer == "0") return "zenkar.sav";
    if (numbers.find(*answer) != std::string::npos) {
      return "zenkar" + TwoDigits(LeadingNumber(*answer)) + ".sav";
    }
    env.ui.Error(kNotValidSet, env.product);
  }
}

// The files of one group that the set holds, expanded and checked, by their
// upper-cased names.
struct GroupFiles {
  BackupGroup group;
  BackupFileList list;
  std::map<std::string, std::string> data;
};

Status ExpandGroup(const BackupSetFile& set, GroupFiles* files) {
  BuildBackupFileList(&files->list, files->group.bit, /*for_restore=*/true);
  return ExpandListedFiles(set, files->list, &files->data);
}

// Reads the set and expands the files of every group of `scope`; false
// (said) when the set cannot be read or is damaged anywhere.
bool ReadGroups(BackupEnvironment& env, const std::string& path, BackupScope scope,
                std::vector<GroupFiles>* groups) {
  std::string bytes;
  if (Status s = env.fs.ReadFile(path, &bytes); !s.ok()) {
    env.ui.Error("The backup set\n" + Shown(path) + "\ncould not be read:\n" + s.message() +
                     std::string(kNothingRestored),
                 env.product);
    return false;
  }
  BackupSetFile set;
  Status status = BackupSetFile::Decode(std::move(bytes), &set);
  for (const BackupGroup& group : kBackupGroups) {
    if (!status.ok()) break;
    if ((scope & group.bit) == 0) continue;
    groups->push_back({group, BackupFileList(), {}});
    status = ExpandGroup(set, &groups->back());
  }
  if (!status.ok()) {
    env.ui.Error("The backup set\n" + Shown(path) + "\nis damaged: " + status.message() + "." +
                     std::string(kNothingRestored),
                 env.product);
  }
  return status.ok();
}

// Adds each file of the list to `files`: replaced by the set's copy, or
// removed when the set has none. Old contents are read to put back should
// the change fail.
Status PlanFiles(FileSystem& fs, const std::string& folder, const BackupFileList& list,
                 const std::map<std::string, std::string>& data, FileSetRewrite* files) {
  std::set<std::string> planned;
  for (int slot = 0; slot < BackupFileList::kSlots; ++slot) {
    const std::string name(list.Name(slot));
    if (name.empty() || !planned.insert(UpperCased(name)).second) continue;
    const std::string target = DataFilePath(fs, folder, name);
    const bool exists = fs.FileExists(target);
    const auto restored = data.find(UpperCased(name));
    std::string previous;
    const bool keeps_previous = exists && (restored == data.end() || name != kReplacedLast);
    if (keeps_previous) {
      if (Status s = fs.ReadFile(target, &previous); !s.ok()) return s;
    }
    if (restored == data.end()) {
      if (exists) files->AddRemoval(target, std::move(previous));
    } else if (name == kReplacedLast) {
      files->AddLast(target, restored->second);
    } else if (exists) {
      files->Add(target, restored->second, std::move(previous));
    } else {
      files->AddNew(target, restored->second);
    }
  }
  return Status::Ok();
}

}  // namespace

Status ExpandListedFiles(const BackupSetFile& set, const BackupFileList& list,
                         std::map<std::string, std::string>* files) {
  for (const BackupEntry& entry : set.entries()) {
    if (!list.Lists(entry.name)) continue;
    std::string data;
    if (Status s = set.Expand(entry, &data); !s.ok()) return s;
    (*files)[UpperCased(entry.name)] = std::move(data);
  }
  return Status::Ok();
}

bool ReplaceListedFiles(BackupEnvironment& env, const BackupFileList& list,
                        const std::map<std::string, std::string>& data) {
  const std::string& folder = env.data_folder;
  FolderLock lock(env.fs);
  bool shared = false;
  Status status = lock.Join(folder, &shared);
  if (status.ok()) status = lock.BeginChange();
  if (!status.ok()) {
    env.ui.Error("Error locking the data folder " + Shown(folder) + "\n\n" + status.message() +
                     std::string(kNothingRestored),
                 env.product);
    return false;
  }
  if (Status s = FileSetRewrite::FinishInterruptedRewrite(env.fs, folder); !s.ok()) {
    env.ui.Error("The last change of the books in " + Shown(folder) +
                     " was cut short and could not be finished:\n\n" + s.message() +
                     std::string(kNothingRestored),
                 env.product);
    return false;
  }
  FileSetRewrite files(env.fs);
  std::string failed_path = folder;
  status = PlanFiles(env.fs, folder, list, data, &files);
  if (status.ok()) status = files.Commit(&failed_path);
  if (!status.ok()) {
    env.ui.Error("The data files could not be restored:\n" + Shown(failed_path) + "\n\n" +
                     status.message() + "\n\nThe data files are as they were.",
                 env.product);
    return false;
  }
  lock.Advance(/*books=*/true, /*settings=*/true);
  lock.End();
  return true;
}

int RestoreBackupSet(BackupEnvironment& env, const std::string& folder_in,
                     std::string_view set_name, BackupScope scope) {
  const std::string folder = NormalizeFolderPath(folder_in);
  std::string name(set_name.empty() ? "zenkar.sav" : set_name);
  if (name == "0") {
    const std::optional<std::string> chosen = ChooseNumberedSet(env, folder);
    if (!chosen) return 0;
    name = *chosen;
  }
  const std::string path = DataFilePath(env.fs, folder, name);
  if (!env.fs.FileExists(path)) {
    env.ui.Error("File not found:\n" + Shown(folder + name), env.product);
    return 0;
  }
  BusyCursor busy(env.ui);
  std::vector<GroupFiles> groups;
  if (!ReadGroups(env, path, scope, &groups)) return 0;
  int restored = 0;
  for (const GroupFiles& group : groups) {
    if (group.data.empty()) {
      env.ui.Information(kNothingFound, env.product);
      continue;
    }
    if (!ReplaceListedFiles(env, group.list, group.data)) return restored;
    env.ui.Information(group.group.restored_message, env.product);
    restored = 1;
  }
  return restored;
}

}  // namespace zenkar
