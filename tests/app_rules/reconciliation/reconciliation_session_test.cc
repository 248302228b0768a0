// The Bank Reconciliation tab without a display: the page refused without a
// usable bank account, the checks posted to the bank named, the statement
// period, marks saved at once and restored, the figures from typed values,
// and "Reset".
#include "app_rules/reconciliation/reconciliation_session.h"

#include <gtest/gtest.h>

#include "app_rules/transactions/entry_company.h"

namespace zenkar {
namespace {

using ::zenkar::testing::Day;
using ::zenkar::testing::EntryCompany;
using ::zenkar::testing::StoredLine;

std::vector<TransactionRecord> March() {
  return {
      StoredLine(kCheckOrDeposit, "Dock Rentals", "1001", Day(2025, 3, 2), "650", 20000),
      StoredLine(kCheckOrDeposit, "Bay Electric", "1002", Day(2025, 3, 9), "655", 3000),
      StoredLine(kCheckOrDeposit, "Sales", "", Day(2025, 2, 27), "510", -10000),
  };
}

class ReconciliationSessionTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(company_.Load()); }

  int ItemOfReference(std::string_view reference) const {
    for (size_t i = 0; i < session_.items().size(); ++i) {
      if (Trim(session_.items()[i].reference) == reference) return static_cast<int>(i);
    }
    return -1;
  }

  EntryCompany company_{March()};
  ReconciliationSession session_{company_.program};
};

TEST_F(ReconciliationSessionTest, TheStatementStartFollowsTheEndingDateUntilChosen) {
  ASSERT_TRUE(session_.Show());
  session_.SetEndingDate(Day(2025, 3, 15));
  EXPECT_EQ(session_.starting_date(), Day(2025, 2, 1));
  EXPECT_EQ(session_.period_items().size(), 3u);
  session_.SetEndingDate(Day(2025, 3, 20));
  EXPECT_EQ(session_.starting_date(), Day(2025, 3, 1));
  EXPECT_EQ(session_.period_items().size(), 2u);
  session_.SetStartingDate(Day(2025, 3, 5));
  session_.SetEndingDate(Day(2025, 3, 31));
  EXPECT_EQ(session_.starting_date(), Day(2025, 3, 5));
  session_.SetStartingDate(Day(2025, 4, 5));
  EXPECT_EQ(session_.starting_date(), Day(2025, 3, 31));
  EXPECT_EQ(session_.BookBalanceCaption(), "Bank Balance Through 03/31/25");
  EXPECT_EQ(session_.RowText(ItemOfReference("1002")).date, "03/09/25");
}

TEST_F(ReconciliationSessionTest, MarksAreSavedAtOnceAndTheFiguresFollow) {
  ASSERT_TRUE(session_.Show());
  session_.SetEndingDate(Day(2025, 3, 31));
  // 5,000.00 + 100.00 - 200.00 - 30.00 in the books through 31 March.
  EXPECT_EQ(session_.figures().book_balance, Money::FromCents(487000));
  session_.SetEndingBalance("1000");
  session_.SetAdjustmentAmount(0, "-5");
  const int check = ItemOfReference("1001");
  ASSERT_TRUE(session_.SetOutstanding(check, true));
  EXPECT_EQ(session_.outstanding_items(), std::vector<int>{check});
  EXPECT_EQ(session_.figures().outstanding, Money::FromCents(20000));
  EXPECT_EQ(session_.figures().per_reconciliation, Money::FromCents(79500));
  EXPECT_FALSE(session_.figures().balanced());
  EXPECT_EQ(company_.data.ReadFile("KXACCT.REC").size(), 152u);
  EXPECT_EQ(CompanySettings::Decode(company_.data.ReadFile("KXACCT.CFG")).statement_ending_balance,
            Money::FromCents(100000));

  // A later visit finds the marks and values as saved.
  ReconciliationSession again(company_.program);
  ASSERT_TRUE(again.Show());
  EXPECT_EQ(again.outstanding_items(), std::vector<int>{check});
  EXPECT_EQ(again.values().amounts[0], Money::FromCents(-500));

  ASSERT_TRUE(session_.SetOutstanding(check, false));
  EXPECT_EQ(company_.data.ReadFile("KXACCT.REC"), "");
  EXPECT_TRUE(session_.outstanding_items().empty());
}

TEST_F(ReconciliationSessionTest, ResetAsksBeforeItClearsEveryMark) {
  ASSERT_TRUE(session_.Show());
  ASSERT_TRUE(session_.SetOutstanding(0, true));
  ASSERT_TRUE(session_.SetOutstanding(1, true));
  company_.ui.ClearMessages();
  EXPECT_FALSE(session_.Reset());
  EXPECT_EQ(company_.ui.Texts(), std::vector<std::string>{std::string(kClearAllOutstanding)});
  EXPECT_EQ(company_.ui.messages()[0].kind, MessageKind::kYesNoDefaultNo);
  EXPECT_EQ(session_.outstanding_items().size(), 2u);
  company_.ui.Answer(true);
  EXPECT_TRUE(session_.Reset());
  EXPECT_TRUE(session_.outstanding_items().empty());
  EXPECT_EQ(company_.data.ReadFile("KXACCT.REC"), "");
}

TEST_F(ReconciliationSessionTest, MarksAnotherProgramSavedMeanwhileAreTakenIn) {
  ASSERT_TRUE(session_.Show());
  ASSERT_TRUE(session_.SetOutstanding(0, true));
  // Another window on the folder ticks the third entry as well.
  std::vector<ReconciliationItem> theirs = session_.items();
  theirs[2].outstanding = 1;
  theirs[0].outstanding = 1;
  company_.data.WriteFile("KXACCT.REC", EncodeReconciliationItems(OutstandingItems(theirs)));
  ASSERT_TRUE(session_.SetOutstanding(1, true));
  EXPECT_EQ(session_.outstanding_items(), (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(company_.data.ReadFile("KXACCT.REC").size(), 3 * 152u);
}

TEST(ReconciliationSessionPageTest, ThePageStaysEmptyWithoutABankAccountAndNamesMispostedChecks) {
  EntryCompany misposted(
      {StoredLine(kCheckOrDeposit, "Transfer", "1044", Day(2025, 3, 2), "110", 5000)});
  ASSERT_TRUE(misposted.Load());
  ReconciliationSession session(misposted.program);
  ASSERT_TRUE(session.Show());
  EXPECT_EQ(misposted.ui.Texts(),
            std::vector<std::string>{"The following check(s):\n1044\nmay have been posted to the "
                                     "bank account by mistake."});
  misposted.program.ledger().settings().bank_account = "100 ";  // a title account
  misposted.ui.ClearMessages();
  EXPECT_FALSE(session.Show());
  EXPECT_FALSE(session.shown());
  EXPECT_TRUE(session.items().empty());
  EXPECT_EQ(misposted.ui.Texts(), std::vector<std::string>{std::string(kSelectValidBankAccount)});
  EXPECT_FALSE(session.SetOutstanding(0, true));
}

}  // namespace
}  // namespace zenkar
