// ImportPayroll: the new paychecks of Zenkar Payroll (KXPAY.PRC) become
// check lines of the books.
//
// Each paycheck is a check of its net pay to the setup's Salaries and Wages
// account, paid to the payee "PAYROLL EXPENSES" and described with the
// employee's name. When the company posts employee deductions, two journal
// lines move the deductions from the wages account to the employee
// deductions payable account. The user confirms the paychecks in a
// selection window first; their imported flags are written back in the same
// change of the books, and the report "Paycheck-Import" lists them.
#ifndef ZENKAR_SERVICES_IMPORTS_PAYROLL_IMPORT_H_
#define ZENKAR_SERVICES_IMPORTS_PAYROLL_IMPORT_H_

#include <string>
#include <string_view>
#include <vector>

#include "common/file_system.h"
#include "ledger/ledger.h"
#include "services/imports/companion_import.h"
#include "services/imports/companion_records.h"
#include "services/imports/import_reports.h"

namespace zenkar {

inline constexpr std::string_view kPayrollProgram = "Zenkar Payroll";
inline constexpr std::string_view kPayrollSetupNotFound =
    "Zenkar Payroll data (setup) not found in:";
inline constexpr std::string_view kPayrollEmployeesNotFound =
    "Zenkar Payroll data (employees) not found in:";
inline constexpr std::string_view kPayrollPaychecksNotFound =
    "Zenkar Payroll data (paychecks) not found in:";
inline constexpr std::string_view kClosePayroll = "Close Zenkar Payroll before trying to import.";
inline constexpr std::string_view kPayrollInUseAtStartUp =
    "Zenkar Payroll data is currently in use. Close the Zenkar Payroll program before importing "
    "paychecks.";
inline constexpr std::string_view kInvalidPayrollSetup = "Invalid Payroll Setup File";
inline constexpr std::string_view kInvalidEmployeeFile = "Invalid Employee File";
inline constexpr std::string_view kInvalidPaycheckFile = "Invalid Paycheck File";
inline constexpr std::string_view kNoNewPaychecks =
    "No new paychecks to import from the data folder:";
inline constexpr std::string_view kInvalidWagesAccount =
    "The Salaries and Wages account entered on the 'Setup' screen is not a valid entry account.";
inline constexpr std::string_view kPayrollPayee = "PAYROLL EXPENSES";
inline constexpr std::string_view kPayrollPrefix = "PAYROLL: ";
inline constexpr std::string_view kUnknownEmployee = "Unknown Employee";
inline constexpr std::string_view kDeductionsLine = "PAYROLL: Employee Deductions";
inline constexpr std::string_view kDeductionsPayableLine = "PAYROLL: Employee Deductions Payable";
inline constexpr std::string_view kPayrollReference = "PR";

// A paycheck is new when it lies no more than this many days before the
// last paycheck and was never imported.
inline constexpr int kPayrollWindowDays = 180;
// The payroll option at or above which the payroll program prints its own
// paychecks: the imported lines are then already printed.
inline constexpr int32_t kPayrollPrintsChecksOption = 8;

// The positions of the new paychecks in `paychecks`, in file order.
std::vector<size_t> NewPaychecks(const std::vector<PaycheckRecord>& paychecks);

// True when the data folder holds a paycheck file with new paychecks: the
// start-up runs the payroll import then.
bool PaychecksWaiting(FileSystem& fs, const std::string& folder);

// --- The selection window ------------------------------------------------------

struct PaycheckRow {
  std::string check_number;
  DayNumber date = kNoDate;
  std::string employee;
  Money gross_pay;
  Money deductions;  // all eleven added up
  Money net_pay;
};

struct PaycheckSelection {
  // "Import Employee Payroll:" + count + " Check", with "s" for more than one.
  std::string caption;
  // The layout with "Gross Pay", "Deductions" and "Net Pay": chosen when the
  // company posts employee deductions, which is when the deductions reach
  // the books; otherwise only "Net Pay", the amount each check posts.
  bool detailed = false;
  std::vector<PaycheckRow> rows;
};

// "#,##0.00;-#,##0.00", the picture of the window's amounts.
std::string PaycheckAmountText(Money amount);

// The window the user confirms the paychecks in: true for "Import", false
// for "Cancel".
class PaycheckChooser {
 public:
  virtual ~PaycheckChooser() = default;
  virtual bool Confirm(const PaycheckSelection& selection) = 0;
};

// --- The lines -------------------------------------------------------------------

struct PayrollLines {
  std::vector<TransactionRecord> lines;  // the checks, then the deduction lines
  PaycheckSelection selection;
  PaycheckTotals totals;
  std::string refusal;  // empty when the lines were made
};

// The lines of the new paychecks `taken`, each employee found by number in
// `employees`; the checks have no payee yet. The deduction lines follow when
// the settings post them.
PayrollLines BuildPayrollLines(const Ledger& ledger, const PayrollSettingsRecord& payroll,
                               const std::vector<EmployeeRecord>& employees,
                               const std::vector<PaycheckRecord>& paychecks,
                               const std::vector<size_t>& taken, DayNumber today);

// Runs the import. At start-up only the one message that the payroll
// program has its data open is said; every other problem ends the import
// quietly. Either way the user confirms the paychecks in the window.
ImportOutcome ImportPayroll(ImportEnvironment& env, ImportMode mode, PaycheckChooser& chooser);

}  // namespace zenkar

#endif  // ZENKAR_SERVICES_IMPORTS_PAYROLL_IMPORT_H_
