// The ledger and listing reports of the sample company, end to end: through
// the report run to PDF files that qpdf accepts and whose text (pdftotext
// -layout) matches the golden files, and to CSV files that match theirs and
// read back, through a CSV reader, as the figures computed.
//
// ZENKAR_UPDATE_GOLDEN=1 writes the golden files afresh from this run.
#include <gtest/gtest.h>

#include "common/text_field.h"
#include "output/csv_reader.h"
#include "output/general_ledger.h"
#include "output/ledger_reports.h"
#include "output/output_fakes.h"
#include "output/sample_reports.h"
#include "output/trial_balance.h"
#include "output/unprinted_transactions.h"

namespace zenkar {
namespace {

using testing::kSampleYear;

struct GoldenCase {
  std::string_view label;
  std::string_view file;  // the golden files' name, without .txt / .csv
  ReportPeriod period;
};

const ReportPeriod kJune = MonthPeriod(kSampleYear, 6);

class SampleCompanyListingsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { company_ = new testing::SampleCompany(); }
  static void TearDownTestSuite() {
    delete company_;
    company_ = nullptr;
  }

  SampleCompanyListingsTest() : out_(dir_.path()) {
    AddLedgerReports(registry_);
    out_.services.pdf_options.user_name = "Sample User";
    choices_.account = "110";
    choices_.payee = company_->ledger.FindPayeeByName("Summit Tool & Equipment");
    choices_.periods =
        ComparisonPeriods{QuarterPeriod(kSampleYear, 3), QuarterPeriod(kSampleYear, 4)};
  }

  const Ledger& ledger() { return company_->ledger; }

  // Runs one report; the path of its document, or "" when it failed.
  std::string Run(std::string_view label, OutputTarget target, const ReportPeriod& period,
                  ReportOptions options = {}) {
    ReportRunRequest request{{std::string(label)}, target, period, options, &choices_};
    const ReportRunResult result = RunReports(registry_, ledger(), out_.services, request);
    EXPECT_EQ(out_.ui.Texts(), std::vector<std::string>{}) << label;
    if (!result.completed || out_.shell.opened.empty()) return "";
    return out_.shell.opened.back();
  }

  std::vector<testing::CsvRow> CsvRows(std::string_view label, const ReportPeriod& period) {
    const std::string path = Run(label, OutputTarget::kText, period);
    std::string text;
    EXPECT_TRUE(PosixFileSystem().ReadFile(path, &text).ok()) << label;
    const auto rows = testing::ReadCsv(text);
    EXPECT_TRUE(rows.has_value()) << label;
    return rows.value_or(std::vector<testing::CsvRow>{});
  }

  // The row whose field `field` (from 0) is `text`.
  static const testing::CsvRow* RowWith(const std::vector<testing::CsvRow>& rows, size_t field,
                                        std::string_view text) {
    for (const testing::CsvRow& row : rows) {
      if (row.size() > field && row[field] == text) return &row;
    }
    return nullptr;
  }

