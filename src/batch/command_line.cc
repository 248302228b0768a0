#include "batch/command_line.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <initializer_list>

namespace zenkar {
namespace {

enum class Value { kNone, kRequired, kOptional };

struct OptionDefinition {
  std::string_view name;  // without the leading "--"
  Value value;
};

struct CommandDefinition {
  std::string_view name;
  Command command;
  std::vector<OptionDefinition> options;
};

// The options that name where a document goes.
std::vector<OptionDefinition> DocumentOptions() {
  return {{"pdf", Value::kRequired},
          {"csv", Value::kRequired},
          {"print", Value::kOptional},
          {"open", Value::kNone}};
}

const std::vector<CommandDefinition>& Commands() {
  static const std::vector<CommandDefinition> commands = {
      {"new", Command::kNew, {{"name", Value::kRequired}}},
      {"where", Command::kWhere, {}},
      {"test", Command::kTest, {}},
      {"report",
       Command::kReport,
       {{"date", Value::kRequired},
        {"month", Value::kRequired},
        {"quarter", Value::kRequired},
        {"from", Value::kRequired},
        {"to", Value::kRequired},
        {"pdf", Value::kRequired},
        {"csv", Value::kRequired},
        {"print", Value::kOptional},
        {"open", Value::kNone},
        {"sort-entries", Value::kNone},
        {"shading-bars", Value::kNone},
        {"include-descriptions", Value::kNone},
        {"omit-percentages", Value::kNone},
        {"include-zero", Value::kNone},
        {"sort", Value::kRequired},
        {"account", Value::kRequired},
        {"payee", Value::kRequired},
        {"prior-from", Value::kRequired},
        {"prior-to", Value::kRequired},
        {"mark-printed", Value::kNone}}},
      {"export-journal", Command::kExportJournal, {{"accrual", Value::kNone}}},
      {"backup", Command::kBackup, {}},
      {"restore", Command::kRestore, {{"set", Value::kRequired}}},
      {"auto-backup", Command::kAutoBackup, {}},
      {"post-recurring", Command::kPostRecurring, {{"month", Value::kRequired}}},
      {"import-payroll", Command::kImportPayroll, DocumentOptions()},
      {"import-receivables", Command::kImportReceivables, DocumentOptions()},
      {"exchange", Command::kExchange, {}},
      {"mail-report",
       Command::kMailReport,
       {{"date", Value::kRequired},
        {"month", Value::kRequired},
        {"quarter", Value::kRequired},
        {"from", Value::kRequired},
        {"through", Value::kRequired},
        {"to", Value::kRequired},
        {"mail-password-file", Value::kRequired},
        {"sort", Value::kRequired},
        {"account", Value::kRequired},
        {"payee", Value::kRequired},
        {"prior-from", Value::kRequired},
        {"prior-to", Value::kRequired},
        {"sort-entries", Value::kNone},
        {"shading-bars", Value::kNone},
        {"include-descriptions", Value::kNone},
        {"omit-percentages", Value::kNone},
        {"include-zero", Value::kNone}}},
      {"mail-data",
       Command::kMailData,
       {{"to", Value::kRequired}, {"mail-password-file", Value::kRequired}}},
      {"test-check", Command::kTestCheck, {{"pdf", Value::kRequired}, {"print", Value::kOptional}}},
      {"blank-check",
       Command::kBlankCheck,
       {{"number", Value::kRequired}, {"pdf", Value::kRequired}, {"print", Value::kOptional}}},
      {"quick-check",
       Command::kQuickCheck,
       {{"payee", Value::kRequired},
        {"account", Value::kRequired},
        {"amount", Value::kRequired},
        {"memo", Value::kRequired},
        {"number", Value::kRequired},
        {"pdf", Value::kRequired},
        {"print", Value::kOptional}}},
      {"find", Command::kFind, {}},
      {"invoices", Command::kInvoices, {}},
      {"auto-invoice", Command::kAutoInvoice,
       [] {
         std::vector<OptionDefinition> options = DocumentOptions();
         options.push_back({"month", Value::kRequired});
         return options;
       }()},
      {"pay-invoices",
       Command::kPayInvoices,
       {{"all", Value::kNone},
        {"payee", Value::kRequired},
        {"save-as-paid", Value::kNone},
        {"pdf", Value::kRequired},
        {"print", Value::kOptional},
        {"first-check", Value::kRequired},
        {"date", Value::kRequired}}},
      {"remove-oldest-year", Command::kRemoveOldestYear, DocumentOptions()},
      {"delete-inactive-payees", Command::kDeleteInactivePayees, {}},
  };
  return commands;
}

const CommandDefinition* FindCommand(std::string_view name) {
  for (const CommandDefinition& command : Commands()) {
    if (command.name == name) return &command;
  }
  return nullptr;
}

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

std::optional<std::string_view> MatchLabel(std::string_view name,
                                           const std::vector<std::string_view>& labels) {
  for (std::string_view label : labels) {
    if (SameIgnoringCase(name, label)) return label;
  }
  return std::nullopt;
}

// The arguments split into options (in order, with their values) and the
// positional words after the command.
struct Words {
  const CommandDefinition* command = nullptr;
  std::vector<std::pair<std::string, std::string>> options;
  std::vector<std::string> positional;
  bool help = false;
};

const std::array<OptionDefinition, 4> kGlobalOptions = {{
    {"folder", Value::kRequired},
    {"password-file", Value::kRequired},
    {"yes", Value::kNone},
    {"no", Value::kNone},
}};

const OptionDefinition* FindOption(std::string_view name, const CommandDefinition* command) {
  for (const OptionDefinition& option : kGlobalOptions) {
    if (option.name == name) return &option;
  }
  if (command == nullptr) return nullptr;
  for (const OptionDefinition& option : command->options) {
    if (option.name == name) return &option;
  }
  return nullptr;
}

class Splitter {
 public:
  Splitter(const std::vector<std::string>& args, const std::vector<std::string_view>& labels)
      : args_(args), labels_(labels) {}

