// import-payroll, import-receivables and exchange: the imports from the
// companion programs and the accountant exchange, over the same code as the
// desktop program's buttons and its "Data Transfer" window, with the same
// messages.
#include <memory>
#include <string>
#include <vector>

#include "batch/commands.h"
#include "batch/documents.h"
#include "common/installation.h"
#include "common/text_field.h"
#include "services/exchange/accountant_exchange.h"
#include "services/imports/payroll_import.h"
#include "services/imports/receivables_import.h"

namespace zenkar {
namespace {

// One line of fields on standard output, separated by tabs; each field's
// own control characters are escaped.
void Print(CommandContext& context, const std::vector<std::string>& fields) {
  std::string line;
  for (const std::string& field : fields) line += (line.empty() ? "" : "\t") + TerminalText(field);
  line += "\n";
  std::fwrite(line.data(), 1, line.size(), context.env.out);
}

// The selection window on the console: its caption and rows on standard
// output, then the caption as a question whose preselected answer is
// "Import" (--no cancels).
class ConsolePaycheckChooser : public PaycheckChooser {
 public:
  explicit ConsolePaycheckChooser(CommandContext& context) : context_(context) {}

  bool Confirm(const PaycheckSelection& selection) override {
    Print(context_, {selection.caption});
    for (const PaycheckRow& row : selection.rows) {
      std::vector<std::string> fields = {
          row.check_number, FormatDate(row.date, context_.env.dates.numeric), row.employee};
      if (selection.detailed) {
        fields.push_back(PaycheckAmountText(row.gross_pay));
        fields.push_back(PaycheckAmountText(row.deductions));
      }
      fields.push_back(PaycheckAmountText(row.net_pay));
      Print(context_, fields);
    }
    return context_.ui.YesNoDefaultYes(selection.caption);
  }

 private:
  CommandContext& context_;
};

// Runs an import with its report going where the command line said (or
// nowhere); true unless it failed.
bool RunImport(const Invocation& invocation, CommandContext& context,
               const std::function<ImportOutcome(ImportEnvironment&)>& import) {
  if (!OpenBooks(context)) return false;
  std::unique_ptr<CommandDocuments> documents;
  ReportOutput output;
  if (invocation.import_report) {
    documents = std::make_unique<CommandDocuments>(context, *invocation.import_report);
    if (!documents->Prepare()) return false;
    output = [&documents](const std::function<bool(PrintJob&)>& write) {
      PrintJob job(documents->services(), documents->target());
      return write(job);
    };
  }
  ImportEnvironment env{context.ledger, context.env.dates, output};
  switch (import(env)) {
    case ImportOutcome::kImported:
      return documents == nullptr || documents->Deliver();
    case ImportOutcome::kNothingNew:
    case ImportOutcome::kCanceled:
      return true;
    case ImportOutcome::kStopped:
      break;
  }
  return false;
}

}  // namespace

bool RunImportPayroll(const Invocation& invocation, CommandContext& context) {
  ConsolePaycheckChooser chooser(context);
  return RunImport(invocation, context, [&chooser](ImportEnvironment& env) {
    return ImportPayroll(env, ImportMode::kInteractive, chooser);
  });
}

bool RunImportReceivables(const Invocation& invocation, CommandContext& context) {
  return RunImport(invocation, context, [](ImportEnvironment& env) {
    return ImportReceivables(env, ImportMode::kInteractive);
  });
}

bool RunExchange(const Invocation& invocation, CommandContext& context) {
  if (!OpenBooks(context)) return false;
  BatchEnvironment& env = context.env;
  const Installation installation = ResolveInstallation(
      env.fs, env.program_folder,
      env.user_files_folder.empty() ? std::nullopt : std::optional(env.user_files_folder));
  const std::optional<int32_t> number = InstallationNumber(env.fs, installation);
  if (!number) {
    context.ui.Error(NoInstallationNumberMessage(installation.files_folder));
    return false;
  }
  ExchangeEnvironment exchange{context.ledger,
                               {env.fs, context.ui, std::string(kAccountingIdentity),
                                std::string(kProgramTitle), context.folder},
                               *number};
  const std::string folder = ResolvePath(invocation.exchange_folder, env.current_folder);
  switch (invocation.exchange_action) {
    case Invocation::ExchangeAction::kExport:
      return ExportPackage(exchange, folder);
    case Invocation::ExchangeAction::kImport:
      return ImportPackage(exchange, folder);
    case Invocation::ExchangeAction::kReset:
      return ResetRole(exchange);
  }
  return false;
}

}  // namespace zenkar
