// Whether a file's lines are already arranged, judged line by line as the
// open's pass reads them.
#include "ledger/transaction_order.h"

#include <gtest/gtest.h>

#include <vector>

namespace zenkar::testing {
namespace {

bool Arranged(const std::vector<LineOrderKey>& keys, TransactionOrder order) {
  return IsArranged(keys, order, order == TransactionOrder::kEntry);
}

TEST(ArrangementCheckTest, DateOrderWantsDatesInOrderAndDistinctSequences) {
  constexpr auto kDate = TransactionOrder::kDate;
  // Entered out of date order: the sequences fall, yet the file is arranged.
  EXPECT_TRUE(Arranged({{10, 3}, {11, 1}, {11, 2}, {12, 4}}, kDate));
  EXPECT_FALSE(Arranged({{10, 3}, {9, 1}}, kDate));
  EXPECT_FALSE(Arranged({{10, 2}, {10, 1}}, kDate));           // one date, not as entered
  EXPECT_FALSE(Arranged({{10, 2}, {11, 0}}, kDate));           // a line without a sequence
  EXPECT_FALSE(Arranged({{10, 5}, {11, 2}, {12, 5}}, kDate));  // a repeated sequence
  // Sequences far above the line count are told apart without marks.
  EXPECT_TRUE(Arranged({{10, 900'000}, {11, 800'000}}, kDate));
  EXPECT_FALSE(Arranged({{10, 900'000}, {11, 2}, {12, 900'000}}, kDate));
  EXPECT_FALSE(Arranged({{10, kEntrySequenceLimit + 1}}, kDate));
  EXPECT_TRUE(Arranged({}, kDate));
}

TEST(ArrangementCheckTest, EntryOrderWantsRisingSequencesWhateverTheDates) {
  constexpr auto kEntry = TransactionOrder::kEntry;
  EXPECT_TRUE(Arranged({{12, 1}, {10, 2}, {11, 7}}, kEntry));
  EXPECT_FALSE(Arranged({{10, 2}, {11, 1}}, kEntry));
  EXPECT_FALSE(Arranged({{10, 1}, {11, 1}}, kEntry));
  EXPECT_FALSE(Arranged({{10, 0}, {11, 1}}, kEntry));
  EXPECT_FALSE(Arranged({{10, 1}, {11, kEntrySequenceLimit + 1}}, kEntry));
  // Kept as entered but to be dated: rising sequences and dates in order.
  EXPECT_TRUE(IsArranged({{10, 1}, {11, 2}}, TransactionOrder::kDate, true));
  EXPECT_FALSE(IsArranged({{11, 1}, {10, 2}}, TransactionOrder::kDate, true));
}

TEST(ArrangementCheckTest, TheHighestSequenceIsKept) {
  ArrangementCheck check(TransactionOrder::kDate, false, 3);
  for (const LineOrderKey& key : std::vector<LineOrderKey>{{10, 4}, {11, 9}, {12, 2}}) {
    check.Add(key);
  }
  EXPECT_EQ(check.highest_sequence(), 9);
  EXPECT_TRUE(check.Arranged());
}

}  // namespace
}  // namespace zenkar::testing
