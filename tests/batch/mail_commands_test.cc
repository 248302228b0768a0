// mail-report and mail-data: the company's E-Mail Settings with the command
// line's recipient and password file, against a scripted server on the
// loopback address; the books only read, nothing left behind.
#include "batch/mail_commands.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>

#include "batch_fixture.h"
#include "common/base64.h"
#include "services/mail_settings.h"
#include "support/loopback_smtp_server.h"

namespace zenkar {
namespace {

using testing::Account;
using testing::Day;
using testing::Line;
using testing::LoopbackSmtpServer;
using Strings = std::vector<std::string>;

class MailCommandsTest : public testing::BatchFixture {
 protected:
  MailCommandsTest() {
    env_.current_folder = dir_.path();
    setenv("TMPDIR", scratch_.path().c_str(), 1);  // where the mailed PDF is made
  }
  ~MailCommandsTest() override { unsetenv("TMPDIR"); }

  // The books with the settings kxacct keeps for mail to `port`.
  void WriteMailCompany(uint16_t port, const std::string& saved_password) {
    WriteCompany({Account("110", "Checking Account", kAssets, 100000),
                  Account("465", "Retained Earnings", kLiabilitiesAndEquity, -100000),
                  Account("510", "Sales", kIncome)},
                 {Line(kCheckOrDeposit, "510", -250000, Day(2025, 1, 20), "Hillcrest")},
                 [&](CompanySettings& s) {
                   s.mail_sender_name = "Ann Lee";
                   s.mail_reply_address = "ann@harbor.example";
                   s.mail_server = "127.0.0.1";
                   s.mail_port = std::to_string(port);
                   s.mail_user_name = "ann";
                   s.mail_password_store =
                       saved_password.empty() ? "" : ScramblePassword(saved_password);
                   s.mail_save_password = saved_password.empty() ? 0 : 1;
                   s.mail_addresses[0] = "books@accountant.example";
                   s.mail_carbon_copy = 0;
                 });
    books_ = dir_.ReadFile("KXACCT.CFG");
  }
  static void QueueAcceptance(LoopbackSmtpServer& server) {
    for (const char* reply : {"250 test.example", "250 Sender OK", "250 Recipient OK"}) {
      server.Queue(reply);
    }
    server.Queue(LoopbackSmtpServer::Reply{"354 Go ahead\r\n", false, /*message=*/true});
    server.Queue("250 Queued");
    server.Queue("221 Bye");
  }

  testing::TempDir scratch_;
  std::string books_;
};

TEST_F(MailCommandsTest, MailReportSendsThePdfWithTheSavedSettingsAndLeavesNothingBehind) {
  LoopbackSmtpServer server;
  WriteMailCompany(server.port(), "s3cret");
  QueueAcceptance(server);
  EXPECT_EQ(Run({"mail-report", "Income Statement", "--month", "2025-01", "--to", "Test"}),
            kExitSuccess)
      << err();
  EXPECT_EQ(ui_.Texts(), Strings({"Finished Sending"}));
  EXPECT_EQ(server.commands().at(2), "RCPT TO: <ann@harbor.example>");
  const std::string message = server.messages().at(0);
  EXPECT_NE(message.find("Subject: Accounting Report\r\n"), std::string::npos);
  EXPECT_NE(message.find("name=\"Income-Statement.pdf\""), std::string::npos);
  EXPECT_NE(message.find(Base64Encode("%PDF-1.3").substr(0, 8)), std::string::npos);
  EXPECT_EQ(dir_.ReadFile("KXACCT.CFG"), books_) << "the settings are not saved";
  EXPECT_EQ(scratch_.Listing().find(".kxbatch-"), std::string::npos) << "the PDF is removed";
}

TEST_F(MailCommandsTest, MailDataTakesAnUnsavedPasswordFromItsFileAndShowsTheServersRefusal) {
  LoopbackSmtpServer server;
  WriteMailCompany(server.port(), "");
  EXPECT_EQ(Run({"mail-data"}), kExitFailure);
  EXPECT_EQ(ui_.Texts(), Strings({std::string(kMailPasswordMissing)}));
  EXPECT_TRUE(server.commands().empty());

  dir_.WriteFile("smtp-password", "  fresh pass \n");
  ASSERT_EQ(chmod(dir_.File("smtp-password").c_str(), 0600), 0);
  server.Queue("250-test.example\r\n250 AUTH LOGIN");
  server.Queue("334 VXNlcm5hbWU6");
  server.Queue("334 UGFzc3dvcmQ6");
  server.Queue("535 5.7.8 Invalid credentials");
  server.Queue("530 5.7.0 Authentication required");
  ui_.ClearMessages();
  EXPECT_EQ(Run({"mail-data", "--mail-password-file", "smtp-password"}), kExitFailure);
  EXPECT_EQ(ui_.Texts(), Strings({"User Name and/or Password failed.\n530 5.7.0 Authentication "
                                  "required"}));
  EXPECT_EQ(server.commands().at(3), Base64Encode("fresh pass"));
}

TEST_F(MailCommandsTest, SettingsNeverMadeOrRefusedAreNamedWithWhatToDo) {
  WriteCompany({Account("110", "Checking Account", kAssets)});
  EXPECT_EQ(Run({"mail-data"}), kExitFailure);
  EXPECT_EQ(ui_.LastText(),
            "\"Your Name\" is not set in the E-Mail Settings. Set the mail "
            "settings once in Zenkar Accounting (\"E-Mail Data Files\" or \"Send "
            "by E-Mail (PDF)\").");

  WriteMailCompany(2525, "s3cret");
  ui_.ClearMessages();
  EXPECT_EQ(Run({"mail-data", "--to", "the accountant"}), kExitFailure);
  EXPECT_EQ(ui_.Texts(),
            Strings({"Invalid To Address",
                     "kxbatch sends with the E-Mail Settings of Zenkar Accounting: check \"To "
                     "E-Mail Address\" there, or name another address with --to ADDRESS."}));
}

TEST_F(MailCommandsTest, AMailedReportsDateRangeEndsWithThroughSinceToNamesTheRecipient) {
  const ParsedCommandLine parsed =
      ParseCommandLine({"mail-report", "Income Statement", "--from", "2025-01-01", "--through",
                        "2025-01-31", "--to", "bob@accountant.example"},
                       BatchReportLabels());
  ASSERT_EQ(parsed.outcome, ParsedCommandLine::Outcome::kRun) << parsed.error;
  EXPECT_EQ(parsed.invocation.report.period, RangePeriod(Day(2025, 1, 1), Day(2025, 1, 31)));
  EXPECT_EQ(parsed.invocation.mail_to, "bob@accountant.example");
  EXPECT_EQ(ParseCommandLine({"mail-report", "Income Statement", "--from", "2025-01-01"},
                             BatchReportLabels())
                .error,
            "a date range needs both '--from' and '--through'");
}

}  // namespace
}  // namespace zenkar
