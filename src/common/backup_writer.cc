#include "common/backup_writer.h"

#include <cerrno>
#include <map>
#include <memory>
#include <vector>

#include "common/file_set_rewrite.h"
#include "common/folder_lock.h"
#include "common/record_file.h"
#include "common/text_field.h"

namespace zenkar {
namespace {

// The number of a failure that no other row of the error table names: zlib's
// and a set that did not read back as written have no system error number.
constexpr int kGeneralError = 5;

constexpr std::string_view kNoDiscText =
    "Error 6: attempting backup to CD. Staging area not available.";
constexpr std::string_view kOnDiscText = "Backup to CD complete";

// A folder whose path holds this (upper-cased) is an automatic backup area:
// packages written there keep no series.
constexpr std::string_view kAutoMark = "_AUTO_";

int ErrorNumberOf(const Status& status) {
  switch (status.code()) {
    case Status::Code::kDiskFull:
      return 61;
    case Status::Code::kNotFound:
      return 76;
    default:
      break;
  }
  switch (status.error_number()) {
    case ENOSPC:
    case EDQUOT:
      return 61;
    case EIO:
    case ENODEV:
      return 71;
    case ENOENT:
    case ENOTDIR:
    case EACCES:
    case EROFS:
      return 76;
    case 0:
      return kGeneralError;
    default:
      return status.error_number();
  }
}

// Removes a temporary file of a backup that failed or a probe. One that
// cannot be removed is only litter: its name is never taken for a set's.
void RemoveTemporary(FileSystem& fs, const std::string& path) {
  static_cast<void>(fs.RemoveFile(path));
}

bool OnOpticalDisc(FileSystem& fs, const std::string& folder) {
  std::string type;
  return fs.FileSystemType(folder, &type).ok() && (type == "iso9660" || type == "udf");
}

// Whether a set can be written into `folder`: a file is made there (under a
// name nobody else uses) and removed again.
bool AcceptsFiles(FileSystem& fs, const std::string& folder, const std::string& set_name) {
  TemporaryFile probe;
  if (!fs.CreateTemporaryBeside(folder + set_name, Access::kUsual, &probe).ok()) return false;
  probe.file.reset();
  RemoveTemporary(fs, probe.path);
  return true;
}

// Reads the listed files for GatherListedFiles.
class FileGathering {
 public:
  FileGathering(FileSystem& fs, const std::string& data_folder, BackupFileList* list,
                GatheredFiles* files)
      : fs_(fs), data_folder_(data_folder), list_(list), files_(files) {}

  Status Gather() {
    FolderLock lock(fs_);
    if (Status s = lock.OpenForReading(data_folder_); !s.ok()) return s;
    if (Status s = lock.BeginReading(); !s.ok()) return s;
    for (const auto& [target, path] : FileSetRewrite::PendingReplacements(fs_, data_folder_)) {
      pending_[UpperCased(target)] = path;
    }
    for (int slot = 0; slot < BackupFileList::kSlots; ++slot) {
      if (Status s = GatherSlot(slot); !s.ok()) {
        files_->failed_name = list_->Name(slot);
        return s;
      }
    }
    return Status::Ok();
  }

 private:
  Status GatherSlot(int slot) {
    const std::string name(list_->Name(slot));
    if (name.empty() || saved_.count(UpperCased(name)) != 0) return Status::Ok();
    const std::string path = PathOf(name);
    if (path.empty() || !fs_.FileExists(path)) {
      list_->Set(slot, "");
      return Status::Ok();
    }
    std::string contents;
    if (Status s = fs_.ReadFile(path, &contents); !s.ok()) return s;
    saved_[UpperCased(name)] = true;
    files_->names.push_back(name);
    files_->contents.push_back(std::move(contents));
    return Status::Ok();
  }

  // Where the file's contents are: a replacement a crash left to be renamed
  // into place, "" for a file such a change removes, or the file itself.
  std::string PathOf(const std::string& name) {
    const auto pending = pending_.find(UpperCased(name));
    if (pending != pending_.end()) return pending->second;
    return DataFilePath(fs_, data_folder_, name);
  }

