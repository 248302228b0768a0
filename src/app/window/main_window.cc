#include "app/window/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QScreen>
#include <QShortcut>
#include <QStyle>
#include <QTabBar>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "app/check_printing/check_output.h"
#include "app/reports/reports_page.h"
#include "app/setup/capital_account_dialog.h"
#include "app/transactions/import_buttons.h"
#include "app/transactions/quick_check_dialog.h"
#include "app/transactions/recurring_entries_dialog.h"
#include "app/transactions/transactions_page.h"
#include "app/utilities/mail_settings_dialog.h"
#include "app/window/calculator_dialog.h"
#include "app/window/check_date_dialog.h"
#include "app_rules/utilities/utility_actions.h"
#include "app_rules/window/program_identity.h"
#include "output/listing_books.h"
#include "output/old_entries_report.h"
#include "platform/help_context.h"
#include "platform/program_icon.h"
#include "platform/text_conversion.h"

namespace zenkar {
namespace {

// The window's size before layout, in dialog units: a quarter of the
// average character width across, an eighth of the line height down.
constexpr int kWidthUnits = 450;
constexpr int kHeightUnits = 250;
// Pixels kept free beside the tabs so that the tab bar never needs its
// scroll arrows.
constexpr int kTabRowSlack = 8;

// The version text in the corner opens the news page when clicked.
class VersionLabel : public QLabel {
 public:
  VersionLabel(const QString& text, std::function<void()> on_click)
      : QLabel(text), on_click_(std::move(on_click)) {
    setCursor(Qt::PointingHandCursor);
    setContentsMargins(8, 2, 8, 2);
  }

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override {
    QLabel::mouseReleaseEvent(event);
    on_click_();
  }

 private:
  std::function<void()> on_click_;
};

// The pause before a last warning: the window disabled under a wait cursor
// while the events of the two seconds (a key held down) are swallowed.
class WindowDisablingPause : public WarningPause {
 public:
  explicit WindowDisablingPause(QWidget* window) : window_(window) {}
  void PauseWithWindowDisabled() override {
    constexpr int kPauseMilliseconds = 2000;
    window_->setEnabled(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QEventLoop loop;
    QTimer::singleShot(kPauseMilliseconds, &loop, &QEventLoop::quit);
    loop.exec();
    QApplication::restoreOverrideCursor();
    window_->setEnabled(true);
  }

 private:
  QWidget* window_;
};

}  // namespace

MainWindow::MainWindow(Program& program) : QWidget(nullptr, Qt::Window), program_(program) {
  setObjectName("MainWindow");
  setWindowTitle(FromCp1252(program_.WindowCaption()));
  setWindowIcon(ProgramIcon());
  setAttribute(Qt::WA_QuitOnClose, false);
  setFont(QFont("Arial", program_.FontSize()));

  tabs_ = new QTabWidget;
  tabs_->setObjectName("tabs");
  BuildPages();
  version_label_ =
      new VersionLabel(FromCp1252(VersionText()), [this] { program_.OpenWebPage(WebPage::kNews); });
  version_label_->setObjectName("version");

  status_line_ = new QLabel;
  status_line_->setObjectName("statusLine");
  status_line_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  status_line_->setMinimumWidth(1);
  progress_bar_ = new QProgressBar;
  progress_bar_->setMaximumWidth(200);
  progress_bar_->hide();
  auto* status_row = new QHBoxLayout;
  status_row->addWidget(status_line_, 1);
  status_row->addWidget(progress_bar_);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs_, 1);
  layout->addLayout(status_row);
  PlaceVersionText(status_row);

