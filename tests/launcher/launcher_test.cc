// kxmenu's rules without a display: the folder list and the history it
// cleans, the programs' status texts, starting programs, the backup under the
// launcher's identity, the search for data folders and printing its list.
#include "launcher/launcher.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "common/folder_history.h"
#include "common/text_field.h"
#include "launcher/data_search.h"
#include "support/fixed_clock.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace zenkar::testing {
namespace {

class RecordingShell : public Shell {
 public:
  bool OpenDocument(const std::string&) override { return true; }
  bool OpenUrl(const std::string& url) override {
    urls.push_back(url);
    return true;
  }
  bool StartProgram(const std::string&, const std::vector<std::string>&,
                    const std::string&) override {
    return false;
  }
  int RunProgram(const std::string& program, const std::vector<std::string>& args) override {
    runs.push_back(program + " " + args.at(0));
    return 0;
  }
  std::vector<std::string> urls;
  std::vector<std::string> runs;
};

class RecordingHost : public LauncherHost {
 public:
  void Hide() override { steps.push_back("hide"); }
  void Show() override { steps.push_back("show"); }
  void EnterFolder(const std::string& folder) override { steps.push_back("enter " + folder); }
  std::vector<std::string> steps;
};

class RecordingPrinter : public ListPrinter {
 public:
  bool PrintPages(std::string_view name,
                  const std::vector<std::vector<std::string>>& printed) override {
    document = std::string(name);
    pages = printed;
    return installed;
  }
  bool installed = true;
  std::string document;
  std::vector<std::vector<std::string>> pages;
};

class LauncherTest : public ::testing::Test {
 protected:
  std::string Folder(const std::string& name) {
    const std::string folder = books_.File(name) + "/";
    ::mkdir(folder.c_str(), 0755);
    return folder;
  }

