// Replies of an SMTP server, read from the connection line by line.
//
// A reply is one or more lines that begin with a three-digit code; a line
// whose fourth character is "-" is followed by another line of the same
// reply ("250-PIPELINING", "250-AUTH LOGIN", "250 SIZE"). The program takes a
// reply as good when its code is 220, 250 or 354 and by no other code (221,
// 235 and 334 included); the few steps that wait for another code say so.
//
// The lines are bytes from outside the program: a line may be at most 1,000
// bytes (the longest line SMTP allows) and a reply at most 100 lines, so a
// server can neither make the program hold an endless line nor keep it
// reading one endless reply. The reader is fuzzed (fuzz/smtp_reply_fuzzer.cc).
#ifndef ZENKAR_SERVICES_SMTP_REPLY_H_
#define ZENKAR_SERVICES_SMTP_REPLY_H_

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "common/socket.h"
#include "common/status.h"

namespace zenkar {

inline constexpr size_t kMaxReplyLineLength = 1000;
inline constexpr size_t kMaxReplyLines = 100;

// The number in the first three characters of `line`: their leading digits
// ("250" 250, "25x" 25), 0 when the line starts with none.
int ReplyCode(std::string_view line);
// True when another line of the same reply follows `line`.
bool IsContinuation(std::string_view line);
// 220, 250 and 354: the codes the program goes on after.
bool IsAcceptable(int code);

struct SmtpReply {
  std::vector<std::string> lines;  // as received, without their line ends
  // Why the reply could not be read whole (the connection failed or closed,
  // a line or the reply was too long); ok when it was.
  Status status;

  // The code of the first line; 0 when the reply could not be read.
  int code() const;
  bool acceptable() const { return IsAcceptable(code()); }
  // What an error message appends: for each line, a line break and the line
  // trimmed, its control characters written "\xHH" (a server cannot break
  // the message's lines); a line break and the reason when the reply could
  // not be read whole.
  std::string Text() const;
};

// What an EHLO reply offers. The first line only greets: each later line
// that holds, in upper case, "PIPELINING", "STARTTLS" or "AUTH" sets its
// flag, so a server answering with a single "250 " line offers nothing.
struct Capabilities {
  bool pipelining = false;
  bool starttls = false;
  bool auth = false;
};
Capabilities CapabilitiesOf(const SmtpReply& reply);

// Reads lines, and replies made of them, from a connection.
class SmtpReader {
 public:
  explicit SmtpReader(Connection* connection) : connection_(connection) {}

  // The lines that follow come from `connection` (the same socket, secured).
  void Reattach(Connection* connection) { connection_ = connection; }
  // True when bytes the server sent wait in the buffer, unread.
  bool has_buffered() const { return position_ < buffer_.size(); }

  // The next line, ended by LF or CR LF, without its end. A last line the
  // server did not end before closing is returned as it is; after it the
  // call fails.
  Status ReadLine(std::string* line);
  // One whole reply: its first line and each continuation line after it.
  SmtpReply ReadReply();

 private:
  Status Fill(bool* more);

  Connection* connection_;
  std::string buffer_;
  size_t position_ = 0;
  bool closed_ = false;
};

}  // namespace zenkar

#endif  // ZENKAR_SERVICES_SMTP_REPLY_H_
