// The installation's user as the documents name them: the full name of the
// login's password entry, else its login name.
#include "common/login_user.h"

#include <gtest/gtest.h>

#include "support/fixed_user.h"

namespace zenkar {
namespace {

std::string NameOf(std::optional<LoginAccount> account) {
  testing::FixedUserDirectory users;
  users.account = std::move(account);
  return InstallationUserName(users);
}

TEST(InstallationUserNameTest, TheFullNameUpToItsFirstCommaElseTheLogin) {
  EXPECT_EQ(NameOf(LoginAccount{"pat", "Pat Example,Room 4,555-0100,"}), "Pat Example");
  EXPECT_EQ(NameOf(LoginAccount{"pat", " Pat Example "}), "Pat Example");
  EXPECT_EQ(NameOf(LoginAccount{"pat", ",Room 4"}), "pat");
  EXPECT_EQ(NameOf(LoginAccount{"pat", ""}), "pat");
  EXPECT_EQ(NameOf(std::nullopt), "");
}

TEST(InstallationUserNameTest, AUtf8NameComesOutInWindows1252) {
  EXPECT_EQ(NameOf(LoginAccount{"jose", "Jos\xC3\xA9 Mu\xC3\xB1oz"}), "Jos\xE9 Mu\xF1oz");
}

}  // namespace
}  // namespace zenkar
