// The checker's inputs: its command line, the server it asks, the name a
// redirect gives, the lines of the revision file.
#include "updater/checker_request.h"

#include <gtest/gtest.h>

#include "updater/installer_download.h"
#include "updater/revision_file.h"
#include "updater/update_host.h"

namespace zenkar {
namespace {

TEST(CheckerRequestTest, FourTrimmedFieldsWithARevisionReadAsANumber) {
  const std::optional<CheckerRequest> request = ParseCheckerRequest(" KXPR , 4.7 ,0A1B2C3D, 12 ");
  ASSERT_TRUE(request);
  EXPECT_EQ(request->identity, "KXPR");
  EXPECT_EQ(request->version, "4.7");
  EXPECT_EQ(request->token, "0A1B2C3D");
  EXPECT_EQ(request->revision, 12);
  EXPECT_EQ(ParseCheckerRequest("KXACCT,4.7,,")->revision, 0);

  EXPECT_EQ(RevisionNumber("7th"), 7);
  EXPECT_EQ(RevisionNumber("-3"), -3);
  EXPECT_EQ(RevisionNumber("seven"), 0);
  EXPECT_EQ(RevisionNumber("99999999999999999999999"), 0);
}

TEST(CheckerRequestTest, LinesThatAreNotARequestAreRefused) {
  for (const char* line : {"", "KXACCT", "KXACCT,4.7,0A1B2C3D", "KXACCT,4.7,0A1B2C3D,4,5",
                           ",4.7,0A1B2C3D,4", "../kxacct,4.7,0A1B2C3D,4", "KX ACCT,4.7,0A1B2C3D,4",
                           "KXACCT,4.7,0A1B\r\nHost: elsewhere,4"}) {
    EXPECT_FALSE(ParseCheckerRequest(line)) << line;
  }
}

TEST(UpdateHostTest, TheEnvironmentNamesAHostAndPortOrTheBuiltInHostIsAsked) {
  EXPECT_EQ(UpdateHostFromEnvironment(nullptr)->Text(), ZENKAR_WEB_HOST);
  EXPECT_EQ(UpdateHostFromEnvironment("")->port, 80);
  const std::optional<UpdateHost> local = UpdateHostFromEnvironment("127.0.0.1:8080");
  ASSERT_TRUE(local);
  EXPECT_EQ(local->name, "127.0.0.1");
  EXPECT_EQ(local->port, 8080);
  EXPECT_EQ(local->Text(), "127.0.0.1:8080");
  EXPECT_EQ(ParseUpdateHost("updates.example")->Text(), "updates.example");
  EXPECT_EQ(ParseUpdateHost("[::1]:81")->name, "::1");
  EXPECT_EQ(ParseUpdateHost("[::1]:81")->Text(), "[::1]:81");

  for (const char* text : {":80", "host:", "host:0", "host:65536", "host:8o", "two words:80",
                           "[::1", "[::1]80", "a/b:80"}) {
    EXPECT_FALSE(ParseUpdateHost(text)) << text;
  }
  EXPECT_FALSE(UpdateHostFromEnvironment("host:port"));
}

TEST(InstallerNameTest, ARedirectGivesAPlainFileNameOrNothing) {
  EXPECT_EQ(
      InstallerNameFromLocation("http://dl.example/a/b//InstallZenkarAC-47r5.exe").value_or(""),
      "InstallZenkarAC-47r5.exe");
  EXPECT_EQ(InstallerNameFromLocation("/get/Setup.exe?from=/news#top").value_or(""), "Setup.exe");
  EXPECT_EQ(InstallerNameFromLocation("Setup%201.exe").value_or(""), "Setup%201.exe");
  for (const char* location : {"http://dl.example/", "/a/..", "/a/x..exe", "/a/...", "/a/b c.exe",
                               "/a/b\\c.exe", "/a/\"b\".exe", "/a/?file=x.exe"}) {
    EXPECT_FALSE(InstallerNameFromLocation(location)) << location;
  }
}

TEST(RevisionFileTest, KeyedBodyLinesUntilThePayrollLine) {
  RevisionFileReader reader;
  reader.AddHeadLine("HTTP/1.1 200 OK");
  reader.AddHeadLine("AC: 99");  // a header line is not the file
  for (const char* line :
       {"Zenkar revisions", "VE:  4.7 ", "AR: 3", "ac: 8", "AC:9", "AC: 6 beta", "PR: 2"}) {
    EXPECT_FALSE(reader.finished()) << line;
    reader.AddBodyLine(line);
  }
  EXPECT_TRUE(reader.finished());
  reader.AddBodyLine("VE: 5.0");
  const RevisionInfo& info = reader.info();
  EXPECT_EQ(info.version, "4.7") << "nothing after PR is taken";
  EXPECT_EQ(info.Revision("AR"), 3);
  EXPECT_EQ(info.Revision("AC"), 6);
  EXPECT_EQ(info.Revision("PR"), 2);
  EXPECT_EQ(info.Revision(""), 0);
  EXPECT_FALSE(info.forbidden || info.missing);
}

TEST(RevisionFileTest, RefusalsAreSeenOnAnyLineInAnyCase) {
  RevisionFileReader missing;
  missing.AddHeadLine("HTTP/1.1 404 Not Found");
  EXPECT_TRUE(missing.info().missing);
  EXPECT_FALSE(missing.finished());

  RevisionFileReader forbidden;
  forbidden.AddBodyLine("<h1>403 forbidden</h1>");
  EXPECT_TRUE(forbidden.info().forbidden);
  EXPECT_TRUE(forbidden.finished());
}

}  // namespace
}  // namespace zenkar
