#include "common/help_catalog.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <map>

namespace zenkar {
namespace {

// One piece of an HTML text: a tag (without its angle brackets) or the text
// between tags.
struct HtmlPiece {
  bool is_tag = false;
  std::string_view text;
};

std::vector<HtmlPiece> SplitHtml(std::string_view html) {
  std::vector<HtmlPiece> pieces;
  size_t i = 0;
  while (i < html.size()) {
    if (html.compare(i, 4, "<!--") == 0) {
      const size_t end = html.find("-->", i + 4);
      i = end == std::string_view::npos ? html.size() : end + 3;
    } else if (html[i] == '<') {
      const size_t end = std::min(html.find('>', i), html.size());
      pieces.push_back({true, html.substr(i + 1, end - i - 1)});
      i = end + 1;
    } else {
      const size_t end = std::min(html.find('<', i), html.size());
      pieces.push_back({false, html.substr(i, end - i)});
      i = end;
    }
  }
  return pieces;
}

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

// "a", "/ul", "meta" ... in lower case.
std::string TagName(std::string_view tag) {
  size_t end = 0;
  while (end < tag.size() && !std::isspace(static_cast<unsigned char>(tag[end])) &&
         tag[end] != '/') {
    ++end;
  }
  if (end == 0 && !tag.empty() && tag[0] == '/') {
    end = 1;
    while (end < tag.size() && std::isalnum(static_cast<unsigned char>(tag[end]))) ++end;
  }
  return Lower(tag.substr(0, end));
}

// The value of attribute `name` of a tag, quoted or not.
std::optional<std::string> TagAttribute(std::string_view tag, std::string_view name) {
  const std::string lower = Lower(tag);
  size_t at = 0;
  while ((at = lower.find(name, at)) != std::string::npos) {
    const bool starts_word = at > 0 && std::isspace(static_cast<unsigned char>(lower[at - 1]));
    size_t i = at + name.size();
    while (i < lower.size() && lower[i] == ' ') ++i;
    if (!starts_word || i >= lower.size() || lower[i] != '=') {
      at += name.size();
      continue;
    }
    ++i;
    while (i < tag.size() && tag[i] == ' ') ++i;
    if (i < tag.size() && (tag[i] == '"' || tag[i] == '\'')) {
      const size_t close = tag.find(tag[i], i + 1);
      return std::string(tag.substr(i + 1, std::min(close, tag.size()) - i - 1));
    }
    size_t end = i;
    while (end < tag.size() && !std::isspace(static_cast<unsigned char>(tag[end]))) ++end;
    return std::string(tag.substr(i, end - i));
  }
  return std::nullopt;
}

std::string DecodeEntities(std::string_view text) {
  static const std::map<std::string_view, std::string_view> kNamed = {
      {"amp", "&"},         {"lt", "<"},         {"gt", ">"},         {"quot", "\""},
      {"apos", "'"},        {"nbsp", " "},       {"mdash", "\u2014"}, {"ndash", "\u2013"},
      {"hellip", "\u2026"}, {"rarr", "\u2192"},  {"lsquo", "\u2018"}, {"rsquo", "\u2019"},
      {"ldquo", "\u201C"},  {"rdquo", "\u201D"}, {"copy", "\u00A9"}};
  std::string out;
  size_t i = 0;
  while (i < text.size()) {
    const size_t semicolon = text[i] == '&' ? text.find(';', i) : std::string_view::npos;
    if (semicolon != std::string_view::npos && semicolon - i <= 8) {
      const std::string_view name = text.substr(i + 1, semicolon - i - 1);
      auto named = kNamed.find(name);
      if (named != kNamed.end()) {
        out += named->second;
        i = semicolon + 1;
        continue;
      }
      if (name.size() > 1 && name[0] == '#') {
        unsigned code = 0;
        auto [end, error] = std::from_chars(name.data() + 1, name.data() + name.size(), code);
        if (error == std::errc() && end == name.data() + name.size() && code < 128) {
          out += static_cast<char>(code);
          i = semicolon + 1;
          continue;
        }
      }
    }
    out += text[i++];
  }
  return out;
}

std::string CollapseSpaces(std::string_view text) {
  std::string out;
  bool space = false;
  for (char c : text) {
    if (std::isspace(static_cast<unsigned char>(c))) {
      space = !out.empty();
    } else {
      if (space) out += ' ';
      out += c;
      space = false;
    }
  }
  return out;
}

// The words of a search query: runs of letters and digits, in lower case.
std::vector<std::string> QueryWords(std::string_view query) {
  std::vector<std::string> words;
  std::string word;
  for (char c : query) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (std::isalnum(u) || u >= 0x80) {
      word += static_cast<char>(std::tolower(u));
    } else if (!word.empty()) {
      words.push_back(std::move(word));
      word.clear();
    }
  }
  if (!word.empty()) words.push_back(std::move(word));
  return words;
}

int CountOccurrences(std::string_view text, std::string_view word) {
  int count = 0;
  for (size_t at = text.find(word); at != std::string_view::npos;
       at = text.find(word, at + word.size())) {
    ++count;
  }
  return count;
}

bool EndsWith(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() && Lower(text.substr(text.size() - suffix.size())) == suffix;
}

}  // namespace

