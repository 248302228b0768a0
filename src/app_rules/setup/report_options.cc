#include "app_rules/setup/report_options.h"

namespace zenkar {

ReportOptions ReportOptionsOf(const CompanySettings& settings) {
  ReportOptions options;
  for (const ReportOptionField& f : kReportOptionFields) {
    options.*f.option = settings.*f.field != 0;
  }
  return options;
}

bool SetReportOption(Ledger& ledger, const ReportOptionField& option, bool on) {
  int32_t& stored = ledger.settings().*option.field;
  const int32_t before = stored;
  stored = on ? 1 : 0;
  if (ledger.SaveCompanySettings()) return true;
  stored = before;
  return false;
}

}  // namespace zenkar
