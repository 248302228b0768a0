// Ledger::Books: what a load of the books read from the data folder, and
// what it decided to write, before any of it is written or taken as the
// books in memory. Shared by the load and the reread of the books.
#ifndef ZENKAR_LEDGER_LEDGER_BOOKS_H_
#define ZENKAR_LEDGER_LEDGER_BOOKS_H_

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ledger/ledger.h"

namespace zenkar {

// What a load read, and what it decided to write.
struct Ledger::Books {
  CompanySettings settings;
  bool new_company = false;        // no settings yet: a new company's are saved
  bool settings_upgraded = false;  // brought up to date: saved once

  std::unique_ptr<TransactionFile> transactions;  // none while the file is missing
  LineTotals totals;
  PeriodFigures figures;
  // The stamp of the file the figures were summed from; nothing when they do
  // not follow the file as it is kept (its lines were to be rearranged).
  std::optional<FileStamp> figures_stamp;
  int32_t last_entry_sequence = 0;
  // The whole file in the order the settings choose, when it was not.
  std::optional<std::string> arranged;
  int32_t arranged_last_sequence = 0;

  ChartOfAccounts chart;  // as it is to be: installed, sorted, repaired
  std::optional<ChartOfAccounts> chart_as_read;
  bool chart_changed = false;
  std::string default_chart_copy;  // the program folder's default chart, for the data folder
  std::vector<std::string> drifted_totals;

  PayeeList payees;
  bool payees_changed = false;
};

}  // namespace zenkar

#endif  // ZENKAR_LEDGER_LEDGER_BOOKS_H_
