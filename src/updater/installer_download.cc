#include "updater/installer_download.h"

#include <algorithm>
#include <cctype>
#include <chrono>

#include "common/text_field.h"
#include "updater/update_checker.h"

namespace zenkar {
namespace {

constexpr std::string_view kConnectingStatus = "Connecting to HTTP server...";
constexpr size_t kFirstBlockSize = 1000;
constexpr size_t kSmallestBlockSize = 200;
constexpr size_t kBlockStep = 100;
// A first answer's body read off the connection to reuse it: a redirect's
// short page. The installer itself is not read twice.
constexpr uint64_t kLongestSkippedBody = 64 * 1024;
constexpr auto kAbortLookInterval = std::chrono::milliseconds(100);

bool IsPathCharacter(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) ||
         std::string_view("-._~%!$&'()*+,;=:@").find(c) != std::string_view::npos;
}

// The share received as a whole percentage, rounded half up: "0%" to "100%".
std::string Percent(uint64_t received, uint64_t expected) {
  return std::to_string((received * 200 + expected) / (2 * expected)) + "%";
}

// Reads the body of `head` off the connection so that the next request can
// follow on it; false when the next request needs a new connection.
bool SkipBody(HttpReader& reader, const HttpResponseHead& head) {
  BodyFraming framing;
  if (!KeepsConnectionOpen(head) || !FramingOf(head, &framing).ok() || framing.until_close ||
      framing.length > kLongestSkippedBody) {
    return false;
  }
  reader.StartBody(framing.length);
  std::string body;
  while (body.size() < framing.length) {
    const size_t before = body.size();
    if (!reader.ReadSome(framing.length - before, &body).ok() || body.size() == before) {
      return false;
    }
  }
  reader.StartHead();
  return true;
}

// The installer's length, when `head` answers with a whole file.
std::optional<uint64_t> InstallerLength(const HttpResponseHead& head) {
  BodyFraming framing;
  if (head.status != 200 || !FramingOf(head, &framing).ok() || framing.until_close ||
      framing.length == 0) {
    return std::nullopt;
  }
  return framing.length;
}

}  // namespace

struct UpdateChecker::ServerConnection {
  std::unique_ptr<Connection> connection;
  std::unique_ptr<HttpReader> reader;
};

std::optional<std::string> InstallerNameFromLocation(std::string_view location) {
  std::string_view name = location.substr(0, location.find_first_of("?#"));
  name.remove_prefix(name.rfind('/') + 1);  // npos + 1: no "/", the whole path
  const auto is_alnum = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; };
  if (name.find("..") != std::string_view::npos ||
      std::none_of(name.begin(), name.end(), is_alnum) ||
      !std::all_of(name.begin(), name.end(), IsPathCharacter)) {
    return std::nullopt;
  }
  return std::string(name);
}

DownloadResult UpdateChecker::DownloadInstaller() {
  window_.SetStatus(kConnectingStatus);
  if (window_.AbortRequested()) return DownloadResult::kAborted;
  std::string installer;
  switch (ReceiveInstaller(&installer)) {
    case Transfer::kWhole:
      return SaveInstaller(installer);
    case Transfer::kAborted:
      return DownloadResult::kAborted;
    case Transfer::kFailed:
      break;
  }
  return DownloadResult::kTransferFailed;
}

UpdateChecker::Transfer UpdateChecker::ReceiveInstaller(std::string* installer) {
  ServerConnection server;
  HttpResponseHead first;
  if (!Open(&server)) return Transfer::kFailed;
  if (const Transfer asked = AskForInstaller(server, &first); asked != Transfer::kWhole) {
    return asked;
  }
  if (const auto location = first.Field("Location")) {
    if (auto name = InstallerNameFromLocation(*location)) installer_name_ = std::move(*name);
  }
  HttpResponseHead second;
  if (const Transfer asked = AskAgain(server, first, &second); asked != Transfer::kWhole) {
    return asked;
  }
  const std::optional<uint64_t> length = InstallerLength(second);
  if (!length) return Transfer::kFailed;
  window_.SetStatus(std::to_string(*length) + " bytes");
  server.reader->StartBody(*length);
  return ReceiveBody(*server.reader, *length, installer);
}

