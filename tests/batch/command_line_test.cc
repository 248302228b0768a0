// The command line: what each command takes, and the usage errors (exit 2)
// that stop a run before any file is touched.
#include "batch/command_line.h"

#include <gtest/gtest.h>

#include "batch/batch_help.h"
#include "batch_fixture.h"

namespace zenkar {
namespace {

using testing::Day;

const std::vector<std::string_view> kLabels = {"Income Statement", "Balance Sheet"};

ParsedCommandLine Parse(std::vector<std::string> args) { return ParseCommandLine(args, kLabels); }

Invocation Parsed(std::vector<std::string> args) {
  const ParsedCommandLine parsed = Parse(args);
  EXPECT_EQ(parsed.outcome, ParsedCommandLine::Outcome::kRun) << parsed.error;
  return parsed.invocation;
}

TEST(CommandLineTest, GlobalOptionsStandAnywhere) {
  const Invocation before = Parsed({"--folder", "books", "--yes", "where"});
  EXPECT_EQ(before.command, Command::kWhere);
  EXPECT_EQ(before.folder, "books");
  EXPECT_EQ(before.answers, ConsoleUi::Answers::kAlwaysYes);
  const Invocation after = Parsed({"test", "--no", "--folder=other"});
  EXPECT_EQ(after.command, Command::kTest);
  EXPECT_EQ(after.folder, "other");
  EXPECT_EQ(after.answers, ConsoleUi::Answers::kAlwaysNo);
  EXPECT_EQ(Parsed({"where"}).answers, ConsoleUi::Answers::kPreselected);
}

TEST(CommandLineTest, ReportTakesLabelsPeriodAndDestination) {
  const Invocation month =
      Parsed({"report", "income statement", "--month", "2025-02", "--pdf", "is.pdf", "--open"});
  EXPECT_EQ(month.report.labels, std::vector<std::string>{"Income Statement"});
  EXPECT_EQ(month.report.period, MonthPeriod(2025, 2));
  EXPECT_EQ(month.report.destination, ReportDestination::kPdf);
  EXPECT_EQ(month.report.file, "is.pdf");
  EXPECT_TRUE(month.report.open);

  EXPECT_EQ(
      Parsed({"report", "Balance Sheet", "--quarter=2025-q4", "--csv", "b.csv"}).report.period,
      QuarterPeriod(2025, 4));
  EXPECT_EQ(Parsed({"report", "Balance Sheet", "--date", "2024-02-29", "--csv", "b"}).report.period,
            DatePeriod(Day(2024, 2, 29)));
  // A reversed range passes: the report refuses it with its own message.
  EXPECT_EQ(Parsed({"report", "Balance Sheet", "--from", "2025-03-31", "--to", "2025-03-01",
                    "--csv", "b"})
                .report.period,
            RangePeriod(Day(2025, 3, 31), Day(2025, 3, 1)));
  EXPECT_FALSE(Parsed({"report", "Balance Sheet", "--csv", "b"}).report.period.has_value());
}

TEST(CommandLineTest, PrintTakesAPrinterUnlessTheNextWordIsAReport) {
  const Invocation named = Parsed({"report", "Balance Sheet", "--print", "office"});
  EXPECT_EQ(named.report.destination, ReportDestination::kPrinter);
  EXPECT_EQ(named.report.printer, "office");
  const Invocation two = Parsed({"report", "--print", "Income Statement", "Balance Sheet"});
  EXPECT_EQ(two.report.printer, "");
  EXPECT_EQ(two.report.labels.size(), 2u);
  EXPECT_EQ(Parsed({"report", "Balance Sheet", "--print"}).report.printer, "");
}

TEST(CommandLineTest, NewAndExportTakeTheirOwnArguments) {
  EXPECT_EQ(Parsed({"new", "--name", "Café Zürich"}).company_name, "Café Zürich");
  const Invocation journal = Parsed({"export-journal", "--accrual", "books.journal"});
  EXPECT_TRUE(journal.accrual);
  EXPECT_EQ(journal.journal_file, "books.journal");
  EXPECT_EQ(Parsed({"export-journal"}).journal_file, "");
}

TEST(CommandLineTest, UsageErrorsSayWhatIsWrong) {
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{}, "name a command"},
      {{"balance"}, "unknown command 'balance'"},
      {{"where", "--pdf", "x"}, "unknown option '--pdf' for 'where'"},
      {{"--accrual", "export-journal"}, "unknown option '--accrual'"},
      {{"where", "extra"}, "unexpected argument 'extra'"},
      {{"--yes", "--no", "where"}, "choose one of '--yes' and '--no'"},
      {{"--folder"}, "option '--folder' needs a value"},
      {{"export-journal", "--accrual=1"}, "option '--accrual' takes no value"},
      {{"export-journal", "a", "b"}, "name one journal file at most"},
      {{"report", "--pdf", "x"}, "name the report to run"},
      {{"report", "General Ledger", "--pdf", "x"},
       "'General Ledger' is not a report kxbatch can run"},
      {{"report", "Balance Sheet"}, "choose one of '--pdf FILE', '--csv FILE' and '--print'"},
      {{"report", "Balance Sheet", "--pdf", "x", "--csv", "y"}, "choose one of"},
      {{"report", "Balance Sheet", "--print", "--open"}, "'--open' goes with '--pdf' or '--csv'"},
      {{"report", "Balance Sheet", "--pdf="}, "name the file to write"},
      {{"report", "Balance Sheet", "--month", "2025-02", "--date", "2025-02-01", "--pdf", "x"},
       "choose one period"},
      {{"report", "Balance Sheet", "--from", "2025-01-01", "--pdf", "x"},
       "a date range needs both '--from' and '--to'"},
      {{"report", "Balance Sheet", "--date", "2025-02-30", "--pdf", "x"},
       "'--date' takes YYYY-MM-DD, not '2025-02-30'"},
      {{"report", "Balance Sheet", "--date", "2025-2-03", "--pdf", "x"}, "'--date' takes"},
      {{"report", "Balance Sheet", "--month", "2025-13", "--pdf", "x"}, "'--month' takes YYYY-MM"},
      {{"report", "Balance Sheet", "--quarter", "2025-Q5", "--pdf", "x"}, "'--quarter' takes"},
      {{"report", "Balance Sheet", "--from", "2025-01-01", "--to", "soon", "--pdf", "x"},
       "'--to' takes YYYY-MM-DD, not 'soon'"},
  };
  for (const auto& [args, error] : cases) {
    const ParsedCommandLine parsed = Parse(args);
    EXPECT_EQ(parsed.outcome, ParsedCommandLine::Outcome::kUsageError)
        << ::testing::PrintToString(args);
    EXPECT_NE(parsed.error.find(error), std::string::npos)
        << ::testing::PrintToString(args) << " gave: " << parsed.error;
  }
}

