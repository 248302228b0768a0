// HelpCatalog: the help pages shipped in a program's help/ folder.
//
// The help is a folder of HTML pages: "contents.html" (the table of contents),
// "index.html" (the keyword index) and one page per topic. A topic page names
// the numbered help contexts it answers in a meta tag,
//   <meta name="help-context" content="1010">
// so that F1 and the help buttons find it by number. The catalog reads every
// page once and answers those look-ups, the contents and index entries and a
// full-text search. Help pages are UTF-8 and stay so: they are our own files,
// shown only by the help viewer.
#ifndef ZENKAR_COMMON_HELP_CATALOG_H_
#define ZENKAR_COMMON_HELP_CATALOG_H_

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/file_system.h"
#include "common/status.h"

namespace zenkar {

inline constexpr std::string_view kHelpContentsPage = "contents.html";
inline constexpr std::string_view kHelpIndexPage = "index.html";

// A link of a page: where it leads, its text and how deep in lists it sits
// (0 outside any list, 1 in a top-level list, ...).
struct HelpLink {
  std::string target;
  std::string text;
  int depth = 0;
};

struct HelpTopic {
  std::string file;  // the file name inside the help folder
  std::string title;
  std::vector<int> contexts;
  std::string text;  // the visible words, for the search
};

struct HelpSearchHit {
  std::string file;
  std::string title;
  int score = 0;
};

// --- Reading pages (pure functions of the HTML text) ---------------------

std::string HtmlTitle(std::string_view html);
std::vector<int> HtmlHelpContexts(std::string_view html);
std::vector<HelpLink> HtmlLinks(std::string_view html);
// The visible text: tags, scripts and styles removed, entities decoded,
// white space collapsed.
std::string HtmlToText(std::string_view html);

class HelpCatalog {
 public:
  // Reads every ".html" file of `folder` (which ends in "/").
  Status Load(FileSystem& fs, const std::string& folder);

  const std::string& folder() const { return folder_; }
  const std::vector<HelpTopic>& pages() const { return pages_; }
  const HelpTopic* FindPage(std::string_view file) const;
  // The page that answers help context `context`.
  std::optional<std::string> PageForContext(int context) const;
  std::vector<HelpLink> ContentsEntries() const { return contents_; }
  std::vector<HelpLink> IndexEntries() const { return index_; }
  // Topic pages holding every word of `query` (case ignored), best first: a
  // word in the title counts ten times, each other occurrence once.
  std::vector<HelpSearchHit> Search(std::string_view query) const;

 private:
  std::string folder_;
  std::vector<HelpTopic> pages_;
  std::vector<HelpLink> contents_;
  std::vector<HelpLink> index_;
};

}  // namespace zenkar

#endif  // ZENKAR_COMMON_HELP_CATALOG_H_
