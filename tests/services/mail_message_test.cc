// The parts of a message that are rules of their own: which texts are
// addresses, who the recipients are, the date line, display names in header
// lines, and dots at the start of a line.
#include "services/mail_message.h"

#include <gtest/gtest.h>

namespace zenkar {
namespace {

TEST(MailMessageTest, AnAddressLooksLikeOneAndIsExactlyOne) {
  EXPECT_TRUE(LooksLikeAddress("Ann Lee <Ann.Lee@Harbor-Supply.example>"));
  EXPECT_FALSE(LooksLikeAddress("ann@ harbor.example"));
  EXPECT_FALSE(LooksLikeAddress("@harbor.example"));
  EXPECT_TRUE(IsOneAddress("ann.lee+books@harbor.example"));
  for (const char* not_one : {"Ann <ann@harbor.example>", "ann@harbor.example ", "ann@@harbor",
                              "a@b,c@d", "ann@harbor.example\r\nRCPT TO:<x@y>", "harbor.example",
                              "ann@", "\"ann\"@harbor.example"}) {
    EXPECT_FALSE(IsOneAddress(not_one)) << not_one;
  }
  EXPECT_TRUE(HoldsControlCharacter("Report\n"));
  EXPECT_FALSE(HoldsControlCharacter("Report \xE9t\xE9"));
}

TEST(MailMessageTest, TestIsTheReplyAddressAndASemicolonNamesASecondRecipient) {
  const Recipients test = RecipientsOf("Test", "ann@harbor.example");
  EXPECT_EQ(test.first, "ann@harbor.example");
  EXPECT_EQ(test.second, "");
  const Recipients two = RecipientsOf("bob@a.example ; carol@b.example ", "ann@harbor.example");
  EXPECT_EQ(two.first, "bob@a.example");
  EXPECT_EQ(two.second, "carol@b.example");
  EXPECT_EQ(RecipientsOf("bob@a.example;", "").second, "");
}

TEST(MailMessageTest, TheDateLineIsEnglishWithTheZoneEastOfUtc) {
  const LocalDateTime now{2026, 3, 14, 9, 5, 7};
  EXPECT_EQ(FormatMailDate(now, 60), "Sat, 14 Mar 2026 09:05:07 +0100");
  EXPECT_EQ(FormatMailDate(now, -480), "Sat, 14 Mar 2026 09:05:07 -0800");
  EXPECT_EQ(FormatMailDate(now, 330), "Sat, 14 Mar 2026 09:05:07 +0530");
  EXPECT_EQ(FormatMailDate(now, 0), "Sat, 14 Mar 2026 09:05:07 +0000");
  EXPECT_EQ(FormatMailDate({2025, 12, 1, 23, 59, 59}, -60), "Mon, 1 Dec 2025 23:59:59 -0100");
}

TEST(MailMessageTest, DisplayNamesAreQuotedOrEncodedAndLeadingDotsDoubled) {
  EXPECT_EQ(DisplayName("Ann \"the boss\" Lee\\"), "\"Ann \\\"the boss\\\" Lee\\\\\"");
  EXPECT_EQ(DisplayName("Jos\xE9"), "=?windows-1252?B?Sm9z6Q==?=");
  EXPECT_EQ(DataLine(".hidden"), "..hidden");
  EXPECT_EQ(DataLine("a.b"), "a.b");
}

}  // namespace
}  // namespace zenkar
