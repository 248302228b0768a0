// Timing of the financial statements on a generated company of 100,000
// transactions.
//
// Writes a company (the default chart with balanced opening balances, and
// five years of checks, deposits, balanced journal entries and unpaid
// invoices under accrual accounting) into a temporary folder, opens it
// through the Ledger and times, each to a PDF file:
//   - a monthly income statement of the last year, with percentages and the
//     prior year's percentages;
//   - the balance sheet at the end of that month;
// and, to show where the time goes, the reading of the lines alone (one pass
// over the transaction file), the figures of both statements from that
// reading, and the writing of each statement's pages.
//
//   bench_statements [line_count] [repetitions]
//
// Each figure is the median of its repetitions, with the files in the page
// cache; a statement's figure covers the whole report from the date checks
// to the finished PDF flushed to disk and renamed into place.
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/clock.h"
#include "common/date_patterns.h"
#include "common/file_system.h"
#include "common/shell.h"
#include "common/ui.h"
#include "ledger/chart_text.h"
#include "ledger/ledger.h"
#include "output/financial_statements.h"
#include "support/bench_support.h"

namespace zenkar {
namespace {

using bench::Median;
using bench::Milliseconds;
using bench::NoShell;
using bench::ProcessorMilliseconds;
using bench::SilentUi;
using bench::Timer;

constexpr int kLastYear = 2025;
constexpr int kMonth = 6;

// Medians of the elapsed and of the processor time of `step`.
struct Timing {
  double elapsed = 0;
  double cpu = 0;
};

Timing Time(int repetitions, const std::function<void()>& step) {
  std::vector<double> elapsed;
  std::vector<double> cpu;
  for (int i = 0; i < repetitions; ++i) {
    const double cpu_start = ProcessorMilliseconds();
    const Timer::time_point start = Timer::now();
    step();
    elapsed.push_back(Milliseconds(start));
    cpu.push_back(ProcessorMilliseconds() - cpu_start);
  }
  return {Median(elapsed), Median(cpu)};
}

[[noreturn]] void Fail(const std::string& what) {
  std::fprintf(stderr, "bench_statements: %s\n", what.c_str());
  std::exit(1);
}

class Generator {
 public:
  explicit Generator(const ChartOfAccounts& chart) {
    for (const AccountRecord& account : chart.accounts()) {
      if (account.IsEntry() && account.number != AccountKey("110")) {
        accounts_.push_back(account.number);
      }
    }
  }

  // Lines spread evenly over five years, in date order as the file is kept.
  std::string Lines(int count) {
    std::string bytes;
    bytes.reserve(static_cast<size_t>(count) * TransactionRecord::kSize);
    const DayNumber first = *MakeDayNumber(kLastYear - 4, 1, 1);
    for (int i = 0; i < count; ++i) {
      const DayNumber day = first + static_cast<DayNumber>(i * 1826LL / count);
      TransactionRecord line = Base(i, day);
      const int kind = static_cast<int>(Random(10));
      if (kind == 0 && i + 1 < count) {
        // A journal entry: this line and its counterpart on the same day.
        line.kind = kJournalLine;
        bytes += line.Encode();
        line.account = AnyAccount();
        line.amount = -line.amount;
        line.entry_sequence = ++i + 1;
      } else if (kind == 1) {
        line.kind = kInvoice;
        line.invoice_date_2 = day;
        line.due_date = day + 30;
        line.date = kNoDate;
      }
      bytes += line.Encode();
    }
    return bytes;
  }

 private:
  int64_t Random(uint64_t range) {
    state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<int64_t>((state_ >> 33) % range);
  }
  const std::string& AnyAccount() { return accounts_[Random(accounts_.size())]; }

  TransactionRecord Base(int i, DayNumber day) {
    TransactionRecord line;
    line.kind = kCheckOrDeposit;
    line.account = AnyAccount();
    line.amount = Money::FromCents(Random(2000000) - 500000);
    line.date = day;
    line.description = "Generated line " + std::to_string(i + 1);
    line.reference = std::to_string(1000 + i % 90000);
    line.unprinted = 0;
    line.entry_sequence = i + 1;
    return line;
  }