  // False with `error` set on a usage error.
  bool Split(Words* words, std::string* error) {
    bool only_positional = false;
    for (i_ = 0; i_ < args_.size(); ++i_) {
      const std::string& arg = args_[i_];
      if (!only_positional && arg == "--") {
        only_positional = true;
      } else if (!only_positional && (arg == "--help" || arg == "-h")) {
        words->help = true;
      } else if (!only_positional && arg.size() > 1 && arg[0] == '-') {
        if (!TakeOption(words, error)) return false;
      } else if (words->command == nullptr) {
        if (!TakeCommand(arg, words, error)) return false;
      } else {
        words->positional.push_back(arg);
      }
    }
    return true;
  }

 private:
  bool TakeCommand(const std::string& arg, Words* words, std::string* error) {
    if (arg == "help") {
      words->help = true;
      if (i_ + 1 < args_.size()) words->command = FindCommand(args_[++i_]);
      return true;
    }
    words->command = FindCommand(arg);
    if (words->command == nullptr) *error = "unknown command '" + arg + "'";
    return words->command != nullptr;
  }

  bool TakeOption(Words* words, std::string* error) {
    const std::string& arg = args_[i_];
    const size_t equals = arg.find('=');
    const std::string name = arg.substr(2, equals == std::string::npos ? equals : equals - 2);
    const OptionDefinition* option =
        arg.rfind("--", 0) == 0 ? FindOption(name, words->command) : nullptr;
    if (option == nullptr) {
      *error = "unknown option '" + arg.substr(0, equals) + "'" +
               (words->command ? " for '" + std::string(words->command->name) + "'" : "");
      return false;
    }
    std::string value;
    if (equals != std::string::npos) {
      if (option->value == Value::kNone) {
        *error = "option '--" + name + "' takes no value";
        return false;
      }
      value = arg.substr(equals + 1);
    } else if (option->value == Value::kRequired) {
      if (i_ + 1 >= args_.size()) {
        *error = "option '--" + name + "' needs a value";
        return false;
      }
      value = args_[++i_];
    } else if (option->value == Value::kOptional && NextIsValue()) {
      value = args_[++i_];
    }
    words->options.emplace_back(name, value);
    return true;
  }

