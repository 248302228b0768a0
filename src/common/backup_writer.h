// Writing backup sets (WriteBackupSet), shared by the accounting program,
// the launcher and kxbatch.
//
// A set is written to a temporary file beside its final name, flushed, read
// back and checked -- every entry must expand to the bytes of its file --
// and only then renamed over the old set, so a full disk or a failing drive
// never costs the user the backup they had. The data files are read under
// the folder's shared "writing" lock (FolderLock), so a set never holds half
// of another program's change; a change a crash cut short is read as it will
// be finished.
#ifndef ZENKAR_COMMON_BACKUP_WRITER_H_
#define ZENKAR_COMMON_BACKUP_WRITER_H_

#include <string>
#include <string_view>
#include <vector>

#include "common/backup_set.h"
#include "common/file_system.h"
#include "common/status.h"
#include "common/ui.h"

namespace zenkar {

// The program a backup or restore runs in, and the data folder it works on.
struct BackupEnvironment {
  FileSystem& fs;
  Ui& ui;
  // "KXACCT" in the accounting program, "KXMENU" in the launcher: it names
  // the program's own sets and decides whether it may restore.
  std::string identity;
  // What the messages call the suite: "Zenkar Accounting", or "Zenkar
  // Software" in the launcher. Also the title of every message.
  std::string product;
  std::string data_folder;  // ending in "/"
};

// The files of a list as read from a data folder, in list order.
struct GatheredFiles {
  std::vector<std::string> names;     // as the list spells them
  std::vector<std::string> contents;  // each file whole
  std::string failed_name;            // the file that could not be read, if one
  // The files; they refer to `contents`.
  std::vector<BackupFile> Files() const;
};

// Reads the files `list` names from `data_folder` (ending in "/") under the
// folder's shared "writing" lock, so that they never hold half of another
// program's change; a change a crash cut short is read as it will be
// finished. Each listed file that exists is read once, under the name of its
// first slot; a slot whose file is missing is blanked. A backup set and the
// data files sent by mail are made of these.
Status GatherListedFiles(FileSystem& fs, const std::string& data_folder, BackupFileList* list,
                         GatheredFiles* files);

// The results of WriteBackupSet.
inline constexpr int kBackupFailed = 0;
inline constexpr int kBackupWritten = 1;
// The set went onto a writable optical disc ("Backup to CD complete").
inline constexpr int kBackupOnDisc = 4;
// The destination is an optical disc that cannot be written here (there is
// no staging area for burning on this system); nothing was written.
inline constexpr int kBackupNoDisc = 6;

// The error shown when a backup to `folder` failed with `status`, by the
// error's number: a full disk or quota 61, a device error 71, a folder that
// is missing, not a folder, not ours or read-only 76, anything else the
// general text with the system's error number (5 when there is none, as for
// zlib or a set that did not read back).
std::string BackupErrorText(const Status& status, const std::string& folder);

// Writes one set of the files `scope` lists into `folder` (empty: the data
// folder), named by SetFileNameFor. Returns kBackupWritten, kBackupOnDisc,
// kBackupNoDisc (said), or kBackupFailed after the error was shown; the
// old set is then as it was. On return `list` holds only the names of the
// files that were saved. A package (bits 4 and 5) first moves the series
// prefix + "01" to "19" up by one and the set it replaces to "01", unless
// the folder is the automatic backup area. `set_path`, when given, receives
// the path of the set written.
int WriteBackupSet(BackupEnvironment& env, const std::string& folder, BackupFileList* list,
                   BackupScope scope, std::string* set_path = nullptr);

}  // namespace zenkar

#endif  // ZENKAR_COMMON_BACKUP_WRITER_H_
