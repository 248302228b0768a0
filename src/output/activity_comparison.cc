#include "output/activity_comparison.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "common/text_field.h"
#include "output/account_activity.h"
#include "output/listing_layout.h"

namespace zenkar {
namespace {

constexpr double kAccountColumn = 5;
constexpr double kDescriptionColumn = 10;
constexpr double kPriorColumn = 44;
constexpr double kCurrentColumn = 56;
constexpr double kDifferenceColumn = 68;
constexpr double kPercentColumn = 80;
constexpr size_t kDescriptionLength = 25;

std::vector<ListingColumn> Columns() {
  return {{0, kAccountColumn, "Acct", 1},
          {0, kDescriptionColumn, "Description", 2},
          {0, kPriorColumn, "Prior", 3, ReportAlign::kRight},
          {0, kCurrentColumn, "Current", 4, ReportAlign::kRight},
          {0, kDifferenceColumn, "Difference", 5, ReportAlign::kRight},
          {0, kPercentColumn, "Percent", 6, ReportAlign::kRight}};
}

DayNumber YearEarlier(DayNumber day) {
  const CivilDate date = ToCivilDate(day);
  const bool month_end = date.day == DaysInMonth(date.year, date.month);
  const int days = DaysInMonth(date.year - 1, date.month);
  return *MakeDayNumber(date.year - 1, date.month, month_end ? days : std::min(date.day, days));
}

std::string RangeText(const ReportPeriod& period, const DatePatterns& dates) {
  return FormatDate(period.first, dates.numeric) + " to " + FormatDate(period.last, dates.numeric);
}

// The first account with lines in either period that the chart cannot take.
void CheckAccounts(const ListingBooks& books, const ActivityTable& table,
                   ActivityComparison* comparison) {
  for (const AccountActivity& activity : table.accounts) {
    if (!activity.has_lines) continue;
    const int record = books.chart.FindAccount(activity.account);
    ComparisonProblem problem = ComparisonProblem::kNone;
    if (Trim(activity.account).empty()) {
      problem = ComparisonProblem::kBlank;
    } else if (record == 0) {
      problem = ComparisonProblem::kDeleted;
    } else if (!books.chart.account(record).IsEntry()) {
      problem = ComparisonProblem::kNotEntry;
    }
    if (problem == ComparisonProblem::kNone) continue;
    comparison->problem = problem;
    comparison->problem_account = std::string(AccountText(activity.account));
    return;
  }
}

bool Refused(const ActivityComparison& comparison, Ui& ui) {
  switch (comparison.problem) {
    case ComparisonProblem::kNone:
      return false;
    case ComparisonProblem::kBlank:
      ui.Error(kComparisonMissingAccount);
      return true;
    case ComparisonProblem::kDeleted:
      ui.Error(kComparisonDeletedAccount);
      return true;
    case ComparisonProblem::kNotEntry:
      ui.Error("Account " + EscapeControls(comparison.problem_account) +
               " is not a valid account.");
      return true;
  }
  return true;
}

enum RowKind { kAccountRow };

}  // namespace

ComparisonPeriods ProposedPeriods(const ReportPeriod& current) {
  ReportPeriod prior = current;
  prior.first = YearEarlier(current.first);
  prior.last = YearEarlier(current.last);
  return {prior, current};
}

bool ComputeActivityComparison(const ListingBooks& books, const ComparisonPeriods& periods,
                               ActivityComparison* comparison) {
  ActivityTable prior;
  ActivityTable current;
  if (!SumAccountActivity(books, periods.prior, &prior) ||
      !SumAccountActivity(books, periods.current, &current)) {
    return false;
  }
  *comparison = ActivityComparison();
  comparison->periods = periods;
  CheckAccounts(books, prior, comparison);
  if (comparison->problem == ComparisonProblem::kNone) CheckAccounts(books, current, comparison);
  // Both tables list the same accounts in the same order: every account of
  // the chart and every number a line names, whatever the period.
  for (size_t i = 0; i < current.accounts.size() && i < prior.accounts.size(); ++i) {
    const AccountActivity& now = current.accounts[i];
    const AccountActivity& before = prior.accounts[i];
    if (now.period.IsZero() && before.period.IsZero()) continue;
    comparison->lines.push_back({std::string(AccountText(now.account)),
                                 AccountName(books.chart, now.account), before.period, now.period});
  }
  return true;
}

std::string PercentText(Money prior, Money difference) {
  if (prior.IsZero()) return "";
  const __int128 d = difference.raw();
  const __int128 p = prior.raw();
  // The ratio d / p against 10 and -10, without dividing.
  if (p > 0 ? d > 10 * p : d < 10 * p) return ">1000.00%";
  if (p > 0 ? d < -10 * p : d > -10 * p) return ">-1000.00%";
  // Hundredths of a percent, rounded half away from zero.
  const __int128 doubled = d * 10000 * 2 / p;
  const long long hundredths = static_cast<long long>((doubled + (doubled < 0 ? -1 : 1)) / 2);
  char text[32];
  std::snprintf(text, sizeof text, "%s%lld.%02lld%%", hundredths < 0 ? "-" : "",
                std::llabs(hundredths) / 100, std::llabs(hundredths) % 100);
  return text;
}

bool PrintActivityComparison(ListingRun& run) {
  Ui& ui = run.ui();
  if (run.books.chart.count() == 0) {
    ui.Error(kNoChartOfAccounts);
    return false;
  }
  ComparisonPeriods periods = ProposedPeriods(run.period);
  if (run.choices != nullptr) {
    const std::optional<ComparisonPeriods> chosen = run.choices->ChooseComparisonPeriods(periods);
    if (!chosen) return false;
    periods = *chosen;
  }
  if (!CheckPeriodOrder(periods.prior, ui) || !CheckPeriodOrder(periods.current, ui)) return false;
  ActivityComparison comparison;
  if (!ComputeActivityComparison(run.books, periods, &comparison)) return false;
  if (Refused(comparison, ui)) return false;
  if (comparison.lines.empty()) {
    ui.Error(kNothingInTimeFrame);
    return false;
  }
  const DatePatterns& dates = run.dates();
  ListingDocument document;
  document.job_title = "Activity-Comparison";
  document.heading = ListingHeadingOf("ACTIVITY COMPARISON", run.books.settings.name_line_1,
                                      {"Prior: " + RangeText(periods.prior, dates),
                                       "Current: " + RangeText(periods.current, dates)});
  document.heading.columns = Columns();
  document.base_lines_per_page = kTrialBalanceLines;
  document.shading_bars = run.options.use_shading_bars;
  for (int i = 0; i < static_cast<int>(comparison.lines.size()); ++i) {
    document.rows.push_back({kAccountRow, i, 1, false, true});
  }
  document.render = [&comparison](const ListingRow& row, ListingLineWriter& w) {
    const ComparisonLine& line = comparison.lines[row.index];
    w.Text(kAccountColumn, line.account, 1, ReportAlign::kLeft, kDescriptionColumn);
    w.Text(kDescriptionColumn, line.description, 2, ReportAlign::kLeft, kPriorColumn - kAmountWidth,
           kDescriptionLength);
    w.Amount(kPriorColumn, line.prior, 3);
    w.Amount(kCurrentColumn, line.current, 4);
    w.Amount(kDifferenceColumn, line.difference(), 5);
    w.Text(kPercentColumn, PercentText(line.prior, line.difference()), 6, ReportAlign::kRight);
  };
  return WriteListing(run.job, document);
}

}  // namespace zenkar
