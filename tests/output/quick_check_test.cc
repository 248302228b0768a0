// The quick check: its checks in order with the field each one points to,
// the new payee, the entry it appends, and the books when its print is
// cancelled or fails (a check that did not come out right is the check run's
// kDelete, tested there and through kxbatch).
#include "output/quick_check.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "output/check_fixture.h"
#include "output/pdf_test_tools.h"

namespace zenkar {
namespace {

using ::testing::HasSubstr;

class QuickCheckTest : public testing::CheckFixture {
 protected:
  void SetUp() override { OpenWithCheckType(1); }

  // A quick check to listed payee 1, Harbor Supply.
  QuickCheck Filled() {
    QuickCheck check = WithPayee(ledger_, NewQuickCheck(ledger_, testing::Date(2026, 3, 14)), 1);
    check.account = "650";
    check.amount = Money::FromCents(45000);
    check.invoice_number = "INV-77";
    return check;
  }

  bool Print(const QuickCheck& check, OutputTarget target = OutputTarget::kPdf) {
    PrintJob job(services_, target);
    return PrintQuickCheck(ledger_, job, check);
  }
};

TEST_F(QuickCheckTest, TheChecksComeInOrderAndPointAtTheirField) {
  QuickCheck check = NewQuickCheck(ledger_, testing::Date(2026, 3, 14));
  EXPECT_EQ(check.number, "1043");
  EXPECT_EQ(AcceptQuickCheck(ledger_, check), QuickCheckField::kPayee);
  check.name_line_1 = "  ";
  EXPECT_EQ(AcceptQuickCheck(ledger_, check), QuickCheckField::kPayee);
  check = Filled();
  check.amount = Money();
  EXPECT_EQ(AcceptQuickCheck(ledger_, check), QuickCheckField::kAmount);
  check.amount = Money::FromCents(-100);
  EXPECT_EQ(AcceptQuickCheck(ledger_, check), QuickCheckField::kAmount);
  check.amount = Money::FromCents(100);
  check.number = " ";
  EXPECT_EQ(AcceptQuickCheck(ledger_, check), QuickCheckField::kNumber);
  check.number = "12A";
  EXPECT_EQ(AcceptQuickCheck(ledger_, check), QuickCheckField::kNumber);
  Append(testing::Line(kCheckOrDeposit, "650", 1000, "", 46095, "1043"));
  check.number = "01043";
  EXPECT_EQ(AcceptQuickCheck(ledger_, check), QuickCheckField::kNumber);
  check.number = "1044";
  check.account = "100";  // a title account
  EXPECT_EQ(AcceptQuickCheck(ledger_, check), QuickCheckField::kAccount);
  EXPECT_EQ(ui_.Texts(), (std::vector<std::string>{
                             std::string(kMustSelectPayee), std::string(kMustSelectPayee),
                             std::string(kAmountAboveZero), std::string(kAmountAboveZero),
                             std::string(kNumberNotBlank), std::string(kCheckNumberRule),
                             NumberInUseMessage("01043"), std::string(kSelectCheckAccount)}));
  check.account = "650";
  EXPECT_EQ(AcceptQuickCheck(ledger_, check), std::nullopt);
}

TEST_F(QuickCheckTest, ANewPayeeIsCreatedFirstUnlessItsNameIsTaken) {
  QuickCheck check = Filled();
  check.payee = 0;  // "* New Payee *" with the name of a listed payee
  EXPECT_EQ(AcceptQuickCheck(ledger_, check), QuickCheckField::kName);
  EXPECT_EQ(ui_.LastText(), "Payee name already in use:\nHarbor Supply");

  check.name_line_1 = "Gull Island Ferry";
  check.address = "Pier 3";
  check.phone = "555-0199";
  check.memo = "Freight";
  EXPECT_EQ(AcceptQuickCheck(ledger_, check), std::nullopt);
  EXPECT_EQ(check.payee, 4);
  const PayeeRecord& added = ledger_.payees().payee(4);
  EXPECT_EQ(TrimRight(added.name), "Gull Island Ferry");
  EXPECT_EQ(TrimRight(added.address), "Pier 3");
  EXPECT_EQ(TrimRight(added.memo), "Freight");
  EXPECT_EQ(TrimRight(added.default_account), "650");
  EXPECT_EQ(QuickCheckPayees(ledger_), (std::vector<int>{1, 2, 3, 4}));
}

TEST_F(QuickCheckTest, APrintedQuickCheckLeavesItsEntryAndMovesNextCheck) {
  QuickCheck check = Filled();
  check.memo = "Dock lines";
  ASSERT_EQ(AcceptQuickCheck(ledger_, check), std::nullopt);
  ASSERT_TRUE(Print(check));
  EXPECT_EQ(ui_.Texts(), std::vector<std::string>{});
  ASSERT_EQ(ledger_.transaction_count(), 1);
  const TransactionRecord line = Read(1);
  EXPECT_EQ(line.kind, kCheckOrDeposit);
  EXPECT_EQ(line.unprinted, 1);
  EXPECT_EQ(line.payee_number, 1);
  EXPECT_EQ(TrimRight(line.description), "Harbor Supply");
  EXPECT_EQ(TrimRight(line.payee_name_1), "Harbor Supply");
  EXPECT_EQ(TrimRight(line.reference), "1043");
  EXPECT_EQ(TrimRight(line.invoice_number), "INV-77");
  EXPECT_EQ(TrimRight(line.memo), "Dock lines");
  EXPECT_EQ(AccountKey(line.account), AccountKey("650"));
  EXPECT_EQ(line.amount, Money::FromCents(45000));
  EXPECT_EQ(line.date, testing::Date(2026, 3, 14));
  EXPECT_EQ(line.invoice_date_2, testing::Date(2026, 3, 14));
  EXPECT_EQ(Posted("650"), Money::FromCents(45000));
  EXPECT_EQ(ledger_.settings().next_check, "1044");
  const testing::TextPages pages = testing::PdfTextPages(PdfPath());
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_THAT(pages[0], ::testing::Contains(HasSubstr("**450.00**")));
  EXPECT_THAT(pages[0], ::testing::Contains(HasSubstr("Four Hundred Fifty and 00/100 Dollars")));
  EXPECT_THAT(pages[0], ::testing::Contains(HasSubstr("INV-77")));

  // A number below Next Check leaves it where it is.
  check.number = "17";
  ASSERT_TRUE(Print(check));
  EXPECT_EQ(ledger_.settings().next_check, "1044");
}

TEST_F(QuickCheckTest, ACancelledPrintLeavesTheTransactionFileAsBefore) {
  Append(testing::Line(kCheckOrDeposit, "650", 1000, "earlier", 46095, "1000"));
  ledger_.settings().next_check = "1043";
  const std::string before = dir_.ReadFile("KXACCT.TRN");
  const std::string chart_before = dir_.ReadFile("KXACCT.COA");
  QuickCheck check = Filled();
  ASSERT_EQ(AcceptQuickCheck(ledger_, check), std::nullopt);
  printer_.cancel = true;
  EXPECT_FALSE(Print(check, OutputTarget::kPrinter));
  EXPECT_EQ(dir_.ReadFile("KXACCT.TRN"), before);
  EXPECT_EQ(dir_.ReadFile("KXACCT.COA"), chart_before);
  EXPECT_EQ(ledger_.settings().next_check, "1043");
  ExpectBooksAgreeWithFiles();

  // A PDF that cannot be put in place fails the same way (the entry's own
  // writes and its deletion go through).
  fs_.FailNth(testing::Step::kRename, 1);
  EXPECT_FALSE(Print(check));
  fs_.ClearFaults();
  EXPECT_EQ(dir_.ReadFile("KXACCT.TRN"), before);
  EXPECT_THAT(ui_.Texts(), ::testing::Contains(HasSubstr("is in use. Close all pdf files")));
  ExpectBooksAgreeWithFiles();
}

}  // namespace
}  // namespace zenkar
