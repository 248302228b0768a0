// "Find" over the transaction file: the fields tried in their order, the
// captions of the match lines, capitals, and the walk from the last line.
#include "ledger/transaction_search.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "ledger/ledger_fixture.h"

namespace zenkar {
namespace {

using ::testing::ElementsAre;
using ::zenkar::testing::Date;
using ::zenkar::testing::LedgerFixture;
using ::zenkar::testing::Line;

constexpr const char* kPattern = "MM'/'dd'/'yy";

TransactionRecord Entry(std::string_view description, std::string_view reference,
                        std::string_view account, int64_t cents, DayNumber date,
                        std::string_view invoice_number = "") {
  TransactionRecord line = Line(kCheckOrDeposit, account, cents, "", date, reference);
  line.description = std::string(description);
  line.invoice_number = std::string(invoice_number);
  return line;
}

// The match line of `line` for `text`, or "" when it holds no match.
std::string MatchOf(const TransactionRecord& line, std::string_view text) {
  const TransactionSearch search(text, kPattern);
  const std::string record = line.Encode();
  const std::optional<SearchField> field = search.FieldHolding(record);
  return field ? search.MatchLine(record, *field) : "";
}

TEST(TransactionSearchTest, EachFieldMatchesWithItsCaptionInTheOrderTried) {
  const TransactionRecord line =
      Entry("ABC Supply", "1041", "650", 1250, Date(2025, 3, 14), "INV-77");
  EXPECT_EQ(MatchOf(line, "abc"), "Description/Payee: ABC Supply");
  EXPECT_EQ(MatchOf(line, "12.5"), "Amt: 12.50");
  EXPECT_EQ(MatchOf(line, "104"), "Ref./Ck Num: 1041");
  EXPECT_EQ(MatchOf(line, "65"), "Acct: 650");
  EXPECT_EQ(MatchOf(line, "03/14"), "Check Date: 03/14/25");
  EXPECT_EQ(MatchOf(line, "inv-7"), "Invoice Number: INV-77");
  // The first field that holds the text gives the match: "1" is in the
  // reference before the amount and the date.
  EXPECT_EQ(MatchOf(line, "1"), "Ref./Ck Num: 1041");
  EXPECT_EQ(MatchOf(line, "Supply Co"), "");
  EXPECT_EQ(MatchOf(line, ""), "");
}

TEST(TransactionSearchTest, AmountsWithTheirSignAndAccentedLettersInCapitals) {
  EXPECT_EQ(MatchOf(Entry("Deposit", "", "510", -250000, Date(2025, 1, 2)), "-2500.0"),
            "Amt: -2500.00");
  // Windows-1252: e acute (0xE9) and E acute (0xC9), s caron (0x9A, 0x8A).
  EXPECT_EQ(MatchOf(Entry("Caf\xE9 \x9A", "", "650", 100, Date(2025, 1, 2)), "CAF\xC9 \x8A"),
            "Description/Payee: Caf\xE9 \x9A");
  // Text with letters never matches an amount or a numeric date.
  EXPECT_EQ(MatchOf(Entry("Rent", "", "650", 100, kNoDate), "0.0x"), "");
}

class FindTransactionsTest : public LedgerFixture {};

TEST_F(FindTransactionsTest, WalksFromTheLastLineToTheFirst) {
  OpenCompany();
  Append(Entry("ABC Supply", "1001", "650", 1250, Date(2025, 3, 1)));
  Append(Entry("Harbor Supply", "1002", "650", 9900, Date(2025, 3, 2)));
  // "65" is in the account of this line and in the description of the next.
  Append(Entry("Bay Electric", "1003", "650", 4000, Date(2025, 3, 3)));
  Append(Entry("Route 65 Fuel", "1004", "720", 3000, Date(2025, 3, 4)));
  std::vector<SearchHit> hits;
  ASSERT_TRUE(FindTransactions(ledger_, TransactionSearch("supply", kPattern), &hits));
  EXPECT_THAT(hits, ElementsAre(SearchHit{2, SearchField::kDescription},
                                SearchHit{1, SearchField::kDescription}));
  ASSERT_TRUE(FindTransactions(ledger_, TransactionSearch("65", kPattern), &hits));
  EXPECT_THAT(
      hits,
      ElementsAre(SearchHit{4, SearchField::kDescription}, SearchHit{3, SearchField::kAccount},
                  SearchHit{2, SearchField::kAccount}, SearchHit{1, SearchField::kAccount}));
  ASSERT_TRUE(FindTransactions(ledger_, TransactionSearch("xyz", kPattern), &hits));
  EXPECT_TRUE(hits.empty());
}

}  // namespace
}  // namespace zenkar
