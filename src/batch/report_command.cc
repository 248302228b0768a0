// The report command: the Reports tab's run, with the file named on the
// command line instead of one named after the report's title.
//
// The report run writes its document into a scratch folder beside the file
// the user named and "opens" it when finished; here that hand-over is caught,
// and the finished document is renamed to the user's file (a failed report
// leaves that file as it was). --open then opens it as "Preview" does.
#include "batch/commands.h"
#include "batch/documents.h"
#include "batch/lp_printer.h"
#include "batch/mail_commands.h"
#include "common/text_field.h"
#include "output/print_job.h"

namespace zenkar {
namespace {

OutputTarget TargetOf(ReportDestination destination) {
  switch (destination) {
    case ReportDestination::kPdf:
      return OutputTarget::kPdf;
    case ReportDestination::kCsv:
      return OutputTarget::kText;
    case ReportDestination::kPrinter:
      return OutputTarget::kPrinter;
  }
  return OutputTarget::kPdf;
}

// The options the company keeps, each of which the command line may turn on.
ReportOptions OptionsOf(const ReportRequest& request, const CompanySettings& settings) {
  ReportOptions options;
  options.sort_entries = request.sort_entries || settings.sort_entries != 0;
  options.use_shading_bars = request.shading_bars || settings.use_shading_bars != 0;
  options.include_descriptions =
      request.include_descriptions || settings.transaction_listing_long != 0;
  options.omit_percentages = request.omit_percentages || settings.omit_percentages != 0;
  options.include_zero_balances =
      request.include_zero_balances || settings.include_zero_balances != 0;
  return options;
}

// The printer: the one asked for, else the settings' report printer.
std::string PrinterOf(const ReportRequest& request, const CompanySettings& settings) {
  if (!request.printer.empty()) return Utf8ToCp1252(request.printer);
  return std::string(Trim(settings.report_output.printer_name));
}

}  // namespace

bool RunReport(const ReportRequest& request, CommandContext& context) {
  if (!OpenBooks(context)) return false;
  const bool to_printer = request.destination == ReportDestination::kPrinter;
  ScratchFolder scratch;
  if (!CreateScratchFor(to_printer ? "" : request.file, context, &scratch)) return false;
  BatchEnvironment& env = context.env;
  const CompanySettings& settings = context.ledger.settings();
  DocumentCatcher catcher(env.shell);
  const OutputPorts ports{env.fs, context.ui, env.clock, catcher, env.dates, env.users};
  OutputServices services = MakeOutputServices(ports, nullptr, scratch.path(), "");
  // A printed report is a PDF handed to lp: it names the same user.
  LpPrinter printer({env.fs, context.ui, env.clock, env.shell, scratch.path(),
                     PrinterOf(request, settings), services.pdf_options});
  services.printer = &printer;
  const ReportRunRequest run{request.labels, TargetOf(request.destination),
                             request.period.value_or(DatePeriod(env.clock.Today())),
                             OptionsOf(request, settings)};
  if (!RunReports(BatchReports(), context.ledger, services, run).completed) return false;
  if (to_printer) return true;
  const std::string open_error =
      request.destination == ReportDestination::kPdf
          ? std::string(kPdfOpenError)
          : "Unable to open " + Utf8ToCp1252(ResolvePath(request.file, context.env.current_folder));
  return !catcher.documents.empty() &&
         DeliverDocument(catcher.documents.back(), request.file, request.open, open_error, context);
}

// The report as "Send by E-Mail (PDF)" sends it: the PDF made in a private
// folder of the temporary files, mailed, and removed.
bool RunMailReport(const Invocation& invocation, CommandContext& context) {
  if (!OpenBooks(context)) return false;
  ScratchFolder scratch;
  if (!CreateScratchFor("", context, &scratch)) return false;
  BatchEnvironment& env = context.env;
  const OutputPorts ports{env.fs, context.ui, env.clock, env.shell, env.dates, env.users};
  OutputServices services = MakeOutputServices(ports, nullptr, scratch.path(), "");
  BatchMail mail(context, invocation);
  ReportMailHandOff hand_off(mail.environment());
  services.mail = &hand_off;
  const ReportRequest& request = invocation.report;
  const ReportRunRequest run{request.labels, OutputTarget::kPdfMail,
                             request.period.value_or(DatePeriod(env.clock.Today())),
                             OptionsOf(request, context.ledger.settings())};
  return RunReports(BatchReports(), context.ledger, services, run).completed;
}

}  // namespace zenkar
