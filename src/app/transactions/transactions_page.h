// The "Transactions" tab: an inner tab control with the entry screens in
// their order -- "Checks and Deposits", "Journal Entries", "Review and Edit
// All Transactions", "Invoices", "Pay Invoices". A sub-page whose screen is
// not built yet stands disabled in its place until its page is set with
// SetSubPage. Alt+C and Alt+J bring the first two forward.
#ifndef ZENKAR_APP_TRANSACTIONS_TRANSACTIONS_PAGE_H_
#define ZENKAR_APP_TRANSACTIONS_TRANSACTIONS_PAGE_H_

#include <QTabWidget>

#include "app/transactions/entry_page.h"
#include "app/transactions/review_page.h"
#include "app/window/tab_page.h"

namespace zenkar {

class InvoicesPage;
class PayInvoicesPage;

// The sub-pages in tab order.
enum TransactionsSubPage {
  kChecksAndDepositsPage = 0,
  kJournalEntriesPage = 1,
  kReviewAllPage = 2,
  kInvoicesPage = 3,
  kPayInvoicesPage = 4,
};

class TransactionsPage : public TabPage {
  Q_OBJECT

 public:
  TransactionsPage(const TabPageInfo& info, PageContext context);
  ~TransactionsPage() override;

  void PageShown() override;

  QTabWidget* sub_tabs() const { return sub_tabs_; }
  EntryPage* checks_page() const { return checks_; }
  EntryPage* journal_page() const { return journal_; }
  ReviewPage* review_page() const { return review_; }
  InvoicesPage* invoices_page() const { return invoices_; }
  PayInvoicesPage* pay_invoices_page() const { return pay_invoices_; }

  // Brings the "Transactions" tab and its sub-page `index` to the front.
  void ShowSubPage(int index);
  // Puts `page` in place of sub-page `index` and enables it (the screens of
  // later features). `on_shown` runs each time it comes to the front.
  void SetSubPage(int index, QWidget* page, std::function<void()> on_shown);

 private:
  void SubPageShown(int index);

  QTabWidget* sub_tabs_ = nullptr;
  EntryPage* checks_ = nullptr;
  EntryPage* journal_ = nullptr;
  ReviewPage* review_ = nullptr;
  InvoicesPage* invoices_ = nullptr;
  PayInvoicesPage* pay_invoices_ = nullptr;
  std::vector<std::function<void()>> on_shown_;
};

// Alt+C, Alt+J, Alt+I, Alt+P: the sub-page of the window's
// "Transactions" tab.
void ShowTransactionsSubPage(MainWindow& window, int index);

}  // namespace zenkar

#endif  // ZENKAR_APP_TRANSACTIONS_TRANSACTIONS_PAGE_H_
