// How lines move balances, the running summary, the derived bank balance and
// the out-of-balance figure, and the suggested next reference.
#include "ledger/bookkeeping.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "ledger_fixture.h"

namespace zenkar {
namespace {

using testing::Account;
using testing::Line;

CompanySettings Settings(bool accrual = false) {
  CompanySettings settings;
  NewCompanySettings(settings);  // bank 110, payables 210
  settings.accrual_accounting = accrual ? 1 : 0;
  return settings;
}

std::vector<std::pair<std::string, int64_t>> Moves(const TransactionRecord& line, Basis basis,
                                                   bool accrual = false) {
  std::vector<std::pair<std::string, int64_t>> moves;
  for (const BalanceMove& move : BalanceMoves(line, Settings(accrual), basis)) {
    moves.emplace_back(move.account, move.amount.raw());
  }
  return moves;
}

using MoveList = std::vector<std::pair<std::string, int64_t>>;

TEST(BalanceMovesTest, JournalLineMovesOnlyItsOwnAccount) {
  EXPECT_EQ(Moves(Line(kJournalLine, "650", 10000), Basis::kBooks), (MoveList{{"650 ", 1000000}}));
}

TEST(BalanceMovesTest, CheckOrDepositMovesItsAccountAndTheBankOppositely) {
  EXPECT_EQ(Moves(Line(kCheckOrDeposit, "650", 10000), Basis::kBooks),
            (MoveList{{"650 ", 1000000}, {"110 ", -1000000}}));
  EXPECT_EQ(Moves(Line(kCheckOrDeposit, "510", -2500), Basis::kStatements),
            (MoveList{{"510 ", -250000}, {"110 ", 250000}}));
}

TEST(BalanceMovesTest, InvoiceMovesNothingExceptInAccrualStatements) {
  const TransactionRecord invoice = Line(kInvoice, "650", 10000);
  EXPECT_TRUE(Moves(invoice, Basis::kBooks).empty());
  EXPECT_TRUE(Moves(invoice, Basis::kBooks, /*accrual=*/true).empty());
  EXPECT_TRUE(Moves(invoice, Basis::kStatements).empty());
  EXPECT_EQ(Moves(invoice, Basis::kStatements, /*accrual=*/true),
            (MoveList{{"650 ", 1000000}, {"210 ", -1000000}}));
}

TEST(BalanceMovesTest, AmountsAreRoundedToCentsHalfAwayFromZero) {
  TransactionRecord line = Line(kJournalLine, "650", 0);
  line.amount = Money::FromRaw(12345);  // 1.2345
  EXPECT_EQ(Moves(line, Basis::kBooks), (MoveList{{"650 ", 12300}}));
  line.amount = Money::FromRaw(-12350);
  EXPECT_EQ(Moves(line, Basis::kBooks), (MoveList{{"650 ", -12400}}));
  EXPECT_EQ(PostedAmount(kCheckOrDeposit, Money::FromRaw(12350)), Money::FromRaw(12400));
  EXPECT_EQ(PostedAmount(kInvoice, Money::FromRaw(12350)), Money());
  EXPECT_EQ(PostedAmount(0, Money::FromRaw(12350)), Money());
}

TEST(TransactionSummaryTest, CountsEachKindAndTakesLinesAwayAgain) {
  TransactionSummary summary;
  summary.Count(kCheckOrDeposit, Money::FromRaw(10050), +1);
  summary.Count(kJournalLine, Money::FromCents(700), +1);
  summary.Count(kInvoice, Money::FromCents(300), +1);
  summary.Count(kInvoice, Money::FromCents(200), +1);
  EXPECT_EQ(summary.check_deposit_total, Money::FromCents(101));
  EXPECT_EQ(summary.journal_total, Money::FromCents(700));
  EXPECT_EQ(summary.unpaid_count, 2);
  EXPECT_EQ(summary.unpaid_total, Money::FromCents(500));
  summary.Count(kInvoice, Money::FromCents(300), -1);
  summary.Count(kCheckOrDeposit, Money::FromRaw(10050), -1);
  EXPECT_EQ(summary.unpaid_count, 1);
  EXPECT_EQ(summary.unpaid_total, Money::FromCents(200));
  EXPECT_EQ(summary.check_deposit_total, Money());
}

// Found by the data_folder fuzz target: lines naming an account number of
// four zero bytes were added to the blank account's total and the other way
// round, so the load gave a damaged chart's "\0\0\0\0" account posted totals
// that none of its lines made.
TEST(LineTotalsTest, AnAccountNumberOfZeroBytesIsNotTheBlankAccount) {
  const std::string zero_bytes(4, '\0');
  LineTotals totals;
  totals.Add(ReadTransactionFacts(Line(kJournalLine, zero_bytes, 100).Encode()));
  totals.Add(ReadTransactionFacts(Line(kCheckOrDeposit, "    ", 2500).Encode()));
  EXPECT_EQ(totals.PostedTo(zero_bytes), Money::FromCents(100));
  EXPECT_EQ(totals.PostedTo("    "), Money::FromCents(2500));
  std::vector<std::pair<std::string, Money>> accounts;
  totals.ForEachAccount(
      [&](const std::string& number, Money sum) { accounts.emplace_back(number, sum); });
  EXPECT_THAT(accounts, ::testing::UnorderedElementsAre(
                            std::pair(zero_bytes, Money::FromCents(100)),
                            std::pair(std::string("    "), Money::FromCents(2500))));
}

TEST(BalancesTest, BankBalanceIsItsStoredBalanceLessAllChecksAndDeposits) {
  const CompanySettings settings = Settings();
  AccountRecord bank = Account("110", "Checking", kAssets, kEntryAccount, 100000);
  AccountRecord rent = Account("650", "Rent", kOperatingExpenses);
  rent.posted_total = Money::FromCents(30000);
  ChartOfAccounts chart({bank, rent});
  TransactionSummary summary;
  summary.check_deposit_total = Money::FromCents(30000);
  EXPECT_EQ(AccountBalance(bank, settings, summary), Money::FromCents(70000));
  EXPECT_EQ(AccountBalance(rent, settings, summary), Money::FromCents(30000));
  EXPECT_EQ(BankBalance(chart, settings, summary), Money::FromCents(70000));
  // The balance forward of 1,000.00 is not matched by anything.
  EXPECT_EQ(OutOfBalance(chart, summary), Money::FromCents(100000));
}

TEST(BalancesTest, MissingBankAccountCountsAsZeroButItsChecksStillCount) {
  CompanySettings settings = Settings();
  settings.bank_account = "999";
  AccountRecord rent = Account("650", "Rent", kOperatingExpenses);
  rent.posted_total = Money::FromCents(30000);
  ChartOfAccounts chart({rent});
  TransactionSummary summary;
  summary.check_deposit_total = Money::FromCents(30000);
  EXPECT_EQ(BankBalance(chart, settings, summary), Money::FromCents(-30000));
  EXPECT_EQ(OutOfBalance(chart, summary), Money());
}

TEST(SuggestedNextReferenceTest, NumbersAdvanceKeepingTheirWidth) {
  EXPECT_EQ(SuggestedNextReference("1041"), "1042");
  EXPECT_EQ(SuggestedNextReference("00998"), "00999");
  EXPECT_EQ(SuggestedNextReference("7"), "8");
  EXPECT_EQ(SuggestedNextReference("9"), "10");
  EXPECT_EQ(SuggestedNextReference("  0041  "), "0042");
  EXPECT_EQ(SuggestedNextReference("1041    "), "1042");
}

TEST(SuggestedNextReferenceTest, AbovePastTheLargestWrapsToOneAtTheClampedWidth) {
  EXPECT_EQ(SuggestedNextReference("99999"), "00001");
  EXPECT_EQ(SuggestedNextReference("99998"), "99999");
  EXPECT_EQ(SuggestedNextReference("123456"), "00001");
  EXPECT_EQ(SuggestedNextReference("00099999"), "00001");
  EXPECT_EQ(SuggestedNextReference("000123"), "00124");
  EXPECT_EQ(SuggestedNextReference("12345678901234"), "00001");
}

TEST(SuggestedNextReferenceTest, AnythingElseLeavesTheSuggestionAlone) {
  EXPECT_EQ(SuggestedNextReference("A-7"), std::nullopt);
  EXPECT_EQ(SuggestedNextReference("ABC"), std::nullopt);
  EXPECT_EQ(SuggestedNextReference(""), std::nullopt);
  EXPECT_EQ(SuggestedNextReference("    "), std::nullopt);
  EXPECT_EQ(SuggestedNextReference("0"), std::nullopt);
  EXPECT_EQ(SuggestedNextReference("000"), std::nullopt);
  EXPECT_EQ(SuggestedNextReference("-5"), std::nullopt);
  EXPECT_EQ(SuggestedNextReference("12 3"), std::nullopt);
}

}  // namespace
}  // namespace zenkar
