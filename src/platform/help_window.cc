#include "platform/help_window.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSplitter>
#include <QToolButton>
#include <QVBoxLayout>
#include <vector>

#include "common/ui.h"
#include "platform/text_conversion.h"

namespace zenkar {
namespace {

constexpr int kTargetRole = Qt::UserRole;

bool IsWebLink(const QUrl& url) {
  const QString scheme = url.scheme().toLower();
  return scheme == "http" || scheme == "https" || scheme == "mailto";
}

}  // namespace

HelpWindow::HelpWindow(Shell& shell, QWidget* parent) : QWidget(parent, Qt::Window), shell_(shell) {
  setWindowTitle(FromCp1252(kProgramTitle) + " Help");
  panes_ = new QTabWidget;
  panes_->addTab(BuildContentsPane(), "Contents");
  panes_->addTab(BuildIndexPane(), "Index");
  panes_->addTab(BuildSearchPane(), "Search");

  browser_ = new QTextBrowser;
  browser_->setOpenLinks(false);
  connect(browser_, &QTextBrowser::anchorClicked, this, &HelpWindow::OpenLink);

  auto* back = new QToolButton;
  back->setText("Back");
  connect(back, &QToolButton::clicked, browser_, &QTextBrowser::backward);
  connect(browser_, &QTextBrowser::backwardAvailable, back, &QToolButton::setEnabled);
  auto* forward = new QToolButton;
  forward->setText("Forward");
  connect(forward, &QToolButton::clicked, browser_, &QTextBrowser::forward);
  connect(browser_, &QTextBrowser::forwardAvailable, forward, &QToolButton::setEnabled);
  back->setEnabled(false);
  forward->setEnabled(false);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(back);
  buttons->addWidget(forward);
  buttons->addStretch();

  auto* splitter = new QSplitter;
  splitter->addWidget(panes_);
  splitter->addWidget(browser_);
  splitter->setStretchFactor(1, 1);
  splitter->setSizes({260, 640});

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(buttons);
  layout->addWidget(splitter, 1);
  resize(920, 620);
}

QWidget* HelpWindow::BuildContentsPane() {
  contents_ = new QTreeWidget;
  contents_->setHeaderHidden(true);
  connect(contents_, &QTreeWidget::itemActivated, this,
          [this](QTreeWidgetItem* item) { OpenItemTarget(item->data(0, kTargetRole)); });
  connect(contents_, &QTreeWidget::itemClicked, this,
          [this](QTreeWidgetItem* item) { OpenItemTarget(item->data(0, kTargetRole)); });
  return contents_;
}

QWidget* HelpWindow::BuildIndexPane() {
  auto* pane = new QWidget;
  index_filter_ = new QLineEdit;
  index_list_ = new QListWidget;
  auto* display = new QPushButton("Display");
  connect(index_filter_, &QLineEdit::textEdited, this, &HelpWindow::FindIndexEntry);
  auto open_current = [this] {
    if (QListWidgetItem* item = index_list_->currentItem()) {
      OpenItemTarget(item->data(kTargetRole));
    }
  };
  connect(index_filter_, &QLineEdit::returnPressed, this, open_current);
  connect(display, &QPushButton::clicked, this, open_current);
  connect(index_list_, &QListWidget::itemActivated, this,
          [this](QListWidgetItem* item) { OpenItemTarget(item->data(kTargetRole)); });
  auto* layout = new QVBoxLayout(pane);
  layout->addWidget(new QLabel("Type in the keyword to find:"));
  layout->addWidget(index_filter_);
  layout->addWidget(index_list_, 1);
  layout->addWidget(display);
  return pane;
}

QWidget* HelpWindow::BuildSearchPane() {
  auto* pane = new QWidget;
  search_box_ = new QLineEdit;
  search_results_ = new QListWidget;
  auto* list_topics = new QPushButton("List Topics");
  connect(search_box_, &QLineEdit::returnPressed, this, &HelpWindow::RunSearch);
  connect(list_topics, &QPushButton::clicked, this, &HelpWindow::RunSearch);
  connect(search_results_, &QListWidget::itemActivated, this,
          [this](QListWidgetItem* item) { OpenItemTarget(item->data(kTargetRole)); });
  connect(search_results_, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { OpenItemTarget(item->data(kTargetRole)); });
  auto* layout = new QVBoxLayout(pane);
  layout->addWidget(new QLabel("Type in the word(s) to search for:"));
  layout->addWidget(search_box_);
  layout->addWidget(list_topics);
  layout->addWidget(new QLabel("Select topic to display:"));
  layout->addWidget(search_results_, 1);
  return pane;
}

bool HelpWindow::ShowPage(const HelpCatalog& catalog, const std::string& file,
                          HelpViewer::Pane pane) {
  if (catalog_.folder() != catalog.folder() || catalog_.pages().size() != catalog.pages().size()) {
    Fill(catalog);
  }
  if (!OpenTarget(QString::fromStdString(file))) return false;
  panes_->setCurrentIndex(static_cast<int>(pane));
  if (pane == HelpViewer::Pane::kIndex) index_filter_->setFocus();
  if (pane == HelpViewer::Pane::kSearch) search_box_->setFocus();
  show();
  raise();
  activateWindow();
  return true;
}

void HelpWindow::Fill(const HelpCatalog& catalog) {
  catalog_ = catalog;
  contents_->clear();
  std::vector<QTreeWidgetItem*> parents;  // the last item at each depth
  for (const HelpLink& link : catalog_.ContentsEntries()) {
    const size_t depth = static_cast<size_t>(std::max(link.depth - 1, 0));
    parents.resize(std::min(parents.size(), depth));
    auto* item =
        parents.empty() ? new QTreeWidgetItem(contents_) : new QTreeWidgetItem(parents.back());
    item->setText(0, QString::fromStdString(link.text));
    item->setData(0, kTargetRole, QString::fromStdString(link.target));
    parents.push_back(item);
  }
  contents_->expandAll();
  index_list_->clear();
  for (const HelpLink& link : catalog_.IndexEntries()) {
    auto* item = new QListWidgetItem(QString::fromStdString(link.text), index_list_);
    item->setData(kTargetRole, QString::fromStdString(link.target));
  }
  search_results_->clear();
}

void HelpWindow::FindIndexEntry(const QString& typed) {
  for (int row = 0; row < index_list_->count(); ++row) {
    QListWidgetItem* item = index_list_->item(row);
    if (item->text().startsWith(typed.trimmed(), Qt::CaseInsensitive)) {
      index_list_->setCurrentItem(item);
      index_list_->scrollToItem(item, QAbstractItemView::PositionAtTop);
      return;
    }
  }
}

void HelpWindow::RunSearch() {
  search_results_->clear();
  const std::vector<HelpSearchHit> hits = catalog_.Search(search_box_->text().toStdString());
  for (const HelpSearchHit& hit : hits) {
    auto* item = new QListWidgetItem(QString::fromStdString(hit.title), search_results_);
    item->setData(kTargetRole, QString::fromStdString(hit.file));
  }
  if (hits.empty()) {
    auto* none = new QListWidgetItem("No topics found.", search_results_);
    none->setFlags(Qt::NoItemFlags);
  }
}

QString HelpWindow::current_page() const { return browser_->source().fileName(); }

void HelpWindow::OpenItemTarget(const QVariant& target) {
  if (target.isValid()) OpenTarget(target.toString());
}

bool HelpWindow::OpenTarget(const QString& target) {
  const QString file = target.section('#', 0, 0);
  const QString path = QString::fromStdString(catalog_.folder()) + file;
  if (file.isEmpty() || !QFileInfo(path).isFile()) return false;
  QUrl url = QUrl::fromLocalFile(path);
  if (target.contains('#')) url.setFragment(target.section('#', 1));
  browser_->setSource(url);
  return true;
}

void HelpWindow::OpenLink(const QUrl& url) {
  if (IsWebLink(url)) {
    shell_.OpenUrl(url.toString().toStdString());
    return;
  }
  const QUrl resolved = browser_->source().resolved(url);
  if (resolved.isLocalFile() && QFileInfo(resolved.toLocalFile()).isFile()) {
    browser_->setSource(resolved);
  }
}

QtHelpViewer::~QtHelpViewer() { delete window_; }

bool QtHelpViewer::ShowPage(const HelpCatalog& catalog, const std::string& file, Pane pane) {
  if (!window_) window_ = new HelpWindow(shell_);
  return window_->ShowPage(catalog, file, pane);
}

void QtHelpViewer::Close() {
  if (window_) window_->close();
}

}  // namespace zenkar