  // An optional value (the printer of --print) is the next word unless that
  // is an option or the name of a report.
  bool NextIsValue() const {
    if (i_ + 1 >= args_.size()) return false;
    const std::string& next = args_[i_ + 1];
    return !next.empty() && next[0] != '-' && !MatchLabel(next, labels_);
  }

  const std::vector<std::string>& args_;
  const std::vector<std::string_view>& labels_;
  size_t i_ = 0;
};

// Reads a run of digits as a number; false unless the whole text is digits.
bool ReadNumber(std::string_view text, int* number) {
  if (text.empty()) return false;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), *number);
  return error == std::errc() && end == text.data() + text.size() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// --- Interpreting the words of each command -------------------------------

class Interpreter {
 public:
  Interpreter(const Words& words, const std::vector<std::string_view>& labels,
              ParsedCommandLine* parsed)
      : words_(words), labels_(labels), parsed_(parsed), invocation_(parsed->invocation) {}

  bool Run() {
    if (!Globals()) return false;
    invocation_.command = words_.command->command;
    switch (invocation_.command) {
      case Command::kNew:
        invocation_.company_name = Last("name").value_or("");
        return NoPositional();
      case Command::kWhere:
      case Command::kTest:
        return NoPositional();
      case Command::kReport:
        return Report();
      case Command::kExportJournal:
        return ExportJournal();
      case Command::kBackup:
        return BackupFolder();
      case Command::kRestore:
        return BackupFolder() && SetNumber();
      case Command::kAutoBackup:
        return NoPositional();
      case Command::kPostRecurring:
        return NoPositional() && PostingMonth();
      case Command::kImportPayroll:
      case Command::kImportReceivables:
        return NoPositional() && OptionalReport(&invocation_.import_report);
      case Command::kExchange:
        return Exchange();
      case Command::kMailReport:
        return MailOptions() && ReportChoice() && Period("through") && Sort() && Prior();
      case Command::kMailData:
        return MailOptions() && NoPositional();
      case Command::kTestCheck:
        return NoPositional() && CheckDestination();
      case Command::kBlankCheck:
        return NoPositional() && CheckDestination() && Needs({"number"});
      case Command::kQuickCheck:
        return NoPositional() && CheckDestination() && Needs({"payee", "account", "amount"});
      case Command::kFind:
        return FindText();
      case Command::kInvoices:
        return NoPositional();
      case Command::kAutoInvoice:
        return NoPositional() && PostingMonth() && OptionalReport(&invocation_.posted_report);
      case Command::kPayInvoices:
        return NoPositional() && Payment();
      case Command::kRemoveOldestYear:
        invocation_.removed_report.open = Has("open");
        return NoPositional() && Destination(invocation_.removed_report);
      case Command::kDeleteInactivePayees:
        return NoPositional();
    }
    return false;
  }

 private:
  bool Fail(std::string error) {
    parsed_->error = std::move(error);
    return false;
  }

  std::optional<std::string> Last(std::string_view name) const {
    std::optional<std::string> value;
    for (const auto& [option, text] : words_.options) {
      if (option == name) value = text;
    }
    return value;
  }
  bool Has(std::string_view name) const { return Last(name).has_value(); }
  std::vector<std::string> All(std::string_view name) const {
    std::vector<std::string> values;
    for (const auto& [option, text] : words_.options) {
      if (option == name) values.push_back(text);
    }
    return values;
  }

  bool Globals() {
    if (Has("yes") && Has("no")) return Fail("choose one of '--yes' and '--no'");
    if (Has("yes")) invocation_.answers = ConsoleUi::Answers::kAlwaysYes;
    if (Has("no")) invocation_.answers = ConsoleUi::Answers::kAlwaysNo;
    invocation_.folder = Last("folder").value_or("");
    if (Has("folder") && invocation_.folder.empty()) return Fail("'--folder' needs a folder");
    invocation_.password_file = Last("password-file").value_or("");
    if (Has("password-file") && invocation_.password_file.empty()) {
      return Fail("'--password-file' needs a file");
    }
    return true;
  }

  bool NoPositional() {
    if (words_.positional.empty()) return true;
    return Fail("unexpected argument '" + words_.positional.front() + "'");
  }

