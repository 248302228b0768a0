#include "common/program_password.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "support/scripted_secret_input.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace zenkar {
namespace {

using ::zenkar::testing::ScriptedSecretInput;
using ::zenkar::testing::ScriptedUi;
using ::zenkar::testing::TempDir;

TEST(IsAllowedPassword, VisibleAsciiWithoutSpacesUpToFortyCharacters) {
  EXPECT_TRUE(IsAllowedPassword("Abc-123!~"));
  EXPECT_TRUE(IsAllowedPassword(std::string(40, 'x')));
  EXPECT_FALSE(IsAllowedPassword(std::string(41, 'x')));
  EXPECT_FALSE(IsAllowedPassword(""));
  EXPECT_FALSE(IsAllowedPassword("two words"));
  EXPECT_FALSE(IsAllowedPassword("tab\there"));
  EXPECT_FALSE(IsAllowedPassword("caf\xE9"));  // Windows-1252 e acute
}

TEST(PasswordRecord, MatchesOnlyItsOwnPassword) {
  const std::string record = EncodePasswordRecord("Secret-1", "0123456789abcdef", 1000);
  EXPECT_TRUE(PasswordRecordMatches(record, "Secret-1"));
  EXPECT_FALSE(PasswordRecordMatches(record, "secret-1"));
  EXPECT_FALSE(PasswordRecordMatches(record, "Secret-1 "));
  EXPECT_FALSE(PasswordRecordMatches(record, ""));
}

TEST(PasswordRecord, DamagedRecordsMatchNothing) {
  std::string record = EncodePasswordRecord("Secret-1", "0123456789abcdef", 1000);
  EXPECT_FALSE(PasswordRecordMatches(record.substr(0, record.size() - 5), "Secret-1"));
  EXPECT_FALSE(PasswordRecordMatches("", "Secret-1"));
  EXPECT_FALSE(PasswordRecordMatches("Secret-1", "Secret-1"));
  // A lowered work factor is refused rather than trusted.
  EXPECT_FALSE(PasswordRecordMatches(EncodePasswordRecord("a", "salt", 1), "a"));
}

// Found by the password_record fuzz target: a stored line asking for a
// billion iterations kept the start-up prompt busy for hours.
TEST(PasswordRecord, AHugeIterationCountMatchesNothingAndReturnsAtOnce) {
  const std::string record =
      "ZKPW1 1006666660 000102030405060708090a0b0c0d0e0f "
      "e60c0c8b70aee5b5673aee740c87375284649acfb3615c7d7c5c93496473739b\n";
  EXPECT_FALSE(PasswordRecordMatches(record, "Secret-1"));
}

TEST(ProgramPassword, KeepsASaltedHashAndNeverThePassword) {
  TempDir folder;
  ProgramPassword password(PosixFileSystem(), folder.path());
  EXPECT_FALSE(password.IsSet());
  ASSERT_TRUE(password.Set("Secret-1").ok());
  EXPECT_TRUE(password.IsSet());
  const std::string first = folder.ReadFile("KXPASS.DAT");
  EXPECT_EQ(first.find("Secret-1"), std::string::npos);
  EXPECT_TRUE(password.Matches("Secret-1"));
  EXPECT_FALSE(password.Matches("Secret-2"));

  ASSERT_TRUE(password.Set("Secret-1").ok());
  EXPECT_NE(folder.ReadFile("KXPASS.DAT"), first) << "each password gets a fresh salt";
  EXPECT_TRUE(password.Matches("Secret-1"));
}

TEST(ProgramPassword, TheFileIsTheOwnersAloneEvenWhereItWasNot) {
  TempDir folder;
  ProgramPassword password(PosixFileSystem(), folder.path());
  const mode_t umask = ::umask(022);
  ASSERT_TRUE(password.Set("Secret-1").ok());
  struct stat st;
  ASSERT_EQ(::stat(folder.File("KXPASS.DAT").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0600u) << "a new file";

  ASSERT_EQ(::chmod(folder.File("KXPASS.DAT").c_str(), 0644), 0);
  ASSERT_TRUE(password.Set("Secret-2").ok());
  ::umask(umask);
  ASSERT_EQ(::stat(folder.File("KXPASS.DAT").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0600u) << "a file readable by others is tightened";
}

TEST(ProgramPassword, ADamagedFileStillCountsAsSet) {
  TempDir folder;
  folder.WriteFile("KXPASS.DAT", "garbage");
  ProgramPassword password(PosixFileSystem(), folder.path());
  EXPECT_TRUE(password.IsSet());
  EXPECT_FALSE(password.Matches("garbage"));
  EXPECT_FALSE(password.Matches(""));
}

class PasswordFlowTest : public ::testing::Test {
 protected:
  TempDir folder_;
  ScriptedUi ui_;
  ScriptedSecretInput input_;
  ProgramPassword password_{PosixFileSystem(), folder_.path()};
};

TEST_F(PasswordFlowTest, StartUpWithoutPasswordAsksNothing) {
  EXPECT_TRUE(AskProgramPassword(ui_, input_, password_));
  EXPECT_TRUE(input_.prompts().empty());
}

TEST_F(PasswordFlowTest, StartUpAcceptsTheRightPassword) {
  ASSERT_TRUE(password_.Set("Secret-1").ok());
  input_.Answer("Secret-1");
  EXPECT_TRUE(AskProgramPassword(ui_, input_, password_));
  EXPECT_EQ(input_.prompts(), std::vector<std::string>{"Enter the Zenkar Accounting password"});
  EXPECT_TRUE(ui_.messages().empty());
}

TEST_F(PasswordFlowTest, StartUpRefusesAWrongPassword) {
  ASSERT_TRUE(password_.Set("Secret-1").ok());
  input_.Answer("secret-1");
  EXPECT_FALSE(AskProgramPassword(ui_, input_, password_));
  ASSERT_EQ(ui_.messages().size(), 1u);
  EXPECT_EQ(ui_.messages()[0].kind, MessageKind::kError);
  EXPECT_EQ(ui_.LastText(), "INVALID PASSWORD!");
}

TEST_F(PasswordFlowTest, CancellingThePromptDoesNotOpen) {
  ASSERT_TRUE(password_.Set("Secret-1").ok());
  input_.Answer(std::nullopt);
  EXPECT_FALSE(AskProgramPassword(ui_, input_, password_));
}

TEST_F(PasswordFlowTest, SettingAPasswordAsksTwiceAndConfirms) {
  input_.Answer("N3w-pass");
  input_.Answer("N3w-pass");
  SetOrChangePassword(ui_, input_, password_);
  EXPECT_EQ(input_.prompts(),
            (std::vector<std::string>{"Enter the new password\n(Enter NONE to remove the password)",
                                      "To confirm, re-enter the password"}));
  EXPECT_EQ(ui_.Texts(),
            std::vector<std::string>{"Password has been updated.\nKeep a record of the password!"});
  EXPECT_TRUE(password_.Matches("N3w-pass"));
}

TEST_F(PasswordFlowTest, NoneRemovesThePassword) {
  ASSERT_TRUE(password_.Set("Secret-1").ok());
  input_.Answer(" none ");
  SetOrChangePassword(ui_, input_, password_);
  EXPECT_EQ(ui_.Texts(), std::vector<std::string>{"Password protection has been removed"});
  EXPECT_FALSE(password_.IsSet());
  EXPECT_EQ(input_.prompts().size(), 1u);
}

TEST_F(PasswordFlowTest, InvalidCharactersChangeNothing) {
  ASSERT_TRUE(password_.Set("Secret-1").ok());
  input_.Answer("has space");
  SetOrChangePassword(ui_, input_, password_);
  EXPECT_EQ(ui_.Texts(), std::vector<std::string>{"Password not changed - invalid characters"});
  EXPECT_TRUE(password_.Matches("Secret-1"));
  EXPECT_EQ(input_.prompts().size(), 1u);
}

TEST_F(PasswordFlowTest, MismatchCancelAndEmptyAnswerChangeNothing) {
  ASSERT_TRUE(password_.Set("Secret-1").ok());
  input_.Answer("Other-1");
  input_.Answer("Other-2");  // the confirmation differs
  SetOrChangePassword(ui_, input_, password_);
  input_.Answer("Other-1");
  input_.Answer(std::nullopt);  // the confirmation is cancelled
  SetOrChangePassword(ui_, input_, password_);
  input_.Answer(std::nullopt);  // the first question is cancelled
  SetOrChangePassword(ui_, input_, password_);
  input_.Answer("   ");
  SetOrChangePassword(ui_, input_, password_);
  EXPECT_EQ(ui_.Texts(), std::vector<std::string>(4, "Password not set/changed"));
  EXPECT_TRUE(password_.Matches("Secret-1"));
}

TEST_F(PasswordFlowTest, AFailedSaveIsReportedAndNotCalledAnUpdate) {
  ScriptedUi ui;
  ScriptedSecretInput input;
  ProgramPassword password(PosixFileSystem(), "/nonexistent-folder/");
  input.Answer("N3w-pass");
  input.Answer("N3w-pass");
  SetOrChangePassword(ui, input, password);
  ASSERT_EQ(ui.messages().size(), 1u);
  EXPECT_EQ(ui.messages()[0].kind, MessageKind::kError);
  EXPECT_EQ(ui.LastText().rfind("Password not set/changed\n\n", 0), 0u) << ui.LastText();
}

}  // namespace
}  // namespace zenkar
