#include "app_rules/window/program.h"

#include <gtest/gtest.h>

#include "app_rules/program_fixture.h"
#include "common/installation.h"
#include "support/fault_file_system.h"
#include "support/fixed_user.h"

namespace zenkar {
namespace {

using ::zenkar::testing::FaultInjectingFileSystem;
using ::zenkar::testing::FixedClock;
using ::zenkar::testing::FixedUserDirectory;
using ::zenkar::testing::ProgramTest;
using ::zenkar::testing::RecordingHelpViewer;
using ::zenkar::testing::RecordingShell;
using ::zenkar::testing::ScriptedRunner;
using ::zenkar::testing::ScriptedSecretInput;
using ::zenkar::testing::ScriptedUi;
using ::zenkar::testing::StoredSettings;
using ::zenkar::testing::TempDir;
using ::zenkar::testing::WriteCompany;

// --- The data folder from the command line --------------------------------

TEST(DataFolderFromCommandLine, TheWholeLineNamesTheFolder) {
  TempDir cwd;
  ASSERT_EQ(::mkdir(cwd.File("My Books 2026").c_str(), 0777), 0);
  FileSystem& fs = PosixFileSystem();
  const std::string books = cwd.path() + "My Books 2026/";
  EXPECT_EQ(DataFolderFromCommandLine(fs, cwd.path() + "My Books 2026", "/elsewhere"), books);
  EXPECT_EQ(DataFolderFromCommandLine(fs, "  " + books + "  ", "/elsewhere"), books);
  EXPECT_EQ(DataFolderFromCommandLine(fs, "\"" + books + "\"", "/elsewhere"), books);
  EXPECT_EQ(DataFolderFromCommandLine(fs, "My Books 2026", cwd.path()), books) << "relative";
}

TEST(DataFolderFromCommandLine, EmptyOrMissingFolderGivesTheCurrentDirectory) {
  TempDir cwd;
  FileSystem& fs = PosixFileSystem();
  EXPECT_EQ(DataFolderFromCommandLine(fs, "", cwd.path()), cwd.path());
  EXPECT_EQ(DataFolderFromCommandLine(fs, "   ", cwd.path()), cwd.path());
  EXPECT_EQ(DataFolderFromCommandLine(fs, "/no/such/folder", cwd.path()), cwd.path());
  const std::string without_slash = cwd.path().substr(0, cwd.path().size() - 1);
  EXPECT_EQ(DataFolderFromCommandLine(fs, "", without_slash), cwd.path());
}

TEST(DataFolderFromCommandLine, ASettingsFileNamesItsFolderAndNoOtherFileDoes) {
  TempDir cwd;
  ASSERT_EQ(::mkdir(cwd.File("My Books").c_str(), 0777), 0);
  cwd.WriteFile("My Books/KXACCT.CFG", "");
  cwd.WriteFile("My Books/kxacct.cfg.bak", "");
  cwd.WriteFile("My Books/KXACCT.COA", "");
  FileSystem& fs = PosixFileSystem();
  const std::string books = cwd.path() + "My Books/";
  EXPECT_EQ(DataFolderFromCommandLine(fs, books + "KXACCT.CFG", "/elsewhere"), books);
  EXPECT_EQ(DataFolderFromCommandLine(fs, "My Books/KXACCT.CFG", cwd.path()), books) << "relative";
  EXPECT_EQ(DataFolderFromCommandLine(fs, books + "kxacct.cfg.bak", cwd.path()), cwd.path());
  EXPECT_EQ(DataFolderFromCommandLine(fs, books + "KXACCT.COA", cwd.path()), cwd.path());
  EXPECT_EQ(DataFolderFromCommandLine(fs, cwd.path() + "Gone/KXACCT.CFG", cwd.path()), cwd.path())
      << "a settings file that does not exist";

  // Copied from a Windows disk, the file may be in lower case.
  ASSERT_EQ(::mkdir(cwd.File("Copied").c_str(), 0777), 0);
  cwd.WriteFile("Copied/kxacct.cfg", "");
  EXPECT_EQ(DataFolderFromCommandLine(fs, cwd.path() + "Copied/kxacct.cfg", "/elsewhere"),
            cwd.path() + "Copied/");
}

// --- The start-up loop -----------------------------------------------------

TEST_F(ProgramTest, BuildsTheWindowOnceAndEndsWithTheExitSteps) {
  ASSERT_TRUE(WriteCompany(data_));
  program_.ledger().SetDataFolder(data_.path());
  install_.WriteFile("Zenkar1.url", "x");
  ScriptedRunner runner;
  runner.on_show = [](Program& program, auto&) { EXPECT_TRUE(program.ledger().is_loaded()); };
  RunMainWindowLoop(program_, runner);
  EXPECT_EQ(runner.runs, 1);
  EXPECT_FALSE(program_.ledger().is_loaded());
  EXPECT_FALSE(install_.Exists("Zenkar1.url"));
  EXPECT_EQ(viewer_.closed, 1) << "the help window closes with the main window";
}

TEST_F(ProgramTest, TheRestartFlagBuildsTheWindowAgainWithTheBooksKept) {
  ASSERT_TRUE(WriteCompany(data_));
  program_.ledger().SetDataFolder(data_.path());
  ASSERT_TRUE(program_.password().Set("Secret-1").ok());
  secret_.Answer("Secret-1");
  ScriptedRunner runner;
  runner.on_show = [&](Program& program, auto&) {
    if (runner.runs == 1) {
      program.RestartMainWindow();
      EXPECT_TRUE(program.ledger().is_loaded()) << "a restart keeps the books open";
    }
  };
  RunMainWindowLoop(program_, runner);
  EXPECT_EQ(runner.runs, 2);
  EXPECT_EQ(secret_.prompts().size(), 1u) << "the password is asked once per run";
  EXPECT_FALSE(program_.restart_requested());
}

TEST_F(ProgramTest, AWrongPasswordOpensNothing) {
  program_.ledger().SetDataFolder(data_.path());
  ASSERT_TRUE(program_.password().Set("Secret-1").ok());
  secret_.Answer("wrong");
  ScriptedRunner runner;
  RunMainWindowLoop(program_, runner);
  EXPECT_EQ(runner.runs, 0);
  EXPECT_EQ(ui_.Texts(), std::vector<std::string>{"INVALID PASSWORD!"});
  EXPECT_EQ(data_.Listing(), "") << "the data folder is not touched before the password";
}

TEST_F(ProgramTest, DataOfVersion2016OpensWithoutAQuestion) {
  ASSERT_TRUE(WriteCompany(data_, 2016));
  program_.ledger().SetDataFolder(data_.path());
  ScriptedRunner runner;
  RunMainWindowLoop(program_, runner);
  EXPECT_EQ(runner.runs, 1);
  EXPECT_TRUE(ui_.messages().empty());
}

TEST_F(ProgramTest, DataOfVersion2017AsksAndCancelLeavesTheWindowUnbuilt) {
  ASSERT_TRUE(WriteCompany(data_, 2017));
  const std::string before = data_.ReadFile("KXACCT.CFG");
  program_.ledger().SetDataFolder(data_.path());
  ui_.Answer(false);
  ScriptedRunner runner;
  RunMainWindowLoop(program_, runner);
  EXPECT_EQ(runner.runs, 0);
  ASSERT_EQ(ui_.messages().size(), 1u);
  EXPECT_EQ(ui_.messages()[0].kind, MessageKind::kOkCancel);
  EXPECT_EQ(ui_.messages()[0].title, "Zenkar Accounting");
  EXPECT_EQ(ui_.LastText(), "Using 2017 data with the 2015 program may cause data loss.");
  EXPECT_EQ(data_.ReadFile("KXACCT.CFG"), before);
}

TEST_F(ProgramTest, DataOfVersion2017OpensAfterOk) {
  ASSERT_TRUE(WriteCompany(data_, 2017));
  program_.ledger().SetDataFolder(data_.path());
  ui_.Answer(true);
  ScriptedRunner runner;
  RunMainWindowLoop(program_, runner);
  EXPECT_EQ(runner.runs, 1);
}

// --- Start-up without a per-installation folder ------------------------------

// The real file system, but only one folder (the data folder) may change:
// every other change is refused and noted, as in a program folder installed
// read-only (running as root ignores modes).
class ChangesOnlyInFolder : public FaultInjectingFileSystem {
 public:
  explicit ChangesOnlyInFolder(std::string folder) : folder_(std::move(folder)) {}
  std::vector<std::string> refused;

