// Who this program is: identity, version and revision.
#ifndef ZENKAR_APP_RULES_WINDOW_PROGRAM_IDENTITY_H_
#define ZENKAR_APP_RULES_WINDOW_PROGRAM_IDENTITY_H_

#include <string>
#include <string_view>

namespace zenkar {

// The identity the suite's shared code and the update checker know us by.
inline constexpr std::string_view kProgramIdentity = "KXACCT";
inline constexpr std::string_view kProgramVersion = "4.7";
inline constexpr int kProgramRevision = 4;

// "Version 4.7 Revision 4": the text in the corner of the main window.
inline std::string VersionText() {
  return "Version " + std::string(kProgramVersion) + " Revision " +
         std::to_string(kProgramRevision);
}

// "Version 4.7 - Revision 4": the first line of the Help page's panel.
inline std::string PanelVersionText() {
  return "Version " + std::string(kProgramVersion) + " - Revision " +
         std::to_string(kProgramRevision);
}

}  // namespace zenkar

#endif  // ZENKAR_APP_RULES_WINDOW_PROGRAM_IDENTITY_H_
