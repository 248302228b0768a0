// The report command: the Reports tab's run, with the file named on the
// command line instead of one named after the report's title
// (document_output.h).
#include "batch/commands.h"
#include "batch/document_output.h"
#include "output/print_job.h"

namespace zenkar {
namespace {

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

}  // namespace

bool RunReport(const ReportRequest& request, CommandContext& context) {
  if (!OpenBooks(context)) return false;
  CommandDocuments documents(context, request);
  if (!documents.Prepare()) return false;
  const ReportRunRequest run{request.labels, documents.target(),
                             request.period.value_or(DatePeriod(context.env.clock.Today())),
                             OptionsOf(request, context.ledger.settings())};
  return RunReports(BatchReports(), context.ledger, documents.services(), run).completed &&
         documents.Deliver();
}

}  // namespace zenkar
