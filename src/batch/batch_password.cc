#include "batch/batch_password.h"

#include <optional>

#include "common/installation.h"
#include "common/record_file.h"
#include "common/text_field.h"

namespace zenkar {
namespace {

constexpr uint32_t kReadableByOthers = 0044;  // group or others may read

// The folder whose KXPASS.DAT holds the password; "" when no password is set;
// nothing when a folder is unknown and the known ones hold none.
std::optional<std::string> PasswordFolder(FileSystem& fs, const std::vector<std::string>& folders) {
  bool unknown = false;
  for (const std::string& folder : folders) {
    if (folder.empty()) {
      unknown = true;
    } else if (ProgramPassword(fs, folder).IsSet()) {
      return folder;
    }
  }
  if (unknown) return std::nullopt;
  return std::string();
}

// The password on the first line; a password holds no blanks, so blanks and
// a carriage return around it (an editor's, a Windows line end) are dropped.
std::string FirstLine(std::string_view text) {
  text = text.substr(0, text.find('\n'));
  const size_t start = text.find_first_not_of(" \t\r");
  if (start == std::string_view::npos) return "";
  return std::string(text.substr(start, text.find_last_not_of(" \t\r") - start + 1));
}

// Why a password file is refused before it is read; empty when it is not.
std::string_view RefusalOf(const FileStamp& stamp) {
  if (!stamp.exists) return "\ndoes not exist.";
  if (!stamp.regular) return kPasswordFileNotAFile;
  if ((stamp.permissions & kReadableByOthers) != 0) return kPasswordFileNotPrivate;
  return {};
}

// Where the answer to kxacct's password prompt comes from in kxbatch: the
// password file when one is named, else the terminal. Each way of failing
// says why; a wrong password is left to the prompt ("INVALID PASSWORD!").
class BatchPasswordSource : public SecretInput {
 public:
  BatchPasswordSource(const PasswordPorts& ports, const std::string& password_file)
      : ports_(ports), password_file_(password_file) {}

  std::optional<std::string> AskSecret(std::string_view prompt, std::string_view title) override {
    if (!password_file_.empty()) return ReadPasswordFile(ports_.fs, ports_.ui, password_file_);
    std::optional<std::string> typed = ports_.terminal.AskSecret(prompt, title);
    if (!typed) ports_.ui.Error(kNoPasswordGiven);
    return typed;
  }

 private:
  const PasswordPorts& ports_;
  const std::string& password_file_;
};

}  // namespace

// A file that others may read, or that is no plain file, is refused before
// it is read: a password others can read protects nothing, and a pipe or a
// device could block the run.
std::optional<std::string> ReadPasswordFile(FileSystem& fs, Ui& ui, const std::string& path) {
  const std::string shown = Utf8ToCp1252(path);
  FileStamp stamp;
  if (Status s = fs.StampOf(path, &stamp); !s.ok()) {
    ui.Error("Error reading " + shown + "\n\n" + s.message());
    return std::nullopt;
  }
  if (const std::string_view refusal = RefusalOf(stamp); !refusal.empty()) {
    ui.Error(shown + std::string(refusal));
    return std::nullopt;
  }
  std::string contents;
  if (Status s = fs.ReadFile(path, &contents); !s.ok()) {
    ui.Error("Error reading " + shown + "\n\n" + s.message());
    return std::nullopt;
  }
  return FirstLine(contents);
}

std::vector<std::string> PasswordFolders(FileSystem& fs, const std::string& program_folder,
                                         const std::string& user_folder) {
  // Resolving probes the program folder by writing into it: an unknown one
  // would make that the working directory, which may be the data folder.
  if (program_folder.empty() || user_folder.empty()) {
    return {NormalizeFolderPath(program_folder), NormalizeFolderPath(user_folder)};
  }
  const Installation installation = ResolveInstallation(fs, program_folder, user_folder);
  const std::string user = NormalizeFolderPath(user_folder);
  if (installation.files_folder == installation.program_folder) {
    return {installation.program_folder, user};
  }
  return {user, installation.program_folder};
}

bool ProgramPasswordGiven(const PasswordPorts& ports, const std::vector<std::string>& folders,
                          const std::string& password_file) {
  const std::optional<std::string> folder = PasswordFolder(ports.fs, folders);
  if (!folder) {
    ports.ui.Error(kPasswordUnknown);
    return false;
  }
  if (folder->empty()) return true;
  ProgramPassword password(ports.fs, *folder);
  BatchPasswordSource source(ports, password_file);
  return AskProgramPassword(ports.ui, source, password);
}

}  // namespace zenkar
