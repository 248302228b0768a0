#include "common/login_user.h"

#include <pwd.h>
#include <unistd.h>

#include "common/text_field.h"

namespace zenkar {
namespace {

class PosixUserDirectory : public UserDirectory {
 public:
  std::optional<LoginAccount> CurrentLogin() const override {
    const passwd* entry = ::getpwuid(::getuid());
    if (entry == nullptr) return std::nullopt;
    return LoginAccount{entry->pw_name != nullptr ? entry->pw_name : "",
                        entry->pw_gecos != nullptr ? entry->pw_gecos : ""};
  }
};

}  // namespace

const UserDirectory& PasswordDatabase() {
  static const PosixUserDirectory directory;
  return directory;
}

std::string InstallationUserName(const UserDirectory& users) {
  const std::optional<LoginAccount> account = users.CurrentLogin();
  if (!account.has_value()) return "";
  const std::string_view full_name =
      Trim(std::string_view(account->full_name).substr(0, account->full_name.find(',')));
  return Utf8ToCp1252(full_name.empty() ? Trim(account->login) : full_name);
}

}  // namespace zenkar
