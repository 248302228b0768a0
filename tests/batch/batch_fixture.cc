#include "batch_fixture.h"

#include <sys/wait.h>

#include <algorithm>

#include "ledger/chart_text.h"
#include "tools/sample_company.h"

namespace zenkar::testing {

int RecordingShell::RunProgram(const std::string& program, const std::vector<std::string>& args) {
  ProgramRun run{program, args, ""};
  // The last argument is often the document handed over; when it is no file,
  // last_file stays empty.
  if (!args.empty()) (void)PosixFileSystem().ReadFile(args.back(), &run.last_file);
  runs.push_back(std::move(run));
  return run_status;
}

std::string CapturedFile::Text() const {
  std::fflush(file_);
  std::rewind(file_);
  std::string text;
  char buffer[4096];
  for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, file_)) > 0;) text.append(buffer, n);
  return text;
}

ToolResult RunTool(const std::string& command) {
  ToolResult result;
  std::FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
  if (pipe == nullptr) return result;
  char buffer[4096];
  for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
    result.output.append(buffer, n);
  }
  const int status = ::pclose(pipe);
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

std::string Quote(std::string_view text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

bool HaveTool(std::string_view program) {
  return RunTool("command -v " + std::string(program)).status == 0;
}

AccountRecord Account(std::string_view number, std::string_view description, int32_t type,
                      int64_t balance_cents, int32_t title_type) {
  AccountRecord account;
  account.number = AccountKey(number);
  account.description = std::string(description);
  account.type = type;
  account.title_type = title_type;
  account.balance_forward = Money::FromCents(balance_cents);
  return account;
}

TransactionRecord Line(int32_t kind, std::string_view account, int64_t cents, DayNumber date,
                       std::string_view description, std::string_view reference) {
  TransactionRecord line;
  line.kind = kind;
  line.account = std::string(account);
  line.amount = Money::FromCents(cents);
  line.date = date;
  line.description = std::string(description);
  line.reference = std::string(reference);
  return line;
}

std::string DefaultChartFile() {
  std::string text;
  std::vector<AccountRecord> accounts;
  EXPECT_TRUE(PosixFileSystem().ReadFile(ZENKAR_DEFAULT_CHART_TEXT, &text).ok());
  EXPECT_TRUE(ParseChartText(text, &accounts).ok());
  return ChartOfAccounts(accounts).Encode();
}

BatchFixture::BatchFixture()
    : env_{fs_,
           ui_,
           clock_,
           shell_,
           users_,
           DeriveDatePatterns("11/22/3344"),
           program_.path(),
           dir_.path(),
           out_.get(),
           ""} {
  program_.WriteFile("KXACCTCOA.DAT", DefaultChartFile());
}

int BatchFixture::Run(std::vector<std::string> args) {
  if (std::find(args.begin(), args.end(), "--folder") == args.end()) {
    args.insert(args.begin(), {"--folder", dir_.path()});
  }
  return RunKxbatch(args, env_, err_.get());
}

void BatchFixture::WriteCompany(const std::vector<AccountRecord>& chart,
                                const std::vector<TransactionRecord>& lines,
                                const std::function<void(CompanySettings&)>& adjust) {
  CompanySettings settings;
  NewCompanySettings(settings);
  settings.name_line_1 = "Test Company";
  if (adjust) adjust(settings);
  dir_.WriteFile("KXACCT.CFG", settings.Encode());
  dir_.WriteFile("KXACCT.COA", ChartOfAccounts(chart).Encode());
  PayeeRecord payee;
  payee.name = "Harbor Supply";
  dir_.WriteFile("KXACCT.VND", PayeeList({payee}).Encode());
  std::string file;
  for (const TransactionRecord& line : lines) file += line.Encode();
  dir_.WriteFile("KXACCT.TRN", file);
  ScriptedUi ui;  // the first load sorts the lines and sets the posted totals
  Ledger ledger(PosixFileSystem(), ui, clock_);
  ledger.SetDataFolder(dir_.path());
  ASSERT_TRUE(ledger.OpenDataFolder()) << ::testing::PrintToString(ui.Texts());
}

void BatchFixture::WriteSampleCompany() {
  ScriptedUi ui;
  Ledger ledger(PosixFileSystem(), ui, clock_);
  ledger.set_program_folder(program_.path());
  ledger.SetDataFolder(dir_.path());
  ASSERT_TRUE(ledger.OpenDataFolder() && zenkar::WriteSampleCompany(ledger, 2025));
  ledger.Close();
}

void BatchFixture::OpenLedger(Ledger& ledger) {
  ledger.SetDataFolder(dir_.path());
  ASSERT_TRUE(ledger.OpenDataFolder());
}

}  // namespace zenkar::testing
