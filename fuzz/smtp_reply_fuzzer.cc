// Fuzz target: what an SMTP server sends, as the mail code reads it -- the
// replies through SmtpReader, what a greeting offers, and a whole session
// (greeting, login, envelope, a PDF, the closing ".") answered by the bytes.
//
// The first input byte chooses the size of the pieces the "server" sends;
// the rest is what it sends. A line must stay within 1,000 bytes and a reply
// within 100 lines, every line of a reply but its last must announce the
// next, a reply's text must carry no control character but its line breaks,
// the pieces the bytes arrive in must change nothing, and a session must
// show at most one error.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "common/text_field.h"
#include "fuzz/fuzz_support.h"
#include "services/mail_session.h"
#include "support/fixed_clock.h"
#include "support/memory_connection.h"
#include "support/scripted_ui.h"

using zenkar::fuzzing::Require;

namespace {

using zenkar::testing::MemoryConnection;

struct Reading {
  std::vector<zenkar::SmtpReply> replies;
};

Reading ReadAll(std::string_view bytes, size_t piece) {
  MemoryConnection connection(MemoryConnection::Pieces(bytes, piece));
  zenkar::SmtpReader reader(&connection);
  Reading reading;
  for (;;) {
    reading.replies.push_back(reader.ReadReply());
    if (!reading.replies.back().status.ok()) return reading;
  }
}

void CheckReply(const zenkar::SmtpReply& reply) {
  Require(reply.lines.size() <= zenkar::kMaxReplyLines, "a reply has at most 100 lines");
  for (size_t i = 0; i < reply.lines.size(); ++i) {
    const std::string& line = reply.lines[i];
    Require(line.size() <= zenkar::kMaxReplyLineLength, "a line has at most 1,000 bytes");
    Require(line.find('\n') == std::string::npos, "a line holds no line end");
    const bool last = i + 1 == reply.lines.size();
    Require(zenkar::IsContinuation(line) == !last || !reply.status.ok(),
            "only a reply's last line ends it");
  }
  for (const char c : reply.Text()) {
    Require(c == '\n' || !zenkar::IsControlCharacter(static_cast<unsigned char>(c)),
            "a reply's text carries no control character but its line breaks");
  }
  static_cast<void>(zenkar::CapabilitiesOf(reply));
}

bool SameReplies(const Reading& a, const Reading& b) {
  if (a.replies.size() != b.replies.size()) return false;
  for (size_t i = 0; i < a.replies.size(); ++i) {
    if (a.replies[i].lines != b.replies[i].lines ||
        a.replies[i].status.code() != b.replies[i].status.code()) {
      return false;
    }
  }
  return true;
}

// A connector whose one connection is the server's bytes in pieces.
class MemoryConnector : public zenkar::Connector {
 public:
  MemoryConnector(std::string_view bytes, size_t piece) : bytes_(bytes), piece_(piece) {}
  bool HasRoute(const std::string&, uint16_t) override { return true; }
  zenkar::Status Connect(const std::string&, uint16_t,
                         std::unique_ptr<zenkar::Connection>* connection) override {
    *connection = std::make_unique<MemoryConnection>(MemoryConnection::Pieces(bytes_, piece_));
    return zenkar::Status::Ok();
  }

 private:
  std::string_view bytes_;
  size_t piece_;
};

// A report sent to a server that answers with the bytes.
void RunSession(std::string_view bytes, size_t piece) {
  zenkar::testing::ScriptedUi ui;
  zenkar::testing::FixedClock clock;
  MemoryConnector connector(bytes, piece);
  zenkar::MailSettings settings;
  settings.server = "mail.example.com";
  settings.port = "587";
  settings.user_name = "ann";
  settings.password = "s3cret";
  settings.reply_address = "ann@harbor.example";
  settings.to_address = "bob@accountant.example; carol@tax.example";
  settings.subject = "Accounting Report";
  settings.sender_name = "Ann Lee";
  zenkar::MailSession session({connector, ui, clock, zenkar::PosixFileSystem()}, {}, settings);
  if (session.OpenMailSession() && session.SendMailEnvelope(zenkar::MailMessageKind::kDataFiles)) {
    session.SendDataFilesMessage({{"KXACCT.TRN", "lines"}});
    if (session.EndMessage()) session.CloseMailSession();
  }
  Require(ui.messages().size() <= 1, "a session shows at most one error");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const size_t piece = data[0] % 64 + 1;
  const std::string_view bytes = zenkar::fuzzing::BytesOf(data + 1, size - 1);
  const Reading pieces = ReadAll(bytes, piece);
  const Reading whole = ReadAll(bytes, bytes.size() + 1);
  for (const zenkar::SmtpReply& reply : whole.replies) CheckReply(reply);
  Require(SameReplies(pieces, whole), "the pieces the bytes arrive in change nothing");
  RunSession(bytes, piece);
  return 0;
}
