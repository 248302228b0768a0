#include "app_rules/reports/live_charts.h"

namespace zenkar {

LiveCharts ComputeLiveCharts(const StatementBooks& books, DayNumber today) {
  LiveCharts charts;
  charts.balance_period = RangePeriod(today - (kLiveBalanceDays - 1), today);
  const AccountingYear year = AccountingYearOf(today, books.settings.fiscal_start_month);
  charts.year_period = RangePeriod(year.first, today);
  ComputeBankBalancesAndIncomeExpenses(books, charts.balance_period, charts.year_period,
                                       &charts.balance, &charts.year);
  return charts;
}

LiveChartsWatch::LiveChartsWatch(Ledger& ledger) : ledger_(ledger) {
  Compute();
  ledger_.AddObserver(this);
}

LiveChartsWatch::~LiveChartsWatch() { ledger_.RemoveObserver(this); }

void LiveChartsWatch::OnLedgerChanged(LedgerChange, int) {
  Compute();
  if (on_change_) on_change_();
}

void LiveChartsWatch::Compute() {
  charts_ = ComputeLiveCharts(BooksOf(ledger_), ledger_.clock().Today());
  ++computed_;
}

void DrawLiveCharts(ReportCanvas& canvas, const LiveCharts& charts, const DatePatterns& dates) {
  constexpr ReportFont kTitleFont{FontFamily::kArial, 11, FontStyle::kBold};
  constexpr double kCentre = kLiveChartsWidth / 2 / kPointsPerColumn;
  const ChartBox balance_box{108, 50, 576, 300};
  const ChartBox year_box{108, 430, 576, 680};
  canvas.SetFont(kTitleFont);
  canvas.PlaceText(2, kCentre, kBalanceChartTitle, ReportAlign::kCenter, 1);
  canvas.PlaceText(year_box.top / kPointsPerRow - 2, kCentre, kYearChartTitle, ReportAlign::kCenter,
                   1);
  if (charts.balance.period_has_lines) {
    DrawBankBalanceChart(canvas, charts.balance, balance_box, dates);
  } else {
    DrawEmptyChart(canvas, balance_box, kNoBalanceEntries);
  }
  if (charts.year.period_has_lines) {
    DrawIncomeExpenseChart(canvas, charts.year, year_box);
  } else {
    DrawEmptyChart(canvas, year_box, kNoYearEntries);
  }
}

}  // namespace zenkar
