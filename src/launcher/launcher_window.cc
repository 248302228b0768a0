#include "launcher/launcher_window.h"

#include <QCloseEvent>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QVBoxLayout>

#include "launcher/data_search.h"
#include "platform/program_icon.h"
#include "platform/text_conversion.h"

namespace zenkar {
namespace {

// The window's size in dialog units: a quarter of the average character
// width across, an eighth of the line height down.
constexpr int kWidthUnits = 250;
constexpr int kHeightUnits = 410;

QString ControlName(int number) { return QString("control%1").arg(number); }

// A label that starts its program when clicked, as its button does.
class ClickableLabel : public QLabel {
 public:
  ClickableLabel(const QString& text, std::function<void()> on_click)
      : QLabel(text), on_click_(std::move(on_click)) {
    setCursor(Qt::PointingHandCursor);
  }

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override {
    QLabel::mouseReleaseEvent(event);
    on_click_();
  }

 private:
  std::function<void()> on_click_;
};

}  // namespace

LauncherWindow::LauncherWindow(Launcher& launcher, ListPrinter& printer)
    : QWidget(nullptr, Qt::Window), launcher_(launcher), printer_(printer) {
  setObjectName("LauncherWindow");
  setWindowTitle(FromCp1252(kLauncherTitle));
  setWindowIcon(ProgramIcon());

  auto* menus = new QMenuBar;
  QMenu* search = menus->addMenu("Search for Data");
  QAction* search_folder = search->addAction("Search for Data in a Folder...");
  search_folder->setObjectName("searchForData");
  connect(search_folder, &QAction::triggered, this, [this] { SearchForData(); });

  folders_ = new QListWidget;
  folders_->setObjectName("folderList");
  auto* folder_box = new QGroupBox("Select Data Folder (Recently used folders)");
  auto* folder_layout = new QVBoxLayout(folder_box);
  folder_layout->addWidget(folders_);
  connect(folders_, &QListWidget::currentRowChanged, this, [this] { RefreshStatuses(); });

  auto* layout = new QVBoxLayout(this);
  layout->setMenuBar(menus);
  layout->addWidget(folder_box, 1);
  layout->addWidget(BuildPrograms());
  layout->addWidget(BuildOtherButtons());
  ShowFolders(launcher_.RecentFolders());

  const QFontMetrics metrics(font());
  resize(QSize(kWidthUnits * metrics.averageCharWidth() / 4, kHeightUnits * metrics.height() / 8)
             .expandedTo(sizeHint()));
}

QPushButton* LauncherWindow::MakeButton(const QString& caption, const QString& name,
                                        std::function<void()> action) {
  auto* button = new QPushButton(caption);
  button->setObjectName(name);
  connect(button, &QPushButton::clicked, this, [action = std::move(action)] { action(); });
  return button;
}

QWidget* LauncherWindow::BuildPrograms() {
  auto* box = new QWidget;
  auto* grid = new QGridLayout(box);
  int row = 0;
  for (const ProgramButton& program : kProgramButtons) {
    auto start = [this, &program] { launcher_.StartProgram(program, SelectedFolder(), *this); };
    QPushButton* button = MakeButton("", ControlName(program.button_id), start);
    button->setIcon(ProgramIcon());
    button->setIconSize(QSize(32, 32));
    button->setToolTip(FromCp1252(program.label));
    auto* label =
        new ClickableLabel("<b>" + FromCp1252(program.label).toHtmlEscaped() + "</b>", start);
    label->setObjectName(ControlName(program.label_id));
    auto* status = new ClickableLabel("", start);
    status->setObjectName(ControlName(program.status_id));
    statuses_[program.status_id] = status;
    grid->addWidget(button, row, 0, 2, 1);
    grid->addWidget(label, row, 1);
    grid->addWidget(status, row + 1, 1);
    row += 2;
  }
  grid->setColumnStretch(1, 1);
  return box;
}

QWidget* LauncherWindow::BuildOtherButtons() {
  auto* box = new QWidget;
  auto* layout = new QVBoxLayout(box);
  if (launcher_.LegacyButtonsShown()) {
    auto* legacy = new QHBoxLayout;
    for (const LegacyProgram& program : kLegacyPrograms) {
      legacy->addWidget(MakeButton(
          FromCp1252(program.caption), "legacy" + FromCp1252(program.code),
          [this, &program] { launcher_.StartLegacyProgram(program, SelectedFolder(), *this); }));
    }
    layout->addLayout(legacy);
  }
  layout->addWidget(
      MakeButton("Send E-Mail to " + QString::fromStdString(launcher_.web_site().support_mail),
                 "mailButton", [this] { launcher_.OpenWebPage(WebPage::kSupportMail); }));
  auto* row = new QHBoxLayout;
  row->addWidget(
      MakeButton("Latest News", "newsButton", [this] { launcher_.OpenWebPage(WebPage::kNews); }));
  row->addWidget(MakeButton("Frequently Asked Questions", "faqButton",
                            [this] { launcher_.OpenWebPage(WebPage::kFaq); }));
  row->addWidget(MakeButton("Backup Data", "backupButton",
                            [this] { launcher_.BackupData(SelectedFolder()); }));
  layout->addLayout(row);
  return box;
}

std::string LauncherWindow::SelectedFolder() const {
  const QListWidgetItem* item = folders_->currentItem();
  return item == nullptr ? "" : ToPath(item->text());
}

void LauncherWindow::ShowFolders(const std::vector<std::string>& folders) {
  folders_->clear();
  for (const std::string& folder : folders) folders_->addItem(FromPath(folder));
  if (folders_->count() > 0) folders_->setCurrentRow(0);
  RefreshStatuses();
}

void LauncherWindow::RefreshStatuses() {
  const std::string folder = SelectedFolder();
  for (const ProgramButton& program : kProgramButtons) {
    statuses_[program.status_id]->setText(folder.empty()
                                              ? FromCp1252(kClickToBegin)
                                              : FromCp1252(launcher_.StatusText(program, folder)));
  }
}

void LauncherWindow::SearchForData() {
  const std::optional<std::string> root = launcher_.AskSearchFolder(ToPath(QDir::homePath()));
  if (!root) return;
  const std::vector<std::string> found =
      zenkar::SearchForData(launcher_.fs(), launcher_.ui(), *root);
  ShowFolders(found);
  launcher_.OfferToPrint(found, printer_);
}

void LauncherWindow::EnterFolder(const std::string& folder) { QDir::setCurrent(FromPath(folder)); }

void LauncherWindow::closeEvent(QCloseEvent* event) {
  QWidget::closeEvent(event);
  emit Closed();
}

}  // namespace zenkar
