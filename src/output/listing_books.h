// The books a ledger or listing report reads, and the run it is part of.
//
// The reports that list lines read the transaction file as record bytes,
// pick the lines they list by a few fields (TransactionFacts) and decode only
// those into ListedLines; the reports of sums take the books' figures by
// period (ledger/period_figures.h) and read no line. The chart, the settings
// and the payees are the loaded tables.
#ifndef ZENKAR_OUTPUT_LISTING_BOOKS_H_
#define ZENKAR_OUTPUT_LISTING_BOOKS_H_

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "ledger/chart_of_accounts.h"
#include "ledger/company_settings.h"
#include "ledger/payee_list.h"
#include "ledger/period_figures.h"
#include "ledger/transaction_record.h"
#include "output/report_run.h"

namespace zenkar {

class Ledger;

// Calls its argument with every record of the transaction file and its
// record number, in file order; false when the file could not be read
// (reported).
using RecordSource =
    std::function<bool(const std::function<void(int number, std::string_view record)>& visit)>;

struct ListingBooks {
  const ChartOfAccounts& chart;
  const CompanySettings& settings;
  const PayeeList& payees;
  RecordSource records;
  // The figures by period of a loaded ledger; empty: the `records` are
  // summed when the figures are wanted.
  std::function<const PeriodFigures*()> figures = {};
};
ListingBooks ListingBooksOf(const Ledger& ledger);
// The books' figures, or those of their records summed into `summed`;
// nothing when they could not be had (reported).
const PeriodFigures* FiguresOf(const ListingBooks& books, PeriodFigures* summed);

// One report of a run: the books, the job, the period and options, the
// questions it may ask and where it notes the lines it printed.
struct ListingRun {
  const ListingBooks& books;
  PrintJob& job;
  ReportPeriod period;
  ReportOptions options;
  ReportChoices* choices = nullptr;
  std::vector<PrintedLine>* printed = nullptr;

  Ui& ui() { return job.services().ui; }
  const DatePatterns& dates() { return job.services().dates; }
  DayNumber today() { return job.services().clock.Today(); }
};

// Makes `label` available in the run: the procedure gets its books from the
// ledger of the run's context.
void AddListing(ReportRegistry& registry, std::string_view label, bool (*print)(ListingRun& run),
                bool allows_text = true);

// Notes the lines a report printed, for the run to mark them printed.
void NotePrinted(ListingRun& run, const std::vector<ListedLine>& lines);

// The day a line stands on in the listings: its date, or for an unpaid
// invoice (which has none) its invoice date, else its due date.
DayNumber ListingDate(const TransactionFacts& line);
DayNumber ListingDate(const ListedLine& line);
bool InPeriod(DayNumber day, const ReportPeriod& period);

// The lines `keep` accepts, decoded, in file order. False when the file
// could not be read (reported).
bool ReadListedLines(const ListingBooks& books,
                     const std::function<bool(const TransactionFacts&)>& keep,
                     std::vector<ListedLine>* lines);

// The order a listing prints in: `proposed`, or with "Reports: Sort Entries"
// ticked what the user chooses ("Sort report by:"); nothing when cancelled.
std::optional<EntryOrder> ChosenOrder(ListingRun& run, std::string_view report,
                                      EntryOrder proposed);

// The texts of a listing: a date in the user's pattern, an account number
// without its padding, the name of an account of the chart.
std::string ListingDateText(DayNumber day, const DatePatterns& dates);
std::string_view AccountText(std::string_view account);
// The chart's description of `account`, or what the journal export names it
// when the chart lacks it ("Deleted from the chart", "No account number").
std::string AccountName(const ChartOfAccounts& chart, std::string_view account);

// The heading's period line, the job's company name.
std::vector<std::string> PeriodLines(const ReportPeriod& period);

}  // namespace zenkar

#endif  // ZENKAR_OUTPUT_LISTING_BOOKS_H_
