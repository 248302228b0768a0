#include "app_rules/utilities/utility_actions.h"

#include <algorithm>

#include "app_rules/window/program_identity.h"
#include "common/backup_dialog.h"
#include "common/record_file.h"
#include "common/text_field.h"
#include "common/update_check.h"
#include "ledger/folder_summary.h"

namespace zenkar {
namespace {

// Paths are bytes of the file system (UTF-8); messages are Windows-1252.
std::string ShownPath(const std::string& path) { return Utf8ToCp1252(path); }

std::string ParentFolder(const std::string& folder) {
  if (folder.size() < 2) return folder;
  const size_t slash = folder.rfind('/', folder.size() - 2);
  return slash == std::string::npos ? folder : folder.substr(0, slash + 1);
}

// After a folder that could not be used, the books of the previous folder
// are loaded again; when even that fails the program closes.
void ReturnToFolder(Program& program, const std::string& folder) {
  Ledger& ledger = program.ledger();
  ledger.SetDataFolder(folder);
  if (ledger.OpenDataFolder()) {
    program.RestartMainWindow();
  } else {
    program.EndMainWindow();
  }
}

// Switches to `folder`; true when the new folder is loaded. The folder left
// gets its automatic backup, as at exit.
bool SwitchFolder(Program& program, const std::string& folder) {
  Ledger& ledger = program.ledger();
  const std::string previous = ledger.data_folder();
  const int previous_transactions = ledger.transaction_count();
  program.StoreWindowState();  // kept with the old folder's settings
  switch (ledger.ChangeDataFolder(folder)) {
    case Ledger::FolderChange::kChanged:
      program.AutoBackupOfFolderLeft(previous, previous_transactions);
      return true;
    case Ledger::FolderChange::kLoadFailed:
      ReturnToFolder(program, previous);
      return false;
    default:  // the current folder, or a missing one: reported, nothing changed
      return false;
  }
}

// After a restore the books on disk are new: they are loaded again and the
// window rebuilt from them.
void ReloadRestoredBooks(Program& program) {
  if (!program.ledger().OpenDataFolder()) {
    program.EndMainWindow();
    return;
  }
  WhereAmI(program);
  program.RestartMainWindow();
}

}  // namespace

void BackupData(Program& program) {
  program.ledger().SaveCompanySettings();
  BackupEnvironment backups = program.Backups();
  const DatePatterns& patterns = program.date_patterns();
  RunBackupDialog(backups, kBackupMode, FormatDate(program.clock().Today(), patterns.numeric));
}

void RestoreData(Program& program) {
  BackupEnvironment backups = program.Backups();
  if (RunBackupDialog(backups, kRestoreMode, "") == 1) ReloadRestoredBooks(program);
}

void RestoreFromAutoBackup(Program& program) {
  BackupEnvironment backups = program.Backups();
  if (RunAutoRestore(backups) == 1) ReloadRestoredBooks(program);
}

void ChangeDataFolder(Program& program) {
  const std::optional<std::string> picked =
      program.ui().PickFolder("Select the Data Folder", program.ledger().data_folder());
  if (!picked) return;
  if (SwitchFolder(program, *picked)) program.RestartMainWindow();
}

void AddNewDataFolder(Program& program) {
  Ledger& ledger = program.ledger();
  const std::optional<std::string> picked = program.ui().PickFolder(
      "Select or create an empty folder for the new company", ParentFolder(ledger.data_folder()));
  if (!picked) return;
  const std::string folder = NormalizeFolderPath(*picked);
  if (folder != ledger.data_folder() && FolderHoldsBooks(program.fs(), folder)) {
    program.ui().Information(ShownPath(folder) +
                             "\nholds the books of a company already - use 'Change Data Folder' "
                             "to open it.");
    return;
  }
  if (!SwitchFolder(program, folder)) return;
  ledger.SaveCompanySettings();
  WhereAmI(program);
  program.RestartMainWindow();
}

bool ChooseDisplaySize(Program& program, int font_size) {
  if (font_size == program.FontSize()) return false;
  program.ForgetWindowPosition();
  program.ledger().settings().font_size = font_size;
  program.ledger().SaveCompanySettings();
  program.RestartMainWindow();
  return true;
}

void CheckForUpdate(Program& program) {
  const std::string news = program.web_site().host + "/news";
  const std::string checker = program.ProgramFile(kUpdateCheckerName);
  if (!program.fs().FileExists(checker)) {
    program.ui().Information("View our latest news at  " + news);
    return;
  }
  const std::string argument = UpdateCheckerArgument(kProgramIdentity, kProgramVersion,
                                                     program.web_site().token, kProgramRevision);
  // The checker restarts kxacct in its own working folder: started in the
  // data folder, the restarted program opens the books it was showing.
  if (program.shell().StartProgram(checker, {argument}, program.ledger().data_folder())) {
    program.EndMainWindow();
  } else {
    program.ui().Information("View our latest news at " + news);
  }
}

std::string WhereAmIText(Program& program) { return WhereAmIText(program.ledger()); }

void WhereAmI(Program& program) { program.ui().Information(WhereAmIText(program)); }

DayRange CheckDateRange(DayNumber today) {
  return {today - kCheckDateReach, today + kCheckDateReach};
}

DayNumber SetDefaultCheckDate(Program& program, std::optional<DayNumber> chosen) {
  const DayNumber today = program.clock().Today();
  const DayRange range = CheckDateRange(today);
  const DayNumber day = std::clamp(chosen.value_or(today), range.first, range.last);
  program.set_default_check_date(day);
  return day;
}

void ConfirmDefaultCheckDate(Program& program) {
  const DayNumber day = program.default_check_date().value_or(program.clock().Today());
  const DatePatterns& patterns = program.date_patterns();
  program.ui().Information("The default check date is now " + FormatDate(day, patterns.numeric) +
                           ".");
}

}  // namespace zenkar
