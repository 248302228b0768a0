// Payees: lookup by name and number, the empty-file rule, adding, searching,
// renaming (which rewrites the payee text of the lines) and deleting, which
// keeps every payee number stored in KXACCT.TRN and KXACCT.RJE naming the
// same payee.
#include <gtest/gtest.h>

#include "common/byte_codec.h"
#include "ledger_fixture.h"

namespace zenkar {
namespace {

using testing::LedgerFixture;
using testing::Line;
using testing::Payee;

TEST(PayeeListTest, FindsByNameAsFortyCharacterText) {
  const PayeeList list({Payee("Harbor Supply"), Payee("Bay Electric")});
  EXPECT_EQ(list.FindPayeeByName("Bay Electric"), 2);
  EXPECT_EQ(list.FindPayeeByName("Bay Electric   "), 2);
  EXPECT_EQ(list.FindPayeeByName("bay electric"), 0);
  EXPECT_EQ(list.FindPayeeByName("Bay"), 0);
}

TEST(PayeeListTest, PayeeNameFallsBackToLineTwoAndAPlaceholder) {
  PayeeRecord unnamed = Payee("   ");
  unnamed.name_2 = "  Second Line  ";
  const PayeeList list({Payee("  Harbor Supply "), unnamed});
  EXPECT_EQ(list.PayeeName(1), "Harbor Supply");
  EXPECT_EQ(list.PayeeName(2), "Second Line");
  EXPECT_EQ(list.PayeeName(0), kUnknownPayeeName);
  EXPECT_EQ(list.PayeeName(3), kUnknownPayeeName);
  EXPECT_FALSE(list.IsValidPayee(0));
  EXPECT_TRUE(list.IsValidPayee(2));
  EXPECT_FALSE(list.IsValidPayee(3));
}

TEST(PayeeListTest, SearchLooksAtNameAddressPhoneAndMemoIgnoringCase) {
  PayeeRecord city_only = Payee("Dock Rentals");
  city_only.city_state_zip = "Portsmouth";
  const PayeeList list({Payee("ABC Supply"), Payee("Bay Electric", "12 Abc Lane"),
                        Payee("Pier Nine", "", "603-555-0100"), Payee("Tug", "", "", "net 30"),
                        city_only});
  EXPECT_EQ(list.Search("abc"), (std::vector<int>{1, 2}));
  EXPECT_EQ(list.Search("555-01"), (std::vector<int>{3}));
  EXPECT_EQ(list.Search("NET"), (std::vector<int>{4}));
  EXPECT_TRUE(list.Search("portsmouth").empty());
  EXPECT_TRUE(list.Search("  ").empty());
}

class PayeesTest : public LedgerFixture {
 protected:
  void SetUp() override { OpenCompany(); }

