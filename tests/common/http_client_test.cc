// Reading HTTP responses: heads and bodies in any pieces, the bounds on what
// a server may send, how a body is framed and whether the connection stays.
#include "common/http_client.h"

#include <gtest/gtest.h>

#include "support/memory_connection.h"

namespace zenkar {
namespace {

using testing::MemoryConnection;

// A head made of `lines`, each ended by CR LF, and the empty line.
std::string Head(const std::vector<std::string>& lines) {
  std::string head;
  for (const std::string& line : lines) head += line + "\r\n";
  return head + "\r\n";
}

Status ReadHeadOf(const std::string& bytes, HttpResponseHead* head) {
  MemoryConnection connection({bytes});
  return HttpReader(connection).ReadHead(head);
}

Status FramingOfHead(const std::vector<std::string>& lines, BodyFraming* framing) {
  HttpResponseHead head;
  const Status read = ReadHeadOf(Head(lines), &head);
  EXPECT_TRUE(read.ok()) << read.message();
  return FramingOf(head, framing);
}

// Reads a body of `length` bytes in reads of at most `block` bytes.
std::string ReadBody(HttpReader& reader, uint64_t length, size_t block) {
  reader.StartBody(length);
  std::string body;
  for (size_t before = SIZE_MAX; body.size() != before;) {
    before = body.size();
    EXPECT_TRUE(reader.ReadSome(block, &body).ok());
  }
  return body;
}

TEST(HttpReaderTest, TwoResponsesReadTheSameWhateverPiecesTheyArriveIn) {
  const std::string first =
      "HTTP/1.1 302 Found\r\nlocation:  /a/b/InstallZenkarAC.exe \r\n"
      "Content-Length: 5\nX-Empty:\r\n\r\nmoved";
  const std::string second = "HTTP/1.1 200 OK\r\nContent-Length: 12\r\n\r\nMZ installer";
  for (size_t piece : {1, 2, 7, 64, 100000}) {
    SCOPED_TRACE("pieces of " + std::to_string(piece));
    MemoryConnection connection(MemoryConnection::Pieces(first + second, piece));
    HttpReader reader(connection);

    HttpResponseHead head;
    ASSERT_TRUE(reader.ReadHead(&head).ok());
    EXPECT_EQ(head.version, "HTTP/1.1");
    EXPECT_EQ(head.status, 302);
    EXPECT_EQ(head.lines, (std::vector<std::string>{"HTTP/1.1 302 Found",
                                                    "location:  /a/b/InstallZenkarAC.exe ",
                                                    "Content-Length: 5", "X-Empty:"}));
    EXPECT_EQ(head.Field("LOCATION").value_or("?"), "/a/b/InstallZenkarAC.exe");
    EXPECT_EQ(head.Field("x-empty").value_or("?"), "");
    EXPECT_FALSE(head.Field("Content-Type"));
    EXPECT_EQ(ReadBody(reader, 5, 3), "moved");

    reader.StartHead();
    ASSERT_TRUE(reader.ReadHead(&head).ok());
    EXPECT_EQ(head.status, 200);
    EXPECT_EQ(ReadBody(reader, 12, 1000), "MZ installer");
    EXPECT_EQ(connection.given(), first.size() + second.size());
  }
}

TEST(HttpReaderTest, ABodyIsNeverReadPastItsLengthFromTheConnection) {
  // The second response has not been sent yet: a read past the first body
  // would wait for it.
  MemoryConnection connection({"HTTP/1.1 200 OK\r\nContent-Length: 3\r\n\r\n", "abc"});
  connection.StallAtEnd();
  HttpReader reader(connection);
  HttpResponseHead head;
  ASSERT_TRUE(reader.ReadHead(&head).ok());
  EXPECT_EQ(ReadBody(reader, 3, 1000), "abc");
  EXPECT_EQ(connection.asked().back(), 3u) << "asked for the body's bytes only";
}

TEST(HttpReaderTest, LinesEndAtTheEndOfTheDataAndATimeOutIsAnError) {
  MemoryConnection closed({"AC: 5\r\nPR: 6"});
  HttpReader reader(closed);
  std::string line;
  ASSERT_TRUE(reader.ReadLine(&line).ok());
  EXPECT_EQ(line, "AC: 5");
  ASSERT_TRUE(reader.ReadLine(&line).ok());
  EXPECT_EQ(line, "PR: 6") << "a last line without its ending";
  EXPECT_EQ(reader.ReadLine(&line).code(), Status::Code::kNotFound);

  MemoryConnection stalled({"HTTP/1.1 200 OK\r\n"});
  stalled.StallAtEnd();
  HttpResponseHead head;
  EXPECT_EQ(HttpReader(stalled).ReadHead(&head).code(), Status::Code::kIoError);
  MemoryConnection cut({"HTTP/1.1 200 OK\r\nContent-"});
  EXPECT_FALSE(HttpReader(cut).ReadHead(&head).ok()) << "closed before the end of the head";
}

TEST(HttpHeadTest, LinesAndHeadsAreBounded) {
  HttpResponseHead head;
  const std::string longest(kMaxHeadLineLength - 3, 'v');
  EXPECT_TRUE(ReadHeadOf(Head({"HTTP/1.1 200 OK", "X: " + longest}), &head).ok());
  EXPECT_EQ(ReadHeadOf(Head({"HTTP/1.1 200 OK", "X: " + longest + "v"}), &head).code(),
            Status::Code::kInvalidFile);
  // A line without an end is refused as soon as it is too long.
  MemoryConnection endless({"HTTP/1.1 200 OK\r\nX: " + std::string(100000, 'v')});
  EXPECT_EQ(HttpReader(endless).ReadHead(&head).code(), Status::Code::kInvalidFile);
  EXPECT_LT(endless.given(), 2 * kMaxHeadLineLength + 16 * 1024);

  std::vector<std::string> lines = {"HTTP/1.1 200 OK"};
  while (lines.size() < kMaxHeadLines) lines.push_back("X-" + std::to_string(lines.size()) + ": 1");
  EXPECT_TRUE(ReadHeadOf(Head(lines), &head).ok());
  lines.push_back("X-Last: 1");
  EXPECT_EQ(ReadHeadOf(Head(lines), &head).code(), Status::Code::kInvalidFile);
}

TEST(HttpHeadTest, StatusLinesAndFieldLinesMustBeHttps) {
  HttpResponseHead head;
  EXPECT_TRUE(ReadHeadOf(Head({"HTTP/1.0 404"}), &head).ok());
  EXPECT_EQ(head.status, 404);
  for (const char* status_line :
       {"HTTP/1.1 2000 OK", "HTTP/1.1 20x OK", "FTP/1.0 200 OK", "HTTP/1.1", "200 OK"}) {
    EXPECT_FALSE(ReadHeadOf(Head({status_line}), &head).ok()) << status_line;
  }
  for (const char* field_line : {"no colon", ": no name", " Folded: line", "Two words: x"}) {
    EXPECT_FALSE(ReadHeadOf(Head({"HTTP/1.1 200 OK", field_line}), &head).ok()) << field_line;
  }
}

TEST(HttpHeadTest, ABodyIsFramedByAUsableContentLengthOrByTheClose) {
  BodyFraming framing;
  ASSERT_TRUE(FramingOfHead({"HTTP/1.1 200 OK", "content-length: 1073741824"}, &framing).ok());
  EXPECT_FALSE(framing.until_close);
  EXPECT_EQ(framing.length, kMaxContentLength);
  ASSERT_TRUE(
      FramingOfHead({"HTTP/1.1 200 OK", "Content-Length: 7", "Content-Length: 07"}, &framing).ok());
  EXPECT_EQ(framing.length, 7u);
  ASSERT_TRUE(FramingOfHead({"HTTP/1.1 200 OK"}, &framing).ok());
  EXPECT_TRUE(framing.until_close);
  for (const char* status : {"HTTP/1.1 204 No Content", "HTTP/1.1 304 Not Modified"}) {
    ASSERT_TRUE(FramingOfHead({status}, &framing).ok());
    EXPECT_FALSE(framing.until_close);
    EXPECT_EQ(framing.length, 0u);
  }

  for (const std::vector<std::string>& fields :
       std::vector<std::vector<std::string>>{{"Content-Length: 1073741825"},
                                             {"Content-Length: 99999999999999999999999"},
                                             {"Content-Length: 12a"},
                                             {"Content-Length: -1"},
                                             {"Content-Length:"},
                                             {"Content-Length: 7", "Content-Length: 8"},
                                             {"Transfer-Encoding: chunked"},
                                             {"Transfer-Encoding: chunked", "Content-Length: 7"}}) {
    std::vector<std::string> lines = {"HTTP/1.1 200 OK"};
    lines.insert(lines.end(), fields.begin(), fields.end());
    EXPECT_EQ(FramingOfHead(lines, &framing).code(), Status::Code::kInvalidFile) << fields[0];
  }
}

TEST(HttpHeadTest, TheConnectionStaysOpenAsTheVersionAndConnectionFieldSay) {
  const auto keeps = [](const std::vector<std::string>& lines) {
    HttpResponseHead head;
    EXPECT_TRUE(ReadHeadOf(Head(lines), &head).ok());
    return KeepsConnectionOpen(head);
  };
  EXPECT_TRUE(keeps({"HTTP/1.1 200 OK"}));
  EXPECT_FALSE(keeps({"HTTP/1.1 200 OK", "Connection: Keep-Alive, CLOSE"}));
  EXPECT_FALSE(keeps({"HTTP/1.0 200 OK"}));
  EXPECT_TRUE(keeps({"HTTP/1.0 200 OK", "Connection: keep-alive"}));
}

}  // namespace
}  // namespace zenkar
