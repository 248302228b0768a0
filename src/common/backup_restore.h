// Restoring backup sets (RestoreBackupSet).
//
// A restore puts back the files of the program groups its scope names. It
// first reads the whole set and expands and checks every entry of those
// groups; a set that is damaged anywhere is refused with a message naming
// the entry, and nothing in the data folder is touched. Only then, holding
// the folder's "writing" lock, does it replace each listed file the set
// holds and remove each listed file it lacks, as one change of several files
// (FileSetRewrite and its journal KXACCT.JNL): a failure or a crash leaves
// the group's files all as they were or all restored, and the next program to
// load the books finishes a restore a crash cut short. The folder's change
// counters move on, so a program sharing the folder reads the books again
// before its next change.
#ifndef ZENKAR_COMMON_BACKUP_RESTORE_H_
#define ZENKAR_COMMON_BACKUP_RESTORE_H_

#include <map>
#include <string>
#include <string_view>

#include "common/backup_set.h"
#include "common/backup_writer.h"

namespace zenkar {

// Restores the groups (payroll, accounting, receivables) of `scope` from the
// set `set_name` in `folder`. The name "" means "zenkar.sav"; "0" lets the
// user choose between "zenkar.sav" and the numbered sets "zenkar01.sav" to
// "zenkar20.sav" found there. For each group: "Payroll Data Restored",
// "GL/AP Data Restored" or "AR Data Restored", or "No backed up data found"
// when the set holds none of its files. Returns 1 when a group was restored.
int RestoreBackupSet(BackupEnvironment& env, const std::string& folder, std::string_view set_name,
                     BackupScope scope);

// The steps of a restore, for the accountant exchange's packages:

// Expands every entry of `set` that `list` names into `files`, by its
// upper-cased name; fails naming the first damaged entry.
Status ExpandListedFiles(const BackupSetFile& set, const BackupFileList& list,
                         std::map<std::string, std::string>* files);
// Replaces each file `list` names in the data folder by its contents in
// `files` (by upper-cased name) and removes each listed file `files` lacks,
// as one change under the folder's writing lock, after finishing a change
// another program left half made. False (said) when it could not be made;
// the data files are then as they were.
bool ReplaceListedFiles(BackupEnvironment& env, const BackupFileList& list,
                        const std::map<std::string, std::string>& files);

}  // namespace zenkar

#endif  // ZENKAR_COMMON_BACKUP_RESTORE_H_
