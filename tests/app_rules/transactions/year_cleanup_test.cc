// The year clean-up from the window: the checked-out guard, the three
// questions of deleting every transaction with their pauses and the rebuilt
// window, and the data test of the first showing of the "Transactions" tab.
#include "app_rules/transactions/year_cleanup.h"

#include <gtest/gtest.h>

#include "app_rules/transactions/entry_company.h"
#include "ledger/folder_summary.h"
#include "services/exchange/accountant_exchange.h"

namespace zenkar::testing {
namespace {

struct CountingPause : WarningPause {
  int pauses = 0;
  void PauseWithWindowDisabled() override { ++pauses; }
};

bool NoReport(const std::vector<TransactionRecord>&) { return true; }

// `count` checks to Rent, spread evenly from 1 January of `first_year` to
// the end of `last_year`.
std::vector<TransactionRecord> ChecksOver(int count, int first_year, int last_year) {
  const DayNumber first = Day(first_year, 1, 1);
  const DayNumber days = Day(last_year, 12, 31) - first;
  std::vector<TransactionRecord> lines;
  lines.reserve(count);
  for (int i = 0; i < count; ++i) {
    TransactionRecord line = StoredLine(
        kCheckOrDeposit, "Rent", "",
        first + static_cast<DayNumber>(static_cast<int64_t>(i) * days / count), "650", 100);
    line.unprinted = 0;
    lines.push_back(std::move(line));
  }
  return lines;
}

TEST(YearCleanupWindowTest, DeletingEverythingAsksThreeTimesWithPausesAndRebuildsTheWindow) {
  EntryCompany company(ChecksOver(3, 2024, 2025));
  ASSERT_TRUE(company.Load());
  const std::string lines = company.data.ReadFile("KXACCT.TRN");
  for (int yes = 0; yes < 3; ++yes) {
    company.ui.ClearMessages();
    for (int i = 0; i < yes; ++i) company.ui.Answer(true);
    company.ui.Answer(false);
    CountingPause pause;
    EXPECT_EQ(DeleteAllTransactionsFromWindow(company.program, pause), CleanupOutcome::kDeclined);
    EXPECT_EQ(pause.pauses, yes);
    EXPECT_EQ(company.data.ReadFile("KXACCT.TRN"), lines);
  }
  EXPECT_EQ(company.ui.Texts(), (std::vector<std::string>{std::string(kDeleteAllQuestion),
                                                          std::string(kDeleteAllCertain),
                                                          std::string(kDeleteAllLastWord)}));

  const int beeps = company.ui.beeps();
  for (int i = 0; i < 3; ++i) company.ui.Answer(true);
  CountingPause pause;
  EXPECT_EQ(DeleteAllTransactionsFromWindow(company.program, pause), CleanupOutcome::kDone);
  EXPECT_EQ(company.ui.beeps() - beeps, 3);
  EXPECT_EQ(pause.pauses, 2);
  EXPECT_EQ(company.LinesOnDisk(), 0);
  EXPECT_TRUE(company.program.restart_requested());

  // Nothing left to delete: nothing is asked.
  company.ui.ClearMessages();
  EXPECT_EQ(DeleteAllTransactionsFromWindow(company.program, pause), CleanupOutcome::kDeclined);
  EXPECT_TRUE(company.ui.messages().empty());
}

TEST(YearCleanupWindowTest, CheckedOutDataIsNeitherCleanedNorDeleted) {
  std::vector<TransactionRecord> lines = ChecksOver(4, 2024, 2025);
  lines[0].exchange_mark = kMarkCheckedOut;
  EntryCompany company(lines);
  ASSERT_TRUE(company.Load());
  CountingPause pause;
  EXPECT_EQ(RemoveOldestYearFromWindow(company.program, NoReport), CleanupOutcome::kRefused);
  EXPECT_EQ(company.ui.LastText(), kDataCheckedOutMessage);
  EXPECT_EQ(DeleteAllTransactionsFromWindow(company.program, pause), CleanupOutcome::kRefused);
  EXPECT_EQ(DeleteInactivePayeesFromWindow(company.program), CleanupOutcome::kRefused);
  EXPECT_EQ(StartOverFromWindow(company.program), CleanupOutcome::kRefused);
  EXPECT_EQ(company.ui.Texts(), std::vector<std::string>(4, std::string(kDataCheckedOutMessage)));
  EXPECT_EQ(company.LinesOnDisk(), 4);
}

TEST(YearCleanupWindowTest, StartingOverRefusesBeforeAnyQuestionAndDeletesNothing) {
  EntryCompany company(ChecksOver(4, 2024, 2025));
  ASSERT_TRUE(company.Load());
  EXPECT_EQ(StartOverFromWindow(company.program), CleanupOutcome::kRefused);
  EXPECT_EQ(company.ui.LastText(), kNoOlderData);
  company.data.WriteFile("kxgl.cfg", "older settings");
  EXPECT_EQ(StartOverFromWindow(company.program), CleanupOutcome::kRefused);
  EXPECT_EQ(company.ui.LastText(), kOlderDataNotConverted);
  EXPECT_EQ(company.ui.Texts().size(), 2u);  // no question asked
  EXPECT_EQ(company.LinesOnDisk(), 4);
  EXPECT_FALSE(company.data.ReadFile("KXACCT.COA").empty());
}

TEST(YearCleanupWindowTest, TheDataTestCleansAFullFileOnceAndOnlyWhenItsYearsAllowIt) {
  EntryCompany cleaned(ChecksOver(kTransactionCapacity + 1, 2010, 2014));
  ASSERT_TRUE(cleaned.Load());
  RunTransactionDataTest(cleaned.program, NoReport);
  ASSERT_EQ(cleaned.ui.messages().size(), 3u) << ::testing::PrintToString(cleaned.ui.Texts());
  EXPECT_EQ(cleaned.ui.Texts()[0], kDataTestBeginning);
  EXPECT_EQ(cleaned.ui.Texts()[1], kDataTestCleaning);
  EXPECT_EQ(cleaned.ui.Texts()[2], WhereAmIText(cleaned.program.ledger()));
  EXPECT_EQ(ToCivilDate(cleaned.LineOnDisk(1).date).year, 2011);
  cleaned.ui.ClearMessages();
  RunTransactionDataTest(cleaned.program, NoReport);  // once per run
  EXPECT_TRUE(cleaned.ui.messages().empty());

  EntryCompany kept(ChecksOver(kTransactionCapacity + 1, 2012, 2014));
  ASSERT_TRUE(kept.Load());
  RunTransactionDataTest(kept.program, NoReport);
  EXPECT_EQ(kept.ui.Texts(), (std::vector<std::string>{std::string(kDataTestBeginning),
                                                       std::string(kDataTestPassed)}));
  EXPECT_EQ(kept.LinesOnDisk(), kTransactionCapacity + 1);
}

}  // namespace
}  // namespace zenkar::testing
