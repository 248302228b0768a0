// The SMTP dialogue against a scripted server on the loopback address: what
// the program sends for each offer of the server, and each refusal with its
// exact message. Every conversation runs a whole flow, from the dialog to
// QUIT.
#include "services/mail_session.h"

#include <gtest/gtest.h>

#include "services/mail_fixture.h"
#include "support/loopback_smtp_server.h"

namespace zenkar {
namespace {

using testing::LoopbackSmtpServer;
using Reply = LoopbackSmtpServer::Reply;
using Strings = std::vector<std::string>;

const std::string kBoundary(kMailBoundary);
// What a message of the company's settings starts with on FixedClock's day.
const std::string kHead =
    "Reply-To: \"Ann Lee\" <ann@harbor.example>\r\n"
    "From: \"Ann Lee\" <ann@harbor.example>\r\n"
    "To: \"books@accountant.example\" <books@accountant.example>\r\n"
    "Subject: Accounting Report\r\n"
    "Date: Sat, 14 Mar 2026 09:30:00 +0100\r\n"
    "X-Mailer: Zenkar Mail 4.7 - Zenkar Accounting\r\n";

class MailSessionTest : public testing::MailFixture {
 protected:
  // The replies of a server that takes the message, from MAIL FROM on.
  static void QueueAcceptance(LoopbackSmtpServer& server, int recipients = 1) {
    server.Queue("250 2.1.0 Sender OK");
    for (int i = 0; i < recipients; ++i) server.Queue("250 2.1.5 Recipient OK");
    server.Queue(Reply{"354 Start mail input\r\n", false, /*message=*/true});
    server.Queue("250 2.0.0 Queued");
    server.Queue("221 2.0.0 Bye");
  }
  static void QueueLogin(LoopbackSmtpServer& server, const std::string& verdict) {
    server.Queue("334 VXNlcm5hbWU6");
    server.Queue("334 UGFzc3dvcmQ6");
    server.Queue(verdict);
  }