std::string HtmlTitle(std::string_view html) {
  std::string title;
  bool in_title = false;
  for (const HtmlPiece& piece : SplitHtml(html)) {
    if (piece.is_tag) {
      const std::string name = TagName(piece.text);
      if (name == "title") in_title = true;
      if (name == "/title") break;
    } else if (in_title) {
      title += piece.text;
    }
  }
  return CollapseSpaces(DecodeEntities(title));
}

std::vector<int> HtmlHelpContexts(std::string_view html) {
  std::vector<int> contexts;
  for (const HtmlPiece& piece : SplitHtml(html)) {
    if (!piece.is_tag || TagName(piece.text) != "meta") continue;
    if (Lower(TagAttribute(piece.text, "name").value_or("")) != "help-context") continue;
    const std::string content = TagAttribute(piece.text, "content").value_or("");
    const char* p = content.data();
    const char* end = p + content.size();
    while (p < end) {
      while (p < end && (*p == ' ' || *p == ',')) ++p;
      int number = 0;
      auto [next, error] = std::from_chars(p, end, number);
      if (error != std::errc()) break;
      contexts.push_back(number);
      p = next;
    }
  }
  return contexts;
}

std::vector<HelpLink> HtmlLinks(std::string_view html) {
  std::vector<HelpLink> links;
  int depth = 0;
  std::optional<HelpLink> open;
  for (const HtmlPiece& piece : SplitHtml(html)) {
    if (!piece.is_tag) {
      if (open) open->text += piece.text;
      continue;
    }
    const std::string name = TagName(piece.text);
    if (name == "ul" || name == "ol") ++depth;
    if ((name == "/ul" || name == "/ol") && depth > 0) --depth;
    if (name == "a") {
      std::optional<std::string> href = TagAttribute(piece.text, "href");
      open.reset();
      if (href) open = HelpLink{*href, "", depth};
    } else if (name == "/a" && open) {
      open->text = CollapseSpaces(DecodeEntities(open->text));
      links.push_back(std::move(*open));
      open.reset();
    }
  }
  return links;
}

std::string HtmlToText(std::string_view html) {
  std::string text;
  bool hidden = false;  // inside <script> or <style>
  for (const HtmlPiece& piece : SplitHtml(html)) {
    if (piece.is_tag) {
      const std::string name = TagName(piece.text);
      if (name == "script" || name == "style") hidden = true;
      if (name == "/script" || name == "/style") hidden = false;
      text += ' ';
    } else if (!hidden) {
      text += piece.text;
    }
  }
  return CollapseSpaces(DecodeEntities(text));
}

Status HelpCatalog::Load(FileSystem& fs, const std::string& folder) {
  folder_ = folder;
  pages_.clear();
  contents_.clear();
  index_.clear();
  std::vector<std::string> names;
  if (Status s = fs.ListDirectory(folder, &names); !s.ok()) return s;
  std::sort(names.begin(), names.end());
  for (const std::string& name : names) {
    if (!EndsWith(name, ".html")) continue;
    std::string html;
    if (Status s = fs.ReadFile(folder + name, &html); !s.ok()) return s;
    pages_.push_back({name, HtmlTitle(html), HtmlHelpContexts(html), HtmlToText(html)});
    if (name == kHelpContentsPage) contents_ = HtmlLinks(html);
    if (name == kHelpIndexPage) index_ = HtmlLinks(html);
  }
  return Status::Ok();
}

const HelpTopic* HelpCatalog::FindPage(std::string_view file) const {
  for (const HelpTopic& page : pages_) {
    if (page.file == file) return &page;
  }
  return nullptr;
}

std::optional<std::string> HelpCatalog::PageForContext(int context) const {
  for (const HelpTopic& page : pages_) {
    if (std::find(page.contexts.begin(), page.contexts.end(), context) != page.contexts.end()) {
      return page.file;
    }
  }
  return std::nullopt;
}

std::vector<HelpSearchHit> HelpCatalog::Search(std::string_view query) const {
  const std::vector<std::string> words = QueryWords(query);
  std::vector<HelpSearchHit> hits;
  if (words.empty()) return hits;
  for (const HelpTopic& page : pages_) {
    // The contents and the index list every topic: they are the ways in, not answers.
    if (page.file == kHelpContentsPage || page.file == kHelpIndexPage) continue;
    const std::string text = Lower(page.text);
    const std::string title = Lower(page.title);
    int score = 0;
    bool all = true;
    for (const std::string& word : words) {
      const int in_text = CountOccurrences(text, word);
      if (in_text == 0) {
        all = false;
        break;
      }
      score += in_text + 9 * CountOccurrences(title, word);
    }
    if (all) hits.push_back({page.file, page.title, score});
  }
  std::stable_sort(hits.begin(), hits.end(), [](const HelpSearchHit& a, const HelpSearchHit& b) {
    return a.score > b.score;
  });
  return hits;
}

}  // namespace zenkar
