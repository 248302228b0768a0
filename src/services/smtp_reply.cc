#include "services/smtp_reply.h"

#include <algorithm>

#include "common/text_field.h"

namespace zenkar {
namespace {

constexpr size_t kReceiveSize = 4096;

constexpr std::string_view kClosed = "The mail server closed the connection.";
constexpr std::string_view kLineTooLong =
    "The mail server sent a line longer than 1,000 characters.";
constexpr std::string_view kReplyTooLong = "The mail server sent a reply of more than 100 lines.";

std::string UpperCase(std::string_view text) {
  std::string upper(text);
  std::transform(upper.begin(), upper.end(), upper.begin(),
                 [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; });
  return upper;
}

std::string_view WithoutCarriageReturn(std::string_view line) {
  return !line.empty() && line.back() == '\r' ? line.substr(0, line.size() - 1) : line;
}

}  // namespace

int ReplyCode(std::string_view line) {
  int code = 0;
  for (size_t i = 0; i < std::min<size_t>(3, line.size()) && line[i] >= '0' && line[i] <= '9';
       ++i) {
    code = code * 10 + (line[i] - '0');
  }
  return code;
}

bool IsContinuation(std::string_view line) { return line.size() >= 4 && line[3] == '-'; }

bool IsAcceptable(int code) { return code == 220 || code == 250 || code == 354; }

int SmtpReply::code() const { return lines.empty() || !status.ok() ? 0 : ReplyCode(lines.front()); }

std::string SmtpReply::Text() const {
  std::string text;
  for (const std::string& line : lines) text += "\n" + EscapeControls(Trim(line));
  if (!status.ok()) text += "\n" + status.message();
  return text;
}

Capabilities CapabilitiesOf(const SmtpReply& reply) {
  Capabilities offered;
  for (size_t i = 1; i < reply.lines.size(); ++i) {
    const std::string line = UpperCase(reply.lines[i]);
    offered.pipelining |= line.find("PIPELINING") != std::string::npos;
    offered.starttls |= line.find("STARTTLS") != std::string::npos;
    offered.auth |= line.find("AUTH") != std::string::npos;
  }
  return offered;
}

Status SmtpReader::Fill(bool* more) {
  *more = false;
  if (closed_) return Status::Ok();
  buffer_.erase(0, position_);
  position_ = 0;
  const size_t before = buffer_.size();
  if (Status status = connection_->Receive(kReceiveSize, &buffer_); !status.ok()) return status;
  *more = buffer_.size() > before;
  closed_ = !*more;
  return Status::Ok();
}

Status SmtpReader::ReadLine(std::string* line) {
  for (;;) {
    const std::string_view rest = std::string_view(buffer_).substr(position_);
    const size_t newline = rest.find('\n');
    const std::string_view text =
        WithoutCarriageReturn(rest.substr(0, std::min(newline, rest.size())));
    if (text.size() > kMaxReplyLineLength) return Status::InvalidFile(std::string(kLineTooLong));
    if (newline != std::string_view::npos || (closed_ && !rest.empty())) {
      line->assign(text);
      position_ += newline == std::string_view::npos ? rest.size() : newline + 1;
      return Status::Ok();
    }
    if (closed_) return Status::NotFound(std::string(kClosed));
    bool more = false;
    if (Status status = Fill(&more); !status.ok()) return status;
  }
}

SmtpReply SmtpReader::ReadReply() {
  SmtpReply reply;
  do {
    if (reply.lines.size() == kMaxReplyLines) {
      reply.status = Status::InvalidFile(std::string(kReplyTooLong));
      return reply;
    }
    std::string line;
    reply.status = ReadLine(&line);
    if (!reply.status.ok()) return reply;
    reply.lines.push_back(std::move(line));
  } while (IsContinuation(reply.lines.back()));
  return reply;
}

}  // namespace zenkar
