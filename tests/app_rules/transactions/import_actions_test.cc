// The imports in kxacct: what the window's start-up runs, and the buttons.
// (What the imports themselves do is tested in tests/services/imports.)
#include "app_rules/transactions/import_actions.h"

#include <gtest/gtest.h>

#include "app_rules/transactions/entry_company.h"
#include "output/output_fakes.h"
#include "services/imports/companion_files.h"

namespace zenkar::testing {
namespace {

class ImportActionsTest : public ::testing::Test {
 protected:
  // The reports go to a recording printer.
  ReportOutput Output() {
    return [this](const std::function<bool(PrintJob&)>& write) {
      PrintJob job(output_.services, OutputTarget::kPrinter);
      return write(job);
    };
  }

  EntryCompany company_;
  TestOutput output_{company_.data.path()};
  ScriptedChooser chooser_;
};

TEST_F(ImportActionsTest, StartUpImportsNewPaychecksAndChargesAndOpensOnTransactions) {
  WritePayrollFiles(company_.data, {Employee(1, "Ann", "Lee")},
                    {Paycheck(1, "5003", Day(2026, 3, 1), 120000, {9180})});
  WriteReceivablesFiles(company_.data, {SalesCode("S1", "Sales", "510")},
                        {Charge(Day(2026, 3, 2), "S1", 4000)});
  ASSERT_TRUE(company_.Load());
  RunStartUpImports(company_.program, chooser_, Output());
  EXPECT_TRUE(company_.ui.messages().empty()) << ::testing::PrintToString(company_.ui.Texts());
  EXPECT_EQ(chooser_.shown.size(), 1u);
  EXPECT_EQ(company_.LinesOnDisk(), 3);  // the check, the sales line, the balance change
  EXPECT_EQ(company_.program.ledger().settings().start_tab, "TRN");
  EXPECT_EQ(output_.printer.titles,
            (std::vector<std::string>{"Paycheck-Import", "Receivables-Import"}));

  // Nothing new: nothing runs, the start page stays the user's.
  company_.program.ledger().settings().start_tab = "RPT";
  RunStartUpImports(company_.program, chooser_, Output());
  EXPECT_EQ(chooser_.shown.size(), 1u);
  EXPECT_EQ(company_.program.ledger().settings().start_tab, "RPT");
  EXPECT_TRUE(company_.ui.messages().empty());
}

TEST_F(ImportActionsTest, BooksOpenForReadingOnlyAreNotImportedInto) {
  WriteReceivablesFiles(company_.data, {SalesCode("S1", "Sales", "510")},
                        {Charge(Day(2026, 3, 2), "S1", 4000)});
  company_.program.ledger().set_access(Ledger::Access::kReadOnly);
  ASSERT_TRUE(company_.Load());
  RunStartUpImports(company_.program, chooser_, Output());
  EXPECT_EQ(company_.LinesOnDisk(), 0);
  EXPECT_TRUE(company_.ui.messages().empty());
}

TEST_F(ImportActionsTest, TheButtonsSayWhatIsMissing) {
  ASSERT_TRUE(company_.Load());
  EXPECT_EQ(ImportPayrollNow(company_.program, chooser_, Output()), ImportOutcome::kNothingNew);
  EXPECT_EQ(company_.ui.LastText(),
            "Zenkar Payroll data (setup) not found in:\n" + company_.data.path());
  EXPECT_EQ(ImportReceivablesNow(company_.program, Output()), ImportOutcome::kNothingNew);
  EXPECT_EQ(company_.ui.LastText(),
            "Zenkar Accounts Receivable data not found in:\n" + company_.data.path());
}

}  // namespace
}  // namespace zenkar::testing
