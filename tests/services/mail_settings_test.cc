// The mail settings: the scrambled password as the suite keeps it, and the
// settings dialog's rules -- placeholders, the focus, each check of
// "Continue" with its message, and what is stored and saved.
#include "services/mail_settings.h"

#include <gtest/gtest.h>

#include "services/mail_fixture.h"

namespace zenkar {
namespace {

using Strings = std::vector<std::string>;

TEST(ScramblePasswordTest, RaisesEveryByteByWhatTheLargestLeavesAndKeepsTheShiftLast) {
  const std::string store = ScramblePassword("abc");
  // The largest byte is "c" (99): every byte is raised by 156.
  const std::string expected = std::string("\xFD\xFE\xFF") + std::string(17, '\xBC') + "\x9C";
  EXPECT_EQ(store, expected);
  EXPECT_EQ(UnscramblePassword(store), "abc");
  EXPECT_EQ(UnscramblePassword(ScramblePassword("Twenty characters!!!")), "Twenty characters!!!");
  // A blank store, or the zero bytes of a record never written, holds none.
  EXPECT_EQ(UnscramblePassword(std::string(21, ' ')), "");
  EXPECT_EQ(UnscramblePassword(std::string(21, '\0')), "");
}

class MailSettingsTest : public testing::MailFixture {
 protected:
  std::optional<MailSettings> Run() { return RunMailSettingsDialog(ledger_, form_); }
  std::string StoreOnDisk() const {
    return GetTextField(dir_.ReadFile("KXACCT.CFG"), 1921, kPasswordStoreWidth);
  }
};

TEST_F(MailSettingsTest, EmptyFieldsShowTheirPlaceholdersAndTheFocusFollowsTheToField) {
  OpenCompany();
  form_.cancel = true;
  EXPECT_FALSE(Run());
  const MailSettings& shown = form_.shown.at(0);
  EXPECT_EQ(shown.server, "mail.example.com");
  EXPECT_EQ(shown.port, "587");
  EXPECT_EQ(shown.user_name, "your mail server login");
  EXPECT_EQ(shown.reply_address, "you@example.com");
  EXPECT_EQ(shown.subject, "Subject");
  EXPECT_EQ(shown.sender_name, "Your Name");
  EXPECT_EQ(shown.password, "");
  EXPECT_TRUE(shown.carbon_copy) << "a new company sends carbon copies";
  EXPECT_EQ(
      form_.placeholders,
      std::vector<MailField>({MailField::kSenderName, MailField::kReplyAddress, MailField::kServer,
                              MailField::kPort, MailField::kUserName, MailField::kSubject}));
  EXPECT_EQ(FirstFocusOf(shown), MailField::kToAddress);
  MailSettings addressed_elsewhere = shown;
  addressed_elsewhere.to_address = "Customer Address(es)";
  EXPECT_TRUE(ToIsReadOnly(addressed_elsewhere.to_address));
  EXPECT_EQ(FirstFocusOf(addressed_elsewhere), MailField::kSubject);
}

TEST_F(MailSettingsTest, ContinueChecksTheFieldsInOrderAndStaysOnTheOneToMend) {
  OpenMailCompany(2525);
  ledger_.settings().mail_password_store.clear();  // not saved last time
  using Edit = testing::ScriptedMailForm::Edit;
  form_.edits = std::deque<Edit>{
      [](MailSettings&) {},
      [](MailSettings& s) { s.password = "twenty-one characters"; },
      [](MailSettings& s) {
        s.password = "s3cret";
        s.reply_address = "ann at harbor";
      },
      [](MailSettings& s) {
        s.reply_address = "  Ann@Harbor.Example ";
        s.to_address = "the accountant";
      },
      [](MailSettings& s) { s.to_address = "Bob <bob@accountant.example>"; },
      [](MailSettings& s) {
        s.to_address = "bob@accountant.example";
        s.subject = "Books\r\nBcc: everyone@example.com";
      },
      [](MailSettings& s) { s.subject = "Accounting Report"; },
  };
  const std::optional<MailSettings> accepted = Run();
  ASSERT_TRUE(accepted);
  EXPECT_EQ(ui_.Texts(),
            Strings({"Enter Missing Data",
                     "The SMTP Password may have at most 20 characters (the most the settings "
                     "can keep).",
                     "Invalid Reply To Address", "Invalid To Address",
                     "\"To E-Mail Address\" must be one e-mail address (name@example.com), or two "
                     "separated by \";\", not \"Bob <bob@accountant.example>\".",
                     "\"Subject\" holds a line break or another control character, which an "
                     "e-mail cannot carry."}));
  EXPECT_EQ(ui_.messages().at(0).kind, MessageKind::kInformation);
  EXPECT_EQ(form_.focused, std::vector<MailField>({MailField::kPassword, MailField::kPassword,
                                                   MailField::kReplyAddress, MailField::kToAddress,
                                                   MailField::kToAddress, MailField::kSubject}));
  EXPECT_EQ(accepted->reply_address, "Ann@Harbor.Example") << "kept without the blanks";
  EXPECT_EQ(accepted->password, "s3cret");

  // Saved with the books, the password scrambled.
  const CompanySettings on_disk = CompanySettings::Decode(dir_.ReadFile("KXACCT.CFG"));
  EXPECT_EQ(TrimRight(on_disk.mail_reply_address), "Ann@Harbor.Example");
  EXPECT_EQ(TrimRight(on_disk.mail_addresses[0]), "bob@accountant.example");
  EXPECT_EQ(StoreOnDisk(), ScramblePassword("s3cret"));
}

TEST_F(MailSettingsTest, APasswordNotToBeSavedServesOneSendAndNeverReachesTheDisk) {
  OpenMailCompany(2525);
  form_.edits.push_back([](MailSettings& s) {
    s.password = "only today";
    s.save_password = false;
  });
  const std::optional<MailSettings> accepted = Run();
  ASSERT_TRUE(accepted);
  EXPECT_EQ(accepted->password, "only today");
  EXPECT_EQ(StoreOnDisk(), std::string(kPasswordStoreWidth, ' '));
  EXPECT_EQ(ledger_.settings().mail_save_password, 0);

  // The next send asks for it again: the field shows empty.
  form_.cancel = true;
  EXPECT_FALSE(Run());
  EXPECT_EQ(form_.shown.back().password, "");
}

}  // namespace
}  // namespace zenkar
