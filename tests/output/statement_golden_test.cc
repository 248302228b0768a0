// The statements of the sample company, end to end: from its data folder
// through the report run to PDF files that qpdf accepts and whose text
// (pdftotext -layout) matches the golden files, and to a CSV whose figures
// read back as computed.
//
// ZENKAR_UPDATE_GOLDEN=1 writes the golden files afresh from this run.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "common/text_field.h"
#include "ledger/ledger.h"
#include "output/csv_reader.h"
#include "output/financial_statements.h"
#include "output/number_format.h"
#include "output/output_fakes.h"
#include "output/sample_reports.h"

namespace zenkar {
namespace {

using testing::kSampleYear;

class SampleCompanyStatementsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { company_ = new Company(); }
  static void TearDownTestSuite() {
    delete company_;
    company_ = nullptr;
  }

  // The sample company, written once for the whole suite.
  using Company = testing::SampleCompany;

  SampleCompanyStatementsTest() : out_(dir_.path()) {
    AddFinancialStatements(registry_);
    out_.services.pdf_options.user_name = "Sample User";
  }

  Ledger& ledger() { return company_->ledger; }

  // Runs one statement through the report run; true when it was written.
  bool Run(std::string_view label, OutputTarget target, const ReportPeriod& period,
           ReportOptions options = {}) {
    ReportRunRequest request{{std::string(label)}, target, period, options};
    const ReportRunResult result = RunReports(registry_, ledger(), out_.services, request);
    EXPECT_EQ(out_.ui.Texts(), std::vector<std::string>{});
    return result.completed;
  }

  // The PDF of `label` checked by qpdf and compared as text with `golden`.
  void ExpectGolden(std::string_view label, const std::string& pdf, std::string_view golden) {
    testing::ExpectGoldenPdf(label, pdf, "statements", golden, dir_);
  }

