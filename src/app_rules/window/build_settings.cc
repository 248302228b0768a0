#include "app_rules/window/build_settings.h"

namespace zenkar {

WebSite BuiltInWebSite(std::string token) {
  return WebSite{ZENKAR_WEB_HOST, ZENKAR_SUPPORT_MAIL, ZENKAR_USER_QUERY, std::move(token)};
}

}  // namespace zenkar