  std::string NameAt(int number) { return ledger_.PayeeName(number); }
};

TEST_F(LedgerFixture, AnEmptyOrMissingPayeeFileBecomesOneBlankPayee) {
  WriteCompany(testing::TestChart(), {});
  ASSERT_TRUE(ledger_.OpenDataFolder());
  EXPECT_EQ(ledger_.payees().count(), 1);
  EXPECT_EQ(dir_.ReadFile("KXACCT.VND"), PayeeRecord().Encode());
  EXPECT_EQ(dir_.ReadFile("KXACCT.VND").size(), 536u);
  ledger_.Close();
  ::unlink(dir_.File("KXACCT.VND").c_str());
  ASSERT_TRUE(ledger_.OpenDataFolder());
  EXPECT_EQ(dir_.ReadFile("KXACCT.VND"), PayeeRecord().Encode());
}

TEST_F(LedgerFixture, APayeeFileOfTheWrongLengthIsRefusedAndLeftAlone) {
  WriteCompany();
  const std::string damaged = dir_.ReadFile("KXACCT.VND") + "x";
  dir_.WriteFile("KXACCT.VND", damaged);
  EXPECT_FALSE(ledger_.OpenDataFolder());
  EXPECT_FALSE(ledger_.is_loaded());
  EXPECT_NE(ui_.LastText().find("KXACCT.VND"), std::string::npos);
  EXPECT_EQ(dir_.ReadFile("KXACCT.VND"), damaged);
}

TEST_F(PayeesTest, AddingRefusesBlankAndTakenNames) {
  const std::string before = dir_.ReadFile("KXACCT.VND");
  EXPECT_EQ(ledger_.AddPayee(Payee("   ")), std::nullopt);
  EXPECT_EQ(ui_.LastText(), "Enter a Payee name");
  EXPECT_EQ(ledger_.AddPayee(Payee("Bay Electric   ")), std::nullopt);
  EXPECT_EQ(ui_.LastText(), "Payee name already in use:\nBay Electric");
  EXPECT_EQ(ui_.messages().back().kind, MessageKind::kError);
  EXPECT_EQ(dir_.ReadFile("KXACCT.VND"), before);
  EXPECT_EQ(ledger_.payees().count(), 3);
}

TEST_F(PayeesTest, AddingAppendsAndSavesTheWholeList) {
  EXPECT_EQ(ledger_.AddPayee(Payee("Pier Nine", "1 Dock Road")), 4);
  EXPECT_EQ(NameAt(1), "Harbor Supply");
  EXPECT_EQ(NameAt(4), "Pier Nine");
  EXPECT_EQ(dir_.ReadFile("KXACCT.VND"), ledger_.payees().Encode());
}

TEST_F(PayeesTest, RenamingRewritesThePayeeTextOfItsLinesButNotTheirNumbers) {
  TransactionRecord bill = Line(kCheckOrDeposit, "650", 100, "a", 45000, "", 2);
  bill.description = "Bay Electric";
  Append(bill);
  TransactionRecord other = Line(kCheckOrDeposit, "650", 100, "b", 45000, "", 1);
  other.description = "Harbor Supply";
  Append(other);
  PayeeRecord renamed = ledger_.payees().payee(2);
  renamed.name = "Seacoast Electric";
  ASSERT_TRUE(ledger_.UpdatePayee(2, renamed));
  EXPECT_EQ(TrimRight(Read(1).description), "Seacoast Electric");
  EXPECT_EQ(Read(1).payee_number, 2);
  EXPECT_EQ(TrimRight(Read(2).description), "Harbor Supply");
  EXPECT_EQ(NameAt(2), "Seacoast Electric");
  EXPECT_EQ(dir_.ReadFile("KXACCT.VND"), ledger_.payees().Encode());
  ExpectBooksAgreeWithFiles();
}

TEST_F(PayeesTest, RenamingToATakenNameIsRefused) {
  PayeeRecord renamed = ledger_.payees().payee(2);
  renamed.name = "Harbor Supply";
  EXPECT_FALSE(ledger_.UpdatePayee(2, renamed));
  EXPECT_EQ(ui_.LastText(), "Payee name already in use:\nHarbor Supply");
  renamed.name = "";
  EXPECT_FALSE(ledger_.UpdatePayee(2, renamed));
  EXPECT_EQ(ui_.LastText(), "Enter a Payee name");
  EXPECT_EQ(NameAt(2), "Bay Electric");
}

TEST_F(PayeesTest, AFailedRenameChangesNeitherFile) {
  Append(Line(kCheckOrDeposit, "650", 100, "a", 45000, "", 2));
  const std::string lines = dir_.ReadFile("KXACCT.TRN");
  const std::string payees = dir_.ReadFile("KXACCT.VND");
  PayeeRecord renamed = ledger_.payees().payee(2);
  renamed.name = "Seacoast Electric";
  for (int64_t limit : {0, 100, 400}) {
    fs_.faults().bytes_until_full = limit;
    EXPECT_FALSE(ledger_.UpdatePayee(2, renamed));
    EXPECT_EQ(dir_.ReadFile("KXACCT.TRN"), lines);
    EXPECT_EQ(dir_.ReadFile("KXACCT.VND"), payees);
    EXPECT_EQ(NameAt(2), "Bay Electric");
  }
  fs_.ClearFaults();
  fs_.faults().fail_rename = true;
  EXPECT_FALSE(ledger_.UpdatePayee(2, renamed));
  EXPECT_EQ(dir_.ReadFile("KXACCT.TRN"), lines);
  EXPECT_EQ(dir_.ReadFile("KXACCT.VND"), payees);
  EXPECT_EQ(dir_.Listing(), "KXACCT.CFG KXACCT.COA KXACCT.LCK KXACCT.TRN KXACCT.VND");
  fs_.ClearFaults();
  ASSERT_TRUE(ledger_.UpdatePayee(2, renamed));
  EXPECT_EQ(TrimRight(Read(1).description), "Seacoast Electric");
}

TEST_F(PayeesTest, PayeesWithUnpaidOrUnprintedLinesCannotBeDeleted) {
  TransactionRecord invoice = Line(kInvoice, "650", 100, "", 45000, "", 2);
  invoice.unprinted = 0;
  Append(invoice);
  Append(Line(kCheckOrDeposit, "650", 100, "", 45000, "", 3));  // unprinted
  for (int number : {2, 3}) {
    ui_.ClearMessages();
    EXPECT_FALSE(ledger_.DeletePayee(number));
    EXPECT_EQ(ui_.Texts(),
              std::vector<std::string>{
                  "Cannot delete this Payee.\n\nThere is at least one entry to this payee which is "
                  "unpaid, or has not been printed on a General Ledger Report."});
  }
  EXPECT_EQ(ledger_.payees().count(), 3);
}

// Lines and recurring entries naming every payee; deleting payee 2 must leave
// each stored number naming the payee it named before.
class PayeeDeletionTest : public PayeesTest {
 protected:
  void SetUp() override {
    PayeesTest::SetUp();
    for (int payee : {0, 1, 2, 3, 2}) {
      TransactionRecord line = Line(kCheckOrDeposit, "650", 100, "", 45000, "", payee);
      line.description = payee == 0 ? "no payee" : NameAt(payee);
      line.unprinted = 0;
      Append(line);
    }
    std::string recurring;
    for (int payee : {3, 2, 1, 0}) {
      std::string record(284, ' ');
      PutInt32(record, 0, kCheckOrDeposit);
      PutInt32(record, 4, payee);
      recurring += record;
    }
    dir_.WriteFile("KXACCT.RJE", recurring);
  }

