#include "common/help_system.h"

#include <gtest/gtest.h>

#include <set>

#include "app_rules/app_fakes.h"
#include "app_rules/transactions/import_actions.h"
#include "app_rules/utilities/data_transfer.h"
#include "app_rules/utilities/mail_actions.h"
#include "app_rules/window/main_window_rules.h"
#include "common/help_catalog.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace zenkar {
namespace {

using ::zenkar::testing::RecordingHelpViewer;
using ::zenkar::testing::ScriptedUi;
using ::zenkar::testing::TempDir;
using Pane = HelpViewer::Pane;

TEST(HtmlReading, TitleContextsAndText) {
  const std::string html =
      "<html><head><title>Getting &amp; Started</title>"
      "<meta name=\"help-context\" content=\"1010 3\">"
      "<META NAME='description' CONTENT='7'><style>p { color: red }</style></head>"
      "<body><!-- a comment --><h1>Start</h1><p>Open the <b>File</b>&nbsp;tab.</p></body></html>";
  EXPECT_EQ(HtmlTitle(html), "Getting & Started");
  EXPECT_EQ(HtmlHelpContexts(html), (std::vector<int>{1010, 3}));
  EXPECT_EQ(HtmlToText(html), "Getting & Started Start Open the File tab.");
}

TEST(HtmlReading, LinksWithTheirListDepth) {
  const std::string html =
      "<a href=\"top.html\">Top</a><ul><li><a href='a.html'>A <i>page</i></a>"
      "<ul><li><a href=b.html>B</a></li></ul></li><li><a name=\"x\">no href</a></li></ul>";
  const std::vector<HelpLink> links = HtmlLinks(html);
  ASSERT_EQ(links.size(), 3u);
  EXPECT_EQ(links[0].target, "top.html");
  EXPECT_EQ(links[0].depth, 0);
  EXPECT_EQ(links[1].target, "a.html");
  EXPECT_EQ(links[1].text, "A page");
  EXPECT_EQ(links[1].depth, 1);
  EXPECT_EQ(links[2].target, "b.html");
  EXPECT_EQ(links[2].depth, 2);
}

class HelpFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_.WriteFile("contents.html",
                      "<title>Contents</title><ul><li><a href=\"start.html\">Getting "
                      "Started</a></li></ul>");
    folder_.WriteFile("index.html", "<title>Index</title><a href=\"start.html\">backup</a>");
    folder_.WriteFile("start.html",
                      "<title>Getting Started</title><meta name=\"help-context\" "
                      "content=\"1010\"><p>Make a backup. Backup often.</p>");
    folder_.WriteFile("backup.html",
                      "<title>Backup Data</title><meta name=\"help-context\" "
                      "content=\"1100\"><p>Backup the data.</p>");
    folder_.WriteFile("notes.txt", "not a page");
  }

  TempDir folder_;
  ScriptedUi ui_;
  RecordingHelpViewer viewer_;
  HelpSystem help_{PosixFileSystem(), ui_, viewer_, folder_.path(), "www.zenkar.example"};
};

TEST_F(HelpFolderTest, CatalogReadsEveryPage) {
  HelpCatalog catalog;
  ASSERT_TRUE(catalog.Load(PosixFileSystem(), folder_.path()).ok());
  EXPECT_EQ(catalog.pages().size(), 4u);
  EXPECT_EQ(catalog.PageForContext(1010), "start.html");
  EXPECT_EQ(catalog.PageForContext(9999), std::nullopt);
  ASSERT_EQ(catalog.ContentsEntries().size(), 1u);
  EXPECT_EQ(catalog.ContentsEntries()[0].text, "Getting Started");
  ASSERT_EQ(catalog.IndexEntries().size(), 1u);
  EXPECT_EQ(catalog.IndexEntries()[0].text, "backup");
}

TEST_F(HelpFolderTest, SearchNeedsEveryWordAndRanksTitlesFirst) {
  HelpCatalog catalog;
  ASSERT_TRUE(catalog.Load(PosixFileSystem(), folder_.path()).ok());
  const std::vector<HelpSearchHit> hits = catalog.Search("BACKUP");
  ASSERT_EQ(hits.size(), 2u);
  EXPECT_EQ(hits[0].file, "backup.html");  // in the title
  EXPECT_EQ(hits[1].file, "start.html");
  EXPECT_EQ(catalog.Search("backup often").size(), 1u);
  EXPECT_TRUE(catalog.Search("payroll").empty());
  EXPECT_TRUE(catalog.Search("  ").empty());
}

