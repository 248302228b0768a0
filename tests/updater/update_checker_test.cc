// Whole runs of the update checker against an HTTP server on the loopback
// address: what the user is told, what the server is asked (byte for byte),
// what is downloaded, run and cleaned up, and that the calling program is
// started again whenever no installer runs.
#include "updater/update_checker.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <deque>
#include <functional>

#include "support/loopback_http_server.h"
#include "support/memory_connection.h"
#include "support/recording_shell.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace zenkar {
namespace {

using testing::LoopbackHttpServer;
using testing::MemoryConnection;
using testing::ResponseWithLength;

constexpr char kCommandLine[] = "KXACCT,4.7,0A1B2C3D,4";
constexpr char kChecking[] = "Checking Version Information...";
constexpr char kConnecting[] = "Connecting to HTTP server...";
constexpr char kTransferFailure[] = "Connection/communication error during download, try again.";

// The window, recorded; it closes (as the Abort button would) at the first
// look for Abort at which `abort_when` holds.
class RecordingWindow : public UpdateWindow {
 public:
  std::vector<std::string> statuses;
  int looks = 0;  // calls of AbortRequested
  bool shown = false;
  bool closed = false;
  std::function<bool(const RecordingWindow&)> abort_when;

  void Show(std::string_view status) override {
    shown = true;
    statuses.emplace_back(status);
  }
  void SetStatus(std::string_view text) override { statuses.emplace_back(text); }
  bool AbortRequested() override {
    ++looks;
    aborted_ = aborted_ || (abort_when && abort_when(*this));
    return aborted_;
  }
  void Close() override { closed = true; }

 private:
  bool aborted_ = false;
};

// Runs programs by recording them; a program run is first looked at as it
// lies on the disk, as an installer would be.
class InstallerShell : public testing::RecordingShell {
 public:
  struct Run {
    std::string path;
    std::string contents;
    mode_t mode = 0;
  };
  std::vector<Run> runs;
  bool installer_starts = true;

  int RunProgram(const std::string& program, const std::vector<std::string>& args) override {
    struct stat st {};
    ::stat(program.c_str(), &st);
    std::string contents;
    EXPECT_TRUE(PosixFileSystem().ReadFile(program, &contents).ok());
    runs.push_back({program, contents, static_cast<mode_t>(st.st_mode & 0777)});
    EXPECT_TRUE(args.empty());
    return installer_starts ? 0 : -1;
  }
};

// One run of the checker, with its own program folder, server and ports.
class CheckerTrial {
 public:
  explicit CheckerTrial(std::unique_ptr<Connector> connector = PosixConnector(3000))
      : connector_(std::move(connector)) {
    installation.program_folder = installation.files_folder = program_folder.path();
    installation.files_folder_writable = true;
  }

  testing::TempDir program_folder;
  Installation installation;
  LoopbackHttpServer server;
  testing::ScriptedUi ui;
  InstallerShell shell;
  RecordingWindow window;

  void Run(std::string_view command_line = kCommandLine) {
    UpdateChecker checker({PosixFileSystem(), ui, shell, window, *connector_},
                          {*ParseUpdateHost(server.address()), "user=", installation});
    checker.Run(command_line);
  }

  std::string Host() const { return server.address(); }
  std::string RevisionRequest() const {
    return "GET /_revision.15 HTTP/1.1\r\nReferer: user=0A1B2C3D\r\nUser-Agent: AUTO DL\r\n"
           "Host: " +
           Host() + "\r\n\r\n";
  }
  std::string DownloadRequest(std::string_view name) const {
    return "GET /" + std::string(name) +
           " HTTP/1.1\r\nReferer: user=0A1B2C3D\r\nUser-Agent: KXACCT 4.7\r\nHost: " + Host() +
           "\r\n\r\n";
  }
  std::vector<std::string> RequestBytes() const {
    std::vector<std::string> bytes;
    for (const auto& request : server.requests()) bytes.push_back(request.bytes);
    return bytes;
  }
  std::vector<int> RequestConnections() const {
    std::vector<int> numbers;
    for (const auto& request : server.requests()) numbers.push_back(request.connection);
    return numbers;
  }
  std::string GoTo() const {
    return "Go to " + Host() +
           " and click the Download link to download and install the latest revision.";
  }
  std::string NewsUrl() const { return "http://" + Host() + "/news?user=0A1B2C3D"; }

