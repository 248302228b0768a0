// Recurring entries: the 284-byte record, the faults validation reports, the
// lines a month's posting makes (days brought into the month, payee names,
// the reversing line), the question before a month is posted again, posting
// as one change, and the templates following renumbered accounts and renamed
// payees.
#include "ledger/recurring_entries.h"

#include <gtest/gtest.h>

#include "common/byte_codec.h"
#include "ledger_fixture.h"

namespace zenkar {
namespace {

using testing::Date;
using testing::LedgerFixture;
using testing::Payee;
using testing::Step;

RecurringEntryRecord Template(int32_t kind, std::string_view account, int64_t cents, int32_t day,
                              std::string_view description = "", int32_t payee = 0,
                              std::string_view reversing = "") {
  RecurringEntryRecord entry;
  entry.kind = kind;
  entry.account = std::string(account);
  entry.amount = Money::FromCents(cents);
  entry.day = day;
  entry.description = std::string(description);
  entry.payee_number = payee;
  entry.reversing_account = std::string(reversing);
  entry.reference = "AUTO";
  return entry;
}

TEST(RecurringEntryRecordTest, FieldsSitAtTheirOffsetsAndUnusedBytesAreKept) {
  std::string bytes(284, '\0');
  for (size_t at : {128u, 184u, 192u, 204u, 283u}) bytes[at] = static_cast<char>(0xA5);
  RecurringEntryRecord entry = RecurringEntryRecord::Decode(bytes);
  entry.kind = kJournalLine;
  entry.payee_number = 7;
  entry.payee_name_1 = "Harbor Supply";
  entry.payee_name_2 = "Attn: Accounts";
  entry.description = "Monthly rent";
  entry.reference = "R-12";
  entry.day = 31;
  entry.account = "650";
  entry.reversing_account = "210";
  entry.amount = Money::FromCents(123456);
  const std::string encoded = entry.Encode();
  ASSERT_EQ(encoded.size(), 284u);
  EXPECT_EQ(GetInt32(encoded, 0), kJournalLine);
  EXPECT_EQ(GetInt32(encoded, 4), 7);
  EXPECT_EQ(encoded.substr(8, 13), "Harbor Supply");
  EXPECT_EQ(encoded.substr(48, 14), "Attn: Accounts");
  EXPECT_EQ(encoded.substr(88, 40), FitText("Monthly rent", 40));
  EXPECT_EQ(encoded.substr(168, 8), "R-12    ");
  EXPECT_EQ(GetInt32(encoded, 176), 31);
  EXPECT_EQ(encoded.substr(180, 4), "650 ");
  EXPECT_EQ(encoded.substr(188, 4), "210 ");
  EXPECT_EQ(GetMoney(encoded, 196), Money::FromCents(123456));
  for (size_t at : {128u, 184u, 192u, 204u, 283u}) {
    EXPECT_EQ(encoded[at], static_cast<char>(0xA5)) << at;
  }
  EXPECT_EQ(RecurringEntryRecord::Decode(encoded).Encode(), encoded);
  // A new template has zero bytes where nothing is kept.
  EXPECT_EQ(RecurringEntryRecord().Encode().substr(204), std::string(80, '\0'));
}

TEST(RecurringPostingTest, DaysAreBroughtIntoTheMonth) {
  EXPECT_EQ(PostingDate(2025, 4, 31), Date(2025, 4, 30));
  EXPECT_EQ(PostingDate(2025, 4, 0), Date(2025, 4, 1));
  EXPECT_EQ(PostingDate(2025, 4, -3), Date(2025, 4, 1));
  EXPECT_EQ(PostingDate(2024, 2, 31), Date(2024, 2, 29));
  EXPECT_EQ(PostingDate(2025, 2, 30), Date(2025, 2, 28));
  EXPECT_EQ(PostingDate(2025, 4, 15), Date(2025, 4, 15));
}

TEST(RecurringPostingTest, AJournalTemplateMakesItsLineAndTheReversingLine) {
  const PayeeList payees({Payee("Harbor Supply"), Payee("Bay Electric"), Payee("Dock Rentals")});
  const std::vector<TransactionRecord> lines =
      RecurringLinesForMonth({Template(kJournalLine, "6100", 10000, 5, "Accrued rent", 0, "2100"),
                              Template(kCheckOrDeposit, "650", 2500, 31, "", 3)},
                             2025, 4, payees);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].kind, kJournalLine);
  EXPECT_EQ(lines[0].account, "6100");
  EXPECT_EQ(lines[0].amount, Money::FromCents(10000));
  EXPECT_EQ(lines[1].account, "2100");
  EXPECT_EQ(lines[1].amount, Money::FromCents(-10000));
  for (int i : {0, 1}) {
    EXPECT_EQ(lines[i].date, Date(2025, 4, 5));
    EXPECT_EQ(TrimRight(lines[i].reference), "AUTO");
    EXPECT_EQ(TrimRight(lines[i].description), "Accrued rent");
    EXPECT_EQ(lines[i].unprinted, 1);
  }
  // A check without a description posts with its payee's name.
  EXPECT_EQ(lines[2].kind, kCheckOrDeposit);
  EXPECT_EQ(lines[2].description, "Dock Rentals");
  EXPECT_EQ(lines[2].payee_number, 3);
  EXPECT_EQ(lines[2].date, Date(2025, 4, 30));
}

