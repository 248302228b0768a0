// The data-folder actions of the "File (Utilities)" page that need no window:
// the "Where Am I?" summary and "Add New Data Folder". The desktop program
// shows their results in message boxes; the command-line program prints them.
#ifndef ZENKAR_LEDGER_FOLDER_SUMMARY_H_
#define ZENKAR_LEDGER_FOLDER_SUMMARY_H_

#include <string>
#include <string_view>

#include "common/file_system.h"
#include "ledger/ledger.h"

namespace zenkar {

// "Where Am I?": the transaction count followed by " Transactions", a line
// break, the data folder, a line break, and "Accounts are balanced" or
// "Accounts are out of balance by: " with the sum of all account balances in
// two decimals. Windows-1252, like every message text.
std::string WhereAmIText(const Ledger& ledger);

// True when `folder` holds the books of a company: a KXACCT.CFG or KXACCT.TRN
// that is not empty.
bool FolderHoldsBooks(FileSystem& fs, const std::string& folder);

enum class NewCompanyFolder {
  kCreated,     // the folder is loaded as a new company
  kHoldsBooks,  // the folder holds a company already; nothing changed
  kNotCreated,  // the folder could not be made (reported); nothing changed
  kLoadFailed,  // the new company could not be opened (reported); nothing is loaded
};

// "Add New Data Folder": makes `folder` (normalised; created when missing,
// its parent must exist) a new company. A folder that holds books already is
// refused without a message, so each program can say it in its own words.
// Otherwise the books of the folder loaded now are saved and closed, the new
// folder is opened as a new company (settings with the defaults, the default
// chart from the program folder, no transactions), `company_name` (when not
// empty, Windows-1252) becomes the company's "Name Line 1", and the settings
// are saved. The caller shows the "Where Am I?" summary.
NewCompanyFolder AddNewDataFolder(Ledger& ledger, std::string_view folder,
                                  std::string_view company_name = {});

}  // namespace zenkar

#endif  // ZENKAR_LEDGER_FOLDER_SUMMARY_H_
