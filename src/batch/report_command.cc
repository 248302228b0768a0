// The report command: the Reports tab's run, with the file named on the
// command line instead of one named after the report's title (documents.h);
// and mail-report, the same run mailed as "Send by E-Mail (PDF)" mails it.
#include "batch/commands.h"
#include "batch/documents.h"
#include "batch/mail_commands.h"
#include "common/text_field.h"
#include "output/print_job.h"

namespace zenkar {
namespace {

// The options the company keeps, each of which the command line may turn on.
ReportOptions OptionsOf(const ReportRequest& request, const CompanySettings& settings) {
  ReportOptions options;
  options.sort_entries =
      request.sort_entries || request.sort.has_value() || settings.sort_entries != 0;
  options.use_shading_bars = request.shading_bars || settings.use_shading_bars != 0;
  options.include_descriptions =
      request.include_descriptions || settings.transaction_listing_long != 0;
  options.omit_percentages = request.omit_percentages || settings.omit_percentages != 0;
  options.include_zero_balances =
      request.include_zero_balances || settings.include_zero_balances != 0;
  return options;
}

// The answers to the reports' questions, from the command line.
class CommandLineChoices : public ReportChoices {
 public:
  CommandLineChoices(const ReportRequest& request, Ui& ui) : request_(request), ui_(ui) {}

  std::optional<EntryOrder> ChooseSortOrder(std::string_view, EntryOrder proposed) override {
    return request_.sort.value_or(proposed);
  }
  std::optional<std::string> ChooseAccount(const ChartOfAccounts&) override {
    if (request_.account.empty()) {
      ui_.Error("The Account Summary needs its account: --account NUMBER");
      return std::nullopt;
    }
    return Utf8ToCp1252(request_.account);
  }
  std::optional<int> ChoosePayee(const PayeeList& payees) override {
    if (request_.payee.empty()) {
      ui_.Error("The Payee Activity needs its payee: --payee NAME");
      return std::nullopt;
    }
    const std::string name = Utf8ToCp1252(request_.payee);
    const int number = payees.FindPayeeByName(name);
    if (number == 0) ui_.Error("No payee is named " + name + ".");
    return number == 0 ? std::nullopt : std::optional(number);
  }
  std::optional<ComparisonPeriods> ChooseComparisonPeriods(
      const ComparisonPeriods& proposed) override {
    return ComparisonPeriods{request_.prior.value_or(proposed.prior), proposed.current};
  }

 private:
  const ReportRequest& request_;
  Ui& ui_;
};

}  // namespace

bool RunReport(const ReportRequest& request, CommandContext& context) {
  if (!OpenBooks(context)) return false;
  CommandDocuments documents(context, request);
  if (!documents.Prepare()) return false;
  CommandLineChoices choices(request, context.ui);
  ReportRunRequest run{request.labels, documents.target(),
                       request.period.value_or(DatePeriod(context.env.clock.Today())),
                       OptionsOf(request, context.ledger.settings()), &choices};
  if (request.mark_printed) {
    run.mark_printed = [&context](const std::vector<PrintedLine>& lines) {
      return context.ledger.MarkTransactionsPrinted(lines);
    };
  }
  return RunReports(BatchReports(), context.ledger, documents.services(), run).completed &&
         documents.Deliver();
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
  CommandLineChoices choices(request, context.ui);
  const ReportRunRequest run{request.labels, OutputTarget::kPdfMail,
                             request.period.value_or(DatePeriod(env.clock.Today())),
                             OptionsOf(request, context.ledger.settings()), &choices};
  return RunReports(BatchReports(), context.ledger, services, run).completed;
}

}  // namespace zenkar