  std::vector<std::string> NamesStoredInLines() {
    std::vector<std::string> names;
    for (int n = 1; n <= ledger_.transaction_count(); ++n) {
      names.push_back(NameAt(Read(n).payee_number));
    }
    return names;
  }

  std::vector<std::string> NamesStoredInRecurringEntries() {
    std::vector<std::string> names;
    const std::string recurring = dir_.ReadFile("KXACCT.RJE");
    for (size_t at = 0; at < recurring.size(); at += 284) {
      names.push_back(NameAt(GetInt32(recurring, at + 4)));
    }
    return names;
  }
};

TEST_F(PayeeDeletionTest, EveryStoredPayeeNumberStillNamesTheSamePayee) {
  const std::string unknown(kUnknownPayeeName);
  ledger_.AppendTransaction(Line(kJournalLine, "650", 0, "", 45000, "", 3));
  ASSERT_EQ(ledger_.last_payee(), 3);
  ASSERT_TRUE(ledger_.DeleteTransaction(6));
  ui_.ClearMessages();
  ASSERT_TRUE(ledger_.DeletePayee(2));
  EXPECT_TRUE(ui_.messages().empty());
  EXPECT_EQ(ledger_.payees().count(), 2);
  EXPECT_EQ(NamesStoredInLines(),
            (std::vector<std::string>{unknown, "Harbor Supply", unknown, "Dock Rentals", unknown}));
  EXPECT_EQ(NamesStoredInRecurringEntries(),
            (std::vector<std::string>{"Dock Rentals", unknown, "Harbor Supply", unknown}));
  // The deleted payee's lines keep its name as their payee text.
  EXPECT_EQ(TrimRight(Read(3).description), "Bay Electric");
  EXPECT_EQ(Read(3).payee_number, 0);
  EXPECT_EQ(ledger_.last_payee(), 2);
  EXPECT_EQ(dir_.ReadFile("KXACCT.VND"), ledger_.payees().Encode());
  ExpectBooksAgreeWithFiles();
}

TEST_F(PayeeDeletionTest, AFailedDeletionChangesNoFile) {
  const std::string lines = dir_.ReadFile("KXACCT.TRN");
  const std::string recurring = dir_.ReadFile("KXACCT.RJE");
  const std::string payees = dir_.ReadFile("KXACCT.VND");
  using Faults = testing::FaultInjectingFileSystem::Faults;
  for (const Faults& fault :
       {Faults{.bytes_until_full = 0}, Faults{.bytes_until_full = 1700},
        Faults{.bytes_until_full = 2800}, Faults{.fail_sync = true}, Faults{.fail_rename = true}}) {
    fs_.faults() = fault;
    ui_.ClearMessages();
    EXPECT_FALSE(ledger_.DeletePayee(2));
    EXPECT_EQ(ui_.messages().size(), 1u);
    EXPECT_EQ(dir_.ReadFile("KXACCT.TRN"), lines);
    EXPECT_EQ(dir_.ReadFile("KXACCT.RJE"), recurring);
    EXPECT_EQ(dir_.ReadFile("KXACCT.VND"), payees);
    EXPECT_EQ(ledger_.payees().count(), 3);
    EXPECT_EQ(dir_.Listing(), "KXACCT.CFG KXACCT.COA KXACCT.LCK KXACCT.RJE KXACCT.TRN KXACCT.VND");
  }
  fs_.ClearFaults();
  ASSERT_TRUE(ledger_.DeletePayee(2));
  // The transaction file was replaced and reopened: the books still work.
  EXPECT_TRUE(ledger_.AppendTransaction(Line(kJournalLine, "650", 100)).has_value());
}

TEST_F(PayeeDeletionTest, ADamagedRecurringFileRefusesTheDeletion) {
  dir_.WriteFile("KXACCT.RJE", std::string(285, ' '));
  EXPECT_FALSE(ledger_.DeletePayee(2));
  EXPECT_NE(ui_.LastText().find("KXACCT.RJE"), std::string::npos);
  EXPECT_EQ(ledger_.payees().count(), 3);
}

TEST_F(LedgerFixture, DeletingTheOnlyPayeeLeavesOneBlankPayee) {
  WriteCompany(testing::TestChart(), {Payee("Harbor Supply")});
  ASSERT_TRUE(ledger_.OpenDataFolder());
  ASSERT_TRUE(ledger_.DeletePayee(1));
  EXPECT_EQ(ledger_.payees().count(), 1);
  EXPECT_EQ(dir_.ReadFile("KXACCT.VND"), PayeeRecord().Encode());
}

}  // namespace
}  // namespace zenkar
