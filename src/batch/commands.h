// The commands of kxbatch, each over a ledger that nothing is loaded into yet.
// Each returns false when it failed; the failure has been reported.
#ifndef ZENKAR_BATCH_COMMANDS_H_
#define ZENKAR_BATCH_COMMANDS_H_

#include <functional>
#include <string>

#include "batch/command_line.h"
#include "batch/kxbatch.h"
#include "batch/tallying_ui.h"
#include "ledger/ledger.h"
#include "output/print_job.h"

namespace zenkar {

inline constexpr std::string_view kTestingTitle = "Testing: ";

struct CommandContext {
  BatchEnvironment& env;
  TallyingUi& ui;      // every message of the command passes it
  Ledger& ledger;      // speaks through `ui`
  std::string folder;  // the data folder: absolute, ending in "/"
};

// A path given on the command line, relative to the working directory.
std::string ResolvePath(const std::string& path, const std::string& current_folder);

// True when the context's folder exists and holds a company (KXACCT.CFG and
// KXACCT.TRN); otherwise says so.
bool HoldsCompany(CommandContext& context);

// Loads the books of the context's folder. Unlike the desktop program,
// kxbatch does not make a company of a folder that holds none.
bool OpenBooks(CommandContext& context);

// Opens the books, runs `print` on a job of checks to the PDF or the printer
// the request names (the settings' check printer unless one is named), and
// delivers the PDF to its file.
bool PrintCheckDocument(const CheckRequest& request, CommandContext& context,
                        const std::function<bool(PrintJob&)>& print);

bool RunNew(const Invocation& invocation, CommandContext& context);
bool RunWhere(CommandContext& context);
bool RunTest(CommandContext& context);
bool RunReport(const ReportRequest& request, CommandContext& context);
bool RunExportJournal(const Invocation& invocation, CommandContext& context);
bool RunBackup(const Invocation& invocation, CommandContext& context);
bool RunRestore(const Invocation& invocation, CommandContext& context);
bool RunAutoBackupCommand(CommandContext& context);
bool RunPostRecurring(const Invocation& invocation, CommandContext& context);
bool RunImportPayroll(const Invocation& invocation, CommandContext& context);
bool RunImportReceivables(const Invocation& invocation, CommandContext& context);
bool RunExchange(const Invocation& invocation, CommandContext& context);
bool RunMailReport(const Invocation& invocation, CommandContext& context);
bool RunMailData(const Invocation& invocation, CommandContext& context);
bool RunTestCheckCommand(const CheckRequest& request, CommandContext& context);
bool RunBlankCheckCommand(const CheckRequest& request, CommandContext& context);
bool RunQuickCheckCommand(const CheckRequest& request, CommandContext& context);
bool RunFind(const Invocation& invocation, CommandContext& context);
bool RunInvoices(CommandContext& context);
bool RunAutoInvoice(const Invocation& invocation, CommandContext& context);
bool RunPayInvoices(const Invocation& invocation, CommandContext& context);
bool RunRemoveOldestYear(const Invocation& invocation, CommandContext& context);
bool RunDeleteInactivePayees(CommandContext& context);

}  // namespace zenkar

#endif  // ZENKAR_BATCH_COMMANDS_H_
