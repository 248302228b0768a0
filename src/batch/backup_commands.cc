// The backup commands: backup, restore and auto-backup, over the same shared
// code as the desktop program's "Backup Data", "Restore Data" and the
// automatic backup at exit, with the same messages and the same checks (a
// set is read back before it replaces the old one; a restore checks every
// file before it changes any).
#include "batch/commands.h"
#include "common/backup_dialog.h"
#include "common/folder_lock.h"
#include "common/record_file.h"
#include "common/text_field.h"
#include "ledger/folder_summary.h"

namespace zenkar {
namespace {

std::string Shown(const std::string& path) { return Utf8ToCp1252(path); }

void PrintPath(CommandContext& context, const std::string& path) {
  const std::string text = TerminalText(Shown(path)) + "\n";
  std::fwrite(text.data(), 1, text.size(), context.env.out);
}

BackupEnvironment EnvironmentOf(CommandContext& context) {
  return {context.env.fs, context.ui, std::string(kAccountingIdentity), std::string(kProgramTitle),
          context.folder};
}

// The backup folder named on the command line, when it exists.
std::optional<std::string> BackupFolderOf(const Invocation& invocation, CommandContext& context) {
  const std::string folder =
      NormalizeFolderPath(ResolvePath(invocation.backup_folder, context.env.current_folder));
  if (!context.env.fs.DirectoryExists(folder)) {
    context.ui.Error(Shown(folder) + "\ndoes not exist.");
    return std::nullopt;
  }
  return folder;
}

// Takes the data folder for this program alone while the restore runs.
bool TakeFolderAlone(CommandContext& context, FolderLock* lock) {
  if (!context.env.fs.DirectoryExists(context.folder)) {
    context.ui.Error(Shown(context.folder) + "\ndoes not exist.");
    return false;
  }
  const Status status = lock->TakeAlone(context.folder);
  if (status.code() == Status::Code::kInUse) {
    context.ui.Error(FolderInUseMessage(context.folder));
  } else if (!status.ok()) {
    context.ui.Error("Error locking the data folder " + Shown(context.folder) + "\n\n" +
                     status.message());
  }
  return status.ok();
}

}  // namespace

bool RunBackup(const Invocation& invocation, CommandContext& context) {
  if (!HoldsCompany(context)) return false;
  const std::optional<std::string> folder = BackupFolderOf(invocation, context);
  if (!folder) return false;
  BackupEnvironment env = EnvironmentOf(context);
  const DatePatterns& dates = context.env.dates;
  std::string path;
  const int result =
      BackupToFolder(env, *folder, FormatDate(context.env.clock.Today(), dates.numeric), &path);
  if (result != kBackupWritten && result != kBackupOnDisc) return false;
  PrintPath(context, path);
  return true;
}

// The books are read once the restore is done, as the desktop program does,
// and summed up.
bool RunRestore(const Invocation& invocation, CommandContext& context) {
  const std::optional<std::string> folder = BackupFolderOf(invocation, context);
  if (!folder) return false;
  FolderLock alone(context.env.fs);
  if (!TakeFolderAlone(context, &alone)) return false;
  BackupEnvironment env = EnvironmentOf(context);
  const int restored = RestoreFromFolder(env, *folder, invocation.set_number);
  alone.Leave();
  if (restored == 0 || !OpenBooks(context)) return false;
  const std::string summary = TerminalText(WhereAmIText(context.ledger)) + "\n";
  std::fwrite(summary.data(), 1, summary.size(), context.env.out);
  return true;
}

bool RunAutoBackupCommand(CommandContext& context) {
  if (!HoldsCompany(context)) return false;
  if (InAutoBackupArea(context.folder)) {
    context.ui.Error(Shown(context.folder) +
                     "\nlies inside an automatic backup area and is not backed up into itself.");
    return false;
  }
  BackupEnvironment env = EnvironmentOf(context);
  std::string path;
  if (!RunAutoBackup(env, &path)) return false;
  PrintPath(context, path);
  return true;
}

}  // namespace zenkar