  bool SendPdf(size_t size = 0) {
    MailEnvironment env = Environment();
    return SendReportPdf(env, WritePdf(size), "Accounting Report");
  }
};

const Strings kPlainConversation = {"EHLO [127.0.0.1]",
                                    "MAIL FROM: <ann@harbor.example>",
                                    "RCPT TO: <books@accountant.example>",
                                    "DATA",
                                    ".",
                                    "QUIT"};

TEST_F(MailSessionTest, ASingleLineGreetingOffersNothingAndAnEmptyPdfSendsNoBase64Lines) {
  LoopbackSmtpServer server;
  OpenMailCompany(server.port());
  server.Queue("250 test.example PIPELINING STARTTLS AUTH LOGIN");
  QueueAcceptance(server);

  ASSERT_TRUE(SendPdf(0));
  EXPECT_EQ(ui_.Texts(), Strings({"Finished Sending"}));
  EXPECT_EQ(server.commands(), kPlainConversation);
  ASSERT_EQ(server.messages().size(), 1u);
  EXPECT_EQ(server.messages()[0],
            kHead +
                "MIME-Version: 1.0\r\n"
                "Content-Type: multipart/mixed; boundary=\"" +
                kBoundary +
                "\"\r\n"
                "\r\n"
                "--" +
                kBoundary +
                "\r\n"
                "Content-Type: text/plain; charset=\"us-ascii\"\r\n"
                "Content-Transfer-Encoding: 7bit\r\n"
                "\r\n"
                "The attached file can be opened using any PDF reader.\r\n"
                "Printing in Fit or Shrink mode may give better results than using Actual "
                "Size.\r\n"
                "\r\n"
                "Created and sent using Zenkar Software (www.zenkar.example)\r\n"
                "\r\n"
                "--" +
                kBoundary +
                "\r\n"
                "Content-Type: application/pdf; name=\"Income-Statement.pdf\"\r\n"
                "Content-Transfer-Encoding: base64\r\n"
                "Content-Disposition: inline\r\n"
                "\r\n"
                "--" +
                kBoundary + "--\r\n");
  EXPECT_EQ(ui_.progress_texts().back(), "Connecting and Sending");
}

TEST_F(MailSessionTest, Port465SpeaksTlsFromTheStartAndNeverSendsStartTls) {
  LoopbackSmtpServer::Options options;
  options.implicit_tls = true;
  LoopbackSmtpServer server(options);
  transport_.implicit_tls_port = server.port();  // 465 for a test without root
  OpenMailCompany(server.port());
  server.Queue("250-test.example\r\n250-STARTTLS\r\n250 AUTH LOGIN PLAIN");
  QueueLogin(server, "235 2.7.0 Authentication successful");
  QueueAcceptance(server);

  ASSERT_TRUE(SendPdf(100));
  EXPECT_EQ(server.secured(), 1);
  EXPECT_EQ(server.commands(),
            Strings({"EHLO [127.0.0.1]", "AUTH LOGIN", "YW5u", "czNjcmV0",
                     "MAIL FROM: <ann@harbor.example>", "RCPT TO: <books@accountant.example>",
                     "DATA", ".", "QUIT"}));
}

TEST_F(MailSessionTest, OtherPortsUpgradeWithStartTlsAndForgetWhatWasOfferedBefore) {
  LoopbackSmtpServer server;
  OpenMailCompany(server.port());
  server.Queue("250-test.example\r\n250-PIPELINING\r\n250-AUTH LOGIN\r\n250 STARTTLS");
  server.Queue(Reply{"220 2.0.0 Ready to start TLS\r\n", /*start_tls=*/true});
  // Secured, the server offers neither pipelining nor a login.
  server.Queue("250-test.example\r\n250 SIZE 10240000");
  QueueAcceptance(server);

  ASSERT_TRUE(SendPdf(10));
  EXPECT_EQ(server.secured(), 1);
  EXPECT_EQ(server.commands(),
            Strings({"EHLO [127.0.0.1]", "STARTTLS", "EHLO [127.0.0.1]",
                     "MAIL FROM: <ann@harbor.example>", "RCPT TO: <books@accountant.example>",
                     "DATA", ".", "QUIT"}));
}

TEST_F(MailSessionTest, TestSendsToTheReplyAddressAndTwoRecipientsGoOutPipelined) {
  LoopbackSmtpServer server;
  OpenMailCompany(server.port());
  ledger_.settings().mail_addresses[0] = "Test";
  server.Queue("250-test.example\r\n250 PIPELINING");
  QueueAcceptance(server);
  ASSERT_TRUE(SendPdf(0));
  EXPECT_EQ(server.commands()[2], "RCPT TO: <ann@harbor.example>");
  EXPECT_NE(server.messages()[0].find("\r\nTo: \"Test\" <ann@harbor.example>\r\n"),
            std::string::npos);

  // Two addresses and a carbon copy: three recipients. The second is
  // refused, but DATA had gone out with the others before any reply came.
  LoopbackSmtpServer second;
  OpenMailCompany(second.port());
  ledger_.settings().mail_addresses[0] = "bob@accountant.example; carol@tax.example";
  ledger_.settings().mail_carbon_copy = 1;
  ui_.ClearMessages();
  second.Queue("250-test.example\r\n250 PIPELINING");
  second.Queue("250 2.1.0 Sender OK");
  second.Queue("250 2.1.5 Recipient OK");
  second.Queue("550 5.1.1 carol@tax.example: no such user");
  second.Queue("250 2.1.5 Recipient OK");
  second.Queue("354 Start mail input");
  EXPECT_FALSE(SendPdf(0));
  EXPECT_EQ(ui_.Texts(), Strings({"Mail Header Error\n550 5.1.1 carol@tax.example: no such user"}));
  EXPECT_EQ(second.commands(),
            Strings({"EHLO [127.0.0.1]", "MAIL FROM: <ann@harbor.example>",
                     "RCPT TO: <bob@accountant.example>", "RCPT TO: <carol@tax.example>",
                     "RCPT TO: <ann@harbor.example>", "DATA"}));
}

TEST_F(MailSessionTest, TwoRecipientsMakeTwoToLinesAndTheCarbonCopyACcLine) {
  LoopbackSmtpServer server;
  OpenMailCompany(server.port());
  ledger_.settings().mail_addresses[0] = "bob@accountant.example; carol@tax.example";
  ledger_.settings().mail_carbon_copy = 1;
  server.Queue("250 test.example");
  QueueAcceptance(server, 3);
  ASSERT_TRUE(SendPdf(0));
  const std::string message = server.messages().at(0);
  EXPECT_EQ(message.substr(0, message.find("Subject:")),
            "Reply-To: \"Ann Lee\" <ann@harbor.example>\r\n"
            "From: \"Ann Lee\" <ann@harbor.example>\r\n"
            "To: \"bob@accountant.example; carol@tax.example\" <bob@accountant.example>\r\n"
            "To: <carol@tax.example>\r\n"
            "Cc: \"Ann Lee\" <ann@harbor.example>\r\n");
}

TEST_F(MailSessionTest, ARefusedLoginThenARefusedSenderIsTheLoginsFault) {
  LoopbackSmtpServer server;
  OpenMailCompany(server.port());
  server.Queue("250-test.example\r\n250 AUTH LOGIN");
  QueueLogin(server, "535 5.7.8 Authentication credentials invalid");
  server.Queue("530-5.7.0 Authentication required\r\n530 5.7.0 See the help pages");
  EXPECT_FALSE(SendPdf());
  EXPECT_EQ(ui_.Texts(), Strings({"User Name and/or Password failed.\n530-5.7.0 Authentication "
                                  "required\n530 5.7.0 See the help pages"}));
  EXPECT_EQ(server.commands().back(), "MAIL FROM: <ann@harbor.example>");
}

TEST_F(MailSessionTest, AfterAnAcceptedLoginARefusedSenderIsTheSenders) {
  LoopbackSmtpServer server;
  OpenMailCompany(server.port());
  server.Queue("250-test.example\r\n250 AUTH LOGIN");
  QueueLogin(server, "235 2.7.0 Authentication successful");
  server.Queue("550 5.7.1 Sender address rejected");
  EXPECT_FALSE(SendPdf());
  EXPECT_EQ(ui_.Texts(), Strings({"EMail From failed.\n550 5.7.1 Sender address rejected"}));
}

// A server seen from afar: its connections do not end on this machine.
class RemoteConnector : public Connector {
 public:
  explicit RemoteConnector(Connector& real) : real_(real) {}
  bool HasRoute(const std::string& host, uint16_t port) override { return true; }
  Status Connect(const std::string& host, uint16_t port,
                 std::unique_ptr<Connection>* connection) override {
    std::unique_ptr<Connection> inner;
    if (Status s = real_.Connect(host, port, &inner); !s.ok()) return s;
    *connection = std::make_unique<Remote>(std::move(inner));
    return Status::Ok();
  }

