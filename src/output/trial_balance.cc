#include "output/trial_balance.h"

#include "common/text_field.h"
#include "output/account_activity.h"
#include "output/listing_layout.h"

namespace zenkar {
namespace {

constexpr double kAccountColumn = 5;
constexpr double kDescriptionColumn = 10;
constexpr double kOpeningColumn = 54;
constexpr double kPeriodColumn = 66;
constexpr double kClosingColumn = 78;
constexpr size_t kDescriptionLength = 32;

enum RowKind { kAccountRow, kTotalRow };

std::vector<ListingColumn> Columns() {
  return {{1, kAccountColumn, "Acct", 1},
          {1, kDescriptionColumn, "Description", 2},
          {0, kOpeningColumn, "Opening", 3, ReportAlign::kRight},
          {1, kOpeningColumn, "Balance", 3, ReportAlign::kRight},
          {0, kPeriodColumn, "Report", 4, ReportAlign::kRight},
          {1, kPeriodColumn, "Period", 4, ReportAlign::kRight},
          {0, kClosingColumn, "Closing", 5, ReportAlign::kRight},
          {1, kClosingColumn, "Balance", 5, ReportAlign::kRight}};
}

void RenderRow(const TrialBalance& balance, const ListingRow& row, ListingLineWriter& w) {
  if (row.kind == kTotalRow) {
    WriteAllAccountsTotals(w, kDescriptionColumn, 2,
                           {{kOpeningColumn, balance.opening, 3},
                            {kPeriodColumn, balance.period, 4},
                            {kClosingColumn, balance.closing, 5}});
    return;
  }
  const TrialBalanceLine& line = balance.lines[row.index];
  w.Text(kAccountColumn, line.account, 1, ReportAlign::kLeft, kDescriptionColumn);
  w.Text(kDescriptionColumn, line.description, 2, ReportAlign::kLeft, kOpeningColumn - kAmountWidth,
         kDescriptionLength);
  w.Amount(kOpeningColumn, line.opening, 3);
  w.Amount(kPeriodColumn, line.period, 4);
  w.Amount(kClosingColumn, line.closing, 5);
}

}  // namespace

bool ComputeTrialBalance(const ListingBooks& books, const ReportPeriod& period,
                         TrialBalance* balance) {
  ActivityTable table;
  if (!SumAccountActivity(books, period, &table)) return false;
  *balance = TrialBalance();
  for (const AccountActivity& activity : table.accounts) {
    if (activity.opening.IsZero() && activity.period.IsZero() && !activity.has_lines) continue;
    balance->lines.push_back({std::string(AccountText(activity.account)),
                              AccountName(books.chart, activity.account), activity.opening,
                              activity.period, activity.closing()});
    balance->opening += activity.opening;
    balance->period += activity.period;
    balance->closing += activity.closing();
  }
  return true;
}

bool PrintTrialBalance(ListingRun& run) {
  if (!CheckPeriodOrder(run.period, run.ui())) return false;
  TrialBalance balance;
  if (!ComputeTrialBalance(run.books, run.period, &balance)) return false;
  if (balance.lines.empty()) {
    run.ui().Error(kNothingInTimeFrame);
    return false;
  }
  ListingDocument document;
  document.job_title = "Trial-Balance";
  document.heading =
      ListingHeadingOf("TRIAL BALANCE", run.books.settings.name_line_1, PeriodLines(run.period));
  document.heading.columns = Columns();
  document.base_lines_per_page = kTrialBalanceLines;
  document.shading_bars = run.options.use_shading_bars;
  for (int i = 0; i < static_cast<int>(balance.lines.size()); ++i) {
    document.rows.push_back({kAccountRow, i, 1, false, true});
  }
  document.rows.push_back({kTotalRow, 0, 1, true, false});
  document.render = [&balance](const ListingRow& row, ListingLineWriter& w) {
    RenderRow(balance, row, w);
  };
  return WriteListing(run.job, document);
}

}  // namespace zenkar
