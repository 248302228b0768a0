// The three charts as reports: the statements' refusals with their exact
// messages, what is drawn (bars, lines, marks, labels, legend) on the
// recording canvas, the figures as a CSV table, and the sample company's
// charts end to end as PDF files read back with pdftotext -bbox and as CSV
// files against their golden files.
#include "output/chart_reports.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "common/text_field.h"
#include "ledger/reconciliation.h"
#include "output/activity_comparison.h"
#include "output/csv_reader.h"
#include "output/output_fakes.h"
#include "output/pdf_test_tools.h"
#include "output/sample_reports.h"
#include "output/statement_books.h"
#include "support/temp_dir.h"

namespace zenkar {
namespace {

using ::testing::Contains;
using testing::Day;
using ::testing::ElementsAre;
using ::testing::IsSupersetOf;

// The filled rectangles drawn in `color`, as (x, y, width, height).
std::vector<std::array<double, 4>> Bars(const std::vector<testing::CanvasCall>& calls,
                                        CanvasColor color, const ChartBox& box) {
  std::vector<std::array<double, 4>> bars;
  for (const testing::CanvasCall& call : calls) {
    if (call.kind != testing::CanvasCall::kPath || !call.paint.fill ||
        !(call.paint.fill_color == color)) {
      continue;
    }
    for (const CanvasPath::Segment& segment : call.path.segments()) {
      const auto& p = segment.points;
      // The legend's swatches lie under the plot.
      if (segment.op == CanvasPath::Op::kRectangle && p[0].y < box.bottom) {
        bars.push_back({p[0].x, p[0].y, p[1].x, p[1].y});
      }
    }
  }
  return bars;
}

class ChartReportsTest : public ::testing::Test {
 protected:
  ChartReportsTest() : out_(dir_.path()) {
    out_.services.printer = &out_.printer;
    testing::AddBalanceAccounts(books_);
    testing::AddIncomeAccounts(books_);
    books_.accounts[1].balance_forward = Money::FromUnits(2000);
    books_.Check(Day(2025, 1, 10), "510", -150000)
        .Check(Day(2025, 1, 20), "650", 60000)
        .Check(Day(2025, 2, 3), "510", 40000)  // a refund: February's income is negative
        .Check(Day(2025, 2, 4), "660", 10000)
        .Check(Day(2025, 3, 5), "650", 60000)
        .Invoice(Day(2025, 2, 1), "675", 12345)
        .Invoice(Day(2025, 3, 20), "675", 20000);
  }

  std::vector<testing::CanvasCall>& Printed() { return out_.printer.jobs.back(); }
  std::vector<std::string> Texts() { return testing::TextsOf(Printed()); }
  // The box the charts are drawn in under the listings' heading.
  ChartBox Box(size_t heading_lines) {
    ListingHeading heading;
    heading.lines.resize(heading_lines);
    return ChartPageBox(heading);
  }

