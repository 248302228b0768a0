// Timing of the "Review and Edit All Transactions" page and of "Find" on a
// generated company of 100,000 transactions.
//
// In a real main window on Qt's offscreen platform it times bringing the
// page to the front from "Checks and Deposits" (the list model reset, the
// last line selected and scrolled into view, the figures and the summary,
// the page painted at once), the first opening of the page in a new window,
// scrolling a screen of lines at a time from the end towards the start
// (each screen painted) and back over the same screens, which must read no
// line again. Then "Find" over the whole file (TransactionSearch over every
// record, the matches gathered last first) for a text that no line holds, one
// line's description, a text of digits (tried against every amount and date)
// and a text held by most lines.
//
//   bench_review [line_count] [repetitions]
#include <QApplication>
#include <QScrollBar>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/transactions/review_page.h"
#include "app/transactions/transactions_page.h"
#include "app/window/main_window.h"
#include "app_bench_support.h"
#include "ledger/transaction_search.h"
#include "tools/generated_company.h"

namespace zenkar {
namespace {

using bench::Company;
using bench::DefaultChart;
using bench::Fail;
using bench::Figures;
using bench::Print;
using bench::Time;

constexpr int kScreens = 20;

std::string WriteCompany(int count) {
  const std::string folder = bench::CompanyFolder("bench-review");
  if (!WriteGeneratedCompany(PosixFileSystem(), folder, DefaultChart(), count).ok()) {
    Fail("cannot write the company");
  }
  return folder;
}

ReviewPage* OpenReview(MainWindow& window) {
  ShowTransactionsSubPage(window, kReviewAllPage);
  auto* transactions = static_cast<TransactionsPage*>(window.page("TRN"));
  ReviewPage* page = transactions->review_page();
  page->repaint();
  return page;
}

void RunWindow(Company& company, int repetitions) {
  const bench::Timer::time_point first_start = bench::Timer::now();
  MainWindow window(company.program);
  company.program.AttachWindow(&window);
  window.Open();
  window.ShowPage("TRN");
  ReviewPage* page = OpenReview(window);
  std::printf("| the first opening in a new window (the window built too) | %.3f ms | | | | |\n",
              bench::Milliseconds(first_start));

  const Figures open = Time(
      repetitions, [&](int) { OpenReview(window); },
      [&] { ShowTransactionsSubPage(window, kChecksAndDepositsPage); });
  Print("bringing the page to the front, the last line selected and painted", open);
  // A page of its own, built anew each time: nothing read yet, as when the
  // window first opens it or after the lines changed.
  const Figures fresh = Time(repetitions, [&](int) {
    ReviewPage fresh_page(company.program, window);
    fresh_page.resize(page->size());
    fresh_page.show();
    fresh_page.Enter();
    QApplication::processEvents();
    fresh_page.repaint();
  });
  Print("a new page over the books: built, shown, the last line selected and painted", fresh);

  // The view lays its rows out, and so sets its scroll bar's range, once
  // the events queued by the model's reset are handled.
  QApplication::processEvents();
  QScrollBar* bar = page->view()->verticalScrollBar();
  if (bar->maximum() < kScreens * bar->pageStep()) Fail("the list cannot be scrolled");
  const int screen = bar->pageStep();
  const int64_t read_before = page->list().lines_read();
  const Figures down = Time(kScreens, [&](int n) {
    bar->setValue(bar->maximum() - (n + 1) * screen);
    page->view()->viewport()->repaint();
  });
  const int64_t read_down = page->list().lines_read() - read_before;
  Print("scrolling a screen towards the start, painted (" + std::to_string(screen) +
            " lines a screen)",
        down);
  const Figures back = Time(kScreens, [&](int n) {
    bar->setValue(bar->maximum() - (kScreens - n - 1) * screen);
    page->view()->viewport()->repaint();
  });
  const int64_t read_back = page->list().lines_read() - read_before - read_down;
  Print("scrolling back over the same screens, painted", back);
  std::printf("\nlines read: %lld scrolling %d screens towards the start, %lld scrolling back\n\n",
              static_cast<long long>(read_down), kScreens, static_cast<long long>(read_back));
  if (read_back != 0) Fail("scrolling back read the file again");
  if (company.ui.messages > 0) Fail("the page reported: " + company.ui.last);
  company.program.AttachWindow(nullptr);
}

void RunFind(Company& company, int repetitions) {
  const Ledger& ledger = company.program.ledger();
  const std::string& pattern = company.program.date_patterns().numeric_short_year;
  bench::PrintTableHead();
  for (const char* text : {"no line holds this", "Generated line 4711", "12.5", "1"}) {
    const TransactionSearch search(text, pattern);
    std::vector<SearchHit> hits;
    const Figures find = Time(repetitions, [&](int) {
      if (!FindTransactions(ledger, search, &hits)) Fail("find");
    });
    Print("Find \"" + std::string(text) + "\" (" + std::to_string(hits.size()) + " matches)", find);
  }
}

}  // namespace
}  // namespace zenkar

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const int count = argc > 1 ? std::atoi(argv[1]) : 100000;
  const int repetitions = argc > 2 ? std::atoi(argv[2]) : 21;
  std::printf("%d transactions, %d repetitions\n\n", count, repetitions);
  zenkar::Company company(zenkar::WriteCompany(count));
  zenkar::bench::PrintTableHead();
  zenkar::RunWindow(company, repetitions);
  zenkar::RunFind(company, repetitions);
  return 0;
}
