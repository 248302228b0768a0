// The help viewer: pages shown with the chosen pane in front, the contents
// tree, the index found as it is typed, the full-text search, and links
// inside the help and out to the web.
#include "platform/help_window.h"

#include <QtTest>

#include "common/help_catalog.h"
#include "platform/offscreen_test_main.h"
#include "support/recording_shell.h"
#include "support/temp_dir.h"

namespace zenkar {

using ::zenkar::testing::RecordingShell;
using ::zenkar::testing::TempDir;
using Pane = HelpViewer::Pane;

class HelpWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    folder_ = std::make_unique<TempDir>();
    folder_->WriteFile("contents.html",
                       "<title>Contents</title><ul><li><a href=\"a.html\">Alpha</a><ul>"
                       "<li><a href=\"b.html\">Beta</a></li></ul></li>"
                       "<li><a href=\"index.html\">Index</a></li></ul>");
    folder_->WriteFile("index.html",
                       "<title>Index</title><a href=\"a.html\">apples</a>"
                       "<a href=\"b.html#part\">bananas</a><a href=\"b.html\">cherries</a>");
    folder_->WriteFile("a.html",
                       "<title>Alpha</title><p>Apples grow here. <a href=\"b.html\">Beta</a> "
                       "<a href=\"http://www.zenkar.example/news\">news</a></p>");
    folder_->WriteFile("b.html", "<title>Beta</title><p>Bananas and apples.</p><a name=part></a>");
    QVERIFY(catalog_.Load(PosixFileSystem(), folder_->path()).ok());
    window_ = std::make_unique<HelpWindow>(shell_);
  }

  void cleanup() {
    window_.reset();
    folder_.reset();
  }

  void ShowsThePageWithThePaneAskedFor() {
    QVERIFY(window_->ShowPage(catalog_, "b.html", Pane::kContents));
    QCOMPARE(window_->current_page(), QString("b.html"));
    QVERIFY(window_->isVisible());
    QCOMPARE(window_->panes()->currentIndex(), 0);
    QVERIFY(window_->browser()->toPlainText().contains("Bananas and apples."));
    QVERIFY(window_->ShowPage(catalog_, "index.html", Pane::kIndex));
    QCOMPARE(window_->panes()->currentIndex(), 1);
    QVERIFY(window_->ShowPage(catalog_, "contents.html", Pane::kSearch));
    QCOMPARE(window_->panes()->currentIndex(), 2);
  }

  void AMissingPageIsNotShown() {
    QVERIFY(!window_->ShowPage(catalog_, "missing.html", Pane::kContents));
    QVERIFY(!window_->isVisible());
  }

  void ContentsFormATree() {
    QVERIFY(window_->ShowPage(catalog_, "contents.html", Pane::kContents));
    QTreeWidget* tree = window_->contents();
    QCOMPARE(tree->topLevelItemCount(), 2);
    QCOMPARE(tree->topLevelItem(0)->text(0), QString("Alpha"));
    QCOMPARE(tree->topLevelItem(0)->childCount(), 1);
    QCOMPARE(tree->topLevelItem(0)->child(0)->text(0), QString("Beta"));
    emit tree->itemActivated(tree->topLevelItem(0)->child(0), 0);
    QCOMPARE(window_->current_page(), QString("b.html"));
  }

  void TheIndexFindsTheKeywordAsItIsTyped() {
    QVERIFY(window_->ShowPage(catalog_, "index.html", Pane::kIndex));
    QTest::keyClicks(window_->index_filter(), "ch");
    QCOMPARE(window_->index_list()->currentItem()->text(), QString("cherries"));
    window_->index_filter()->clear();
    QTest::keyClicks(window_->index_filter(), "BAN");
    QCOMPARE(window_->index_list()->currentItem()->text(), QString("bananas"));
    QTest::keyClick(window_->index_filter(), Qt::Key_Return);
    QCOMPARE(window_->current_page(), QString("b.html"));
    QCOMPARE(window_->browser()->source().fragment(), QString("part"));
  }

  void SearchListsThePagesHoldingEveryWord() {
    QVERIFY(window_->ShowPage(catalog_, "contents.html", Pane::kSearch));
    QTest::keyClicks(window_->search_box(), "apples");
    QTest::keyClick(window_->search_box(), Qt::Key_Return);
    QListWidget* results = window_->search_results();
    QCOMPARE(results->count(), 2);
    window_->search_box()->setText("bananas apples");
    window_->RunSearch();
    QCOMPARE(results->count(), 1);
    QCOMPARE(results->item(0)->text(), QString("Beta"));
    emit results->itemActivated(results->item(0));
    QCOMPARE(window_->current_page(), QString("b.html"));
    window_->search_box()->setText("payroll");
    window_->RunSearch();
    QCOMPARE(results->count(), 1);
    QCOMPARE(results->item(0)->text(), QString("No topics found."));
  }

  void LinksStayInsideTheHelpOrGoToTheDesktop() {
    QVERIFY(window_->ShowPage(catalog_, "a.html", Pane::kContents));
    emit window_->browser()->anchorClicked(QUrl("b.html"));
    QCOMPARE(window_->current_page(), QString("b.html"));
    emit window_->browser()->anchorClicked(QUrl("http://www.zenkar.example/news"));
    QCOMPARE(shell_.opened_urls, std::vector<std::string>{"http://www.zenkar.example/news"});
    QCOMPARE(window_->current_page(), QString("b.html"));
  }

  void TheViewerMakesOneWindowAndClosesIt() {
    QtHelpViewer viewer(shell_);
    QVERIFY(viewer.window() == nullptr);
    QVERIFY(viewer.ShowPage(catalog_, "a.html", Pane::kContents));
    HelpWindow* first = viewer.window();
    QVERIFY(viewer.ShowPage(catalog_, "b.html", Pane::kContents));
    QCOMPARE(viewer.window(), first);
    viewer.Close();
    QVERIFY(!first->isVisible());
  }

 private:
  RecordingShell shell_;
  std::unique_ptr<TempDir> folder_;
  HelpCatalog catalog_;
  std::unique_ptr<HelpWindow> window_;
};

}  // namespace zenkar

ZENKAR_OFFSCREEN_TEST_MAIN(zenkar::HelpWindowTest)
#include "help_window_test.moc"
