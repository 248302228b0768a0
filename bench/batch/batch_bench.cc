// kxbatch against hledger and ledger-cli on the same books.
//
// Makes a company with `kxbatch new`, writes a generated year-spread ledger
// of `line_count` transaction lines into it (checks to expense accounts,
// deposits to income accounts, two-line journal entries, unpaid invoices, in
// date order over 2022-2025) with the posted totals they make, checks the
// books with `kxbatch test`, and exports the journal with `kxbatch export-journal`. Then, side by
// side in one run, each command is started as its own process (start-up included) `repetitions`
// times:
//   kxbatch report "Income Statement" --month 2025-06 --pdf   hledger -f J incomestatement -p
//   2025-06 kxbatch report "Balance Sheet" --month 2025-12 --pdf      hledger -f J balancesheet
//                                                              ledger -f J balance
// and the three charts (the year's months, the year's bank balance, the ages
// at its end) to PDF (the peers at most three times) and the median wall and CPU times and the
// largest peak resident memory are printed.
//
//   bench_batch [line_count] [repetitions] [--keep]
//
// With --keep the books and the journal stay in the temporary folder (for a
// profiler), and the folder is printed.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "common/file_system.h"
#include "ledger/bookkeeping.h"
#include "ledger/chart_of_accounts.h"
#include "ledger/transaction_record.h"

