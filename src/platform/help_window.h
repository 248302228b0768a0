// The in-app help viewer: the help pages with their contents, index and
// full-text search.
//
// HelpWindow shows one page of the help folder at a time beside three panes:
// "Contents" (the tree of contents.html), "Index" (the keywords of
// index.html, found as they are typed) and "Search" (every page holding all
// the words asked for). Links between pages stay in the window; links to the
// web site and mail addresses go to the desktop through the Shell port.
// QtHelpViewer is the HelpViewer port on it; the window is made when first
// needed and kept until the program closes it.
#ifndef ZENKAR_PLATFORM_HELP_WINDOW_H_
#define ZENKAR_PLATFORM_HELP_WINDOW_H_

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QWidget>

#include "common/help_catalog.h"
#include "common/help_system.h"
#include "common/shell.h"

namespace zenkar {

class HelpWindow : public QWidget {
  Q_OBJECT

 public:
  explicit HelpWindow(Shell& shell, QWidget* parent = nullptr);

  // Shows `file` of `catalog` with `pane` in front. False when the page
  // cannot be read.
  bool ShowPage(const HelpCatalog& catalog, const std::string& file, HelpViewer::Pane pane);
  // Lists the pages holding every word typed in the search box.
  void RunSearch();

  QTabWidget* panes() const { return panes_; }
  QTreeWidget* contents() const { return contents_; }
  QLineEdit* index_filter() const { return index_filter_; }
  QListWidget* index_list() const { return index_list_; }
  QLineEdit* search_box() const { return search_box_; }
  QListWidget* search_results() const { return search_results_; }
  QTextBrowser* browser() const { return browser_; }
  // The file name of the page on show.
  QString current_page() const;

 private:
  QWidget* BuildContentsPane();
  QWidget* BuildIndexPane();
  QWidget* BuildSearchPane();
  void Fill(const HelpCatalog& catalog);
  void FindIndexEntry(const QString& typed);
  void OpenLink(const QUrl& url);
  // Shows a page named as a link inside the help folder ("page.html#part").
  bool OpenTarget(const QString& target);
  void OpenItemTarget(const QVariant& target);

  Shell& shell_;
  HelpCatalog catalog_;
  QTabWidget* panes_ = nullptr;
  QTreeWidget* contents_ = nullptr;
  QLineEdit* index_filter_ = nullptr;
  QListWidget* index_list_ = nullptr;
  QLineEdit* search_box_ = nullptr;
  QListWidget* search_results_ = nullptr;
  QTextBrowser* browser_ = nullptr;
};

class QtHelpViewer : public HelpViewer {
 public:
  explicit QtHelpViewer(Shell& shell) : shell_(shell) {}
  ~QtHelpViewer() override;

  bool ShowPage(const HelpCatalog& catalog, const std::string& file, Pane pane) override;
  void Close() override;
  // The window, or null before the first page was shown.
  HelpWindow* window() const { return window_; }

 private:
  Shell& shell_;
  QPointer<HelpWindow> window_;
};

}  // namespace zenkar

#endif  // ZENKAR_PLATFORM_HELP_WINDOW_H_
