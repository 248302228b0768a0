// The chart of accounts: account-number order and lookup, loading with the
// default and starter charts, the add/edit/delete rules with their messages,
// setup accounts following a renumbering, the consistency test and the
// capital account, and the default chart source itself.
#include <gtest/gtest.h>
#include <unistd.h>

#include <set>

#include "common/file_system.h"
#include "ledger/chart_rules.h"
#include "ledger/chart_text.h"
#include "ledger_fixture.h"

namespace zenkar {
namespace {

using testing::Account;
using testing::LedgerFixture;
using testing::Line;
using testing::TempDir;
using testing::TestChart;

std::vector<std::string> Numbers(const ChartOfAccounts& chart) {
  std::vector<std::string> numbers;
  for (const AccountRecord& account : chart.accounts()) numbers.push_back(account.number);
  return numbers;
}

// --- Account numbers -------------------------------------------------------

TEST(AccountNumberTest, ComparedAsFourCharacterTextsByteByByte) {
  EXPECT_TRUE(AccountNumberLess("4000", "465"));
  EXPECT_TRUE(AccountNumberLess("465", "5"));
  EXPECT_FALSE(AccountNumberLess("465", "4000"));
  EXPECT_TRUE(SameAccount("10", "10  "));
  EXPECT_FALSE(SameAccount("10", "010"));
  ChartOfAccounts chart({Account("5", "", 1), Account("465", "", 1), Account("4000", "", 1),
                         Account("10", "", 1), Account("010", "", 1)});
  chart.Sort();
  EXPECT_EQ(Numbers(chart), (std::vector<std::string>{"010 ", "10  ", "4000", "465 ", "5   "}));
}

TEST(AccountNumberTest, FindAccountReturnsTheFirstMatchOrZero) {
  ChartOfAccounts chart({Account("10", "first", 1), Account("100", "title", 1, kTitleAccount),
                         Account("10", "second", 1)});
  EXPECT_EQ(chart.FindAccount("10"), 1);
  EXPECT_EQ(chart.FindAccount("10  "), 1);
  EXPECT_EQ(chart.FindAccount("010"), 0);
  EXPECT_EQ(chart.FindAccount(""), 0);
  EXPECT_EQ(chart.FindAccount("    "), 0);
  EXPECT_EQ(chart.FindAccount("100"), 2);
  EXPECT_TRUE(chart.IsEntryAccount("10"));
  EXPECT_FALSE(chart.IsEntryAccount("100"));
  EXPECT_FALSE(chart.IsEntryAccount("999"));
}

// --- Loading ---------------------------------------------------------------

class ChartLoadTest : public LedgerFixture {
 protected:
  ChartLoadTest() { ledger_.set_program_folder(program_.path()); }

  void WriteDefaultChart(const TempDir& folder, int accounts) {
    std::vector<AccountRecord> chart = TestChart();
    chart.resize(static_cast<size_t>(accounts));
    folder.WriteFile("KXACCTCOA.DAT", ChartOfAccounts(chart).Encode());
  }

  void WriteFolderWithChart(const std::string& chart_bytes) {
    WriteCompany();
    dir_.WriteFile("KXACCT.COA", chart_bytes);
  }

