#include "batch/kxbatch.h"

#include "batch/batch_help.h"
#include "batch/commands.h"
#include "common/installation.h"
#include "common/record_file.h"
#include "output/bank_rec_report.h"
#include "output/chart_reports.h"
#include "output/financial_statements.h"
#include "output/ledger_reports.h"

namespace zenkar {
namespace {

void Write(std::FILE* file, const std::string& text) {
  std::fwrite(text.data(), 1, text.size(), file);
  std::fflush(file);
}

// The data folder: the one named (relative to the working directory), or the
// working directory itself, normalised like every data folder.
std::string DataFolderOf(const std::string& named, const std::string& current_folder) {
  return NormalizeFolderPath(named.empty() ? current_folder : ResolvePath(named, current_folder));
}

bool Dispatch(const Invocation& invocation, CommandContext& context) {
  switch (invocation.command) {
    case Command::kNew:
      return RunNew(invocation, context);
    case Command::kWhere:
      return RunWhere(context);
    case Command::kTest:
      return RunTest(context);
    case Command::kReport:
      return RunReport(invocation.report, context);
    case Command::kExportJournal:
      return RunExportJournal(invocation, context);
    case Command::kBackup:
      return RunBackup(invocation, context);
    case Command::kRestore:
      return RunRestore(invocation, context);
    case Command::kAutoBackup:
      return RunAutoBackupCommand(context);
    case Command::kPostRecurring:
      return RunPostRecurring(invocation, context);
    case Command::kImportPayroll:
      return RunImportPayroll(invocation, context);
    case Command::kImportReceivables:
      return RunImportReceivables(invocation, context);
    case Command::kExchange:
      return RunExchange(invocation, context);
    case Command::kMailReport:
      return RunMailReport(invocation, context);
    case Command::kMailData:
      return RunMailData(invocation, context);
    case Command::kTestCheck:
      return RunTestCheckCommand(invocation.check, context);
    case Command::kBlankCheck:
      return RunBlankCheckCommand(invocation.check, context);
    case Command::kQuickCheck:
      return RunQuickCheckCommand(invocation.check, context);
    case Command::kFind:
      return RunFind(invocation, context);
    case Command::kInvoices:
      return RunInvoices(context);
    case Command::kAutoInvoice:
      return RunAutoInvoice(invocation, context);
    case Command::kPayInvoices:
      return RunPayInvoices(invocation, context);
    case Command::kRemoveOldestYear:
      return RunRemoveOldestYear(invocation, context);
    case Command::kDeleteInactivePayees:
      return RunDeleteInactivePayees(context);
  }
  return false;
}

// Only a command that changes the books takes the folder for itself, and
// only while no other program has it open; every other command reads the
// books without changing any of their files. The check commands change them:
// a check's entry, Next Check, and for the test check KXMICR.DAT; so do
// posting the recurring entries or the auto invoices of a month, paying
// invoices, the year clean-up and a report that marks its entries printed.
Ledger::Access AccessOf(const Invocation& invocation) {
  switch (invocation.command) {
    case Command::kNew:
    case Command::kRestore:
    case Command::kPostRecurring:
    case Command::kImportPayroll:
    case Command::kImportReceivables:
    case Command::kExchange:
    case Command::kTestCheck:
    case Command::kBlankCheck:
    case Command::kQuickCheck:
    case Command::kAutoInvoice:
    case Command::kPayInvoices:
    case Command::kRemoveOldestYear:
    case Command::kDeleteInactivePayees:
      return Ledger::Access::kAlone;
    case Command::kReport:
      return invocation.report.mark_printed ? Ledger::Access::kAlone : Ledger::Access::kReadOnly;
    default:
      return Ledger::Access::kReadOnly;
  }
}

}  // namespace

ReportRegistry BatchReports() {
  ReportRegistry registry;
  AddFinancialStatements(registry);
  AddLedgerReports(registry);
  AddBankRecReport(registry);
  AddChartReports(registry);
  return registry;
}

std::vector<std::string_view> BatchReportLabels() { return BatchReports().RunnableLabels(); }

std::optional<int> AnswerWithoutRunning(const ParsedCommandLine& parsed, std::FILE* out,
                                        std::FILE* err) {
  switch (parsed.outcome) {
    case ParsedCommandLine::Outcome::kRun:
      return std::nullopt;
    case ParsedCommandLine::Outcome::kHelp:
      Write(out, HelpText(parsed.help_topic, BatchReportLabels()));
      return kExitSuccess;
    case ParsedCommandLine::Outcome::kUsageError:
      Write(err, "kxbatch: " + parsed.error + "\n" + std::string(kTryHelp) + "\n");
      return kExitUsage;
  }
  return kExitUsage;
}

int RunCommand(const Invocation& invocation, BatchEnvironment& env) {
  TallyingUi ui(env.ui);
  Ledger ledger(env.fs, ui, env.clock);
  ledger.set_program_folder(SharedFilesFolder(env.fs, env.program_folder));
  ledger.set_access(AccessOf(invocation));
  CommandContext context{env, ui, ledger, DataFolderOf(invocation.folder, env.current_folder)};
  const bool succeeded = Dispatch(invocation, context);
  std::fflush(env.out);
  return succeeded && ui.errors() == 0 ? kExitSuccess : kExitFailure;
}

int RunKxbatch(const std::vector<std::string>& args, BatchEnvironment& env, std::FILE* err) {
  const ParsedCommandLine parsed = ParseCommandLine(args, BatchReportLabels());
  if (const std::optional<int> status = AnswerWithoutRunning(parsed, env.out, err)) {
    return *status;
  }
  return RunCommand(parsed.invocation, env);
}

}  // namespace zenkar
