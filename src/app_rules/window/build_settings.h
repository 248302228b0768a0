// The build-time settings of the web links: the web site host, the support
// mail address and the query that identifies the user (CMake options
// ZENKAR_WEB_HOST, ZENKAR_SUPPORT_MAIL and ZENKAR_USER_QUERY).
#ifndef ZENKAR_APP_RULES_WINDOW_BUILD_SETTINGS_H_
#define ZENKAR_APP_RULES_WINDOW_BUILD_SETTINGS_H_

#include <string>

#include "common/internet_shortcut.h"

namespace zenkar {

// The web site of this build, with the installation's token.
WebSite BuiltInWebSite(std::string token);

}  // namespace zenkar

#endif  // ZENKAR_APP_RULES_WINDOW_BUILD_SETTINGS_H_
