// "Bank-Rec": the bank reconciliation as a report, from the books and the
// reconciliation as last saved (the statement's values in the settings, the
// outstanding marks in KXACCT.REC), through the report run: PDF, printer and
// mail. The Bank Reconciliation tab saves after every change, so the report
// shows what the tab shows; kxbatch prints the same report.
//
// The report's period is the statement's: a range (or month, quarter) gives
// its starting and ending dates; a single date is the ending date, and the
// statement is taken to start as the tab would start it (the first of that
// month from the 20th on, otherwise the first of the month before).
#ifndef ZENKAR_OUTPUT_BANK_REC_REPORT_H_
#define ZENKAR_OUTPUT_BANK_REC_REPORT_H_

#include <string>
#include <vector>

#include "ledger/reconciliation.h"
#include "output/report_period.h"
#include "output/report_run.h"

namespace zenkar {

// The report's figures and lines, before anything is written.
struct BankRecReport {
  std::string company;
  std::string bank_account;  // "110 Checking Account"
  DayNumber start = kNoDate;
  DayNumber end = kNoDate;
  StatementValues values;
  ReconciliationFigures figures;
  std::vector<ReconciliationItem> outstanding;  // in list order
};

// The statement period of a report period (see above).
void StatementPeriodOf(const ReportPeriod& period, DayNumber* start, DayNumber* end);

// Builds the report from the books; false (reported) when the bank account is
// not usable or the transaction file cannot be read.
bool BuildBankRecReport(const Ledger& ledger, const ReportPeriod& period, BankRecReport* report);

// Writes it: the statement's figures on the first page, then the outstanding
// entries, with "Page n of m" on every page of a report of several.
bool WriteBankRecReport(PrintJob& job, const BankRecReport& report);

// Makes "Bank-Rec" available in `registry` (PDF, printer and mail; not CSV).
void AddBankRecReport(ReportRegistry& registry);

}  // namespace zenkar

#endif  // ZENKAR_OUTPUT_BANK_REC_REPORT_H_
