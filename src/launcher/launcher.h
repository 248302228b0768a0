// Launcher: the Qt-free rules of kxmenu, the suite's front door.
//
// It lists the data folders used recently (the suite's history KXHIST3.DAT,
// cleaned of folders that are gone and of repeats), tells for the selected
// folder which company each program keeps there (read from the program's
// settings file), starts a program of the suite on the folder and waits for
// it, runs the shared "Backup Data" under the launcher's own identity
// ("KXMENU", which never restores), opens the vendor's web pages, and
// searches a folder tree for data folders. Everything goes through the ports
// and the LauncherHost, so the rules are tested without a display.
#ifndef ZENKAR_LAUNCHER_LAUNCHER_H_
#define ZENKAR_LAUNCHER_LAUNCHER_H_

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/clock.h"
#include "common/date_patterns.h"
#include "common/file_system.h"
#include "common/installation.h"
#include "common/internet_shortcut.h"
#include "common/shell.h"
#include "common/ui.h"

namespace zenkar {

inline constexpr std::string_view kLauncherProduct = "Zenkar Software";
inline constexpr std::string_view kLauncherTitle =
    "Zenkar Software (To begin, click one of the program buttons)";
inline constexpr std::string_view kClickToBegin = "< Click a program button to begin";

// A program of the suite the launcher starts. Its control numbers are the
// window's object names ("control" + number).
struct ProgramButton {
  int button_id;
  int label_id;
  int status_id;
  std::string_view label;
  std::string_view code;           // the program file is "kx" + code in lower case
  std::string_view settings_file;  // the company's name is read from it
  size_t name_fields;              // 40-character fields of the name, joined by a space
};
inline constexpr ProgramButton kProgramButtons[] = {
    {501, 511, 521, "Payroll", "PR", "KXPAY.CFG", 2},
    {502, 512, 522, "Accounts Receivable & Invoicing", "AR", "KXAREC.CFG", 1},
    {503, 513, 523, "Accounting", "ACCT", "KXACCT.CFG", 1},
};

// The older ledger and payables programs, offered only where the accounting
// program is not installed.
struct LegacyProgram {
  std::string_view caption;
  std::string_view code;
  std::string_view notice;
};
inline constexpr LegacyProgram kLegacyPrograms[] = {
    {"Legacy GL", "GL",
     "The old versions of General Ledger have been replaced with our newer 'Accounting' program. "
     "You should update as soon as possible."},
    {"Legacy AP", "AP",
     "The old versions of Accounts Payable have been replaced with our newer 'Accounting' "
     "program. You should update as soon as possible."},
};

// The web site of this build (the CMake options ZENKAR_WEB_HOST,
// ZENKAR_SUPPORT_MAIL and ZENKAR_USER_QUERY), with the installation's token.
WebSite LauncherWebSite(std::string token);

// The file name of a program of the suite: "kx" + code in lower case.
std::string ProgramFileName(std::string_view code);

// The window as the launcher sees it while a started program runs.
class LauncherHost {
 public:
  virtual ~LauncherHost() = default;
  virtual void Hide() = 0;
  virtual void Show() = 0;
  // Makes `folder` the current directory, which the started program inherits.
  virtual void EnterFolder(const std::string& folder) = 0;
};

// Prints a list: each page's lines, in Arial, as one document on the
// default printer. False when there is no printer.
class ListPrinter {
 public:
  virtual ~ListPrinter() = default;
  virtual bool PrintPages(std::string_view document_name,
                          const std::vector<std::vector<std::string>>& pages) = 0;
};

struct LauncherPorts {
  FileSystem& fs;
  Ui& ui;
  Shell& shell;
  Clock& clock;
};

class Launcher {
 public:
  static constexpr int kLinesPerPage = 40;

  Launcher(const LauncherPorts& ports, Installation installation, WebSite web_site,
           DatePatterns date_patterns);

  FileSystem& fs() { return fs_; }
  Ui& ui() { return ui_; }
  const Installation& installation() const { return installation_; }
  const WebSite& web_site() const { return web_site_; }

  // The folders of the history, most recent first. Entries of folders that
  // are gone or empty, and repeats, are removed from the history file; with
  // none left the program folder is the one choice, or where the suite was
  // installed read-only, the writable per-installation folder standing in for
  // it (the program could not make a company in the program folder).
  std::vector<std::string> RecentFolders();

  // The company `button`'s program keeps in `folder`, or "< Click a program
  // button to begin". An empty settings file is deleted.
  std::string StatusText(const ProgramButton& button, const std::string& folder);

  // Starts the program on `folder` with the window hidden, and waits for it.
  void StartProgram(const ProgramButton& button, const std::string& folder, LauncherHost& host);
  // True when the accounting program is not installed here.
  bool LegacyButtonsShown();
  void StartLegacyProgram(const LegacyProgram& program, const std::string& folder,
                          LauncherHost& host);

  // "Backup Data" of `folder` under the launcher's identity.
  void BackupData(const std::string& folder);

  bool OpenWebPage(WebPage page);

  // "Search for Data": the folder to search, asked for (starting at
  // `start`); nothing when cancelled.
  std::optional<std::string> AskSearchFolder(const std::string& start);
  // Asks "Print list of folders?" and prints them, 40 lines a page.
  void OfferToPrint(const std::vector<std::string>& folders, ListPrinter& printer);

  // The exit step: the shortcut files are removed.
  void Close();

 private:
  bool RunInFolder(const std::string& program, const std::string& folder, LauncherHost& host);

  FileSystem& fs_;
  Ui& ui_;
  Shell& shell_;
  Clock& clock_;
  Installation installation_;
  WebSite web_site_;
  DatePatterns date_patterns_;
};

}  // namespace zenkar

#endif  // ZENKAR_LAUNCHER_LAUNCHER_H_