class RecurringEntriesTest : public LedgerFixture {
 protected:
  void SetUp() override { OpenCompany(); }

  void WriteTemplates(const std::vector<RecurringEntryRecord>& entries) {
    dir_.WriteFile("KXACCT.RJE", EncodeRecurringEntries(entries));
  }
  RecurringEntryRecord CheckTo(int payee, std::string_view account = "650", int64_t cents = 2500) {
    RecurringEntryRecord entry = Template(kCheckOrDeposit, account, cents, 10, "", payee);
    entry.payee_name_1 = ledger_.payees().payee(payee).name;
    entry.payee_name_2 = ledger_.payees().payee(payee).name_2;
    return entry;
  }
  std::vector<RecurringEntryRecord> OnDisk() const {
    return DecodeRecurringEntries(dir_.ReadFile("KXACCT.RJE"));
  }

  std::string settings_next_check_;
};

TEST_F(RecurringEntriesTest, ValidationReportsEachFaultOfEachTemplate) {
  RecurringEntryRecord renamed = CheckTo(2);
  renamed.payee_name_1 = "Bay Electric Old";
  RecurringEntryRecord title_account = CheckTo(1, "100");
  std::vector<RecurringEntryRecord> entries = {
      Template(kCheckOrDeposit, "650", 100, 1, "Too high", 4),
      renamed,
      Template(kCheckOrDeposit, "650", 100, 1, "No payee"),
      title_account,
      CheckTo(1, "110"),
      Template(kJournalLine, "999", 100, 1, "Bad accounts", 0, "100"),
      Template(kJournalLine, "650", 100, 1, "Same", 0, "650"),
      Template(kInvoice, "650", 100, 1, "Invoice"),
      CheckTo(3),
      Template(kJournalLine, "650", 0, 1, "Damaged", 0, "210"),
  };
  entries.back().amount = Money::FromRaw(INT64_MIN);
  const int faults =
      ValidateRecurringEntries(entries, ledger_.chart(), ledger_.payees(), ledger_.settings(), ui_);
  EXPECT_EQ(faults, 10) << "the ninth template is sound";
  EXPECT_EQ(ui_.Texts(),
            (std::vector<std::string>{
                "Recurring entry 1 (Too high):\n\nPayee selected for recurring entry is not a "
                "valid/existing payee\n(payee number is higher than the number of payees).",
                "Recurring entry 2 (Bay Electric Old):\n\nThe payee saved with the recurring "
                "entry, Bay Electric Old, does not match payee record:\nBay Electric\n\nDelete "
                "the recurring entry, or edit the entry to have a valid payee.",
                "Recurring entry 3 (No payee):\n\nA recurring check/deposit entry payee is "
                "invalid (payee missing or less than 1).",
                "Recurring entry 4 (Harbor Supply):\n\nA recurring check/deposit entry account "
                "is not a valid account\n(not a valid number, or account has been set as a "
                "title account).",
                "Recurring entry 5 (Harbor Supply):\n\nA recurring check/deposit entry account "
                "is set to post to your bank account\ninstead of an income or expense account.",
                "Recurring entry 6 (Bad accounts):\n\nA recurring journal entry account is not a "
                "valid account",
                "Recurring entry 6 (Bad accounts):\n\nA recurring journal entry reversing account "
                "is not a valid account",
                "Recurring entry 7 (Same):\n\nA recurring journal entry has reversing account set "
                "to the same as the main account.",
                "Recurring entry 8 (Invoice):\n\nA recurring entry is neither a check/deposit nor "
                "a journal entry (kind 3).\n\nDelete the recurring entry.",
                "Recurring entry 10 (Damaged):\n\nA recurring entry amount is beyond "
                "1,000,000,000.00, which no entry can reach.\n\nDelete the recurring entry.",
            }));
}

