// Program: the state of one run of kxacct and its start-up and exit steps.
//
// It owns the Ledger of the loaded data folder and the program-wide items of
// the main window -- the restart flag, the page on show, the date patterns,
// the help system, the program password -- and runs the steps that do not
// depend on widgets, through the Ui, Shell and Clock ports, so that start-up,
// restart and exit are tested without a display. The Qt main window attaches
// itself as a MainWindowHost while it exists.
#ifndef ZENKAR_APP_RULES_WINDOW_PROGRAM_H_
#define ZENKAR_APP_RULES_WINDOW_PROGRAM_H_

#include <optional>
#include <string>
#include <string_view>

#include "app_rules/transactions/entry_actions.h"
#include "app_rules/window/main_window_rules.h"
#include "common/backup_writer.h"
#include "common/clock.h"
#include "common/date_patterns.h"
#include "common/day_number.h"
#include "common/file_system.h"
#include "common/help_system.h"
#include "common/installation.h"
#include "common/internet_shortcut.h"
#include "common/login_user.h"
#include "common/program_password.h"
#include "common/shell.h"
#include "common/ui.h"
#include "ledger/ledger.h"
#include "output/print_job.h"

namespace zenkar {

struct ProgramPorts {
  FileSystem& fs;
  Ui& ui;
  Shell& shell;
  Clock& clock;
  SecretInput& secret_input;
  HelpViewer& help_viewer;
  const UserDirectory& users;
};

// The main window as the program sees it.
class MainWindowHost {
 public:
  virtual ~MainWindowHost() = default;
  // The window's top-left corner and the screen it is on.
  virtual WindowPosition Position() const = 0;
  virtual ScreenArea Screen() const = 0;
  // Closes the window; its exit handler (Program::MainWindowClosed) runs.
  virtual void EndWindow() = 0;
};

// The data folder named by a command line: the whole line, so that a path
// with spaces needs no quotes (a pair of surrounding quotes is removed), taken
// relative to `current_directory`. The path of a company's settings file
// KXACCT.CFG (any case) names the file's folder. An empty line, or a folder
// that does not exist, gives the current directory.
std::string DataFolderFromCommandLine(FileSystem& fs, std::string_view command_line,
                                      std::string_view current_directory);

// The per-installation folder of a kxacct in `program_folder`
// (ResolveInstallation, with the user's folder from the two environment
// values, either of which may be null). When no folder can take the files,
// says so once with NotWritableMessage; the program then goes on without
// writing any.
Installation FindInstallation(FileSystem& fs, Ui& ui, const std::string& program_folder,
                              const char* xdg_data_home, const char* home);

class Program : private LedgerObserver {
 public:
  Program(const ProgramPorts& ports, Installation installation, WebSite web_site,
          DatePatterns date_patterns);
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  Ledger& ledger() { return ledger_; }
  FileSystem& fs() { return fs_; }
  Ui& ui() { return ui_; }
  Shell& shell() { return shell_; }
  Clock& clock() { return clock_; }
  SecretInput& secret_input() { return secret_input_; }
  const UserDirectory& users() const { return users_; }
  HelpSystem& help() { return help_; }
  ProgramPassword& password() { return password_; }
  const Installation& installation() const { return installation_; }
  const WebSite& web_site() const { return web_site_; }
  const DatePatterns& date_patterns() const { return date_patterns_; }

  // --- Start-up ----------------------------------------------------------

  // Asks for the program password the first time, then loads the data folder
  // unless it is loaded already (a restart keeps the loaded books). A folder
  // whose transaction, payee or chart file is damaged is offered a restore.
  // False when the window must not be built; the reason has been shown.
  bool PrepareMainWindow();

  // --- The window --------------------------------------------------------

  void AttachWindow(MainWindowHost* host) { host_ = host; }
  // "Zenkar Accounting [" + company name line 1, trimmed + "]".
  std::string WindowCaption() const;
  int FontSize() const;
  // The page to show first; above 100,000 transactions the stored start tab
  // is cleared so the first page opens.
  int StartPageIndex();
  // A page came to the front: it becomes the current page and the settings
  // are saved.
  void PageShown(std::string_view code);
  const std::string& current_page() const { return current_page_; }

