// The user of the installation, as the documents' /Author names them.
//
// The program keeps no registered user name of its own, so the user is the
// login running it: the full name in the password database's comment field
// (the text before its first comma; office and telephone may follow), or the
// login name when that is blank. The lookup is the UserDirectory port, so
// that tests choose the user instead of the machine they run on.
#ifndef ZENKAR_COMMON_LOGIN_USER_H_
#define ZENKAR_COMMON_LOGIN_USER_H_

#include <optional>
#include <string>

namespace zenkar {

// One entry of the password database, as its bytes stand (UTF-8 on Linux).
struct LoginAccount {
  std::string login;      // pw_name
  std::string full_name;  // pw_gecos, whole
};

class UserDirectory {
 public:
  virtual ~UserDirectory() = default;
  // The entry of the login the program runs as; nothing when it has none.
  virtual std::optional<LoginAccount> CurrentLogin() const = 0;
};

// The real password database (getpwuid of the real user id).
const UserDirectory& PasswordDatabase();

// The user's name in Windows-1252: the comment field up to its first comma,
// trimmed, else the login name; empty without an entry.
std::string InstallationUserName(const UserDirectory& users);

}  // namespace zenkar

#endif  // ZENKAR_COMMON_LOGIN_USER_H_