  std::vector<std::string> accounts_;
  uint64_t state_ = 42;
};

std::vector<AccountRecord> DefaultChart() {
  std::string text;
  std::vector<AccountRecord> accounts;
  if (!PosixFileSystem().ReadFile(ZENKAR_DEFAULT_CHART_TEXT, &text).ok() ||
      !ParseChartText(text, &accounts).ok()) {
    Fail("cannot read the default chart");
  }
  // Opening balances that sum to zero.
  for (AccountRecord& account : accounts) {
    if (account.number == AccountKey("110")) account.balance_forward = Money::FromUnits(25000);
    if (account.number == AccountKey("310")) account.balance_forward = Money::FromUnits(-25000);
  }
  return accounts;
}

void WriteCompany(const std::string& folder, int count) {
  FileSystem& fs = PosixFileSystem();
  CompanySettings settings;
  NewCompanySettings(settings);
  settings.name_line_1 = "Benchmark Company";
  settings.date_order = 1;
  settings.accrual_accounting = 1;
  const ChartOfAccounts chart(DefaultChart());
  if (!WriteFileAtomically(fs, folder + "KXACCT.CFG", settings.Encode()).ok() ||
      !WriteFileAtomically(fs, folder + "KXACCT.COA", chart.Encode()).ok() ||
      !WriteFileAtomically(fs, folder + "KXACCT.VND", "").ok() ||
      !WriteFileAtomically(fs, folder + "KXACCT.TRN", Generator(chart).Lines(count)).ok()) {
    Fail("cannot write the company");
  }
}

void Run(int count, int repetitions) {
  FileSystem& fs = PosixFileSystem();
  const std::string folder =
      (std::filesystem::temp_directory_path() / ("bench-statements-" + std::to_string(::getpid())))
          .string() +
      "/";
  std::filesystem::create_directories(folder);
  WriteCompany(folder, count);

  SilentUi ui;
  Ledger ledger(fs, ui, SystemClock());
  ledger.SetDataFolder(folder);
  // The first load computes the posted totals of the generated lines.
  if (!ledger.OpenDataFolder()) Fail("first open: " + ui.last);
  ledger.Close();
  ui.messages = 0;
  if (!ledger.OpenDataFolder() || ui.messages > 0) Fail("open: " + ui.last);
  NoShell shell;
  const DatePatterns dates = DeriveDatePatterns("11/22/3344");
  OutputServices services{fs, ui, SystemClock(), shell, dates, nullptr, nullptr, folder, {}};
  const ReportPeriod period = MonthPeriod(kLastYear, kMonth);
  const StatementBooks books = BooksOf(ledger);
  const ReportOptions options;

  auto whole = [&](auto print) {
    return Time(repetitions, [&] {
      PrintJob job(services, OutputTarget::kPdf);
      if (!print(books, job, period, options) || ui.messages > 0) Fail("statement: " + ui.last);
    });
  };
  const Timing income = whole(PrintIncomeStatement);
  const Timing balance = whole(PrintBalanceSheet);

  const StatementWindow window = StatementWindowOf(period, books.settings.fiscal_start_month);
  StatementScan scan;
  const Timing reading_income = Time(repetitions, [&] {
    if (!ScanStatementLines(books.lines, books.chart, books.settings, window, &scan,
                            ScanScope::kIncomeStatement)) {
      Fail("scan");
    }
  });
  const Timing reading = Time(repetitions, [&] {
    if (!ScanStatementLines(books.lines, books.chart, books.settings, window, &scan)) Fail("scan");
  });
  IncomeStatement statement;
  BalanceSheet sheet;
  const Timing figures = Time(repetitions, [&] {
    statement = ComputeIncomeStatement(books.chart, scan, window, {});
    sheet = ComputeBalanceSheet(books.chart, scan, window, books.settings, false);
  });
  if (!statement.prior_year) Fail("the income statement has no prior year");
  const HeadingFacts facts = HeadingFactsOf(SystemClock(), dates);
  auto pages = [&](const StatementDocument& document) {
    return Time(repetitions, [&] {
      PrintJob job(services, OutputTarget::kPdf);
      if (!WriteStatement(job, document)) Fail("write: " + ui.last);
    });
  };
  const StatementDocument income_document =
      IncomeStatementDocument(statement, books.settings, facts);
  const StatementDocument balance_document = BalanceSheetDocument(sheet, books.settings, facts);
  const Timing income_pages = pages(income_document);
  const Timing balance_pages = pages(balance_document);
  auto page_count = [](const StatementDocument& document) {
    return Paginate(document.lines, LinesPerPage(document.base_lines_per_page, 1, 0)).size();
  };

  std::filesystem::remove_all(folder);

  std::printf("Statements benchmark: %d lines, month %d of %d, median of %d (elapsed, processor)\n",
              ledger.transaction_count(), kMonth, kLastYear, repetitions);
  auto row = [](const char* what, const Timing& t) {
    std::printf("  %-58s %8.2f ms %8.2f ms\n", what, t.elapsed, t.cpu);
  };
  row("income statement (month, prior-year percentages) to PDF", income);
  row("balance sheet (end of the month) to PDF", balance);
  row("  reading the lines for the income statement", reading_income);
  row("  reading the lines for the balance sheet", reading);
  row("  the figures of both statements from that reading", figures);
  row("  writing the income statement's pages", income_pages);
  row("  writing the balance sheet's pages", balance_pages);
  std::printf("  pages: income statement %zu, balance sheet %zu\n", page_count(income_document),
              page_count(balance_document));
}

}  // namespace
}  // namespace zenkar

int main(int argc, char** argv) {
  const int count = argc > 1 ? std::atoi(argv[1]) : 100000;
  const int repetitions = argc > 2 ? std::atoi(argv[2]) : 11;
  zenkar::Run(count, repetitions);
  return 0;
}
