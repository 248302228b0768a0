// DownloadInstaller: the installer fetched over HTTP and saved, step by step.
//
// The download request is sent once; a "Location" field in the answer names
// the installer (the text after the last "/" of its path), and the request
// is sent again for that name -- on the same connection when the server keeps
// it and the first answer's body is short enough to read off, otherwise on a
// new one. The second answer must be "200" with a Content-Length: without
// one (or with a chunked body) the end of the file could not be told from a
// cut transfer. The body is read in blocks of 1,000 bytes, 100 fewer after
// each read that brought less (never below 200), with "N of M bytes" and the
// whole percentage in the window, and must arrive whole. It is saved as
// temp_download_folder/zenkardl.exe in the program folder, as a program.
//
// The window is looked at for the Abort button after "Connecting" and after
// each header line; while the body arrives, when the percentage changes or
// 100 ms after the last look, since each look pauses for the window ten
// times.
#ifndef ZENKAR_UPDATER_INSTALLER_DOWNLOAD_H_
#define ZENKAR_UPDATER_INSTALLER_DOWNLOAD_H_

#include <optional>
#include <string>
#include <string_view>

namespace zenkar {

// The installer's name that a "Location" field gives: its path without a
// query or fragment, after the last "/". Nothing unless that is a plain file
// name -- the characters of a URL path segment, at least one letter or
// digit, and no ".." -- so a redirect cannot put anything else into the
// next request line.
std::optional<std::string> InstallerNameFromLocation(std::string_view location);

}  // namespace zenkar

#endif  // ZENKAR_UPDATER_INSTALLER_DOWNLOAD_H_
