#include "app/program.h"

#include <gtest/gtest.h>

#include "app/program_fixture.h"

namespace zenkar {
namespace {

using ::zenkar::testing::ProgramTest;
using ::zenkar::testing::ScriptedRunner;
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
