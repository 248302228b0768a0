// The program password in kxbatch.
//
// The password belongs to the installation (common/program_password.h): a
// shell must not read or change books that kxacct would not open. So before a
// command touches a data folder, kxbatch finds out whether a password is set
// and, when one is, asks for it: at kxacct's own prompt on the controlling
// terminal, or, for unattended runs, from the first line of a file named with
// --password-file. A wrong or missing password ends the run before any file
// of the data folder is opened.
//
// A password is set when the program folder or the user's folder of
// per-installation files holds KXPASS.DAT. kxacct reads the file of the one
// folder it uses (ResolveInstallation); kxbatch asks for that password first
// and otherwise for the other folder's, so a password file the desktop
// program happens not to see (the program folder was writable when it was
// set, or no longer is) still protects the books. When one of the folders
// cannot be found, kxbatch cannot tell whether a password is set and refuses
// to run a command.
#ifndef ZENKAR_BATCH_BATCH_PASSWORD_H_
#define ZENKAR_BATCH_BATCH_PASSWORD_H_

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/file_system.h"
#include "common/program_password.h"
#include "common/ui.h"

namespace zenkar {

inline constexpr std::string_view kNoPasswordGiven =
    "This installation is protected by a program password and none was given. Type it at the "
    "prompt on a terminal, or name a file that holds it with --password-file FILE.";
inline constexpr std::string_view kPasswordUnknown =
    "The folder of this installation's files was not found (set HOME or XDG_DATA_HOME), so "
    "kxbatch cannot tell whether a program password protects the books. Nothing was opened.";
inline constexpr std::string_view kPasswordFileNotPrivate =
    "\ncan be read by other users. A password file must be readable by its owner only "
    "(chmod 600); it was not read.";
inline constexpr std::string_view kPasswordFileNotAFile =
    "\nis not a regular file. A password file must be a file readable by its owner only; it "
    "was not read.";

// The folders that may hold the program password, the one kxacct uses
// first. An empty folder (program or user) stands for one that could not be
// found; it is passed on as empty.
std::vector<std::string> PasswordFolders(FileSystem& fs, const std::string& program_folder,
                                         const std::string& user_folder);

// The password on the first line of the file at `path`, blanks around it
// dropped: only when the file is a plain file that no one but its owner may
// read (the program password's --password-file, the mail password's
// --mail-password-file). Nothing when it was refused or could not be read
// (said through `ui`).
std::optional<std::string> ReadPasswordFile(FileSystem& fs, Ui& ui, const std::string& path);

struct PasswordPorts {
  FileSystem& fs;
  Ui& ui;
  // The controlling terminal: answers nothing when there is none (or the
  // user ends the input without a line).
  SecretInput& terminal;
};

// True when a command may touch the books: no password is set in `folders`,
// or the right one was given -- read from `password_file` when one is named
// (as given, relative to the working directory), else typed on the terminal.
// Otherwise the reason has been shown through the Ui.
bool ProgramPasswordGiven(const PasswordPorts& ports, const std::vector<std::string>& folders,
                          const std::string& password_file);

}  // namespace zenkar

#endif  // ZENKAR_BATCH_BATCH_PASSWORD_H_