  // The revision file, served once with its connection closed after.
  void Publish(std::string_view revision_file) {
    server.Queue(
        {ResponseWithLength("HTTP/1.1 200 OK", {"Content-Type: text/plain"}, revision_file), true});
  }
  // Revision 5 of version 4.7, and the user answers Yes.
  void PublishRevision5() {
    Publish("VE: 4.7\r\nAR: 3\r\nAC: 5\r\nPR: 2\r\n");
    ui.Answer(true);
  }
  // The installer under its own name: the first answer (the whole file) on a
  // connection that closes, the second on a new one.
  void ServeInstaller(std::string_view installer) {
    const std::string whole = ResponseWithLength("HTTP/1.1 200 OK", {}, installer);
    server.Queue({whole, true});
    server.Queue({whole, true});
  }

  bool RestartedCaller() const {
    return shell.started.size() == 1 &&
           shell.started[0].program == program_folder.path() + "kxacct" &&
           shell.started[0].args.empty();
  }
  std::string DownloadFolder() const { return program_folder.path() + "temp_download_folder/"; }

 private:
  std::unique_ptr<Connector> connector_;
};

Message Info(std::string text) { return {MessageKind::kInformation, "Zenkar Auto Update", text}; }
Message Error(std::string text) { return {MessageKind::kError, "Zenkar Auto Update", text}; }
Message Question(std::string text) {
  return {MessageKind::kYesNoDefaultYes, "Zenkar Auto Update", text};
}

void ExpectMessages(const testing::ScriptedUi& ui, const std::vector<Message>& expected) {
  ASSERT_EQ(ui.messages().size(), expected.size()) << ::testing::PrintToString(ui.Texts());
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(ui.messages()[i].kind, expected[i].kind) << i;
    EXPECT_EQ(ui.messages()[i].title, expected[i].title) << i;
    EXPECT_EQ(ui.messages()[i].text, expected[i].text) << i;
  }
}

const std::string kAcceptQuestion =
    "A new revision of Zenkar Accounting (5) is available.\n\nDownload now?";

// --- The revision check -----------------------------------------------------

TEST(UpdateCheckerTest, UpToDateSaysSoAndRestartsTheCaller) {
  CheckerTrial trial;
  trial.Publish("Zenkar\r\nVE: 4.7\r\nAR: 9\r\nAC: 4\r\nPR: 2\r\n");  // AC as running
  trial.Run();

  EXPECT_EQ(trial.RequestBytes(), std::vector<std::string>{trial.RevisionRequest()});
  ExpectMessages(trial.ui, {Info("You are already using the latest version and revision.\n\n"
                                 "Zenkar Accounting\nVersion: 4.7\nRevision: 4")});
  EXPECT_TRUE(trial.RestartedCaller());
  EXPECT_EQ(trial.window.statuses, std::vector<std::string>{kChecking});
  EXPECT_TRUE(trial.window.closed);
  EXPECT_TRUE(trial.shell.opened_urls.empty());
}

TEST(UpdateCheckerTest, ForbiddenEndsSilentlyAndRestartsTheCaller) {
  CheckerTrial trial;
  trial.server.Queue({ResponseWithLength("HTTP/1.1 403 Forbidden", {}, "VE: 4.7\r\nAC: 9\r\n")});
  trial.Run();
  ExpectMessages(trial.ui, {});
  EXPECT_TRUE(trial.RestartedCaller());
}

