// A company for the import tests (the ledger tests' company: 110 bank, 130
// receivables, 720 wages, 235 deductions payable) with the companion
// programs' files written beside it, the report printed to a recording
// printer and the paycheck window answered by the test.
#ifndef ZENKAR_TESTS_SERVICES_IMPORTS_IMPORT_FIXTURE_H_
#define ZENKAR_TESTS_SERVICES_IMPORTS_IMPORT_FIXTURE_H_

#include <string>
#include <vector>

#include "ledger/ledger_fixture.h"
#include "output/output_fakes.h"
#include "services/imports/companion_files.h"
#include "services/imports/receivables_import.h"

namespace zenkar::testing {

class ImportFixture : public LedgerFixture {
 protected:
  void SetUp() override { OpenCompany(); }

  void WriteReceivablesSettings(int32_t year) {
    zenkar::testing::WriteReceivablesSettings(dir_, year);
  }
  void WriteReceivables(const std::vector<SalesCodeRecord>& codes,
                        const std::vector<ChargeRecord>& charges, int32_t year = 2015) {
    WriteReceivablesFiles(dir_, codes, charges, year);
  }
  void WritePayroll(const std::vector<EmployeeRecord>& employees,
                    const std::vector<PaycheckRecord>& paychecks, int32_t year = 2015,
                    int32_t check_option = 0) {
    WritePayrollFiles(dir_, employees, paychecks, year, check_option);
  }

  std::vector<ChargeRecord> StoredCharges() {
    std::vector<ChargeRecord> charges;
    EXPECT_TRUE(LoadCompanionRecords(PosixFileSystem(), dir_.File("KXAREC.CHG"), &charges).ok());
    return charges;
  }
  std::vector<PaycheckRecord> StoredPaychecks() {
    std::vector<PaycheckRecord> paychecks;
    EXPECT_TRUE(LoadCompanionRecords(PosixFileSystem(), dir_.File("KXPAY.PRC"), &paychecks).ok());
    return paychecks;
  }

  ImportOutcome Receivables(ImportMode mode = ImportMode::kInteractive) {
    return ImportReceivables(env_, mode);
  }
  ImportOutcome Payroll(ImportMode mode = ImportMode::kInteractive) {
    return ImportPayroll(env_, mode, chooser_);
  }

  // Every line of the books, in file order.
  std::vector<TransactionRecord> Lines() {
    std::vector<TransactionRecord> lines;
    ledger_.ForEachTransaction([&](const TransactionRecord& line) { lines.push_back(line); });
    return lines;
  }

  // The texts of the report printed last.
  std::vector<std::string> ReportTexts() const {
    return output_.printer.jobs.empty() ? std::vector<std::string>()
                                        : TextsOf(output_.printer.jobs.back());
  }

  TestOutput output_{dir_.path()};
  ScriptedChooser chooser_;
  ImportEnvironment env_{ledger_, output_.dates, [this](const auto& write) {
                           PrintJob job(output_.services, OutputTarget::kPrinter);
                           return write(job);
                         }};
};

}  // namespace zenkar::testing

#endif  // ZENKAR_TESTS_SERVICES_IMPORTS_IMPORT_FIXTURE_H_
