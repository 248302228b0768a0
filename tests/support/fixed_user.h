// FixedUserDirectory: a UserDirectory whose login a test sets.
#ifndef ZENKAR_TESTS_SUPPORT_FIXED_USER_H_
#define ZENKAR_TESTS_SUPPORT_FIXED_USER_H_

#include <optional>

#include "common/login_user.h"

namespace zenkar::testing {

class FixedUserDirectory : public UserDirectory {
 public:
  std::optional<LoginAccount> CurrentLogin() const override { return account; }

  std::optional<LoginAccount> account = LoginAccount{"pat", "Pat Example,Room 4,,"};
};

}  // namespace zenkar::testing

#endif  // ZENKAR_TESTS_SUPPORT_FIXED_USER_H_
