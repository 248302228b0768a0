// The rules behind the Setup and Payees screens, without a display: what
// "Program Setup" saves and refuses, where the report options are kept, how
// typed accounts and payees reach the ledger, and the capital-account
// confirmation. Messages are compared exactly; a refusal must leave the
// files as they were.
#include <gtest/gtest.h>

#include <deque>

#include "app_rules/payees/payees_entry.h"
#include "app_rules/program_fixture.h"
#include "app_rules/setup/capital_account.h"
#include "app_rules/setup/chart_entry.h"
#include "app_rules/setup/program_setup.h"
#include "app_rules/setup/report_options.h"
#include "app_rules/setup/setup_company.h"
#include "common/byte_codec.h"
#include "common/text_field.h"
#include "ledger/ledger.h"
#include "output/output_fakes.h"
#include "support/fault_file_system.h"
#include "support/fixed_clock.h"
#include "support/scripted_ui.h"

namespace zenkar {
namespace {

using ::zenkar::testing::FakePrinter;
using ::zenkar::testing::FaultInjectingFileSystem;
using ::zenkar::testing::FixedClock;
using ::zenkar::testing::ScriptedUi;
using ::zenkar::testing::StoredChart;
using ::zenkar::testing::StoredPayees;
using ::zenkar::testing::StoredSettings;
using ::zenkar::testing::TempDir;
using ::zenkar::testing::WriteSetupCompany;

class SetupRulesTest : public ::testing::Test {
 protected:
  void Load(const std::string& capital = "465") {
    ASSERT_TRUE(WriteSetupCompany(data_, capital));
    ledger_.SetDataFolder(data_.path());
    ASSERT_TRUE(ledger_.OpenDataFolder());
    ui_.ClearMessages();
  }
  std::vector<std::string> Texts() const { return ui_.Texts(); }

