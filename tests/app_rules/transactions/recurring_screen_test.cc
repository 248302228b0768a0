// The recurring-entries window without a display: the editor's rules and the
// template's own faults on saving, what a saved template holds, deleting, and
// F7's checks before the month is asked.
#include "app_rules/transactions/recurring_screen.h"

#include <gtest/gtest.h>

#include "app_rules/transactions/entry_company.h"
#include "ledger/recurring_entries.h"

namespace zenkar {
namespace {

using ::zenkar::testing::EntryCompany;

class RecurringScreenTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(company_.Load());
    ASSERT_TRUE(screen_.Refresh());
  }

  static RecurringFields RentCheck() {
    RecurringFields fields;
    fields.payee = "Dock Rentals";
    fields.reference = "AUTO";
    fields.day = "31";
    fields.account = "650";
    fields.amount = "1200";
    return fields;
  }

  std::vector<RecurringEntryRecord> OnDisk() const {
    return DecodeRecurringEntries(company_.data.ReadFile("KXACCT.RJE"));
  }

  EntryCompany company_;
  RecurringEntriesScreen screen_{company_.program};
};

TEST_F(RecurringScreenTest, SavingAppliesTheEditorsRulesThenTheTemplatesFaults) {
  RecurringFields no_payee = RentCheck();
  no_payee.payee = "";
  RecurringFields journal;
  journal.journal = true;
  journal.account = "650";
  journal.reversing_account = "210";
  journal.amount = "50";
  RecurringFields bad_day = RentCheck();
  bad_day.day = "32";
  RecurringFields no_amount = RentCheck();
  no_amount.amount = "-";
  RecurringFields to_the_bank = RentCheck();
  to_the_bank.account = "110";
  for (const RecurringFields& fields : {no_payee, journal, bad_day, no_amount, to_the_bank}) {
    EXPECT_FALSE(screen_.Save(-1, fields));
  }
  EXPECT_EQ(company_.ui.Texts(),
            (std::vector<std::string>{
                std::string(kCheckNeedsPayee), std::string(kJournalNeedsDescription),
                std::string(kEnterPostingDay), std::string(kMustEnterAmount),
                "A recurring check/deposit entry account is set to post to your bank account\n"
                "instead of an income or expense account."}));
  EXPECT_FALSE(company_.data.Exists("KXACCT.RJE"));
}

TEST_F(RecurringScreenTest, ASavedTemplateHoldsItsPayeeAndEditingKeepsWhatTheEditorDoesNotShow) {
  ASSERT_TRUE(screen_.Save(-1, RentCheck()));
  ASSERT_EQ(screen_.entries().size(), 1u);
  RecurringEntryRecord entry = OnDisk()[0];
  EXPECT_EQ(entry.kind, kCheckOrDeposit);
  EXPECT_EQ(entry.payee_number, 3);
  EXPECT_EQ(TrimRight(entry.payee_name_1), "Dock Rentals");
  EXPECT_EQ(entry.day, 31);
  EXPECT_EQ(entry.amount, Money::FromCents(120000));
  EXPECT_EQ(entry.raw.substr(204), std::string(80, '\0')) << "a new template's unused bytes";
  // Bytes another program left in the unused area survive an edit.
  std::string bytes = entry.Encode();
  bytes[210] = 'k';
  company_.data.WriteFile("KXACCT.RJE", bytes);
  ASSERT_TRUE(screen_.Refresh());
  RecurringFields fields = screen_.FieldsOf(0);
  RecurringFields shown = RentCheck();
  shown.amount = "1200.00";
  EXPECT_EQ(fields, shown);
  fields.amount = "1250.50";
  ASSERT_TRUE(screen_.Save(0, fields));
  entry = OnDisk()[0];
  EXPECT_EQ(entry.amount, Money::FromCents(125050));
  EXPECT_EQ(entry.raw[210], 'k');
  EXPECT_EQ(screen_.Rows()[0].payee_or_description, "Dock Rentals");
  // Deleting asks first.
  EXPECT_FALSE(screen_.Delete(0));
  EXPECT_EQ(company_.ui.LastText(), kDeleteRecurringEntry);
  EXPECT_EQ(OnDisk().size(), 1u);
  company_.ui.Answer(true);
  EXPECT_TRUE(screen_.Delete(0));
  EXPECT_TRUE(OnDisk().empty());
  EXPECT_TRUE(screen_.entries().empty());
}

TEST_F(RecurringScreenTest, PostingChecksTheTemplatesBeforeTheMonthIsAsked) {
  EXPECT_FALSE(screen_.ReadyToPost());
  EXPECT_EQ(company_.ui.LastText(), kNothingToPost);
  ASSERT_TRUE(screen_.Save(-1, RentCheck()));
  EXPECT_TRUE(screen_.ReadyToPost());
  EXPECT_EQ(screen_.Post(2025, 4), RecurringPosting::kPosted);
  EXPECT_EQ(company_.LineOnDisk(1).date, *MakeDayNumber(2025, 4, 30));
  // A payee renamed behind the program's back makes the template faulty.
  PayeeList payees = company_.program.ledger().payees();
  payees.mutable_payee(3).name = "Dock Rentals Inc";
  company_.data.WriteFile("KXACCT.VND", payees.Encode());
  ASSERT_TRUE(company_.program.ledger().OpenDataFolder());
  company_.ui.ClearMessages();
  EXPECT_FALSE(screen_.ReadyToPost());
  EXPECT_NE(company_.ui.LastText().find("does not match payee record:"), std::string::npos);
}

}  // namespace
}  // namespace zenkar
