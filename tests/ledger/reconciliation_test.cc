// The bank reconciliation in the core: match keys, the items built from the
// books (split checks merged, zero items dropped, checks posted to the bank
// named), the statement's default start, the book balance through the ending
// date, the figures, the marks kept in KXACCT.REC with the settings, and two
// programs saving marks at once; and the figures of a generated company
// against a computation of their own.
#include "ledger/reconciliation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <random>

#include "common/byte_codec.h"
#include "ledger_fixture.h"
#include "tools/generated_company.h"

namespace zenkar {
namespace {

using testing::Date;
using testing::LedgerFixture;
using testing::Line;

TEST(ReconciliationItemTest, MatchKeysPutNumbersFirstByValue) {
  EXPECT_EQ(NormalizedReference("123"), "000000123");
  EXPECT_EQ(NormalizedReference(" 00123 "), "000000123");
  EXPECT_EQ(NormalizedReference("abc"), "1ABC00000");
  EXPECT_EQ(NormalizedReference(""), "100000000");
  EXPECT_EQ(NormalizedReference("0"), "100000000");
  EXPECT_EQ(NormalizedReference("DEPOSIT-1"), "1DEPOSIT-1");
  EXPECT_EQ(MatchKey("123", 45000), MatchKey("00123", 45000));
  EXPECT_EQ(MatchKey("123", 45000), "00000012300045000");
  EXPECT_NE(MatchKey("123", 45000), MatchKey("123", 45001));
  for (const char* numeric : {"1", "99", "12345678"}) {
    EXPECT_LT(MatchKey(numeric, 45000), MatchKey("ABC", 45000)) << numeric;
  }
  EXPECT_LT(MatchKey("99", 45000), MatchKey("100", 45000));
}

TEST(ReconciliationItemTest, TheRecordKeepsEveryFieldAtItsOffset) {
  ReconciliationItem item;
  item.match_key = MatchKey("1041", 45000);
  item.key_head = item.match_key.substr(0, 20);
  item.description = "Harbor Supply";
  item.date = 45000;
  item.reference = "1041";
  item.account = "650";
  item.amount = Money::FromCents(12345);
  item.position = 3;
  item.outstanding = 1;
  const std::string record = item.Encode();
  ASSERT_EQ(record.size(), 152u);
  EXPECT_EQ(record.substr(0, 17), item.match_key);
  EXPECT_EQ(record.substr(60, 20), FitText(item.key_head, 20));
  EXPECT_EQ(record.substr(80, 13), "Harbor Supply");
  EXPECT_EQ(GetInt32(record, 120), 45000);
  EXPECT_EQ(record.substr(124, 8), "1041    ");
  EXPECT_EQ(record.substr(132, 4), "650 ");
  EXPECT_EQ(GetMoney(record, 136), Money::FromCents(12345));
  EXPECT_EQ(GetInt32(record, 144), 3);
  EXPECT_EQ(GetInt32(record, 148), 1);
  EXPECT_EQ(ReconciliationItem::Decode(record).Encode(), record);
}

TEST(ReconciliationTest, ItemsMergeSplitChecksAndDropZeroItems) {
  ReconciliationItemBuilder builder("110");
  // A check of 100.00 split over two accounts, and its reference written
  // with leading zeros on the second line.
  builder.Add(Line(kCheckOrDeposit, "650", 6000, "", Date(2025, 3, 2), "123"));
  builder.Add(Line(kCheckOrDeposit, "720", 4000, "", Date(2025, 3, 2), "00123"));
  // Two deposits without a reference on one day stay two items.
  builder.Add(Line(kCheckOrDeposit, "510", -5000, "", Date(2025, 3, 3)));
  builder.Add(Line(kCheckOrDeposit, "510", -7000, "", Date(2025, 3, 3)));
  // A journal line to the bank account: money in is negative.
  builder.Add(Line(kJournalLine, "110", 2500, "", Date(2025, 3, 4), "JE1"));
  builder.Add(Line(kJournalLine, "465", -2500, "", Date(2025, 3, 4), "JE1"));
  // A check and its correction cancel out.
  builder.Add(Line(kCheckOrDeposit, "650", 900, "", Date(2025, 3, 5), "124"));
  builder.Add(Line(kCheckOrDeposit, "650", -900, "", Date(2025, 3, 5), "124"));
  builder.Add(Line(kInvoice, "650", 1500, "", Date(2025, 3, 6)));
  const ReconciliationBooks books = builder.Finish(Money::FromCents(100000));
  ASSERT_EQ(books.items.size(), 4u);
  EXPECT_EQ(TrimRight(books.items[0].reference), "123");
  EXPECT_EQ(books.items[0].amount, Money::FromCents(10000));
  EXPECT_EQ(books.items[0].position, 1);
  EXPECT_EQ(books.items[1].amount, Money::FromCents(-5000));
  EXPECT_EQ(books.items[2].amount, Money::FromCents(-7000));
  EXPECT_EQ(TrimRight(books.items[3].reference), "JE1");
  EXPECT_EQ(books.items[3].amount, Money::FromCents(-2500));
  EXPECT_TRUE(books.misposted_checks.empty());
  // 1,000.00 - 100.00 + 50.00 + 70.00 + 25.00, and what it was before each day.
  EXPECT_EQ(books.BalanceThrough(Date(2025, 3, 31)), Money::FromCents(104500));
  EXPECT_EQ(books.BalanceThrough(Date(2025, 3, 2)), Money::FromCents(90000));
  EXPECT_EQ(books.BalanceThrough(Date(2025, 3, 1)), Money::FromCents(100000));
}

TEST(ReconciliationTest, ChecksPostedToTheBankAccountAreNamed) {
  ReconciliationItemBuilder builder("110");
  builder.Add(Line(kCheckOrDeposit, "110", 5000, "", Date(2025, 3, 2), "1050"));
  builder.Add(Line(kCheckOrDeposit, "110", 100, "", Date(2025, 3, 2), "TRANSFER"));
  builder.Add(Line(kJournalLine, "110", 100, "", Date(2025, 3, 2), "77"));
  const ReconciliationBooks books = builder.Finish(Money());
  EXPECT_EQ(books.misposted_checks, std::vector<std::string>{"1050"});
  EXPECT_EQ(MispostedChecksMessage(books.misposted_checks),
            "The following check(s):\n1050\nmay have been posted to the bank account by mistake.");
  // Set against the bank, a check to the bank account moves nothing.
  EXPECT_EQ(books.BalanceThrough(Date(2025, 3, 2)), Money::FromCents(100));
}

TEST(ReconciliationTest, TheStatementStartsInTheEndingMonthFromThe20th) {
  EXPECT_EQ(DefaultStatementStart(Date(2025, 3, 15)), Date(2025, 2, 1));
  EXPECT_EQ(DefaultStatementStart(Date(2025, 3, 19)), Date(2025, 2, 1));
  EXPECT_EQ(DefaultStatementStart(Date(2025, 3, 20)), Date(2025, 3, 1));
  EXPECT_EQ(DefaultStatementStart(Date(2025, 1, 10)), Date(2024, 12, 1));
}

TEST(ReconciliationTest, TheFiguresCompareTheStatementWithTheBooks) {
  ReconciliationItem check;
  check.amount = Money::FromCents(20000);
  check.outstanding = 1;
  ReconciliationItem cleared;
  cleared.amount = Money::FromCents(3000);
  StatementValues values;
  values.ending_balance = Money::FromCents(100000);
  values.amounts[2] = Money::FromCents(-500);
  const ReconciliationFigures figures =
      ComputeReconciliation({check, cleared}, values, Money::FromCents(79500));
  EXPECT_EQ(figures.outstanding, Money::FromCents(20000));
  EXPECT_EQ(figures.per_reconciliation, Money::FromCents(79500));
  EXPECT_TRUE(figures.balanced());
  EXPECT_EQ(ResultCaption(figures), "Bank Account is Balanced");
  const ReconciliationFigures off =
      ComputeReconciliation({check, cleared}, values, Money::FromCents(80000));
  EXPECT_EQ(off.difference, Money::FromCents(-500));
  EXPECT_EQ(ResultCaption(off), "Out of Balance by");
  // The statement's values are kept in the settings; a damaged stored amount
  // counts as zero.
  CompanySettings settings;
  PutStatementValues(values, settings);
  settings.adjustment_amounts[4] = Money::FromRaw(INT64_MAX);
  EXPECT_EQ(StatementValuesOf(settings), values);
}

class SavedReconciliationTest : public LedgerFixture {
 protected:
  void SetUp() override {
    OpenCompany();
    Append(Line(kCheckOrDeposit, "650", 20000, "", Date(2025, 3, 2), "101"));
    Append(Line(kCheckOrDeposit, "650", 3000, "", Date(2025, 3, 5), "102"));
    Append(Line(kCheckOrDeposit, "510", -5000, "", Date(2025, 3, 6)));
    ASSERT_TRUE(ReadReconciliationBooks(ledger_, &books_));
  }

