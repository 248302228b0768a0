// UpdateChecker: one run of z_ver_ck, the update checker, without Qt.
//
// A program of the suite starts the checker with its identity, version,
// installation token and revision, and closes itself so that an installer
// can replace it. The checker asks the vendor's server for the revision file
// (CheckRevision). When a newer revision of the program is published it
// offers to download the installer (DownloadInstaller), saves it in
// "temp_download_folder/" of the program folder, runs it, waits for it and
// removes it again. Every other way the run ends -- up to date, a new
// version rather than a revision, the file forbidden or missing, a failed or
// aborted transfer, no route to the server -- starts the calling program
// again (RestartCaller), since it closed for the update. A suite installed
// where its program folder cannot be written (by the package manager) only
// hears of a new revision and is shown the news page.
//
// The transfer's own rules are in installer_download.h.
//
// Messages go through the Ui port, the window through UpdateWindow, the
// network through the Connector, files through the FileSystem and programs
// and web pages through the Shell, so every path is tested without a display.
#ifndef ZENKAR_UPDATER_UPDATE_CHECKER_H_
#define ZENKAR_UPDATER_UPDATE_CHECKER_H_

#include <memory>
#include <string>
#include <string_view>

#include "common/file_system.h"
#include "common/http_client.h"
#include "common/installation.h"
#include "common/shell.h"
#include "common/socket.h"
#include "common/ui.h"
#include "updater/checker_request.h"
#include "updater/revision_file.h"
#include "updater/update_host.h"
#include "updater/update_window.h"

namespace zenkar {

struct UpdateCheckerPorts {
  FileSystem& fs;
  Ui& ui;
  Shell& shell;
  UpdateWindow& window;
  Connector& connector;
};

struct UpdateSettings {
  UpdateHost host;
  // Put before the installation token to identify the installation: in the
  // requests' "Referer" line and after "/news?" ("user=").
  std::string user_query;
  Installation installation;
};

enum class DownloadResult {
  kSaved,           // the whole installer is saved, ready to run
  kTransferFailed,  // the server's answer was not a whole installer
  kAborted,         // the user closed the window
  kNotSaved,        // a file-system failure, already reported
};

class UpdateChecker {
 public:
  UpdateChecker(const UpdateCheckerPorts& ports, UpdateSettings settings);

  // The whole run for the command line that follows the program's name.
  void Run(std::string_view command_line);

 private:
  // True when the user accepted a download of a newer revision.
  bool CheckRevision();
  // DownloadInstaller, and what its failure tells the user; true when the
  // installer is saved.
  bool Download();
  // Reads the revision file's response into `reader`; false when it could
  // not be read whole.
  bool ReadRevisionFile(RevisionFileReader* reader);
  bool OfferRevision(const RevisionInfo& info);
  void RunInstaller();
  void RestartCaller();
  void OpenNewsPage();

  // installer_download.cc: the transfer, then the file.
  enum class Transfer { kWhole, kFailed, kAborted };
  struct ServerConnection;
  DownloadResult DownloadInstaller();
  Transfer ReceiveInstaller(std::string* installer);
  // Opens a (new) connection to the server.
  bool Open(ServerConnection* server);
  // Sends the download request and reads the response's head.
  Transfer AskForInstaller(ServerConnection& server, HttpResponseHead* head);
  // Sends it a second time after the answer `first`: on the same connection
  // when the server keeps it, otherwise on a new one.
  Transfer AskAgain(ServerConnection& server, const HttpResponseHead& first,
                    HttpResponseHead* head);
  Transfer ReadHeadWatched(HttpReader& reader, HttpResponseHead* head);
  Transfer ReceiveBody(HttpReader& reader, uint64_t length, std::string* body);
  DownloadResult SaveInstaller(const std::string& installer);

  bool Connect(std::unique_ptr<Connection>* connection);
  std::string Request(std::string_view path, std::string_view user_agent) const;
  std::string GoToText() const;
  std::string DownloadFolder() const;
  std::string DownloadedFile() const;
  // True when the program folder takes the download (and the installer may
  // replace the programs in it).
  bool CanInstall() const;

  FileSystem& fs_;
  Ui& ui_;
  Shell& shell_;
  UpdateWindow& window_;
  Connector& connector_;
  UpdateSettings settings_;
  CheckerRequest request_;
  std::string installer_name_;
};

}  // namespace zenkar

#endif  // ZENKAR_UPDATER_UPDATE_CHECKER_H_