  // The one folder of backup and restore.
  bool BackupFolder() {
    if (words_.positional.size() != 1) return Fail("name one backup folder");
    invocation_.backup_folder = words_.positional.front();
    return true;
  }

  bool SetNumber() {
    const std::optional<std::string> set = Last("set");
    if (!set) return true;
    if (!ReadNumber(*set, &invocation_.set_number) || invocation_.set_number > 99) {
      return Fail("'--set' takes a number from 0 to 99, not '" + *set + "'");
    }
    return true;
  }

  // The month of post-recurring, which must be named.
  bool PostingMonth() {
    const std::optional<std::string> month = Last("month");
    if (!month) return Fail("name the month to post with '--month YYYY-MM'");
    const std::optional<ReportPeriod> period = ParseMonth(*month);
    if (!period) return Fail("'--month' takes YYYY-MM, not '" + *month + "'");
    const CivilDate first = ToCivilDate(period->first);
    invocation_.post_year = first.year;
    invocation_.post_month = first.month;
    return true;
  }

  // The one document of the check commands, and their values.
  bool CheckDestination() {
    CheckRequest& check = invocation_.check;
    if (Has("pdf") == Has("print")) return Fail("choose one of '--pdf FILE' and '--print'");
    check.to_printer = Has("print");
    check.file = Last("pdf").value_or("");
    check.printer = Last("print").value_or("");
    if (!check.to_printer && check.file.empty()) return Fail("name the file to write");
    check.number = Last("number").value_or("");
    check.payee = Last("payee").value_or("");
    check.account = Last("account").value_or("");
    check.amount = Last("amount").value_or("");
    check.memo = Last("memo");
    return true;
  }

  bool Needs(std::initializer_list<std::string_view> options) {
    for (std::string_view option : options) {
      if (Last(option).value_or("").empty()) {
        return Fail("'" + std::string(words_.command->name) + "' needs '--" + std::string(option) +
                    "'");
      }
    }
    return true;
  }

  // The one text of find, which may not be empty.
  bool FindText() {
    if (words_.positional.size() != 1) return Fail("name one text to find");
    invocation_.find_text = words_.positional.front();
    if (invocation_.find_text.empty()) return Fail("the text to find is empty");
    return true;
  }

  bool ExportJournal() {
    if (words_.positional.size() > 1) return Fail("name one journal file at most");
    invocation_.accrual = Has("accrual");
    if (!words_.positional.empty()) invocation_.journal_file = words_.positional.front();
    return true;
  }

  bool Report() {
    return ReportChoice() && Period("to") && Destination(invocation_.report) && Sort() && Prior();
  }

  // The reports named and the options turned on.
  bool ReportChoice() {
    ReportRequest& report = invocation_.report;
    if (words_.positional.empty()) return Fail("name the report to run");
    for (const std::string& name : words_.positional) {
      const std::optional<std::string_view> label = MatchLabel(name, labels_);
      if (!label) return Fail("'" + name + "' is not a report kxbatch can run");
      report.labels.emplace_back(*label);
    }
    report.open = Has("open");
    report.sort_entries = Has("sort-entries");
    report.shading_bars = Has("shading-bars");
    report.include_descriptions = Has("include-descriptions");
    report.omit_percentages = Has("omit-percentages");
    report.include_zero_balances = Has("include-zero");
    report.account = Last("account").value_or("");
    report.payee = Last("payee").value_or("");
    report.mark_printed = Has("mark-printed");
    return true;
  }

  bool Sort() {
    const std::optional<std::string> sort = Last("sort");
    if (!sort) return true;
    invocation_.report.sort = EntryOrderNamed(*sort);
    if (!invocation_.report.sort)
      return Fail("'--sort' takes one of the orders of the sort dialog, not '" + *sort + "'");
    return true;
  }

  // The prior period of the Activity Comparison.
  bool Prior() {
    if (!Has("prior-from") && !Has("prior-to")) return true;
    if (!Has("prior-from") || !Has("prior-to")) {
      return Fail("a prior period needs both '--prior-from' and '--prior-to'");
    }
    const std::optional<DayNumber> first = ParseIsoDate(*Last("prior-from"));
    const std::optional<DayNumber> last = ParseIsoDate(*Last("prior-to"));
    if (!first || !last) {
      return Fail("'--prior-from' and '--prior-to' take YYYY-MM-DD, not '" +
                  *Last(first ? "prior-to" : "prior-from") + "'");
    }
    invocation_.report.prior = RangePeriod(*first, *last);
    return true;
  }

