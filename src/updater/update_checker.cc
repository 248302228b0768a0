#include "updater/update_checker.h"

#include <cctype>
#include <utility>

#include "common/internet_shortcut.h"
#include "common/text_field.h"

namespace zenkar {
namespace {

constexpr std::string_view kCheckingStatus = "Checking Version Information...";
constexpr std::string_view kRevisionUserAgent = "AUTO DL";
constexpr std::string_view kNewsShortcut = "Zenkar.url";

// Paths are bytes of the file system (UTF-8); messages are Windows-1252.
std::string Shown(const std::string& path) { return Utf8ToCp1252(path); }

std::string LowerCase(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

// VB's Str() of a number: a leading space where the sign would be.
std::string WithSignSpace(long number) { return (number >= 0 ? " " : "") + std::to_string(number); }

std::string OpenBrowserText(const UpdateHost& host) {
  return "Unable to open your default web browser. Open your web browser, go to " + host.Text() +
         ", then click the 'Download' link.";
}

std::string NewRevisionText(std::string_view product, long revision) {
  return "A new revision of " + std::string(product) + " (" + std::to_string(revision) +
         ") is available.";
}

}  // namespace

UpdateChecker::UpdateChecker(const UpdateCheckerPorts& ports, UpdateSettings settings)
    : fs_(ports.fs),
      ui_(ports.ui),
      shell_(ports.shell),
      window_(ports.window),
      connector_(ports.connector),
      settings_(std::move(settings)) {}

void UpdateChecker::Run(std::string_view command_line) {
  const std::optional<CheckerRequest> request = ParseCheckerRequest(command_line);
  if (!request) {
    ui_.Error(kNotStandAloneText, kUpdateTitle);
    return;
  }
  request_ = *request;
  installer_name_ = InstallerName(request_.identity);
  // Without a route there is nobody to ask: back to the program, silently.
  if (!connector_.HasRoute(settings_.host.name, settings_.host.port)) {
    RestartCaller();
    return;
  }
  window_.Show(kCheckingStatus);
  const bool saved = CheckRevision() && Download();
  window_.Close();
  if (saved) {
    RunInstaller();
  } else {
    RestartCaller();
  }
}

bool UpdateChecker::Download() {
  switch (DownloadInstaller()) {
    case DownloadResult::kSaved:
      return true;
    case DownloadResult::kTransferFailed:
      ui_.Error("Connection/communication error during download, try again.", kUpdateTitle);
      [[fallthrough]];
    case DownloadResult::kAborted:
      ui_.Information(GoToText(), kUpdateTitle);
      return false;
    case DownloadResult::kNotSaved:
      break;
  }
  return false;
}

bool UpdateChecker::CheckRevision() {
  RevisionFileReader reader;
  const bool read = ReadRevisionFile(&reader);
  // A window closed while the server was asked stops the check, silently.
  if (window_.AbortRequested()) return false;
  const RevisionInfo& info = reader.info();
  if (info.forbidden) return false;
  if (info.missing) {
    ui_.Information(
        "You are using an outdated version. Check our 'News' web page for the latest "
        "information.",
        kUpdateTitle);
    OpenNewsPage();
    return false;
  }
  if (!read || info.version.empty()) {
    ui_.Error(OpenBrowserText(settings_.host), kUpdateTitle);
    OpenNewsPage();
    return false;
  }
  return OfferRevision(info);
}

bool UpdateChecker::ReadRevisionFile(RevisionFileReader* reader) {
  std::unique_ptr<Connection> connection;
  if (!Connect(&connection) ||
      !connection->Send(Request(kRevisionFilePath, kRevisionUserAgent)).ok()) {
    return false;
  }
  HttpReader http(*connection);
  HttpResponseHead head;
  if (!http.ReadHead(&head).ok()) return false;
  for (const std::string& line : head.lines) reader->AddHeadLine(line);
  if (reader->finished()) return true;
  BodyFraming framing;
  if (!FramingOf(head, &framing).ok()) return false;
  http.StartBody(framing.until_close ? kMaxContentLength : framing.length);
  std::string line;
  while (!reader->finished()) {
    const Status status = http.ReadLine(&line);
    if (status.code() == Status::Code::kNotFound) break;  // the end of the body
    if (!status.ok()) return false;
    reader->AddBodyLine(line);
  }
  return true;
}

// The published version and revision against the running ones.
bool UpdateChecker::OfferRevision(const RevisionInfo& info) {
  const std::string product = ProductName(request_.identity);
  if (info.version != request_.version) {
    // Only a new revision of the running version is downloaded from here;
    // the news page tells about a new version.
    ui_.Information("A new version of " + product + " (" + info.version +
                        ") is available. Check our 'News' web page for the latest information.",
                    kUpdateTitle);
    OpenNewsPage();
    return false;
  }
  const long published = info.Revision(RevisionKey(request_.identity));
  if (published <= request_.revision) {
    ui_.Information("You are already using the latest version and revision.\n\n" + product +
                        "\nVersion: " + info.version +
                        "\nRevision:" + WithSignSpace(request_.revision),
                    kUpdateTitle);
    return false;
  }
  if (!CanInstall()) {
    ui_.Information(NewRevisionText(product, published), kUpdateTitle);
    OpenNewsPage();
    return false;
  }
  return ui_.YesNoDefaultYes(NewRevisionText(product, published) + "\n\nDownload now?",
                             kUpdateTitle);
}

void UpdateChecker::RunInstaller() {
  const std::string path = DownloadedFile();
  if (shell_.RunProgram(path, {}) < 0) {
    ui_.Error("Unable to open " + Shown(path), kUpdateTitle);
    ui_.Information(GoToText(), kUpdateTitle);
    RestartCaller();
  }
  // Best effort: a file left behind is replaced by the next download.
  static_cast<void>(fs_.RemoveFile(path));
  static_cast<void>(fs_.RemoveDirectory(DownloadFolder()));
}

void UpdateChecker::RestartCaller() {
  const std::string program = settings_.installation.program_folder + LowerCase(request_.identity);
  if (!shell_.StartProgram(program, {}, "")) {
    ui_.Error("Error attempting to reopen " + Shown(program), kUpdateTitle);
  }
}

// "Zenkar.url" is written as the suite's other programs read it (the calling
// program removes it when it ends); the address in it is opened.
void UpdateChecker::OpenNewsPage() {
  const WebSite site{settings_.host.Text(), "", settings_.user_query, request_.token};
  const std::string url = WebPageUrl(site, WebPage::kNews);
  const Installation& installation = settings_.installation;
  if (installation.files_folder_writable) {
    // A shortcut that cannot be written does not keep the page from opening.
    static_cast<void>(WriteFileAtomically(fs_,
                                          installation.files_folder + std::string(kNewsShortcut),
                                          InternetShortcutText(url) + "\r\n"));
  }
  if (!shell_.OpenUrl(url)) {
    ui_.Error(OpenBrowserText(settings_.host), kUpdateTitle);
  }
}

bool UpdateChecker::Connect(std::unique_ptr<Connection>* connection) {
  return connector_.Connect(settings_.host.name, settings_.host.port, connection).ok();
}

std::string UpdateChecker::Request(std::string_view path, std::string_view user_agent) const {
  return HttpGetRequest(path, {{"Referer", settings_.user_query + request_.token},
                               {"User-Agent", std::string(user_agent)},
                               {"Host", settings_.host.Text()}});
}

std::string UpdateChecker::GoToText() const {
  return "Go to " + settings_.host.Text() +
         " and click the Download link to download and install the latest revision.";
}

std::string UpdateChecker::DownloadFolder() const {
  return settings_.installation.program_folder + "temp_download_folder/";
}

std::string UpdateChecker::DownloadedFile() const { return DownloadFolder() + "zenkardl.exe"; }

bool UpdateChecker::CanInstall() const {
  const Installation& installation = settings_.installation;
  return installation.files_folder_writable &&
         installation.files_folder == installation.program_folder;
}

}  // namespace zenkar