  connect(tabs_, &QTabWidget::currentChanged, this, &MainWindow::OnPageChanged);
  BuildShortcuts();
  SizeAndPlace();
}

// The tab control outlives this part of the window while Qt deletes the
// pages; it must not report page changes to a window that is going away.
MainWindow::~MainWindow() { disconnect(tabs_, nullptr, this, nullptr); }

void MainWindow::BuildPages() {
  for (const TabPageInfo& info : kTabPages) {
    TabPage* page = CreateTabPage(info, PageContext{program_, *this});
    pages_.push_back(page);
    tabs_->addTab(page, FromCp1252(TabCaptionText(info)));
  }
}

void MainWindow::AddShortcut(const QKeySequence& keys, std::function<void()> action) {
  auto* shortcut = new QShortcut(keys, this);
  connect(shortcut, &QShortcut::activated, this, [action = std::move(action)] { action(); });
}

void MainWindow::BuildShortcuts() {
  const struct {
    QKeyCombination keys;
    const char* code;
  } kTabKeys[] = {
      {Qt::ALT | Qt::Key_F, "UTL"}, {Qt::ALT | Qt::Key_U, "UTL"}, {Qt::ALT | Qt::Key_V, "VND"},
      {Qt::ALT | Qt::Key_T, "TRN"}, {Qt::ALT | Qt::Key_R, "RPT"}, {Qt::ALT | Qt::Key_B, "REC"},
      {Qt::ALT | Qt::Key_S, "CFG"}, {Qt::ALT | Qt::Key_M, "MIC"}, {Qt::ALT | Qt::Key_H, "HLP"},
  };
  for (const auto& tab_key : kTabKeys) {
    const std::string code = tab_key.code;
    AddShortcut(QKeySequence(tab_key.keys), [this, code] { ShowPage(code); });
  }
  AddShortcut(QKeySequence(Qt::CTRL | Qt::Key_B), [this] { BackupData(program_); });
  AddShortcut(QKeySequence(Qt::CTRL | Qt::Key_D), [this] { ChangeDataFolder(program_); });
  AddShortcut(QKeySequence(Qt::CTRL | Qt::Key_E), [this] { EmailDataFiles(program_, this); });
  AddShortcut(QKeySequence(Qt::CTRL | Qt::Key_M),
              [this] { PrintBlankCheckFromWindow(program_, *this); });
  AddShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), [this] { RunQuickCheck(program_, *this); });
  AddShortcut(QKeySequence(Qt::CTRL | Qt::Key_U), [this] { CheckForUpdate(program_); });
  AddShortcut(QKeySequence(Qt::CTRL | Qt::Key_W), [this] { WhereAmI(program_); });
  AddShortcut(QKeySequence(Qt::Key_F1), [this] { HelpForFocus(); });
  AddShortcut(QKeySequence(Qt::ALT | Qt::Key_D), [this] { SelectCheckDate(); });
  AddShortcut(QKeySequence(Qt::Key_F10), [this] { ShowCalculator(); });
  AddShortcut(QKeySequence(Qt::ALT | Qt::Key_C),
              [this] { ShowTransactionsSubPage(*this, kChecksAndDepositsPage); });
  AddShortcut(QKeySequence(Qt::ALT | Qt::Key_J),
              [this] { ShowTransactionsSubPage(*this, kJournalEntriesPage); });
  AddShortcut(QKeySequence(Qt::ALT | Qt::Key_I),
              [this] { ShowTransactionsSubPage(*this, kInvoicesPage); });
  AddShortcut(QKeySequence(Qt::ALT | Qt::Key_P),
              [this] { ShowTransactionsSubPage(*this, kPayInvoicesPage); });
  AddShortcut(QKeySequence(Qt::Key_F6), [this] { ShowRecurringEntries(); });
  AddShortcut(QKeySequence(Qt::Key_F7), [this] { PostRecurringEntries(); });
  AddShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z), [this] { RemoveOldestYear(); });
  AddShortcut(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_Z), [this] { DeleteAllTransactions(); });
  AddShortcut(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_R), [this] {
    if (program_.current_page() == "TRN") StartOverFromWindow(program_);
  });
  AddShortcut(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_V), [this] { DeleteInactivePayees(); });
}

bool MainWindow::PrintOldEntries(const std::vector<TransactionRecord>& removed) {
  auto* reports = qobject_cast<ReportsPage*>(page("RPT"));
  const ListingBooks books = ListingBooksOf(program_.ledger());
  return reports->PrintDocument(
      [&](PrintJob& job) { return PrintOldEntriesReport(books, job, removed); });
}

void MainWindow::RemoveOldestYear() {
  if (program_.current_page() != "TRN") return;
  RemoveOldestYearFromWindow(program_, [this](const std::vector<TransactionRecord>& removed) {
    return PrintOldEntries(removed);
  });
}

void MainWindow::DeleteAllTransactions() {
  if (program_.current_page() != "TRN") return;
  WindowDisablingPause pause(this);
  DeleteAllTransactionsFromWindow(program_, test_pause_ != nullptr ? *test_pause_ : pause);
}

void MainWindow::DeleteInactivePayees() {
  if (program_.current_page() == "VND") DeleteInactivePayeesFromWindow(program_);
}

void MainWindow::ShowRecurringEntries(bool posted) {
  RecurringEntriesDialog dialog(this, program_);
  dialog.exec();
  // The page on show (a register, say) takes in the lines posted.
  if ((posted || dialog.posted()) && shown_index_ >= 0) pages_[shown_index_]->PageShown();
}

void MainWindow::PostRecurringEntries() {
  RecurringEntriesScreen screen(program_);
  ShowRecurringEntries(PostRecurringEntriesFor(this, program_, screen));
}

void MainWindow::PlaceVersionText(QBoxLayout* status_row) {
  const QMargins margins = layout()->contentsMargins();
  const int tab_row = tabs_->tabBar()->sizeHint().width() + version_label_->sizeHint().width() +
                      margins.left() + margins.right() + kTabRowSlack;
  if (tab_row <= screen()->availableGeometry().width()) {
    tabs_->setCornerWidget(version_label_, Qt::TopRightCorner);
  } else {
    status_row->addWidget(version_label_);
  }
}

