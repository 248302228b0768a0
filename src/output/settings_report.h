// PrintSettingsReport: the one-page printout of the company settings and the
// ledger's counts and totals ("View / Print Program Settings").
#ifndef ZENKAR_OUTPUT_SETTINGS_REPORT_H_
#define ZENKAR_OUTPUT_SETTINGS_REPORT_H_

#include <string>
#include <vector>

#include "common/money.h"
#include "ledger/company_settings.h"
#include "output/print_job.h"

namespace zenkar {

class Ledger;

inline constexpr std::string_view kSettingsReportTitle = "KXACCT-Settings";

// The figures of the books the printout ends with.
struct SettingsReportFigures {
  int transaction_count = 0;
  int unpaid_count = 0;
  int payee_count = 0;
  Money posting_total;          // the sum of every balance: zero when the books balance
  Money balance_forward_total;  // the balance forwards of all accounts
  Money posted_total_sum;       // the posted totals of all accounts
};
SettingsReportFigures SettingsReportFiguresOf(const Ledger& ledger);

// The lines of the printout, in order: each label followed by its value.
std::vector<std::string> SettingsReportLines(const CompanySettings& settings,
                                             const SettingsReportFigures& figures);

// Writes the printout as its own print job titled "KXACCT-Settings", in
// Arial. False when the job could not be opened or completed.
bool PrintSettingsReport(PrintJob& job, const CompanySettings& settings,
                         const SettingsReportFigures& figures);

}  // namespace zenkar

#endif  // ZENKAR_OUTPUT_SETTINGS_REPORT_H_