  TempDir program_;
};

TEST_F(ChartLoadTest, MissingChartIsInstalledFromTheProgramFolder) {
  WriteDefaultChart(program_, 10);
  WriteCompany();
  ::unlink(dir_.File("KXACCT.COA").c_str());
  ASSERT_TRUE(ledger_.OpenDataFolder());
  EXPECT_EQ(dir_.ReadFile("KXACCT.COA"), program_.ReadFile("KXACCTCOA.DAT"));
  EXPECT_EQ(dir_.ReadFile("KXACCTCOA.DAT"), program_.ReadFile("KXACCTCOA.DAT"));
  EXPECT_EQ(ledger_.chart().count(), 10);
  EXPECT_TRUE(ui_.messages().empty());
}

TEST_F(ChartLoadTest, TheProgramFolderCopyReplacesAnOlderCopyInTheDataFolder) {
  WriteDefaultChart(program_, 10);
  WriteDefaultChart(dir_, 3);
  WriteCompany();
  ::unlink(dir_.File("KXACCT.COA").c_str());
  ASSERT_TRUE(ledger_.OpenDataFolder());
  EXPECT_EQ(ledger_.chart().count(), 10);
}

TEST_F(ChartLoadTest, WithoutAnyDefaultChartAStarterChartIsMade) {
  WriteCompany();
  ::unlink(dir_.File("KXACCT.COA").c_str());
  ASSERT_TRUE(ledger_.OpenDataFolder());
  ASSERT_EQ(ledger_.chart().count(), 1);
  const AccountRecord& starter = ledger_.chart().account(1);
  EXPECT_EQ(starter.type, kAssets);
  EXPECT_EQ(starter.total_level, 1);
  EXPECT_EQ(starter.title_type, kEntryAccount);
  EXPECT_EQ(starter.balance_forward, Money());
  EXPECT_EQ(starter.second_text, "");
  EXPECT_TRUE(SameAccount(starter.number, ledger_.settings().bank_account));
  EXPECT_EQ(dir_.ReadFile("KXACCT.COA"), ledger_.chart().Encode());
}

TEST_F(ChartLoadTest, ADefaultChartOfTheWrongLengthIsNotInstalled) {
  program_.WriteFile("KXACCTCOA.DAT", std::string(157, 'x'));
  WriteCompany();
  ::unlink(dir_.File("KXACCT.COA").c_str());
  ASSERT_TRUE(ledger_.OpenDataFolder());
  EXPECT_EQ(ledger_.chart().count(), 1);
  EXPECT_FALSE(dir_.Exists("KXACCTCOA.DAT"));
}

TEST_F(ChartLoadTest, AOneAccountChartIsReplacedByTheDefaultChart) {
  WriteDefaultChart(program_, 10);
  WriteFolderWithChart(Account("650", "Rent", kOperatingExpenses).Encode());
  ASSERT_TRUE(ledger_.OpenDataFolder());
  EXPECT_EQ(ledger_.chart().count(), 10);
  EXPECT_EQ(dir_.ReadFile("KXACCT.COA"), program_.ReadFile("KXACCTCOA.DAT"));
}

TEST_F(ChartLoadTest, AOneAccountChartWithoutADefaultBecomesTheStarterChart) {
  WriteFolderWithChart(Account("650", "Rent", kOperatingExpenses).Encode());
  ASSERT_TRUE(ledger_.OpenDataFolder());
  ASSERT_EQ(ledger_.chart().count(), 1);
  EXPECT_EQ(ledger_.chart().account(1).number, "110 ");
}

TEST_F(ChartLoadTest, ATwoAccountChartIsKept) {
  WriteDefaultChart(program_, 10);
  const std::string two =
      Account("110", "Bank", kAssets).Encode() + Account("650", "Rent", 6).Encode();
  WriteFolderWithChart(two);
  ASSERT_TRUE(ledger_.OpenDataFolder());
  EXPECT_EQ(ledger_.chart().count(), 2);
  EXPECT_EQ(dir_.ReadFile("KXACCT.COA"), two);
}

TEST_F(ChartLoadTest, AnEmptyChartBecomesTheStarterChart) {
  WriteDefaultChart(program_, 10);
  WriteFolderWithChart("");
  ASSERT_TRUE(ledger_.OpenDataFolder());
  EXPECT_EQ(ledger_.chart().count(), 1);
}

TEST_F(ChartLoadTest, AChartOfTheWrongLengthIsRefusedAndLeftAlone) {
  const std::string damaged = ChartOfAccounts(TestChart()).Encode() + "xyz";
  WriteFolderWithChart(damaged);
  EXPECT_FALSE(ledger_.OpenDataFolder());
  EXPECT_FALSE(ledger_.is_loaded());
  ASSERT_EQ(ui_.messages().size(), 1u);
  EXPECT_EQ(ui_.messages()[0].kind, MessageKind::kError);
  EXPECT_NE(ui_.LastText().find("Invalid COA"), std::string::npos);
  EXPECT_NE(ui_.LastText().find("chart of accounts file"), std::string::npos);
  EXPECT_EQ(dir_.ReadFile("KXACCT.COA"), damaged);
}

TEST_F(ChartLoadTest, AnUnsortedChartIsSortedAndSaved) {
  std::vector<AccountRecord> chart = TestChart();
  std::swap(chart[1], chart[8]);
  WriteFolderWithChart(ChartOfAccounts(chart).Encode());
  ASSERT_TRUE(ledger_.OpenDataFolder());
  EXPECT_TRUE(ledger_.chart().IsSorted());
  EXPECT_EQ(dir_.ReadFile("KXACCT.COA"), ChartOfAccounts(TestChart()).Encode());
}

// --- Adding and editing ----------------------------------------------------

class ChartEditTest : public LedgerFixture {
 protected:
  void SetUp() override { OpenCompany(); }