TEST(UpdateCheckerTest, AMissingRevisionFileSaysOutdatedAndOpensTheNewsPage) {
  CheckerTrial trial;
  trial.server.Queue(
      {ResponseWithLength("HTTP/1.1 404 Not Found", {"Content-Type: text/html"}, "<h1>Gone</h1>")});
  trial.Run();

  ExpectMessages(trial.ui, {Info("You are using an outdated version. Check our 'News' web page "
                                 "for the latest information.")});
  EXPECT_EQ(trial.shell.opened_urls, std::vector<std::string>{trial.NewsUrl()});
  EXPECT_EQ(trial.program_folder.ReadFile("Zenkar.url"),
            "[InternetShortcut]\r\nURL=" + trial.NewsUrl() + "\r\n\r\n");
  EXPECT_TRUE(trial.RestartedCaller());
}

TEST(UpdateCheckerTest, AVersionDifferingOnlyInCaseIsANewVersionOnTheNewsPage) {
  CheckerTrial trial;
  trial.Publish("VE: 4.7B\r\nAC: 9\r\n");
  trial.Run("KXACCT,4.7b,0A1B2C3D,4");

  EXPECT_EQ(trial.RequestBytes().size(), 1u) << "no download is offered";
  ExpectMessages(trial.ui,
                 {Info("A new version of Zenkar Accounting (4.7B) is available. Check our "
                       "'News' web page for the latest information.")});
  EXPECT_EQ(trial.shell.opened_urls, std::vector<std::string>{trial.NewsUrl()});
  EXPECT_TRUE(trial.RestartedCaller());
}

TEST(UpdateCheckerTest, WithoutAVersionTheUserIsSentToTheWebSite) {
  CheckerTrial unreadable;
  unreadable.server.Queue({"HTTP/1.1 200 OK\r\nContent-Length: 999999999999\r\n\r\nVE: 4.7"});
  unreadable.Run();
  CheckerTrial empty;
  empty.Publish("AC: 5\r\n");
  empty.shell.succeed = false;  // and no browser either
  empty.Run();

  const Message advice = Error(
      "Unable to open your default web browser. Open your web browser, "
      "go to " +
      unreadable.Host() + ", then click the 'Download' link.");
  ExpectMessages(unreadable.ui, {advice});
  EXPECT_EQ(unreadable.shell.opened_urls, std::vector<std::string>{unreadable.NewsUrl()});
  EXPECT_TRUE(unreadable.RestartedCaller());
  const Message empty_advice = Error(
      "Unable to open your default web browser. Open your web "
      "browser, go to " +
      empty.Host() + ", then click the 'Download' link.");
  ExpectMessages(empty.ui,
                 {empty_advice, empty_advice,
                  Error("Error attempting to reopen " + empty.program_folder.path() + "kxacct")});
}

TEST(UpdateCheckerTest, ACommandLineThatIsNotFourFieldsIsRefused) {
  CheckerTrial trial;
  trial.Run("KXACCT,4.7,0A1B2C3D");
  ExpectMessages(trial.ui, {Error("Not a stand alone program - use the Check For Update function "
                                  "within one of the Zenkar programs.")});
  EXPECT_TRUE(trial.server.requests().empty());
  EXPECT_TRUE(trial.shell.started.empty()) << "no caller is known";
  EXPECT_FALSE(trial.window.shown);
}

// Stands in for a machine without a route to the server.
class NoRouteConnector : public Connector {
 public:
  bool HasRoute(const std::string&, uint16_t) override { return false; }
  Status Connect(const std::string&, uint16_t, std::unique_ptr<Connection>*) override {
    ADD_FAILURE() << "connected without a route";
    return Status::IoError("no route");
  }
};

TEST(UpdateCheckerTest, WithoutARouteTheCallerIsRestartedSilently) {
  CheckerTrial trial(std::make_unique<NoRouteConnector>());
  trial.Run();
  ExpectMessages(trial.ui, {});
  EXPECT_FALSE(trial.window.shown);
  EXPECT_TRUE(trial.RestartedCaller());
}

