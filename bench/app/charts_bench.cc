// Timing of the "View Charts" window on a company of 100,000 lines.
//
// Writes a company whose lines (checks to expense accounts, deposits from
// income accounts, two-line journal entries, unpaid invoices) run from the
// start of last year to today, opens the window on Qt's offscreen platform
// and times: opening it (the figures computed from the books' figures by
// period, the charts painted), the redraw after a saved entry (the ledger's
// notice of one rewritten line: the figures computed again, the charts
// painted), and saving a new entry with that redraw (the append to the file
// and the books' figures following it included).
//
//   bench_charts [lines] [repetitions]
#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/reports/charts_window.h"
#include "app_bench_support.h"

namespace zenkar {
namespace {

using bench::Company;
using bench::DefaultChart;
using bench::Fail;
using bench::Figures;
using bench::Print;
using bench::Time;

std::string Lines(int count, DayNumber today) {
  const DayNumber first = FirstOfMonth(ToCivilDate(today).year - 1, 1);
  std::string bytes;
  bytes.reserve(static_cast<size_t>(count) * TransactionRecord::kSize);
  for (int i = 0; i < count; ++i) {
    TransactionRecord line;
    line.date = first + static_cast<DayNumber>(int64_t{i} * (today - first) / count);
    line.entry_sequence = i + 1;
    line.unprinted = 0;
    switch (i % 10) {
      case 0:
      case 1:
        line.kind = kCheckOrDeposit;
        line.account = "510";
        line.amount = Money::FromCents(-(20000 + i % 50000));
        break;
      case 2:
      case 3:
        line.kind = kJournalLine;
        line.account = i % 10 == 2 ? "720" : "110";
        line.amount = Money::FromCents(i % 10 == 2 ? 4000 : -4000);
        break;
      case 4:
        line.kind = kInvoice;
        line.account = "650";
        line.invoice_date_2 = line.date;
        line.due_date = line.date + 30;
        line.date = kNoDate;
        line.amount = Money::FromCents(10000 + i % 9000);
        break;
      default:
        line.kind = kCheckOrDeposit;
        line.account = "650";
        line.reference = std::to_string(1000 + i % 90000);
        line.amount = Money::FromCents(1000 + (i * 37) % 30000);
        break;
    }
    bytes += line.Encode();
  }
  return bytes;
}

std::string WriteCompany(int count) {
  const std::string folder = bench::CompanyFolder("bench-charts");
  CompanySettings settings;
  NewCompanySettings(settings);
  settings.name_line_1 = "Benchmark Company";
  settings.start_tab = "HLP";
  bench::WriteBooks(folder, settings, ChartOfAccounts(DefaultChart()), PayeeList({PayeeRecord()}),
                    Lines(count, SystemClock().Today()));
  return folder;
}

void Run(Company& company, int repetitions) {
  Ledger& ledger = company.program.ledger();
  const Figures open = Time(repetitions, [&](int) {
    ChartsWindow window(company.program, nullptr);
    window.resize(800, 900);
    window.show();
    window.repaint();
  });
  Print("opening the window (the figures computed, painted)", open);

  ChartsWindow window(company.program, nullptr);
  window.resize(800, 900);
  window.show();
  window.repaint();
  const int last = ledger.transaction_count();
  LiveChartsWatch& watch = window.watch();
  const Figures redraw = Time(repetitions, [&](int) {
    watch.OnLedgerChanged(LedgerChange::kTransactionChanged, last);
    window.view()->grab();
  });
  Print("the redraw after a saved entry (figures computed, painted)", redraw);
  const Figures figures = Time(repetitions, [&](int) {
    const LiveCharts charts = ComputeLiveCharts(BooksOf(ledger), company.program.clock().Today());
    if (charts.balance.days.size() != kLiveBalanceDays) Fail("figures");
  });
  Print("of which the figures alone (both charts from the books' figures)", figures);
  const Figures paint = Time(repetitions, [&](int) { window.view()->grab(); });
  Print("of which the painting alone", paint);

  TransactionRecord entry;
  ClearTransaction(entry);
  entry.kind = kCheckOrDeposit;
  entry.account = "650";
  entry.date = company.program.clock().Today();
  entry.amount = Money::FromCents(12345);
  const Figures save = Time(repetitions, [&](int) {
    if (!ledger.AppendTransaction(entry)) Fail("append");
    window.view()->grab();
  });
  Print("saving a check with that redraw (the append to the file included)", save);
  if (company.ui.messages > 0) Fail("the window reported: " + company.ui.last);
}

}  // namespace
}  // namespace zenkar

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const int count = argc > 1 ? std::atoi(argv[1]) : 100000;
  const int repetitions = argc > 2 ? std::atoi(argv[2]) : 21;
  if (count <= 0 || repetitions <= 0) {
    std::fprintf(stderr, "usage: bench_charts [lines] [repetitions]\n");
    return 2;
  }
  std::printf("%d transaction lines, %d repetitions\n\n", count, repetitions);
  zenkar::bench::PrintTableHead();
  zenkar::bench::Company company(zenkar::WriteCompany(count));
  zenkar::Run(company, repetitions);
  return 0;
}
