// The server the update checker asks: the vendor's web site host of this
// build (CMake option ZENKAR_WEB_HOST, port 80), or the server that the
// environment variable ZENKAR_UPDATE_HOST ("host:port") names, so that tests
// and trials point the checker at a server of their own.
#ifndef ZENKAR_UPDATER_UPDATE_HOST_H_
#define ZENKAR_UPDATER_UPDATE_HOST_H_

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zenkar {

struct UpdateHost {
  std::string name;  // a host name or a numeric address
  uint16_t port = 80;

  // The host as messages, the Host line and web addresses name it: the name,
  // with ":" and the port when it is not 80 (an IPv6 address in brackets).
  std::string Text() const;
};

// The web site host of this build, on port 80.
UpdateHost BuiltInUpdateHost();

// "host", "host:port" or "[IPv6 address]:port"; nothing when the text is not
// one of these (an empty name, a port outside 1 to 65535, a space).
std::optional<UpdateHost> ParseUpdateHost(std::string_view text);

// The host named by ZENKAR_UPDATE_HOST's value (which may be null or empty:
// the built-in host); nothing when the value cannot be read.
std::optional<UpdateHost> UpdateHostFromEnvironment(const char* value);

}  // namespace zenkar

#endif  // ZENKAR_UPDATER_UPDATE_HOST_H_