  int Find(std::string_view number) { return ledger_.FindAccount(number); }
  AccountRecord Get(std::string_view number) { return ledger_.chart().account(Find(number)); }

  // Asserts that a refused change left the chart file and table alone.
  void ExpectRefused(bool result, std::string_view message) {
    EXPECT_FALSE(result);
    EXPECT_EQ(ui_.Texts(), std::vector<std::string>{std::string(message)});
    EXPECT_EQ(ui_.messages().back().kind, MessageKind::kError);
    EXPECT_EQ(dir_.ReadFile("KXACCT.COA"), ChartOfAccounts(TestChart()).Encode());
    EXPECT_EQ(ledger_.chart().Encode(), ChartOfAccounts(TestChart()).Encode());
  }
};

TEST_F(ChartEditTest, AnAccountNumberIsRequired) {
  ExpectRefused(ledger_.AddAccount(Account("  ", "Nothing", kAssets)),
                "Must enter an account number.");
  AccountRecord rent = Get("650");
  rent.number = "";
  ui_.ClearMessages();
  ExpectRefused(ledger_.EditAccount(Find("650"), rent), "Must enter an account number.");
}

TEST_F(ChartEditTest, ANumberInUseIsRefused) {
  ExpectRefused(ledger_.AddAccount(Account("650 ", "Rent again", kOperatingExpenses)),
                "Account number 650 is already being used.");
  AccountRecord rent = Get("650");
  rent.number = "720";
  ui_.ClearMessages();
  ExpectRefused(ledger_.EditAccount(Find("650"), rent),
                "Account number 720 is already being used.");
}

TEST_F(ChartEditTest, EditingWithoutRenumberingIsNotANumberInUse) {
  AccountRecord rent = Get("650");
  rent.description = "Rent and Lease";
  ASSERT_TRUE(ledger_.EditAccount(Find("650"), rent));
  EXPECT_EQ(TrimRight(Get("650").description), "Rent and Lease");
  EXPECT_TRUE(ui_.messages().empty());
}

TEST_F(ChartEditTest, TitleAccountsCannotCarryABalanceForward) {
  const std::string message =
      "Title Accounts cannot be used to post balances.\n\nFor an account to have a balance and "
      "receive entries, the Title Type MUST be set to '0 - Entry Account'.";
  ExpectRefused(ledger_.AddAccount(Account("600", "EXPENSES", 6, kTitleSingleUnderline, 100)),
                message);
  AccountRecord title = Get("100");
  title.title_type = kTitleSingleUnderline;
  title.balance_forward = Money::FromCents(100);
  ui_.ClearMessages();
  ExpectRefused(ledger_.EditAccount(Find("100"), title), message);
}

TEST_F(ChartEditTest, SetupAccountsCannotBecomeTitleAccounts) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"110", "Cannot change your bank account to a non-entry account."},
      {"210", "Cannot change your Accounts Payable account to a non-entry account."},
      {"130", "Cannot change your Accounts Receivable account to a non-entry account."},
      {"465", "Cannot change your Capical Account to a non-entry account."},
      {"720", "Cannot change your Salaries and Wages account to a non-entry account."},
      {"235", "Cannot change your second payroll account to a non-entry account."},
  };
  for (const auto& [number, message] : cases) {
    AccountRecord account = Get(number);
    account.balance_forward = Money();
    account.title_type = kPageBreak;
    ui_.ClearMessages();
    ExpectRefused(ledger_.EditAccount(Find(number), account), message);
  }
}