namespace zenkar {
namespace {

struct Measure {
  double median_ms = 0;  // wall time, start-up included
  double cpu_ms = 0;     // user and system time: what a busy machine does not inflate
  double peak_mib = 0;
  int status = 0;
};

[[noreturn]] void Fail(const std::string& what) {
  std::fprintf(stderr, "bench_batch: %s\n", what.c_str());
  std::exit(1);
}

// Runs `args` with its output discarded; wall time, peak memory and status.
Measure RunOnce(const std::vector<std::string>& args) {
  std::vector<char*> argv;
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  const auto start = std::chrono::steady_clock::now();
  const pid_t pid = fork();
  if (pid == 0) {
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, STDOUT_FILENO);
    dup2(null, STDERR_FILENO);
    execvp(argv[0], argv.data());
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  if (pid < 0 || wait4(pid, &status, 0, &usage) != pid) Fail("cannot run " + args[0]);
  Measure measure;
  measure.median_ms =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  measure.cpu_ms = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
                   (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
  measure.peak_mib = usage.ru_maxrss / 1024.0;
  measure.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return measure;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// One warm-up run, then the median times and the largest peak of `runs`.
Measure Time(const std::vector<std::string>& args, int runs) {
  RunOnce(args);
  std::vector<double> times, cpu;
  Measure result;
  for (int i = 0; i < runs; ++i) {
    const Measure once = RunOnce(args);
    times.push_back(once.median_ms);
    cpu.push_back(once.cpu_ms);
    result.peak_mib = std::max(result.peak_mib, once.peak_mib);
    result.status = std::max(result.status, once.status);
  }
  result.median_ms = Median(times);
  result.cpu_ms = Median(cpu);
  return result;
}

bool HaveTool(const std::string& program) {
  return std::system(("command -v " + program + " >/dev/null 2>&1").c_str()) == 0;
}

// The entry accounts of the chart by the kind of line that uses them.
struct Accounts {
  std::vector<std::string> expenses, income, all;
};

Accounts AccountsOf(const ChartOfAccounts& chart, const std::string& bank) {
  Accounts accounts;
  for (const AccountRecord& account : chart.accounts()) {
    if (!account.IsEntry() || account.number == bank) continue;
    accounts.all.push_back(account.number);
    if (account.type == kIncome) accounts.income.push_back(account.number);
    if (account.type % 2 == 0 && account.type > kIncome)
      accounts.expenses.push_back(account.number);
  }
  return accounts;
}

class LineWriter {
 public:
  LineWriter(int count, Accounts accounts) : count_(count), accounts_(std::move(accounts)) {}

  std::string Write() {
    bytes_.reserve(static_cast<size_t>(count_) * TransactionRecord::kSize);
    const DayNumber first = *MakeDayNumber(2022, 1, 1);
    const DayNumber days = *MakeDayNumber(2025, 12, 31) - first + 1;
    while (written_ < count_) {
      const DayNumber date = first + static_cast<DayNumber>(int64_t{written_} * days / count_);
      const int64_t kind = Random(100);
      if (kind < 55) {
        Add(kCheckOrDeposit, Pick(accounts_.expenses), Random(200000) + 1000, date, "");
      } else if (kind < 75) {
        Add(kCheckOrDeposit, Pick(accounts_.income), -(Random(1000000) + 10000), date, "");
      } else if (kind < 95 && written_ + 2 <= count_) {
        const int64_t amount = Random(500000) + 100;
        const std::string reference = "JE" + std::to_string(written_);
        Add(kJournalLine, Pick(accounts_.all), amount, date, reference);
        Add(kJournalLine, Pick(accounts_.all), -amount, date, reference);
      } else {
        Add(kInvoice, Pick(accounts_.expenses), Random(300000) + 1000, date, "");
      }
    }
    return std::move(bytes_);
  }

 private:
  int64_t Random(uint64_t range) {
    state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<int64_t>((state_ >> 33) % range);
  }
  const std::string& Pick(const std::vector<std::string>& from) {
    return from[Random(from.size())];
  }

  void Add(int32_t kind, const std::string& account, int64_t cents, DayNumber date,
           const std::string& reference) {
    if (written_ >= count_) return;
    TransactionRecord line;
    line.kind = kind;
    line.account = account;
    line.amount = Money::FromCents(cents);
    line.date = date;
    line.description = "Payee " + std::to_string(1 + Random(60));
    line.reference = reference.empty() ? std::to_string(1000 + written_ % 90000) : reference;
    if (kind == kInvoice) {
      line.reference.clear();
      line.invoice_number = "INV" + std::to_string(written_);
      line.due_date = date + 30;
    }
    line.entry_sequence = ++written_;
    bytes_ += line.Encode();
  }

  int count_;
  Accounts accounts_;
  uint64_t state_ = 7;
  int written_ = 0;
  std::string bytes_;
};

void MakeCompany(const std::string& kxbatch, const std::string& folder, int count) {
  if (RunOnce({kxbatch, "--folder", folder, "new", "--name", "Benchmark Company"}).status != 0) {
    Fail("kxbatch new failed");
  }
  FileSystem& fs = PosixFileSystem();
  std::string chart;
  if (!fs.ReadFile(folder + "KXACCT.COA", &chart).ok()) Fail("no chart");
  ChartOfAccounts accounts = ChartOfAccounts::Decode(chart);
  const std::string lines = LineWriter(count, AccountsOf(accounts, "110 ")).Write();
  // The posted totals the lines make, as every program that writes lines
  // keeps them (kxbatch's reading commands would only report them).
  for (size_t at = 0; at < lines.size(); at += TransactionRecord::kSize) {
    const TransactionRecord line =
        TransactionRecord::Decode(std::string_view(lines).substr(at, TransactionRecord::kSize));
    accounts.mutable_account(accounts.FindAccount(line.account)).posted_total += PostedAmount(line);
  }
  if (!WriteFileAtomically(fs, folder + "KXACCT.TRN", lines).ok()) Fail("cannot write lines");
  if (!WriteFileAtomically(fs, folder + "KXACCT.COA", accounts.Encode()).ok()) {
    Fail("cannot write the chart");
  }
  if (RunOnce({kxbatch, "--folder", folder, "test"}).status != 0) Fail("books not consistent");
}

void Print(const char* what, const Measure& measure) {
  std::printf("| %-58s | %9.1f ms | %9.1f ms | %7.1f MiB |%s\n", what, measure.median_ms,
              measure.cpu_ms, measure.peak_mib, measure.status == 0 ? "" : " (exit status not 0)");
}

void Ratio(const char* what, const Measure& ours, const Measure& theirs) {
  std::printf("%-52s wall %7.1f x, CPU %7.1f x\n", what, theirs.median_ms / ours.median_ms,
              theirs.cpu_ms / ours.cpu_ms);
}

void Run(int count, int runs, bool keep) {
  const std::string kxbatch = ZENKAR_KXBATCH_PROGRAM;
  const std::string root =
      (std::filesystem::temp_directory_path() / ("bench-batch-" + std::to_string(getpid())))
          .string() +
      "/";
  std::filesystem::create_directories(root);
  const std::string folder = root + "company/";
  MakeCompany(kxbatch, folder, count);
  const std::string journal = root + "books.journal";
  const Measure exported = Time({kxbatch, "--folder", folder, "export-journal", journal}, 1);
  std::printf("%d transaction lines, journal of %ju bytes\n\n", count,
              static_cast<uintmax_t>(std::filesystem::file_size(journal)));

  const std::string pdf = root + "report.pdf";
  const Measure income = Time({kxbatch, "--folder", folder, "report", "Income Statement", "--month",
                               "2025-06", "--pdf", pdf},
                              runs);
  const Measure balance = Time(
      {kxbatch, "--folder", folder, "report", "Balance Sheet", "--month", "2025-12", "--pdf", pdf},
      runs);
  const Measure months = Time({kxbatch, "--folder", folder, "report",
                               "Income and Expenses by Month", "--month", "2025-12", "--pdf", pdf},
                              runs);
  const Measure bank = Time({kxbatch, "--folder", folder, "report", "Bank Balance", "--from",
                             "2025-01-01", "--to", "2025-12-31", "--pdf", pdf},
                            runs);
  const Measure ages = Time({kxbatch, "--folder", folder, "report", "Unpaid Invoices by Age",
                             "--date", "2025-12-31", "--pdf", pdf},
                            runs);
  const Measure where = Time({kxbatch, "--folder", folder, "where"}, runs);
  const Measure help = Time({kxbatch, "--help"}, runs);
  // The peers take seconds a run: at most three runs each.
  const int peer_runs = std::min(runs, 3);
  const bool hledger = HaveTool("hledger");
  const bool ledger = HaveTool("ledger");
  Measure hledger_is, hledger_bs, ledger_balance;
  if (hledger) {
    hledger_is = Time({"hledger", "-f", journal, "incomestatement", "-p", "2025-06"}, peer_runs);
    hledger_bs = Time({"hledger", "-f", journal, "balancesheet"}, peer_runs);
  }
  if (ledger) ledger_balance = Time({"ledger", "-f", journal, "balance"}, peer_runs);

  std::printf("| Command | Wall (median) | CPU (median) | Peak memory |\n|---|---|---|---|\n");
  Print("kxbatch report \"Income Statement\" --month 2025-06 --pdf", income);
  Print("kxbatch report \"Balance Sheet\" --month 2025-12 --pdf", balance);
  Print("kxbatch report \"Income and Expenses by Month\" --month 2025-12 --pdf", months);
  Print("kxbatch report \"Bank Balance\" (the year 2025) --pdf", bank);
  Print("kxbatch report \"Unpaid Invoices by Age\" --date 2025-12-31 --pdf", ages);
  Print("kxbatch where (load only)", where);
  Print("kxbatch --help (start-up only)", help);
  Print("kxbatch export-journal (one run)", exported);
  if (hledger) Print("hledger -f J incomestatement -p 2025-06", hledger_is);
  if (hledger) Print("hledger -f J balancesheet", hledger_bs);
  if (ledger) Print("ledger -f J balance", ledger_balance);
  std::printf("\n");
  if (hledger) Ratio("hledger incomestatement / kxbatch income statement:", income, hledger_is);
  if (hledger) Ratio("hledger balancesheet / kxbatch balance sheet:", balance, hledger_bs);
  if (ledger) Ratio("ledger balance / kxbatch income statement:", income, ledger_balance);
  if (ledger) Ratio("ledger balance / kxbatch balance sheet:", balance, ledger_balance);
  if (keep) {
    std::printf("\nBooks kept in %s\n", root.c_str());
  } else {
    std::filesystem::remove_all(root);
  }
}

}  // namespace
}  // namespace zenkar

int main(int argc, char** argv) {
  const int count = argc > 1 ? std::atoi(argv[1]) : 100000;
  const int runs = argc > 2 ? std::atoi(argv[2]) : 5;
  const bool keep = argc > 3 && std::string(argv[3]) == "--keep";
  if (count <= 0 || runs <= 0 || (argc > 3 && !keep)) {
    std::fprintf(stderr, "usage: bench_batch [line_count] [repetitions] [--keep]\n");
    return 2;
  }
  zenkar::Run(count, runs, keep);
  return 0;
}
