// The entry pages' rules without a display: what the fields accept, how a
// saved line moves the figures on show, the latest-entries box, voiding and
// deleting, the checked-out guard, editing and the back-dating warning.
#include "app_rules/transactions/entry_register.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app_rules/transactions/entry_actions.h"
#include "app_rules/transactions/entry_company.h"
#include "app_rules/transactions/entry_line.h"
#include "app_rules/utilities/utility_actions.h"

namespace zenkar {
namespace {

using ::testing::ElementsAre;
using ::zenkar::testing::Day;
using ::zenkar::testing::EntryChart;
using ::zenkar::testing::EntryCompany;
using ::zenkar::testing::StoredLine;

// --- Field rules ---------------------------------------------------------------------

TEST(AmountFieldTest, TakesDigitsPointAndSignWithTwoDecimalsBelowOneHundredMillion) {
  for (const char* text :
       {"", "-", "0", "12", "12.", "12.5", "-12.50", ".5", "99999999.99", "00000000099999999"}) {
    EXPECT_TRUE(IsAmountText(text, false)) << text;
  }
  for (const char* text : {"100000000", "-100000000", "12.345", "1,234", "+5", "5-", "--5", "1.2.3",
                           "1e5", " 5", "abc"}) {
    EXPECT_FALSE(IsAmountText(text, false)) << text;
  }
}

TEST(AmountFieldTest, PastedTextIsTakenOnlyWhenItIsAnAmount) {
  EXPECT_EQ(PastedAmount("12.5", false), "12.50");
  EXPECT_EQ(PastedAmount(" -7 ", false), "-7.00");
  EXPECT_EQ(PastedAmount("1,234.00", false), std::nullopt);
  EXPECT_EQ(PastedAmount("12.345", false), std::nullopt);
  EXPECT_EQ(PastedAmount("100000000", false), std::nullopt);
  EXPECT_EQ(PastedAmount("-", false), std::nullopt);
  EXPECT_EQ(PastedAmount("Rent", false), std::nullopt);
}

TEST(AmountFieldTest, PlusAndMinusWriteTwoDecimalsAndMinusChangesTheSign) {
  EXPECT_EQ(AmountWithTwoDecimals("12.5", false, false), "12.50");
  EXPECT_EQ(AmountWithTwoDecimals("12.5", true, false), "-12.50");
  EXPECT_EQ(AmountWithTwoDecimals("-3", true, false), "3.00");
  EXPECT_EQ(AmountWithTwoDecimals("7.", false, false), "7.00");
  EXPECT_EQ(AmountWithTwoDecimals("-", true, false), "0.00");
  EXPECT_EQ(AmountOf("99999999.99", false), Money::FromCents(9999999999));
}

TEST(AmountFieldTest, WithFixedDecimalPositionDigitsWithoutAPointAreCents) {
  EXPECT_EQ(AmountOf("12345", true), Money::FromCents(12345));
  EXPECT_EQ(AmountOf("-12345", true), Money::FromCents(-12345));
  EXPECT_EQ(AmountOf("12.", true), Money::FromCents(1200));  // a typed point overrides it
  EXPECT_EQ(PastedAmount(" 12345 ", true), "123.45");
  EXPECT_EQ(AmountWithTwoDecimals("12345", true, true), "-123.45");
  // The limit stays 100,000,000.00: ten digits of cents, eight of units.
  EXPECT_TRUE(IsAmountText("9999999999", true));
  EXPECT_FALSE(IsAmountText("10000000000", true));
  EXPECT_TRUE(IsAmountText("99999999.9", true));
  EXPECT_FALSE(IsAmountText("100000000.", true));
}

TEST(ReferenceFieldTest, PlusAddsOneKeepingTheWidth) {
  EXPECT_EQ(IncrementedReference("00998"), "00999");
  EXPECT_EQ(IncrementedReference("0099"), "0100");
  EXPECT_EQ(IncrementedReference("7"), "8");
  EXPECT_EQ(IncrementedReference("99999"), "100000");
  EXPECT_EQ(IncrementedReference("ABC"), std::nullopt);
  EXPECT_EQ(IncrementedReference("A-7"), std::nullopt);
  EXPECT_EQ(IncrementedReference(""), std::nullopt);
  // The result must still fit the 8-character field.
  EXPECT_EQ(IncrementedReference("99999998"), "99999999");
  EXPECT_EQ(IncrementedReference("99999999"), std::nullopt);
}

TEST(AccountSearchTest, DigitsSearchNumbersAndLettersDescriptions) {
  const std::vector<AccountLine> lines = PostingAccountLines(ChartOfAccounts(EntryChart()));
  ASSERT_EQ(lines.size(), 8u);  // the title account 100 is not a posting account
  EXPECT_EQ(lines[0].text, "110  Checking Account");

  AccountSearch by_number(&lines);
  EXPECT_EQ(by_number.Type('6'), 5);  // 650 Rent
  EXPECT_EQ(by_number.Type('5'), 5);
  EXPECT_EQ(by_number.Type('5'), 6);  // 655 Repairs
  EXPECT_EQ(by_number.Type('9'), std::nullopt);
  EXPECT_EQ(by_number.typed(), "655");
  EXPECT_EQ(by_number.Backspace(), 5);

  AccountSearch by_description(&lines);
  EXPECT_EQ(by_description.Type('r'), 3);  // Retained Earnings
  EXPECT_EQ(by_description.Type('E'), 3);
  EXPECT_EQ(by_description.Type('p'), 6);  // Repairs
  EXPECT_EQ(by_description.Type('x'), std::nullopt);
  EXPECT_EQ(by_description.typed(), "rEp");

  AccountSearch refused(&lines);
  EXPECT_EQ(refused.Type(' '), std::nullopt);
  EXPECT_EQ(refused.typed(), "");
  EXPECT_EQ(AccountLineOf(lines, "720"), 7);
  EXPECT_EQ(AccountLineOf(lines, "100"), std::nullopt);  // a title account is not listed
  EXPECT_EQ(AccountLineOf(lines, ""), std::nullopt);
}

TEST(OfferedAccountTest, ThePayeesDefaultAccountWhenItIsListed) {
  const std::vector<AccountLine> lines = PostingAccountLines(ChartOfAccounts(EntryChart()));
  std::vector<PayeeRecord> records(3);
  records[0].name = "Dock Rentals";
  records[0].default_account = "650 ";
  records[1].name = "Bay Electric";
  records[1].default_account = "100 ";  // a title account is not offered
  records[2].name = "Harbor Supply";
  const PayeeList payees(records);
  EXPECT_EQ(OfferedAccount(payees, lines, "Dock Rentals"), "650");
  EXPECT_EQ(OfferedAccount(payees, lines, "Dock Rentals  "), "650");
  EXPECT_EQ(OfferedAccount(payees, lines, "Bay Electric"), std::nullopt);
  EXPECT_EQ(OfferedAccount(payees, lines, "Harbor Supply"), std::nullopt);
  EXPECT_EQ(OfferedAccount(payees, lines, "Dock"), std::nullopt);
}

// --- The register over a loaded company -------------------------------------------------

class EntryRegisterTest : public ::testing::Test {
 protected:
  void Load(const std::vector<TransactionRecord>& lines = {}) {
    company_ = std::make_unique<EntryCompany>(lines);
    ASSERT_TRUE(company_->Load());
    checks_ = std::make_unique<EntryRegister>(company_->program, kCheckOrDeposit);
    journal_ = std::make_unique<EntryRegister>(company_->program, kJournalLine);
    checks_->Enter();
    journal_->Enter();
  }
  EntryLine Line(std::string payee, std::string reference, std::string account, std::string amount,
                 DayNumber date = Day(2026, 3, 14)) {
    EntryLine line;
    line.payee = std::move(payee);
    line.reference = std::move(reference);
    line.account = std::move(account);
    line.amount = std::move(amount);
    line.date = date;
    return line;
  }
  Ledger& ledger() { return company_->program.ledger(); }
  ::zenkar::testing::ScriptedUi& ui() { return company_->ui; }

