#include "app_rules/window/program.h"

#include "app_rules/window/program_identity.h"
#include "common/backup_dialog.h"
#include "common/backup_set.h"
#include "common/folder_history.h"
#include "common/record_file.h"
#include "common/text_field.h"

namespace zenkar {

std::string DataFolderFromCommandLine(FileSystem& fs, std::string_view command_line,
                                      std::string_view current_directory) {
  const std::string current = NormalizeFolderPath(current_directory);
  std::string_view line = Trim(command_line);
  if (line.size() >= 2 && line.front() == '"' && line.back() == '"') {
    line = Trim(line.substr(1, line.size() - 2));
  }
  if (line.empty()) return current;
  std::string path(line);
  if (path.front() != '/') path = current + path;
  const std::string folder = NormalizeFolderPath(path);
  if (fs.DirectoryExists(folder)) return folder;
  // A company's settings file (what the desktop hands over when the user
  // opens it) stands for its folder.
  const size_t slash = path.rfind('/');
  if (UpperCased(path.substr(slash + 1)) == CompanySettings::kFileName && fs.FileExists(path)) {
    return path.substr(0, slash + 1);
  }
  return current;
}

Installation FindInstallation(FileSystem& fs, Ui& ui, const std::string& program_folder,
                              const char* xdg_data_home, const char* home) {
  const Installation installation =
      ResolveInstallation(fs, program_folder, UserFilesFolder(xdg_data_home, home));
  if (!installation.files_folder_writable) {
    ui.Error(NotWritableMessage(installation.files_folder));
  }
  return installation;
}

Program::Program(const ProgramPorts& ports, Installation installation, WebSite web_site,
                 DatePatterns date_patterns)
    : fs_(ports.fs),
      ui_(ports.ui),
      shell_(ports.shell),
      clock_(ports.clock),
      secret_input_(ports.secret_input),
      users_(ports.users),
      installation_(std::move(installation)),
      shared_folder_(SharedFilesFolder(ports.fs, installation_.program_folder)),
      web_site_(std::move(web_site)),
      date_patterns_(std::move(date_patterns)),
      ledger_(ports.fs, ports.ui, ports.clock),
      help_(ports.fs, ports.ui, ports.help_viewer, shared_folder_ + "help/", web_site_.host),
      password_(ports.fs, installation_.files_folder, installation_.files_folder_writable) {
  ledger_.set_program_folder(shared_folder_);  // the default chart's home
  ledger_.AddObserver(this);
}

bool Program::PrepareMainWindow() {
  if (!password_given_) {
    if (!AskProgramPassword(ui_, secret_input_, password_)) return false;
    password_given_ = true;
  }
  if (ledger_.is_loaded() || ledger_.OpenDataFolder()) return true;
  if (!ledger_.damaged_file().empty()) {
    BackupEnvironment backups = Backups();
    OfferRestoreAfterDamage(backups, ledger_.damaged_file());
  }
  return false;
}

std::string Program::WindowCaption() const {
  return std::string(kProgramTitle) + " [" + std::string(Trim(ledger_.settings().name_line_1)) +
         "]";
}

int Program::FontSize() const { return ClampFontSize(ledger_.settings().font_size); }

int Program::StartPageIndex() {
  CompanySettings& settings = ledger_.settings();
  if (ledger_.transaction_count() > kTransactionCapacity) settings.start_tab.clear();
  return StartTabIndex(settings.start_tab);
}

void Program::PageShown(std::string_view code) {
  current_page_ = std::string(code);
  if (ledger_.is_loaded()) ledger_.SaveCompanySettings();
}

void Program::RestartMainWindow() {
  restart_requested_ = true;
  if (host_ != nullptr) host_->EndWindow();
}

bool Program::TakeRestartRequest() {
  const bool requested = restart_requested_;
  restart_requested_ = false;
  return requested;
}

void Program::EndMainWindow() {
  if (host_ != nullptr) host_->EndWindow();
}

void Program::ForgetWindowPosition() {
  CompanySettings& settings = ledger_.settings();
  settings.window_left = 0;
  settings.window_top = 0;
  keep_stored_position_ = true;
}

void Program::StoreWindowState() {
  CompanySettings& settings = ledger_.settings();
  if (host_ != nullptr && !keep_stored_position_) {
    const WindowPosition kept = PositionToKeep(host_->Position(), host_->Screen());
    settings.window_left = kept.left;
    settings.window_top = kept.top;
  }
  settings.start_tab = StartTabToStore(current_page_);
}

void Program::MainWindowClosed() {
  if (ledger_.is_loaded()) {
    StoreWindowState();
    keep_stored_position_ = false;
  }
  help_.Close();
  if (!ledger_.is_loaded()) return;
  if (restart_requested_) {
    ledger_.SaveCompanySettings();
  } else {
    const std::string folder = ledger_.data_folder();
    const int transactions = ledger_.transaction_count();
    ledger_.Close();  // saves the settings, then closes the files
    AutoBackupOfFolderLeft(folder, transactions);
  }
}

BackupEnvironment Program::Backups() {
  return {fs_, ui_, std::string(kProgramIdentity), std::string(kProgramTitle),
          ledger_.data_folder()};
}

void Program::AutoBackupOfFolderLeft(const std::string& folder, int transaction_count) {
  if (transaction_count == 0 || !HoldsWholeFileSet(fs_, folder)) return;
  BackupEnvironment backups = Backups();
  backups.data_folder = folder;
  RunAutoBackup(backups);
}

void Program::OnLedgerChanged(LedgerChange change, int) {
  if (change != LedgerChange::kFolderLoaded) return;
  FolderHistory(fs_, installation_.files_folder, installation_.files_folder_writable)
      .AddHistoryEntry(ledger_.data_folder());
}

void Program::Shutdown() {
  if (installation_.files_folder_writable) {
    RemoveInternetShortcuts(fs_, installation_.files_folder);
  }
  ledger_.Close();
}

bool Program::OpenWebPage(WebPage page) {
  const std::optional<std::string> shortcut_folder = installation_.files_folder_writable
                                                         ? std::optional(installation_.files_folder)
                                                         : std::nullopt;
  return zenkar::OpenWebPage(fs_, shell_, ui_, shortcut_folder, web_site_, page);
}

OutputServices ProgramOutputServices(Program& program, PrinterCanvasFactory* printer) {
  const OutputPorts ports{
      program.fs(),   program.ui(), program.clock(), program.shell(), program.date_patterns(),
      program.users()};
  return MakeOutputServices(ports, printer, program.ledger().data_folder(),
                            program.web_site().host);
}

std::string Program::ProgramFile(std::string_view name) const {
  return installation_.program_folder + std::string(name);
}

void RunMainWindowLoop(Program& program, WindowRunner& runner) {
  while (program.PrepareMainWindow()) {
    runner.RunMainWindow(program);
    if (!program.TakeRestartRequest()) break;
  }
  program.Shutdown();
}

}  // namespace zenkar
