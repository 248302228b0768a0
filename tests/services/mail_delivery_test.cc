// Mail delivered to a real SMTP server: aiosmtpd on the loopback address,
// requiring STARTTLS (its certificate signed by the tests' own authority,
// trusted as ZENKAR_CA_FILE would) and AUTH LOGIN before it takes a message.
// The message received is taken apart by Python's email package and each
// attachment compared with its file.
#include <gtest/gtest.h>

#include "output/financial_statements.h"
#include "output/report_run.h"
#include "services/mail_fixture.h"
#include "support/fixed_user.h"
#include "support/real_smtp_server.h"
#include "support/recording_shell.h"

namespace zenkar {
namespace {

using testing::Date;
using testing::Line;
using testing::RealSmtpServer;
using testing::ReceivedMessage;
using Strings = std::vector<std::string>;

class MailDeliveryTest : public testing::MailFixture {
 protected:
  void SetUp() override {
    ASSERT_TRUE(testing::TestCertificates::Get().ok());
    ASSERT_NE(server_.port(), 0) << "aiosmtpd did not start";
    OpenMailCompany(server_.port());
    // By name: the certificate is checked against "localhost".
    ledger_.settings().mail_server = "localhost";
    ledger_.settings().mail_carbon_copy = 1;
  }

  ReceivedMessage Received() {
    const std::string eml = server_.WaitForMessage(1);
    ReceivedMessage message;
    EXPECT_FALSE(eml.empty()) << "no message arrived";
    EXPECT_TRUE(eml.empty() || ReadReceivedMessage(eml, &message));
    EXPECT_EQ(message.defects, Strings());
    EXPECT_EQ(server_.Envelope(1),
              Strings({"ann@harbor.example", "books@accountant.example", "ann@harbor.example"}));
    return message;
  }

  RealSmtpServer server_{testing::TestCertificates::Get().server(), "ann", "s3cret"};
};

TEST_F(MailDeliveryTest, AReportSentByTheReportRunArrivesAsItsPdf) {
  Append(Line(kCheckOrDeposit, "510", 1250000, "March sales", Date(2026, 3, 2)));
  Append(Line(kCheckOrDeposit, "650", -180000, "March rent", Date(2026, 3, 3)));
  testing::RecordingShell shell;
  testing::FixedUserDirectory users;
  const DatePatterns dates = DeriveDatePatterns("11/22/44");
  OutputServices services = MakeOutputServices({fs_, ui_, clock_, shell, dates, users}, nullptr,
                                               dir_.path(), "www.zenkar.example");
  MailEnvironment env = Environment();
  ReportMailHandOff mail(env);
  services.mail = &mail;
  ReportRegistry reports;
  AddFinancialStatements(reports);
  const ReportRunResult result = RunReports(
      reports, ledger_, services,
      {{"Income Statement"}, OutputTarget::kPdfMail, MonthPeriod(2026, 3), ReportOptions()});
  EXPECT_TRUE(result.completed);
  EXPECT_EQ(ui_.Texts(), Strings({"Finished Sending"}));
  EXPECT_TRUE(shell.opened_documents.empty()) << "a mailed PDF is not shown";

  const ReceivedMessage message = Received();
  EXPECT_EQ(message.Values("From"), Strings({"Ann Lee <ann@harbor.example>"}));
  EXPECT_EQ(message.Values("Reply-To"), Strings({"Ann Lee <ann@harbor.example>"}));
  EXPECT_EQ(message.Values("Cc"), Strings({"Ann Lee <ann@harbor.example>"}));
  EXPECT_EQ(message.Values("Subject"), Strings({"Accounting Report"}));
  EXPECT_EQ(message.Values("X-Mailer"), Strings({"Zenkar Mail 4.7 - Zenkar Accounting"}));
  EXPECT_NE(message.text.find("The attached file can be opened using any PDF reader."),
            std::string::npos);
  ASSERT_EQ(message.attachments.size(), 1u);
  const ReceivedMessage::Part& pdf = message.attachments[0];
  EXPECT_EQ(pdf.content_type, "application/pdf");
  EXPECT_EQ(pdf.disposition, "inline");
  EXPECT_EQ(pdf.file_name, "Income-Statement.pdf");
  EXPECT_EQ(pdf.data, dir_.ReadFile("Income-Statement.pdf"));
  EXPECT_EQ(pdf.data.substr(0, 8), "%PDF-1.3");
}

TEST_F(MailDeliveryTest, TheDataFilesArriveEachEqualToItsFileAndTheSettingsWithoutThePassword) {
  for (int day = 1; day <= 28; ++day) {
    Append(Line(kCheckOrDeposit, "650", -1000 * day, "Supplies", Date(2026, 2, day)));
  }
  ASSERT_TRUE(ledger_.SaveCompanySettings());
  dir_.WriteFile("KXMICR.DAT", std::string(300, '\x01'));
  dir_.WriteFile("KXACCT.RJE", "");
  dir_.WriteFile("KXGL.CFG", "settings of the older ledger program");
  dir_.WriteFile("NOTES.TXT", "not a data file");

  MailEnvironment env = Environment();
  ASSERT_TRUE(EmailDataFiles(env));
  EXPECT_EQ(ui_.Texts(), Strings({"Finished e-mailing data"}));
  // The file keeps the saved password; only the copy attached lacks it.
  const std::string settings_file = dir_.ReadFile("KXACCT.CFG");
  EXPECT_EQ(GetTextField(settings_file, 1921, 21), ScramblePassword("s3cret"));

  const ReceivedMessage message = Received();
  EXPECT_EQ(message.Values("Subject"), Strings({"Data Files"}));
  EXPECT_EQ(message.text, "Zenkar Accounting data files are attached\n");
  std::string attached_settings = settings_file;
  attached_settings.replace(1921, 21, std::string(21, ' '));
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"KXMICR.DAT", dir_.ReadFile("KXMICR.DAT")}, {"KXACCT.COA", dir_.ReadFile("KXACCT.COA")},
      {"KXACCT.TRN", dir_.ReadFile("KXACCT.TRN")}, {"KXACCT.VND", dir_.ReadFile("KXACCT.VND")},
      {"KXACCT.CFG", attached_settings},           {"KXACCT.RJE", ""},
      {"KXGL.CFG", dir_.ReadFile("KXGL.CFG")}};
  ASSERT_EQ(message.attachments.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    const ReceivedMessage::Part& part = message.attachments[i];
    EXPECT_EQ(part.file_name, expected[i].first);
    EXPECT_EQ(part.content_type, "application/octet-stream");
    EXPECT_EQ(part.disposition, "attachment");
    EXPECT_EQ(part.data, expected[i].second) << part.file_name;
  }
}

}  // namespace
}  // namespace zenkar
