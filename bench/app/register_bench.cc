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
#include <time.h>
#include <unistd.h>

#include <QApplication>
#include <QLabel>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/transactions/transactions_page.h"
#include "app/window/main_window.h"
#include "app_rules/transactions/entry_register.h"
#include "common/file_system.h"
#include "ledger/chart_text.h"
#include "platform/text_conversion.h"
#include "support/bench_support.h"

namespace zenkar {
namespace {

using bench::Milliseconds;
using bench::NoShell;
using bench::ProcessorMilliseconds;
using bench::SilentUi;
using bench::Timer;

class NoSecret : public SecretInput {
 public:
  std::optional<std::string> AskSecret(std::string_view, std::string_view) override {
    return std::nullopt;
  }
};

class NoHelp : public HelpViewer {
 public:
  bool ShowPage(const HelpCatalog&, const std::string&, Pane) override { return false; }
  void Close() override {}
};

void Fail(const std::string& what) {
  std::fprintf(stderr, "bench_register: %s\n", what.c_str());
  std::exit(1);
}

struct Figures {
  double median = 0;
  double p95 = 0;
  double worst = 0;
  double cpu_median = 0;
  double cpu_p95 = 0;
};

void Print(const std::string& step, const Figures& figures) {
  std::printf("| %s | %.3f ms | %.3f ms | %.3f ms | %.3f ms | %.3f ms |\n", step.c_str(),
              figures.median, figures.p95, figures.worst, figures.cpu_median, figures.cpu_p95);
}

Figures Time(int repetitions, const std::function<void(int)>& step) {
  std::vector<double> times, cpu;
  for (int i = 0; i < repetitions; ++i) {
    const double cpu_start = ProcessorMilliseconds();
    const Timer::time_point start = Timer::now();
    step(i);
    times.push_back(Milliseconds(start));
    cpu.push_back(ProcessorMilliseconds() - cpu_start);
  }
  std::sort(times.begin(), times.end());
  std::sort(cpu.begin(), cpu.end());
  const size_t p95 = times.size() * 95 / 100;
  return {times[times.size() / 2], times[p95], times.back(), cpu[cpu.size() / 2], cpu[p95]};
}

std::vector<AccountRecord> DefaultChart() {
  std::string text;
  std::vector<AccountRecord> accounts;
  if (!PosixFileSystem().ReadFile(ZENKAR_DEFAULT_CHART_TEXT, &text).ok() ||
      !ParseChartText(text, &accounts).ok()) {
    Fail("cannot read the default chart");
  }
  return accounts;
}

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
  const std::string folder =
      (std::filesystem::temp_directory_path() / (name + "-" + std::to_string(::getpid())))
          .string() +
      "/";
  std::filesystem::create_directories(folder);
  FileSystem& fs = PosixFileSystem();
  CompanySettings settings;
  NewCompanySettings(settings);
  settings.name_line_1 = "Benchmark Company";
  settings.date_order = 1;
  settings.next_check = "100001";
  const ChartOfAccounts chart(DefaultChart());
  std::vector<PayeeRecord> payees(40);
  for (int i = 0; i < 40; ++i) payees[i].name = "Payee " + std::to_string(i + 1);
  if (!WriteFileAtomically(fs, folder + "KXACCT.CFG", settings.Encode()).ok() ||
      !WriteFileAtomically(fs, folder + "KXACCT.COA", chart.Encode()).ok() ||
      !WriteFileAtomically(fs, folder + "KXACCT.VND", PayeeList(payees).Encode()).ok() ||
      !WriteFileAtomically(fs, folder + "KXACCT.TRN", GeneratedLines(count, chart, all_checks))
           .ok()) {
    Fail("cannot write the company");
  }
  return folder;
}

// One loaded company with its program.
struct Company {
  explicit Company(const std::string& data_folder) : folder(data_folder) {
    program.ledger().SetDataFolder(folder);
    // The generated chart carries no posted totals: the load's consistency
    // pass works them out and says so, which is expected here.
    if (!program.PrepareMainWindow()) Fail("open: " + ui.last);
    ui.messages = 0;
  }
  ~Company() {
    program.Shutdown();
    std::filesystem::remove_all(folder);
  }

  std::string folder;
  SilentUi ui;
  NoShell shell;
  NoSecret secret;
  NoHelp help;
  Program program{
      ProgramPorts{PosixFileSystem(), ui, shell, SystemClock(), secret, help, PasswordDatabase()},
      Installation{folder, folder, true}, WebSite{"localhost", "", "", "00000000"},
      DeriveDatePatterns("11/22/44")};
};

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
  std::printf(
      "%d transactions, %d repetitions\n\n| Step | Median | 95th percentile | Worst | "
      "Processor, median | Processor, 95th percentile |\n|---|---|---|---|---|---|\n",
      count, repetitions);
  {
    zenkar::Company company(zenkar::WriteCompany("bench-register", count, false));
    zenkar::RunWindow(company, repetitions);
    zenkar::RunCore(company, repetitions);
  }
  zenkar::RunWorstEnter(count, repetitions);
  return 0;
}