  TempDir data_;
  ScriptedUi ui_;
  FixedClock clock_;
  FaultInjectingFileSystem fs_;
  Ledger ledger_{fs_, ui_, clock_};
};

// --- Program Setup -----------------------------------------------------------

TEST_F(SetupRulesTest, ProgramSetupSavesEveryFieldIntoTheSettingsFile) {
  Load();
  ProgramSetupValues v = ProgramSetupValuesOf(ledger_.settings());
  v.name_line_1 = "Harbor Supply Co.";
  v.name_line_2 = "Marine Division";
  v.address = "12 Dock Street";
  v.city_state_zip = "Portland, ME 04101";
  v.federal_id = "12-3456789";
  v.bank_account = "130";
  v.receivables_account = "110";
  v.payables_account = "235";
  v.capital_account = "210";
  v.wages_account = "500";
  v.check_type = 4;
  v.fixed_decimal = true;
  v.memo_on_checks = true;
  v.accrual_accounting = true;
  v.fiscal_start_month = 7;
  v.income_title = "PROFIT AND LOSS";
  v.income_footer = "Unaudited";
  v.balance_title = "STATEMENT OF CONDITION";
  v.balance_footer = "See notes";
  ASSERT_TRUE(SaveProgramSetup(ledger_, v));
  EXPECT_TRUE(Texts().empty());

  const std::string raw = data_.ReadFile("KXACCT.CFG");
  EXPECT_EQ(raw.substr(0, 40), FitText("Harbor Supply Co.", 40));
  EXPECT_EQ(raw.substr(252, 10), "12-3456789");
  EXPECT_EQ(raw.substr(448, 4), "130 ");  // bank
  EXPECT_EQ(raw.substr(452, 4), "235 ");  // payables
  EXPECT_EQ(raw.substr(456, 4), "110 ");  // receivables
  EXPECT_EQ(raw.substr(460, 4), "500 ");  // salaries and wages
  EXPECT_EQ(raw.substr(517, 4), "210 ");  // capital
  EXPECT_EQ(GetInt32(raw, 483), 4);
  EXPECT_EQ(GetInt32(raw, 468), 1);
  EXPECT_EQ(GetInt32(raw, 479), 1);
  EXPECT_EQ(GetInt32(raw, 1681), 1);  // "Accrual Accounting"
  EXPECT_EQ(GetInt32(raw, 509), 7);
  EXPECT_EQ(raw.substr(1165, 15), "PROFIT AND LOSS");
  EXPECT_EQ(raw.substr(1325, 9), "Unaudited");
  EXPECT_EQ(raw.substr(1405, 22), "STATEMENT OF CONDITION");
  EXPECT_EQ(raw.substr(1565, 9), "See notes");
  // Read back, the page shows what was saved; a check type outside the list
  // (a damaged record) shows as no choice.
  EXPECT_EQ(ProgramSetupValuesOf(StoredSettings(data_)), v);
  ledger_.settings().check_type = 12;
  EXPECT_EQ(ProgramSetupValuesOf(ledger_.settings()).check_type, 0);
}

TEST_F(SetupRulesTest, EverySetupAccountMustBeAnEntryAccountAndNothingIsSaved) {
  Load();
  const struct {
    std::string ProgramSetupValues::*field;
    std::string message;
  } kCases[] = {
      {&ProgramSetupValues::bank_account,
       "200 is not a valid account to select as your Bank Account."},
      {&ProgramSetupValues::wages_account,
       "200 is not a valid account to select as your Salaries and Wages account."},
      {&ProgramSetupValues::payables_account,
       "200 is not a valid account to select as your Accounts Payable account."},
      {&ProgramSetupValues::receivables_account,
       "200 is not a valid account to select as your Accounts Receivable account."},
      {&ProgramSetupValues::capital_account,
       "200 is not a valid account to select as your Capital Account."},
  };
  const std::string before = data_.ReadFile("KXACCT.CFG");
  const CompanySettings in_memory = ledger_.settings();
  for (const auto& c : kCases) {
    ui_.ClearMessages();
    ProgramSetupValues v = ProgramSetupValuesOf(ledger_.settings());
    v.name_line_1 = "Changed";
    v.*c.field = "200";  // a title account
    EXPECT_FALSE(SaveProgramSetup(ledger_, v));
    EXPECT_EQ(Texts(), std::vector<std::string>{c.message});
    EXPECT_EQ(data_.ReadFile("KXACCT.CFG"), before);
    EXPECT_EQ(ledger_.settings().name_line_1, in_memory.name_line_1);
  }
  // Unknown numbers are refused too, and the bank account is named first.
  ProgramSetupValues v = ProgramSetupValuesOf(ledger_.settings());
  v.bank_account = "999";
  v.wages_account = "998";
  ui_.ClearMessages();
  EXPECT_FALSE(SaveProgramSetup(ledger_, v));
  EXPECT_EQ(Texts(),
            std::vector<std::string>{"999 is not a valid account to select as your Bank Account."});
}

TEST_F(SetupRulesTest, FeinIsNineDigitsWithAnOptionalDashAfterTheSecond) {
  for (const char* good : {"", "123456789", "12-3456789", " 12-3456789 "}) {
    EXPECT_TRUE(IsValidFein(good)) << good;
  }
  for (const char* bad : {"12345678", "1234567890", "1-23456789", "123-456789", "12-345-6789",
                          "12--3456789", "AB-CDEFGHI", "12 3456789"}) {
    EXPECT_FALSE(IsValidFein(bad)) << bad;
  }
  Load();
  const std::string before = data_.ReadFile("KXACCT.CFG");
  ProgramSetupValues v = ProgramSetupValuesOf(ledger_.settings());
  v.federal_id = "1-23456789";
  EXPECT_FALSE(SaveProgramSetup(ledger_, v));
  EXPECT_EQ(Texts(), std::vector<std::string>{
                         "FEIN is 9 numbers, with an optional dash after the second number."});
  EXPECT_EQ(data_.ReadFile("KXACCT.CFG"), before);
}

// --- Report options ------------------------------------------------------------

TEST_F(SetupRulesTest, EachReportOptionIsKeptInItsOwnSettingsField) {
  Load();
  const size_t kOffsets[] = {1669, 472, 1645, 1657, 1653};
  for (size_t i = 0; i < kReportOptionFields.size(); ++i) {
    ASSERT_TRUE(SetReportOption(ledger_, kReportOptionFields[i], true));
    const std::string raw = data_.ReadFile("KXACCT.CFG");
    for (size_t j = 0; j < kReportOptionFields.size(); ++j) {
      EXPECT_EQ(GetInt32(raw, kOffsets[j]), j <= i ? 1 : 0) << kReportOptionFields[i].caption;
    }
  }
  const ReportOptions all = ReportOptionsOf(StoredSettings(data_));
  EXPECT_TRUE(all.sort_entries && all.use_shading_bars && all.include_descriptions &&
              all.omit_percentages && all.include_zero_balances);
  ASSERT_TRUE(SetReportOption(ledger_, kReportOptionFields[3], false));
  const ReportOptions some = ReportOptionsOf(StoredSettings(data_));
  EXPECT_FALSE(some.omit_percentages);
  EXPECT_TRUE(some.include_zero_balances);
}

TEST_F(SetupRulesTest, AReportOptionThatCannotBeSavedStaysAsItWas) {
  Load();
  fs_.faults().fail_rename = true;
  EXPECT_FALSE(SetReportOption(ledger_, kReportOptionFields[0], true));
  EXPECT_EQ(ledger_.settings().sort_entries, 0);
  EXPECT_EQ(GetInt32(data_.ReadFile("KXACCT.CFG"), 1669), 0);
  EXPECT_FALSE(Texts().empty());  // the failure was reported
}

// --- Chart of accounts ---------------------------------------------------------

AccountEntry Entry(const std::string& number, const std::string& description, int type,
                   const std::string& balance_forward = "") {
  AccountEntry entry;
  entry.number = number;
  entry.description = description;
  entry.type = type;
  entry.balance_forward = balance_forward;
  return entry;
}

std::vector<std::string> Numbers(const ChartOfAccounts& chart) {
  std::vector<std::string> numbers;
  for (const AccountRecord& a : chart.accounts()) numbers.push_back(a.number);
  return numbers;
}

TEST_F(SetupRulesTest, AnAddedAccountIsSortedIntoTheChartFile) {
  Load();
  const int record = AddAccountFromEntry(ledger_, Entry("4000", "Deposits Held", 2, "-250.00"));
  EXPECT_EQ(record, 6);
  const ChartOfAccounts stored = StoredChart(data_);
  EXPECT_EQ(Numbers(stored), (std::vector<std::string>{"110 ", "130 ", "200 ", "210 ", "235 ",
                                                       "4000", "465 ", "500 ", "720 "}));
  EXPECT_EQ(stored.account(6).description.substr(0, 13), "Deposits Held");
  EXPECT_EQ(stored.account(6).balance_forward, Money::FromCents(-25000));
  EXPECT_EQ(stored.account(6).total_level, 1);
}

TEST_F(SetupRulesTest, BalanceForwardIsReadAsTypedOrRefused) {
  Load();
  const std::string before = data_.ReadFile("KXACCT.COA");
  EXPECT_EQ(AddAccountFromEntry(ledger_, Entry("150", "Inventory", 1, "12,5x")), 0);
  EXPECT_EQ(Texts(), std::vector<std::string>{std::string(kBalanceForwardNotAnAmount)});
  EXPECT_EQ(data_.ReadFile("KXACCT.COA"), before);
  // With "Use Fixed Decimal Position" an amount typed without a point is cents.
  ledger_.settings().fixed_decimal = 1;
  const int record = AddAccountFromEntry(ledger_, Entry("150", "Inventory", 1, "12345"));
  ASSERT_GT(record, 0);
  EXPECT_EQ(ledger_.chart().account(record).balance_forward, Money::FromCents(12345));
}

TEST_F(SetupRulesTest, EditingTheDescriptionKeepsABalanceForwardOfFourDecimals) {
  Load();
  const int checking = ledger_.FindAccount("110");
  AccountRecord fractions = ledger_.chart().account(checking);
  fractions.balance_forward = Money::FromRaw(1234567);  // 123.4567
  ASSERT_TRUE(ledger_.EditAccount(checking, fractions));
  AccountEntry entry = AccountEntryOf(ledger_.chart().account(checking));
  EXPECT_EQ(entry.balance_forward, "123.46");
  entry.description = "Operating Account";
  ASSERT_EQ(EditAccountFromEntry(ledger_, checking, entry), checking);
  EXPECT_EQ(StoredChart(data_).account(checking).balance_forward, Money::FromRaw(1234567));
  entry.balance_forward = "123.45";
  ASSERT_EQ(EditAccountFromEntry(ledger_, checking, entry), checking);
  EXPECT_EQ(StoredChart(data_).account(checking).balance_forward, Money::FromCents(12345));
}

TEST_F(SetupRulesTest, RenumberingTheBankAccountMovesTheSetupField) {
  Load();
  AccountEntry entry = AccountEntryOf(ledger_.chart().account(ledger_.FindAccount("110")));
  entry.number = "105";
  EXPECT_EQ(EditAccountFromEntry(ledger_, 1, entry), 1);
  EXPECT_EQ(Texts(), std::vector<std::string>{"Updating Bank account to 105"});
  EXPECT_EQ(StoredSettings(data_).bank_account, "105 ");
  EXPECT_EQ(StoredChart(data_).account(1).number, "105 ");
}

TEST_F(SetupRulesTest, TheChartTestReportsUnderTesting) {
  Load();
  EXPECT_TRUE(TestChart(ledger_));
  ASSERT_EQ(ui_.messages().size(), 1u);
  EXPECT_EQ(ui_.messages()[0].title, "Testing: ");
  EXPECT_EQ(ui_.messages()[0].text, std::string(kChartTestPassed));

  ui_.ClearMessages();
  AccountEntry entry = AccountEntryOf(ledger_.chart().account(ledger_.FindAccount("110")));
  entry.balance_forward = "100.00";
  ASSERT_GT(EditAccountFromEntry(ledger_, 1, entry), 0);
  EXPECT_FALSE(TestChart(ledger_));
  ASSERT_EQ(ui_.messages().size(), 1u);
  EXPECT_EQ(ui_.messages()[0].title, "Testing: ");
  EXPECT_EQ(ui_.messages()[0].kind, MessageKind::kError);
  EXPECT_EQ(ui_.messages()[0].text,
            "COA Balance Forward figures are out of balance. The correction is to edit the "
            "Balance Forward figures on the Setup / COA screen, so the sum of all of the balance "
            "forward figures equal zero.");
}

// --- Payees --------------------------------------------------------------------

PayeeEntry NewPayee(const std::string& name) {
  PayeeEntry entry;
  entry.name = name;
  return entry;
}

TEST_F(SetupRulesTest, APayeeIsAddedWithItsAccountsAmountsAndDays) {
  Load();
  PayeeEntry e = NewPayee("Bayside Power");
  e.name_2 = "Billing Dept.";
  e.phone = "555-0199";
  e.id_number = "98-7654321";
  e.type_1099 = k1099Rent;
  e.default_account = "720";
  e.auto_invoices[0] = {"Lease", "1,250.00", "500", "5"};
  e.auto_invoices[1] = {"Meter", "40", "720", "-28"};
  ASSERT_EQ(AddPayeeFromEntry(ledger_, e), 2);
  const PayeeRecord stored = StoredPayees(data_).payee(2);
  EXPECT_EQ(stored.name.substr(0, 13), "Bayside Power");
  EXPECT_EQ(stored.type_1099, k1099Rent);
  EXPECT_EQ(stored.default_account, "720 ");
  EXPECT_EQ(stored.auto_amounts[0], Money::FromCents(125000));
  EXPECT_EQ(stored.auto_accounts[0], "500 ");
  EXPECT_EQ(stored.auto_days[0], 5);
  EXPECT_EQ(stored.auto_amounts[1], Money::FromUnits(40));
  EXPECT_EQ(stored.auto_days[1], -28);
  EXPECT_EQ(PayeeEntryOf(stored).auto_invoices[0].amount, "1250.00");
}

TEST_F(SetupRulesTest, ATypedAccountMustBeAnEntryAccount) {
  Load();
  const std::string before = data_.ReadFile("KXACCT.VND");
  PayeeEntry unknown = NewPayee("Bayside Power");
  unknown.default_account = "999";
  EXPECT_EQ(AddPayeeFromEntry(ledger_, unknown), std::nullopt);
  PayeeEntry title = NewPayee("Bayside Power");
  title.auto_invoices[1].account = "200";
  EXPECT_EQ(AddPayeeFromEntry(ledger_, title), std::nullopt);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"999 is not a valid account.",
                                               "200 is not a valid COA entry account."}));
  EXPECT_EQ(data_.ReadFile("KXACCT.VND"), before);
  EXPECT_EQ(ledger_.payees().count(), 1);
}

