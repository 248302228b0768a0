#include "common/http_response.h"

#include <algorithm>
#include <cctype>

namespace zenkar {
namespace {

Status Malformed(std::string_view what) {
  return Status::InvalidFile("HTTP response: " + std::string(what));
}

bool IsOws(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimOws(std::string_view text) {
  while (!text.empty() && IsOws(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsOws(text.back())) text.remove_suffix(1);
  return text;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A field name is a token: visible characters, none of them a separator
// that would make the line ambiguous.
bool IsFieldName(std::string_view name) {
  return !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte > 0x20 && byte < 0x7F && c != ':' && c != '"';
  });
}

// A decimal Content-Length of at most kMaxContentLength.
std::optional<uint64_t> ContentLength(std::string_view text) {
  text = TrimOws(text);
  if (text.empty()) return std::nullopt;
  uint64_t value = 0;
  for (char c : text) {
    if (!IsDigit(c)) return std::nullopt;
    value = value * 10 + static_cast<uint64_t>(c - '0');
    if (value > kMaxContentLength) return std::nullopt;
  }
  return value;
}

// True when the comma-separated list `value` holds `token` (in any case).
bool ListHolds(std::string_view value, std::string_view token) {
  while (!value.empty()) {
    const size_t comma = value.find(',');
    if (EqualsIgnoringCase(TrimOws(value.substr(0, comma)), token)) return true;
    if (comma == std::string_view::npos) break;
    value.remove_prefix(comma + 1);
  }
  return false;
}

bool HasNoBody(int status) { return status < 200 || status == 204 || status == 304; }

}  // namespace

std::optional<std::string_view> HttpResponseHead::Field(std::string_view name) const {
  for (const HttpField& field : fields) {
    if (EqualsIgnoringCase(field.name, name)) return field.value;
  }
  return std::nullopt;
}

Status HttpHeadParser::AddLine(std::string_view line) {
  if (complete_) return Malformed("a line after the end of the head");
  if (line.size() > kMaxHeadLineLength) return Malformed("a header line is too long");
  if (line.empty() && !head_.lines.empty()) {
    complete_ = true;
    return Status::Ok();
  }
  if (head_.lines.size() >= kMaxHeadLines) return Malformed("too many header lines");
  head_.lines.emplace_back(line);
  return head_.lines.size() == 1 ? AddStatusLine(line) : AddFieldLine(line);
}

// "HTTP/1.1 200 OK": the version, a space, three digits, and a reason that
// may be empty.
Status HttpHeadParser::AddStatusLine(std::string_view line) {
  const size_t space = line.find(' ');
  if (line.substr(0, 5) != "HTTP/" || space == std::string_view::npos) {
    return Malformed("no status line");
  }
  const std::string_view code = line.substr(space + 1, 3);
  if (code.size() != 3 || !std::all_of(code.begin(), code.end(), IsDigit) ||
      (line.size() > space + 4 && line[space + 4] != ' ')) {
    return Malformed("no status code");
  }
  head_.version = line.substr(0, space);
  head_.status = (code[0] - '0') * 100 + (code[1] - '0') * 10 + (code[2] - '0');
  return Status::Ok();
}

Status HttpHeadParser::AddFieldLine(std::string_view line) {
  const size_t colon = line.find(':');
  if (colon == std::string_view::npos || !IsFieldName(line.substr(0, colon))) {
    return Malformed("a header line without a field name");
  }
  head_.fields.push_back(
      {std::string(line.substr(0, colon)), std::string(TrimOws(line.substr(colon + 1)))});
  return Status::Ok();
}

Status FramingOf(const HttpResponseHead& head, BodyFraming* framing) {
  *framing = BodyFraming{};
  if (HasNoBody(head.status)) return Status::Ok();
  if (head.Field("Transfer-Encoding")) return Malformed("a body sent in chunks");
  std::optional<uint64_t> length;
  for (const HttpField& field : head.fields) {
    if (!EqualsIgnoringCase(field.name, "Content-Length")) continue;
    const std::optional<uint64_t> this_length = ContentLength(field.value);
    if (!this_length || (length && *length != *this_length)) {
      return Malformed("a Content-Length that cannot be used");
    }
    length = this_length;
  }
  framing->until_close = !length;
  framing->length = length.value_or(0);
  return Status::Ok();
}

bool KeepsConnectionOpen(const HttpResponseHead& head) {
  const std::string_view connection = head.Field("Connection").value_or("");
  if (head.version == "HTTP/1.0") return ListHolds(connection, "keep-alive");
  return !ListHolds(connection, "close");
}

std::string AsciiUpper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

}  // namespace zenkar
