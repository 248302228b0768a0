#include "output/settings_report.h"

#include "common/text_field.h"
#include "ledger/ledger.h"
#include "output/number_format.h"

namespace zenkar {
namespace {

constexpr double kFirstRow = 3;
constexpr double kLabelColumn = 5;
constexpr double kFontSize = 10;

// A text field, without the padding that fills it to its width.
std::string Text(std::string_view label, std::string_view value) {
  return std::string(label) + std::string(TrimRight(value));
}

// A number as decimal text with one leading space, after a label that ends
// in ":".
std::string Number(std::string_view label, int64_t value) {
  return std::string(label) + " " + std::to_string(value);
}

// A number after a label that ends in ": ", whose blank already separates it.
std::string Flag(std::string_view label, int64_t value) {
  return std::string(label) + std::to_string(value);
}

std::string Amount(std::string_view label, Money value) {
  return std::string(label) + FormatAmount(value, kAmountMinusSign);
}

void AddDevice(std::vector<std::string>& lines, std::string_view prefix,
               const OutputDeviceSettings& device) {
  const std::string p(prefix);
  lines.push_back(Text(p + " Prn: ", device.printer_name));
  lines.push_back(Number(p + " Source:", device.source_number));
  lines.push_back(Text(p + " Source Name: ", device.source_name));
  lines.push_back(Text(p + " Font: ", device.font_name));
  lines.push_back(Number(p + " Style:", device.font_style));
}

}  // namespace

SettingsReportFigures SettingsReportFiguresOf(const Ledger& ledger) {
  SettingsReportFigures figures;
  figures.transaction_count = ledger.transaction_count();
  figures.unpaid_count = ledger.summary().unpaid_count;
  figures.payee_count = ledger.payees().count();
  figures.posting_total = ledger.OutOfBalance();
  figures.balance_forward_total = ledger.BalanceForwardTotal();
  figures.posted_total_sum = ledger.PostedTotalSum();
  return figures;
}

std::vector<std::string> SettingsReportLines(const CompanySettings& s,
                                             const SettingsReportFigures& figures) {
  std::vector<std::string> lines = {
      Text("Company Name: ", s.name_line_1),
      Text("Company Name: ", s.name_line_2),
      Number("Program Font Size:", s.font_size),
      Number("Data Year:", s.data_year),
      Text("Bank Account: ", s.bank_account),
      Text("Payroll Account: ", s.wages_account),
      Text("AP Account: ", s.payables_account),
      Text("AR Account: ", s.receivables_account),
      Flag("Auto Decimal: ", s.fixed_decimal),
      Flag("Memo On Checks: ", s.memo_on_checks),
      Flag("Check Type: ", s.check_type),
      Text("Next Check: ", s.next_check),
      Number("TRN Long:", s.transaction_listing_long),
      Number("COA Long:", s.chart_listing_long),
      Number("Incl Zero:", s.include_zero_balances),
      Number("Omit Pct:", s.omit_percentages),
      Number("Payee List Long:", s.payee_listing_long),
      Text("SMTP Server: ", s.mail_server),
      Text("SMTP Port: ", s.mail_port),
  };
  AddDevice(lines, "Rpt", s.report_output);
  AddDevice(lines, "CK", s.check_output);
  lines.push_back(Number("Transaction Count:", figures.transaction_count));
  lines.push_back(Number("Unpaid Count:", figures.unpaid_count));
  lines.push_back(Number("Payee Count:", figures.payee_count));
  lines.push_back(Amount("Posting Total: ", figures.posting_total));
  lines.push_back(Amount("COA BalFwd: ", figures.balance_forward_total));
  lines.push_back(Amount("COA CurBal: ", figures.posted_total_sum));
  return lines;
}

bool PrintSettingsReport(PrintJob& job, const CompanySettings& settings,
                         const SettingsReportFigures& figures) {
  if (!job.StartPrintJob(PrintJobKind::kReport, kSettingsReportTitle)) return false;
  if (!job.SetReportFont("Arial", kFontSize, FontStyle::kRegular)) return false;
  double row = kFirstRow;
  for (const std::string& line : SettingsReportLines(settings, figures)) {
    job.PrintText(row++, kLabelColumn, line);
    job.NewLine();
  }
  return job.EndPrintJob();
}

}  // namespace zenkar