TEST_F(ChartEditTest, SetupRolesAreTestedInTheStatedOrder) {
  // One account that is both the payables and the capital account.
  ledger_.settings().capital_account = "210";
  AccountRecord payables = Get("210");
  payables.title_type = kTitleAccount;
  EXPECT_FALSE(ledger_.EditAccount(Find("210"), payables));
  EXPECT_EQ(ui_.LastText(), "Cannot change your Accounts Payable account to a non-entry account.");
}

TEST_F(ChartEditTest, AddedAccountsTakeTheirPlaceAndStartEmpty) {
  AccountRecord entered = Account("4000", "Other Equity", kLiabilitiesAndEquity);
  entered.posted_total = Money::FromCents(999);
  entered.work_amount_1 = Money::FromCents(5);
  entered.has_activity = 1;
  entered.second_text = "typed";
  ASSERT_TRUE(ledger_.AddAccount(entered));
  const int n = Find("4000");
  EXPECT_EQ(n, Find("465") - 1);  // "4000" sorts before "465"
  const AccountRecord& added = ledger_.chart().account(n);
  EXPECT_EQ(added.posted_total, Money());
  EXPECT_EQ(added.work_amount_1, Money());
  EXPECT_EQ(added.has_activity, 0);
  EXPECT_EQ(added.second_text, "");
  EXPECT_EQ(dir_.ReadFile("KXACCT.COA"), ledger_.chart().Encode());
  EXPECT_TRUE(ledger_.chart().IsSorted());
}

TEST_F(ChartEditTest, TheLedgerKeepsThePostedTotalWhateverAnEditSays) {
  Append(Line(kJournalLine, "650", 1234));
  AccountRecord rent = Get("650");
  rent.posted_total = Money::FromCents(1);
  ASSERT_TRUE(ledger_.EditAccount(Find("650"), rent));
  EXPECT_EQ(Posted("650"), Money::FromCents(1234));
  ExpectBooksAgreeWithFiles();
}

TEST_F(ChartEditTest, RenumberingMovesTheLinesWithTheAccount) {
  Append(Line(kCheckOrDeposit, "650", 2500, "rent"));
  Append(Line(kInvoice, "650", 700, "bill"));
  Append(Line(kJournalLine, "720", 300, "wages"));
  AccountRecord rent = Get("650");
  rent.number = "655";
  ASSERT_TRUE(ledger_.EditAccount(Find("650"), rent));
  EXPECT_TRUE(ui_.messages().empty());
  EXPECT_EQ(Find("650"), 0);
  EXPECT_EQ(Posted("655"), Money::FromCents(2500));
  EXPECT_EQ(Read(1).account, "655 ");
  EXPECT_EQ(Read(2).account, "655 ");
  EXPECT_EQ(Read(3).account, "720 ");
  ExpectBooksAgreeWithFiles();
}

TEST_F(ChartEditTest, ARenumberedSetupAccountTakesItsSetupFieldAlong) {
  Append(Line(kCheckOrDeposit, "110", 100));
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"110", "Updating Bank account to 111"},
      {"210", "Updating Accounts Payable account to 211"},
      {"130", "Updating Accounts Receivable account to 131"},
      {"465", "Updating Capital Account to 466"},
      {"720", "Updating Salaries and Wages account to 721"},
  };
  for (const auto& [number, message] : cases) {
    AccountRecord account = Get(number);
    account.number = std::to_string(std::stoi(number) + 1);
    ui_.ClearMessages();
    ASSERT_TRUE(ledger_.EditAccount(Find(number), account));
    EXPECT_EQ(ui_.Texts(), std::vector<std::string>{message});
  }
  const CompanySettings saved = CompanySettings::Decode(dir_.ReadFile("KXACCT.CFG"));
  EXPECT_EQ(saved.bank_account, "111 ");
  EXPECT_EQ(saved.payables_account, "211 ");
  EXPECT_EQ(saved.receivables_account, "131 ");
  EXPECT_EQ(saved.capital_account, "466 ");
  EXPECT_EQ(saved.wages_account, "721 ");
  EXPECT_EQ(Read(1).account, "111 ");
}