TEST_F(SetupRulesTest, AutoInvoiceAmountsAndDaysMustBeReadable) {
  Load();
  PayeeEntry e = NewPayee("Bayside Power");
  e.auto_invoices[0].amount = "twelve";
  EXPECT_EQ(AddPayeeFromEntry(ledger_, e), std::nullopt);
  e.auto_invoices[0].amount = "12.00";
  e.auto_invoices[1].day = "32";
  EXPECT_EQ(AddPayeeFromEntry(ledger_, e), std::nullopt);
  e.auto_invoices[1].day = "1st";
  EXPECT_EQ(AddPayeeFromEntry(ledger_, e), std::nullopt);
  const std::string day_rule =
      "Auto Invoice 2 Date must be a day of the month from 1 to 31 (an invoice due that day), or "
      "-1 to -31 (a check dated that day), or 0 for none.";
  EXPECT_EQ(Texts(),
            (std::vector<std::string>{"Auto Invoice 1 Amt must be an amount, for example 125.00.",
                                      day_rule, day_rule}));
  EXPECT_EQ(ledger_.payees().count(), 1);
}

TEST_F(SetupRulesTest, SavingAPayeeKeepsTheFieldsThePageDoesNotShow) {
  Load();
  PayeeRecord stored = ledger_.payees().payee(1);
  stored.code_b = "XY";
  stored.auto_amounts[3] = Money::FromUnits(9);
  stored.auto_descriptions[3] = "Fourth line";
  stored.long_text = "kept";
  ASSERT_TRUE(ledger_.UpdatePayee(1, stored));
  PayeeEntry e = PayeeEntryOf(ledger_.payees().payee(1));
  e.memo = "Net 30";
  ASSERT_TRUE(UpdatePayeeFromEntry(ledger_, 1, e));
  const PayeeRecord back = StoredPayees(data_).payee(1);
  EXPECT_EQ(back.memo.substr(0, 6), "Net 30");
  EXPECT_EQ(back.code_b, "XY  ");
  EXPECT_EQ(back.auto_amounts[3], Money::FromUnits(9));
  EXPECT_EQ(back.auto_descriptions[3].substr(0, 11), "Fourth line");
  EXPECT_EQ(back.long_text.substr(0, 4), "kept");
}

