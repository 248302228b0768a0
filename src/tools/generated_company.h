// A generated company of any size, for the benchmarks and the crash trials.
//
// The default chart, 40 payees ("Payee 1" ... "Payee 40") and `line_count`
// lines over five years (2021-2025; or `years` from `first_year`): checks and deposits, journal
// lines and unpaid invoices to any entry account, each line dated within a month of the one before,
// so the file is close to but not in date order. Every line is printed and carries its entry
// sequence. Unpaid invoices name one of the first 20 payees (the suppliers), so a payee of the
// others can be deleted. The files are written directly, not through the Ledger: the first load
// sorts the file by date and computes the posted totals. The same count
// and seed always give the same company. With `balanced_years` the journal
// lines of each calendar year sum to zero: one more journal line per year,
// dated 1 July, balances them (as a year of real books does).
#ifndef ZENKAR_TOOLS_GENERATED_COMPANY_H_
#define ZENKAR_TOOLS_GENERATED_COMPANY_H_

#include <cstdint>
#include <string>
#include <vector>

#include "common/file_system.h"
#include "common/status.h"
#include "ledger/account_record.h"

namespace zenkar {

inline constexpr int kGeneratedPayees = 40;
inline constexpr int kGeneratedSuppliers = 20;

// Reads a chart of accounts kept as chart text (the default chart's source).
Status ReadChartText(FileSystem& fs, const std::string& path, std::vector<AccountRecord>* chart);

// Writes KXACCT.CFG (a new company kept in date order), KXACCT.COA,
// KXACCT.VND and KXACCT.TRN into `folder` (ending in "/").
Status WriteGeneratedCompany(FileSystem& fs, const std::string& folder,
                             const std::vector<AccountRecord>& accounts, int line_count,
                             uint64_t seed = 42, int years = 5, int first_year = 2021,
                             bool balanced_years = false);

}  // namespace zenkar

#endif  // ZENKAR_TOOLS_GENERATED_COMPANY_H_