TEST_F(ChartEditTest, EveryFieldOfARenumberedAccountFollowsTheFirstRoleIsNamed) {
  ledger_.settings().wages_account = "465";
  AccountRecord capital = Get("465");
  capital.number = "466";
  ASSERT_TRUE(ledger_.EditAccount(Find("465"), capital));
  EXPECT_EQ(ui_.Texts(), std::vector<std::string>{"Updating Capital Account to 466"});
  EXPECT_EQ(ledger_.settings().capital_account, "466 ");
  EXPECT_EQ(ledger_.settings().wages_account, "466 ");
}

TEST_F(ChartEditTest, AFailedRenumberingChangesNoFile) {
  Append(Line(kCheckOrDeposit, "110", 100));
  const std::string lines = dir_.ReadFile("KXACCT.TRN");
  const std::string chart = dir_.ReadFile("KXACCT.COA");
  const std::string settings = dir_.ReadFile("KXACCT.CFG");
  AccountRecord bank = Get("110");
  bank.number = "111";
  for (auto fault : {&testing::FaultInjectingFileSystem::Faults::fail_rename,
                     &testing::FaultInjectingFileSystem::Faults::fail_sync}) {
    fs_.ClearFaults();
    fs_.faults().*fault = true;
    ui_.ClearMessages();
    EXPECT_FALSE(ledger_.EditAccount(Find("110"), bank));
    EXPECT_EQ(ui_.messages().size(), 1u);
    EXPECT_EQ(dir_.ReadFile("KXACCT.TRN"), lines);
    EXPECT_EQ(dir_.ReadFile("KXACCT.COA"), chart);
    EXPECT_EQ(dir_.ReadFile("KXACCT.CFG"), settings);
    EXPECT_NE(Find("110"), 0);
    EXPECT_EQ(ledger_.settings().bank_account, "110 ");
  }
  fs_.ClearFaults();
  for (int64_t limit : {0, 100, 400}) {
    fs_.faults().bytes_until_full = limit;
    EXPECT_FALSE(ledger_.EditAccount(Find("110"), bank));
    EXPECT_EQ(dir_.ReadFile("KXACCT.TRN"), lines);
    EXPECT_EQ(dir_.ReadFile("KXACCT.COA"), chart);
  }
  EXPECT_EQ(dir_.Listing(), "KXACCT.CFG KXACCT.COA KXACCT.LCK KXACCT.TRN KXACCT.VND");
}

// --- Deleting --------------------------------------------------------------

TEST_F(ChartEditTest, SetupAccountsCannotBeDeleted) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"110", "bank account."},
      {"210", "accounts payable account."},
      {"130", "accounts receivable account."},
      {"720", "payroll account."},
      {"235", "payroll account."},
      {"465", "capital account."},
  };
  for (const auto& [number, reason] : cases) {
    ui_.ClearMessages();
    EXPECT_FALSE(ledger_.DeleteAccount(Find(number)));
    EXPECT_EQ(ui_.Texts(), std::vector<std::string>{
                               "Cannot delete the account currently selected as the " + reason});
  }
  EXPECT_EQ(ledger_.chart().count(), 10);
}

TEST_F(ChartEditTest, AccountsTheReceivablesProgramPostsToCannotBeDeleted) {
  std::string sales_code(100, ' ');
  sales_code.replace(60, 4, "510 ");
  dir_.WriteFile("KXAREC.DES", std::string(100, ' ') + sales_code);
  EXPECT_FALSE(ledger_.DeleteAccount(Find("510")));
  EXPECT_EQ(ui_.LastText(),
            "Cannot delete the account currently selected as the accounts receivable account.");
}

TEST_F(ChartEditTest, AccountsWithABalanceForwardOrEntriesCannotBeDeleted) {
  AccountRecord equipment = Get("164");
  equipment.balance_forward = Money::FromCents(1);
  ASSERT_TRUE(ledger_.EditAccount(Find("164"), equipment));
  EXPECT_FALSE(ledger_.DeleteAccount(Find("164")));
  EXPECT_EQ(ui_.LastText(), "Cannot delete an account with a Balance Forward.");
  Append(Line(kInvoice, "650", 100));  // even an unpaid invoice names it
  EXPECT_FALSE(ledger_.DeleteAccount(Find("650")));
  EXPECT_EQ(ui_.LastText(), "Cannot delete an account with any entries posted to it.");
}

