// The payees' auto invoices posted for a month: the lines each slot makes,
// the days brought into the month, the invalid accounts, and a month posted
// again by an unattended run.
#include "ledger/auto_invoices.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "ledger_fixture.h"

namespace zenkar::testing {
namespace {

class AutoInvoicesTest : public LedgerFixture {
 protected:
  void SetUp() override {
    OpenCompany();                         // today is 14 March 2026
    Slot(1, 1, "Rope", 12000, "650", 31);  // Harbor Supply: an invoice due on the 31st
    Slot(1, 2, "", 4550, "720", -15);      // and a check on the 15th
    Slot(2, 1, "Power", 9900, "999", 5);   // Bay Electric: no such account
    Slot(2, 2, "Lights", 2000, "720", 0);  // day 0 posts nothing
    Slot(3, 1, "Dock", 0, "650", 1);       // nor does amount 0
    Slot(3, 2, "", 30000, "650", 10);      // Dock Rentals: "Monthly 2"
    ui_.ClearMessages();
  }

  void Slot(int payee, int slot, std::string_view description, int64_t cents,
            std::string_view account, int32_t day) {
    PayeeRecord record = ledger_.payees().payee(payee);
    record.auto_descriptions[slot - 1] = std::string(description);
    record.auto_amounts[slot - 1] = Money::FromCents(cents);
    record.auto_accounts[slot - 1] = std::string(account);
    record.auto_days[slot - 1] = day;
    ASSERT_TRUE(ledger_.UpdatePayee(payee, record));
  }
};

TEST_F(AutoInvoicesTest, EachSlotMakesAnInvoiceOrACheckOnItsDayOfTheMonth) {
  const AutoInvoicePosting posting = PostAutoInvoices(ledger_, 2026, 2, RepeatedSlots::kPost);
  ASSERT_TRUE(posting.posted);
  EXPECT_EQ(ui_.Texts(),
            std::vector<std::string>{
                "Bay Electric Auto Invoice Account 1 is not a valid COA entry account."});
  EXPECT_EQ(posting.first_record, 1);
  EXPECT_EQ(posting.invoices, 2);
  EXPECT_EQ(posting.checks, 1);
  EXPECT_EQ(posting.invoice_total, Money::FromCents(42000));
  EXPECT_EQ(posting.check_total, Money::FromCents(4550));
  ASSERT_EQ(ledger_.transaction_count(), 3);

  const TransactionRecord rope = Read(1);  // day 31 in February
  EXPECT_EQ(rope.kind, kInvoice);
  EXPECT_EQ(rope.payee_number, 1);
  EXPECT_EQ(TrimRight(rope.description), "Harbor Supply");
  EXPECT_EQ(TrimRight(rope.invoice_number), "Rope");
  EXPECT_EQ(rope.invoice_date_2, Date(2026, 3, 14));
  EXPECT_EQ(rope.due_date, Date(2026, 2, 28));
  EXPECT_EQ(rope.date, kNoDate);

  const TransactionRecord check = Read(2);  // day -15
  EXPECT_EQ(check.kind, kCheckOrDeposit);
  EXPECT_EQ(check.date, Date(2026, 2, 15));
  EXPECT_EQ(TrimRight(check.invoice_number), "Monthly 2");
  EXPECT_EQ(TrimRight(check.reference), "Month");

  EXPECT_EQ(TrimRight(Read(3).invoice_number), "Monthly 2");
  // The invoices leave the balances alone; the check is posted.
  EXPECT_EQ(Posted("650"), Money());
  EXPECT_EQ(Posted("720"), Money::FromCents(4550));
  ExpectBooksAgreeWithFiles();
}

TEST_F(AutoInvoicesTest, AnUnattendedRunPostsNoSlotOfTheMonthTwice) {
  ASSERT_TRUE(PostAutoInvoices(ledger_, 2026, 4, RepeatedSlots::kRefuse).posted);
  ui_.ClearMessages();
  EXPECT_FALSE(PostAutoInvoices(ledger_, 2026, 4, RepeatedSlots::kRefuse).posted);
  EXPECT_THAT(ui_.Texts(),
              ::testing::ElementsAre(
                  "Bay Electric Auto Invoice Account 1 is not a valid COA entry account.",
                  "Auto Invoice 1 of Harbor Supply for 04/2026 is in the books already; it was "
                  "not posted again.",
                  ::testing::HasSubstr("Auto Invoice 2 of Harbor Supply"),
                  ::testing::HasSubstr("Auto Invoice 2 of Dock Rentals"),
                  std::string(kNoAutoInvoicesPosted)));
  EXPECT_EQ(ledger_.transaction_count(), 3);

  // A paid invoice of the month still counts; another month posts.
  TransactionRecord paid = Read(1);
  paid.kind = kCheckOrDeposit;
  paid.date = Date(2026, 4, 20);
  ASSERT_TRUE(ledger_.PayInvoices({{1, paid}}));
  EXPECT_FALSE(PostAutoInvoices(ledger_, 2026, 4, RepeatedSlots::kRefuse).posted);
  EXPECT_EQ(PostAutoInvoices(ledger_, 2026, 5, RepeatedSlots::kRefuse).first_record, 4);
  // The screen, which asks first, posts the month again.
  EXPECT_TRUE(PostAutoInvoices(ledger_, 2026, 4, RepeatedSlots::kPost).posted);
  EXPECT_EQ(ledger_.transaction_count(), 9);
}

TEST_F(AutoInvoicesTest, NoSlotToPostSaysSo) {
  for (int payee = 1; payee <= 3; ++payee) {
    for (int slot = 1; slot <= 2; ++slot) Slot(payee, slot, "", 0, "650", 0);
  }
  ui_.ClearMessages();
  EXPECT_FALSE(PostAutoInvoices(ledger_, 2026, 3, RepeatedSlots::kPost).posted);
  EXPECT_EQ(ui_.Texts(), std::vector<std::string>{std::string(kNoAutoInvoicesPosted)});
  EXPECT_EQ(ledger_.transaction_count(), 0);
}

}  // namespace
}  // namespace zenkar::testing
