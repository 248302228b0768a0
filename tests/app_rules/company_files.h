// Company folders for tests: the settings and transaction files written
// directly, as another program or an older version would leave them.
#ifndef ZENKAR_TESTS_APP_RULES_COMPANY_FILES_H_
#define ZENKAR_TESTS_APP_RULES_COMPANY_FILES_H_

#include <unistd.h>

#include <string>

#include "ledger/company_settings.h"
#include "support/temp_dir.h"

namespace zenkar::testing {

// Writes the settings and transaction files of a company into `folder`: the
// defaults of a new company with the given version year, name and start tab,
// and `transactions` empty transaction records (a sparse file). False when
// the transaction file could not be sized.
inline bool WriteCompany(const TempDir& folder, int data_year = 2015,
                         const std::string& name = "Harbor Supply Co.", long transactions = 0,
                         const std::string& start_tab = "") {
  CompanySettings settings;
  NewCompanySettings(settings);
  settings.data_year = data_year;
  settings.name_line_1 = name;
  settings.start_tab = start_tab;
  folder.WriteFile("KXACCT.CFG", settings.Encode());
  folder.WriteFile("KXACCT.TRN", "");
  return transactions == 0 ||
         ::truncate(folder.File("KXACCT.TRN").c_str(), transactions * 328) == 0;
}

// The settings as they are on disk.
inline CompanySettings StoredSettings(const TempDir& folder) {
  return CompanySettings::Decode(folder.ReadFile("KXACCT.CFG"));
}

}  // namespace zenkar::testing

#endif  // ZENKAR_TESTS_APP_RULES_COMPANY_FILES_H_