  FileSystem& fs_;
  const std::string& data_folder_;
  BackupFileList* list_;
  GatheredFiles* files_;
  std::map<std::string, std::string> pending_;
  std::map<std::string, bool> saved_;
};

// Reads the set at `path` back and checks that it holds exactly `files`.
Status CheckWrittenSet(FileSystem& fs, const std::string& path,
                       const std::vector<BackupFile>& files) {
  std::string bytes;
  if (Status s = fs.ReadFile(path, &bytes); !s.ok()) return s;
  BackupSetFile set;
  if (Status s = BackupSetFile::Decode(std::move(bytes), &set); !s.ok()) {
    return Status::IoError(path + " did not read back as written: " + s.message());
  }
  if (set.entries().size() != files.size()) {
    return Status::IoError(path + " did not read back as written");
  }
  for (size_t i = 0; i < files.size(); ++i) {
    const BackupEntry& entry = set.entries()[i];
    if (entry.name != files[i].name || !set.ExpandsTo(entry, files[i].data).ok()) {
      return Status::IoError(path + " did not read back as written: " + files[i].name);
    }
  }
  return Status::Ok();
}

// Writes `set` to a temporary file beside `target`, flushed, checked and
// dated now; `temporary` names it. On failure the temporary file is gone.
Status WriteCheckedTemporary(FileSystem& fs, const std::string& target, const std::string& set,
                             const std::vector<BackupFile>& files, std::string* temporary) {
  TemporaryFile file;
  if (Status s = fs.CreateTemporaryBeside(target, Access::kUsual, &file); !s.ok()) return s;
  *temporary = file.path;
  Status status = file.file->Append(set);
  if (status.ok()) status = file.file->Sync();
  Status closed = file.file->Close();
  if (status.ok()) status = closed;
  if (status.ok()) status = CheckWrittenSet(fs, file.path, files);
  if (status.ok()) status = fs.SetTimesToNow(file.path);
  if (!status.ok()) RemoveTemporary(fs, file.path);
  return status;
}

std::string TwoDigits(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }

// Moves a package's series up by one: prefix + "19" becomes "20" (the old
// "20" is lost), ..., "01" becomes "02", and the set about to be replaced
// becomes "01". A set that cannot move leaves a gap in the series; every set
// in it stays whole.
void MoveSeriesUp(FileSystem& fs, const std::string& folder, const SetFileName& name) {
  auto numbered = [&](int n) {
    return DataFilePath(fs, folder, name.prefix + TwoDigits(n) + name.extension);
  };
  for (int n = 19; n >= 1; --n) {
    if (!fs.FileExists(numbered(n))) continue;
    static_cast<void>(
        fs.Rename(numbered(n), folder + name.prefix + TwoDigits(n + 1) + name.extension));
  }
  const std::string current = DataFilePath(fs, folder, name.Full());
  if (!fs.FileExists(current)) return;
  static_cast<void>(fs.Rename(current, folder + name.prefix + "01" + name.extension));
}

bool InAutoBackupArea(const std::string& folder) {
  return UpperCased(folder).find(kAutoMark) != std::string::npos;
}

}  // namespace

std::vector<BackupFile> GatheredFiles::Files() const {
  std::vector<BackupFile> files;
  for (size_t i = 0; i < names.size(); ++i) files.push_back({names[i], contents[i]});
  return files;
}

Status GatherListedFiles(FileSystem& fs, const std::string& data_folder, BackupFileList* list,
                         GatheredFiles* files) {
  return FileGathering(fs, data_folder, list, files).Gather();
}

std::string BackupErrorText(const Status& status, const std::string& folder) {
  const int number = ErrorNumberOf(status);
  const std::string suffix = " - Error " + std::to_string(number);
  switch (number) {
    case 61:
      return "Not enough space on disk" + suffix;
    case 71:
      return "Drive not ready" + suffix;
    case 76:
      return "Not a valid folder to backup to (" + Utf8ToCp1252(folder) + ")" + suffix;
    default:
      return "Error " + std::to_string(number) + " - Backup not completed";
  }
}

int WriteBackupSet(BackupEnvironment& env, const std::string& folder_in, BackupFileList* list,
                   BackupScope scope, std::string* set_path) {
  const SetFileName name = SetFileNameFor(scope, env.identity);
  const std::string folder = NormalizeFolderPath(folder_in.empty() ? env.data_folder : folder_in);
  int outcome = kBackupWritten;
  if (OnOpticalDisc(env.fs, folder)) {
    if (!AcceptsFiles(env.fs, folder, name.Full())) {
      env.ui.Error(kNoDiscText, env.product);
      return kBackupNoDisc;
    }
    outcome = kBackupOnDisc;
  }
  BuildBackupFileList(list, scope, /*for_restore=*/false);
  GatheredFiles gathered;
  std::string set, temporary;
  const std::string target = DataFilePath(env.fs, folder, name.Full());
  Status status = GatherListedFiles(env.fs, env.data_folder, list, &gathered);
  const std::vector<BackupFile> files = gathered.Files();
  if (status.ok()) status = EncodeBackupSet(files, &set);
  if (status.ok()) status = WriteCheckedTemporary(env.fs, target, set, files, &temporary);
  if (status.ok() && name.rotated && !InAutoBackupArea(folder)) {
    MoveSeriesUp(env.fs, folder, name);
  }
  if (status.ok()) status = env.fs.Rename(temporary, target);
  if (!status.ok()) {
    if (!temporary.empty()) RemoveTemporary(env.fs, temporary);
    env.ui.Error(BackupErrorText(status, folder), env.product);
    return kBackupFailed;
  }
  if (set_path != nullptr) *set_path = target;
  if (outcome == kBackupOnDisc) env.ui.Information(kOnDiscText, env.product);
  return outcome;
}

}  // namespace zenkar
