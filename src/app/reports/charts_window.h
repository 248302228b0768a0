// The "View Charts" window of the Reports tab: the bank balance of the last
// 90 days and the income and expenses of the accounting year to date, drawn
// by the charts' own code (app_rules/reports/live_charts.h) on a widget
// through the same painter canvas the printer uses. The window stays open
// beside the main window and is redrawn after every saved entry from the
// books' figures by period, without reading the transaction file again.
#ifndef ZENKAR_APP_REPORTS_CHARTS_WINDOW_H_
#define ZENKAR_APP_REPORTS_CHARTS_WINDOW_H_

#include <QDialog>
#include <QWidget>

#include "app_rules/reports/live_charts.h"
#include "app_rules/window/program.h"

namespace zenkar {

inline constexpr std::string_view kViewChartsTitle = "View Charts";

// The widget the charts are drawn on, scaled to fit it.
class ChartsView : public QWidget {
  Q_OBJECT

 public:
  ChartsView(const LiveCharts& charts, const DatePatterns& dates, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const LiveCharts& charts_;
  const DatePatterns& dates_;
};

class ChartsWindow : public QDialog {
  Q_OBJECT

 public:
  ChartsWindow(Program& program, QWidget* parent);

  LiveChartsWatch& watch() { return watch_; }
  ChartsView* view() const { return view_; }

 private:
  LiveChartsWatch watch_;
  ChartsView* view_ = nullptr;
};

}  // namespace zenkar

#endif  // ZENKAR_APP_REPORTS_CHARTS_WINDOW_H_