  Status CreateDirectory(const std::string& path) override {
    return Allowed(path) ? FaultInjectingFileSystem::CreateDirectory(path) : Refuse(path);
  }
  Status CreatePrivateDirectory(const std::string& path) override {
    return Allowed(path) ? FaultInjectingFileSystem::CreatePrivateDirectory(path) : Refuse(path);
  }
  Status OpenRandomAccess(const std::string& path, bool create,
                          std::unique_ptr<RandomAccessFile>* file) override {
    return Allowed(path) ? FaultInjectingFileSystem::OpenRandomAccess(path, create, file)
                         : Refuse(path);
  }
  Status CreateTemporaryBeside(const std::string& target, Access access,
                               TemporaryFile* temporary) override {
    return Allowed(target)
               ? FaultInjectingFileSystem::CreateTemporaryBeside(target, access, temporary)
               : Refuse(target);
  }
  Status Rename(const std::string& from, const std::string& to) override {
    return Allowed(to) ? FaultInjectingFileSystem::Rename(from, to) : Refuse(to);
  }
  Status RemoveFile(const std::string& path) override {
    return Allowed(path) ? FaultInjectingFileSystem::RemoveFile(path) : Refuse(path);
  }

 private:
  bool Allowed(const std::string& path) const { return path.rfind(folder_, 0) == 0; }
  Status Refuse(const std::string& path) {
    refused.push_back(path);
    return Status::IoError(path + ": Read-only file system", EROFS);
  }

