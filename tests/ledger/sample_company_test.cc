// The sample company the build writes: a year of books that loads without a
// repair, balances, passes the chart consistency test and comes out the same
// every time.
#include "tools/sample_company.h"

#include <gtest/gtest.h>

#include <memory>

#include "common/record_file.h"
#include "ledger/chart_of_accounts.h"
#include "ledger/chart_text.h"
#include "ledger_fixture.h"

namespace zenkar {
namespace {

using testing::FixedClock;
using testing::LedgerFixture;
using testing::ScriptedUi;
using testing::TempDir;

// Writes the sample books into `folder` with the default chart from
// `program_folder`; false when anything was reported.
bool WriteSampleInto(const TempDir& program_folder, const TempDir& folder) {
  std::string text;
  std::vector<AccountRecord> accounts;
  if (!PosixFileSystem().ReadFile(ZENKAR_DEFAULT_CHART_TEXT, &text).ok() ||
      !ParseChartText(text, &accounts).ok()) {
    return false;
  }
  program_folder.WriteFile("KXACCTCOA.DAT", ChartOfAccounts(accounts).Encode());
  ScriptedUi ui;
  FixedClock clock;
  Ledger ledger(PosixFileSystem(), ui, clock);
  ledger.set_program_folder(program_folder.path());
  ledger.SetDataFolder(folder.path());
  const bool written = ledger.OpenDataFolder() && WriteSampleCompany(ledger, 2025);
  ledger.Close();
  return written && ui.messages().empty();
}

class SampleCompanyTest : public LedgerFixture {
 protected:
  // Written once for the whole suite: it takes a while.
  static void SetUpTestSuite() {
    program_ = new TempDir;
    sample_ = new TempDir;
    written_ = WriteSampleInto(*program_, *sample_);
  }
  static void TearDownTestSuite() {
    delete sample_;
    delete program_;
  }

  void SetUp() override {
    ASSERT_TRUE(written_);
    ledger_.SetDataFolder(sample_->path());
    ASSERT_TRUE(ledger_.OpenDataFolder());
  }

  static TempDir* program_;
  static TempDir* sample_;
  static bool written_;
};

TempDir* SampleCompanyTest::program_ = nullptr;
TempDir* SampleCompanyTest::sample_ = nullptr;
bool SampleCompanyTest::written_ = false;

TEST_F(SampleCompanyTest, LoadsWithoutAnyRepairAndBalances) {
  EXPECT_TRUE(ui_.messages().empty()) << ::testing::PrintToString(ui_.Texts());
  EXPECT_EQ(TrimRight(ledger_.settings().name_line_1), "Harborview Supply Co.");
  EXPECT_EQ(ledger_.OutOfBalance(), Money());
  EXPECT_TRUE(ledger_.ChartConsistencyProblems().empty());
  EXPECT_EQ(ledger_.chart().count(),
            ChartOfAccounts::Decode(program_->ReadFile("KXACCTCOA.DAT")).count());
}

TEST_F(SampleCompanyTest, HoldsAYearOfBooksWithPayeesAndOpenInvoices) {
  EXPECT_GE(ledger_.payees().count(), 40);
  EXPECT_GT(ledger_.transaction_count(), 300);
  EXPECT_GT(ledger_.summary().unpaid_count, 0);
  int months[13] = {};
  int journal_lines = 0;
  ledger_.ForEachTransaction([&](const TransactionRecord& line) {
    if (line.date != kNoDate) ++months[ToCivilDate(line.date).month];
    if (IsJournalLine(line)) ++journal_lines;
  });
  for (int month = 1; month <= 12; ++month) EXPECT_GT(months[month], 20) << month;
  EXPECT_GE(journal_lines, 48);
}

TEST(SampleCompanyRepeatTest, TheSameYearGivesTheSameBooks) {
  TempDir program, first, second;
  ASSERT_TRUE(WriteSampleInto(program, first));
  ASSERT_TRUE(WriteSampleInto(program, second));
  EXPECT_TRUE(first.ReadFile("KXACCT.TRN") == second.ReadFile("KXACCT.TRN"));
  EXPECT_TRUE(first.ReadFile("KXACCT.VND") == second.ReadFile("KXACCT.VND"));
  EXPECT_TRUE(first.ReadFile("KXACCT.COA") == second.ReadFile("KXACCT.COA"));
}

}  // namespace
}  // namespace zenkar
