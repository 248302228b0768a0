// Timing of the "Bank Reconciliation" tab on a company with 20,000 bank
// items.
//
// Writes a company whose books hold `items` checks and deposits over one
// year (each its own bank item) and as many journal lines again that do not
// touch the bank, with every tenth item saved as outstanding in KXACCT.REC.
// Then, in a real main window on Qt's offscreen platform, it times bringing
// the tab to the front from another tab (the items built from the
// transaction file, the marks restored, the lists and figures drawn and
// painted at once), the same without widgets (ReconciliationSession::Show),
// ticking one entry (the marks saved, both lists and the figures painted),
// and moving the statement's ending date (the first list filtered again);
// each with the statement period one month and then the whole year.
//
//   bench_reconciliation [items] [repetitions]
#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/reconciliation/reconciliation_page.h"
#include "app/window/main_window.h"
#include "app_bench_support.h"
#include "ledger/reconciliation.h"
#include "platform/text_conversion.h"

namespace zenkar {
namespace {

using bench::Company;
using bench::DefaultChart;
using bench::Fail;
using bench::Figures;
using bench::Print;
using bench::Time;

constexpr int kYear = 2025;

DayNumber DayOfYear(int i, int count) { return *MakeDayNumber(kYear, 1, 1) + i * 364 / count; }

// `items` checks and deposits to income and expense accounts, and as many
// balanced journal lines between two other accounts.
std::string Lines(int items) {
  std::string bytes;
  bytes.reserve(static_cast<size_t>(items) * 2 * TransactionRecord::kSize);
  for (int i = 0; i < items; ++i) {
    TransactionRecord check;
    check.kind = kCheckOrDeposit;
    const bool deposit = i % 5 == 0;
    check.account = deposit ? "510" : "650";
    check.amount = Money::FromCents(deposit ? -(50000 + i % 7000) : 1000 + (i * 37) % 90000);
    check.date = DayOfYear(i, items);
    check.reference = deposit ? "" : std::to_string(10000 + i);
    check.description = (deposit ? "Deposit " : "Payee ") + std::to_string(i % 40 + 1);
    check.entry_sequence = 2 * i + 1;
    check.unprinted = 0;
    bytes += check.Encode();
    TransactionRecord journal = check;
    journal.kind = kJournalLine;
    journal.account = i % 2 ? "720" : "235";
    journal.amount = Money::FromCents(i % 2 ? 2500 : -2500);
    journal.reference = "JE" + std::to_string(i / 2);
    journal.entry_sequence = 2 * i + 2;
    bytes += journal.Encode();
  }
  return bytes;
}

std::string WriteCompany(int items) {
  const std::string folder = bench::CompanyFolder("bench-reconciliation");
  CompanySettings settings;
  NewCompanySettings(settings);
  settings.name_line_1 = "Benchmark Company";
  settings.start_tab = "HLP";
  settings.statement_ending_balance = Money::FromCents(12345678);
  bench::WriteBooks(folder, settings, ChartOfAccounts(DefaultChart()), PayeeList({PayeeRecord()}),
                    Lines(items));
  return folder;
}

// Every tenth item outstanding, saved as the tab saves it.
void MarkOutstanding(Ledger& ledger, int items) {
  ReconciliationBooks books;
  if (!ReadReconciliationBooks(ledger, &books) || static_cast<int>(books.items.size()) != items) {
    Fail("the company does not hold " + std::to_string(items) + " bank items");
  }
  for (size_t i = 0; i < books.items.size(); i += 10) books.items[i].outstanding = 1;
  if (!ledger.SaveReconciliation({}, OutstandingItems(books.items))) Fail("cannot save marks");
}

void Run(Company& company, int items, int repetitions) {
  MainWindow window(company.program);
  company.program.AttachWindow(&window);
  window.Open();
  auto* page = static_cast<ReconciliationPage*>(window.page("REC"));
  window.ShowPage("REC");
  // Ticking and unticking entries of the period, one a repetition.
  const auto tick = [&](int n) {
    QTableView* list = page->period_list();
    page->Toggle(static_cast<ReconciliationListModel*>(list->model()),
                 n % list->model()->rowCount());
    list->viewport()->repaint();
    page->outstanding_list()->viewport()->repaint();
    page->per_reconciliation()->repaint();
  };
  for (const bool whole_year : {false, true}) {
    const DayNumber end = *MakeDayNumber(kYear, 12, 31);
    page->ending_date()->setDate(ToQDate(end));
    page->starting_date()->setDate(
        ToQDate(whole_year ? *MakeDayNumber(kYear, 1, 1) : DefaultStatementStart(end)));
    const int rows = page->period_list()->model()->rowCount();
    const std::string period = whole_year ? "the year (" : "one month (";
    const std::string listed = period + std::to_string(rows) + " entries listed)";
    // From the Help tab, which does no work of its own when it is left.
    const Figures open = Time(
        repetitions,
        [&](int) {
          window.ShowPage("REC");
          page->repaint();
        },
        [&] { window.ShowPage("HLP"); });
    Print("opening the tab, " + listed, open);
    const Figures toggle = Time(repetitions, tick);
    Print("ticking an entry: marks saved, lists and figures painted, " + listed, toggle);
    const Figures move = Time(repetitions, [&](int n) {
      page->ending_date()->setDate(ToQDate(end - n % 2));
      page->period_list()->viewport()->repaint();
    });
    Print("moving the ending date a day, " + listed, move);
  }
  ReconciliationSession session(company.program);
  const Figures show = Time(repetitions, [&](int) {
    if (!session.Show()) Fail("show");
  });
  Print("the same opening without widgets (ReconciliationSession::Show)", show);
  if (company.ui.messages > 0) Fail("the tab reported: " + company.ui.last);
  company.program.AttachWindow(nullptr);
  std::printf("\n%d bank items, %zu outstanding\n", items, session.outstanding_items().size());
}

}  // namespace
}  // namespace zenkar

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const int items = argc > 1 ? std::atoi(argv[1]) : 20000;
  const int repetitions = argc > 2 ? std::atoi(argv[2]) : 21;
  std::printf("%d bank items in %d transactions, %d repetitions\n\n", items, 2 * items,
              repetitions);
  zenkar::bench::PrintTableHead();
  zenkar::Company company(zenkar::WriteCompany(items));
  zenkar::MarkOutstanding(company.program.ledger(), items);
  zenkar::Run(company, items, repetitions);
  return 0;
}