  testing::TestBooks books_;
  testing::TempDir dir_;
  testing::TestOutput out_;
};

TEST_F(ChartReportsTest, TheStatementsRefusalsComeBeforeAnyOutput) {
  PrintJob job(out_.services, OutputTarget::kPrinter);
  const StatementBooks books = books_.Books();
  EXPECT_FALSE(
      PrintIncomeExpenseChart(books, job, RangePeriod(Day(2024, 12, 1), Day(2025, 1, 31))));
  EXPECT_FALSE(PrintBankBalanceChart(books, job, RangePeriod(Day(2025, 3, 2), Day(2025, 3, 1))));
  EXPECT_FALSE(PrintIncomeExpenseChart(books, job, MonthPeriod(2025, 4)));
  EXPECT_FALSE(PrintInvoiceAgeChart(books_.Listing(), job, MonthPeriod(2025, 1)));
  EXPECT_THAT(out_.ui.Texts(),
              ElementsAre(kSingleAccountingYear, kEndBeforeStart,
                          "No transactions dated 04/01/2025 through 04/30/2025 were found.",
                          "No invoices dated 01/01/2025 through 01/31/2025 were found."));
  out_.ui.ClearMessages();

  books_.Check(Day(2025, 3, 6), "", 100);
  EXPECT_FALSE(PrintIncomeExpenseChart(books_.Books(), job, MonthPeriod(2025, 3)));
  books_.last().account = AccountKey("777");
  EXPECT_FALSE(PrintBankBalanceChart(books_.Books(), job, MonthPeriod(2025, 3)));
  books_.lines.pop_back();
  books_.settings.bank_account = "100";  // a title account
  EXPECT_FALSE(PrintBankBalanceChart(books_.Books(), job, MonthPeriod(2025, 3)));
  EXPECT_THAT(out_.ui.Texts(), ElementsAre(kComparisonMissingAccount, kComparisonDeletedAccount,
                                           kSelectValidBankAccount));
  EXPECT_TRUE(out_.printer.jobs.empty());
}

TEST_F(ChartReportsTest, IncomeAndExpensesDrawBarsSideBySideWithTheNetProfitLine) {
  PrintJob job(out_.services, OutputTarget::kPrinter);
  ASSERT_TRUE(PrintIncomeExpenseChart(books_.Books(), job, MonthPeriod(2025, 3)));
  EXPECT_EQ(out_.printer.titles, std::vector<std::string>{"Income-and-Expenses-by-Month"});
  const ChartBox box = Box(2);
  // January and February have income; every counted month has expenses.
  const auto income = Bars(Printed(), kIncomeColor, box);
  const auto expenses = Bars(Printed(), kExpenseColor, box);
  ASSERT_EQ(income.size(), 2u);
  ASSERT_EQ(expenses.size(), 3u);
  // Side by side: the expense bar starts where the income bar ends.
  EXPECT_NEAR(income[0][0] + income[0][2], expenses[0][0], 1e-9);
  // February's negative income hangs below the zero line, where January's
  // income stands on it.
  const double zero = income[0][1] + income[0][3];
  EXPECT_NEAR(income[1][1], zero, 1e-9);
  EXPECT_GT(income[1][3], 0);
  // The net profit: one line through the three months, a mark on each.
  int lines = 0, marks = 0;
  for (const testing::CanvasCall& call : Printed()) {
    if (call.kind != testing::CanvasCall::kPath || !(call.paint.stroke_color == kNetColor))
      continue;
    if (call.paint.stroke && !call.paint.fill && call.path.segments().size() == 3) ++lines;
    if (call.paint.fill && !call.paint.stroke && call.paint.fill_color == kNetColor) ++marks;
  }
  EXPECT_EQ(lines, 1);
  EXPECT_EQ(marks, 3 + 1);  // and the legend's
  const std::vector<std::string> texts = Texts();
  EXPECT_THAT(texts, IsSupersetOf({"INCOME AND EXPENSES BY MONTH", "Test Company",
                                   "For the Accounting Year January 1, 2025 through December 31, "
                                   "2025",
                                   "Figures through March 31, 2025", "Jan", "Dec", "2025", "Income",
                                   "Expenses", "Net Profit", "0.00"}));
  // The value axis is in the statements' style and reaches below zero.
  EXPECT_THAT(texts, Contains("1,000.00"));
  EXPECT_THAT(texts, Contains("(500.00)"));
}

TEST_F(ChartReportsTest, TheBankBalanceMarksAndLabelsItsLowestAndHighestPoints) {
  PrintJob job(out_.services, OutputTarget::kPrinter);
  ASSERT_TRUE(
      PrintBankBalanceChart(books_.Books(), job, RangePeriod(Day(2025, 1, 1), Day(2025, 3, 31))));
  const std::vector<std::string> texts = Texts();
  // 2,000.00 + 1,500.00 on January 10 is the highest, 1,800.00 after the
  // check of March 5 the lowest.
  EXPECT_THAT(texts,
              IsSupersetOf({"BANK BALANCE", "For the Period January 1, 2025 through March 31, 2025",
                            "Account 110", "Highest: 3,500.00 on 01/10/2025",
                            "Lowest: 1,800.00 on 03/05/2025", "01/01/2025", "03/31/2025",
                            "Balance of Account 110"}));
  int line_points = 0, rings = 0;
  for (const testing::CanvasCall& call : Printed()) {
    if (call.kind != testing::CanvasCall::kPath) continue;
    if (call.paint.stroke && !call.paint.fill && call.paint.stroke_color == kBalanceColor &&
        call.path.segments().size() > 2) {
      line_points = static_cast<int>(call.path.segments().size());
    }
    if (call.path.segments().size() > 1 && call.path.segments()[1].op == CanvasPath::Op::kCurve) {
      ++rings;
    }
  }
  EXPECT_EQ(line_points, 90);  // a point for every day
  EXPECT_EQ(rings, 2);
}

TEST_F(ChartReportsTest, UnpaidInvoicesByAgeLabelEveryBarWithItsAmountAndCount) {
  books_.Invoice(Day(2025, 3, 25), "675", 5000);
  PrintJob job(out_.services, OutputTarget::kPrinter);
  ASSERT_TRUE(PrintInvoiceAgeChart(books_.Listing(), job, MonthPeriod(2025, 3)));
  // On March 31: two invoices not yet due, one due March 3 (28 days).
  const std::vector<std::string> texts = Texts();
  EXPECT_THAT(texts, IsSupersetOf({"UNPAID INVOICES BY AGE", "As of March 31, 2025",
                                   "Total Unpaid: 373.45 (3 invoices)", "Not Yet Due", "1-30 Days",
                                   "31-60 Days", "61-90 Days", "Over 90 Days", "250.00",
                                   "2 invoices", "123.45", "1 invoice", "0 invoices"}));
  int bars = 0;
  for (const CanvasColor& color : kAgeColors) bars += Bars(Printed(), color, Box(2)).size();
  EXPECT_EQ(bars, 2);
}

TEST_F(ChartReportsTest, TheCsvTargetWritesTheFiguresAsATable) {
  PrintJob job(out_.services, OutputTarget::kText);
  ASSERT_TRUE(PrintIncomeExpenseChart(books_.Books(), job, MonthPeriod(2025, 2)));
  ASSERT_EQ(out_.shell.opened.size(), 1u);
  std::string text;
  ASSERT_TRUE(PosixFileSystem().ReadFile(out_.shell.opened[0], &text).ok());
  const auto rows = testing::ReadCsv(text);
  ASSERT_TRUE(rows.has_value());
  EXPECT_THAT(*rows,
              IsSupersetOf({testing::CsvRow{"Month", "Income", "Expenses", "Net Profit"},
                            testing::CsvRow{"2025 - January", "1,500.00", "600.00", "900.00"},
                            testing::CsvRow{"2025 - February", "(400.00)", "100.00", "(500.00)"},
                            testing::CsvRow{"Total", "1,100.00", "700.00", "400.00"}}));
}

TEST(ChartRegistryTest, TheChartsAreAGroupOfTheirOwnRunAfterTheReports) {
  ReportRegistry registry;
  AddChartReports(registry);
  EXPECT_TRUE(registry.AvailableLabels().empty());
  EXPECT_THAT(registry.AvailableCharts(), ElementsAre("Income and Expenses by Month",
                                                      "Bank Balance", "Unpaid Invoices by Age"));
  EXPECT_EQ(registry.RunnableLabels(), registry.AvailableCharts());
  EXPECT_TRUE(registry.Find(kBankBalanceChartLabel)->allows_text);
  EXPECT_TRUE(registry.Find(kBankBalanceChartLabel)->allows_mail);
}

class SampleCompanyChartsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { company_ = new testing::SampleCompany(); }
  static void TearDownTestSuite() {
    delete company_;
    company_ = nullptr;
  }