TEST_F(SetupRulesTest, DeletingAPayeeAsksFirst) {
  Load();
  ui_.Answer(false);
  EXPECT_FALSE(DeletePayeeAfterQuestion(ledger_, 1));
  EXPECT_EQ(ledger_.payees().count(), 1);
  ASSERT_EQ(ui_.messages().size(), 1u);
  EXPECT_EQ(ui_.messages()[0].kind, MessageKind::kYesNoDefaultNo);
  EXPECT_EQ(ui_.messages()[0].text, "Delete this Payee?");
  ASSERT_TRUE(AddPayeeFromEntry(ledger_, NewPayee("Bayside Power")).has_value());
  ui_.Answer(true);
  EXPECT_TRUE(DeletePayeeAfterQuestion(ledger_, 1));
  EXPECT_EQ(ledger_.PayeeName(1), "Bayside Power");
  EXPECT_EQ(StoredPayees(data_).count(), 1);
}

TEST_F(SetupRulesTest, APayeeThatMayNotBeDeletedIsRefusedBeforeTheQuestion) {
  Load();
  const std::optional<int> number = AddPayeeFromEntry(ledger_, NewPayee("Bayside Power"));
  ASSERT_TRUE(number.has_value());
  TransactionRecord check;
  ClearTransaction(check);
  check.kind = kCheckOrDeposit;
  check.unprinted = 1;
  check.payee_number = *number;
  check.description = "Bayside Power";
  check.account = "465 ";
  check.amount = Money::FromCents(4500);
  ASSERT_TRUE(ledger_.AppendTransaction(check).has_value());
  ui_.ClearMessages();
  EXPECT_FALSE(DeletePayeeAfterQuestion(ledger_, *number));
  ASSERT_EQ(ui_.messages().size(), 1u);  // no "Delete this Payee?"
  EXPECT_EQ(ui_.messages()[0].kind, MessageKind::kError);
  EXPECT_EQ(ui_.messages()[0].text, kCannotDeletePayee);
  EXPECT_EQ(ledger_.PayeeName(*number), "Bayside Power");
}

