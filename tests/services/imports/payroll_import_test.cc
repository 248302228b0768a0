// The payroll import: which paychecks are new, the selection window, the
// check and deduction lines, the payee, the flags written back, the report,
// and the checks that stop it.
#include <gtest/gtest.h>

#include "services/imports/import_fixture.h"

namespace zenkar::testing {
namespace {

class PayrollImportTest : public ImportFixture {};

TEST_F(PayrollImportTest, NewPaychecksBecomeChecksToPayrollExpensesWithTheirDeductions) {
  ledger_.settings().payroll_post_deductions = 1;
  WritePayroll({Employee(1, "Ann", "Lee", "B"), Employee(3, "Raul", "Ortiz")},
               {Paycheck(1, "5001", Date(2025, 8, 1), 90000, {1000}),  // 182 days before
                Paycheck(3, "5002", Date(2026, 1, 15), 100000, {7650, 1200}, /*imported=*/1),
                Paycheck(1, "5003", Date(2026, 1, 30), 120000, {9180, 1500, 0, 250}),
                Paycheck(7, "5004", Date(2026, 1, 30), 80000, {6120})});

  ASSERT_EQ(ImportOutcome::kImported, Payroll()) << ::testing::PrintToString(ui_.Texts());
  EXPECT_TRUE(ui_.messages().empty()) << ::testing::PrintToString(ui_.Texts());

  ASSERT_EQ(chooser_.shown.size(), 1u);
  const PaycheckSelection& window = chooser_.shown[0];
  EXPECT_EQ(window.caption, "Import Employee Payroll:2 Checks");
  EXPECT_TRUE(window.detailed);
  ASSERT_EQ(window.rows.size(), 2u);
  EXPECT_EQ(window.rows[0].employee, "Ann B. Lee");
  EXPECT_EQ(window.rows[0].deductions, Money::FromCents(10930));
  EXPECT_EQ(PaycheckAmountText(window.rows[0].net_pay), "1,090.70");
  EXPECT_EQ(window.rows[1].employee, "Unknown Employee");

  const int payee = ledger_.FindPayeeByName(kPayrollPayee);
  ASSERT_NE(payee, 0);
  const std::vector<TransactionRecord> lines = Lines();
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(TrimRight(lines[0].description), "PAYROLL: Ann B. Lee");
  EXPECT_EQ(TrimRight(lines[1].description), "PAYROLL: Unknown Employee");
  for (int i : {0, 1}) {
    EXPECT_EQ(lines[i].kind, kCheckOrDeposit);
    EXPECT_EQ(TrimRight(lines[i].account), "720");
    EXPECT_EQ(lines[i].date, Date(2026, 1, 30));
    EXPECT_EQ(lines[i].payee_number, payee);
    EXPECT_EQ(lines[i].unprinted, 1);
  }
  EXPECT_EQ(TrimRight(lines[0].reference), "5003");
  EXPECT_EQ(lines[0].amount, Money::FromCents(109070));
  EXPECT_EQ(lines[1].amount, Money::FromCents(73880));
  EXPECT_EQ(TrimRight(lines[2].description), kDeductionsLine);
  EXPECT_EQ(TrimRight(lines[2].account), "720");
  EXPECT_EQ(lines[2].amount, Money::FromCents(17050));
  EXPECT_EQ(TrimRight(lines[3].description), kDeductionsPayableLine);
  EXPECT_EQ(TrimRight(lines[3].account), "235");
  EXPECT_EQ(lines[3].amount, Money::FromCents(-17050));
  for (int i : {2, 3}) {
    EXPECT_EQ(lines[i].kind, kJournalLine);
    EXPECT_EQ(lines[i].date, clock_.Today());
    EXPECT_EQ(TrimRight(lines[i].reference), "PR");
  }
  // The wages account carries the gross pay of the two checks.
  EXPECT_EQ(Posted("720"), Money::FromCents(200000));
  ExpectBooksAgreeWithFiles();

  std::vector<int32_t> flags;
  for (const PaycheckRecord& paycheck : StoredPaychecks()) flags.push_back(paycheck.imported);
  EXPECT_EQ(flags, (std::vector<int32_t>{0, 1, 1, 1}));

  const std::vector<std::string> report = ReportTexts();
  ASSERT_FALSE(report.empty());
  EXPECT_EQ(report[0], "Paychecks Imported: 03/14/2026 - Page 1");
  EXPECT_EQ(std::vector<std::string>(report.end() - 6, report.end()),
            (std::vector<std::string>{"Gross Pay", "2,000.00", "Employee Deductions", "170.50",
                                      "Net Pay", "1,829.50"}));
  EXPECT_EQ(output_.printer.titles, std::vector<std::string>{"Paycheck-Import"});

  EXPECT_EQ(ImportOutcome::kNothingNew, Payroll());
  EXPECT_EQ(ui_.LastText(), std::string(kNoNewPaychecks) + "\n" + dir_.path());
  EXPECT_EQ(chooser_.shown.size(), 1u);
}

TEST_F(PayrollImportTest, ChecksThePayrollProgramPrintsAreImportedPrintedAndWithoutDeductions) {
  ASSERT_TRUE(ledger_.AddPayee(Payee(kPayrollPayee)).has_value());
  WritePayroll({Employee(1, "Ann", "Lee")},
               {Paycheck(1, "5003", Date(2026, 1, 30), 120000, {9180})}, 2015, /*check_option=*/8);
  ASSERT_EQ(ImportOutcome::kImported, Payroll());
  EXPECT_FALSE(chooser_.shown.at(0).detailed);
  EXPECT_EQ(chooser_.shown.at(0).caption, "Import Employee Payroll:1 Check");
  const std::vector<TransactionRecord> lines = Lines();
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].unprinted, 0);
  EXPECT_EQ(lines[0].payee_number, ledger_.FindPayeeByName(kPayrollPayee));
  EXPECT_EQ(ledger_.payees().count(), 4);
}

