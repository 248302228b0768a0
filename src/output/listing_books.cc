#include "output/listing_books.h"

#include "common/text_field.h"
#include "ledger/ledger.h"

namespace zenkar {

ListingBooks ListingBooksOf(const Ledger& ledger) {
  return {ledger.chart(), ledger.settings(), ledger.payees(),
          [&ledger](const std::function<void(int, std::string_view)>& visit) {
            return ledger.ScanTransactionRecords(visit);
          },
          [&ledger] { return ledger.Figures(); }};
}

const PeriodFigures* FiguresOf(const ListingBooks& books, PeriodFigures* summed) {
  if (books.figures) return books.figures();
  *summed = PeriodFigures();
  const bool read = books.records([&](int number, std::string_view record) {
    summed->Add(number, ReadTransactionFacts(record));
  });
  return read ? summed : nullptr;
}

void AddListing(ReportRegistry& registry, std::string_view label, bool (*print)(ListingRun& run),
                bool allows_text) {
  ReportEntry entry;
  entry.allows_text = allows_text;
  entry.run = [print](ReportContext& context) {
    const ListingBooks books = ListingBooksOf(context.ledger);
    ListingRun run{books,           context.job,     context.period,
                   context.options, context.choices, context.printed};
    return print(run);
  };
  registry.Add(label, std::move(entry));
}

void NotePrinted(ListingRun& run, const std::vector<ListedLine>& lines) {
  if (run.printed == nullptr) return;
  for (const ListedLine& line : lines) {
    run.printed->push_back({line.record_number, line.fingerprint});
  }
}

DayNumber ListingDate(const TransactionFacts& line) {
  if (line.date != kNoDate || line.kind != kInvoice) return line.date;
  return line.invoice_date != kNoDate ? line.invoice_date : line.due_date;
}

DayNumber ListingDate(const ListedLine& line) {
  if (line.date != kNoDate || line.kind != kInvoice) return line.date;
  return line.invoice_date != kNoDate ? line.invoice_date : line.due_date;
}

bool InPeriod(DayNumber day, const ReportPeriod& period) {
  return day != kNoDate && day >= period.first && day <= period.last;
}

bool ReadListedLines(const ListingBooks& books,
                     const std::function<bool(const TransactionFacts&)>& keep,
                     std::vector<ListedLine>* lines) {
  lines->clear();
  return books.records([&](int number, std::string_view record) {
    if (keep(ReadTransactionFacts(record))) lines->push_back(ReadListedLine(number, record));
  });
}

std::optional<EntryOrder> ChosenOrder(ListingRun& run, std::string_view report,
                                      EntryOrder proposed) {
  if (!run.options.sort_entries || run.choices == nullptr) return proposed;
  return run.choices->ChooseSortOrder(report, proposed);
}

std::string ListingDateText(DayNumber day, const DatePatterns& dates) {
  return FormatDate(day, dates.numeric);
}

std::string_view AccountText(std::string_view account) { return Trim(account); }

std::string AccountName(const ChartOfAccounts& chart, std::string_view account) {
  if (const int record = chart.FindAccount(account); record != 0) {
    return std::string(TrimRight(chart.account(record).description));
  }
  return Trim(account).empty() ? "No account number" : "Deleted from the chart";
}

std::vector<std::string> PeriodLines(const ReportPeriod& period) {
  return {PeriodHeadingText(period)};
}

}  // namespace zenkar
