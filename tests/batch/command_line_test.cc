// The command line: what each command takes, and the usage errors that stop
// a run (exit status 2) before any file is touched.
#include "batch/command_line.h"

#include <gtest/gtest.h>

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

TEST(CommandLineTest, CommandsTakeTheirOptionsAndGlobalOnesAnywhere) {
  const Invocation where = Parsed({"where", "--no", "--folder=books", "--password-file", "pw"});
  EXPECT_EQ(where.folder, "books");
  EXPECT_EQ(where.password_file, "pw");
  EXPECT_EQ(where.answers, ConsoleUi::Answers::kAlwaysNo);
  EXPECT_EQ(Parsed({"--yes", "test"}).answers, ConsoleUi::Answers::kAlwaysYes);
  EXPECT_EQ(Parsed({"new", "--name", "Café"}).company_name, "Café");
  const Invocation journal = Parsed({"export-journal", "--accrual", "books.journal"});
  EXPECT_TRUE(journal.accrual);
  EXPECT_EQ(journal.journal_file, "books.journal");

  const Invocation posting = Parsed({"post-recurring", "--month", "2025-04"});
  EXPECT_EQ(posting.command, Command::kPostRecurring);
  EXPECT_EQ(posting.post_year, 2025);
  EXPECT_EQ(posting.post_month, 4);

  const Invocation report =
      Parsed({"report", "income statement", "--month", "2025-02", "--pdf", "is.pdf", "--open"});
  EXPECT_EQ(report.report.labels, std::vector<std::string>{"Income Statement"});
  EXPECT_EQ(report.report.period, MonthPeriod(2025, 2));
  EXPECT_EQ(report.report.file, "is.pdf");
  EXPECT_TRUE(report.report.open);
  EXPECT_EQ(Parsed({"report", "Balance Sheet", "--quarter=2025-q4", "--csv", "b"}).report.period,
            QuarterPeriod(2025, 4));
  EXPECT_EQ(Parsed({"report", "Balance Sheet", "--date", "2024-02-29", "--csv", "b"}).report.period,
            DatePeriod(Day(2024, 2, 29)));
  // A reversed range is the report's own refusal, with its message.
  EXPECT_EQ(Parsed({"report", "Balance Sheet", "--from", "2025-03-31", "--to", "2025-03-01",
                    "--csv", "b"})
                .report.period,
            RangePeriod(Day(2025, 3, 31), Day(2025, 3, 1)));
}

TEST(CommandLineTest, PrintTakesAPrinterUnlessTheNextWordIsAReport) {
  EXPECT_EQ(Parsed({"report", "Balance Sheet", "--print", "office"}).report.printer, "office");
  const Invocation two = Parsed({"report", "--print", "Income Statement", "Balance Sheet"});
  EXPECT_EQ(two.report.printer, "");
  EXPECT_EQ(two.report.labels.size(), 2u);
  EXPECT_EQ(two.report.destination, ReportDestination::kPrinter);
}

TEST(CommandLineTest, ReportsTakeTheAnswersOfTheirDialogs) {
  const Invocation report =
      Parsed({"report", "Balance Sheet", "--pdf", "x", "--sort", "check number", "--account", "110",
              "--payee", "Dock Rentals", "--prior-from", "2024-01-01", "--prior-to", "2024-03-31",
              "--mark-printed"});
  EXPECT_EQ(report.report.sort, EntryOrder::kCheckNumber);
  EXPECT_EQ(report.report.account, "110");
  EXPECT_EQ(report.report.payee, "Dock Rentals");
  EXPECT_EQ(report.report.prior, RangePeriod(Day(2024, 1, 1), Day(2024, 3, 31)));
  EXPECT_TRUE(report.report.mark_printed);
  EXPECT_FALSE(Parsed({"report", "Balance Sheet", "--pdf", "x"}).report.mark_printed);
}

TEST(CommandLineTest, UsageErrorsSayWhatIsWrong) {
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{}, "name a command"},
      {{"balance"}, "unknown command 'balance'"},
      {{"where", "--pdf", "x"}, "unknown option '--pdf' for 'where'"},
      {{"--accrual", "export-journal"}, "unknown option '--accrual'"},
      {{"--yes", "--no", "where"}, "choose one of '--yes' and '--no'"},
      {{"--password-file=", "where"}, "'--password-file' needs a file"},
      {{"export-journal", "--accrual=1"}, "option '--accrual' takes no value"},
      {{"report", "Profit Forecast", "--pdf", "x"}, "'Profit Forecast' is not a report kxbatch"},
      {{"report", "Balance Sheet"}, "choose one of '--pdf FILE', '--csv FILE' and '--print'"},
      {{"report", "Balance Sheet", "--print", "--open"}, "'--open' goes with '--pdf' or '--csv'"},
      {{"report", "Balance Sheet", "--month", "2025-02", "--date", "2025-02-01", "--pdf", "x"},
       "choose one period"},
      {{"report", "Balance Sheet", "--date", "2025-02-30", "--pdf", "x"},
       "'--date' takes YYYY-MM-DD, not '2025-02-30'"},
      {{"report", "Balance Sheet", "--quarter", "2025-Q5", "--pdf", "x"}, "'--quarter' takes"},
      {{"report", "Balance Sheet", "--pdf", "x", "--sort", "Size"},
       "'--sort' takes one of the orders of the sort dialog, not 'Size'"},
      {{"report", "Balance Sheet", "--pdf", "x", "--prior-from", "2024-01-01"},
       "a prior period needs both '--prior-from' and '--prior-to'"},
      {{"post-recurring"}, "name the month to post with '--month YYYY-MM'"},
      {{"post-recurring", "--month", "2025-13"}, "'--month' takes YYYY-MM, not '2025-13'"},
      {{"post-recurring", "--month", "2025-04", "April"}, "unexpected argument 'April'"},
  };
  for (const auto& [args, error] : cases) {
    const ParsedCommandLine parsed = Parse(args);
    EXPECT_EQ(parsed.outcome, ParsedCommandLine::Outcome::kUsageError);
    EXPECT_NE(parsed.error.find(error), std::string::npos)
        << ::testing::PrintToString(args) << " gave: " << parsed.error;
  }
}

}  // namespace
}  // namespace zenkar
