// remove-oldest-year and delete-inactive-payees: their command lines, the
// questions they answer with --yes, the report delivered before the change,
// and the books afterwards.
#include <gtest/gtest.h>

#include <cstdlib>

#include "batch/command_line.h"
#include "batch_fixture.h"
#include "common/text_field.h"
#include "ledger/cleanup_dialogue.h"

namespace zenkar {
namespace {

using testing::Account;
using testing::Day;
using testing::Line;

TEST(CleanupCommandLineTest, RemovingTheOldestYearNeedsWhereItsReportGoes) {
  ParsedCommandLine parsed = ParseCommandLine({"remove-oldest-year", "--pdf", "old.pdf"}, {});
  ASSERT_EQ(parsed.outcome, ParsedCommandLine::Outcome::kRun) << parsed.error;
  EXPECT_EQ(parsed.invocation.command, Command::kRemoveOldestYear);
  EXPECT_EQ(parsed.invocation.removed_report.file, "old.pdf");
  parsed = ParseCommandLine({"remove-oldest-year"}, {});
  EXPECT_EQ(parsed.outcome, ParsedCommandLine::Outcome::kUsageError);
  EXPECT_EQ(parsed.error, "choose one of '--pdf FILE', '--csv FILE' and '--print'");
  parsed = ParseCommandLine({"delete-inactive-payees", "x"}, {});
  EXPECT_EQ(parsed.error, "unexpected argument 'x'");
}

class CleanupCommandsTest : public testing::BatchFixture {
 protected:
  CleanupCommandsTest() {
    env_.current_folder = dir_.path();
    WriteCompany({Account("110", "Checking Account", kAssets, 100000),
                  Account("465", "Retained Earnings", kLiabilitiesAndEquity, -100000),
                  Account("650", "Rent", kOperatingExpenses)},
                 {Line(kCheckOrDeposit, "650", 4000, Day(2024, 5, 1), "Wharfside", "101"),
                  Line(kCheckOrDeposit, "650", 5000, Day(2025, 5, 1), "Wharfside", "102")});
  }
};

TEST_F(CleanupCommandsTest, RemoveOldestYearDeliversTheReportThenRemovesTheYear) {
  const std::string books = dir_.ReadFile("KXACCT.TRN") + dir_.ReadFile("KXACCT.COA");
  EXPECT_EQ(Run({"remove-oldest-year", "--pdf", "old.pdf"}), kExitFailure);  // No preselected
  EXPECT_EQ(dir_.ReadFile("KXACCT.TRN") + dir_.ReadFile("KXACCT.COA"), books);
  EXPECT_FALSE(dir_.Exists("old.pdf"));

  ui_.Answer(true);
  ui_.Answer(true);
  ASSERT_EQ(Run({"remove-oldest-year", "--pdf", "old.pdf"}), kExitSuccess) << err();
  EXPECT_TRUE(dir_.Exists("old.pdf"));
  EXPECT_EQ(dir_.ReadFile("KXACCT.TRN").size(), 328u);
  const ChartOfAccounts chart = ChartOfAccounts::Decode(dir_.ReadFile("KXACCT.COA"));
  EXPECT_EQ(chart.account(chart.FindAccount("650")).balance_forward, Money::FromCents(4000));
  EXPECT_EQ(chart.account(chart.FindAccount("110")).balance_forward, Money::FromCents(96000));
  EXPECT_NE(ui_.LastText().find("1 Transactions"), std::string::npos);
}

TEST_F(CleanupCommandsTest, RemovingNeedsTwoEntriesAndSaysSo) {
  ui_.Answer(true);
  ui_.Answer(true);
  ASSERT_EQ(Run({"remove-oldest-year", "--pdf", "old.pdf"}), kExitSuccess) << err();
  EXPECT_EQ(Run({"remove-oldest-year", "--pdf", "old2.pdf"}), kExitFailure);
  EXPECT_EQ(ui_.LastText(), "Nothing was removed: the books hold fewer than 2 entries.");
  EXPECT_FALSE(dir_.Exists("old2.pdf"));
}

TEST_F(CleanupCommandsTest, DeleteInactivePayeesNeedsTwentyFivePayees) {
  EXPECT_EQ(Run({"--yes", "delete-inactive-payees"}), kExitFailure);
  EXPECT_EQ(ui_.LastText(), kTooFewPayees);
}

}  // namespace
}  // namespace zenkar
