// Fuzz target: an HTTP response as the update checker reads it -- the head
// through HttpReader and HttpHeadParser, the body by its framing, and the
// lines the revision file reader looks at.
//
// The first input byte chooses the size of the pieces the "server" sends;
// the rest is the response. A server may send anything: the head must stay
// within its bounds, the body within its Content-Length, and the outcome
// must not depend on how the bytes were cut into pieces.
#include <cstdint>
#include <string>
#include <vector>

#include "common/http_client.h"
#include "fuzz/fuzz_support.h"
#include "support/memory_connection.h"
#include "updater/revision_file.h"

using zenkar::fuzzing::Require;

namespace {

struct Reading {
  zenkar::Status head_status;
  zenkar::HttpResponseHead head;
  zenkar::Status framing_status;
  zenkar::BodyFraming framing;
  std::string body;
};

// Reads the response arriving in pieces of `piece` bytes, the body in reads
// of at most `block` bytes.
Reading Read(std::string_view response, size_t piece, size_t block) {
  zenkar::testing::MemoryConnection connection(
      zenkar::testing::MemoryConnection::Pieces(response, piece));
  zenkar::HttpReader reader(connection);
  Reading reading;
  reading.head_status = reader.ReadHead(&reading.head);
  if (!reading.head_status.ok()) return reading;
  reading.framing_status = zenkar::FramingOf(reading.head, &reading.framing);
  if (!reading.framing_status.ok()) return reading;
  reader.StartBody(reading.framing.until_close ? zenkar::kMaxContentLength
                                               : reading.framing.length);
  for (size_t before = SIZE_MAX; reading.body.size() != before;) {
    before = reading.body.size();
    if (!reader.ReadSome(block, &reading.body).ok()) break;
  }
  return reading;
}

void CheckBounds(const Reading& reading, size_t input_size) {
  if (!reading.head_status.ok()) return;
  Require(!reading.head.lines.empty() && reading.head.lines.size() <= zenkar::kMaxHeadLines,
          "a head has a status line and at most 100 lines");
  for (const std::string& line : reading.head.lines) {
    Require(line.size() <= zenkar::kMaxHeadLineLength, "a head line is at most 8 KiB");
  }
  Require(reading.head.status >= 0 && reading.head.status <= 999, "a status has three digits");
  if (!reading.framing_status.ok()) return;
  Require(reading.framing.length <= zenkar::kMaxContentLength, "a Content-Length is at most 1 GiB");
  Require(reading.body.size() <= input_size, "a body comes from the input");
  Require(reading.framing.until_close || reading.body.size() <= reading.framing.length,
          "a body ends at its Content-Length");
}

void ReadRevisionLines(const Reading& reading) {
  zenkar::RevisionFileReader revision;
  for (const std::string& line : reading.head.lines) revision.AddHeadLine(line);
  std::string_view body = reading.body;
  while (!body.empty() && !revision.finished()) {
    const size_t newline = body.find('\n');
    revision.AddBodyLine(body.substr(0, newline));
    body.remove_prefix(newline == std::string_view::npos ? body.size() : newline + 1);
  }
  const zenkar::RevisionInfo& info = revision.info();
  Require(!revision.finished() || info.forbidden || info.revisions.count("PR") == 1,
          "the reading ends at a refusal or the PR line");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const size_t piece = data[0] % 64 + 1;
  const std::string_view response = zenkar::fuzzing::BytesOf(data + 1, size - 1);
  const Reading pieces = Read(response, piece, piece * 3);
  const Reading whole = Read(response, response.size() + 1, 1000);
  CheckBounds(whole, response.size());
  Require(pieces.head_status.code() == whole.head_status.code() &&
              pieces.head.lines == whole.head.lines && pieces.head.status == whole.head.status &&
              pieces.framing_status.code() == whole.framing_status.code() &&
              pieces.framing.length == whole.framing.length &&
              pieces.framing.until_close == whole.framing.until_close && pieces.body == whole.body,
          "the pieces a response arrives in change nothing");
  if (whole.head_status.ok()) ReadRevisionLines(whole);
  return 0;
}
