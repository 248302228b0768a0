// The program password: an optional password asked before the books open.
//
// It belongs to the installation, not to a company: a small file KXPASS.DAT in
// the per-installation folder holds a salted, slow hash of it (PBKDF2 with
// HMAC-SHA-256), never the password itself, and only its owner may read it
// (0600). A password is 1 to 40 of the 94
// visible ASCII characters -- letters, digits and punctuation, without spaces
// or accented letters -- so it can be typed the same on every keyboard layout;
// letters are case-sensitive.
#ifndef ZENKAR_COMMON_PROGRAM_PASSWORD_H_
#define ZENKAR_COMMON_PROGRAM_PASSWORD_H_

#include <optional>
#include <string>
#include <string_view>

#include "common/file_system.h"
#include "common/status.h"
#include "common/ui.h"

namespace zenkar {

inline constexpr std::string_view kPasswordFileName = "KXPASS.DAT";
inline constexpr size_t kMaxPasswordLength = 40;

// True for 1 to 40 characters from "!" to "~" (ASCII 33 to 126).
bool IsAllowedPassword(std::string_view password);

// An input box whose answer is not shown on the screen (the Qt adapter masks
// it; tests answer from a queue).
class SecretInput {
 public:
  virtual ~SecretInput() = default;
  // Nothing when the user cancels.
  virtual std::optional<std::string> AskSecret(std::string_view prompt, std::string_view title) = 0;
};

// The stored line: "ZKPW1 " + iterations + " " + salt (hex) + " " + hash (hex).
std::string EncodePasswordRecord(std::string_view password, std::string_view salt, int iterations);
// True when `record` is a well-formed stored line made from `password`.
bool PasswordRecordMatches(std::string_view record, std::string_view password);

class ProgramPassword {
 public:
  // Work factor of new hashes; a stored hash keeps the count it was made with.
  static constexpr int kIterations = 200000;

  // With `writable` false the folder is only read: Set and Remove fail with
  // NotWritableMessage and write nothing.
  ProgramPassword(FileSystem& fs, std::string files_folder, bool writable = true)
      : fs_(fs),
        folder_(std::move(files_folder)),
        path_(folder_ + std::string(kPasswordFileName)),
        writable_(writable) {}

  const std::string& path() const { return path_; }
  // True when a password file exists. A damaged file still counts as set, so
  // spoiling the file cannot switch the protection off.
  bool IsSet();
  bool Matches(std::string_view password);
  // Stores a new password (with a fresh salt) atomically, in a file only its
  // owner may use, whatever the mode of the file it replaces.
  Status Set(std::string_view password);
  Status Remove();

 private:
  FileSystem& fs_;
  std::string folder_;
  std::string path_;
  bool writable_;
};

// The prompt at start-up. True when no password is set or the right one was
// typed; a wrong one shows "INVALID PASSWORD!". Cancelling returns false.
bool AskProgramPassword(Ui& ui, SecretInput& input, ProgramPassword& password);

// "Set or Change Password": asks for the new password (or NONE to remove it)
// and for it again, and tells the outcome.
void SetOrChangePassword(Ui& ui, SecretInput& input, ProgramPassword& password);

}  // namespace zenkar

#endif  // ZENKAR_COMMON_PROGRAM_PASSWORD_H_