  static testing::SampleCompany* company_;
  testing::TempDir dir_;
  testing::TestOutput out_;
  testing::ScriptedChoices choices_;
  ReportRegistry registry_;
};

testing::SampleCompany* SampleCompanyListingsTest::company_ = nullptr;

// Every report as PDF text and as CSV, each against its golden file.
TEST_F(SampleCompanyListingsTest, EveryReportMatchesItsGoldenTextAndCsv) {
  const GoldenCase cases[] = {
      {"General Ledger", "general_ledger_2025_06", kJune},
      {"Trial Balance", "trial_balance_2025_06", kJune},
      {"Transaction Listing", "transaction_listing_2025_06", kJune},
      {"Account Summary", "account_summary_110_2025_06", kJune},
      {"Check and Deposit Listing", "check_deposit_listing_2025_q2", QuarterPeriod(kSampleYear, 2)},
      {"Last 50 Entries", "last_50_entries", kJune},
      {"Unprinted Transactions", "unprinted_transactions", kJune},
      {"Activity Comparison", "activity_comparison_2025_q3_q4", QuarterPeriod(kSampleYear, 4)},
      {"COA Listing", "coa_listing", kJune},
      {"Unpaid Invoice Listing", "unpaid_invoice_listing", kJune},
      {"Payee Listing", "payee_listing_2025", MonthPeriod(kSampleYear, 12)},
      {"Payee Activity", "payee_activity_2025_q2", QuarterPeriod(kSampleYear, 2)},
      {"1099-MISC", "1099_misc_2025", MonthPeriod(kSampleYear, 12)},
  };
  for (const GoldenCase& golden : cases) {
    SCOPED_TRACE(std::string(golden.label));
    const std::string pdf = Run(golden.label, OutputTarget::kPdf, golden.period);
    ASSERT_FALSE(pdf.empty());
    testing::ExpectGoldenPdf(golden.label, pdf, "listings", std::string(golden.file) + ".txt",
                             dir_);
    const std::string csv = Run(golden.label, OutputTarget::kText, golden.period);
    ASSERT_FALSE(csv.empty());
    std::string text;
    ASSERT_TRUE(PosixFileSystem().ReadFile(csv, &text).ok());
    ASSERT_TRUE(testing::ReadCsv(text).has_value());
    testing::ExpectGoldenText(golden.label, text, "listings", std::string(golden.file) + ".csv",
                              dir_);
  }
}

TEST_F(SampleCompanyListingsTest, TheTrialBalanceCsvReadsBackAsItsFigures) {
  TrialBalance balance;
  ASSERT_TRUE(ComputeTrialBalance(ListingBooksOf(ledger()), kJune, &balance));
  const std::vector<testing::CsvRow> rows = CsvRows("Trial Balance", kJune);
  int compared = 0;
  for (const TrialBalanceLine& line : balance.lines) {
    const testing::CsvRow* row = RowWith(rows, 0, line.account);
    ASSERT_NE(row, nullptr) << line.account;
    ASSERT_EQ(row->size(), 5u);
    EXPECT_EQ((*row)[1], line.description);
    EXPECT_EQ(testing::ShownAmount((*row)[2]), line.opening) << line.account;
    EXPECT_EQ(testing::ShownAmount((*row)[3]), line.period) << line.account;
    EXPECT_EQ(testing::ShownAmount((*row)[4]), line.closing) << line.account;
    ++compared;
  }
  EXPECT_GT(compared, 20);
  const testing::CsvRow* totals = RowWith(rows, 1, "TOTALS FOR ALL ACCOUNTS");
  ASSERT_NE(totals, nullptr);
  EXPECT_EQ(testing::ShownAmount((*totals)[4]), Money());  // the sample books balance
}

TEST_F(SampleCompanyListingsTest, TheGeneralLedgerCsvCarriesEveryAccountTotal) {
  GeneralLedger figures;
  ASSERT_TRUE(ComputeGeneralLedger(ListingBooksOf(ledger()), kJune, &figures));
  const std::vector<testing::CsvRow> rows = CsvRows("General Ledger", kJune);
  size_t at = 0;
  for (const GeneralLedgerAccount& account : figures.accounts) {
    while (at < rows.size() && !(rows[at].size() > 2 && rows[at][1] == account.account &&
                                 rows[at][2] == "Account Total")) {
      ++at;
    }
    ASSERT_LT(at, rows.size()) << account.account;
    EXPECT_EQ(testing::ShownAmount(rows[at][5]), account.period) << account.account;
    EXPECT_EQ(testing::ShownAmount(rows[at][6]), account.closing) << account.account;
  }
  // The bank closes on the register's balance.
  const GeneralLedgerAccount* bank = nullptr;
  for (const GeneralLedgerAccount& account : figures.accounts) {
    if (account.account == "110") bank = &account;
  }
  ASSERT_NE(bank, nullptr);
  EXPECT_TRUE(bank->net_checks);
  GeneralLedger whole_year;
  ASSERT_TRUE(ComputeGeneralLedger(
      ListingBooksOf(ledger()),
      RangePeriod(FirstOfMonth(kSampleYear, 1), LastOfMonth(kSampleYear, 12)), &whole_year));
  for (const GeneralLedgerAccount& account : whole_year.accounts) {
    if (account.account == "110") {
      EXPECT_EQ(account.closing, company_->ledger.BankBalance());
    }
  }
}

// A printed General Ledger marks its lines printed: the Unprinted
// Transactions report of the year then finds none. A CSV marks nothing.
TEST(SampleCompanyMarkingTest, AGeneralLedgerOfTheYearLeavesNothingUnprinted) {
  testing::SampleCompany company;
  testing::TempDir dir;
  testing::TestOutput out(dir.path());
  ReportRegistry registry;
  AddLedgerReports(registry);
  const ReportPeriod year = RangePeriod(FirstOfMonth(kSampleYear, 1), LastOfMonth(kSampleYear, 12));
  ReportRunRequest request{{"General Ledger"}, OutputTarget::kText, year, {}};
  request.mark_printed = [&](const std::vector<PrintedLine>& lines) {
    return company.ledger.MarkTransactionsPrinted(lines);
  };
  std::vector<ListedLine> unprinted;
  const ListingBooks books = ListingBooksOf(company.ledger);
  ASSERT_TRUE(ReadUnprintedEntries(books, &unprinted));
  const size_t before = unprinted.size();
  ASSERT_GT(before, 50u);

  ASSERT_TRUE(RunReports(registry, company.ledger, out.services, request).completed);
  ASSERT_TRUE(ReadUnprintedEntries(books, &unprinted));
  EXPECT_EQ(unprinted.size(), before);

  request.target = OutputTarget::kPdf;
  ASSERT_TRUE(RunReports(registry, company.ledger, out.services, request).completed);
  ASSERT_TRUE(ReadUnprintedEntries(books, &unprinted));
  EXPECT_EQ(unprinted.size(), 0u);
  request.ticked = {"Unprinted Transactions"};
  EXPECT_FALSE(RunReports(registry, company.ledger, out.services, request).completed);
  EXPECT_EQ(out.ui.Texts().back(), kAllEntriesPrinted);
}

}  // namespace
}  // namespace zenkar