 private:
  class Remote : public Connection {
   public:
    explicit Remote(std::unique_ptr<Connection> inner) : inner_(std::move(inner)) {}
    Status Send(std::string_view data) override { return inner_->Send(data); }
    Status Receive(size_t max, std::string* out) override { return inner_->Receive(max, out); }
    std::string LocalAddress() const override { return "[192.0.2.7]"; }

   private:
    std::unique_ptr<Connection> inner_;
  };
  Connector& real_;
};

TEST_F(MailSessionTest, NoPasswordGoesOverAPlainConnectionToAServerElsewhere) {
  LoopbackSmtpServer server;
  OpenMailCompany(server.port());
  RemoteConnector remote(*connector_);
  server.Queue("250-test.example\r\n250 AUTH LOGIN");
  MailEnvironment env{ledger_, form_, {remote, ui_, clock_, fs_}, transport_, "www.zenkar.example"};
  EXPECT_FALSE(SendReportPdf(env, WritePdf(0), "Accounting Report"));
  EXPECT_EQ(ui_.Texts(), Strings({"The mail server 127.0.0.1 offers no secure connection "
                                  "(STARTTLS), so the user name and password were not sent to "
                                  "it."}));
  EXPECT_EQ(server.commands(), Strings({"EHLO [192.0.2.7]"}));
}

TEST_F(MailSessionTest, EachRefusalEndsTheSendWithItsMessage) {
  {
    LoopbackSmtpServer server;
    OpenMailCompany(server.port());
    server.Queue("502 5.5.1 EHLO not understood");
    EXPECT_FALSE(SendPdf());
    EXPECT_EQ(ui_.LastText(), "ST: EMail greeting failed.\n502 5.5.1 EHLO not understood");
    EXPECT_EQ(server.commands(), Strings({"EHLO [127.0.0.1]"}));
  }
  {
    LoopbackSmtpServer server;
    OpenMailCompany(server.port());
    server.Queue("250-test.example\r\n250 STARTTLS");
    server.Queue("454 4.7.0 TLS not available");
    EXPECT_FALSE(SendPdf());
    EXPECT_EQ(ui_.LastText(), "TLS: EMail greeting failed.\n454 4.7.0 TLS not available");
  }
  {
    LoopbackSmtpServer server;
    OpenMailCompany(server.port());
    server.Queue("250 test.example");
    server.Queue("250 2.1.0 Sender OK");
    server.Queue("250 2.1.5 Recipient OK");
    server.Queue(Reply{"354 Go ahead\r\n", false, /*message=*/true});
    server.Queue("554 5.6.0 Message rejected as spam");
    ui_.ClearMessages();
    EXPECT_FALSE(SendPdf(500));
    EXPECT_EQ(ui_.Texts(), Strings({"EMail 'Dot' failed.\n554 5.6.0 Message rejected as spam"}));
  }
  {
    uint16_t closed_port;
    {
      LoopbackSmtpServer gone;
      closed_port = gone.port();
    }
    OpenMailCompany(closed_port);
    ui_.ClearMessages();
    EXPECT_FALSE(SendPdf());
    EXPECT_EQ(ui_.Texts(),
              Strings({"Unable to open port " + std::to_string(closed_port) + " at 127.0.0.1"}));
  }
}

TEST_F(MailSessionTest, AMissingPdfEndsTheSendWithoutFinishingTheMessage) {
  LoopbackSmtpServer server;
  OpenMailCompany(server.port());
  server.Queue("250 test.example");
  QueueAcceptance(server);
  MailEnvironment env = Environment();
  EXPECT_FALSE(SendReportPdf(env, dir_.File("Gone.pdf"), "Accounting Report"));
  EXPECT_EQ(ui_.Texts(), Strings({"PDF file not found (email_PDF_File)"}));
  EXPECT_EQ(server.commands().back(), "DATA");
  EXPECT_TRUE(server.messages().empty()) << "the server drops a message never ended";
}

TEST_F(MailSessionTest, ACancelledDialogSendsNothing) {
  LoopbackSmtpServer server;
  OpenMailCompany(server.port());
  form_.cancel = true;
  EXPECT_FALSE(SendPdf());
  EXPECT_TRUE(ui_.Texts().empty());
  EXPECT_TRUE(server.commands().empty());
}

TEST_F(MailSessionTest, TheAccountantsPackageIsTheOneAttachmentOfADataFilesMessage) {
  LoopbackSmtpServer server;
  OpenMailCompany(server.port());
  dir_.WriteFile("ZENKAR.CCC", "package");
  server.Queue("250 test.example");
  QueueAcceptance(server);
  MailEnvironment env = Environment();
  ASSERT_TRUE(MailFileToAccountant(env, "Zenkar Data from Harbor", dir_.path(), "ZENKAR.CCC"));
  EXPECT_EQ(ui_.Texts(), Strings({"Finished e-mailing data"}));
  ASSERT_TRUE(server.WaitUntilServed(1));
  const std::string message = server.messages().at(0);
  EXPECT_NE(message.find("Subject: Zenkar Data from Harbor\r\n"), std::string::npos);
  EXPECT_NE(message.find("\r\nZenkar Accounting data files are attached\r\n\r\n--" + kBoundary +
                         "\r\nContent-Type: application/octet-stream; name=\"ZENKAR.CCC\"\r\n"
                         "Content-Transfer-Encoding: base64\r\n"
                         "Content-Disposition: attachment; filename=\"ZENKAR.CCC\"\r\n\r\n"
                         "cGFja2FnZQ==\r\n--" +
                         kBoundary + "--\r\n"),
            std::string::npos);
  // QUIT goes out without waiting for its answer.
  EXPECT_EQ(server.commands().back(), "QUIT");

  ui_.ClearMessages();
  EXPECT_FALSE(MailFileToAccountant(env, "Zenkar Data from Harbor", dir_.path(), "ZENKAR.AAA"));
  EXPECT_EQ(ui_.Texts(), Strings({"Bin2MIME Error: 2 - " + dir_.path() + "ZENKAR.AAA"}));
}

}  // namespace
}  // namespace zenkar