  TempDir install_;
  TempDir books_;
  ScriptedUi ui_;
  RecordingShell shell_;
  FixedClock clock_;
  RecordingHost host_;
  Launcher launcher_{LauncherPorts{PosixFileSystem(), ui_, shell_, clock_},
                     Installation{install_.path(), install_.path(), true},
                     WebSite{"www.zenkar.example", "support@zenkar.example", "user=", "0A1B2C3D"},
                     DeriveDatePatterns("11/22/44")};
  FolderHistory history_{PosixFileSystem(), install_.path(), true};
};

TEST_F(LauncherTest, TheFolderListDropsFoldersThatAreGoneOrEmptyAndRepeats) {
  const std::string harbor = Folder("harbor"), bay = Folder("bay"), empty = Folder("empty");
  ::mkdir((harbor + "Zenkar_Auto_Backup").c_str(), 0755);
  books_.WriteFile("bay/KXACCT.CFG", "Bay");
  for (const std::string& folder : {books_.File("gone/"), harbor, empty, bay}) {
    history_.AddHistoryEntry(folder);
  }
  // Another program may leave the same folder twice in the file.
  std::string record = install_.ReadFile("KXHIST3.DAT");
  record.replace(4 * 260, 260, FitText(bay, 260));
  install_.WriteFile("KXHIST3.DAT", record);

  EXPECT_EQ(launcher_.RecentFolders(), (std::vector<std::string>{bay, harbor}));
  EXPECT_EQ(history_.GetHistoryEntry(0), bay);
  EXPECT_EQ(history_.GetHistoryEntry(1), harbor);
  EXPECT_EQ(history_.GetHistoryEntry(2), "");
}

TEST_F(LauncherTest, AnEmptyHistoryOffersTheProgramFolder) {
  EXPECT_EQ(launcher_.RecentFolders(), std::vector<std::string>{install_.path()});
}

TEST_F(LauncherTest, AnEmptyHistoryOfAReadOnlyInstallationOffersTheUsersFolder) {
  TempDir user;
  Launcher installed(LauncherPorts{PosixFileSystem(), ui_, shell_, clock_},
                     Installation{install_.path(), user.path(), true},
                     WebSite{"www.zenkar.example", "support@zenkar.example", "user=", "0A1B2C3D"},
                     DeriveDatePatterns("11/22/44"));
  EXPECT_EQ(installed.RecentFolders(), std::vector<std::string>{user.path()});

  Launcher unwritable(LauncherPorts{PosixFileSystem(), ui_, shell_, clock_},
                      Installation{install_.path(), user.path(), false},
                      WebSite{"www.zenkar.example", "support@zenkar.example", "user=", "0A1B2C3D"},
                      DeriveDatePatterns("11/22/44"));
  EXPECT_EQ(unwritable.RecentFolders(), std::vector<std::string>{install_.path()});
}

TEST_F(LauncherTest, EachProgramShowsItsCompanyAndAnEmptySettingsFileIsDeleted) {
  TempDir folder;
  folder.WriteFile("KXPAY.CFG", FitText("Harbor Payroll", 40) + FitText("Second Line", 40) +
                                    std::string(4920, ' '));
  folder.WriteFile("KXACCT.CFG", "");
  const ProgramButton& payroll = kProgramButtons[0];
  const ProgramButton& receivables = kProgramButtons[1];
  const ProgramButton& accounting = kProgramButtons[2];
  EXPECT_EQ(launcher_.StatusText(payroll, folder.path()), "Harbor Payroll Second Line");
  EXPECT_EQ(launcher_.StatusText(receivables, folder.path()), "< Click a program button to begin");
  EXPECT_EQ(launcher_.StatusText(accounting, folder.path()), "< Click a program button to begin");
  EXPECT_FALSE(folder.Exists("KXACCT.CFG"));
  folder.WriteFile("kxacct.cfg", FitText("Harbor Supply\x1B[2J", 40) + std::string(4760, ' '));
  EXPECT_EQ(launcher_.StatusText(accounting, folder.path()), "Harbor Supply\\x1B[2J");
}

TEST_F(LauncherTest, AProgramRunsOnTheFolderWithTheWindowHidden) {
  const std::string folder = Folder("harbor");
  const ProgramButton& accounting = kProgramButtons[2];
  launcher_.StartProgram(accounting, folder, host_);
  EXPECT_EQ(ui_.Texts(), std::vector<std::string>{
                             "Accounting has not been installed, or cannot be located in this "
                             "folder (" +
                             install_.path() + "). Reinstall the software."});
  EXPECT_TRUE(launcher_.LegacyButtonsShown());

  install_.WriteFile("kxacct", "#!/bin/sh\n");
  EXPECT_FALSE(launcher_.LegacyButtonsShown());
  launcher_.StartProgram(accounting, folder, host_);
  EXPECT_EQ(shell_.runs, std::vector<std::string>{install_.path() + "kxacct " + folder});
  EXPECT_EQ(host_.steps, (std::vector<std::string>{"hide", "enter " + folder, "show"}));
}

TEST_F(LauncherTest, ALegacyProgramIsAnnouncedAndRunOnlyWhenInstalled) {
  const std::string folder = Folder("harbor");
  launcher_.StartLegacyProgram(kLegacyPrograms[0], folder, host_);
  EXPECT_EQ(ui_.Texts(), (std::vector<std::string>{
                             "The old versions of General Ledger have been replaced with our "
                             "newer 'Accounting' program. You should update as soon as possible.",
                             "GL cannot be run from this folder (" + install_.path() + ")."}));
  install_.WriteFile("kxap", "#!/bin/sh\n");
  launcher_.StartLegacyProgram(kLegacyPrograms[1], folder, host_);
  EXPECT_EQ(shell_.runs, std::vector<std::string>{install_.path() + "kxap " + folder});
}

TEST_F(LauncherTest, BackupDataWritesTheWholeSuitesSetUnderTheLaunchersName) {
  TempDir folder, backups;
  folder.WriteFile("KXACCT.CFG", std::string(4800, 'c'));
  folder.WriteFile("KXPAY.EMP", "employees");
  ui_.AnswerFolder(backups.path());
  launcher_.BackupData(folder.path());
  ASSERT_TRUE(backups.Exists("zenkar.sav"));
  ASSERT_EQ(ui_.messages().size(), 1u);
  EXPECT_EQ(ui_.messages()[0].title, "Zenkar Software");
  EXPECT_EQ(folder.ReadFile("KXDATE.DAT").substr(6090, 10), "03/14/2026");
}

TEST_F(LauncherTest, TheWebButtonsOpenTheirPages) {
  launcher_.OpenWebPage(WebPage::kFaq);
  launcher_.OpenWebPage(WebPage::kSupportMail);
  EXPECT_EQ(shell_.urls, (std::vector<std::string>{"http://www.zenkar.example/faq?user=0A1B2C3D",
                                                   "Mailto:support@zenkar.example"}));
  launcher_.Close();
  EXPECT_EQ(install_.Listing(), "") << "no shortcut file is left";
}

// --- Search for Data ------------------------------------------------------------

TEST_F(LauncherTest, TheSearchFindsSettingsFilesButSkipsLinksHiddenAndBackupFolders) {
  for (const char* folder : {"a", "a/books", "b", "b/OLDDATA", "c", ".hidden", "Zenkar_Auto_Backup",
                             "$RECYCLE.BIN", "locked"}) {
    ::mkdir(books_.File(folder).c_str(), 0755);
  }
  for (const char* file : {"a/books/KXACCT.CFG", "b/kxpay.cfg", "b/OLDDATA/KXACCT.CFG",
                           "c/KXACCT.TRN", ".hidden/KXACCT.CFG", "Zenkar_Auto_Backup/KXACCT.CFG",
                           "$RECYCLE.BIN/KXAREC.CFG", "locked/KXACCT.CFG"}) {
    books_.WriteFile(file, "");
  }
  ::symlink(books_.File("a/books").c_str(), books_.File("c/link").c_str());
  ::chmod(books_.File("locked").c_str(), 0);
  const bool root = ::geteuid() == 0;  // root reads any folder

  std::vector<std::string> expected = {books_.File("a/books/"), books_.File("b/")};
  if (root) expected.push_back(books_.File("locked/"));
  EXPECT_EQ(SearchForData(PosixFileSystem(), ui_, books_.path()), expected);
  ::chmod(books_.File("locked").c_str(), 0755);
  EXPECT_TRUE(ui_.messages().empty());
  EXPECT_EQ(ui_.progress_texts().back(),
            "Locating folders which may contain Zenkar information:\nSearching 6 of 6");
  EXPECT_EQ(ui_.progress_texts().front(), "Building list of folders to search:\n" + books_.path());
}

TEST_F(LauncherTest, TheListOfFoldersIsPrintedFortyLinesAPage) {
  std::vector<std::string> folders;
  for (int n = 0; n < 41; ++n) folders.push_back("/books/" + std::to_string(n) + "/");
  RecordingPrinter printer;
  launcher_.OfferToPrint(folders, printer);  // No is preselected
  EXPECT_TRUE(printer.pages.empty());
  ui_.Answer(true);
  launcher_.OfferToPrint(folders, printer);
  EXPECT_EQ(printer.document, "Zenkar Software");
  ASSERT_EQ(printer.pages.size(), 2u);
  EXPECT_EQ(printer.pages[0].size(), 40u);
  EXPECT_EQ(printer.pages[1], std::vector<std::string>{"/books/40/"});
  printer.installed = false;
  ui_.Answer(true);
  launcher_.OfferToPrint(folders, printer);
  EXPECT_EQ(ui_.LastText(),
            "CUPS is reporting no printers are available. Install/reinstall at least one printer.");
}

}  // namespace
}  // namespace zenkar::testing