  std::vector<ReconciliationItem> Ticked(std::initializer_list<int> indexes) {
    std::vector<ReconciliationItem> items = books_.items;
    for (int i : indexes) items[i].outstanding = 1;
    return OutstandingItems(items);
  }

  ReconciliationBooks books_;
};

TEST_F(SavedReconciliationTest, MarksAndStatementValuesAreSavedTogetherAndRestored) {
  ledger_.settings().statement_ending_balance = Money::FromCents(100000);
  std::optional<std::vector<ReconciliationItem>> saved =
      ledger_.SaveReconciliation({}, Ticked({0, 2}));
  ASSERT_TRUE(saved.has_value());
  EXPECT_EQ(dir_.ReadFile("KXACCT.REC").size(), 2 * 152u);
  EXPECT_EQ(CompanySettings::Decode(dir_.ReadFile("KXACCT.CFG")).statement_ending_balance,
            Money::FromCents(100000));
  std::vector<ReconciliationItem> items = books_.items;
  RestoreOutstandingMarks(items, ledger_.SavedReconciliation());
  EXPECT_EQ(items[0].outstanding + items[1].outstanding * 10 + items[2].outstanding * 100, 101);
  // Unticking the last outstanding item leaves an empty file.
  ASSERT_TRUE(ledger_.SaveReconciliation(*saved, {}).has_value());
  EXPECT_TRUE(dir_.Exists("KXACCT.REC"));
  EXPECT_EQ(dir_.ReadFile("KXACCT.REC"), "");
}

TEST_F(SavedReconciliationTest, ADamagedFileRestoresNoMarksAndIsRewritten) {
  dir_.WriteFile("KXACCT.REC", std::string(153, 'x'));
  EXPECT_TRUE(ledger_.SavedReconciliation().empty());
  ASSERT_TRUE(ledger_.SaveReconciliation({}, Ticked({1})).has_value());
  EXPECT_EQ(DecodeReconciliationItems(dir_.ReadFile("KXACCT.REC")).size(), 1u);
}

TEST_F(SavedReconciliationTest, MarksSavedByAnotherProgramMeanwhileAreKept) {
  const std::vector<ReconciliationItem> base = *ledger_.SaveReconciliation({}, Ticked({0}));
  // Another program ticks the deposit and unticks nothing.
  dir_.WriteFile("KXACCT.REC", EncodeReconciliationItems(Ticked({0, 2})));
  // This one unticks the first check and ticks the second.
  const std::optional<std::vector<ReconciliationItem>> saved =
      ledger_.SaveReconciliation(base, Ticked({1}));
  ASSERT_TRUE(saved.has_value());
  std::vector<ReconciliationItem> items = books_.items;
  RestoreOutstandingMarks(items, DecodeReconciliationItems(dir_.ReadFile("KXACCT.REC")));
  EXPECT_EQ(items[0].outstanding, 0);
  EXPECT_EQ(items[1].outstanding, 1);
  EXPECT_EQ(items[2].outstanding, 1);
  EXPECT_EQ(saved->size(), 2u);
}

// The figures of a generated company, against a computation of their own
// from the lines on disk.
class GeneratedReconciliationTest : public LedgerFixture {};

// The reference as a key of this computation: numbers by value.
std::string OwnReferenceKey(std::string_view stored) {
  std::string text(Trim(stored));
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  const bool digits = !text.empty() && std::all_of(text.begin(), text.end(), ::isdigit);
  if (digits && std::stoll(text) > 0) return "n" + std::to_string(std::stoll(text));
  return "t" + text;
}

TEST_F(GeneratedReconciliationTest, FiguresAgreeWithAnIndependentComputation) {
  std::vector<AccountRecord> chart;
  ASSERT_TRUE(ReadChartText(fs_, ZENKAR_DEFAULT_CHART_TEXT, &chart).ok());
  ASSERT_TRUE(WriteGeneratedCompany(fs_, dir_.path(), chart, 6000).ok());
  ASSERT_TRUE(ledger_.OpenDataFolder());
  const std::string bank = AccountKey(ledger_.settings().bank_account);
  ReconciliationBooks books;
  ASSERT_TRUE(ReadReconciliationBooks(ledger_, &books));

  // The bank movements, grouped as the bank sees them, and the bank's
  // balance at the end of each day.
  std::map<std::pair<std::string, DayNumber>, int64_t> keyed;
  std::vector<int64_t> unreferenced;
  std::map<DayNumber, int64_t> moved_on;
  const std::string lines = dir_.ReadFile("KXACCT.TRN");
  for (size_t at = 0; at < lines.size(); at += 328) {
    const TransactionRecord line = TransactionRecord::Decode(lines.substr(at, 328));
    const int64_t cents = line.amount.Cents();
    const bool to_bank = AccountKey(line.account) == bank;
    int64_t out = 0;
    if (line.kind == kCheckOrDeposit) {
      out = cents;
      if (!to_bank) moved_on[line.date] -= cents;
    } else if (line.kind == kJournalLine && to_bank) {
      out = -cents;
      moved_on[line.date] += cents;
    } else {
      continue;
    }
    if (Trim(line.reference).empty()) {
      unreferenced.push_back(out);
    } else {
      keyed[{OwnReferenceKey(line.reference), line.date}] += out;
    }
  }
  size_t expected_items = 0;
  int64_t expected_total = 0;
  for (const auto& [key, cents] : keyed) expected_items += cents != 0;
  for (int64_t cents : unreferenced) expected_items += cents != 0;
  for (const auto& [key, cents] : keyed) expected_total += cents;
  for (int64_t cents : unreferenced) expected_total += cents;
  ASSERT_EQ(books.items.size(), expected_items);
  int64_t total = 0;
  for (const ReconciliationItem& item : books.items) total += item.amount.Cents();
  EXPECT_EQ(total, expected_total);

  const int64_t forward =
      ledger_.chart().account(ledger_.FindAccount(bank)).balance_forward.Cents();
  for (DayNumber end : {Date(2021, 1, 31), Date(2023, 6, 15), Date(2025, 12, 31)}) {
    int64_t balance = forward;
    for (const auto& [date, cents] : moved_on) balance += date <= end ? cents : 0;
    EXPECT_EQ(books.BalanceThrough(end), Money::FromCents(balance));
    // A statement showing every movement up to the end but a random tenth
    // of them balances once those are marked outstanding.
    std::mt19937 random(static_cast<unsigned>(end));
    std::vector<ReconciliationItem> items = books.items;
    int64_t outstanding = 0;
    for (ReconciliationItem& item : items) {
      if (item.date > end || random() % 10 != 0) continue;
      item.outstanding = 1;
      outstanding += item.amount.Cents();
    }
    StatementValues values;
    values.ending_balance = Money::FromCents(balance + outstanding - 1234);
    values.amounts[0] = Money::FromCents(1234);
    const ReconciliationFigures figures =
        ComputeReconciliation(items, values, Money::FromCents(balance));
    EXPECT_EQ(figures.outstanding, Money::FromCents(outstanding));
    EXPECT_TRUE(figures.balanced()) << figures.difference.ToString();
  }
  // The balance through the last day is the register's bank balance.
  EXPECT_EQ(books.BalanceThrough(Date(9999, 12, 31)), ledger_.BankBalance().RoundedToCents());
}

}  // namespace
}  // namespace zenkar
