// The backup and restore commands of the suite's programs, over the Ui port:
// "Backup Data" and "Restore Data" (RunBackupDialog), the automatic backup
// series (RunAutoBackup, RunAutoRestore) and the offer to restore when a data
// file is found damaged (OfferRestoreAfterDamage).
//
// Two small records go with a manual backup: "KXLOC.DAT" in the backup
// folder names the data folder it holds (so that a backup of another folder
// is not overwritten, or restored over this one, without a question), and
// "KXDATE.DAT" in the data folder keeps the backup folder, the file list and
// the date of the last backup (the folder prompt starts there next time; the
// Help page shows the date).
#ifndef ZENKAR_COMMON_BACKUP_DIALOG_H_
#define ZENKAR_COMMON_BACKUP_DIALOG_H_

#include <optional>
#include <string>
#include <string_view>

#include "common/backup_restore.h"
#include "common/backup_writer.h"

namespace zenkar {

inline constexpr std::string_view kLocationFileName = "KXLOC.DAT";
inline constexpr size_t kLocationRecordSize = 1025;
inline constexpr std::string_view kBackupDateFileName = "KXDATE.DAT";
inline constexpr size_t kBackupDateRecordSize = 6110;
// The automatic backup series lives in this sub-folder of the data folder.
inline constexpr std::string_view kAutoBackupFolderName = "Zenkar_Auto_Backup/";
inline constexpr int kNewestAutoSet = 0;
inline constexpr int kOldestAutoSet = 20;

// The modes of RunBackupDialog: 1 backs up; any other value restores.
inline constexpr int kBackupMode = 1;
inline constexpr int kRestoreMode = 2;

// "Backup Data" and "Restore Data": asks for the folder ("Select a folder to
// BACKUP TO, then click OK", or "... RESTORE FROM ..."), starting at the
// folder of the last backup, then runs BackupToFolder or RestoreFromFolder.
// `date_text` is today's date as the program writes dates (kept in
// KXDATE.DAT). Returns the result of the write or the restore (0 when the
// user cancelled).
int RunBackupDialog(BackupEnvironment& env, int mode, std::string_view date_text);

// Writes "zenkar.sav" with every group of the suite into `folder`, after
// asking when the folder holds the backup of another data folder; then
// KXDATE.DAT and KXLOC.DAT, and "Backup completed." with both folders.
// `set_path`, when given, receives the path of the set written.
int BackupToFolder(BackupEnvironment& env, const std::string& folder, std::string_view date_text,
                   std::string* set_path = nullptr);

// Restores the program's own group from the sets in `folder`: "zenkar.sav"
// and its numbered sets, or else the older per-program sets ("KXACCT" + two
// digits + ".sav"), after two questions (three when the sets come from
// another data folder). `set_number` chooses the set (0 the newest); without
// it the user is asked. Returns 1 when something was restored.
int RestoreFromFolder(BackupEnvironment& env, const std::string& folder,
                      std::optional<int> set_number = std::nullopt);

// True when `data_folder` lies inside an automatic backup area (a folder
// restored there): it is never backed up into itself.
bool InAutoBackupArea(const std::string& data_folder);

// The automatic backup: writes the program's own group as identity + ".sav"
// into the data folder's "Zenkar_Auto_Backup/" and, once it is written,
// moves the series identity + "00.sav" to "19.sav" up by one ("20" is the
// oldest kept) and copies the new set to "00". A data folder inside an
// automatic backup area is never backed up into itself. True when the set
// was written; `set_path`, when given, receives the path of "00".
bool RunAutoBackup(BackupEnvironment& env, std::string* set_path = nullptr);

// "Restore from Auto Backup": two questions, then the set to restore (0 the
// newest to 20 the oldest). Returns 1 when something was restored.
int RunAutoRestore(BackupEnvironment& env);

// Called when the transaction, payee or chart file (`description`, e.g.
// "transaction file") could not be read: offers a restore from the
// automatic or a manual backup, and ends with "Reopen ... to try again.".
void OfferRestoreAfterDamage(BackupEnvironment& env, std::string_view description);

// True when the data folder holds the files every company has (settings,
// chart, payees and transactions): only such a folder is backed up at exit.
bool HoldsWholeFileSet(FileSystem& fs, const std::string& data_folder);

// The date of the last manual backup of the data folder as KXDATE.DAT keeps
// it, or "" when there is none.
std::string LastBackupDate(FileSystem& fs, const std::string& data_folder);

}  // namespace zenkar

#endif  // ZENKAR_COMMON_BACKUP_DIALOG_H_
