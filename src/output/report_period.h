// The period a report covers ("Report For") and the checks made on it.
//
// The Reports tab offers four choices: one "Date", a "Month" or a "Quarter"
// from lists built from the transactions, or a "Date Range". Whatever the
// choice, a report receives a ReportPeriod: the first and last day it covers.
// Months and quarters are calendar ones; accounting years start in the
// company's fiscal start month.
#ifndef ZENKAR_OUTPUT_REPORT_PERIOD_H_
#define ZENKAR_OUTPUT_REPORT_PERIOD_H_

#include <string>
#include <string_view>
#include <vector>

#include "common/date_patterns.h"
#include "common/day_number.h"
#include "common/ui.h"

namespace zenkar {

class Ledger;

enum class PeriodKind { kDate, kMonth, kQuarter, kDateRange };

struct ReportPeriod {
  PeriodKind kind = PeriodKind::kDate;
  DayNumber first = kNoDate;
  DayNumber last = kNoDate;
  friend bool operator==(const ReportPeriod&, const ReportPeriod&) = default;
};

ReportPeriod DatePeriod(DayNumber day);
ReportPeriod MonthPeriod(int year, int month);
ReportPeriod QuarterPeriod(int year, int quarter);
ReportPeriod RangePeriod(DayNumber first, DayNumber last);

// One entry of the Month or Quarter list: "2014 - March", "2014 - Quarter 1".
struct PeriodEntry {
  std::string label;
  ReportPeriod period;
  friend bool operator==(const PeriodEntry&, const PeriodEntry&) = default;
};

struct ReportDateLists {
  std::vector<PeriodEntry> months;
  std::vector<PeriodEntry> quarters;
};

inline constexpr std::string_view kFillingReportDates = "Filling Report Dates";

// The months and quarters that hold at least one of `dates`, oldest first,
// each once. Day 0 (no date) takes no part.
ReportDateLists ReportDateListsOf(const std::vector<DayNumber>& dates);
// The same lists from the transactions of the loaded company, with "Filling
// Report Dates" shown as progress while the file is read.
ReportDateLists FillReportDates(const Ledger& ledger);

// The accounting year holding a day, for a fiscal year that starts in
// `start_month` (1 to 12): the year is named by the calendar year it starts in.
struct AccountingYear {
  int year = 0;
  DayNumber first = kNoDate;
  DayNumber last = kNoDate;
};
AccountingYear AccountingYearOf(DayNumber day, int start_month);
AccountingYear AccountingYearNamed(int year, int start_month);

// The date checks every dated report makes before it reads data.
inline constexpr std::string_view kEndBeforeStart =
    "The ending date must not be earlier than the starting date.";
inline constexpr std::string_view kSingleAccountingYear =
    "This report is limited to dates from a single accounting year.";
inline constexpr std::string_view kNothingInTimeFrame =
    "No transactions for the selected time frame were found.";

// The period as messages name it: the date, or the first date " through "
// the last, in the user's date format.
std::string PeriodText(const ReportPeriod& period, const DatePatterns& patterns);
// The period as a report's heading names it: "For June 14, 2025", "For the
// Month Ended June 30, 2025", "For the Quarter Ended ...", "For the Period
// June 1, 2025 through June 14, 2025".
std::string PeriodHeadingText(const ReportPeriod& period);
// A day written out: "June 14, 2025".
std::string LongDate(DayNumber day);

// "No " + what + " dated " + period text + " were found."
std::string NothingFoundMessage(std::string_view what, const ReportPeriod& period,
                                const DatePatterns& patterns);

// Refuses a range whose end is before its start (reported); true when fine.
bool CheckPeriodOrder(const ReportPeriod& period, Ui& ui);
// Refuses a period that crosses the start of an accounting year (reported).
bool CheckSingleAccountingYear(const ReportPeriod& period, int start_month, Ui& ui);

}  // namespace zenkar

#endif  // ZENKAR_OUTPUT_REPORT_PERIOD_H_
