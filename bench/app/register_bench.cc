// Timing of the check register and the journal entry page on a generated
// company of 100,000 transactions.
//
// Builds the real main window on Qt's offscreen platform, brings up
// "Checks and Deposits" and "Journal Entries", and times the path a
// bookkeeper waits on after each line: the save (the line appended to
// KXACCT.TRN and posted to its account) followed by the redraw of the
// latest-entries box and the bank balance or "Posting Total:", painted
// synchronously. It also times the same work without widgets
// (EntryRegister), entering each page (which reads the latest entries
// backwards from the end of the file), and entering the journal page of a
// company whose 100,000 lines are all checks, where that read finds nothing
// and falls back to one pass over the whole file.
//
//   bench_register [line_count] [repetitions]
//
// Each figure is the median of its repetitions, with the files in the page
// cache.

#include <QApplication>
#include <QLabel>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/transactions/transactions_page.h"
#include "app/window/main_window.h"
#include "app_bench_support.h"
#include "app_rules/transactions/entry_register.h"
#include "platform/text_conversion.h"
#include "support/bench_support.h"

namespace zenkar {
namespace {

using bench::Company;
using bench::DefaultChart;
using bench::Fail;
using bench::Figures;
using bench::Print;
using bench::Time;

// Lines over five years in date order: with `all_checks` every line is a
// check; otherwise a tenth are unpaid invoices and a third of the rest
// journal lines.
std::string GeneratedLines(int count, const ChartOfAccounts& chart, bool all_checks) {
  std::vector<std::string> accounts;
  for (const AccountRecord& account : chart.accounts()) {
    if (account.IsEntry()) accounts.push_back(account.number);
  }
  uint64_t state = 42;
  auto random = [&](uint64_t range) {
    state = state * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<int64_t>((state >> 33) % range);
  };
  std::string bytes;
  bytes.reserve(static_cast<size_t>(count) * TransactionRecord::kSize);
  const DayNumber first = *MakeDayNumber(2021, 1, 1);
  for (int i = 0; i < count; ++i) {
    TransactionRecord line;
    line.kind = all_checks        ? kCheckOrDeposit
                : random(10) == 0 ? kInvoice
                : random(3) == 0  ? kJournalLine
                                  : kCheckOrDeposit;
    line.account = accounts[random(accounts.size())];
    line.amount = Money::FromCents(random(2000000) - 500000);
    line.date = first + static_cast<DayNumber>(i * 1826LL / count);
    if (line.kind == kInvoice) line.due_date = line.date;
    line.description = "Generated line " + std::to_string(i + 1);
    line.reference = std::to_string(1000 + i % 90000);
    line.payee_number = static_cast<int32_t>(random(41));
    line.unprinted = 0;
    line.entry_sequence = i + 1;
    bytes += line.Encode();
  }
  return bytes;
}

std::string WriteCompany(const std::string& name, int count, bool all_checks) {
  const std::string folder = bench::CompanyFolder(name);
  CompanySettings settings;
  NewCompanySettings(settings);
  settings.name_line_1 = "Benchmark Company";
  settings.date_order = 1;
  settings.next_check = "100001";
  const ChartOfAccounts chart(DefaultChart());
  std::vector<PayeeRecord> payees(40);
  for (int i = 0; i < 40; ++i) payees[i].name = "Payee " + std::to_string(i + 1);
  bench::WriteBooks(folder, settings, chart, PayeeList(payees),
                    GeneratedLines(count, chart, all_checks));
  return folder;
}

// Types one line into the page's fields and reaches the save trigger, then
// paints the box and the figure at once.
void SaveAndRedraw(EntryPage* page, int n) {
  EntryLineForm* form = page->form();
  form->payee()->setEditText(QString("Payee %1").arg(n % 40 + 1));
  form->account()->setText(n % 2 == 0 ? "110" : "720");
  form->amount()->setText(QString::number(n % 500 + 1) + ".25");
  form->findChild<QWidget*>("saveTrigger")->setFocus(Qt::TabFocusReason);
  page->box()->repaint();
  page->figure()->repaint();
}

void RunWindow(Company& company, int repetitions) {
  MainWindow window(company.program);
  company.program.AttachWindow(&window);
  window.Open();
  window.activateWindow();
  for (int i = 0; i < 20 && !window.isActiveWindow(); ++i) {
    QApplication::processEvents(QEventLoop::AllEvents, 50);
  }
  auto* transactions = static_cast<TransactionsPage*>(window.page("TRN"));
  const int start_count = company.program.ledger().transaction_count();

  const Figures enter_checks = Time(repetitions, [&](int) {
    ShowTransactionsSubPage(window, kChecksAndDepositsPage);
    transactions->checks_page()->box()->repaint();
  });
  const Figures save_check =
      Time(repetitions, [&](int n) { SaveAndRedraw(transactions->checks_page(), n); });
  const Figures enter_journal = Time(repetitions, [&](int) {
    ShowTransactionsSubPage(window, kJournalEntriesPage);
    transactions->journal_page()->box()->repaint();
  });
  const Figures save_journal =
      Time(repetitions, [&](int n) { SaveAndRedraw(transactions->journal_page(), n); });
  if (company.program.ledger().transaction_count() != start_count + 2 * repetitions ||
      company.ui.messages > 0) {
    Fail("the lines were not all saved: " + company.ui.last);
  }
  Print("entering \"Checks and Deposits\" (box read backwards, painted)", enter_checks);
  Print("check line: save, box and bank balance painted", save_check);
  Print("entering \"Journal Entries\"", enter_journal);
  Print("journal line: save, box and \"Posting Total:\" painted", save_journal);
  company.program.AttachWindow(nullptr);
}

void RunCore(Company& company, int repetitions) {
  EntryRegister checks(company.program, kCheckOrDeposit);
  checks.Enter();
  const Figures save = Time(repetitions, [&](int n) {
    EntryLine line = checks.NewLine();
    line.payee = "Payee 3";
    line.account = "720";
    line.amount = std::to_string(n % 500 + 1);
    if (checks.SaveLine(line) == 0) Fail("save");
    volatile size_t drawn = checks.LatestTexts().size();
    (void)drawn;
    volatile int64_t balance = checks.BankBalance().raw();
    (void)balance;
  });
  Print("the same without widgets (EntryRegister: save, box texts, balance)", save);
  const Figures guard = Time(repetitions, [&](int) {
    if (!checks.EntryToEdit(0)) Fail("guard");
  });
  Print("left click on an entry: the checked-out guard (every line read for its mark)", guard);
}

void RunWorstEnter(int count, int repetitions) {
  Company all_checks(WriteCompany("bench-register-checks", count, true));
  EntryRegister journal(all_checks.program, kJournalLine);
  const Figures enter = Time(std::min(repetitions, 9), [&](int) { journal.RefreshLatest(); });
  Print("entering \"Journal Entries\" on " + std::to_string(count) +
            " checks and no journal line (1,000 lines backwards, then the file in blocks)",
        enter);
}

}  // namespace
}  // namespace zenkar

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const int count = argc > 1 ? std::atoi(argv[1]) : 100000;
  const int repetitions = argc > 2 ? std::atoi(argv[2]) : 101;
  std::printf("%d transactions, %d repetitions\n\n", count, repetitions);
  zenkar::bench::PrintTableHead();
  {
    zenkar::Company company(zenkar::WriteCompany("bench-register", count, false));
    zenkar::RunWindow(company, repetitions);
    zenkar::RunCore(company, repetitions);
  }
  zenkar::RunWorstEnter(count, repetitions);
  return 0;
}