  // Ends the window so that the start-up loop builds it again.
  void RestartMainWindow();
  bool restart_requested() const { return restart_requested_; }
  // Clears the restart flag; true when it was set.
  bool TakeRestartRequest();
  // Ends the window for good (the program closes).
  void EndMainWindow();
  // Called when the display size changes: the next window is placed by the
  // system rather than at the kept position.
  void ForgetWindowPosition();

  // The window's exit handler: keeps the position and the start tab in the
  // settings, closes the help window and saves the settings. At a real exit
  // (no restart) the data folder is closed.
  void MainWindowClosed();
  // Keeps the window's position and start tab in the settings in memory.
  void StoreWindowState();

  // The exit steps of the program: shortcut files removed (from a writable
  // per-installation folder), files closed.
  void Shutdown();

  // --- Backups -------------------------------------------------------------

  // The backup code's view of this program and its data folder.
  BackupEnvironment Backups();
  // The automatic backup of a data folder the program leaves (at a real exit
  // or for another folder), when its books hold a transaction and its whole
  // file set is there.
  void AutoBackupOfFolderLeft(const std::string& folder, int transaction_count);

  // --- Program-wide choices ----------------------------------------------

  // The default date of new checks chosen with "Select Check Date", if any.
  std::optional<DayNumber> default_check_date() const { return default_check_date_; }
  void set_default_check_date(DayNumber day) { default_check_date_ = day; }
  // The back-dating warnings of this run, shared by every entry page (a
  // restart of the window keeps them).
  BackDatingWarnings& back_dating_warnings() { return back_dating_warnings_; }
  // Whether the warning that many unpaid invoices slow down "Pay Invoices"
  // was shown in this run.
  bool& many_unpaid_invoices_warned() { return many_unpaid_invoices_warned_; }
  // Whether the data test of the first showing of the "Transactions" tab ran
  // in this run.
  bool& transaction_data_tested() { return transaction_data_tested_; }

  // Writes the page's shortcut file (in a writable per-installation folder)
  // and opens it.
  bool OpenWebPage(WebPage page);
  // The path of the file of `name` in the program folder.
  std::string ProgramFile(std::string_view name) const;

 private:
  // Each folder opened goes to the front of the recent-folder history.
  void OnLedgerChanged(LedgerChange change, int record_number) override;

  FileSystem& fs_;
  Ui& ui_;
  Shell& shell_;
  Clock& clock_;
  SecretInput& secret_input_;
  const UserDirectory& users_;
  Installation installation_;
  std::string shared_folder_;  // the help pages and the default chart (SharedFilesFolder)
  WebSite web_site_;
  DatePatterns date_patterns_;
  Ledger ledger_;
  HelpSystem help_;
  ProgramPassword password_;
  MainWindowHost* host_ = nullptr;
  std::string current_page_;
  bool password_given_ = false;
  bool restart_requested_ = false;
  bool keep_stored_position_ = false;
  std::optional<DayNumber> default_check_date_;
  BackDatingWarnings back_dating_warnings_;
  bool many_unpaid_invoices_warned_ = false;
  bool transaction_data_tested_ = false;
};

// The output services of the program's documents: written beside the books
// they come from, naming the web site and the installation's user.
OutputServices ProgramOutputServices(Program& program, PrinterCanvasFactory* printer);

// Builds and runs the main window (the Qt main window in the program, a fake
// in tests). Returns when the window has closed.
class WindowRunner {
 public:
  virtual ~WindowRunner() = default;
  virtual void RunMainWindow(Program& program) = 0;
};

// The start-up loop: builds the window, and builds it again as long as it
// closes with the restart flag set; then runs the exit steps. A window that
// cannot be built (no password, unusable folder) ends the program.
void RunMainWindowLoop(Program& program, WindowRunner& runner);

}  // namespace zenkar

#endif  // ZENKAR_APP_RULES_WINDOW_PROGRAM_H_