TEST(UpdateCheckerTest, AnInstallationThePackageManagerOwnsIsOnlyToldOfTheRevision) {
  CheckerTrial trial;
  testing::TempDir user_folder;
  trial.installation.files_folder = user_folder.path();  // the program folder is not writable
  trial.PublishRevision5();
  trial.Run();

  ExpectMessages(trial.ui, {Info("A new revision of Zenkar Accounting (5) is available.")});
  EXPECT_EQ(trial.RequestBytes().size(), 1u);
  EXPECT_EQ(trial.shell.opened_urls, std::vector<std::string>{trial.NewsUrl()});
  EXPECT_TRUE(user_folder.Exists("Zenkar.url"));
  EXPECT_TRUE(trial.RestartedCaller());
}

// --- The download -----------------------------------------------------------

TEST(UpdateCheckerTest, ANewRevisionIsDownloadedAfterItsRedirectRunAndRemoved) {
  CheckerTrial trial;
  const std::string installer = "#!/bin/sh\necho installing revision 5\n";
  trial.PublishRevision5();
  // The redirect's short page is read off, and the second request follows on
  // the same connection, for the name after the last "/".
  trial.server.Queue({ResponseWithLength(
      "HTTP/1.1 302 Found",
      {"Location: http://downloads.example/zenkar/4.7//InstallZenkarAC-47r5.exe"}, "moved")});
  trial.server.Queue({ResponseWithLength("HTTP/1.1 200 OK", {}, installer)});
  trial.Run();

  EXPECT_EQ(trial.RequestBytes(),
            (std::vector<std::string>{trial.RevisionRequest(),
                                      trial.DownloadRequest("InstallZenkarAC.exe"),
                                      trial.DownloadRequest("InstallZenkarAC-47r5.exe")}));
  EXPECT_EQ(trial.RequestConnections(), (std::vector<int>{1, 2, 2}));
  ExpectMessages(trial.ui, {Question(kAcceptQuestion)});
  ASSERT_EQ(trial.shell.runs.size(), 1u);
  EXPECT_EQ(trial.shell.runs[0].path, trial.DownloadFolder() + "zenkardl.exe");
  EXPECT_EQ(trial.shell.runs[0].contents, installer);
  EXPECT_EQ(trial.shell.runs[0].mode & 0100, 0100) << "made executable";
  EXPECT_EQ(trial.program_folder.Listing(), "") << "the download folder is removed";
  EXPECT_TRUE(trial.shell.started.empty()) << "the installer, not the caller, goes on";
  const std::string size = std::to_string(installer.size());
  EXPECT_EQ(trial.window.statuses,
            (std::vector<std::string>{kChecking, kConnecting, size + " bytes",
                                      size + " of " + size + " bytes\n100%"}));
  EXPECT_TRUE(trial.window.closed);
}

TEST(UpdateCheckerTest, AServerThatClosesGetsTheSecondRequestOnANewConnection) {
  CheckerTrial trial;
  std::string installer(200 * 1000, 'z');  // too long to read twice
  trial.PublishRevision5();
  trial.ServeInstaller(installer);
  ASSERT_EQ(::mkdir(trial.DownloadFolder().c_str(), 0700), 0);
  trial.program_folder.WriteFile("temp_download_folder/zenkardl.exe", "an old download");
  trial.Run();

  EXPECT_EQ(trial.RequestConnections(), (std::vector<int>{1, 2, 3}));
  ASSERT_EQ(trial.shell.runs.size(), 1u);
  EXPECT_EQ(trial.shell.runs[0].contents, installer);
  EXPECT_EQ(trial.window.statuses.back(), "200000 of 200000 bytes\n100%");
}

