// The ledger's parts of "Add New Data Folder" and the posted-total check,
// which the desktop program shares with kxbatch (the "Where Am I?" text is
// checked through `kxbatch where`).
#include "ledger/folder_summary.h"

#include <gtest/gtest.h>

#include "batch_fixture.h"
#include "ledger/posted_total_check.h"

namespace zenkar {
namespace {

using testing::Account;
using testing::Day;
using testing::Line;

class FolderSummaryTest : public testing::BatchFixture {
 protected:
  Ledger ledger_{fs_, ui_, clock_};
};

TEST_F(FolderSummaryTest, AddNewDataFolderSavesAndClosesTheOpenBooksFirst) {
  WriteCompany({Account("110", "Checking", kAssets), Account("465", "Equity", 2)});
  OpenLedger(ledger_);
  ledger_.settings().name_line_2 = "kept at the change";
  EXPECT_EQ(AddNewDataFolder(ledger_, dir_.File("second")), NewCompanyFolder::kCreated);
  EXPECT_EQ(ledger_.data_folder(), dir_.File("second/"));
  EXPECT_EQ(CompanySettings::Decode(dir_.ReadFile("KXACCT.CFG")).name_line_2.substr(0, 18),
            "kept at the change");
}

TEST_F(FolderSummaryTest, AFolderHoldsBooksOnceItsFilesAreNotEmpty) {
  dir_.WriteFile("KXACCT.CFG", "");
  EXPECT_FALSE(FolderHoldsBooks(fs_, dir_.path()));
  dir_.WriteFile("kxacct.trn", std::string(328, '\0'));  // found in any case
  EXPECT_TRUE(FolderHoldsBooks(fs_, dir_.path()));
  EXPECT_EQ(AddNewDataFolder(ledger_, dir_.path()), NewCompanyFolder::kHoldsBooks);
  EXPECT_TRUE(ui_.messages().empty());  // each program says it in its words
}

TEST_F(FolderSummaryTest, PostedTotalCheckComparesEveryAccountWithItsLines) {
  WriteCompany(
      {Account("110", "Checking", kAssets), Account("650", "Rent", 6),
       Account("650", "Rent again", 6)},
      {Line(kCheckOrDeposit, "650", 1000, Day(2025, 2, 1)),
       Line(kInvoice, "650", 700, Day(2025, 2, 1)), Line(kJournalLine, "110", 3, Day(2025, 2, 1))});
  OpenLedger(ledger_);
  EXPECT_TRUE(PostedTotalProblems(ledger_).empty());
  ledger_.Close();
  // Lines post to the first account of a number; the second takes none. A
  // repair the load cannot save leaves the drifted total to be found.
  ChartOfAccounts chart = ChartOfAccounts::Decode(dir_.ReadFile("KXACCT.COA"));
  chart.mutable_account(3).posted_total = Money::FromCents(1);
  dir_.WriteFile("KXACCT.COA", chart.Encode());
  fs_.faults().fail_rename = true;
  OpenLedger(ledger_);
  EXPECT_EQ(PostedTotalProblems(ledger_),
            std::vector<std::string>{"The posted total of account 650 Rent again is 0.01 but its "
                                     "entries add up to 0.00."});
}

}  // namespace
}  // namespace zenkar
