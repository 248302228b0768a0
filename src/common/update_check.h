// The command line of the update checker z_ver_ck.
//
// A program of the suite starts the checker from its program folder with one
// argument: its identity, its version, the installation token and its
// revision, separated by commas ("KXACCT,4.7,1A2B3C4D,4").
#ifndef ZENKAR_COMMON_UPDATE_CHECK_H_
#define ZENKAR_COMMON_UPDATE_CHECK_H_

#include <string>
#include <string_view>

namespace zenkar {

inline constexpr std::string_view kUpdateCheckerName = "z_ver_ck";

inline std::string UpdateCheckerArgument(std::string_view identity, std::string_view version,
                                         std::string_view token, int revision) {
  return std::string(identity) + "," + std::string(version) + "," + std::string(token) + "," +
         std::to_string(revision);
}

}  // namespace zenkar

#endif  // ZENKAR_COMMON_UPDATE_CHECK_H_