  std::string folder_;
};

TEST(StartUp, WithoutAUserFolderSaysSoOnceAndWritesNoPerInstallationFile) {
  TempDir program_folder;
  TempDir data;
  ASSERT_TRUE(WriteCompany(data));
  ChangesOnlyInFolder fs(data.path());
  ScriptedUi ui;
  RecordingShell shell;
  FixedClock clock;
  ScriptedSecretInput secret;
  RecordingHelpViewer viewer;
  FixedUserDirectory users;

  // No HOME and no XDG_DATA_HOME: no folder anywhere else (not in /tmp).
  const Installation installation =
      FindInstallation(fs, ui, program_folder.path(), nullptr, nullptr);
  EXPECT_EQ(installation.files_folder, program_folder.path());
  EXPECT_FALSE(installation.files_folder_writable);
  const std::string not_writable = NotWritableMessage(program_folder.path());
  EXPECT_EQ(ui.Texts(), std::vector<std::string>{not_writable});

  WebSite site{"www.zenkar.example", "support@zenkar.example",
               "user=", InstallationToken(fs, installation)};
  Program program(ProgramPorts{fs, ui, shell, clock, secret, viewer, users}, installation, site,
                  DeriveDatePatterns("11/22/44"));
  program.ledger().SetDataFolder(data.path());
  ScriptedRunner runner;
  runner.on_show = [&](Program& p, auto&) {
    EXPECT_TRUE(p.OpenWebPage(WebPage::kNews));
    secret.Answer("N3w-pass");
    secret.Answer("N3w-pass");
    SetOrChangePassword(p.ui(), p.secret_input(), p.password());
  };
  RunMainWindowLoop(program, runner);

  EXPECT_EQ(runner.runs, 1);
  EXPECT_EQ(shell.opened_urls.size(), 1u) << "the link opens all the same";
  EXPECT_EQ(ui.Texts(), (std::vector<std::string>{not_writable,
                                                  "Password not set/changed\n\n" + not_writable}));
  EXPECT_EQ(fs.refused, std::vector<std::string>{program_folder.File("KXPROBE.TMP")})
      << "only the probe of the program folder is tried";
  EXPECT_EQ(program_folder.Listing(), "");
}

// --- The window's state ----------------------------------------------------

TEST_F(ProgramTest, CaptionCarriesTheTrimmedCompanyName) {
  ASSERT_TRUE(WriteCompany(data_, 2015, "  Harbor Supply Co.  "));
  program_.ledger().SetDataFolder(data_.path());
  ASSERT_TRUE(program_.PrepareMainWindow());
  EXPECT_EQ(program_.WindowCaption(), "Zenkar Accounting [Harbor Supply Co.]");
}

TEST_F(ProgramTest, StartPageComesFromTheSettings) {
  ASSERT_TRUE(WriteCompany(data_, 2015, "Co", 3, "RPT"));
  program_.ledger().SetDataFolder(data_.path());
  ASSERT_TRUE(program_.PrepareMainWindow());
  EXPECT_EQ(program_.StartPageIndex(), 3);
}

TEST_F(ProgramTest, AboveTheCapacityTheStartPageIsClearedToTheFirstPage) {
  ASSERT_TRUE(WriteCompany(data_, 2015, "Co", 100001, "RPT"));
  program_.ledger().SetDataFolder(data_.path());
  ASSERT_TRUE(program_.PrepareMainWindow());
  EXPECT_EQ(program_.StartPageIndex(), 0);
  EXPECT_EQ(program_.ledger().settings().start_tab, "");
}

TEST_F(ProgramTest, AtTheCapacityTheStartPageIsKept) {
  ASSERT_TRUE(WriteCompany(data_, 2015, "Co", 100000, "RPT"));
  program_.ledger().SetDataFolder(data_.path());
  ASSERT_TRUE(program_.PrepareMainWindow());
  EXPECT_EQ(program_.StartPageIndex(), 3);
}

TEST_F(ProgramTest, TheStartTabKeptAtExitFollowsThePageOnShow) {
  for (const char* page : {"HLP", "TRN", "MIC"}) {
    ASSERT_TRUE(WriteCompany(data_, 2015, "Co", 0, "VND"));
    program_.ledger().SetDataFolder(data_.path());
    ScriptedRunner runner;
    runner.on_show = [&](Program& p, auto&) { p.PageShown(page); };
    RunMainWindowLoop(program_, runner);
    EXPECT_EQ(StoredSettings(data_).start_tab, "TRN") << page;
  }
  program_.ledger().SetDataFolder(data_.path());
  ScriptedRunner runner;
  runner.on_show = [](Program& p, auto&) { p.PageShown("VND"); };
  RunMainWindowLoop(program_, runner);
  EXPECT_EQ(StoredSettings(data_).start_tab, "VND") << "Payees is kept";
}

TEST_F(ProgramTest, ExitKeepsAnOnScreenPositionAndForgetsAnOffScreenOne) {
  ASSERT_TRUE(WriteCompany(data_));
  program_.ledger().SetDataFolder(data_.path());
  ScriptedRunner runner;
  runner.position = {140, 90};
  RunMainWindowLoop(program_, runner);
  EXPECT_EQ(StoredSettings(data_).window_left, 140);
  EXPECT_EQ(StoredSettings(data_).window_top, 90);

  runner.position = {-300, 90};
  RunMainWindowLoop(program_, runner);
  EXPECT_EQ(StoredSettings(data_).window_left, -1);
  EXPECT_EQ(StoredSettings(data_).window_top, -1);
}

TEST_F(ProgramTest, FontSizeIsClampedWhenRead) {
  ASSERT_TRUE(WriteCompany(data_));
  program_.ledger().SetDataFolder(data_.path());
  ASSERT_TRUE(program_.PrepareMainWindow());
  program_.ledger().settings().font_size = 40;
  EXPECT_EQ(program_.FontSize(), 18);
  program_.ledger().settings().font_size = 0;
  EXPECT_EQ(program_.FontSize(), 10);
}

}  // namespace
}  // namespace zenkar