  // Where mail goes and the SMTP password's file.
  bool MailOptions() {
    invocation_.mail_to = Last("to").value_or("");
    if (Has("to") && invocation_.mail_to.empty()) return Fail("'--to' needs an address");
    invocation_.mail_password_file = Last("mail-password-file").value_or("");
    if (Has("mail-password-file") && invocation_.mail_password_file.empty()) {
      return Fail("'--mail-password-file' needs a file");
    }
    return true;
  }

  // The report of an import (or of the auto invoices) goes where one of
  // the document options says, or nowhere without one.
  bool OptionalReport(std::optional<DocumentRequest>* into) {
    if (!Has("pdf") && !Has("csv") && !Has("print")) {
      if (Has("open")) return Fail("'--open' goes with '--pdf' or '--csv'");
      return true;
    }
    DocumentRequest report;
    report.open = Has("open");
    if (!Destination(report)) return false;
    *into = report;
    return true;
  }

  // Which invoices pay-invoices pays, how, from which number and when.
  bool Payment() {
    PaymentRequest& payment = invocation_.payment;
    payment.all = Has("all");
    payment.payees = All("payee");
    if (payment.all == !payment.payees.empty()) {
      return Fail("choose '--all' or name the payees with '--payee NAME'");
    }
    for (const std::string& payee : payment.payees) {
      if (payee.empty()) return Fail("'--payee' needs a name");
    }
    payment.save_as_paid = Has("save-as-paid");
    if (payment.save_as_paid + Has("pdf") + Has("print") != 1) {
      return Fail("choose one of '--save-as-paid', '--pdf FILE' and '--print'");
    }
    CheckRequest& check = invocation_.check;
    check.to_printer = Has("print");
    check.file = Last("pdf").value_or("");
    check.printer = Last("print").value_or("");
    if (Has("pdf") && check.file.empty()) return Fail("name the file to write");
    check.number = Last("first-check").value_or("");
    if (Has("first-check") && check.number.empty()) return Fail("'--first-check' needs a number");
    if (const std::optional<std::string> date = Last("date")) {
      payment.date = ParseIsoDate(*date);
      if (!payment.date) return Fail("'--date' takes YYYY-MM-DD, not '" + *date + "'");
    }
    return true;
  }

  bool Exchange() {
    using Action = Invocation::ExchangeAction;
    const std::vector<std::string>& words = words_.positional;
    if (words.empty()) return Fail("name what to do: export DIR, import DIR or reset");
    if (words[0] == "reset") {
      if (words.size() != 1) return Fail("unexpected argument '" + words[1] + "'");
      invocation_.exchange_action = Action::kReset;
      return true;
    }
    if (words[0] != "export" && words[0] != "import") {
      return Fail("'" + words[0] + "' is not one of export, import and reset");
    }
    if (words.size() != 2) return Fail("name one folder to " + words[0] + " the package");
    invocation_.exchange_action = words[0] == "export" ? Action::kExport : Action::kImport;
    invocation_.exchange_folder = words[1];
    return true;
  }

  bool Destination(DocumentRequest& report) {
    const int chosen = Has("pdf") + Has("csv") + Has("print");
    if (chosen != 1) return Fail("choose one of '--pdf FILE', '--csv FILE' and '--print'");
    if (Has("pdf")) report.destination = ReportDestination::kPdf;
    if (Has("csv")) report.destination = ReportDestination::kCsv;
    if (Has("print")) report.destination = ReportDestination::kPrinter;
    report.file = Last("pdf").value_or(Last("csv").value_or(""));
    report.printer = Last("print").value_or("");
    if (report.destination != ReportDestination::kPrinter && report.file.empty()) {
      return Fail("name the file to write");
    }
    if (report.open && report.destination == ReportDestination::kPrinter) {
      return Fail("'--open' goes with '--pdf' or '--csv'");
    }
    return true;
  }

