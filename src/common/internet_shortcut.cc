#include "common/internet_shortcut.h"

namespace zenkar {
namespace {

constexpr int kLastRemovedShortcut = 20;

std::string_view PagePath(WebPage page) {
  switch (page) {
    case WebPage::kNews:
      return "/news";
    case WebPage::kFaq:
      return "/faq";
    default:
      return "/";
  }
}

}  // namespace

std::string WebPageUrl(const WebSite& site, WebPage page) {
  if (page == WebPage::kSupportMail) return "Mailto:" + site.support_mail;
  return "http://" + site.host + std::string(PagePath(page)) + "?" + site.user_query + site.token;
}

std::string ShortcutFileName(int page_number) {
  if (page_number >= 0 && page_number <= 10) {
    return "Zenkar" + std::to_string(page_number) + ".url";
  }
  return "Zenkar.url";
}

std::string InternetShortcutText(std::string_view url) {
  return "[InternetShortcut]\r\nURL=" + std::string(url) + "\r\n";
}

Status WriteInternetShortcut(FileSystem& fs, const std::string& path, std::string_view url) {
  return WriteFileAtomically(fs, path, InternetShortcutText(url));
}

void RemoveInternetShortcuts(FileSystem& fs, const std::string& folder) {
  // Shortcuts that are not there, or cannot go, are no reason to stop the
  // program's exit: each removal is tried and its outcome left.
  (void)fs.RemoveFile(folder + "Zenkar.url");
  for (int n = 0; n <= kLastRemovedShortcut; ++n) {
    const std::string path = folder + "Zenkar" + std::to_string(n) + ".url";
    if (fs.FileExists(path)) (void)fs.RemoveFile(path);
  }
}

bool OpenWebPage(FileSystem& fs, Shell& shell, Ui& ui,
                 const std::optional<std::string>& files_folder, const WebSite& site,
                 WebPage page) {
  const std::string url = WebPageUrl(site, page);
  // The shortcut file is a record of the visit for the desktop; the page
  // opens from the URL whether or not the file could be written.
  if (files_folder) {
    (void)WriteInternetShortcut(fs, *files_folder + ShortcutFileName(static_cast<int>(page)), url);
  }
  if (!shell.OpenUrl(url)) {
    ui.Error("Error attempting to open internet application.");
    return false;
  }
  return true;
}

}  // namespace zenkar
