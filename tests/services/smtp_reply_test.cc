// Replies of SMTP servers as the reader takes them: in any pieces, with
// their continuation lines, the codes the program goes on after, what an
// EHLO reply offers, and the bounds a server cannot pass.
#include "services/smtp_reply.h"

#include <gtest/gtest.h>

#include "support/memory_connection.h"

namespace zenkar {
namespace {

using testing::MemoryConnection;
using Strings = std::vector<std::string>;

TEST(SmtpReplyTest, RepliesArriveInAnyPiecesWithTheirContinuationLines) {
  const std::string bytes =
      "250-test.example greets [127.0.0.1]\r\n250-PIPELINING\n250 AUTH LOGIN\r\n"
      "354  End data with <CR><LF>.<CR><LF> \r\n221 Bye";
  for (size_t piece : {1, 3, 7, 1000}) {
    MemoryConnection connection(MemoryConnection::Pieces(bytes, piece));
    SmtpReader reader(&connection);
    const SmtpReply greeting = reader.ReadReply();
    EXPECT_EQ(greeting.lines,
              Strings({"250-test.example greets [127.0.0.1]", "250-PIPELINING", "250 AUTH LOGIN"}));
    EXPECT_EQ(greeting.code(), 250);
    EXPECT_EQ(greeting.Text(),
              "\n250-test.example greets [127.0.0.1]\n250-PIPELINING\n250 AUTH LOGIN");
    const SmtpReply data = reader.ReadReply();
    EXPECT_TRUE(data.acceptable());
    EXPECT_EQ(data.Text(), "\n354  End data with <CR><LF>.<CR><LF>");
    // A last line the server did not end before it closed (this once read
    // the same line for ever: fuzz target smtp_reply).
    EXPECT_EQ(reader.ReadReply().lines, Strings({"221 Bye"}));
    const SmtpReply none = reader.ReadReply();
    EXPECT_FALSE(none.acceptable());
    EXPECT_EQ(none.Text(), "\nThe mail server closed the connection.");
  }
}

TEST(SmtpReplyTest, AReplyIsGoodOnlyWithItsCodeWholeAndTwoTwentyTwoFiftyOrThreeFiftyFour) {
  EXPECT_EQ(ReplyCode("25x"), 25);
  for (int code : {221, 235, 334}) EXPECT_FALSE(IsAcceptable(code)) << code;
  // A reply cut short is no reply, whatever its first line said.
  MemoryConnection cut({"250-first line\r\n"});
  SmtpReader reader(&cut);
  EXPECT_EQ(reader.ReadReply().code(), 0);
}

TEST(SmtpReplyTest, TheFirstLineOfAGreetingOffersNothing) {
  SmtpReply single;
  single.lines = {"250 test.example PIPELINING STARTTLS AUTH LOGIN"};
  const Capabilities none = CapabilitiesOf(single);
  EXPECT_FALSE(none.pipelining || none.starttls || none.auth);

  SmtpReply offers;
  offers.lines = {"250-test.example", "250-pipelining", "250-AUTH=LOGIN", "250 StartTLS"};
  const Capabilities all = CapabilitiesOf(offers);
  EXPECT_TRUE(all.pipelining && all.starttls && all.auth);
}

TEST(SmtpReplyTest, AServerCannotSendEndlessLinesOrRepliesOrControlTheMessage) {
  const std::string longest(kMaxReplyLineLength, 'x');
  MemoryConnection lines({"250 " + longest.substr(4) + "\r\n250 " + longest + "\r\n"});
  SmtpReader reader(&lines);
  EXPECT_TRUE(reader.ReadReply().acceptable());
  EXPECT_EQ(reader.ReadReply().Text(),
            "\nThe mail server sent a line longer than 1,000 characters.");

  std::string endless;
  for (size_t i = 0; i <= kMaxReplyLines; ++i) endless += "250-more\r\n";
  MemoryConnection many({endless});
  SmtpReader many_reader(&many);
  const SmtpReply reply = many_reader.ReadReply();
  EXPECT_EQ(reply.lines.size(), kMaxReplyLines);
  EXPECT_EQ(reply.status.message(), "The mail server sent a reply of more than 100 lines.");

  SmtpReply hostile;
  hostile.lines = {"550 no\rsuch\x1B[2J user "};
  EXPECT_EQ(hostile.Text(), "\n550 no\\x0Dsuch\\x1B[2J user");
}

}  // namespace
}  // namespace zenkar