  // The period; a date range ends with the option `until` ("to", or
  // "through" where --to names the recipient).
  bool Period(const std::string& until) {
    const int chosen = Has("date") + Has("month") + Has("quarter") + (Has("from") || Has(until));
    if (chosen > 1) {
      return Fail("choose one period: --date, --month, --quarter or --from/--" + until);
    }
    if (Has("date")) return DateOption();
    if (Has("month")) return Parsed("month", ParseMonth(*Last("month")), "YYYY-MM");
    if (Has("quarter")) return Parsed("quarter", ParseQuarter(*Last("quarter")), "YYYY-Qn");
    if (Has("from") || Has(until)) return Range(until);
    return true;
  }

  bool DateOption() {
    const std::optional<DayNumber> day = ParseIsoDate(*Last("date"));
    return Parsed("date", day ? std::optional(DatePeriod(*day)) : std::nullopt, "YYYY-MM-DD");
  }

  bool Range(const std::string& until) {
    if (!Has("from") || !Has(until)) {
      return Fail("a date range needs both '--from' and '--" + until + "'");
    }
    const std::optional<DayNumber> first = ParseIsoDate(*Last("from"));
    const std::optional<DayNumber> last = ParseIsoDate(*Last(until));
    if (!first) return Parsed("from", std::nullopt, "YYYY-MM-DD");
    if (!last) return Parsed(until, std::nullopt, "YYYY-MM-DD");
    // An end before the start is the report's own check, with its message.
    invocation_.report.period = RangePeriod(*first, *last);
    return true;
  }

  bool Parsed(std::string_view option, std::optional<ReportPeriod> period, std::string_view form) {
    if (!period) {
      return Fail("'--" + std::string(option) + "' takes " + std::string(form) + ", not '" +
                  *Last(option) + "'");
    }
    invocation_.report.period = period;
    return true;
  }

  const Words& words_;
  const std::vector<std::string_view>& labels_;
  ParsedCommandLine* parsed_;
  Invocation& invocation_;
};

}  // namespace

std::optional<DayNumber> ParseIsoDate(std::string_view text) {
  int year = 0, month = 0, day = 0;
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
  if (!ReadNumber(text.substr(0, 4), &year) || !ReadNumber(text.substr(5, 2), &month) ||
      !ReadNumber(text.substr(8, 2), &day)) {
    return std::nullopt;
  }
  return MakeDayNumber(year, month, day);
}

std::optional<ReportPeriod> ParseMonth(std::string_view text) {
  int year = 0, month = 0;
  if (text.size() != 7 || text[4] != '-' || !ReadNumber(text.substr(0, 4), &year) ||
      !ReadNumber(text.substr(5, 2), &month) || !IsValidDate(year, month, 1)) {
    return std::nullopt;
  }
  return MonthPeriod(year, month);
}

std::optional<ReportPeriod> ParseQuarter(std::string_view text) {
  int year = 0, quarter = 0;
  if (text.size() != 7 || text[4] != '-' || (text[5] != 'Q' && text[5] != 'q') ||
      !ReadNumber(text.substr(0, 4), &year) || !ReadNumber(text.substr(6, 1), &quarter) ||
      quarter < 1 || quarter > 4 || !IsValidDate(year, 1, 1)) {
    return std::nullopt;
  }
  return QuarterPeriod(year, quarter);
}

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& args,
                                   const std::vector<std::string_view>& report_labels) {
  ParsedCommandLine parsed;
  Words words;
  if (!Splitter(args, report_labels).Split(&words, &parsed.error)) return parsed;
  if (words.help || words.command == nullptr) {
    if (words.command != nullptr) parsed.help_topic = std::string(words.command->name);
    // Nothing at all to do is a usage error, shown with the program's help.
    parsed.outcome =
        words.help ? ParsedCommandLine::Outcome::kHelp : ParsedCommandLine::Outcome::kUsageError;
    if (!words.help) parsed.error = "name a command";
    return parsed;
  }
  if (Interpreter(words, report_labels, &parsed).Run()) {
    parsed.outcome = ParsedCommandLine::Outcome::kRun;
  }
  return parsed;
}

}  // namespace zenkar
