// The "Program Setup" page's rules: what it shows of the company settings,
// the checks a save makes, what a save stores, and "View / Print Program
// Settings". The page's widgets only carry text to and from these values.
#ifndef ZENKAR_APP_RULES_SETUP_PROGRAM_SETUP_H_
#define ZENKAR_APP_RULES_SETUP_PROGRAM_SETUP_H_

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "ledger/chart_of_accounts.h"
#include "ledger/company_settings.h"
#include "ledger/ledger.h"
#include "output/check_layout.h"
#include "output/print_job.h"

namespace zenkar {

class Program;

inline constexpr std::string_view kFeinRule =
    "FEIN is 9 numbers, with an optional dash after the second number.";

// The page's fields, in screen order, as the user typed them (Windows-1252).
struct ProgramSetupValues {
  std::string name_line_1;
  std::string name_line_2;
  std::string address;
  std::string city_state_zip;
  std::string federal_id;
  // "COA Account Numbers"
  std::string bank_account;
  std::string receivables_account;
  std::string payables_account;
  std::string capital_account;
  std::string wages_account;
  int check_type = 0;  // 1 to 9, 0 for none chosen
  bool fixed_decimal = false;
  bool memo_on_checks = false;
  bool accrual_accounting = false;
  int fiscal_start_month = 1;  // "Accounting Year"
  std::string income_title;
  std::string income_footer;
  std::string balance_title;
  std::string balance_footer;

  friend bool operator==(const ProgramSetupValues&, const ProgramSetupValues&) = default;
};

// The fields as the settings hold them, without the padding spaces.
ProgramSetupValues ProgramSetupValuesOf(const CompanySettings& settings);

// An empty FEIN is allowed (a company without employees has none); otherwise
// nine digits, with one dash allowed after the second.
bool IsValidFein(std::string_view fein);

// The first reason the values may not be saved: a setup account that is not
// an entry account of the chart (Bank, Salaries and Wages, Accounts Payable,
// Accounts Receivable, Capital), then the FEIN. Nothing when they may.
std::optional<std::string> ProgramSetupProblem(const ProgramSetupValues& values,
                                               const ChartOfAccounts& chart);

// Saves the page: refuses with the first problem (shown as an error) and
// stores nothing; otherwise writes the values into the settings and saves
// them. True when saved.
bool SaveProgramSetup(Ledger& ledger, const ProgramSetupValues& values);

// "View / Print Program Settings": the settings printout through the output
// primitives to `target` (the PDF preview is opened through the Shell port),
// written into the data folder. `printer` is needed for the printer target.
bool PrintProgramSettings(Program& program, OutputTarget target,
                          PrinterCanvasFactory* printer = nullptr);

}  // namespace zenkar

#endif  // ZENKAR_APP_RULES_SETUP_PROGRAM_SETUP_H_
