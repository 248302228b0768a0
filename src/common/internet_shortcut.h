// Internet shortcuts: the vendor's web pages opened through ".url" files.
//
// A web link writes a small shortcut file in the per-installation folder --
// "[InternetShortcut]" and a "URL=" line, readable by the other programs of
// the suite -- and then has the desktop open the address in it. The files are
// removed when the program ends.
#ifndef ZENKAR_COMMON_INTERNET_SHORTCUT_H_
#define ZENKAR_COMMON_INTERNET_SHORTCUT_H_

#include <optional>
#include <string>
#include <string_view>

#include "common/file_system.h"
#include "common/shell.h"
#include "common/status.h"
#include "common/ui.h"

namespace zenkar {

// Where the links lead: build-time settings plus this installation's token.
struct WebSite {
  std::string host;          // the vendor's web site host, "www.zenkar.example"
  std::string support_mail;  // the address of "Ask Questions by E-Mail"
  std::string user_query;    // put before the token after "?", "user="
  std::string token;         // the installation token
};

// The pages a link can open; the number is also the shortcut file's number.
enum class WebPage { kHome = 0, kNews = 1, kFaq = 2, kSupportMail = 3 };

// "http://" + host + path + "?" + query + token, or "Mailto:" + the support
// address for the mail page.
std::string WebPageUrl(const WebSite& site, WebPage page);

// "Zenkar" + n + ".url" for page numbers 0 to 10, "Zenkar.url" otherwise.
std::string ShortcutFileName(int page_number);

// The shortcut file's contents: "[InternetShortcut]" and "URL=" + url, each
// line ended by CR LF as on the systems that share these files.
std::string InternetShortcutText(std::string_view url);

Status WriteInternetShortcut(FileSystem& fs, const std::string& path, std::string_view url);

// Deletes "Zenkar.url" and "Zenkar0.url" to "Zenkar20.url" where present.
void RemoveInternetShortcuts(FileSystem& fs, const std::string& folder);

// Writes the page's shortcut file in `files_folder` (none without one) and
// opens its address. When the desktop cannot open it, says "Error attempting
// to open internet application." and returns false. A shortcut file that
// cannot be written does not stop the link: the address is opened all the
// same.
bool OpenWebPage(FileSystem& fs, Shell& shell, Ui& ui,
                 const std::optional<std::string>& files_folder, const WebSite& site, WebPage page);

}  // namespace zenkar

#endif  // ZENKAR_COMMON_INTERNET_SHORTCUT_H_