TEST_F(HelpFolderTest, SelectorsOpenTheirPages) {
  help_.ShowHelp(kHelpContents);
  help_.ShowHelp(kHelpIndex);
  help_.ShowHelp(kHelpSearch);
  help_.ShowHelp(kHelpGettingStarted);
  help_.ShowHelp(1100);
  help_.ShowHelp(kHelpForControl, 1010);
  help_.ShowHelp(kHelpForControl, 0);
  ASSERT_EQ(viewer_.shown.size(), 7u);
  EXPECT_EQ(viewer_.shown[0].file, "contents.html");
  EXPECT_EQ(viewer_.shown[0].pane, Pane::kContents);
  EXPECT_EQ(viewer_.shown[1].file, "index.html");
  EXPECT_EQ(viewer_.shown[1].pane, Pane::kIndex);
  EXPECT_EQ(viewer_.shown[2].pane, Pane::kSearch);
  EXPECT_EQ(viewer_.shown[3].file, "start.html");
  EXPECT_EQ(viewer_.shown[4].file, "backup.html");
  EXPECT_EQ(viewer_.shown[5].file, "start.html");
  EXPECT_EQ(viewer_.shown[6].file, "contents.html") << "a control without help shows contents";
  EXPECT_TRUE(ui_.messages().empty());
}

TEST_F(HelpFolderTest, AMissingTopicFallsBackToTheContents) {
  help_.ShowHelp(kHelpProgramDescription);  // context 1001 has no page here
  EXPECT_EQ(ui_.Texts(),
            std::vector<std::string>{"Could not open Help Topic 1001, trying Contents"});
  ASSERT_EQ(viewer_.shown.size(), 1u);
  EXPECT_EQ(viewer_.shown[0].file, "contents.html");
}

TEST_F(HelpFolderTest, AViewerThatShowsNothingEndsAtTheWebSite) {
  viewer_.fail = true;
  help_.ShowHelp(kHelpSearch);
  EXPECT_EQ(ui_.Texts(),
            (std::vector<std::string>{"Could not open Search, trying Contents",
                                      "Unable to open Help file. Reinstall Zenkar or view the "
                                      "Zenkar Documentation at www.zenkar.example"}));
  ui_.ClearMessages();
  help_.ShowHelp(kHelpContents);
  EXPECT_EQ(ui_.Texts(), std::vector<std::string>{"Unable to open Help file. Reinstall Zenkar or "
                                                  "view the Zenkar Documentation at "
                                                  "www.zenkar.example"});
}

TEST(HelpSystem, AMissingHelpFolderIsReported) {
  ScriptedUi ui;
  RecordingHelpViewer viewer;
  HelpSystem help(PosixFileSystem(), ui, viewer, "/nonexistent/help/", "www.zenkar.example");
  help.ShowHelp(kHelpContents);
  EXPECT_EQ(ui.Texts(), std::vector<std::string>{"Unable to open Zenkar Help System "
                                                 "(/nonexistent/help/)"});
  EXPECT_TRUE(viewer.shown.empty());
}

// The help pages shipped with the program: every context the program asks
// for has its page, and every link between pages leads to a page.
class ShippedHelpTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(catalog_.Load(PosixFileSystem(), ZENKAR_HELP_FOLDER).ok()); }
  HelpCatalog catalog_;
};

TEST_F(ShippedHelpTest, EveryContextOfTheProgramHasAPage) {
  std::vector<int> contexts = {kContextUpdatesAndSupport,  kContextOrderingChecks,
                               kContextProgramDescription, kContextGettingStarted,
                               kHelpCompanionImports,      kHelpDataTransfer,
                               kContextMailSettings};
  for (const TabPageInfo& page : kTabPages) contexts.push_back(page.help_context);
  for (int context : contexts) {
    EXPECT_TRUE(catalog_.PageForContext(context).has_value()) << "context " << context;
  }
  EXPECT_NE(catalog_.FindPage(kHelpContentsPage), nullptr);
  EXPECT_NE(catalog_.FindPage(kHelpIndexPage), nullptr);
}

TEST_F(ShippedHelpTest, NoContextIsAnsweredByTwoPages) {
  std::set<int> seen;
  for (const HelpTopic& page : catalog_.pages()) {
    for (int context : page.contexts) EXPECT_TRUE(seen.insert(context).second) << context;
  }
}

TEST_F(ShippedHelpTest, EveryLinkLeadsToAPage) {
  for (const HelpTopic& page : catalog_.pages()) {
    std::string html;
    ASSERT_TRUE(
        PosixFileSystem().ReadFile(std::string(ZENKAR_HELP_FOLDER) + page.file, &html).ok());
    EXPECT_FALSE(page.title.empty()) << page.file;
    for (const HelpLink& link : HtmlLinks(html)) {
      if (link.target.rfind("http", 0) == 0 || link.target.rfind("mailto:", 0) == 0) continue;
      const std::string file = link.target.substr(0, link.target.find('#'));
      if (file.empty()) continue;
      EXPECT_NE(catalog_.FindPage(file), nullptr) << page.file << " links to " << link.target;
    }
  }
}

TEST_F(ShippedHelpTest, ContentsListEveryTopicPage) {
  std::set<std::string> listed;
  for (const HelpLink& link : catalog_.ContentsEntries()) listed.insert(link.target);
  for (const HelpTopic& page : catalog_.pages()) {
    if (page.file == kHelpContentsPage) continue;
    EXPECT_TRUE(listed.count(page.file)) << page.file << " is missing from the contents";
  }
}

}  // namespace
}  // namespace zenkar
