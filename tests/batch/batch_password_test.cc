// The program password in kxbatch: whose password is asked for, from the
// terminal or from a password file, and each way of not getting past it.
#include "batch/batch_password.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>

#include "support/fault_file_system.h"
#include "support/scripted_secret_input.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace zenkar {
namespace {

using testing::FaultInjectingFileSystem;
using testing::ScriptedSecretInput;
using testing::ScriptedUi;
using testing::TempDir;

constexpr std::string_view kPrompt = "Enter the Zenkar Accounting password";

// A stored password of few iterations, so that each check is quick.
std::string PasswordRecord(std::string_view password) {
  return EncodePasswordRecord(password, "0123456789abcdef", 1000);
}

// Records which files are read, to show a refused password file was not.
class ReadRecordingFileSystem : public FaultInjectingFileSystem {
 public:
  Status ReadFile(const std::string& path, std::string* contents) override {
    read.push_back(path);
    return FaultInjectingFileSystem::ReadFile(path, contents);
  }
  std::vector<std::string> read;
};

class BatchPasswordTest : public ::testing::Test {
 protected:
  bool Given(const std::string& password_file = "", const std::string& user_folder = "user") {
    const std::vector<std::string> folders =
        PasswordFolders(fs_, program_.path(), user_folder.empty() ? "" : user_.path());
    return ProgramPasswordGiven({fs_, ui_, terminal_}, folders, password_file);
  }
  // The outcome when `password` is typed on the terminal.
  bool Typed(std::string_view password) {
    terminal_.Answer(std::string(password));
    return Given();
  }
  std::string PasswordFile(std::string_view contents, mode_t mode) {
    secrets_.WriteFile("password", contents);
    EXPECT_EQ(::chmod(secrets_.File("password").c_str(), mode), 0);
    return secrets_.File("password");
  }

  TempDir program_;
  TempDir user_;
  TempDir secrets_;
  ReadRecordingFileSystem fs_;
  ScriptedUi ui_;
  ScriptedSecretInput terminal_;
};

TEST_F(BatchPasswordTest, WithoutAPasswordNothingIsAsked) {
  EXPECT_TRUE(Given());
  EXPECT_TRUE(Given(PasswordFile("anything\n", 0644)));  // not needed, so not read
  EXPECT_TRUE(terminal_.prompts().empty());
  EXPECT_TRUE(fs_.read.empty());
  EXPECT_TRUE(ui_.messages().empty());
}

TEST_F(BatchPasswordTest, TheTerminalIsAskedWithTheDesktopProgramsPrompt) {
  program_.WriteFile("KXPASS.DAT", PasswordRecord("Harbor#7"));
  EXPECT_TRUE(Typed("Harbor#7"));
  EXPECT_EQ(terminal_.prompts(), std::vector<std::string>{std::string(kPrompt)});
  EXPECT_TRUE(ui_.messages().empty());

  EXPECT_FALSE(Typed("harbor#7"));
  EXPECT_EQ(ui_.Texts(), std::vector<std::string>{"INVALID PASSWORD!"});
  EXPECT_FALSE(Given());  // no terminal, no file
  EXPECT_EQ(ui_.LastText(), kNoPasswordGiven);
}

TEST_F(BatchPasswordTest, APasswordFileOnlyItsOwnerMayRead) {
  program_.WriteFile("KXPASS.DAT", PasswordRecord("Harbor#7"));
  EXPECT_TRUE(Given(PasswordFile("  Harbor#7\r\nthe second line is not read\n", 0600)));
  EXPECT_TRUE(terminal_.prompts().empty());
  EXPECT_TRUE(ui_.messages().empty());
  EXPECT_FALSE(Given(PasswordFile("Harbor#8", 0400)));
  EXPECT_EQ(ui_.LastText(), "INVALID PASSWORD!");

  fs_.read.clear();
  for (mode_t mode : {0640, 0604}) {
    const std::string file = PasswordFile("Harbor#7\n", mode);
    EXPECT_FALSE(Given(file));
    EXPECT_EQ(ui_.LastText(), file + std::string(kPasswordFileNotPrivate));
  }
  EXPECT_FALSE(Given(secrets_.path()));
  EXPECT_EQ(ui_.LastText(), secrets_.path() + std::string(kPasswordFileNotAFile));
  EXPECT_FALSE(Given(secrets_.File("missing")));
  EXPECT_EQ(ui_.LastText(), secrets_.File("missing") + "\ndoes not exist.");
  EXPECT_TRUE(fs_.read.empty()) << ::testing::PrintToString(fs_.read);
  EXPECT_TRUE(terminal_.prompts().empty());
}

// kxacct reads the password of the folder it uses: the program folder when
// that is writable, else the user's. A password only the other folder holds
// still counts.
TEST_F(BatchPasswordTest, ThePasswordOfTheFolderTheDesktopProgramUsesComesFirst) {
  program_.WriteFile("KXPASS.DAT", PasswordRecord("Program1"));
  user_.WriteFile("KXPASS.DAT", PasswordRecord("User1"));
  EXPECT_FALSE(Typed("User1"));
  EXPECT_TRUE(Typed("Program1"));

  fs_.faults().refuse_open = true;  // the program folder takes no new file
  EXPECT_FALSE(Typed("Program1"));
  EXPECT_TRUE(Typed("User1"));

  std::remove(user_.File("KXPASS.DAT").c_str());
  EXPECT_TRUE(Typed("Program1"));
  EXPECT_FALSE(Typed("User1"));
}

TEST_F(BatchPasswordTest, WithoutTheUsersFolderNoCommandRuns) {
  EXPECT_FALSE(Given("", /*user_folder=*/""));
  EXPECT_EQ(ui_.Texts(), std::vector<std::string>{std::string(kPasswordUnknown)});
  EXPECT_TRUE(terminal_.prompts().empty());
  // A password the program folder holds is known to be set: it is asked for.
  program_.WriteFile("KXPASS.DAT", PasswordRecord("Harbor#7"));
  terminal_.Answer("Harbor#7");
  EXPECT_TRUE(Given("", /*user_folder=*/""));
}

}  // namespace
}  // namespace zenkar
