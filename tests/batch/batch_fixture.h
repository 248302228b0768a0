// kxbatch run in-process: a program folder with the default chart, a data
// folder, a scripted Ui, a fixed clock, a shell that records what it is asked
// to open or run, and the output and error streams captured as text.
#ifndef ZENKAR_TESTS_BATCH_BATCH_FIXTURE_H_
#define ZENKAR_TESTS_BATCH_BATCH_FIXTURE_H_

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "batch/kxbatch.h"
#include "ledger/ledger.h"
#include "support/fault_file_system.h"
#include "support/fixed_clock.h"
#include "support/fixed_user.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace zenkar::testing {

struct ProgramRun {
  std::string program;
  std::vector<std::string> args;
  std::string last_file;  // the bytes of the last argument (the file given to lp) at the time
};

class RecordingShell : public Shell {
 public:
  bool OpenDocument(const std::string& path) override {
    opened.push_back(path);
    return opens;
  }
  bool OpenUrl(const std::string& url) override { return OpenDocument(url); }
  bool StartProgram(const std::string&, const std::vector<std::string>&,
                    const std::string&) override {
    return false;
  }
  int RunProgram(const std::string& program, const std::vector<std::string>& args) override;

  bool opens = true;
  int run_status = 0;
  std::vector<std::string> opened;
  std::vector<ProgramRun> runs;
};

class CapturedFile {
 public:
  CapturedFile() : file_(std::tmpfile()) {}
  ~CapturedFile() { std::fclose(file_); }
  std::FILE* get() const { return file_; }
  std::string Text() const;

 private:
  std::FILE* file_;
};

// A shell command's exit status and standard output (and error).
struct ToolResult {
  int status = -1;
  std::string output;
};
ToolResult RunTool(const std::string& command);
std::string Quote(std::string_view text);
bool HaveTool(std::string_view program);

inline DayNumber Day(int year, int month, int day) { return *MakeDayNumber(year, month, day); }
AccountRecord Account(std::string_view number, std::string_view description, int32_t type,
                      int64_t balance_cents = 0, int32_t title_type = kEntryAccount);
TransactionRecord Line(int32_t kind, std::string_view account, int64_t cents, DayNumber date,
                       std::string_view description = "", std::string_view reference = "");
std::string DefaultChartFile();

class BatchFixture : public ::testing::Test {
 protected:
  BatchFixture();

  // Runs kxbatch on the data folder (unless the args name another).
  int Run(std::vector<std::string> args);
  std::string out() const { return out_.Text(); }
  std::string err() const { return err_.Text(); }

  // A company of `chart` with the settings of a new one (bank 110, payables
  // 210, capital 465) and `lines`, loaded once as the program would.
  void WriteCompany(const std::vector<AccountRecord>& chart,
                    const std::vector<TransactionRecord>& lines = {},
                    const std::function<void(CompanySettings&)>& adjust = {});
  void WriteSampleCompany();
  void OpenLedger(Ledger& ledger);

  TempDir program_;
  TempDir dir_;
  ScriptedUi ui_;
  FixedClock clock_{{2026, 1, 15, 9, 30, 0}, 60};
  RecordingShell shell_;
  FixedUserDirectory users_;
  FaultInjectingFileSystem fs_;
  CapturedFile out_;
  CapturedFile err_;
  BatchEnvironment env_;
};

}  // namespace zenkar::testing

#endif  // ZENKAR_TESTS_BATCH_BATCH_FIXTURE_H_
