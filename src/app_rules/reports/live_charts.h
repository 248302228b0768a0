// The figures of the "View Charts" window: the bank balance of the last 90
// days and the income and expenses of the accounting year to date, computed
// by the charts' own code (chart_figures.h) from a copy of the lines kept in
// memory.
//
// The copy holds the few fields the figures read. It is read from the file
// once, and then each change the ledger reports is applied to it: an
// appended, rewritten, inserted, deleted or moved line is read alone or
// dropped, so a saved entry brings the charts up to date without reading the
// transaction file again. Only a change of the whole file (a sort, another
// program's change, a new folder) reads it afresh.
#ifndef ZENKAR_APP_RULES_REPORTS_LIVE_CHARTS_H_
#define ZENKAR_APP_RULES_REPORTS_LIVE_CHARTS_H_

#include <cstdint>
#include <functional>
#include <vector>

#include "ledger/ledger.h"
#include "output/chart_drawing.h"
#include "output/chart_figures.h"

namespace zenkar {

// How many days the window's bank balance covers, today included.
inline constexpr int kLiveBalanceDays = 90;

class LiveChartLines : public LedgerObserver {
 public:
  // Reads the lines and follows the ledger's changes until destroyed.
  explicit LiveChartLines(Ledger& ledger);
  ~LiveChartLines() override;
  LiveChartLines(const LiveChartLines&) = delete;
  LiveChartLines& operator=(const LiveChartLines&) = delete;

  void OnLedgerChanged(LedgerChange change, int record_number) override;

  // The copy as the statements' figures read it, with the ledger's chart
  // and settings.
  StatementBooks Books() const;
  // Called after every change applied.
  void set_on_change(std::function<void()> on_change) { on_change_ = std::move(on_change); }
  // How many times the whole file was read.
  int whole_reads() const { return whole_reads_; }
  int count() const { return static_cast<int>(lines_.size()); }

 private:
  struct Line {
    int32_t kind = 0;
    DayNumber date = kNoDate;
    DayNumber invoice_date = kNoDate;
    DayNumber due_date = kNoDate;
    Money amount;
    char account[4] = {' ', ' ', ' ', ' '};
  };
  // The fields of one record of the file.
  static Line LineOf(std::string_view record);
  void ReadAll();
  // Line `number` read alone; false when it could not be read.
  bool ReadOne(int number, Line* line);

  Ledger& ledger_;
  std::vector<Line> lines_;
  std::function<void()> on_change_;
  int whole_reads_ = 0;
};

struct LiveCharts {
  ReportPeriod balance_period;  // the last 90 days, today included
  ReportPeriod year_period;     // the accounting year from its start to today
  BankBalanceFigures balance;
  IncomeExpenseFigures year;
};

LiveCharts ComputeLiveCharts(const StatementBooks& books, DayNumber today);

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