TEST(UpdateCheckerTest, AnInstallerThatDidNotArriveWholeIsNeverRun) {
  const std::string head = "HTTP/1.1 200 OK\r\n";
  for (const LoopbackHttpServer::Reply& reply : std::vector<LoopbackHttpServer::Reply>{
           {head + "Connection: close\r\n\r\n" + std::string(3000, 'x'), true},     // no length
           {head + "Content-Length: 5000\r\n\r\n" + std::string(1000, 'x'), true},  // cut short
           {head + "Transfer-Encoding: chunked\r\n\r\n5\r\nxxxxx\r\n0\r\n\r\n", true},
           {head + "Content-Length: 0\r\n\r\n", true},
           {ResponseWithLength("HTTP/1.1 404 Not Found", {}, "no such installer"), true},
           {head + "Content-Length: 1073741825\r\n\r\nxxxx", true}}) {
    SCOPED_TRACE(reply.bytes.substr(0, 60));
    CheckerTrial trial;
    trial.PublishRevision5();
    trial.server.Queue({ResponseWithLength("HTTP/1.1 200 OK", {}, "redirect page")});
    trial.server.Queue(reply);
    trial.Run();

    ExpectMessages(trial.ui,
                   {Question(kAcceptQuestion), Error(kTransferFailure), Info(trial.GoTo())});
    EXPECT_TRUE(trial.shell.runs.empty());
    EXPECT_EQ(trial.program_folder.Listing(), "") << "nothing saved";
    EXPECT_TRUE(trial.RestartedCaller());
  }
}

TEST(UpdateCheckerTest, AbortDuringTheCheckEndsItSilently) {
  CheckerTrial trial;
  trial.PublishRevision5();
  trial.window.abort_when = [](const RecordingWindow& window) { return window.looks == 1; };
  trial.Run();
  ExpectMessages(trial.ui, {});
  EXPECT_EQ(trial.RequestBytes().size(), 1u);
  EXPECT_TRUE(trial.RestartedCaller());
}

TEST(UpdateCheckerTest, AbortStopsTheTransferAndRestartsTheCaller) {
  // Closed at the look after "Connecting", after a header line, and while
  // the body arrives.
  const std::vector<std::function<bool(const RecordingWindow&)>> closings = {
      [](const RecordingWindow& window) { return window.looks == 2; },
      [](const RecordingWindow& window) { return window.looks == 4; },
      [](const RecordingWindow& window) {
        return window.statuses.back().find(" of ") != std::string::npos;
      }};
  for (const auto& closing : closings) {
    CheckerTrial trial;
    trial.PublishRevision5();
    trial.ServeInstaller(std::string(5000, 'z'));
    trial.window.abort_when = closing;
    trial.Run();

    ExpectMessages(trial.ui, {Question(kAcceptQuestion), Info(trial.GoTo())});
    EXPECT_TRUE(trial.shell.runs.empty());
    EXPECT_EQ(trial.program_folder.Listing(), "");
    EXPECT_TRUE(trial.RestartedCaller());
  }
}

TEST(UpdateCheckerTest, DeclinedTheDownloadRestartsTheCaller) {
  CheckerTrial trial;
  trial.Publish("VE: 4.7\r\nAC: 5\r\n");
  trial.ui.Answer(false);
  trial.Run();
  EXPECT_EQ(trial.RequestBytes().size(), 1u);
  EXPECT_TRUE(trial.RestartedCaller());
}

TEST(UpdateCheckerTest, AFolderThatCannotTakeTheInstallerIsReported) {
  CheckerTrial blocked;  // a file where the download folder goes
  blocked.program_folder.WriteFile("temp_download_folder", "");
  CheckerTrial stuck;  // an old download that cannot be removed
  ASSERT_EQ(::mkdir(stuck.DownloadFolder().c_str(), 0700), 0);
  ASSERT_EQ(::mkdir((stuck.DownloadFolder() + "zenkardl.exe").c_str(), 0700), 0);
  stuck.program_folder.WriteFile("temp_download_folder/zenkardl.exe/inside", "");
  for (CheckerTrial* trial : {&blocked, &stuck}) {
    trial->PublishRevision5();
    trial->ServeInstaller("#!/bin/sh\n");
    trial->Run();
    EXPECT_TRUE(trial->shell.runs.empty());
    EXPECT_TRUE(trial->RestartedCaller());
  }
  ExpectMessages(blocked.ui, {Question(kAcceptQuestion),
                              Error("Unable to create/access " + blocked.DownloadFolder() + "\n\n" +
                                    blocked.GoTo())});
  ExpectMessages(stuck.ui,
                 {Question(kAcceptQuestion),
                  Error("Unable to remove existing installation file.\n\n" + stuck.GoTo())});
}

