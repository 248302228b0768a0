#include "output/report_period.h"

#include <algorithm>
#include <set>
#include <utility>

#include "ledger/ledger.h"

namespace zenkar {
namespace {

constexpr int kMonthsPerQuarter = 3;
// Progress is shown every so many lines: often enough to move, rarely enough
// to cost nothing.
constexpr int kProgressStep = 4096;

int ClampMonth(int month) { return std::clamp(month, 1, 12); }

}  // namespace

ReportPeriod DatePeriod(DayNumber day) { return {PeriodKind::kDate, day, day}; }

ReportPeriod MonthPeriod(int year, int month) {
  return {PeriodKind::kMonth, FirstOfMonth(year, month), LastOfMonth(year, month)};
}

ReportPeriod QuarterPeriod(int year, int quarter) {
  const int first_month = (quarter - 1) * kMonthsPerQuarter + 1;
  return {PeriodKind::kQuarter, FirstOfMonth(year, first_month),
          LastOfMonth(year, first_month + kMonthsPerQuarter - 1)};
}

ReportPeriod RangePeriod(DayNumber first, DayNumber last) {
  return {PeriodKind::kDateRange, first, last};
}

// A sorted set of (year, month) keys removes the repeats that a file kept in
// the order entered would otherwise put in the lists.
ReportDateLists ReportDateListsOf(const std::vector<DayNumber>& dates) {
  std::set<std::pair<int, int>> months;
  std::set<std::pair<int, int>> quarters;
  for (DayNumber day : dates) {
    if (day == kNoDate || day < kFirstDayNumber || day > kLastDayNumber) continue;
    const CivilDate date = ToCivilDate(day);
    months.emplace(date.year, date.month);
    quarters.emplace(date.year, (date.month - 1) / kMonthsPerQuarter + 1);
  }
  ReportDateLists lists;
  for (const auto& [year, month] : months) {
    const ReportPeriod period = MonthPeriod(year, month);
    lists.months.push_back({FormatDate(period.first, "yyyy' - 'MMMM"), period});
  }
  for (const auto& [year, quarter] : quarters) {
    lists.quarters.push_back({std::to_string(year) + " - Quarter " + std::to_string(quarter),
                              QuarterPeriod(year, quarter)});
  }
  return lists;
}

ReportDateLists FillReportDates(const Ledger& ledger) {
  Ui& ui = ledger.ui();
  const long total = ledger.transaction_count();
  std::vector<DayNumber> dates;
  dates.reserve(static_cast<size_t>(total));
  ui.SetProgress(kFillingReportDates, 0, total);
  ledger.ForEachTransaction([&](const TransactionRecord& line) {
    dates.push_back(line.date);
    if (dates.size() % kProgressStep == 0) {
      ui.SetProgress(kFillingReportDates, static_cast<long>(dates.size()), total);
    }
  });
  ui.ClearProgress();
  return ReportDateListsOf(dates);
}

AccountingYear AccountingYearNamed(int year, int start_month) {
  start_month = ClampMonth(start_month);
  return {year, FirstOfMonth(year, start_month), FirstOfMonth(year + 1, start_month) - 1};
}

AccountingYear AccountingYearOf(DayNumber day, int start_month) {
  const CivilDate date = ToCivilDate(day);
  const int year = date.month < ClampMonth(start_month) ? date.year - 1 : date.year;
  return AccountingYearNamed(year, start_month);
}

std::string PeriodText(const ReportPeriod& period, const DatePatterns& patterns) {
  const std::string first = FormatDate(period.first, patterns.numeric);
  if (period.kind == PeriodKind::kDate) return first;
  return first + " through " + FormatDate(period.last, patterns.numeric);
}

std::string LongDate(DayNumber day) { return FormatDate(day, "MMMM d',' yyyy"); }

std::string PeriodHeadingText(const ReportPeriod& period) {
  switch (period.kind) {
    case PeriodKind::kDate:
      return "For " + LongDate(period.first);
    case PeriodKind::kMonth:
      return "For the Month Ended " + LongDate(period.last);
    case PeriodKind::kQuarter:
      return "For the Quarter Ended " + LongDate(period.last);
    case PeriodKind::kDateRange:
      break;
  }
  return "For the Period " + LongDate(period.first) + " through " + LongDate(period.last);
}

std::string NothingFoundMessage(std::string_view what, const ReportPeriod& period,
                                const DatePatterns& patterns) {
  return "No " + std::string(what) + " dated " + PeriodText(period, patterns) + " were found.";
}

bool CheckPeriodOrder(const ReportPeriod& period, Ui& ui) {
  if (period.last >= period.first) return true;
  ui.Error(kEndBeforeStart);
  return false;
}

bool CheckSingleAccountingYear(const ReportPeriod& period, int start_month, Ui& ui) {
  if (AccountingYearOf(period.first, start_month).year ==
      AccountingYearOf(period.last, start_month).year) {
    return true;
  }
  ui.Error(kSingleAccountingYear);
  return false;
}

}  // namespace zenkar
