// The accountant exchange: a client's books go to its accountant in a
// package, and the accountant's adjusting entries come back in another.
//
//   client      "Export to Accountant": ZENKAR.CCC (the state, the chart, the
//               lines, the payees, the reconciliation, the settings); every
//               line is then checked out (mark 1) and may not be changed.
//   accountant  "Import from Client": the package replaces the accountant's
//               copy of the books; every line becomes the client's (mark 2),
//               which the accountant may not change, only add to.
//   accountant  "Export to Client": ZENKAR.AAA with ZENKAR.NNN, the lines the
//               accountant added (mark 0, in file order), each naming its
//               payee by name; a zero-dollar line when there are none, so the
//               client can still check its books in.
//   client      "Import from Accountant": the lines are checked (accounts,
//               payees) and appended, and every mark cleared: the books are
//               checked in again.
//
// Packages are backup sets (backup_set.h) written and read with the backup
// code; every change of the books goes through the Ledger (one change each,
// under the folder's writing lock), and the accountant's import replaces
// the books as a restore does, as one change.
#ifndef ZENKAR_SERVICES_EXCHANGE_ACCOUNTANT_EXCHANGE_H_
#define ZENKAR_SERVICES_EXCHANGE_ACCOUNTANT_EXCHANGE_H_

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "common/backup_writer.h"
#include "common/date_patterns.h"
#include "ledger/ledger.h"
#include "services/exchange/exchange_state.h"

namespace zenkar {

inline constexpr std::string_view kClientPackageName = "ZENKAR.CCC";
inline constexpr std::string_view kAccountantPackageName = "ZENKAR.AAA";
inline constexpr std::string_view kNewEntriesFileName = "ZENKAR.NNN";

inline constexpr std::string_view kExportedTo = "Exported to:";
inline constexpr std::string_view kImportFileNotFound = "Import file was not found in:";
inline constexpr std::string_view kNamesQuestionEnd = "\n\nContinue Import?";
inline constexpr std::string_view kImportAborted = "Import aborted";
inline constexpr std::string_view kDataImportedFromClient = "Data imported from client.";
inline constexpr std::string_view kNoAdjustmentsLine = "No Accountant Adjustments Made";
inline constexpr std::string_view kAdjustmentReference = "ADJ";
inline constexpr std::string_view kZeroDollarExported =
    "There were no new entries to send to client.  A zero dollar entry was exported so the "
    "client can import this file and unlock their data.";
inline constexpr std::string_view kNoNewEntriesToExport = "No new entries to export";
inline constexpr std::string_view kImportFromAccountantQuestion =
    "Import the entries from your accountant?";
inline constexpr std::string_view kSameDateQuestion =
    "This import file was created the same date as the file you last imported.\nYou may be "
    "attempting to import the same data a second time.\n\nContinue?";
inline constexpr std::string_view kInvalidImportFile = "Invalid import file.";
inline constexpr std::string_view kDataImportFinished = "Data import finished";
inline constexpr std::string_view kNothingToImport = "Nothing to import";
inline constexpr std::string_view kAccountantMailSubject = "Zenkar Data from Accountant";
inline constexpr std::string_view kCheckInQuestion = "Unlock (check in) your entries?";
inline constexpr std::string_view kResetQuestion =
    "Reset - Switch from accountant to client, or client to accountant?";
inline constexpr std::string_view kExchangeBlocked =
    "The exchange records of this data folder name this installation as both the client and "
    "the accountant, or belong to two other installations, so no data can be exchanged here. "
    "Click 'Reset' to start the exchange afresh from this installation.";

// Said when the installation keeps no number: the folder of its files
// cannot be written and holds no token.
std::string NoInstallationNumberMessage(const std::string& files_folder);

struct ExchangeEnvironment {
  Ledger& ledger;             // loaded, allowed to write
  BackupEnvironment backups;  // the program, its Ui and the data folder
  int32_t installation;       // this installation's number (InstallationNumber)
};

// The state and the role of this copy; the state is fresh when the data
// folder holds none. False (said) when the state file is damaged.
bool ReadState(ExchangeEnvironment& env, ExchangeStateRecord* state);
ExchangeRole CurrentRole(ExchangeEnvironment& env);

// True while a line of the books is checked out to the accountant: the
// client exported them, and neither the accountant's entries nor a check-in
// have come back yet.
bool DataCheckedOut(const Ledger& ledger);
inline constexpr std::string_view kDataCheckedOutMessage =
    "Cannot perform this function.\n\nThe data is marked as being 'checked out' to your "
    "accountant";
// Says kDataCheckedOutMessage while the data is checked out; true otherwise.
bool PassesDataCheckedOutGuard(const Ledger& ledger);

// "Create File": the client's export to its accountant, or the accountant's
// export to the client, by the role of this copy, into `folder`. True when
// the package was written.
bool ExportPackage(ExchangeEnvironment& env, const std::string& folder);
// Mails the package `file_name` of `folder` under `subject`; true when the
// mail server took it (a failure or a cancelled mail dialog is said there).
using PackageMailer = std::function<bool(std::string_view subject, const std::string& folder,
                                         std::string_view file_name)>;
// "E-Mail Data": the export of "Create File", made in the private
// `work_folder` (created when missing) and handed to `mail` instead of being
// left there; the client's package goes under "Zenkar Data from " and its
// company's name (line 2 when line 1 is blank, "Client" when both are), the
// accountant's under "Zenkar Data from Accountant". The export counts only
// once the mail went: until then the client's lines are not checked out and
// the state stays as it was. The package is removed from the work folder
// afterwards. True when the package was mailed.
bool MailPackage(ExchangeEnvironment& env, const std::string& work_folder,
                 const PackageMailer& mail);
// "Import": the accountant's import from the client, or the client's import
// from the accountant, by the role of this copy, from the package in
// `folder`. True when the books took it; the accountant's books are then
// loaded again from the client's files, and should that load fail (said)
// the ledger stays unloaded.
bool ImportPackage(ExchangeEnvironment& env, const std::string& folder);

// "Reset": after the question, this copy takes the other role. The
// recorded installation numbers are cleared (the accountant's becomes this
// one's when the copy turns accountant) and every line's mark is cleared, so
// nothing stays locked for a role the copy no longer has.
bool ResetRole(ExchangeEnvironment& env);

// Asked after every action of the exchange while the data is checked out:
// "Unlock (check in) your entries?" (No preselected); Yes clears every mark.
void OfferCheckIn(ExchangeEnvironment& env);

// The texts of the "Data Transfer" window for the role: "Last Export: " and
// the date, or "No Previous Exports"; "Last Import: " and the date, or "No
// Previous Imports".
struct ExchangeDates {
  std::string last_export;
  std::string last_import;
};
ExchangeDates ExchangeDatesOf(const ExchangeStateRecord& state, ExchangeRole role,
                              const DatePatterns& dates);

}  // namespace zenkar

#endif  // ZENKAR_SERVICES_EXCHANGE_ACCOUNTANT_EXCHANGE_H_