TEST(UpdateCheckerTest, AnInstallerThatCannotStartIsReportedAndRemoved) {
  CheckerTrial trial;
  trial.PublishRevision5();
  trial.ServeInstaller("#!/bin/sh\n");
  trial.shell.installer_starts = false;
  trial.Run();

  ExpectMessages(trial.ui, {Question(kAcceptQuestion),
                            Error("Unable to open " + trial.DownloadFolder() + "zenkardl.exe"),
                            Info(trial.GoTo())});
  EXPECT_EQ(trial.program_folder.Listing(), "");
  EXPECT_TRUE(trial.RestartedCaller());
}

// Hands out connections in memory, in order.
class MemoryConnector : public Connector {
 public:
  explicit MemoryConnector(std::deque<MemoryConnection*> connections)
      : connections_(std::move(connections)) {}
  bool HasRoute(const std::string&, uint16_t) override { return true; }
  Status Connect(const std::string&, uint16_t, std::unique_ptr<Connection>* connection) override {
    if (connections_.empty()) return Status::IoError("refused");
    *connection = std::make_unique<Borrowed>(*connections_.front());
    connections_.pop_front();
    return Status::Ok();
  }

 private:
  class Borrowed : public Connection {
   public:
    explicit Borrowed(Connection& base) : base_(base) {}
    Status Send(std::string_view data) override { return base_.Send(data); }
    Status Receive(size_t max, std::string* out) override { return base_.Receive(max, out); }

   private:
    Connection& base_;
  };
  std::deque<MemoryConnection*> connections_;
};

TEST(UpdateCheckerTest, TheBodyIsReadInShrinkingBlocksWithTheWholePercentage) {
  MemoryConnection revision({ResponseWithLength("HTTP/1.1 200 OK", {}, "VE: 4.7\r\nAC: 5\r\n")});
  std::vector<std::string> pieces = {
      ResponseWithLength("HTTP/1.1 302 Found", {"Location: /InstallZenkarAC.exe"}, ""),
      "HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\n"};
  for (int i = 0; i < 10; ++i) pieces.push_back("z");  // ten reads that bring one byte
  pieces.push_back(std::string(990, 'z'));
  MemoryConnection download(pieces);
  CheckerTrial trial(
      std::make_unique<MemoryConnector>(std::deque<MemoryConnection*>{&revision, &download}));
  trial.ui.Answer(true);
  trial.Run();

  // 1,000 bytes asked for, 100 fewer after each short read down to 200.
  const std::vector<size_t> body_asks(download.asked().begin() + 2, download.asked().end());
  EXPECT_EQ(body_asks, (std::vector<size_t>{1000, 900, 800, 700, 600, 500, 400, 300, 200, 200, 200,
                                            200, 200, 200, 190}));
  // Shown when the whole percentage changes (rounded half up) and at the end.
  EXPECT_EQ(
      std::vector<std::string>(trial.window.statuses.begin() + 3, trial.window.statuses.end()),
      (std::vector<std::string>{"1 of 1000 bytes\n0%", "5 of 1000 bytes\n1%",
                                "210 of 1000 bytes\n21%", "410 of 1000 bytes\n41%",
                                "610 of 1000 bytes\n61%", "810 of 1000 bytes\n81%",
                                "1000 of 1000 bytes\n100%"}));
  ASSERT_EQ(trial.shell.runs.size(), 1u);
  EXPECT_EQ(trial.shell.runs[0].contents, std::string(1000, 'z'));
}

}  // namespace
}  // namespace zenkar
