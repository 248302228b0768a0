// Timing of the General Ledger on a company of 100,000 lines in one
// accounting year (about 2,000 pages), to PDF and to CSV, with the trial
// balance beside it.
//
// Writes the generated company of the benchmarks (src/tools/generated_company.h)
// with every line in 2021, opens it through the Ledger and times, each as the
// report run does it from the date checks to the finished file flushed and
// renamed into place:
//   - the General Ledger of 2021 to PDF and to CSV;
//   - the Trial Balance of 2021 to PDF;
// and, to show where the time goes, the ledger's figures alone (one pass
// over the transaction file) and, once, the marking of the printed ledger's
// lines printed that follows it (one rewrite of the transaction file; all
// lines start unprinted).
//
//   bench_listings [line_count] [repetitions]
//
// Each figure is the median of its repetitions with the files in the page
// cache.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "common/clock.h"
#include "common/date_patterns.h"
#include "common/record_file.h"
#include "ledger/ledger.h"
#include "output/general_ledger.h"
#include "output/listing_layout.h"
#include "output/trial_balance.h"
#include "support/bench_support.h"
#include "tools/generated_company.h"

namespace zenkar {
namespace {

using bench::Fail;
using bench::Time;
using bench::Timing;

constexpr int kYear = 2021;

void Run(int count, int repetitions) {
  FileSystem& fs = PosixFileSystem();
  const std::string folder =
      (std::filesystem::temp_directory_path() / ("bench-listings-" + std::to_string(::getpid())))
          .string() +
      "/";
  std::filesystem::create_directories(folder);
  std::vector<AccountRecord> chart;
  if (!ReadChartText(fs, ZENKAR_DEFAULT_CHART_TEXT, &chart).ok() ||
      !WriteGeneratedCompany(fs, folder, chart, count, 42, /*years=*/1).ok()) {
    Fail("cannot write the company");
  }
  // Every line unprinted, as after entering them, so that marking the
  // printed ledger rewrites the file (the generated lines are all printed).
  std::string lines;
  if (!fs.ReadFile(folder + "KXACCT.TRN", &lines).ok()) Fail("cannot read the lines");
  for (size_t at = 0; at < lines.size(); at += kTransactionRecordLength) {
    PutUnprintedFlag(lines, 1, at);
  }
  if (!WriteFileAtomically(fs, folder + "KXACCT.TRN", lines).ok()) Fail("cannot write the lines");
  bench::SilentUi ui;
  Ledger ledger(fs, ui, SystemClock());
  ledger.SetDataFolder(folder);
  // The first load sorts the lines and computes their posted totals.
  if (!ledger.OpenDataFolder()) Fail("first open: " + ui.last);
  ledger.Close();
  ui.messages = 0;
  if (!ledger.OpenDataFolder() || ui.messages > 0) Fail("open: " + ui.last);

  bench::NoShell shell;
  const DatePatterns dates = DeriveDatePatterns("11/22/3344");
  OutputServices services{fs, ui, SystemClock(), shell, dates, nullptr, nullptr, folder, {}};
  const ReportPeriod year = RangePeriod(FirstOfMonth(kYear, 1), LastOfMonth(kYear, 12));
  const ListingBooks books = ListingBooksOf(ledger);
  std::vector<PrintedLine> printed;

  auto whole = [&](bool (*print)(ListingRun&), OutputTarget target) {
    return Time(repetitions, [&] {
      PrintJob job(services, target);
      printed.clear();
      ListingRun run{books, job, year, {}, nullptr, &printed};
      if (!print(run) || ui.messages > 0) Fail("report: " + ui.last);
    });
  };
  const Timing ledger_pdf = whole(PrintGeneralLedger, OutputTarget::kPdf);
  const Timing ledger_csv = whole(PrintGeneralLedger, OutputTarget::kText);
  const Timing balance_pdf = whole(PrintTrialBalance, OutputTarget::kPdf);
  GeneralLedger figures;
  const Timing figures_time = Time(repetitions, [&] {
    if (!ComputeGeneralLedger(books, year, &figures)) Fail("figures");
  });
  // The printed ledger's lines, marked printed once (a second time there is
  // nothing left to mark).
  whole(PrintGeneralLedger, OutputTarget::kPdf);
  const Timing marking = Time(1, [&] {
    if (!ledger.MarkTransactionsPrinted(printed)) Fail("marking: " + ui.last);
  });
  const double pdf_bytes =
      static_cast<double>(std::filesystem::file_size(folder + "General-Ledger.pdf"));
  const double csv_bytes =
      static_cast<double>(std::filesystem::file_size(folder + "General-Ledger.csv"));
  size_t rows = 0;
  for (const GeneralLedgerAccount& account : figures.accounts) rows += account.lines.size() + 3;
  std::filesystem::remove_all(folder);

  std::printf("Listings benchmark: %d lines, %zu in %d, median of %d (elapsed, processor)\n",
              ledger.transaction_count(), figures.lines.size(), kYear, repetitions);
  bench::PrintRow("General Ledger of the year to PDF", ledger_pdf);
  bench::PrintRow("General Ledger of the year to CSV", ledger_csv);
  bench::PrintRow("Trial Balance of the year to PDF", balance_pdf);
  bench::PrintRow("  the ledger's figures alone", figures_time);
  bench::PrintRow("  marking the printed lines (once)", marking);
  std::printf("  about %zu pages; PDF %.1f MB, CSV %.1f MB\n", rows / kGeneralLedgerLines + 1,
              pdf_bytes / 1e6, csv_bytes / 1e6);
}

}  // namespace
}  // namespace zenkar

int main(int argc, char** argv) {
  const int count = argc > 1 ? std::atoi(argv[1]) : 100000;
  const int repetitions = argc > 2 ? std::atoi(argv[2]) : 7;
  zenkar::Run(count, repetitions);
  return 0;
}
