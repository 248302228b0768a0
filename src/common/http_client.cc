#include "common/http_client.h"

#include <algorithm>

namespace zenkar {
namespace {

// What one receive asks for while lines are read.
constexpr size_t kReceiveSize = 16 * 1024;

Status LineTooLong() { return Status::InvalidFile("HTTP response: a line is too long"); }

std::string_view WithoutCarriageReturn(std::string_view text) {
  if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
  return text;
}

}  // namespace

std::string HttpGetRequest(std::string_view path, const std::vector<HttpField>& fields) {
  std::string request = "GET " + std::string(path) + " HTTP/1.1\r\n";
  for (const HttpField& field : fields) request += field.name + ": " + field.value + "\r\n";
  return request + "\r\n";
}

std::string_view HttpReader::Available() const {
  std::string_view rest(buffer_);
  rest.remove_prefix(position_);
  return rest.substr(0, std::min<uint64_t>(rest.size(), body_left_));
}

void HttpReader::Consume(size_t count) {
  position_ += count;
  if (body_left_ != kNoLimit) body_left_ -= count;
  if (position_ == buffer_.size()) {
    buffer_.clear();
    position_ = 0;
  }
}

Status HttpReader::Fill(bool* more) {
  *more = false;
  const size_t buffered = buffer_.size() - position_;
  if (closed_ || buffered >= body_left_) return Status::Ok();
  // Never past the body: what follows it belongs to the next response.
  const size_t want = static_cast<size_t>(std::min<uint64_t>(kReceiveSize, body_left_ - buffered));
  if (position_ > 0) {
    buffer_.erase(0, position_);
    position_ = 0;
  }
  const size_t before = buffer_.size();
  if (Status status = connection_.Receive(want, &buffer_); !status.ok()) return status;
  *more = buffer_.size() > before;
  closed_ = !*more;
  return Status::Ok();
}

Status HttpReader::ReadLine(std::string* line) {
  for (;;) {
    const std::string_view rest = Available();
    const size_t newline = rest.find('\n');
    // The line so far, and one more byte for the CR of a CR LF.
    if (std::min(newline, rest.size()) > kMaxHeadLineLength + 1) return LineTooLong();
    if (newline != std::string_view::npos) {
      const std::string_view text = WithoutCarriageReturn(rest.substr(0, newline));
      if (text.size() > kMaxHeadLineLength) return LineTooLong();
      line->assign(text);
      Consume(newline + 1);
      return Status::Ok();
    }
    bool more = false;
    if (Status status = Fill(&more); !status.ok()) return status;
    if (more) continue;
    const std::string_view last = Available();  // Fill may have moved the buffer
    if (last.empty()) return Status::NotFound("HTTP response: no more data");
    const std::string_view text = WithoutCarriageReturn(last);
    if (text.size() > kMaxHeadLineLength) return LineTooLong();
    line->assign(text);
    Consume(last.size());
    return Status::Ok();
  }
}

Status HttpReader::ReadSome(size_t max, std::string* out) {
  const std::string_view rest = Available();
  if (!rest.empty()) {
    const size_t count = std::min(max, rest.size());
    out->append(rest.substr(0, count));
    Consume(count);
    return Status::Ok();
  }
  if (closed_ || body_left_ == 0 || max == 0) return Status::Ok();
  const size_t before = out->size();
  const Status status =
      connection_.Receive(static_cast<size_t>(std::min<uint64_t>(max, body_left_)), out);
  if (!status.ok()) return status;
  const size_t received = out->size() - before;
  closed_ = received == 0;
  if (body_left_ != kNoLimit) body_left_ -= received;
  return Status::Ok();
}

Status HttpReader::ReadHead(HttpResponseHead* head) {
  HttpHeadParser parser;
  while (!parser.complete()) {
    std::string line;
    if (Status status = ReadLine(&line); !status.ok()) return status;
    if (Status status = parser.AddLine(line); !status.ok()) return status;
  }
  *head = parser.head();
  return Status::Ok();
}

}  // namespace zenkar
