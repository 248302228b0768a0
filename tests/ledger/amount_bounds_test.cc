// Amounts never overflow silently: a stored amount beyond any an entry can
// reach is damaged data, an entry beyond it is refused, a sum that does not
// fit stops the program instead of wrapping, and the entry sequence is
// numbered afresh before it could overflow.
#include <gtest/gtest.h>

#include <limits>

#include "ledger_fixture.h"

namespace zenkar::testing {
namespace {

class AmountBoundsTest : public LedgerFixture {};

TEST_F(AmountBoundsTest, AStoredAmountBeyondTheBoundIsDamagedDataAndNothingIsWritten) {
  OpenCompany();
  Append(Line(kJournalLine, "650", 100, "fine"));
  Append(Line(kJournalLine, "650", 200, "fine too"));
  ledger_.Close();
  std::string lines = dir_.ReadFile("KXACCT.TRN");
  TransactionRecord damaged = TransactionRecord::Decode(lines.substr(328, 328));
  damaged.amount = kLargestAmount + Money::FromRaw(1);
  lines.replace(328, 328, damaged.Encode());
  dir_.WriteFile("KXACCT.TRN", lines);
  const std::string chart = dir_.ReadFile("KXACCT.COA");

  EXPECT_FALSE(ledger_.OpenDataFolder());
  EXPECT_EQ(ui_.LastText(), "Damaged data in " + dir_.File("KXACCT.TRN") +
                                ":\nrecord 2 holds an amount beyond 1,000,000,000.00, which no "
                                "entry can reach. Restore the file from a backup. The file was "
                                "not changed.");
  EXPECT_EQ(dir_.ReadFile("KXACCT.TRN"), lines);
  EXPECT_EQ(dir_.ReadFile("KXACCT.COA"), chart);

  damaged.amount = -kLargestAmount;  // the bound itself is an amount
  lines.replace(328, 328, damaged.Encode());
  dir_.WriteFile("KXACCT.TRN", lines);
  EXPECT_TRUE(ledger_.OpenDataFolder());
}

TEST_F(AmountBoundsTest, ABalanceForwardBeyondTheBoundIsDamagedData) {
  std::vector<AccountRecord> chart = TestChart();
  chart[3].balance_forward = Money::FromRaw(std::numeric_limits<int64_t>::min());
  WriteCompany(chart);
  EXPECT_FALSE(ledger_.OpenDataFolder());
  EXPECT_EQ(ui_.LastText().rfind("Damaged data in " + dir_.File("KXACCT.COA") + ":\nrecord 4 ", 0),
            0u);
}

TEST_F(AmountBoundsTest, AnEntryOrBalanceForwardBeyondTheBoundIsRefused) {
  OpenCompany();
  const std::string lines = dir_.ReadFile("KXACCT.TRN");
  const std::string refusal =
      "The amount is beyond 1,000,000,000.00, more than any entry or balance forward may hold. "
      "Nothing was saved.";
  EXPECT_FALSE(ledger_
                   .AppendTransaction(
                       Line(kJournalLine, "650", (kLargestAmount.raw() + 100) / 100, "too much"))
                   .has_value());
  EXPECT_EQ(ui_.LastText(), refusal);
  EXPECT_EQ(dir_.ReadFile("KXACCT.TRN"), lines);
  AccountRecord account = Account("166", "Vault", kAssets);
  account.balance_forward = -kLargestAmount - Money::FromCents(1);
  EXPECT_FALSE(ledger_.AddAccount(account));
  EXPECT_EQ(ui_.LastText(), refusal);
}

TEST(MoneyRangeTest, ASumThatDoesNotFitStopsTheProgramInsteadOfWrapping) {
  const Money largest = Money::FromRaw(std::numeric_limits<int64_t>::max());
  EXPECT_DEATH(largest + Money::FromRaw(1), "beyond what the program can hold");
  EXPECT_DEATH(-Money::FromRaw(std::numeric_limits<int64_t>::min()), "beyond");
  EXPECT_DEATH(Money::FromUnits(std::numeric_limits<int64_t>::max() / 1000), "beyond");
  EXPECT_EQ(largest - Money::FromRaw(1) + Money::FromRaw(1), largest);
}

class EntrySequenceLimitTest : public LedgerFixture {
 protected:
  // Lines whose sequences sit just below the limit, in entry order `order`
  // (line i carries sequence base + order[i]), kept in the order entered.
  void WriteLinesNearTheLimit(const std::vector<int>& order) {
    date_order_ = 0;
    OpenCompany();
    for (size_t i = 0; i < order.size(); ++i) {
      Append(Line(kJournalLine, "650", 100, "line " + std::to_string(order[i])));
    }
    ledger_.Close();
    std::string lines = dir_.ReadFile("KXACCT.TRN");
    for (size_t i = 0; i < order.size(); ++i) {
      PutEntrySequence(lines, kEntrySequenceLimit - 10 + order[i], i * 328);
    }
    dir_.WriteFile("KXACCT.TRN", lines);
  }

  std::vector<int32_t> SequencesOnDisk() {
    std::vector<int32_t> sequences;
    const std::string lines = dir_.ReadFile("KXACCT.TRN");
    for (size_t at = 0; at < lines.size(); at += 328) {
      sequences.push_back(
          ReadTransactionFacts(std::string_view(lines).substr(at, 328)).entry_sequence);
    }
    return sequences;
  }
};

TEST_F(EntrySequenceLimitTest, AppendingAtTheLimitNumbersTheLinesAfreshInTheOrderEntered) {
  WriteLinesNearTheLimit({1, 2, 3});
  ASSERT_TRUE(ledger_.OpenDataFolder());
  // Sequences up to the limit load as they are; the appends reach it.
  for (int i = 0; i < 6; ++i) Append(Line(kJournalLine, "650", 1, "more"));
  EXPECT_EQ(SequencesOnDisk().back(), kEntrySequenceLimit - 1);
  Append(Line(kJournalLine, "650", 1, "at the limit"));
  EXPECT_EQ(SequencesOnDisk().back(), kEntrySequenceLimit);
  Append(Line(kJournalLine, "650", 1, "after it"));
  const std::vector<int32_t> sequences = SequencesOnDisk();
  EXPECT_EQ(sequences.front(), 1);
  EXPECT_EQ(sequences.back(), 11);
  EXPECT_TRUE(std::is_sorted(sequences.begin(), sequences.end()));
  ExpectBooksAgreeWithFiles();
}

}  // namespace
}  // namespace zenkar::testing
