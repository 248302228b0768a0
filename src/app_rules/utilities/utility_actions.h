// The actions of the "File (Utilities)" and "Help" pages that this program
// offers today, written against the ports so each runs without a display.
#ifndef ZENKAR_APP_RULES_UTILITIES_UTILITY_ACTIONS_H_
#define ZENKAR_APP_RULES_UTILITIES_UTILITY_ACTIONS_H_

#include <optional>
#include <string>

#include "app_rules/window/program.h"
#include "common/day_number.h"

namespace zenkar {

// "Change Data Folder" (102, Ctrl+D): the user picks a folder; the current
// folder or a missing one is reported and changes nothing. Otherwise the old
// folder is saved and closed, the new one loaded and the window rebuilt. When
// the new folder cannot be used, the previous one is loaded again.
void ChangeDataFolder(Program& program);

// "Add New Data Folder" (108): the user picks or creates an empty folder; it
// becomes a new company (settings with the defaults, an empty ledger), the
// "Where Am I?" summary is shown and the window rebuilt. A folder that holds
// books already is not taken as new.
void AddNewDataFolder(Program& program);

// "Backup Data" (103, Ctrl+B): the settings are saved, then the folder is
// asked for and the whole suite's set written there.
void BackupData(Program& program);
// "Restore Data" (104) and "Restore from Auto Backup" (105): after a
// restore the books are loaded again, "Where Am I?" is shown and the window
// rebuilt (no automatic backup is made for that restart).
void RestoreData(Program& program);
void RestoreFromAutoBackup(Program& program);

// "Small", "Normal", "Large" (111-113): a size other than the one in use is
// kept in the settings and the window rebuilt with it. False when nothing
// changed.
bool ChooseDisplaySize(Program& program, int font_size);

// "Check for Update" (109, 808, Ctrl+U): starts z_ver_ck from the program
// folder and ends the window so that an update can replace the program; when
// it is missing or does not start, points to the news page instead.
void CheckForUpdate(Program& program);

// "Where Am I?" (816, Ctrl+W): the transaction count, the data folder and
// whether the accounts balance (the sum of all account balances).
std::string WhereAmIText(Program& program);
void WhereAmI(Program& program);

// "Select Check Date" (Alt+D) may choose dates up to 60 days either side of
// today.
inline constexpr int kCheckDateReach = 60;
struct DayRange {
  DayNumber first = 0;
  DayNumber last = 0;
};
DayRange CheckDateRange(DayNumber today);
// Makes `chosen` (today when the dialog was cancelled; kept within the range)
// the default check date and returns it.
DayNumber SetDefaultCheckDate(Program& program, std::optional<DayNumber> chosen);
// "The default check date is now ...", once the open check line shows it too.
void ConfirmDefaultCheckDate(Program& program);

}  // namespace zenkar

#endif  // ZENKAR_APP_RULES_UTILITIES_UTILITY_ACTIONS_H_