  SampleCompanyChartsTest() : out_(dir_.path()) {
    AddChartReports(registry_);
    out_.services.pdf_options.user_name = "Sample User";
  }

  std::string Run(std::string_view label, OutputTarget target, const ReportPeriod& period) {
    const ReportRunResult result = RunReports(registry_, company_->ledger, out_.services,
                                              {{std::string(label)}, target, period, {}});
    EXPECT_EQ(out_.ui.Texts(), std::vector<std::string>{}) << label;
    if (!result.completed || out_.shell.opened.empty()) return "";
    return out_.shell.opened.back();
  }

  // The words that are `first`.
  static std::vector<testing::PdfWord> WordsStarting(const std::vector<testing::PdfWord>& words,
                                                     std::string_view first) {
    std::vector<testing::PdfWord> found;
    for (const testing::PdfWord& word : words) {
      if (word.text == first) found.push_back(word);
    }
    return found;
  }

  static testing::SampleCompany* company_;
  testing::TempDir dir_;
  testing::TestOutput out_;
  ReportRegistry registry_;
};

testing::SampleCompany* SampleCompanyChartsTest::company_ = nullptr;

TEST_F(SampleCompanyChartsTest, EveryChartIsASoundPdfAndItsTableMatchesItsGoldenFile) {
  struct Case {
    std::string_view label;
    std::string_view file;
    ReportPeriod period;
  };
  const Case cases[] = {
      {kIncomeExpenseChartLabel, "income_expenses_2025_09", MonthPeriod(testing::kSampleYear, 9)},
      {kBankBalanceChartLabel, "bank_balance_2025_q2", QuarterPeriod(testing::kSampleYear, 2)},
      {kInvoiceAgeChartLabel, "invoice_ages_2025_12", MonthPeriod(testing::kSampleYear, 12)},
  };
  for (const Case& chart : cases) {
    SCOPED_TRACE(std::string(chart.label));
    const std::string pdf = Run(chart.label, OutputTarget::kPdf, chart.period);
    ASSERT_FALSE(pdf.empty());
    EXPECT_EQ(testing::QpdfProblems(pdf), std::nullopt);
    EXPECT_EQ(testing::PdfTextPages(pdf).size(), 1u);
    const std::string csv = Run(chart.label, OutputTarget::kText, chart.period);
    ASSERT_FALSE(csv.empty());
    std::string text;
    ASSERT_TRUE(PosixFileSystem().ReadFile(csv, &text).ok());
    testing::ExpectGoldenText(chart.label, text, "charts", std::string(chart.file) + ".csv", dir_);
  }
}

TEST_F(SampleCompanyChartsTest, ThePdfPlacesTheLegendUnderThePlotAndTheMarksLabels) {
  const std::string pdf =
      Run(kIncomeExpenseChartLabel, OutputTarget::kPdf, MonthPeriod(testing::kSampleYear, 12));
  ASSERT_FALSE(pdf.empty());
  std::vector<testing::PdfWord> words = testing::PdfWords(pdf);
  // The year's chart has one period line, the balance's two.
  ChartBox box = ChartPageBox(ListingHeadingOf("", "", {""}));
  for (std::string_view name : {"Income", "Expenses", "Net"}) {
    const auto found = WordsStarting(words, name);
    ASSERT_FALSE(found.empty()) << name;
    EXPECT_GT(found.back().y_min, box.bottom) << name;  // the legend's, under the month names
  }
  const auto months = WordsStarting(words, "Jan");
  ASSERT_EQ(months.size(), 1u);
  EXPECT_GT(months[0].y_min, box.bottom);
  EXPECT_LT(months[0].y_max, box.bottom + 16);

  const std::string balance =
      Run(kBankBalanceChartLabel, OutputTarget::kPdf, QuarterPeriod(testing::kSampleYear, 2));
  ASSERT_FALSE(balance.empty());
  words = testing::PdfWords(balance);
  box = ChartPageBox(ListingHeadingOf("", "", {"", ""}));
  const auto highest = WordsStarting(words, "Highest:");
  const auto lowest = WordsStarting(words, "Lowest:");
  ASSERT_EQ(highest.size(), 1u);
  ASSERT_EQ(lowest.size(), 1u);
  // The highest point's label stands above the lowest's, both in the plot.
  EXPECT_LT(highest[0].y_max, lowest[0].y_min);
  EXPECT_GT(highest[0].y_min, box.top);
  EXPECT_LT(lowest[0].y_max, box.bottom);
}

TEST_F(SampleCompanyChartsTest, ThePageStreamHoldsOneRectangleABar) {
  const ReportPeriod december = MonthPeriod(testing::kSampleYear, 12);
  const std::string pdf = Run(kInvoiceAgeChartLabel, OutputTarget::kPdf, december);
  ASSERT_FALSE(pdf.empty());
  InvoiceAgeFigures figures;
  ASSERT_TRUE(ComputeInvoiceAges(ListingBooksOf(company_->ledger), december, &figures));
  int bars = 0;
  for (const AgeBucket& bucket : figures.buckets) bars += bucket.total.IsZero() ? 0 : 1;
  ASSERT_GT(bars, 1);
  const testing::CommandResult stream = testing::RunCommand(
      "qpdf --qdf --object-streams=disable " + testing::ShellQuote(pdf) + " - | grep -ac ' re$'");
  EXPECT_EQ(std::stoi(stream.output), bars);
}

}  // namespace
}  // namespace zenkar
