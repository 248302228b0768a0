#include "app_rules/setup/program_setup.h"

#include <cctype>

#include "app_rules/window/program.h"
#include "common/text_field.h"
#include "ledger/chart_rules.h"
#include "output/settings_report.h"

namespace zenkar {
namespace {

std::string Unpadded(std::string_view stored) { return std::string(TrimRight(stored)); }
std::string Account(std::string_view typed) { return std::string(Trim(typed)); }

// The settings with the page's values written in; the fields the page does
// not show keep what they held.
CompanySettings WithValues(const CompanySettings& settings, const ProgramSetupValues& values) {
  CompanySettings s = settings;
  s.name_line_1 = values.name_line_1;
  s.name_line_2 = values.name_line_2;
  s.address = values.address;
  s.city_state_zip = values.city_state_zip;
  s.federal_id = std::string(Trim(values.federal_id));
  s.bank_account = Account(values.bank_account);
  s.receivables_account = Account(values.receivables_account);
  s.payables_account = Account(values.payables_account);
  s.capital_account = Account(values.capital_account);
  s.wages_account = Account(values.wages_account);
  s.check_type = values.check_type;
  s.fixed_decimal = values.fixed_decimal ? 1 : 0;
  s.memo_on_checks = values.memo_on_checks ? 1 : 0;
  s.accrual_accounting = values.accrual_accounting ? 1 : 0;
  s.fiscal_start_month = values.fiscal_start_month;
  s.income_title = values.income_title;
  s.income_footer = values.income_footer;
  s.balance_title = values.balance_title;
  s.balance_footer = values.balance_footer;
  return s;
}

}  // namespace

ProgramSetupValues ProgramSetupValuesOf(const CompanySettings& s) {
  ProgramSetupValues v;
  v.name_line_1 = Unpadded(s.name_line_1);
  v.name_line_2 = Unpadded(s.name_line_2);
  v.address = Unpadded(s.address);
  v.city_state_zip = Unpadded(s.city_state_zip);
  v.federal_id = Unpadded(s.federal_id);
  v.bank_account = Account(s.bank_account);
  v.receivables_account = Account(s.receivables_account);
  v.payables_account = Account(s.payables_account);
  v.capital_account = Account(s.capital_account);
  v.wages_account = Account(s.wages_account);
  // A value outside the list (a damaged record) shows as no choice.
  const bool known_check_type =
      s.check_type >= 1 && s.check_type <= static_cast<int>(kCheckTypeNames.size());
  v.check_type = known_check_type ? s.check_type : 0;
  v.fixed_decimal = s.fixed_decimal != 0;
  v.memo_on_checks = s.memo_on_checks != 0;
  v.accrual_accounting = s.accrual_accounting != 0;
  v.fiscal_start_month =
      s.fiscal_start_month >= 1 && s.fiscal_start_month <= 12 ? s.fiscal_start_month : 1;
  v.income_title = Unpadded(s.income_title);
  v.income_footer = Unpadded(s.income_footer);
  v.balance_title = Unpadded(s.balance_title);
  v.balance_footer = Unpadded(s.balance_footer);
  return v;
}

bool IsValidFein(std::string_view fein) {
  fein = Trim(fein);
  if (fein.empty()) return true;
  std::string digits;
  for (size_t i = 0; i < fein.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(fein[i]);
    if (std::isdigit(c)) {
      digits += static_cast<char>(c);
    } else if (!(c == '-' && i == 2)) {
      return false;
    }
  }
  return digits.size() == 9;
}

std::optional<std::string> ProgramSetupProblem(const ProgramSetupValues& values,
                                               const ChartOfAccounts& chart) {
  if (auto problem = SetupAccountsProblem(WithValues(CompanySettings(), values), chart)) {
    return problem;
  }
  if (!IsValidFein(values.federal_id)) return std::string(kFeinRule);
  return std::nullopt;
}

bool SaveProgramSetup(Ledger& ledger, const ProgramSetupValues& values) {
  if (auto problem = ProgramSetupProblem(values, ledger.chart())) {
    ledger.ui().Error(*problem);
    return false;
  }
  ledger.settings() = WithValues(ledger.settings(), values);
  return ledger.SaveCompanySettings();
}

bool PrintProgramSettings(Program& program, OutputTarget target, PrinterCanvasFactory* printer) {
  Ledger& ledger = program.ledger();
  OutputServices services = ProgramOutputServices(program, printer);
  PrintJob job(services, target);
  return PrintSettingsReport(job, ledger.settings(), SettingsReportFiguresOf(ledger));
}

}  // namespace zenkar
