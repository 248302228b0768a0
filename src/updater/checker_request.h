// What the update checker is asked: the command line a program of the suite
// starts it with, and what the program's identity decides.
//
// The line is "identity,version,token,revision" ("KXACCT,4.7,0A1B2C3D,4",
// common/update_check.h writes it): exactly four fields, each trimmed. The
// identity chooses the installer to download, the product name of the
// messages and the line of the revision file that is compared.
#ifndef ZENKAR_UPDATER_CHECKER_REQUEST_H_
#define ZENKAR_UPDATER_CHECKER_REQUEST_H_

#include <optional>
#include <string>
#include <string_view>

namespace zenkar {

inline constexpr std::string_view kNotStandAloneText =
    "Not a stand alone program - use the Check For Update function within one of the Zenkar "
    "programs.";

struct CheckerRequest {
  std::string identity;  // "KXACCT", "KXPR", "KXAR", ...
  std::string version;   // the running version, "4.7"
  std::string token;     // the installation token
  long revision = 0;     // the running revision
};

// The request of a command line, or nothing when it is not four fields.
// Fields that would break the lines of a request or the name of the program
// to restart are refused too: the identity must be letters and digits, and
// no field may hold a control character.
std::optional<CheckerRequest> ParseCheckerRequest(std::string_view command_line);

// A revision as written: an optional "-" and the decimal digits that lead
// the text; text that is not a number (or too large to be one) reads as 0.
long RevisionNumber(std::string_view text);

// "InstallZenkarPR.exe" for "KXPR", "InstallZenkarAC.exe" for "KXACCT",
// "InstallZenkarAR.exe" for any other identity.
std::string InstallerName(std::string_view identity);

// "Accounts Receivable", "Payroll", "Zenkar Accounting", or the identity.
std::string ProductName(std::string_view identity);

// The key of the revision file's line that holds the program's published
// revision ("AR", "PR", "AC"); empty for other identities.
std::string_view RevisionKey(std::string_view identity);

}  // namespace zenkar

#endif  // ZENKAR_UPDATER_CHECKER_REQUEST_H_