TEST_F(ChartEditTest, DeletingAsksFirstAndRewritesTheChart) {
  EXPECT_FALSE(ledger_.DeleteAccount(Find("650")));  // Enter takes the preselected No
  EXPECT_EQ(ui_.messages().back().kind, MessageKind::kYesNoDefaultNo);
  EXPECT_EQ(ui_.LastText(), "Delete this Account?");
  EXPECT_NE(Find("650"), 0);
  ui_.Answer(true);
  ASSERT_TRUE(ledger_.DeleteAccount(Find("650")));
  EXPECT_EQ(Find("650"), 0);
  EXPECT_EQ(ledger_.chart().count(), 9);
  EXPECT_EQ(dir_.ReadFile("KXACCT.COA"), ledger_.chart().Encode());
}

TEST_F(LedgerFixture, TheLastRemainingAccountCannotBeDeleted) {
  WriteCompany(
      {Account("650", "Rent", kOperatingExpenses), Account("720", "Wages", kOperatingExpenses)});
  ASSERT_TRUE(ledger_.OpenDataFolder());
  ledger_.settings().wages_account = "999";
  ui_.Answer(true);
  ASSERT_TRUE(ledger_.DeleteAccount(ledger_.FindAccount("720")));
  EXPECT_FALSE(ledger_.DeleteAccount(1));
  EXPECT_EQ(ui_.LastText(), "Cannot delete the last remaining account.");
  EXPECT_EQ(ledger_.chart().count(), 1);
}

// --- Consistency test ------------------------------------------------------

TEST(ChartConsistencyTest, DecreasingAccountTypesNameBothAccounts) {
  ChartOfAccounts chart({Account("510", "Sales", kIncome), Account("600", "EXPENSES", 1, 1),
                         Account("650", "Rent", kOperatingExpenses),
                         Account("700", "Late Sales", kIncome)});
  EXPECT_EQ(ChartConsistencyProblems(chart, LineTotals()),
            std::vector<std::string>{
                "700 has a LOWER Account Type than Account 650\n\nAccount Types should not "
                "decrease, as it may cause report totals to be incorrect.\n(Account Type 9 is not "
                "part of this requirement.)"});
}

TEST(ChartConsistencyTest, TypeNineAccountsAreLeftOut) {
  ChartOfAccounts chart({Account("800", "Other", kOtherExpenses), Account("900", "Net", kNetProfit),
                         Account("910", "More", kOtherExpenses),
                         Account("920", "Less", kCostOfSales, kTitleAccount)});
  EXPECT_TRUE(ChartConsistencyProblems(chart, LineTotals()).empty());
}

TEST(ChartConsistencyTest, BalanceForwardsMustSumToZero) {
  ChartOfAccounts chart({Account("110", "Bank", kAssets, kEntryAccount, 100),
                         Account("465", "Capital", kLiabilitiesAndEquity, kEntryAccount, -99)});
  EXPECT_EQ(ChartConsistencyProblems(chart, LineTotals()),
            std::vector<std::string>{
                "COA Balance Forward figures are out of balance. The correction is to edit the "
                "Balance Forward figures on the Setup / COA screen, so the sum of all of the "
                "balance forward figures equal zero."});
}

TEST(ChartConsistencyTest, LinesToDeletedAccountsAndJournalEntriesMustBalance) {
  ChartOfAccounts chart({Account("650", "Rent", kOperatingExpenses)});
  LineTotals lines;
  TransactionFacts gone{kJournalLine, 1, 45000, Money::FromCents(100), 0, 0, "999 "};
  TransactionFacts kept{kJournalLine, 1, 45000, Money::FromCents(-100), 0, 0, "650 "};
  lines.Add(gone);
  lines.Add(kept);
  EXPECT_EQ(ChartConsistencyProblems(chart, lines),
            std::vector<std::string>{"Entries posted to deleted COA accounts are out of balance."});
  lines.Add({kJournalLine, 1, 45000, Money::FromCents(-100), 0, 0, "998 "});
  EXPECT_EQ(ChartConsistencyProblems(chart, lines),
            std::vector<std::string>{
                "Journal entries are out of balance. Journal entries need to balance to zero.  "
                "The correction is to review and edit your Journal Entries so the sum of all "
                "Journal Entries equals zero."});
}

