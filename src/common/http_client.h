// The HTTP/1.1 client: requests written line by line, and responses read
// line by line over a Connection (common/socket.h).
//
// The programs speak HTTP themselves, with no library: a GET request is its
// request line and header lines, each ended by CR LF, and an empty line.
// HttpReader takes the response apart: lines of the head (and of a text
// body), then the body's bytes, never reading past the body's length. What
// the lines mean is decided by http_response.h and by the caller.
#ifndef ZENKAR_COMMON_HTTP_CLIENT_H_
#define ZENKAR_COMMON_HTTP_CLIENT_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/http_response.h"
#include "common/socket.h"
#include "common/status.h"

namespace zenkar {

// "GET " + path + " HTTP/1.1", then "Name: value" for each field in order,
// each line ended by CR LF, and the empty line that ends the request.
std::string HttpGetRequest(std::string_view path, const std::vector<HttpField>& fields);

class HttpReader {
 public:
  explicit HttpReader(Connection& connection) : connection_(connection) {}

  // Reads the next line, ended by LF or CR LF, into `line` without its
  // ending. At the end of the data (the server closed the connection, or the
  // body's length was reached) a last line without an ending is still
  // returned whole; after it the call fails with kNotFound. A line longer
  // than kMaxHeadLineLength fails with kInvalidFile, and a connection that
  // fails or times out with kIoError.
  Status ReadLine(std::string* line);

  // Appends at most `max` bytes to `out`: bytes already received first,
  // otherwise what one receive brings. Appends nothing at the end of the
  // data.
  Status ReadSome(size_t max, std::string* out);

  // The reads that follow are of a body of `length` bytes: they end after it.
  void StartBody(uint64_t length) { body_left_ = length; }
  // The reads that follow are of the next response's head.
  void StartHead() { body_left_ = kNoLimit; }

  // Reads a whole head with HttpHeadParser.
  Status ReadHead(HttpResponseHead* head);

 private:
  static constexpr uint64_t kNoLimit = UINT64_MAX;

  // The bytes at hand that may still be read.
  std::string_view Available() const;
  void Consume(size_t count);
  // Receives more bytes into the buffer; false at the end of the data.
  Status Fill(bool* more);

  Connection& connection_;
  std::string buffer_;
  size_t position_ = 0;
  uint64_t body_left_ = kNoLimit;
  bool closed_ = false;
};

}  // namespace zenkar

#endif  // ZENKAR_COMMON_HTTP_CLIENT_H_
