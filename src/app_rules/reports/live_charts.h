// The figures of the "View Charts" window: the bank balance of the last 90
// days and the income and expenses of the accounting year to date, computed
// by the charts' own code (chart_figures.h) from the books' figures by period
// (ledger/period_figures.h). The ledger follows an appended or rewritten line
// in those figures, so a saved entry brings the charts up to date without
// reading the transaction file again.
#ifndef ZENKAR_APP_RULES_REPORTS_LIVE_CHARTS_H_
#define ZENKAR_APP_RULES_REPORTS_LIVE_CHARTS_H_

#include <functional>
#include <vector>

#include "ledger/ledger.h"
#include "output/chart_drawing.h"
#include "output/chart_figures.h"

namespace zenkar {

// How many days the window's bank balance covers, today included.
inline constexpr int kLiveBalanceDays = 90;

struct LiveCharts {
  ReportPeriod balance_period;  // the last 90 days, today included
  ReportPeriod year_period;     // the accounting year from its start to today
  BankBalanceFigures balance;
  IncomeExpenseFigures year;
};

LiveCharts ComputeLiveCharts(const StatementBooks& books, DayNumber today);

// The window's figures, computed when made and again after every change the
// ledger reports, until destroyed.
class LiveChartsWatch : public LedgerObserver {
 public:
  explicit LiveChartsWatch(Ledger& ledger);
  ~LiveChartsWatch() override;
  LiveChartsWatch(const LiveChartsWatch&) = delete;
  LiveChartsWatch& operator=(const LiveChartsWatch&) = delete;

  void OnLedgerChanged(LedgerChange change, int record_number) override;

  const LiveCharts& charts() const { return charts_; }
  // Called after every computation that a change caused.
  void set_on_change(std::function<void()> on_change) { on_change_ = std::move(on_change); }
  // How many times the figures were computed (once, then once a change).
  int computed() const { return computed_; }

 private:
  void Compute();

  Ledger& ledger_;
  LiveCharts charts_;
  std::function<void()> on_change_;
  int computed_ = 0;
};

// The window's picture, in points on a sheet of kLiveChartsWidth by
// kLiveChartsHeight: "Bank Balance - Last 90 Days" over its chart, then
// "Income and Expenses - Year to Date" over its own. A chart without entries
// draws its empty axes with kNoBalanceEntries or kNoYearEntries.
inline constexpr double kLiveChartsWidth = 612;
inline constexpr double kLiveChartsHeight = 760;
inline constexpr std::string_view kBalanceChartTitle = "Bank Balance - Last 90 Days";
inline constexpr std::string_view kYearChartTitle = "Income and Expenses - Year to Date";
inline constexpr std::string_view kNoBalanceEntries = "No entries in the last 90 days";
inline constexpr std::string_view kNoYearEntries = "No entries in this accounting year yet";
void DrawLiveCharts(ReportCanvas& canvas, const LiveCharts& charts, const DatePatterns& dates);

}  // namespace zenkar

#endif  // ZENKAR_APP_RULES_REPORTS_LIVE_CHARTS_H_