TEST_F(ChartEditTest, TheUsersDataTestShowsEachProblemUnderTesting) {
  Append(Line(kJournalLine, "650", 500));
  Append(Line(kJournalLine, "210", -500));
  Append(Line(kCheckOrDeposit, "720", 800));
  EXPECT_TRUE(ledger_.RunChartConsistencyTest());
  EXPECT_TRUE(ui_.messages().empty());
  Append(Line(kJournalLine, "650", 500));
  EXPECT_FALSE(ledger_.RunChartConsistencyTest());
  ASSERT_EQ(ui_.messages().size(), 1u);
  EXPECT_EQ(ui_.messages()[0].title, "Testing: ");
  EXPECT_EQ(ui_.messages()[0].text.substr(0, 34), "Journal entries are out of balance");
  EXPECT_EQ(ui_.progress_texts().back(), "Testing: ");
}

// --- Capital account and validation messages -------------------------------

TEST_F(ChartEditTest, CapitalAccountCandidatesAreTheLiabilityEntryAccounts) {
  std::vector<std::string> candidates;
  for (int n : ledger_.CapitalAccountCandidates()) {
    candidates.push_back(ledger_.chart().account(n).number);
  }
  EXPECT_EQ(candidates, (std::vector<std::string>{"210 ", "235 ", "465 "}));
  EXPECT_TRUE(ledger_.SetCapitalAccount("235"));
  EXPECT_EQ(CompanySettings::Decode(dir_.ReadFile("KXACCT.CFG")).capital_account, "235 ");
  EXPECT_FALSE(ledger_.SetCapitalAccount("110"));
  EXPECT_EQ(ui_.LastText(), "110 is not a valid account to select as your Capital Account.");
  EXPECT_EQ(ledger_.settings().capital_account, "235 ");
}

TEST_F(LedgerFixture, AChartWithoutLiabilityEntryAccountsHasNoCapitalCandidates) {
  WriteCompany({Account("110", "Bank", kAssets), Account("200", "LIABILITIES", 2, 1)});
  ASSERT_TRUE(ledger_.OpenDataFolder());
  EXPECT_TRUE(ledger_.CapitalAccountCandidates().empty());
  EXPECT_EQ(ui_.LastText(),
            "Your COA does not have any valid Liability accounts (Account Type 2 with Title "
            "Type 0).");
}

TEST(ChartValidationTest, NamedAccountsAreCheckedWithTheNumberAsTyped) {
  const ChartOfAccounts chart(TestChart());
  EXPECT_EQ(EntryAccountProblem(chart, "999"), "999 is not a valid account.");
  EXPECT_EQ(EntryAccountProblem(chart, "100"), "100 is not a valid COA entry account.");
  EXPECT_EQ(EntryAccountProblem(chart, "650"), std::nullopt);
}

TEST(ChartValidationTest, SetupFieldsAreCheckedInTheSetupScreensOrder) {
  const ChartOfAccounts chart(TestChart());
  CompanySettings settings;
  NewCompanySettings(settings);
  EXPECT_EQ(SetupAccountsProblem(settings, chart), std::nullopt);
  settings.payables_account = "999";
  settings.wages_account = "100";
  EXPECT_EQ(SetupAccountsProblem(settings, chart),
            "100 is not a valid account to select as your Salaries and Wages account.");
  settings.bank_account = "998";
  EXPECT_EQ(SetupAccountsProblem(settings, chart),
            "998 is not a valid account to select as your Bank Account.");
  settings = CompanySettings();
  NewCompanySettings(settings);
  settings.receivables_account = "1";
  EXPECT_EQ(SetupAccountsProblem(settings, chart),
            "1 is not a valid account to select as your Accounts Receivable account.");
}

