// The command line of kxbatch: `kxbatch [--folder DIR] COMMAND [OPTIONS]`.
//
// Parsing is pure: it turns the arguments into an Invocation, a request for
// help, or a usage error with its text, and touches no file. Global options
// (--folder, --password-file, --yes, --no, --help) may stand anywhere; a command's own options
// follow the command. "--name=VALUE" and "--name VALUE" are the same.
#ifndef ZENKAR_BATCH_COMMAND_LINE_H_
#define ZENKAR_BATCH_COMMAND_LINE_H_

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "batch/console_ui.h"
#include "output/listing_order.h"
#include "output/report_period.h"

namespace zenkar {

enum class Command {
  kNew,
  kWhere,
  kTest,
  kReport,
  kExportJournal,
  kBackup,
  kRestore,
  kAutoBackup,
  kPostRecurring,
  kImportPayroll,
  kImportReceivables,
  kExchange,
  kMailReport,
  kMailData,
  kTestCheck,
  kBlankCheck,
  kQuickCheck,
  kFind,
  kInvoices,
  kAutoInvoice,
  kPayInvoices,
  kRemoveOldestYear,
  kDeleteInactivePayees,
};

enum class ReportDestination { kPdf, kCsv, kPrinter };

// Where a command's documents go: --pdf FILE, --csv FILE or --print [PRINTER].
struct DocumentRequest {
  ReportDestination destination = ReportDestination::kPdf;
  std::string file;     // --pdf / --csv
  std::string printer;  // --print PRINTER; empty: the settings' or CUPS's default
  bool open = false;    // --open: show the document like "Preview"
};

// What report, for which period, with which options; and for `report` where
// it goes (mail-report mails it).
struct ReportRequest : DocumentRequest {
  std::vector<std::string> labels;     // as the report list spells them
  std::optional<ReportPeriod> period;  // none: today's date
  // Report options that are on for this run whatever the settings say.
  bool sort_entries = false;
  bool shading_bars = false;
  bool include_descriptions = false;
  bool omit_percentages = false;
  bool include_zero_balances = false;
  std::optional<EntryOrder> sort;     // --sort ORDER
  std::string account;                // --account (UTF-8)
  std::string payee;                  // --payee (UTF-8)
  std::optional<ReportPeriod> prior;  // --prior-from / --prior-to
  bool mark_printed = false;          // --mark-printed
};

// test-check, blank-check and quick-check.
struct CheckRequest {
  bool to_printer = false;  // --print [PRINTER]; else --pdf FILE
  std::string file;
  std::string printer;  // empty: the settings' check printer, else CUPS's default
  std::string number;   // --number, as given
  // quick-check, as given (UTF-8).
  std::string payee;
  std::string account;
  std::string amount;
  std::optional<std::string> memo;
};

// pay-invoices: which invoices, and how they are paid (the checks'
// document and first number are in the CheckRequest).
struct PaymentRequest {
  bool all = false;                 // --all
  std::vector<std::string> payees;  // --payee NAME, each (UTF-8)
  bool save_as_paid = false;        // --save-as-paid: no check printed
  std::optional<DayNumber> date;    // --date D; none: today
};

struct Invocation {
  Command command = Command::kWhere;
  std::string folder;         // as given; empty: the current directory
  std::string password_file;  // --password-file, as given; empty: ask on the terminal
  ConsoleUi::Answers answers = ConsoleUi::Answers::kPreselected;
  std::string company_name;  // new --name (UTF-8)
  ReportRequest report;
  bool accrual = false;       // export-journal --accrual
  std::string journal_file;   // export-journal FILE; empty: standard output
  std::string backup_folder;  // backup DIR, restore DIR: as given
  int set_number = 0;         // restore --set N: 0 the newest
  int post_year = 0;          // post-recurring, auto-invoice --month YYYY-MM
  int post_month = 0;
  // import-payroll, import-receivables: the report's destination; none
  // makes no report document.
  std::optional<DocumentRequest> import_report;
  enum class ExchangeAction { kExport, kImport, kReset };
  ExchangeAction exchange_action = ExchangeAction::kExport;
  std::string exchange_folder;  // exchange export|import DIR: as given
  // mail-report, mail-data: --to ADDRESS (UTF-8), --mail-password-file FILE
  std::string mail_to;
  std::string mail_password_file;
  CheckRequest check;
  std::string find_text;  // find TEXT (UTF-8)
  // auto-invoice: where its report goes; none makes no report document.
  std::optional<DocumentRequest> posted_report;
  PaymentRequest payment;
  // remove-oldest-year: where the report of the removed lines goes.
  DocumentRequest removed_report;
};

struct ParsedCommandLine {
  enum class Outcome { kRun, kHelp, kUsageError };
  Outcome outcome = Outcome::kUsageError;
  Invocation invocation;
  std::string help_topic;  // a command name, or "" for the program
  std::string error;       // the usage error
};

// `args` without the program name; `report_labels` are the reports that can
// run, in display order (a report name is matched against them ignoring case).
ParsedCommandLine ParseCommandLine(const std::vector<std::string>& args,
                                   const std::vector<std::string_view>& report_labels);

// "YYYY-MM-DD", "YYYY-MM" and "YYYY-Qn"; nothing for anything else.
std::optional<DayNumber> ParseIsoDate(std::string_view text);
std::optional<ReportPeriod> ParseMonth(std::string_view text);
std::optional<ReportPeriod> ParseQuarter(std::string_view text);

}  // namespace zenkar

#endif  // ZENKAR_BATCH_COMMAND_LINE_H_
