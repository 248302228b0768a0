// Installation: the program folder and the folder of per-installation files.
//
// The program folder is the folder of the executables, beside their help
// pages and the default chart. The small files that belong to one
// installation rather than to one company (the program password, the
// recent-folder history, internet shortcuts, the installation token, update
// downloads) live there too when it is writable -- a portable install or the
// build tree -- and otherwise in $XDG_DATA_HOME/zenkar, so a system-wide
// install in a read-only folder keeps working. Without a usable HOME or
// XDG_DATA_HOME there is no such folder (never one in a shared place such as
// /tmp): the program then reads what the program folder holds and writes no
// per-installation file.
#ifndef ZENKAR_COMMON_INSTALLATION_H_
#define ZENKAR_COMMON_INSTALLATION_H_

#include <optional>
#include <string>
#include <string_view>

#include "common/day_number.h"
#include "common/file_system.h"

namespace zenkar {

// Where an installed tree keeps its read-only files, seen from its programs'
// folder ("../share/zenkar/"; the build sets it from its install folders).
extern const std::string_view kInstalledSharedFolder;

struct Installation {
  std::string program_folder;  // the executables' folder, ending in "/"
  std::string files_folder;    // the per-installation files, ending in "/"
  // False: the per-installation files are only read, never written.
  bool files_folder_writable = false;
};

// The folder of the running executable, ending in "/".
std::string ExecutableFolder();

// The folder of the read-only files that travel with the programs (the help
// pages, the default chart KXACCTCOA.DAT): in an installed tree the data
// folder `relative_folder` away from the programs' folder (share/zenkar/ of
// the prefix, for bin/), and where that does not exist the program folder
// itself, where the build tree and a portable install keep them. Ends in "/".
std::string SharedFilesFolder(FileSystem& fs, const std::string& program_folder,
                              std::string_view relative_folder = kInstalledSharedFolder);

// $XDG_DATA_HOME/zenkar/, or $HOME/.local/share/zenkar/ when XDG_DATA_HOME is
// unset or not absolute (the XDG rule); nothing when HOME is not an absolute
// path either. Either argument may be null.
std::optional<std::string> UserFilesFolder(const char* xdg_data_home, const char* home);

// Creates (when absent) and removes a small probe file in `folder`: true when
// the folder accepts new files.
bool ProbeWritable(FileSystem& fs, const std::string& folder);

// Uses the program folder for the per-installation files when it is writable,
// otherwise `fallback_folder`, created when missing (with its missing parents)
// for its owner alone. Without a fallback folder the files stay in the
// program folder, not writable.
Installation ResolveInstallation(FileSystem& fs, const std::string& program_folder,
                                 const std::optional<std::string>& fallback_folder);

// Shown at start-up when no folder for the per-installation files is writable.
std::string NotWritableMessage(const std::string& folder);

// The short text that identifies this installation on web links and to the
// update checker: eight hexadecimal digits, made at random once and kept in
// KXTOKEN.DAT in the per-installation folder. When the file cannot be written
// (or the folder is not writable) the token is still returned; it then
// changes from run to run.
std::string InstallationToken(FileSystem& fs, const Installation& installation);
// The token as KXTOKEN.DAT keeps it (made and kept first when the folder is
// writable and holds none); nothing when no token can be kept, so that one
// would change from run to run.
std::optional<std::string> StoredInstallationToken(FileSystem& fs,
                                                   const Installation& installation);

// The local date of a file's last modification, or nothing when it cannot be
// read.
std::optional<DayNumber> FileModificationDate(const std::string& path);

}  // namespace zenkar

#endif  // ZENKAR_COMMON_INSTALLATION_H_
