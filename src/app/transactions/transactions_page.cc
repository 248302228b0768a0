#include "app/transactions/transactions_page.h"

#include <QVBoxLayout>

#include "app/transactions/import_buttons.h"
#include "app/transactions/invoices_page.h"
#include "app/transactions/pay_invoices_page.h"
#include "app/transactions/quick_check_dialog.h"
#include "app/window/main_window.h"

namespace zenkar {
namespace {

constexpr const char* kSubPageCaptions[] = {"Checks and Deposits", "Journal Entries",
                                            "Review and Edit All Transactions", "Invoices",
                                            "Pay Invoices"};

}  // namespace

TransactionsPage::TransactionsPage(const TabPageInfo& info, PageContext context)
    : TabPage(info, context) {
  sub_tabs_ = new QTabWidget;
  sub_tabs_->setObjectName("subTabs");
  checks_ = new EntryPage(program(), window(), kCheckOrDeposit);
  journal_ = new EntryPage(program(), window(), kJournalLine);
  AddImportButtons(program(), window(), *checks_, *journal_);
  sub_tabs_->addTab(checks_, kSubPageCaptions[kChecksAndDepositsPage]);
  sub_tabs_->addTab(journal_, kSubPageCaptions[kJournalEntriesPage]);
  on_shown_ = {[this] { checks_->Enter(); }, [this] { journal_->Enter(); }};
  auto* quick_check = new QPushButton("Print a Check (Quick Check)");
  quick_check->setObjectName("quickCheckButton");
  quick_check->setFocusPolicy(Qt::ClickFocus);
  connect(quick_check, &QPushButton::clicked, this, [this] { RunQuickCheck(program(), window()); });
  checks_->AddButton(quick_check);
  // The later screens keep their places in the order, disabled until built.
  for (int index = kReviewAllPage; index <= kPayInvoicesPage; ++index) {
    sub_tabs_->addTab(new QWidget, kSubPageCaptions[index]);
    sub_tabs_->setTabEnabled(index, false);
    on_shown_.emplace_back();
  }
  review_ = new ReviewPage(program(), window());
  SetSubPage(kReviewAllPage, review_, [this] { review_->Enter(); });
  invoices_ = new InvoicesPage(program(), window());
  SetSubPage(kInvoicesPage, invoices_, [this] { invoices_->Enter(); });
  pay_invoices_ = new PayInvoicesPage(program(), window());
  SetSubPage(kPayInvoicesPage, pay_invoices_, [this] { pay_invoices_->Enter(); });
  connect(sub_tabs_, &QTabWidget::currentChanged, this, [this](int index) {
    if (isVisible()) SubPageShown(index);
  });
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(sub_tabs_);
}

// The inner tab control reports page changes while Qt deletes its pages; by
// then this page's own members are gone.
TransactionsPage::~TransactionsPage() { disconnect(sub_tabs_, nullptr, this, nullptr); }

void TransactionsPage::PageShown() { SubPageShown(sub_tabs_->currentIndex()); }

void TransactionsPage::SubPageShown(int index) {
  if (index >= 0 && index < static_cast<int>(on_shown_.size()) && on_shown_[index]) {
    on_shown_[index]();
  }
}

void TransactionsPage::ShowSubPage(int index) {
  if (!sub_tabs_->isTabEnabled(index)) return;
  if (!isVisible()) {
    sub_tabs_->setCurrentIndex(index);
    window().ShowPage(info().code);  // shows the sub-page as the tab comes forward
  } else if (sub_tabs_->currentIndex() != index) {
    sub_tabs_->setCurrentIndex(index);
  } else {
    SubPageShown(index);
  }
}

void TransactionsPage::SetSubPage(int index, QWidget* page, std::function<void()> on_shown) {
  QWidget* old = sub_tabs_->widget(index);
  const bool current = sub_tabs_->currentIndex() == index;
  sub_tabs_->removeTab(index);
  sub_tabs_->insertTab(index, page, kSubPageCaptions[index]);
  sub_tabs_->setTabEnabled(index, true);
  delete old;
  on_shown_[index] = std::move(on_shown);
  if (current) sub_tabs_->setCurrentIndex(index);
}

void ShowTransactionsSubPage(MainWindow& window, int index) {
  if (auto* page = qobject_cast<TransactionsPage*>(window.page("TRN"))) page->ShowSubPage(index);
}

}  // namespace zenkar
