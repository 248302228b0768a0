// The ledger's own parts of "Where Am I?", "Add New Data Folder" and the
// posted-total check, which the desktop program shares with kxbatch.
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

TEST_F(FolderSummaryTest, WhereAmICountsFolderAndBalance) {
  WriteCompany({Account("110", "Checking", kAssets, 5000), Account("465", "Equity", 2, -5000),
                Account("650", "Rent", 6)},
               {Line(kCheckOrDeposit, "650", 1000, Day(2025, 2, 1))});
  OpenLedger(ledger_);
  EXPECT_EQ(WhereAmIText(ledger_), "1 Transactions\n" + dir_.path() + "\nAccounts are balanced");
  ASSERT_NE(ledger_.AppendTransaction(Line(kJournalLine, "650", -1005, Day(2025, 2, 2))), 0);
  EXPECT_EQ(WhereAmIText(ledger_),
            "2 Transactions\n" + dir_.path() + "\nAccounts are out of balance by: -10.05");
}

TEST_F(FolderSummaryTest, AddNewDataFolderMakesAnEmptyCompany) {
  ledger_.set_program_folder(program_.path());
  const std::string folder = dir_.File("new");
  EXPECT_EQ(AddNewDataFolder(ledger_, folder, "Harbor Books"), NewCompanyFolder::kCreated);
  EXPECT_EQ(ledger_.data_folder(), folder + "/");
  EXPECT_EQ(ledger_.transaction_count(), 0);
  EXPECT_EQ(ledger_.chart().Encode().size(), testing::DefaultChartFile().size());
  ledger_.Close();
  Ledger reopened(fs_, ui_, clock_);
  reopened.SetDataFolder(folder);
  ASSERT_TRUE(reopened.OpenDataFolder());
  EXPECT_EQ(reopened.settings().name_line_1.substr(0, 13), "Harbor Books ");
  EXPECT_TRUE(ui_.messages().empty()) << ::testing::PrintToString(ui_.Texts());
}

TEST_F(FolderSummaryTest, AddNewDataFolderClosesTheOpenBooksFirst) {
  WriteCompany({Account("110", "Checking", kAssets), Account("465", "Equity", 2)});
  OpenLedger(ledger_);
  ledger_.settings().name_line_2 = "kept at the change";
  EXPECT_EQ(AddNewDataFolder(ledger_, dir_.File("second")), NewCompanyFolder::kCreated);
  EXPECT_EQ(CompanySettings::Decode(dir_.ReadFile("KXACCT.CFG")).name_line_2.substr(0, 18),
            "kept at the change");
}

TEST_F(FolderSummaryTest, AddNewDataFolderRefusesAFolderWithBooks) {
  WriteCompany({Account("110", "Checking", kAssets), Account("465", "Equity", 2)});
  const std::string listing = dir_.Listing();
  EXPECT_EQ(AddNewDataFolder(ledger_, dir_.path()), NewCompanyFolder::kHoldsBooks);
  EXPECT_FALSE(ledger_.is_loaded());
  EXPECT_EQ(dir_.Listing(), listing);
  EXPECT_TRUE(ui_.messages().empty());
  // An empty settings file is not yet a company.
  const testing::TempDir started;
  started.WriteFile("KXACCT.CFG", "");
  EXPECT_FALSE(FolderHoldsBooks(fs_, started.path()));
  started.WriteFile("KXACCT.TRN", std::string(328, '\0'));
  EXPECT_TRUE(FolderHoldsBooks(fs_, started.path()));
}

TEST_F(FolderSummaryTest, AddNewDataFolderReportsAFolderItCannotMake) {
  EXPECT_EQ(AddNewDataFolder(ledger_, dir_.File("no/such")), NewCompanyFolder::kNotCreated);
  EXPECT_EQ(ui_.LastText().rfind("Cannot create the folder " + dir_.File("no/such/"), 0), 0u);
}

TEST_F(FolderSummaryTest, PostedTotalCheckComparesEveryAccountWithItsLines) {
  WriteCompany(
      {Account("110", "Checking", kAssets), Account("650", "Rent", 6),
       Account("650", "Rent again", 6)},
      {Line(kCheckOrDeposit, "650", 1000, Day(2025, 2, 1)),
       Line(kInvoice, "650", 700, Day(2025, 2, 1)), Line(kJournalLine, "110", 3, Day(2025, 2, 1))});
  OpenLedger(ledger_);
  EXPECT_TRUE(PostedTotalProblems(ledger_).empty());
  // A total changed behind the ledger's back, on the second 650 (which
  // takes no lines: they post to the first).
  ledger_.mutable_account(3).posted_total = Money::FromCents(1);
  EXPECT_EQ(PostedTotalProblems(ledger_),
            std::vector<std::string>{"The posted total of account 650 Rent again is 0.01 but its "
                                     "entries add up to 0.00."});
}

}  // namespace
}  // namespace zenkar
