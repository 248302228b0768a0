// What the benchmark programs share: a Ui and a Shell that show and open
// nothing, and the timing arithmetic.
#ifndef ZENKAR_BENCH_SUPPORT_BENCH_SUPPORT_H_
#define ZENKAR_BENCH_SUPPORT_BENCH_SUPPORT_H_

#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/shell.h"
#include "common/ui.h"
#include "ledger/ledger.h"

namespace zenkar::bench {

using Timer = std::chrono::steady_clock;

// Answers every question with its preselected button and counts the
// messages, keeping the last: a benchmark stops when a step it times reported
// a fault. The capacity warning that every company of 100,000 lines calls for
// is not counted.
class SilentUi : public Ui {
 public:
  std::optional<std::string> InputBox(std::string_view, std::string_view,
                                      std::string_view) override {
    return std::nullopt;
  }
  std::optional<std::string> PickFolder(std::string_view, std::string_view) override {
    return std::nullopt;
  }
  void SetStatusText(std::string_view) override {}
  void SetProgress(std::string_view, long, long) override {}
  void ClearProgress() override {}
  void Beep() override {}
  void SetBusy(bool) override {}

  int messages = 0;
  std::string last;

 protected:
  bool ShowMessage(const Message& message) override {
    if (message.text == kCapacityWarning) return true;
    ++messages;
    last = message.text;
    return message.kind != MessageKind::kYesNoDefaultNo && message.kind != MessageKind::kOkCancel;
  }
};

// Opens and starts nothing, and says it did: a benchmark times the document,
// not a viewer.
class NoShell : public Shell {
 public:
  bool OpenDocument(const std::string&) override { return true; }
  bool OpenUrl(const std::string&) override { return true; }
  bool StartProgram(const std::string&, const std::vector<std::string>&,
                    const std::string&) override {
    return true;
  }
  int RunProgram(const std::string&, const std::vector<std::string>&) override { return 0; }
};

inline double Milliseconds(Timer::time_point start) {
  return std::chrono::duration<double, std::milli>(Timer::now() - start).count();
}

// The processor time of this process so far, in milliseconds: on a shared
// machine it shows the work apart from the waiting for a core.
inline double ProcessorMilliseconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

inline double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// The elapsed and the processor time of each repetition of a step, in
// milliseconds, sorted.
struct Samples {
  std::vector<double> elapsed;
  std::vector<double> cpu;
};

// Runs `step` (given the repetition's number) `repetitions` times; `before`,
// when given, runs before each repetition and is not timed.
inline Samples Sample(int repetitions, const std::function<void(int)>& step,
                      const std::function<void()>& before = {}) {
  Samples samples;
  for (int i = 0; i < repetitions; ++i) {
    if (before) before();
    const double cpu_start = ProcessorMilliseconds();
    const Timer::time_point start = Timer::now();
    step(i);
    samples.elapsed.push_back(Milliseconds(start));
    samples.cpu.push_back(ProcessorMilliseconds() - cpu_start);
  }
  std::sort(samples.elapsed.begin(), samples.elapsed.end());
  std::sort(samples.cpu.begin(), samples.cpu.end());
  return samples;
}

// Medians of the elapsed and of the processor time of a step.
struct Timing {
  double elapsed = 0;
  double cpu = 0;
};

inline Timing Time(int repetitions, const std::function<void()>& step) {
  const Samples samples = Sample(repetitions, [&](int) { step(); });
  return {Median(samples.elapsed), Median(samples.cpu)};
}

[[noreturn]] inline void Fail(const std::string& what) {
  std::fprintf(stderr, "benchmark: %s\n", what.c_str());
  std::exit(1);
}

inline void PrintRow(const char* what, const Timing& timing) {
  std::printf("  %-58s %8.2f ms %8.2f ms\n", what, timing.elapsed, timing.cpu);
}

}  // namespace zenkar::bench

#endif  // ZENKAR_BENCH_SUPPORT_BENCH_SUPPORT_H_