TEST(CommandLineTest, HelpForTheProgramAndEachCommand) {
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{"--help"}, {"-h"}, {"help"}, {"help", "nonsense"}}) {
    const ParsedCommandLine parsed = Parse(args);
    EXPECT_EQ(parsed.outcome, ParsedCommandLine::Outcome::kHelp);
    EXPECT_EQ(parsed.help_topic, "");
  }
  EXPECT_EQ(Parse({"report", "--help"}).help_topic, "report");
  EXPECT_EQ(Parse({"help", "export-journal"}).help_topic, "export-journal");
  // Help wins over an otherwise incomplete command.
  EXPECT_EQ(Parse({"report", "--help"}).outcome, ParsedCommandLine::Outcome::kHelp);

  EXPECT_NE(HelpText("", kLabels).find("export-journal [FILE]"), std::string::npos);
  const std::string report = HelpText("report", kLabels);
  EXPECT_NE(report.find("  Income Statement\n  Balance Sheet\n"), std::string::npos);
  for (std::string_view topic : {"new", "where", "test", "export-journal"}) {
    EXPECT_EQ(
        HelpText(topic, kLabels).rfind("Usage: kxbatch [--folder DIR] " + std::string(topic), 0),
        0u)
        << topic;
  }
}

}  // namespace
}  // namespace zenkar