TEST_F(RecurringEntriesTest, PostingAMonthAppendsEveryLineAndPostsTheTotals) {
  settings_next_check_ = ledger_.settings().next_check;
  WriteTemplates({Template(kJournalLine, "650", 10000, 31, "Accrued rent", 0, "210"), CheckTo(3)});
  EXPECT_EQ(ledger_.PostRecurringEntries(2025, 4), RecurringPosting::kPosted);
  EXPECT_EQ(ui_.Texts(), std::vector<std::string>{std::string(kRecurringEntriesPosted)});
  ASSERT_EQ(ledger_.transaction_count(), 3);
  EXPECT_EQ(Read(1).date, Date(2025, 4, 30));
  EXPECT_EQ(Read(2).account, "210 ");
  EXPECT_EQ(Read(2).amount, Money::FromCents(-10000));
  EXPECT_EQ(TrimRight(Read(3).description), "Dock Rentals");
  EXPECT_EQ(Posted("650"), Money::FromCents(12500));
  EXPECT_EQ(Posted("210"), Money::FromCents(-10000));
  // Entered in order, each with the next entry sequence.
  EXPECT_EQ(Read(3).entry_sequence, Read(1).entry_sequence + 2);
  // Unlike a line typed into the register, the posting leaves the next check
  // number and the last payee alone.
  EXPECT_EQ(ledger_.settings().next_check, settings_next_check_);
  EXPECT_EQ(ledger_.last_payee(), 0);
  EXPECT_EQ(OnDisk().size(), 2u) << "the templates stay";
  ExpectBooksAgreeWithFiles();
}

TEST_F(RecurringEntriesTest, NothingIsPostedWithoutTemplatesOrWithAFaultyOne) {
  EXPECT_EQ(ledger_.PostRecurringEntries(2025, 4), RecurringPosting::kNothingToPost);
  WriteTemplates({});
  EXPECT_EQ(ledger_.PostRecurringEntries(2025, 4), RecurringPosting::kNothingToPost);
  EXPECT_EQ(ui_.Texts(), std::vector<std::string>(2, std::string(kNothingToPost)));
  WriteTemplates({CheckTo(3), Template(kJournalLine, "650", 100, 1, "Same", 0, "650")});
  ui_.ClearMessages();
  EXPECT_EQ(ledger_.PostRecurringEntries(2025, 4), RecurringPosting::kRefused);
  EXPECT_EQ(ui_.messages().size(), 1u);
  EXPECT_EQ(ledger_.transaction_count(), 0);
  dir_.WriteFile("KXACCT.RJE", std::string(285, '\0'));
  EXPECT_EQ(ledger_.PostRecurringEntries(2025, 4), RecurringPosting::kFailed);
  EXPECT_NE(ui_.LastText().find("KXACCT.RJE"), std::string::npos);
  EXPECT_EQ(ledger_.transaction_count(), 0);
}

TEST_F(RecurringEntriesTest, AMonthPostedBeforeIsPostedAgainOnlyWhenTheUserSaysSo) {
  WriteTemplates({CheckTo(3), CheckTo(2, "720", 9900)});
  ASSERT_EQ(ledger_.PostRecurringEntries(2025, 4), RecurringPosting::kPosted);
  // The next month is a month of its own.
  ASSERT_EQ(ledger_.PostRecurringEntries(2025, 5), RecurringPosting::kPosted);
  ui_.ClearMessages();
  EXPECT_EQ(ledger_.PostRecurringEntries(2025, 4), RecurringPosting::kRefused);
  EXPECT_EQ(ui_.Texts(),
            std::vector<std::string>{"The recurring entries for April 2025 may have been posted "
                                     "already: 2 of the 2 lines they make are in the books for "
                                     "that month.\n\nPost them again?"});
  EXPECT_EQ(ui_.messages()[0].kind, MessageKind::kYesNoDefaultNo);
  EXPECT_EQ(ledger_.transaction_count(), 4);
  ui_.Answer(true);
  EXPECT_EQ(ledger_.PostRecurringEntries(2025, 4), RecurringPosting::kPosted);
  EXPECT_EQ(ledger_.transaction_count(), 6);
  ExpectBooksAgreeWithFiles();
}

