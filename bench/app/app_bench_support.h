// What the benchmarks of kxacct's window share beside bench/support: the
// other ports that answer without a user, the timing of a step over its repetitions (elapsed and
// processor time), the default chart, and a company loaded into a Program.
#ifndef ZENKAR_BENCH_APP_APP_BENCH_SUPPORT_H_
#define ZENKAR_BENCH_APP_APP_BENCH_SUPPORT_H_

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app_rules/window/program.h"
#include "common/file_system.h"
#include "ledger/chart_text.h"
#include "support/bench_support.h"

namespace zenkar::bench {

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

struct Figures {
  double median = 0;
  double p95 = 0;
  double worst = 0;
  double cpu_median = 0;
  double cpu_p95 = 0;
};

// The head of the table the rows of Print fill.
inline void PrintTableHead() {
  std::printf(
      "| Step | Median | 95th percentile | Worst | Processor, median | Processor, 95th "
      "percentile |\n|---|---|---|---|---|---|\n");
}

inline void Print(const std::string& step, const Figures& figures) {
  std::printf("| %s | %.3f ms | %.3f ms | %.3f ms | %.3f ms | %.3f ms |\n", step.c_str(),
              figures.median, figures.p95, figures.worst, figures.cpu_median, figures.cpu_p95);
}

// Times `step` (given the repetition's number) `repetitions` times; `before`,
// when given, runs before each repetition and is not timed.
inline Figures Time(int repetitions, const std::function<void(int)>& step,
                    const std::function<void()>& before = {}) {
  const Samples samples = Sample(repetitions, step, before);
  const size_t p95 = samples.elapsed.size() * 95 / 100;
  return {Median(samples.elapsed), samples.elapsed[p95], samples.elapsed.back(),
          Median(samples.cpu), samples.cpu[p95]};
}

inline std::vector<AccountRecord> DefaultChart() {
  std::string text;
  std::vector<AccountRecord> accounts;
  if (!PosixFileSystem().ReadFile(ZENKAR_DEFAULT_CHART_TEXT, &text).ok() ||
      !ParseChartText(text, &accounts).ok()) {
    Fail("cannot read the default chart");
  }
  return accounts;
}

// A folder for a company of the benchmark `name`, in the temporary folder.
inline std::string CompanyFolder(const std::string& name) {
  const std::string folder =
      (std::filesystem::temp_directory_path() / (name + "-" + std::to_string(::getpid())))
          .string() +
      "/";
  std::filesystem::create_directories(folder);
  return folder;
}

// Writes the four files of a company's books into `folder`.
inline void WriteBooks(const std::string& folder, const CompanySettings& settings,
                       const ChartOfAccounts& chart, const PayeeList& payees,
                       const std::string& lines) {
  FileSystem& fs = PosixFileSystem();
  if (!WriteFileAtomically(fs, folder + "KXACCT.CFG", settings.Encode()).ok() ||
      !WriteFileAtomically(fs, folder + "KXACCT.COA", chart.Encode()).ok() ||
      !WriteFileAtomically(fs, folder + "KXACCT.VND", payees.Encode()).ok() ||
      !WriteFileAtomically(fs, folder + "KXACCT.TRN", lines).ok()) {
    Fail("cannot write the company");
  }
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

}  // namespace zenkar::bench

#endif  // ZENKAR_BENCH_APP_APP_BENCH_SUPPORT_H_
