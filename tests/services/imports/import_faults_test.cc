// An import whose write fails at any step leaves the books and the
// companion file exactly as they were, and says so; one that succeeds
// leaves both changed. There is no state in between: the lines never stand
// in the books while the companion's records still read as not imported.
#include <gtest/gtest.h>

#include <map>

#include "services/imports/import_fixture.h"

namespace zenkar::testing {
namespace {

class ImportFaultsTest : public ImportFixture {
 protected:
  std::map<std::string, std::string> Files() const {
    std::map<std::string, std::string> files;
    for (const std::string& name : dir_.ListingNames()) {
      if (name != "KXACCT.LCK") files[name] = dir_.ReadFile(name);
    }
    return files;
  }

  void Restore(const std::map<std::string, std::string>& files) {
    ledger_.Close();
    for (const std::string& name : dir_.ListingNames()) {
      if (name != "KXACCT.LCK") std::remove(dir_.File(name).c_str());
    }
    for (const auto& [name, bytes] : files) dir_.WriteFile(name, bytes);
    ASSERT_TRUE(ledger_.OpenDataFolder());
    ui_.ClearMessages();
  }

  // Runs `import` with each step of each kind failing in turn, until a run
  // gets through without reaching the failing step.
  void FailEveryStep(const std::function<ImportOutcome()>& import) {
    const std::map<std::string, std::string> before = Files();
    for (Step step : kAllSteps) {
      for (int nth = 1;; ++nth) {
        SCOPED_TRACE(std::string(StepName(step)) + " " + std::to_string(nth));
        Restore(before);
        fs_.FailNth(step, nth);
        const ImportOutcome outcome = import();
        const bool reached = fs_.count(step) >= nth;
        fs_.ClearFaults();
        if (!reached) {
          EXPECT_EQ(outcome, ImportOutcome::kImported);
          break;
        }
        EXPECT_EQ(outcome, ImportOutcome::kStopped);
        EXPECT_EQ(Files(), before);
        EXPECT_EQ(ledger_.transaction_count(), 0);
        ASSERT_FALSE(ui_.messages().empty());
        EXPECT_EQ(ui_.messages().back().kind, MessageKind::kError);
      }
    }
  }
};

TEST_F(ImportFaultsTest, AFailedReceivablesImportLeavesBooksAndChargesAsTheyWere) {
  WriteReceivables({SalesCode("S1", "Sales", "510"), SalesCode("S2", "Labor", "650")},
                   {Charge(Date(2026, 3, 1), "S1", 100), Charge(Date(2026, 3, 2), "S2", 250)});
  FailEveryStep([this] { return Receivables(ImportMode::kStartUp); });
}

TEST_F(ImportFaultsTest, AFailedPayrollImportLeavesBooksAndPaychecksAsTheyWere) {
  ASSERT_TRUE(ledger_.AddPayee(Payee(kPayrollPayee)).has_value());
  ledger_.settings().payroll_post_deductions = 1;
  ASSERT_TRUE(ledger_.SaveCompanySettings());
  WritePayroll({Employee(1, "Ann", "Lee")},
               {Paycheck(1, "5003", Date(2026, 1, 30), 120000, {9180})});
  FailEveryStep([this] { return Payroll(ImportMode::kStartUp); });
}

}  // namespace
}  // namespace zenkar::testing