TEST_F(RecurringEntriesTest, APostingThatCannotBeWrittenLeavesNoLine) {
  WriteTemplates({Template(kJournalLine, "650", 10000, 1, "Accrued rent", 0, "210")});
  for (Step step : {Step::kWrite, Step::kSync, Step::kRename}) {
    fs_.FailNth(step, 1);
    EXPECT_EQ(ledger_.PostRecurringEntries(2025, 4), RecurringPosting::kFailed);
    fs_.ClearFaults();
    EXPECT_EQ(ledger_.transaction_count(), 0);
    EXPECT_EQ(dir_.ReadFile("KXACCT.TRN"), "");
    EXPECT_EQ(Posted("650"), Money());
  }
}

TEST_F(RecurringEntriesTest, TemplatesAreAddedReplacedAndDeletedAsTheCallerReadThem) {
  ASSERT_TRUE(ledger_.AddRecurringEntry(CheckTo(1)));
  ASSERT_TRUE(ledger_.AddRecurringEntry(CheckTo(2)));
  std::vector<RecurringEntryRecord> entries;
  ASSERT_TRUE(ledger_.ReadRecurringEntries(&entries));
  ASSERT_EQ(entries.size(), 2u);
  RecurringEntryRecord edited = entries[1];
  edited.amount = Money::FromCents(777);
  ASSERT_TRUE(ledger_.ReplaceRecurringEntry(2, entries[1], edited));
  EXPECT_EQ(OnDisk()[1].amount, Money::FromCents(777));
  // Another program deleted the first template: the second is found where it
  // moved; the first is gone and its change refused.
  WriteTemplates({OnDisk()[1]});
  ui_.ClearMessages();
  EXPECT_FALSE(ledger_.DeleteRecurringEntry(1, entries[0]));
  EXPECT_EQ(ui_.Texts(), std::vector<std::string>{std::string(kRecurringEntryGone)});
  EXPECT_FALSE(ledger_.ReplaceRecurringEntry(2, entries[1], edited)) << "changed since read";
  ASSERT_TRUE(ledger_.DeleteRecurringEntry(2, edited));
  EXPECT_TRUE(OnDisk().empty());
}

TEST_F(RecurringEntriesTest, RenumberedAccountsAndRenamedPayeesCarryIntoTheTemplates) {
  RecurringEntryRecord journal = Template(kJournalLine, "650", 100, 1, "Rent", 0, "210");
  std::string unknown_bytes = journal.Encode();
  unknown_bytes[250] = 'x';
  journal = RecurringEntryRecord::Decode(unknown_bytes);
  WriteTemplates({journal, CheckTo(2), CheckTo(3, "210")});
  AccountRecord rent = ledger_.chart().account(ledger_.FindAccount("650"));
  rent.number = "655";
  ASSERT_TRUE(ledger_.EditAccount(ledger_.FindAccount("650"), rent));
  AccountRecord payables = ledger_.chart().account(ledger_.FindAccount("210"));
  payables.number = "215";
  ASSERT_TRUE(ledger_.EditAccount(ledger_.FindAccount("210"), payables));
  PayeeRecord payee = ledger_.payees().payee(2);
  payee.name = "Bay Electric Co-op";
  ASSERT_TRUE(ledger_.UpdatePayee(2, payee));
  const std::vector<RecurringEntryRecord> entries = OnDisk();
  EXPECT_EQ(entries[0].account, "655 ");
  EXPECT_EQ(entries[0].reversing_account, "215 ");
  EXPECT_EQ(entries[0].raw[250], 'x');
  EXPECT_EQ(entries[1].account, "655 ");
  EXPECT_EQ(TrimRight(entries[1].payee_name_1), "Bay Electric Co-op");
  EXPECT_EQ(entries[2].account, "215 ");
  EXPECT_EQ(TrimRight(entries[2].payee_name_1), "Dock Rentals");
  ui_.ClearMessages();
  EXPECT_EQ(
      ValidateRecurringEntries(entries, ledger_.chart(), ledger_.payees(), ledger_.settings(), ui_),
      0)
      << ::testing::PrintToString(ui_.Texts());
}

}  // namespace
}  // namespace zenkar