bool UpdateChecker::Open(ServerConnection* server) {
  server->reader.reset();
  server->connection.reset();  // a connection left open is closed first
  if (!Connect(&server->connection)) return false;
  server->reader = std::make_unique<HttpReader>(*server->connection);
  return true;
}

UpdateChecker::Transfer UpdateChecker::AskForInstaller(ServerConnection& server,
                                                       HttpResponseHead* head) {
  const std::string user_agent = request_.identity + " " + request_.version;
  if (!server.connection->Send(Request("/" + installer_name_, user_agent)).ok()) {
    return Transfer::kFailed;
  }
  return ReadHeadWatched(*server.reader, head);
}

UpdateChecker::Transfer UpdateChecker::AskAgain(ServerConnection& server,
                                                const HttpResponseHead& first,
                                                HttpResponseHead* head) {
  const bool kept = SkipBody(*server.reader, first);
  if (!kept && !Open(&server)) return Transfer::kFailed;
  const Transfer asked = AskForInstaller(server, head);
  // A server may close a connection it kept at any time (before the request
  // or while answering it); the request then goes once more on a new one.
  if (asked != Transfer::kFailed || !kept) return asked;
  return Open(&server) ? AskForInstaller(server, head) : Transfer::kFailed;
}

UpdateChecker::Transfer UpdateChecker::ReadHeadWatched(HttpReader& reader, HttpResponseHead* head) {
  HttpHeadParser parser;
  while (!parser.complete()) {
    std::string line;
    if (!reader.ReadLine(&line).ok() || !parser.AddLine(line).ok()) return Transfer::kFailed;
    if (window_.AbortRequested()) return Transfer::kAborted;
  }
  *head = parser.head();
  return Transfer::kWhole;
}

UpdateChecker::Transfer UpdateChecker::ReceiveBody(HttpReader& reader, uint64_t length,
                                                   std::string* body) {
  size_t block = kFirstBlockSize;
  std::string shown_percent;
  auto last_look = std::chrono::steady_clock::now();
  while (body->size() < length) {
    const size_t before = body->size();
    if (!reader.ReadSome(static_cast<size_t>(std::min<uint64_t>(block, length - before)), body)
             .ok()) {
      return Transfer::kFailed;
    }
    const size_t received = body->size() - before;
    if (received == 0) return Transfer::kFailed;  // closed early: a short transfer
    if (received < block && block > kSmallestBlockSize) block -= kBlockStep;

    const std::string percent = Percent(body->size(), length);
    const bool shows = percent != shown_percent || body->size() == length;
    if (shows) {
      window_.SetStatus(std::to_string(body->size()) + " of " + std::to_string(length) +
                        " bytes\n" + percent);
      shown_percent = percent;
    }
    const auto now = std::chrono::steady_clock::now();
    if (shows || now - last_look >= kAbortLookInterval) {
      last_look = now;
      if (window_.AbortRequested()) return Transfer::kAborted;
    }
  }
  return Transfer::kWhole;
}

DownloadResult UpdateChecker::SaveInstaller(const std::string& installer) {
  const std::string folder = DownloadFolder();
  const std::string advice = "\n\n" + GoToText();
  if (!fs_.CreateDirectory(folder).ok() || !fs_.DirectoryExists(folder)) {
    ui_.Error("Unable to create/access " + Utf8ToCp1252(folder) + advice, kUpdateTitle);
    return DownloadResult::kNotSaved;
  }
  const std::string path = DownloadedFile();
  const Status removed = fs_.RemoveFile(path);
  if (!removed.ok() && removed.code() != Status::Code::kNotFound) {
    ui_.Error("Unable to remove existing installation file." + advice, kUpdateTitle);
    return DownloadResult::kNotSaved;
  }
  if (!WriteFileAtomically(fs_, path, installer, Access::kProgram).ok()) {
    ui_.Error("Unable to create/access " + Utf8ToCp1252(folder) + advice, kUpdateTitle);
    return DownloadResult::kNotSaved;
  }
  return DownloadResult::kSaved;
}

}  // namespace zenkar
