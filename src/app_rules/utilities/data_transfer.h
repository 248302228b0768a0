// The "Data Transfer (To and From Accountant)" window (110) without widgets:
// what it shows for the role of this copy, and its actions over the
// accountant exchange (services/exchange).
//
// Every action ends by asking "Unlock (check in) your entries?" while the
// data is still checked out; an import that replaced or added to the books
// asks for the main window to be built again.
#ifndef ZENKAR_APP_RULES_UTILITIES_DATA_TRANSFER_H_
#define ZENKAR_APP_RULES_UTILITIES_DATA_TRANSFER_H_

#include <optional>
#include <string>
#include <string_view>

#include "app_rules/window/program.h"
#include "services/exchange/accountant_exchange.h"
#include "services/mail_flows.h"

namespace zenkar {

inline constexpr std::string_view kDataTransferTitle = "Data Transfer";
inline constexpr int kHelpDataTransfer = 1110;
inline constexpr std::string_view kExportFolderPrompt =
    "Select a folder to EXPORT TO, then click OK";
// The work folder of "E-Mail Data", emptied after each send.
inline constexpr std::string_view kMailWorkFolderName = "Zenkar_Exchange_Mail/";
inline constexpr std::string_view kImportFolderPrompt =
    "Select a folder to IMPORT FROM, then click OK";

// What the window shows: the dates of the role, the captions of its two
// groups of actions in order (the first group holds "Import" for the
// accountant, the export for the client), and whether the exchange is
// possible here at all.
struct DataTransferView {
  ExchangeRole role = ExchangeRole::kClient;
  ExchangeDates dates;
  std::string export_caption;  // "Export to Accountant" / "Export to Client"
  std::string import_caption;  // "Import from Accountant" / "Import from Client"
  bool export_first = true;    // the client's window shows its export first
  bool possible = true;        // false: only "Reset" and "Cancel" work
};

class DataTransfer {
 public:
  // Finds this installation's number; without one, says so.
  explicit DataTransfer(Program& program);

  bool usable() const { return number_.has_value(); }
  Program& program() { return program_; }
  DataTransferView View();

  // "Create File": the folder is asked for, then the package written.
  void CreateFile();
  // "E-Mail Data": the package made in the work folder for it (in the
  // installation's files, or the data folder when those are read-only) and
  // mailed through `mail`.
  void MailData(MailEnvironment& mail);
  // "Import": the folder is asked for, then the package imported. True when
  // the books took it and the main window is to be built again.
  bool Import();
  // "Reset": the question, then the other role.
  void Reset();
  // "Cancel", and the end of every action: the check-in question while the
  // data is checked out.
  void Finish();

 private:
  ExchangeEnvironment Environment();
  std::string MailWorkFolder() const;

  Program& program_;
  std::optional<int32_t> number_;
};

}  // namespace zenkar

#endif  // ZENKAR_APP_RULES_UTILITIES_DATA_TRANSFER_H_
