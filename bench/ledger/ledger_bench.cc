// Timing of the ledger on a generated company of 100,000 transactions.
//
// Writes the generated company of tools/generated_company.h (the default
// chart, 40 payees, 100,000 lines over five years entered out of date order)
// into a temporary folder and times:
//   - opening it (settings, sort check, chart, payees, consistency pass)
//     with the file already in date order, and when it must be sorted first;
//   - appending one line;
//   - deleting one line (an atomic rewrite of the whole file);
// against reading the transaction file whole (`cat FILE > /dev/null`, and a
// plain read into one buffer) and against writing a file of the same size to
// a temporary file, flushing it and renaming it into place.
//
//   bench_ledger [line_count] [repetitions]
//
// Each figure is the median of its repetitions, with the files in the page
// cache.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/clock.h"
#include "common/file_system.h"
#include "common/text_field.h"
#include "common/ui.h"
#include "ledger/ledger.h"
#include "support/bench_support.h"
#include "tools/generated_company.h"

namespace zenkar {
namespace {

using bench::Median;
using bench::Milliseconds;
using bench::SilentUi;
using bench::Timer;

// Times `step` `repetitions` times, running `prepare` (untimed) before each.
double Time(
    int repetitions, const std::function<void()>& step,
    const std::function<void()>& prepare = [] {}) {
  std::vector<double> times;
  for (int i = 0; i < repetitions; ++i) {
    prepare();
    const Timer::time_point start = Timer::now();
    step();
    times.push_back(Milliseconds(start));
  }
  return Median(times);
}

void Fail(const std::string& what) {
  std::fprintf(stderr, "bench_ledger: %s\n", what.c_str());
  std::exit(1);
}

void WriteCompany(const std::string& folder, int count) {
  FileSystem& fs = PosixFileSystem();
  std::vector<AccountRecord> chart;
  if (!ReadChartText(fs, ZENKAR_DEFAULT_CHART_TEXT, &chart).ok() ||
      !WriteGeneratedCompany(fs, folder, chart, count).ok()) {
    Fail("cannot write the company");
  }
}

void Open(Ledger& ledger, SilentUi& ui) {
  if (!ledger.OpenDataFolder() || ui.messages > 0) Fail("open: " + ui.last);
}

double CatTime(const std::string& path, int repetitions) {
  const std::string command = "cat '" + path + "' > /dev/null";
  return Time(repetitions, [&] {
    if (std::system(command.c_str()) != 0) Fail("cat failed");
  });
}

double PlainReadTime(const std::string& path, int repetitions) {
  std::string buffer;
  return Time(repetitions, [&] {
    if (!PosixFileSystem().ReadFile(path, &buffer).ok()) Fail("read failed");
  });
}

void Run(int count, int repetitions) {
  FileSystem& fs = PosixFileSystem();
  const std::string folder =
      (std::filesystem::temp_directory_path() / ("bench-ledger-" + std::to_string(::getpid())))
          .string() +
      "/";
  std::filesystem::create_directories(folder);
  WriteCompany(folder, count);
  const std::string lines_path = folder + "KXACCT.TRN";
  const std::string chart_path = folder + "KXACCT.COA";

  SilentUi ui;
  auto first_run = std::make_unique<Ledger>(fs, ui, SystemClock());
  Ledger& ledger = *first_run;
  ledger.SetDataFolder(folder);
  // The first load sorts the lines by date and computes the posted totals.
  if (!ledger.OpenDataFolder()) Fail("first open: " + ui.last);
  ledger.Close();
  ui.messages = 0;
  std::string sorted_lines, entry_lines, chart_bytes;
  if (!fs.ReadFile(lines_path, &sorted_lines).ok() || !fs.ReadFile(chart_path, &chart_bytes).ok()) {
    Fail("read the company");
  }
  if (!ledger.OpenDataFolder() || !ledger.SortTransactions(TransactionOrder::kEntry)) {
    Fail("entry order");
  }
  ledger.Close();
  if (!fs.ReadFile(lines_path, &entry_lines).ok()) Fail("read the lines");

  const double cat = CatTime(lines_path, repetitions);
  const double plain_read = PlainReadTime(lines_path, repetitions);

  // Open with the file already in the order the settings choose. Closing
  // (which saves the settings) is not part of the figure.
  const double open_sorted = Time(
      repetitions, [&] { Open(ledger, ui); }, [&] { ledger.Close(); });
  ledger.Close();

  // Open when the file is in the order entered but the settings say date order.
  CompanySettings settings;
  const double open_unsorted = Time(
      repetitions, [&] { Open(ledger, ui); },
      [&] {
        ledger.Close();
        std::string record;
        if (!WriteFileAtomically(fs, lines_path, entry_lines).ok() ||
            !fs.ReadFile(folder + "KXACCT.CFG", &record).ok()) {
          Fail("restore the order entered");
        }
        settings = CompanySettings::Decode(record);
        settings.date_order = 1;
        if (!WriteFileAtomically(fs, folder + "KXACCT.CFG", settings.Encode()).ok()) {
          Fail("write the settings");
        }
      });
  ledger.Close();

  Open(ledger, ui);
  TransactionRecord line;
  line.kind = kCheckOrDeposit;
  line.account = "650";
  line.amount = Money::FromCents(12345);
  line.date = *MakeDayNumber(2025, 12, 31);
  line.reference = "5001";
  const double append = Time(repetitions * 20, [&] {
    if (!ledger.AppendTransaction(line)) Fail("append: " + ui.last);
  });
  const int lines_at_append = ledger.transaction_count();

  ledger.Close();
  // That run ends, and with it its hold on the data folder.
  first_run.reset();

  // A new Ledger, as in a new program run: its first whole-file operation
  // also pays for touching 33 MB of fresh memory.
  Ledger fresh(fs, ui, SystemClock());
  fresh.SetDataFolder(folder);
  Open(fresh, ui);
  auto delete_middle = [&] {
    if (!fresh.DeleteTransaction(fresh.transaction_count() / 2)) Fail("delete: " + ui.last);
  };
  const double first_remove = Time(1, delete_middle);
  const double remove = Time(repetitions, delete_middle);
  fresh.Close();

  std::string same_size;
  if (!fs.ReadFile(lines_path, &same_size).ok()) Fail("read the lines");
  const double write_and_rename = Time(repetitions, [&] {
    if (!WriteFileAtomically(fs, folder + "KXCOPY.TRN", same_size).ok()) Fail("write");
  });

  std::filesystem::remove_all(folder);

  std::printf("Ledger benchmark: %d lines (%.1f MB), median of %d\n", count,
              sorted_lines.size() / 1e6, repetitions);
  std::printf("  %-56s %9.2f ms\n", "cat KXACCT.TRN > /dev/null", cat);
  std::printf("  %-56s %9.2f ms\n", "read KXACCT.TRN whole into one buffer", plain_read);
  std::printf("  %-56s %9.2f ms  (%.2f x cat, %.2f x read)\n", "OpenDataFolder, already in order",
              open_sorted, open_sorted / cat, open_sorted / plain_read);
  std::printf("  %-56s %9.2f ms  (%.2f x cat, %.2f x read)\n",
              "OpenDataFolder, sorting by date first", open_unsorted, open_unsorted / cat,
              open_unsorted / plain_read);
  std::printf("  %-56s %9.3f ms  (at %d lines)\n", "AppendTransaction", append, lines_at_append);
  std::printf("  %-56s %9.2f ms\n", "write the same size to a temporary file, flush, rename",
              write_and_rename);
  std::printf("  %-56s %9.2f ms  (%.2f x write and rename)\n", "DeleteTransaction", remove,
              remove / write_and_rename);
  std::printf("  %-56s %9.2f ms  (%.2f x write and rename)\n",
              "DeleteTransaction, first whole-file operation of a Ledger", first_remove,
              first_remove / write_and_rename);
}

}  // namespace
}  // namespace zenkar

int main(int argc, char** argv) {
  const int count = argc > 1 ? std::atoi(argv[1]) : 100000;
  const int repetitions = argc > 2 ? std::atoi(argv[2]) : 7;
  zenkar::Run(count, repetitions);
  return 0;
}
