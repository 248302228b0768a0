// kxbatch import-payroll, import-receivables and exchange: their command
// lines, where the import reports go, and the exchange between two
// installations run from the command line.
#include <gtest/gtest.h>

#include "batch_fixture.h"
#include "services/exchange/accountant_exchange.h"
#include "services/imports/companion_files.h"
#include "services/imports/receivables_import.h"

namespace zenkar {
namespace {

using testing::Day;
using testing::TempDir;

class ImportCommandsTest : public testing::BatchFixture {
 protected:
  void SetUp() override {
    WriteCompany({testing::Account("110", "Checking Account", kAssets),
                  testing::Account("130", "Accounts Receivable", kAssets),
                  testing::Account("510", "Sales", kIncome),
                  testing::Account("650", "Rent", kOperatingExpenses),
                  testing::Account("720", "Salaries and Wages", kOperatingExpenses)});
  }

  int Lines() const { return static_cast<int>(dir_.ReadFile("KXACCT.TRN").size() / 328); }
};

TEST_F(ImportCommandsTest, ImportReceivablesWritesItsReportWhereTheCommandLineSays) {
  testing::WriteReceivablesFiles(dir_, {testing::SalesCode("S1", "Sales", "510")},
                                 {testing::Charge(Day(2026, 1, 10), "S1", 4000)});
  EXPECT_EQ(Run({"import-receivables", "--pdf", "ar.pdf"}), kExitSuccess) << err();
  EXPECT_EQ(Lines(), 2);
  EXPECT_TRUE(dir_.Exists("ar.pdf"));
  EXPECT_EQ(dir_.ReadFile("ar.pdf").substr(0, 5), "%PDF-");

  EXPECT_EQ(Run({"import-receivables"}), kExitSuccess);
  EXPECT_EQ(ui_.LastText(), kNoNewReceivables);
  EXPECT_EQ(Lines(), 2);
}

TEST_F(ImportCommandsTest, ImportPayrollListsThePaychecksAndNoCancels) {
  testing::WritePayrollFiles(dir_, {testing::Employee(1, "Ann", "Lee")},
                             {testing::Paycheck(1, "5003", Day(2026, 1, 10), 120000, {9180})});
  ui_.Answer(false);  // "Import Employee Payroll:1 Check": Cancel
  EXPECT_EQ(Run({"import-payroll"}), kExitSuccess);
  EXPECT_EQ(out(), "Import Employee Payroll:1 Check\n5003\t01/10/2026\tAnn Lee\t1,108.20\n");
  EXPECT_EQ(Lines(), 0);
  EXPECT_EQ(Run({"import-payroll"}), kExitSuccess);
  EXPECT_EQ(Lines(), 1);

  std::remove(dir_.File("KXPAY.EMP").c_str());
  EXPECT_EQ(Run({"import-payroll"}), kExitFailure);
  EXPECT_EQ(ui_.LastText(), std::string(kPayrollEmployeesNotFound) + "\n" + dir_.path());
}

TEST_F(ImportCommandsTest, CommandLinesOfTheImportsAndTheExchange) {
  EXPECT_EQ(Run({"import-payroll", "--open"}), kExitUsage);
  EXPECT_EQ(Run({"import-payroll", "--pdf", "a.pdf", "--print"}), kExitUsage);
  EXPECT_EQ(Run({"import-receivables", "extra"}), kExitUsage);
  EXPECT_EQ(Run({"exchange"}), kExitUsage);
  EXPECT_EQ(Run({"exchange", "export"}), kExitUsage);
  EXPECT_EQ(Run({"exchange", "send", "x"}), kExitUsage);
  EXPECT_EQ(Run({"exchange", "reset", "x"}), kExitUsage);
  EXPECT_EQ(Lines(), 0);
}

TEST_F(ImportCommandsTest, TheExchangeRunsBetweenTwoInstallations) {
  TempDir packages, accountant_books, accountant_program;
  ASSERT_EQ(Run({"exchange", "export", packages.path()}), kExitSuccess) << err();
  EXPECT_TRUE(packages.Exists("ZENKAR.CCC"));

  // The accountant: another installation, a new company turned accountant.
  const std::string client_program = env_.program_folder;
  accountant_program.WriteFile("KXACCTCOA.DAT", testing::DefaultChartFile());
  env_.program_folder = accountant_program.path();
  const std::string accountant = accountant_books.path();
  ASSERT_EQ(Run({"--folder", accountant, "new"}), kExitSuccess);
  // Each question takes its preselected answer unless answered: No to
  // "Reset" and to "Replace the existing data".
  EXPECT_EQ(Run({"--folder", accountant, "exchange", "reset"}), kExitFailure);
  ui_.Answer(true);
  EXPECT_EQ(Run({"--folder", accountant, "exchange", "reset"}), kExitSuccess);
  EXPECT_EQ(Run({"--folder", accountant, "exchange", "import", packages.path()}), kExitFailure);
  ui_.Answer(true);  // Replace the existing data
  ui_.Answer(true);  // Continue Import?
  EXPECT_EQ(Run({"--folder", accountant, "exchange", "import", packages.path()}), kExitSuccess)
      << err();
  EXPECT_EQ(ui_.LastText(), kDataImportedFromClient);
  {
    Ledger books(PosixFileSystem(), ui_, clock_);
    books.SetDataFolder(accountant);
    ASSERT_TRUE(books.OpenDataFolder());
    ASSERT_TRUE(books.AppendTransaction(testing::Line(kJournalLine, "650", 500, Day(2026, 1, 14))));
    ASSERT_TRUE(
        books.AppendTransaction(testing::Line(kJournalLine, "510", -500, Day(2026, 1, 14))));
  }
  ASSERT_EQ(Run({"--folder", accountant, "exchange", "export", packages.path()}), kExitSuccess);

  env_.program_folder = client_program;
  ASSERT_EQ(Run({"exchange", "import", packages.path()}), kExitSuccess) << err();
  EXPECT_EQ(ui_.LastText(), kDataImportFinished);
  EXPECT_EQ(Lines(), 2);
}

}  // namespace
}  // namespace zenkar