// --- Capital account -------------------------------------------------------------

class ScriptedChooser : public AccountChooser {
 public:
  std::optional<int> answer;
  int asked = 0;
  std::string prompt, hint;
  std::vector<std::string> choices;
  int preselected = -1;

  std::optional<int> ChooseAccount(std::string_view p, std::string_view h,
                                   const std::vector<std::string>& c, int pre) override {
    ++asked;
    prompt = p;
    hint = h;
    choices = c;
    preselected = pre;
    return answer;
  }
};

TEST_F(SetupRulesTest, AMissingCapitalAccountIsChosenFromTheLiabilityAccounts) {
  Load("");
  ScriptedChooser chooser;
  chooser.answer = 0;
  EXPECT_TRUE(ConfirmCapitalAccount(ledger_, chooser));
  EXPECT_EQ(chooser.prompt, "Select / Confirm your capital account.");
  EXPECT_EQ(chooser.hint,
            "The capital account is usually numbered 465, with a description of 'Balance "
            "Beginning of Year' or 'Retained Earnings'.");
  EXPECT_EQ(chooser.choices,
            (std::vector<std::string>{"210 Accounts Payable", "235 Deductions Payable",
                                      "465 Retained Earnings"}));
  EXPECT_EQ(chooser.preselected, 2);
  EXPECT_EQ(StoredSettings(data_).capital_account, "210 ");
  // Once chosen it is not asked again.
  EXPECT_FALSE(ConfirmCapitalAccount(ledger_, chooser));
  EXPECT_EQ(chooser.asked, 1);
}

