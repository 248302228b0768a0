#include "updater/update_host.h"

#include <algorithm>
#include <charconv>

namespace zenkar {
namespace {

// Visible characters only: the name goes into a request line.
bool IsHostName(std::string_view name) {
  return !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
    return c > ' ' && c < 0x7F && c != '/' && c != '[' && c != ']';
  });
}

std::optional<uint16_t> Port(std::string_view text) {
  unsigned value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < 1 || value > 65535) {
    return std::nullopt;
  }
  return static_cast<uint16_t>(value);
}

}  // namespace

std::string UpdateHost::Text() const {
  const std::string host = name.find(':') == std::string::npos ? name : "[" + name + "]";
  return port == 80 ? host : host + ":" + std::to_string(port);
}

UpdateHost BuiltInUpdateHost() { return UpdateHost{ZENKAR_WEB_HOST, 80}; }

std::optional<UpdateHost> ParseUpdateHost(std::string_view text) {
  std::string_view name = text;
  std::string_view port;
  if (text.substr(0, 1) == "[") {
    const size_t close = text.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    name = text.substr(1, close - 1);
    const std::string_view rest = text.substr(close + 1);
    if (!rest.empty()) {
      if (rest.size() == 1 || rest[0] != ':') return std::nullopt;
      port = rest.substr(1);
    }
  } else if (const size_t colon = text.find(':'); colon != std::string_view::npos) {
    name = text.substr(0, colon);
    port = text.substr(colon + 1);
    if (port.empty()) return std::nullopt;
  }
  if (!IsHostName(name)) return std::nullopt;
  UpdateHost host{std::string(name), 80};
  if (!port.empty()) {
    const std::optional<uint16_t> number = Port(port);
    if (!number) return std::nullopt;
    host.port = *number;
  }
  return host;
}

std::optional<UpdateHost> UpdateHostFromEnvironment(const char* value) {
  if (value == nullptr || *value == '\0') return BuiltInUpdateHost();
  return ParseUpdateHost(value);
}

}  // namespace zenkar
