// HTTP/1.1 responses: the head (status line and header fields) and how the
// body is framed, decoded from the lines a server sent.
//
// Everything here reads bytes from outside the program, so each step is
// bounded: a head line of more than 8 KiB, a head of more than 100 lines or a
// Content-Length above 1 GiB is refused rather than followed. Chunked bodies
// are refused too: the programs only take a body whose length was announced,
// so that a cut transfer is always seen as one.
#ifndef ZENKAR_COMMON_HTTP_RESPONSE_H_
#define ZENKAR_COMMON_HTTP_RESPONSE_H_

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/status.h"

namespace zenkar {

inline constexpr size_t kMaxHeadLineLength = 8 * 1024;
inline constexpr size_t kMaxHeadLines = 100;
inline constexpr uint64_t kMaxContentLength = uint64_t{1} << 30;

// A header field, "Name: value", of a request or a response.
struct HttpField {
  std::string name;
  std::string value;
};

struct HttpResponseHead {
  std::string version;  // "HTTP/1.1"
  int status = 0;       // 200, 404, ...
  // Every line of the head as it arrived, the status line first.
  std::vector<std::string> lines;
  std::vector<HttpField> fields;

  // The value of the first field named `name` (in any letter case).
  std::optional<std::string_view> Field(std::string_view name) const;
};

// Builds a head from its lines, one at a time, so that a caller can act
// between lines (the update checker looks for its Abort button after each).
class HttpHeadParser {
 public:
  // Takes the next line (without its line ending). Fails on a status line
  // that is not HTTP's, a field line without a name and ":", a line over
  // kMaxHeadLineLength and a head of more than kMaxHeadLines lines.
  Status AddLine(std::string_view line);
  // True once the empty line that ends the head has been taken.
  bool complete() const { return complete_; }
  const HttpResponseHead& head() const { return head_; }

 private:
  Status AddStatusLine(std::string_view line);
  Status AddFieldLine(std::string_view line);

  HttpResponseHead head_;
  bool complete_ = false;
};

// How the body after a head ends: after `length` bytes, or when the server
// closes the connection.
struct BodyFraming {
  bool until_close = false;
  uint64_t length = 0;
};

// The framing of the body after `head`: its Content-Length (at most
// kMaxContentLength; none for the statuses that have no body), or until the
// server closes. Fails for a Transfer-Encoding (a chunked body) and for a
// Content-Length that is not a decimal number, is too large, or is given
// twice with different values.
Status FramingOf(const HttpResponseHead& head, BodyFraming* framing);

// True when the server keeps the connection open after this response: an
// HTTP/1.1 response without "Connection: close", or an HTTP/1.0 one with
// "Connection: keep-alive".
bool KeepsConnectionOpen(const HttpResponseHead& head);

// `text` in upper case (ASCII letters only).
std::string AsciiUpper(std::string_view text);

}  // namespace zenkar

#endif  // ZENKAR_COMMON_HTTP_RESPONSE_H_