TEST_F(PayrollImportTest, CancelInTheWindowOrAnOpenPayrollProgramChangesNothing) {
  WritePayroll({Employee(1, "Ann", "Lee")}, {Paycheck(1, "5003", Date(2026, 1, 30), 1000, {})});
  const std::string paychecks = dir_.ReadFile("KXPAY.PRC");
  chooser_.import = false;
  EXPECT_EQ(ImportOutcome::kCanceled, Payroll());
  EXPECT_TRUE(ui_.messages().empty());

  chooser_.import = true;
  std::unique_ptr<RandomAccessFile> running;
  ASSERT_TRUE(PosixFileSystem().OpenExclusively(dir_.File("KXPAY.CFG"), &running).ok());
  EXPECT_EQ(ImportOutcome::kStopped, Payroll());
  EXPECT_EQ(ui_.LastText(), kClosePayroll);
  ui_.ClearMessages();
  EXPECT_EQ(ImportOutcome::kStopped, Payroll(ImportMode::kStartUp));
  EXPECT_EQ(ui_.Texts(), std::vector<std::string>{std::string(kPayrollInUseAtStartUp)});

  EXPECT_EQ(ledger_.transaction_count(), 0);
  EXPECT_EQ(ledger_.FindPayeeByName(kPayrollPayee), 0);
  EXPECT_EQ(dir_.ReadFile("KXPAY.PRC"), paychecks);
  EXPECT_EQ(chooser_.shown.size(), 1u);
}

TEST_F(PayrollImportTest, EachProblemStopsTheImportQuietlyAtStartUp) {
  const std::string in_folder = "\n" + dir_.path();
  struct Case {
    const char* name;
    std::function<void()> arrange;
    std::string message;
  };
  const std::vector<Case> cases = {
      {"no employees", [&] { std::remove(dir_.File("KXPAY.EMP").c_str()); },
       std::string(kPayrollEmployeesNotFound) + in_folder},
      {"another version",
       [&] {
         WritePayroll({Employee(1, "Ann", "Lee")}, {Paycheck(1, "1", Date(2026, 1, 1), 5, {})},
                      2014);
       },
       "To share data, Zenkar Accounting and Zenkar Payroll must be the same version."},
      {"employees cut short", [&] { dir_.WriteFile("KXPAY.EMP", std::string(999, ' ')); },
       std::string(kInvalidEmployeeFile)},
      {"paychecks cut short", [&] { dir_.WriteFile("KXPAY.PRC", std::string(501, ' ')); },
       std::string(kInvalidPaycheckFile)},
      {"settings cut short", [&] { dir_.WriteFile("KXPAY.CFG", std::string(700, ' ')); },
       std::string(kInvalidPayrollSetup)},
      {"wages account not in the chart", [&] { ledger_.settings().wages_account = "999"; },
       std::string(kInvalidWagesAccount)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ledger_.settings().wages_account = "720";
    WritePayroll({Employee(1, "Ann", "Lee")}, {Paycheck(1, "5003", Date(2026, 1, 30), 1000, {})});
    c.arrange();
    ui_.ClearMessages();
    EXPECT_NE(ImportOutcome::kImported, Payroll());
    EXPECT_EQ(ui_.Texts(), std::vector<std::string>{c.message});
    ui_.ClearMessages();
    EXPECT_NE(ImportOutcome::kImported, Payroll(ImportMode::kStartUp));
    EXPECT_TRUE(ui_.messages().empty());
    EXPECT_EQ(ledger_.transaction_count(), 0);
  }
  EXPECT_TRUE(chooser_.shown.empty());
}

// Only a paycheck file with new paychecks makes the start-up run the import.
TEST_F(PayrollImportTest, PaychecksWaitOnlyInAFileWithNewOnes) {
  EXPECT_FALSE(PaychecksWaiting(PosixFileSystem(), dir_.path()));
  WritePayroll({}, {Paycheck(1, "5003", Date(2026, 1, 30), 1000, {}, /*imported=*/1)});
  EXPECT_FALSE(PaychecksWaiting(PosixFileSystem(), dir_.path()));
  WritePayroll({}, {Paycheck(1, "5003", Date(2026, 1, 30), 1000, {})});
  EXPECT_TRUE(PaychecksWaiting(PosixFileSystem(), dir_.path()));
  dir_.WriteFile("KXPAY.PRC", dir_.ReadFile("KXPAY.PRC") + "x");
  EXPECT_FALSE(PaychecksWaiting(PosixFileSystem(), dir_.path()));
}

}  // namespace
}  // namespace zenkar::testing