// --- The default chart -----------------------------------------------------

std::vector<AccountRecord> DefaultChart() {
  std::string text;
  EXPECT_TRUE(PosixFileSystem().ReadFile(ZENKAR_DEFAULT_CHART_TEXT, &text).ok());
  std::vector<AccountRecord> accounts;
  const Status status = ParseChartText(text, &accounts);
  EXPECT_TRUE(status.ok()) << status.message();
  return accounts;
}

TEST(DefaultChartTest, NamesEveryDefaultSetupAccountAsAnEntryAccount) {
  const ChartOfAccounts chart(DefaultChart());
  CompanySettings settings;
  NewCompanySettings(settings);
  EXPECT_EQ(SetupAccountsProblem(settings, chart), std::nullopt);
  EXPECT_TRUE(chart.IsEntryAccount(settings.payroll_account_2));
  const AccountRecord& capital = chart.account(chart.FindAccount(settings.capital_account));
  EXPECT_EQ(capital.type, kLiabilitiesAndEquity);
  EXPECT_EQ(TrimRight(capital.description), "Retained Earnings");
  EXPECT_EQ(chart.account(chart.FindAccount(settings.payables_account)).type,
            kLiabilitiesAndEquity);
}

TEST(DefaultChartTest, IsSortedConsistentAndUsesEveryTypeAndTitleType) {
  const ChartOfAccounts chart(DefaultChart());
  EXPECT_GT(chart.count(), 60);
  EXPECT_TRUE(chart.IsSorted());
  EXPECT_TRUE(ChartConsistencyProblems(chart, LineTotals()).empty());
  std::set<int32_t> types, titles;
  int profit_lines = 0;
  for (const AccountRecord& account : chart.accounts()) {
    types.insert(account.type);
    titles.insert(account.title_type);
    if (account.title_type == kBalanceSheetProfit) ++profit_lines;
    if (account.title_type == kBalanceSheetProfit) {
      EXPECT_EQ(account.type, kLiabilitiesAndEquity);
    }
  }
  EXPECT_EQ(types, (std::set<int32_t>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
  EXPECT_EQ(titles, (std::set<int32_t>{0, 1, 2, 3, 4, 5}));
  EXPECT_EQ(profit_lines, 1);
  // Net profit closes the income statement at the highest level.
  EXPECT_EQ(chart.account(chart.count()).type, kNetProfit);
  EXPECT_EQ(chart.account(chart.count()).total_level, 9);
}

TEST(ChartTextTest, RefusesMalformedLinesNamingTheLine) {
  std::vector<AccountRecord> accounts;
  const std::pair<std::string, std::string> cases[] = {
      {"110 | 1 | 1 | 0", "line 1: expected 5 fields"},
      {"# c\n11100 | 1 | 1 | 0 | Too long", "line 2: the account number"},
      {"110 | 0 | 1 | 0 | Bank", "line 1: the account type"},
      {"110 | 1 | 10 | 0 | Bank", "line 1: the total level"},
      {"110 | 1 | 1 | 6 | Bank", "line 1: the title type"},
      {"110 | 1 | 1 | x | Bank", "line 1: the title type"},
      {"110 | 1 | 1 | 0 | " + std::string(41, 'D'), "line 1: the description"},
      {"120 | 1 | 1 | 0 | A\n110 | 1 | 1 | 0 | B", "line 2: accounts must be in chart order"},
      {"110 | 1 | 1 | 0 | A\n110 | 1 | 1 | 0 | B", "line 2: accounts must be in chart order"},
  };
  for (const auto& [text, problem] : cases) {
    const Status status = ParseChartText(text, &accounts);
    EXPECT_FALSE(status.ok()) << text;
    EXPECT_NE(status.message().find(problem), std::string::npos) << status.message();
  }
  ASSERT_TRUE(
      ParseChartText("\n# only a comment\n  465 | 2 | 1 | 0 | Capital  \n", &accounts).ok());
  ASSERT_EQ(accounts.size(), 1u);
  EXPECT_EQ(accounts[0].number, "465 ");
  EXPECT_EQ(accounts[0].description, "Capital");
}

}  // namespace
}  // namespace zenkar