void MainWindow::SizeAndPlace() {
  const QFontMetrics metrics(font());
  const QSize units(kWidthUnits * metrics.averageCharWidth() / 4,
                    kHeightUnits * metrics.height() / 8);
  // Wide enough for every tab and the version text beside them, where the
  // screen allows.
  const QMargins margins = layout()->contentsMargins();
  const int corner = tabs_->cornerWidget() != nullptr ? version_label_->sizeHint().width() : 0;
  const QSize tabs(tabs_->tabBar()->sizeHint().width() + corner + margins.left() + margins.right() +
                       kTabRowSlack,
                   0);
  const QRect available = screen()->availableGeometry();
  const QSize size = units.expandedTo(sizeHint()).expandedTo(tabs).boundedTo(available.size());
  resize(size);
  const CompanySettings& settings = program_.ledger().settings();
  const WindowPosition saved{settings.window_left, settings.window_top};
  if (UseSavedPosition(saved, size.width(), size.height(), Screen())) {
    move(saved.left, saved.top);
  }
}

void MainWindow::ReportPagesThatDoNotFit() {
  const int frame = std::max(frameGeometry().height() - geometry().height(),
                             style()->pixelMetric(QStyle::PM_TitleBarHeight));
  const QMargins margins = layout()->contentsMargins();
  const int chrome = frame + margins.top() + margins.bottom() + layout()->spacing() +
                     tabs_->tabBar()->sizeHint().height() + status_line_->sizeHint().height();
  const int page_area = screen()->availableGeometry().height() - chrome;
  std::vector<int> heights;
  for (TabPage* page : pages_) heights.push_back(page->minimumSizeHint().height());
  for (int n = PagesThatDoNotFit(page_area, heights); n > 0; --n) {
    program_.ui().Information(kPagesDoNotFitMessage);
  }
}

void MainWindow::Open() {
  ReportPagesThatDoNotFit();
  RunWindowStartUpImports(program_, *this);
  show();
  const int start = program_.StartPageIndex();
  tabs_->setCurrentIndex(start);
  if (shown_index_ != start) OnPageChanged(start);
  if (program_.ledger().transaction_count() == 0) {
    SetStatusText(FromCp1252(kEmptyLedgerHint));
    program_.help().ShowHelp(kHelpGettingStarted);
  }
  ConfirmCapitalAccountOnOpen(program_, this);
}

void MainWindow::OnPageChanged(int index) {
  if (index < 0 || index >= static_cast<int>(pages_.size())) return;
  shown_index_ = index;
  TabPage* shown = pages_[index];
  SetStatusText(FromCp1252(shown->info().status_caption));
  program_.PageShown(shown->info().code);
  shown->PageShown();
  if (shown->info().code == std::string_view("TRN")) {
    RunTransactionDataTest(program_, [this](const std::vector<TransactionRecord>& removed) {
      return PrintOldEntries(removed);
    });
  }
}

TabPage* MainWindow::page(std::string_view code) const {
  const int index = TabIndexOf(code);
  return index < 0 ? nullptr : pages_[index];
}

void MainWindow::ShowPage(std::string_view code) {
  const int index = TabIndexOf(code);
  if (index >= 0) tabs_->setCurrentIndex(index);
}

void MainWindow::SetStatusText(const QString& text) { status_line_->setText(text); }

void MainWindow::HelpForFocus() {
  int context = HelpContextOf(QApplication::focusWidget());
  // The tab control itself belongs to the page on show.
  if (context == 0 && shown_index_ >= 0) context = pages_[shown_index_]->info().help_context;
  program_.help().ShowHelp(kHelpForControl, context);
}

void MainWindow::ShowCalculator() {
  CalculatorDialog calculator(this, QApplication::focusWidget());
  calculator.exec();
}

void MainWindow::SelectCheckDate() {
  const DayNumber today = program_.clock().Today();
  const DayNumber current = program_.default_check_date().value_or(today);
  CheckDateDialog dialog(this, CheckDateRange(today), current);
  dialog.date_edit()->setDisplayFormat(FromCp1252(program_.date_patterns().numeric));
  const bool chosen = dialog.exec() == QDialog::Accepted;
  SetDefaultCheckDate(program_, chosen ? std::optional<DayNumber>(dialog.day()) : std::nullopt);
  // The open check line shows the new date before the confirmation does.
  if (auto* transactions = qobject_cast<TransactionsPage*>(page("TRN"))) {
    transactions->checks_page()->DefaultCheckDateChanged();
  }
  ConfirmDefaultCheckDate(program_);
}

WindowPosition MainWindow::Position() const { return {pos().x(), pos().y()}; }

ScreenArea MainWindow::Screen() const {
  const QRect area = screen()->geometry();
  return {area.x(), area.y(), area.width(), area.height()};
}

void MainWindow::EndWindow() { close(); }

void MainWindow::closeEvent(QCloseEvent* event) {
  event->accept();
  if (closed_) return;
  closed_ = true;
  program_.MainWindowClosed();
  hide();
  emit Closed();
}

}  // namespace zenkar
