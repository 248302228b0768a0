// The kxbatch program itself (build/bin/kxbatch) with a program password:
// main() asks for it before any command, and there is no terminal to ask on
// in a session of its own. The program is copied into a
// folder of its own, which so becomes its program folder and the home of
// the password, and runs without a controlling terminal.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "batch/batch_password.h"
#include "batch_fixture.h"

namespace zenkar {
namespace {

class KxbatchProgramTest : public testing::BatchFixture {
 protected:
  KxbatchProgramTest() {
    std::filesystem::copy_file(ZENKAR_KXBATCH_PROGRAM, program_.File("kxbatch"));
    // Few iterations, so that each check is quick.
    program_.WriteFile("KXPASS.DAT", EncodePasswordRecord("Harbor#7", "0123456789abcdef", 1000));
  }

  std::string PasswordFile(std::string_view name, std::string_view password) {
    secrets_.WriteFile(name, std::string(password) + "\n");
    ::chmod(secrets_.File(name).c_str(), 0600);
    return secrets_.File(name);
  }

  // Runs the program in a new session (no terminal to ask on) with a user
  // folder of its own; its status and what it wrote.
  testing::ToolResult RunProgram(const std::string& args) {
    return testing::RunTool("cd " + testing::Quote(dir_.path()) +
                            " && XDG_DATA_HOME=" + testing::Quote(user_.path()) + " setsid -w " +
                            testing::Quote(program_.File("kxbatch")) + " " + args);
  }

  testing::TempDir secrets_;
  testing::TempDir user_;
};

TEST_F(KxbatchProgramTest, NoCommandRunsWithoutTheProgramPassword) {
  const std::string books = "--folder " + testing::Quote(dir_.File("books")) + " ";
  testing::ToolResult run = RunProgram(books + "new --name Harbor");
  EXPECT_EQ(run.status, kExitFailure);
  EXPECT_EQ(run.output, std::string(kNoPasswordGiven) + "\n");
  run = RunProgram(books + "--password-file " + PasswordFile("wrong", "harbor#7") + " new");
  EXPECT_EQ(run.status, kExitFailure);
  EXPECT_EQ(run.output, "INVALID PASSWORD!\n");
  EXPECT_EQ(dir_.Listing(), "");  // the folder was not even made

  run = RunProgram(books + "--password-file " + PasswordFile("right", "Harbor#7") + " new");
  EXPECT_EQ(run.status, kExitSuccess) << run.output;
  EXPECT_EQ(run.output, "0 Transactions\n" + dir_.File("books") + "/\nAccounts are balanced\n");
  EXPECT_EQ(RunProgram("--help").status, kExitSuccess);  // help needs no password
}

}  // namespace
}  // namespace zenkar
