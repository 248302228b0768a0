// The five report options of the "Report Options" page of the Setup tab, as
// the company settings keep them. The report run reads them from here when
// it starts.
#ifndef ZENKAR_APP_RULES_SETUP_REPORT_OPTIONS_H_
#define ZENKAR_APP_RULES_SETUP_REPORT_OPTIONS_H_

#include <array>
#include <string_view>

#include "ledger/company_settings.h"
#include "ledger/ledger.h"
#include "output/report_run.h"

namespace zenkar {

// One check box of the page: its caption and the settings field behind it.
struct ReportOptionField {
  std::string_view caption;
  int32_t CompanySettings::*field;
  bool ReportOptions::*option;
};

// The check boxes in the order the page shows them.
inline constexpr std::array<ReportOptionField, 5> kReportOptionFields = {{
    {"Reports: Sort Entries", &CompanySettings::sort_entries, &ReportOptions::sort_entries},
    {"Reports: Use Shading Bars", &CompanySettings::use_shading_bars,
     &ReportOptions::use_shading_bars},
    {"Transaction Listing: Include Descriptions", &CompanySettings::transaction_listing_long,
     &ReportOptions::include_descriptions},
    {"Income Statement: Omit Percentages", &CompanySettings::omit_percentages,
     &ReportOptions::omit_percentages},
    {"Income Statement/Balance Sheet: Include Zero Balance Accounts",
     &CompanySettings::include_zero_balances, &ReportOptions::include_zero_balances},
}};

// The options a report run starts with.
ReportOptions ReportOptionsOf(const CompanySettings& settings);

// Ticks or clears one option and saves the settings; false when the save
// failed (reported), and the option is then as it was.
bool SetReportOption(Ledger& ledger, const ReportOptionField& option, bool on);

}  // namespace zenkar

#endif  // ZENKAR_APP_RULES_SETUP_REPORT_OPTIONS_H_
