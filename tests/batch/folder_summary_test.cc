// The ledger's part of "Add New Data Folder", which the desktop program
// shares with kxbatch (the "Where Am I?" text is
// checked through `kxbatch where`).
#include "ledger/folder_summary.h"

#include <gtest/gtest.h>

#include "batch_fixture.h"

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

}  // namespace
}  // namespace zenkar