TEST_F(SetupRulesTest, CancellingTheCapitalAccountSetsNothing) {
  Load("");
  ScriptedChooser chooser;
  EXPECT_FALSE(ConfirmCapitalAccount(ledger_, chooser));
  EXPECT_EQ(StoredSettings(data_).capital_account, "    ");
  EXPECT_TRUE(Texts().empty());
}

TEST_F(SetupRulesTest, AChartWithoutLiabilityEntryAccountsIsToldSo) {
  ASSERT_TRUE(WriteSetupCompany(data_, ""));
  data_.WriteFile("KXACCT.COA",
                  ChartOfAccounts({testing::TestAccount("110", "Checking", kAssets),
                                   testing::TestAccount("200", "LIABILITIES", 2, kTitleAccount)})
                      .Encode());
  ledger_.SetDataFolder(data_.path());
  ASSERT_TRUE(ledger_.OpenDataFolder());
  ui_.ClearMessages();
  ScriptedChooser chooser;
  EXPECT_FALSE(ConfirmCapitalAccount(ledger_, chooser));
  EXPECT_EQ(chooser.asked, 0);
  EXPECT_EQ(Texts(), std::vector<std::string>{"Your COA does not have any valid Liability "
                                              "accounts (Account Type 2 with Title Type 0)."});
  EXPECT_EQ(StoredSettings(data_).capital_account, "    ");
}

// --- View / Print Program Settings ----------------------------------------------

class PrintSettingsTest : public testing::ProgramTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(WriteSetupCompany(data_));
    program_.ledger().SetDataFolder(data_.path());
    ASSERT_TRUE(program_.PrepareMainWindow());
  }
};

TEST_F(PrintSettingsTest, TheSettingsGoToThePrinterChosen) {
  FakePrinter printer;
  EXPECT_TRUE(PrintProgramSettings(program_, OutputTarget::kPrinter, &printer));
  EXPECT_EQ(printer.titles, std::vector<std::string>{"KXACCT-Settings"});
  ASSERT_EQ(printer.jobs.size(), 1u);
  const std::vector<std::string> texts = testing::TextsOf(printer.jobs[0]);
  ASSERT_FALSE(texts.empty());
  EXPECT_EQ(texts[0].rfind("Company Name: Harbor Supply Co.", 0), 0u) << texts[0];
  EXPECT_TRUE(shell_.opened_documents.empty());
  EXPECT_FALSE(data_.Exists("KXACCT-Settings.pdf"));
}

}  // namespace
}  // namespace zenkar