  std::unique_ptr<EntryCompany> company_;
  std::unique_ptr<EntryRegister> checks_;
  std::unique_ptr<EntryRegister> journal_;
};

TEST_F(EntryRegisterTest, ASavedCheckIsStoredAsTheLineShowedIt) {
  Load();
  const int number = checks_->SaveLine(Line("Bay Electric", "1001", "650", "120.5"));
  ASSERT_EQ(number, 1);
  const TransactionRecord saved = company_->LineOnDisk(1);
  EXPECT_EQ(saved.kind, kCheckOrDeposit);
  EXPECT_EQ(saved.unprinted, 1);
  EXPECT_EQ(saved.description, FitText("Bay Electric", 40));
  EXPECT_EQ(saved.payee_number, 2);
  EXPECT_EQ(saved.reference, "1001    ");
  EXPECT_EQ(saved.account, "650 ");
  EXPECT_EQ(saved.date, Day(2026, 3, 14));
  EXPECT_EQ(saved.amount, Money::FromCents(12050));
  EXPECT_EQ(saved.ytd, 0);
  EXPECT_EQ(saved.payee_name_1, FitText("", 40));

  // Free text names no payee; a journal line carries the YTD mark.
  EntryLine journal = Line("Opening adjustment", "ADJ", "130", "-20");
  journal.ytd = true;
  ASSERT_EQ(journal_->SaveLine(journal), 2);
  EXPECT_EQ(company_->LineOnDisk(2).kind, kJournalLine);
  EXPECT_EQ(company_->LineOnDisk(2).payee_number, 0);
  EXPECT_EQ(company_->LineOnDisk(2).ytd, 1);
  EXPECT_TRUE(ui().messages().empty()) << ui().LastText();
}

TEST_F(EntryRegisterTest, TheNextCheckNumberFollowsTheSavedReference) {
  Load();
  EXPECT_EQ(checks_->NewLine().reference, "1001");
  checks_->SaveLine(Line("Harbor Supply", "00998", "650", "1"));
  EXPECT_EQ(checks_->NewLine().reference, "00999");
  checks_->SaveLine(Line("Harbor Supply", "99999", "650", "1"));
  EXPECT_EQ(checks_->NewLine().reference, "00001");
  checks_->SaveLine(Line("Harbor Supply", "ABC", "650", "1"));
  EXPECT_EQ(checks_->NewLine().reference, "00001");
  // The journal page starts its lines without a reference.
  EXPECT_EQ(journal_->NewLine().reference, "");
}

TEST_F(EntryRegisterTest, TheBankBalanceMovesByMinusEachCheckExceptOnTheBankAccount) {
  Load();
  EXPECT_EQ(checks_->BankCaption(), "Bank Acct (110):");
  EXPECT_EQ(checks_->BankBalance(), Money::FromCents(500000));
  checks_->SaveLine(Line("Dock Rentals", "1001", "650", "1200"));
  EXPECT_EQ(checks_->BankBalance(), Money::FromCents(380000));
  checks_->SaveLine(Line("Sales deposit", "", "510", "-250.25"));
  EXPECT_EQ(checks_->BankBalance(), Money::FromCents(405025));
  checks_->SaveLine(Line("Transfer", "", "110", "300"));
  EXPECT_EQ(checks_->BankBalance(), Money::FromCents(405025));
  checks_->SaveLine(Line("Big check", "1002", "720", "5000"));
  EXPECT_TRUE(checks_->BankBalance().IsNegative());
  // A journal line to the bank account does move it.
  journal_->SaveLine(Line("Correction", "", "110", "25"));
  EXPECT_EQ(checks_->BankBalance(), Money::FromCents(-94975 + 2500));
}

TEST_F(EntryRegisterTest, PostingTotalShowsWhatIsStillToBeEntered) {
  Load();
  EXPECT_EQ(journal_->PostingTotal(), Money());
  journal_->SaveLine(Line("Move to savings", "J1", "130", "100.00"));
  EXPECT_EQ(journal_->PostingTotal(), Money::FromCents(-10000));
  EXPECT_EQ(WhereAmIText(company_->program), "1 Transactions\n" + company_->data.path() +
                                                 "\nAccounts are out of balance by: 100.00");
  journal_->SaveLine(Line("Move to savings", "J1", "110", "-100.00"));
  EXPECT_EQ(journal_->PostingTotal(), Money());
  // Checks and deposits are balanced by the bank side.
  checks_->SaveLine(Line("Dock Rentals", "1001", "650", "75"));
  EXPECT_EQ(journal_->PostingTotal(), Money());
}

TEST_F(EntryRegisterTest, TheBoxHoldsTheTwelveNewestEntriesOfItsKindNewestAtTheBottom) {
  std::vector<TransactionRecord> lines;
  for (int n = 1; n <= 13; ++n) {
    lines.push_back(StoredLine(kCheckOrDeposit, "Check " + std::to_string(n),
                               std::to_string(1000 + n), Day(2026, 3, n), "650", n * 100));
  }
  TransactionRecord marked = StoredLine(kJournalLine, "Accrual", "J1", Day(2026, 3, 20), "130", 5);
  marked.ytd = 1;
  lines.push_back(marked);
  lines.push_back(StoredLine(kJournalLine, "Accrual", "J1", Day(2026, 3, 20), "210", -5));
  Load(lines);

  const std::vector<LatestEntryText> box = checks_->LatestTexts();
  ASSERT_EQ(box.size(), 12u);
  EXPECT_EQ(box.front().payee, "Check 2");
  EXPECT_EQ(box.back().payee, "Check 13");
  EXPECT_EQ(box.back().reference, "1013");
  EXPECT_EQ(box.back().date, "03/13/26");
  EXPECT_EQ(box.back().account, "650");
  EXPECT_EQ(box.back().amount, "13.00");
  EXPECT_EQ(checks_->RecordOfRow(11), 13);
  EXPECT_EQ(checks_->RecordOfRow(12), 0);

  const std::vector<LatestEntryText> journal_box = journal_->LatestTexts();
  ASSERT_EQ(journal_box.size(), 2u);
  EXPECT_EQ(journal_box[0].ytd, "*");
  EXPECT_EQ(journal_box[1].ytd, "");

  // A new check pushes the oldest out.
  checks_->SaveLine(Line("Check 14", "1014", "650", "1"));
  EXPECT_EQ(checks_->LatestTexts().front().payee, "Check 3");
  EXPECT_EQ(checks_->RecordOfRow(11), 16);
}

TEST_F(EntryRegisterTest, TheBoxFindsEntriesFarBackInTheFile) {
  std::vector<TransactionRecord> lines = {
      StoredLine(kJournalLine, "Opening", "J1", Day(2026, 1, 1), "130", 100),
      StoredLine(kJournalLine, "Opening", "J1", Day(2026, 1, 1), "510", -100)};
  for (int n = 0; n < 1200; ++n) {
    lines.push_back(StoredLine(kCheckOrDeposit, "Check", std::to_string(2000 + n), Day(2026, 2, 1),
                               "650", 100));
  }
  Load(lines);
  ASSERT_EQ(journal_->latest().size(), 2u);
  EXPECT_EQ(journal_->RecordOfRow(0), 1);
  EXPECT_EQ(journal_->RecordOfRow(1), 2);
  EXPECT_EQ(checks_->RecordOfRow(11), 1202);
  EXPECT_EQ(LatestCheckEntryDate(ledger()), Day(2026, 2, 1));
}

TEST_F(EntryRegisterTest, ANewLineIsDatedTodayThenWithTheLastDateUsed) {
  Load();
  EXPECT_EQ(checks_->NewLine().date, Day(2026, 3, 14));
  checks_->SaveLine(Line("Harbor Supply", "1001", "650", "1", Day(2026, 3, 2)));
  EXPECT_EQ(checks_->NewLine().date, Day(2026, 3, 2));
  EXPECT_EQ(journal_->NewLine().date, Day(2026, 3, 14));
  // "Select Check Date" sets the date of the next check lines.
  company_->program.set_default_check_date(Day(2026, 4, 1));
  EXPECT_EQ(checks_->NewLine().date, Day(2026, 4, 1));
  checks_->SaveLine(Line("Harbor Supply", "1002", "650", "1", Day(2026, 4, 3)));
  EXPECT_EQ(checks_->NewLine().date, Day(2026, 4, 3));
}

TEST_F(EntryRegisterTest, AnInvalidBankAccountIsReportedOnEntering) {
  Load();
  ledger().settings().bank_account = "999";
  checks_->Enter();
  journal_->Enter();
  EXPECT_THAT(ui().Texts(),
              ElementsAre("The bank account selected on the Setup screen is invalid. Enter a "
                          "valid account as your bank account on the Setup screen."));
}

// --- Back-dating warning ---------------------------------------------------------------

TEST(BackDatingTest, TheWarningNamesBothDatesAndTheEarlierOne) {
  const DatePatterns patterns = DeriveDatePatterns("11/22/44");
  EXPECT_EQ(BackDatingText(Day(2025, 12, 30), Day(2026, 1, 5), true, patterns),
            "The selected date:\n12/30/25\n\nhas an older year than the last check entry:\n"
            "01/05/26\n\n========\nReports are based on the transaction dates.\n\nReports "
            "including 12/30/25 and later transactions\nmay need to be reprinted.");
  EXPECT_EQ(BackDatedByYear(Day(2025, 12, 30), Day(2026, 1, 5)), true);
  EXPECT_EQ(BackDatedByYear(Day(2026, 2, 28), Day(2026, 3, 1)), false);
  EXPECT_EQ(BackDatedByYear(Day(2026, 3, 1), Day(2026, 3, 31)), std::nullopt);
  EXPECT_EQ(BackDatedByYear(Day(2026, 4, 1), Day(2026, 3, 31)), std::nullopt);
  EXPECT_EQ(BackDatedByYear(Day(2026, 2, 1), kNoDate), std::nullopt);
}

TEST(BackDatingTest, ShownAtMostTwicePerRun) {
  const DatePatterns patterns = DeriveDatePatterns("11/22/44");
  ::zenkar::testing::ScriptedUi ui;
  BackDatingWarnings warnings;
  EXPECT_FALSE(warnings.WarnIfBackDated(ui, patterns, Day(2026, 3, 2), Day(2026, 3, 20)));
  EXPECT_TRUE(warnings.WarnIfBackDated(ui, patterns, Day(2026, 2, 2), Day(2026, 3, 20)));
  EXPECT_TRUE(warnings.WarnIfBackDated(ui, patterns, Day(2025, 2, 2), Day(2026, 3, 20)));
  EXPECT_FALSE(warnings.WarnIfBackDated(ui, patterns, Day(2025, 1, 2), Day(2026, 3, 20)));
  ASSERT_EQ(ui.messages().size(), 2u);
  EXPECT_EQ(ui.messages()[0].kind, MessageKind::kInformation);
  EXPECT_TRUE(ui.messages()[1].text.find("has an older year") != std::string::npos);
}

// Both pages draw on their program's allowance, and a program run starts with a
// whole one whatever an earlier program in the same process used.
TEST_F(EntryRegisterTest, TheWarningAllowanceBelongsToTheProgramRun) {
  for (int run = 0; run < 2; ++run) {
    Load({StoredLine(kCheckOrDeposit, "Dock Rentals", "1001", Day(2026, 3, 20), "650", 1000)});
    checks_->DateChanged(Day(2026, 2, 2));
    journal_->DateChanged(Day(2025, 2, 2));
    checks_->DateChanged(Day(2025, 1, 2));
    EXPECT_EQ(ui().messages().size(), 2u) << "run " << run;
    EXPECT_EQ(company_->program.back_dating_warnings().shown(), 2);
  }
}

// --- Void or delete ----------------------------------------------------------------------

class VoidOrDeleteTest : public EntryRegisterTest {
 protected:
  void SetUp() override {
    Load({StoredLine(kCheckOrDeposit, "Dock Rentals", "1001", Day(2026, 3, 1), "650", 120000),
          StoredLine(kJournalLine, "Accrual", "J7", Day(2026, 3, 2), "130", 2500),
          StoredLine(kJournalLine, "Accrual", "J7", Day(2026, 3, 2), "510", -2500)});
  }
};

TEST_F(VoidOrDeleteTest, VoidingACheckMakesItAnUnpaidInvoiceThenDeletingItChangesNoBalance) {
  ASSERT_EQ(checks_->BankBalance(), Money::FromCents(380000));
  ui().Answer(true);  // Void check 1001?
  EXPECT_EQ(checks_->VoidOrDeleteRow(0), VoidOrDeleteResult::kVoided);
  ASSERT_EQ(ui().messages().size(), 1u);
  EXPECT_EQ(ui().messages()[0].kind, MessageKind::kYesNoDefaultYes);
  EXPECT_EQ(ui().messages()[0].title, "Check Entry: 1001");
  EXPECT_EQ(ui().messages()[0].text, "Void check 1001?\n\nAccount : 650\nAmount: 1200.00");

  const TransactionRecord voided = company_->LineOnDisk(1);
  EXPECT_EQ(voided.kind, kInvoice);
  EXPECT_EQ(voided.reference, FitText("", 8));
  EXPECT_EQ(voided.due_date, Day(2026, 3, 1));
  EXPECT_EQ(voided.date, Day(2026, 3, 1));
  EXPECT_EQ(voided.amount, Money::FromCents(120000));
  EXPECT_EQ(company_->Posted("650"), Money());
  EXPECT_EQ(checks_->BankBalance(), Money::FromCents(500000));
  EXPECT_TRUE(checks_->latest().empty());

  // The unpaid invoice is deleted with its own caption; no balance moves.
  ui().ClearMessages();
  ui().Answer(true);
  EXPECT_EQ(VoidOrDelete(ledger(), company_->program.date_patterns(), 1, true),
            VoidOrDeleteResult::kDeleted);
  EXPECT_EQ(ui().messages()[0].kind, MessageKind::kYesNoDefaultNo);
  EXPECT_EQ(ui().messages()[0].title, "Invoice Entry: ");
  EXPECT_EQ(company_->LinesOnDisk(), 2);
  EXPECT_EQ(checks_->BankBalance(), Money::FromCents(500000));
  EXPECT_EQ(journal_->PostingTotal(), Money());
}

TEST_F(VoidOrDeleteTest, DecliningTheVoidAsksToDeleteWithNoPreselected) {
  ui().Answer(false);  // not void
  ui().Answer(true);   // delete
  EXPECT_EQ(checks_->VoidOrDeleteRow(0), VoidOrDeleteResult::kDeleted);
  ASSERT_EQ(ui().messages().size(), 2u);
  EXPECT_EQ(ui().messages()[1].kind, MessageKind::kYesNoDefaultNo);
  EXPECT_EQ(ui().messages()[1].title, "Check Entry: 1001");
  EXPECT_EQ(ui().messages()[1].text,
            "Delete this transaction?\n\nDock Rentals\n03/01/26\nAccount : 650\nAmount: 1200.00");
  EXPECT_EQ(company_->LinesOnDisk(), 2);
  EXPECT_EQ(company_->Posted("650"), Money());
  EXPECT_EQ(checks_->BankBalance(), Money::FromCents(500000));
}

TEST_F(VoidOrDeleteTest, AJournalLineIsOnlyOfferedDeletionAndNoKeepsIt) {
  EXPECT_EQ(journal_->VoidOrDeleteRow(1), VoidOrDeleteResult::kNothing);  // No preselected
  ASSERT_EQ(ui().messages().size(), 1u);
  EXPECT_EQ(ui().messages()[0].kind, MessageKind::kYesNoDefaultNo);
  EXPECT_EQ(ui().messages()[0].title, "Journal Entry: J7");
  EXPECT_EQ(company_->LinesOnDisk(), 3);

  ui().Answer(true);
  EXPECT_EQ(journal_->VoidOrDeleteRow(1), VoidOrDeleteResult::kDeleted);
  EXPECT_EQ(journal_->PostingTotal(), Money::FromCents(-2500));
  EXPECT_EQ(company_->Posted("510"), Money());
}

TEST_F(VoidOrDeleteTest, ACheckedOutEntryIsRefusedWithItsMessage) {
  struct Case {
    int32_t mark_on_entry;
    int32_t mark_on_other;
    std::string_view message;
  } cases[] = {{kMarkCheckedOut, 0, kEntryCheckedOutMessage},
               {kMarkClientLine, 0, kClientEntryMessage},
               {0, kMarkCheckedOut, kDataCheckedOutMessage}};
  for (const Case& c : cases) {
    TransactionRecord check =
        StoredLine(kCheckOrDeposit, "Dock Rentals", "1001", Day(2026, 3, 1), "650", 120000);
    check.exchange_mark = c.mark_on_entry;
    TransactionRecord other = StoredLine(kJournalLine, "Accrual", "J7", Day(2026, 3, 2), "130", 0);
    other.exchange_mark = c.mark_on_other;
    Load({check, other});
    const std::string before = company_->data.ReadFile("KXACCT.TRN");
    ui().Answer(true);
    ui().Answer(true);
    EXPECT_EQ(checks_->VoidOrDeleteRow(0), VoidOrDeleteResult::kNothing);
    EXPECT_FALSE(checks_->EntryToEdit(0).has_value());
    EXPECT_THAT(ui().Texts(), ElementsAre(std::string(c.message), std::string(c.message)));
    EXPECT_EQ(ui().messages()[0].kind, MessageKind::kError);
    EXPECT_EQ(company_->data.ReadFile("KXACCT.TRN"), before);
  }
  EXPECT_EQ(kDataCheckedOutMessage,
            "Cannot perform this function.\n\nThe data is marked as being 'checked out' to your "
            "accountant");
}

// --- Editing ---------------------------------------------------------------------------------

TEST_F(VoidOrDeleteTest, AnEditWithoutChangesWritesNothing) {
  const std::optional<TransactionRecord> stored = checks_->EntryToEdit(0);
  ASSERT_TRUE(stored.has_value());
  const int writes = company_->fs.writes();
  const TransactionRecord same =
      ApplyEntryLine(*stored, EntryLineOf(*stored), ledger().payees(), false);
  EXPECT_EQ(checks_->SaveEdit(1, same), EditResult::kUnchanged);
  EXPECT_EQ(company_->fs.writes(), writes);
  EXPECT_TRUE(ui().messages().empty());
}

TEST_F(VoidOrDeleteTest, AnEditMovesTheBalancesFromTheOldLineToTheNew) {
  const TransactionRecord stored = *checks_->EntryToEdit(0);
  EntryLine line = EntryLineOf(stored);
  line.account = "655";
  line.amount = "1000";
  line.payee = "Harbor Supply";
  EXPECT_EQ(checks_->SaveEdit(1, ApplyEntryLine(stored, line, ledger().payees(), false)),
            EditResult::kSaved);
  EXPECT_TRUE(ui().messages().empty());
  EXPECT_EQ(company_->Posted("650"), Money());
  EXPECT_EQ(company_->Posted("655"), Money::FromCents(100000));
  EXPECT_EQ(checks_->BankBalance(), Money::FromCents(400000));
  const TransactionRecord saved = company_->LineOnDisk(1);
  EXPECT_EQ(saved.payee_number, 1);
  EXPECT_EQ(saved.entry_sequence, stored.entry_sequence);
  EXPECT_EQ(checks_->LatestTexts().back().account, "655");
}

TEST_F(VoidOrDeleteTest, AnEditIntoAnotherMonthWarnsWithTheReprintAdvice) {
  const TransactionRecord stored = *checks_->EntryToEdit(0);
  EntryLine line = EntryLineOf(stored);
  line.date = Day(2026, 4, 2);
  EXPECT_EQ(checks_->SaveEdit(1, ApplyEntryLine(stored, line, ledger().payees(), false)),
            EditResult::kSaved);
  EXPECT_THAT(ui().Texts(),
              ElementsAre("The selected date:\n04/02/26\n\nhas an older month than the last "
                          "check entry:\n03/01/26\n\n========\nReports are based on the "
                          "transaction dates.\n\nReports including 03/01/26 and later "
                          "transactions\nmay need to be reprinted."));
  // Within the month: no warning.
  ui().ClearMessages();
  TransactionRecord moved = company_->LineOnDisk(1);
  moved.record_number = 1;
  moved.date = Day(2026, 4, 20);
  EXPECT_EQ(checks_->SaveEdit(1, moved), EditResult::kSaved);
  EXPECT_TRUE(ui().messages().empty());
  EXPECT_EQ(company_->LineOnDisk(1).date, Day(2026, 4, 20));
}

}  // namespace
}  // namespace zenkar
