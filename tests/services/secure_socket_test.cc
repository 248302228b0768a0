// TLS of the mail connection: a certificate the program does not trust is
// refused with its reason before anything secret is sent, whether TLS starts
// at once or after STARTTLS; bytes slipped in before the handshake are
// refused; and the environment's two settings.
#include "services/secure_socket.h"

#include <gtest/gtest.h>

#include "services/mail_fixture.h"
#include "support/loopback_smtp_server.h"

namespace zenkar {
namespace {

using testing::LoopbackSmtpServer;
using Reply = LoopbackSmtpServer::Reply;
using Strings = std::vector<std::string>;

class SecureSocketTest : public testing::MailFixture {
 protected:
  bool SendPdf() {
    MailEnvironment env = Environment();
    return SendReportPdf(env, WritePdf(10), "Accounting Report");
  }
};

TEST_F(SecureSocketTest, AnUntrustedCertificateIsRefusedWithItsReason) {
  ASSERT_TRUE(testing::TestCertificates::Get().ok());
  LoopbackSmtpServer::Options options;
  options.implicit_tls = true;
  options.identity = testing::TestCertificates::Get().stranger();
  LoopbackSmtpServer implicit(options);
  transport_.implicit_tls_port = implicit.port();
  OpenMailCompany(implicit.port());
  EXPECT_FALSE(SendPdf());
  EXPECT_EQ(ui_.Texts(), Strings({"The certificate of the mail server 127.0.0.1 was not accepted: "
                                  "self-signed certificate."}));
  EXPECT_TRUE(implicit.commands().empty());

  options.implicit_tls = false;
  LoopbackSmtpServer upgraded(options);
  OpenMailCompany(upgraded.port());
  upgraded.Queue("250-test.example\r\n250-AUTH LOGIN\r\n250 STARTTLS");
  upgraded.Queue(Reply{"220 Ready\r\n", /*start_tls=*/true});
  EXPECT_FALSE(SendPdf());
  EXPECT_EQ(ui_.LastText(),
            "The certificate of the mail server 127.0.0.1 was not accepted: "
            "self-signed certificate.");
  EXPECT_EQ(upgraded.commands(), Strings({"EHLO [127.0.0.1]", "STARTTLS"}));
}

TEST_F(SecureSocketTest, TheServersOwnCertificateNeedsItsAuthorityTrusted) {
  LoopbackSmtpServer::Options options;
  options.implicit_tls = true;
  LoopbackSmtpServer server(options);
  transport_ = {"", server.port()};  // the system's authorities only
  OpenMailCompany(server.port());
  EXPECT_FALSE(SendPdf());
  EXPECT_EQ(ui_.LastText(),
            "The certificate of the mail server 127.0.0.1 was not accepted: "
            "unable to get local issuer certificate.");

  transport_.extra_trusted_certificates = dir_.File("missing.pem");
  EXPECT_FALSE(SendPdf());
  EXPECT_EQ(ui_.LastText(),
            "No secure connection could be made to the mail server 127.0.0.1: "
            "the trusted certificates of " +
                dir_.File("missing.pem") + " (ZENKAR_CA_FILE) could not be read.");
}

TEST_F(SecureSocketTest, BytesSentAfterTheAnswerToStartTlsAreRefused) {
  LoopbackSmtpServer server;
  OpenMailCompany(server.port());
  server.Queue("250-test.example\r\n250 STARTTLS");
  server.Queue("220 Ready\r\n250-injected.example\r\n250 AUTH LOGIN");
  EXPECT_FALSE(SendPdf());
  EXPECT_EQ(ui_.Texts(), Strings({"No secure connection could be made to the mail server "
                                  "127.0.0.1: it sent more than its answer to STARTTLS before "
                                  "the secure connection began."}));
}

TEST(MailTransportTest, TheEnvironmentNamesTheExtraCertificatesAndTheImplicitTlsPort) {
  const MailTransport none = MailTransportFromEnvironment(nullptr, nullptr);
  EXPECT_EQ(none.extra_trusted_certificates, "");
  EXPECT_EQ(none.implicit_tls_port, 465);
  const MailTransport test = MailTransportFromEnvironment("/etc/company-ca.pem", "2465");
  EXPECT_EQ(test.extra_trusted_certificates, "/etc/company-ca.pem");
  EXPECT_EQ(test.implicit_tls_port, 2465);
  for (const char* bad : {"", "0", "65536", "465x", "-1"}) {
    EXPECT_EQ(MailTransportFromEnvironment(nullptr, bad).implicit_tls_port, 465) << bad;
  }
}

}  // namespace
}  // namespace zenkar
