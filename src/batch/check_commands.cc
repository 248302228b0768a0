// The check commands: test-check, blank-check and quick-check, the check
// printing of the window through the same check run, with the document
// named on the command line or handed to lp.
#include "batch/commands.h"
#include "batch/documents.h"
#include "batch/lp_printer.h"
#include "common/text_field.h"
#include "output/check_run.h"
#include "output/quick_check.h"

namespace zenkar {
namespace {

// The printer: the one asked for, else the settings' check printer.
std::string PrinterOf(const CheckRequest& request, const CompanySettings& settings) {
  if (!request.printer.empty()) return Utf8ToCp1252(request.printer);
  return std::string(Trim(settings.check_output.printer_name));
}

}  // namespace

bool PrintCheckDocument(const CheckRequest& request, CommandContext& context,
                        const std::function<bool(PrintJob&)>& print) {
  if (!OpenBooks(context)) return false;
  ScratchFolder scratch;
  if (!CreateScratchFor(request.to_printer ? "" : request.file, context, &scratch)) return false;
  BatchEnvironment& env = context.env;
  ScratchFileSystem scratch_fs(env.fs, scratch);
  DocumentCatcher catcher(env.shell);
  const OutputPorts ports{scratch_fs, context.ui, env.clock, catcher, env.dates, env.users};
  OutputServices services = MakeOutputServices(ports, nullptr, scratch.path(), "");
  LpPrinter printer({scratch_fs, context.ui, env.clock, env.shell, scratch.path(),
                     PrinterOf(request, context.ledger.settings()), services.pdf_options});
  services.printer = &printer;
  PrintJob job(services, request.to_printer ? OutputTarget::kPrinter : OutputTarget::kPdf);
  if (!print(job)) return false;
  if (request.to_printer) return true;
  return !catcher.documents.empty() && DeliverDocument(catcher.documents.back(), request.file,
                                                       false, std::string(kPdfOpenError), context);
}

namespace {

// The quick check the command line describes: a listed payee by its name,
// or a new one of that name; the payee's memo unless --memo gives one; Next
// Check unless --number gives the number; dated today.
QuickCheck QuickCheckOf(const CheckRequest& request, const Ledger& ledger, DayNumber today) {
  QuickCheck check = NewQuickCheck(ledger, today);
  const std::string payee = Utf8ToCp1252(request.payee);
  check = WithPayee(ledger, check, ledger.FindPayeeByName(payee));
  if (check.payee == 0) check.name_line_1 = payee;
  if (request.memo) check.memo = Utf8ToCp1252(*request.memo);
  if (!request.number.empty()) check.number = request.number;
  check.account = std::string(Trim(request.account));
  // No amount reads as none, which is refused with the dialog's message.
  check.amount = Money::Parse(request.amount).value_or(Money());
  return check;
}

}  // namespace

bool RunTestCheckCommand(const CheckRequest& request, CommandContext& context) {
  return PrintCheckDocument(
      request, context, [&context](PrintJob& job) { return PrintTestCheck(context.ledger, job); });
}

bool RunBlankCheckCommand(const CheckRequest& request, CommandContext& context) {
  return PrintCheckDocument(request, context, [&](PrintJob& job) {
    return PrintBlankCheck(context.ledger, job, request.number);
  });
}

bool RunQuickCheckCommand(const CheckRequest& request, CommandContext& context) {
  return PrintCheckDocument(request, context, [&](PrintJob& job) {
    QuickCheck check = QuickCheckOf(request, context.ledger, context.env.clock.Today());
    return !AcceptQuickCheck(context.ledger, check) && PrintQuickCheck(context.ledger, job, check);
  });
}

}  // namespace zenkar
