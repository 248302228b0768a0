#include "launcher/launcher.h"

#include <algorithm>

#include "common/backup_dialog.h"
#include "common/backup_set.h"
#include "common/folder_history.h"
#include "common/record_file.h"
#include "common/text_field.h"

namespace zenkar {
namespace {

constexpr size_t kNameFieldWidth = 40;
constexpr std::string_view kNoPrinter =
    "CUPS is reporting no printers are available. Install/reinstall at least one printer.";

std::string Shown(const std::string& path) { return Utf8ToCp1252(path); }

// A history entry names a folder worth offering when the folder holds
// anything at all.
bool HoldsAnything(FileSystem& fs, const std::string& folder) {
  std::vector<std::string> names;
  return fs.ListDirectory(folder, &names).ok() && !names.empty();
}

// The company name of a settings record: its first `fields` fields of 40
// characters, each trimmed, joined by a space.
std::string CompanyName(std::string_view record, size_t fields) {
  std::string name;
  for (size_t field = 0; field < fields && field * kNameFieldWidth < record.size(); ++field) {
    if (field > 0) name += " ";
    name += TrimRight(record.substr(field * kNameFieldWidth, kNameFieldWidth));
  }
  return EscapeControls(name);
}

}  // namespace

WebSite LauncherWebSite(std::string token) {
  return WebSite{ZENKAR_WEB_HOST, ZENKAR_SUPPORT_MAIL, ZENKAR_USER_QUERY, std::move(token)};
}

std::string ProgramFileName(std::string_view code) {
  std::string name = "kx";
  for (char c : code) name += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return name;
}

Launcher::Launcher(const LauncherPorts& ports, Installation installation, WebSite web_site,
                   DatePatterns date_patterns)
    : fs_(ports.fs),
      ui_(ports.ui),
      shell_(ports.shell),
      clock_(ports.clock),
      installation_(std::move(installation)),
      web_site_(std::move(web_site)),
      date_patterns_(std::move(date_patterns)) {}

std::vector<std::string> Launcher::RecentFolders() {
  FolderHistory history(fs_, installation_.files_folder, installation_.files_folder_writable);
  std::vector<std::string> folders;
  for (int k = 0; k < FolderHistory::kEntries;) {
    const std::string entry = history.GetHistoryEntry(k);
    const bool offered = !entry.empty() && HoldsAnything(fs_, entry) &&
                         std::find(folders.begin(), folders.end(), entry) == folders.end();
    if (offered) folders.push_back(entry);
    // A removed entry's place is taken by the next one, examined in turn.
    if (offered || entry.empty() || !installation_.files_folder_writable) {
      ++k;
    } else {
      history.RemoveHistoryEntry(k);
    }
  }
  if (folders.empty()) {
    folders.push_back(installation_.files_folder_writable ? installation_.files_folder
                                                          : installation_.program_folder);
  }
  return folders;
}

std::string Launcher::StatusText(const ProgramButton& button, const std::string& folder) {
  const std::string path = DataFilePath(fs_, folder, button.settings_file);
  uint64_t size = 0;
  std::string record;
  if (!fs_.FileExists(path) || !fs_.FileSize(path, &size).ok()) return std::string(kClickToBegin);
  if (size == 0) {
    // A settings file left empty (a start that never finished) is deleted, so
    // the program sets the company up afresh. Failing that, it does so anyway.
    static_cast<void>(fs_.RemoveFile(path));
    return std::string(kClickToBegin);
  }
  if (!fs_.ReadFile(path, &record).ok()) return std::string(kClickToBegin);
  return CompanyName(record, button.name_fields);
}

bool Launcher::RunInFolder(const std::string& program, const std::string& folder,
                           LauncherHost& host) {
  host.Hide();
  host.EnterFolder(folder);
  const int status = shell_.RunProgram(program, {folder});
  host.Show();
  return status != -1;
}

void Launcher::StartProgram(const ProgramButton& button, const std::string& folder,
                            LauncherHost& host) {
  const std::string program = installation_.program_folder + ProgramFileName(button.code);
  if (!fs_.FileExists(program)) {
    ui_.Error(std::string(button.label) +
                  " has not been installed, or cannot be located in this folder (" +
                  Shown(installation_.program_folder) + "). Reinstall the software.",
              kLauncherProduct);
    return;
  }
  if (!RunInFolder(program, folder, host)) {
    ui_.Error(std::string(button.label) + " could not be started (" + Shown(program) + ").",
              kLauncherProduct);
  }
}

bool Launcher::LegacyButtonsShown() {
  return !fs_.FileExists(installation_.program_folder + ProgramFileName("ACCT"));
}

void Launcher::StartLegacyProgram(const LegacyProgram& legacy, const std::string& folder,
                                  LauncherHost& host) {
  ui_.Information(legacy.notice, kLauncherProduct);
  const std::string program = installation_.program_folder + ProgramFileName(legacy.code);
  if (!fs_.FileExists(program) || !RunInFolder(program, folder, host)) {
    ui_.Error(std::string(legacy.code) + " cannot be run from this folder (" +
                  Shown(installation_.program_folder) + ").",
              kLauncherProduct);
  }
}

void Launcher::BackupData(const std::string& folder) {
  BackupEnvironment env{fs_, ui_, std::string(kLauncherIdentity), std::string(kLauncherProduct),
                        NormalizeFolderPath(folder)};
  RunBackupDialog(env, kBackupMode, FormatDate(clock_.Today(), date_patterns_.numeric));
}

bool Launcher::OpenWebPage(WebPage page) {
  const std::optional<std::string> shortcut_folder = installation_.files_folder_writable
                                                         ? std::optional(installation_.files_folder)
                                                         : std::nullopt;
  return zenkar::OpenWebPage(fs_, shell_, ui_, shortcut_folder, web_site_, page);
}

std::optional<std::string> Launcher::AskSearchFolder(const std::string& start) {
  const std::optional<std::string> picked =
      ui_.PickFolder("Select the folder to search for Zenkar data", start);
  if (!picked) return std::nullopt;
  return NormalizeFolderPath(*picked);
}

void Launcher::OfferToPrint(const std::vector<std::string>& folders, ListPrinter& printer) {
  if (!ui_.YesNoDefaultNo("Print list of folders?", kLauncherProduct)) return;
  std::vector<std::vector<std::string>> pages;
  for (size_t i = 0; i < folders.size(); ++i) {
    if (i % kLinesPerPage == 0) pages.emplace_back();
    pages.back().push_back(Shown(folders[i]));
  }
  if (!printer.PrintPages(kLauncherProduct, pages)) ui_.Error(kNoPrinter, kLauncherProduct);
}

void Launcher::Close() {
  if (installation_.files_folder_writable) {
    RemoveInternetShortcuts(fs_, installation_.files_folder);
  }
}

}  // namespace zenkar