  static Company* company_;
  testing::TempDir dir_;
  testing::TestOutput out_;
  ReportRegistry registry_;
};

SampleCompanyStatementsTest::Company* SampleCompanyStatementsTest::company_ = nullptr;

TEST_F(SampleCompanyStatementsTest, MonthlyIncomeStatement) {
  ASSERT_TRUE(Run("Income Statement", OutputTarget::kPdf, MonthPeriod(kSampleYear, 6)));
  ExpectGolden("Income Statement", dir_.File("Income-Statement.pdf"),
               "income_statement_2025_06.txt");
}

TEST_F(SampleCompanyStatementsTest, QuarterlyIncomeStatementWithoutPercentages) {
  ASSERT_TRUE(Run("Income Statement", OutputTarget::kPdf, QuarterPeriod(kSampleYear, 4),
                  {.omit_percentages = true}));
  ExpectGolden("Income Statement", dir_.File("Income-Statement.pdf"),
               "income_statement_2025_q4_omit.txt");
}

TEST_F(SampleCompanyStatementsTest, MonthEndBalanceSheet) {
  ASSERT_TRUE(Run("Balance Sheet", OutputTarget::kPdf, MonthPeriod(kSampleYear, 6)));
  ExpectGolden("Balance Sheet", dir_.File("Balance-Sheet.pdf"), "balance_sheet_2025_06.txt");
}

TEST_F(SampleCompanyStatementsTest, YearEndBalanceSheetWithZeroBalances) {
  ASSERT_TRUE(Run("Balance Sheet", OutputTarget::kPdf,
                  RangePeriod(FirstOfMonth(kSampleYear, 1), LastOfMonth(kSampleYear, 12)),
                  {.include_zero_balances = true}));
  ExpectGolden("Balance Sheet", dir_.File("Balance-Sheet.pdf"), "balance_sheet_2025_12_zero.txt");
}

TEST_F(SampleCompanyStatementsTest, TheSameRunWritesTheSameBytes) {
  ASSERT_TRUE(Run("Income Statement", OutputTarget::kPdf, MonthPeriod(kSampleYear, 6)));
  const std::string first = dir_.ReadFile("Income-Statement.pdf");
  ASSERT_TRUE(Run("Income Statement", OutputTarget::kPdf, MonthPeriod(kSampleYear, 6)));
  EXPECT_TRUE(first == dir_.ReadFile("Income-Statement.pdf"));
}

TEST_F(SampleCompanyStatementsTest, TheCsvReadsBackAsTheComputedFigures) {
  const ReportPeriod period = MonthPeriod(kSampleYear, 6);
  ASSERT_TRUE(Run("Income Statement", OutputTarget::kText, period));
  const auto rows = testing::ReadCsv(dir_.ReadFile("Income-Statement.csv"));
  ASSERT_TRUE(rows.has_value());

  const StatementWindow window = StatementWindowOf(period, ledger().settings().fiscal_start_month);
  StatementScan scan;
  ASSERT_TRUE(ScanStatementLines(LedgerTransactions(ledger()), ledger().chart(),
                                 ledger().settings(), window, &scan));
  const IncomeStatement statement = ComputeIncomeStatement(ledger().chart(), scan, window, {});
  // The body follows the company, title, period and two heading lines.
  std::vector<testing::CsvRow> body;
  for (size_t i = 5; i < rows->size(); ++i) {
    if (!(*rows)[i].empty()) body.push_back((*rows)[i]);
  }
  size_t at = 0;
  int compared = 0;
  for (const IncomeStatementLine& line : statement.lines) {
    if (!line.included || line.title_type == kPageBreak) continue;
    ASSERT_LT(at, body.size());
    const testing::CsvRow& row = body[at++];
    ASSERT_EQ(row[0], TrimRight(line.description));  // the CSV drops the padding
    const Money shown[] = {line.amounts[kCurrentPeriod], Money::FromCents(line.percents[0]),
                           line.amounts[kYearToDate], Money::FromCents(line.percents[1])};
    for (size_t field = 1; field < row.size() && field <= 4; ++field) {
      if (row[field].empty()) {
        EXPECT_TRUE(shown[field - 1].IsZero()) << line.description;
      } else {
        EXPECT_EQ(testing::ShownAmount(row[field]), shown[field - 1]) << line.description;
        ++compared;
      }
    }
  }
  EXPECT_EQ(at, body.size());
  EXPECT_GT(compared, 40);
}

TEST_F(SampleCompanyStatementsTest, ReadingTheFileForStatementsGivesWhatDecodingEveryLineGives) {
  const auto whole_lines = [&](const std::function<void(const TransactionRecord&)>& visit) {
    return ledger().ForEachTransaction(visit);
  };
  // Under accrual accounting the unpaid invoices count, at their invoice dates.
  CompanySettings accrual = ledger().settings();
  accrual.accrual_accounting = 1;
  for (const ReportPeriod& period : {MonthPeriod(kSampleYear, 3), MonthPeriod(kSampleYear, 12)}) {
    const StatementWindow window = StatementWindowOf(period, accrual.fiscal_start_month);
    StatementScan fast;
    StatementScan slow;
    ASSERT_TRUE(
        ScanStatementLines(LedgerTransactions(ledger()), ledger().chart(), accrual, window, &fast));
    ASSERT_TRUE(ScanStatementLines(whole_lines, ledger().chart(), accrual, window, &slow));
    ASSERT_EQ(fast.accounts.size(), slow.accounts.size());
    for (size_t i = 0; i < fast.accounts.size(); ++i) {
      EXPECT_EQ(fast.accounts[i].to_period_end, slow.accounts[i].to_period_end) << i;
      EXPECT_EQ(fast.accounts[i].current, slow.accounts[i].current) << i;
    }
    EXPECT_EQ(fast.line_totals.summary, slow.line_totals.summary);
  }
}

TEST_F(SampleCompanyStatementsTest, TheReportDatesListTheMonthsAndQuartersOfTheBooks) {
  testing::ScriptedUi& ui = company_->ui;
  const ReportDateLists lists = FillReportDates(ledger());
  ASSERT_EQ(lists.months.size(), 12u);
  EXPECT_EQ(lists.months.front().label, "2025 - January");
  EXPECT_EQ(lists.months.back().label, "2025 - December");
  ASSERT_EQ(lists.quarters.size(), 4u);
  EXPECT_EQ(lists.quarters.back().label, "2025 - Quarter 4");
  EXPECT_EQ(ui.progress_texts().back(), "Filling Report Dates");
}

}  // namespace
}  // namespace zenkar
