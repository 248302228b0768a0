// The drawing of the three charts on a report canvas, from their figures
// (chart_figures.h): filled rectangles for bars, polylines for lines, texts
// for labels, all through ReportCanvas::DrawPath and PlaceText, so the PDF,
// the printer and any other canvas draw the same picture.
//
// Every series has a colour of its own whose grey differs clearly from the
// others' (and every bar a thin black outline), so a chart printed on a
// black-and-white printer still tells them apart. Amounts on the value axis
// and on the labels are in the statements' number style ("#,##0.00;
// (#,##0.00)"); negative values are drawn below the zero line.
#ifndef ZENKAR_OUTPUT_CHART_DRAWING_H_
#define ZENKAR_OUTPUT_CHART_DRAWING_H_

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/date_patterns.h"
#include "common/money.h"
#include "output/chart_figures.h"
#include "output/report_canvas.h"

namespace zenkar {

// The plot area of a chart, in points from the sheet's top-left corner; its
// labels go outside it (the value axis's to the left, the others below).
struct ChartBox {
  double left = 0;
  double top = 0;
  double right = 0;
  double bottom = 0;
};

// The value axis: from `low` to `high` in `step`s, all whole cents, with
// zero always on it. The step is 1, 2, 2.5 or 5 times a power of ten.
struct ValueAxis {
  int64_t low_cents = 0;
  int64_t high_cents = 0;
  int64_t step_cents = 1;
  // The height of `amount` in `box`.
  double Y(Money amount, const ChartBox& box) const;
  // The amounts of the ticks, from low to high.
  std::vector<Money> Ticks() const;
};
// The axis for values from `low` to `high`, with at most about `ticks`
// steps; all zero gives 0 to 100.00.
ValueAxis ValueAxisFor(Money low, Money high, int ticks = 6);

// The colours of the series (fill colours of the bars, the stroke of lines).
inline constexpr CanvasColor kIncomeColor{46, 104, 170};
inline constexpr CanvasColor kExpenseColor{235, 160, 80};
inline constexpr CanvasColor kNetColor{0, 0, 0};
inline constexpr CanvasColor kBalanceColor{46, 104, 170};
// The ages' bars, lighter to darker with age.
inline constexpr std::array<CanvasColor, 5> kAgeColors = {
    {{200, 225, 240}, {225, 170, 80}, {220, 120, 60}, {190, 70, 50}, {120, 30, 30}}};

// The legend's names of the series.
inline constexpr std::string_view kIncomeName = "Income";
inline constexpr std::string_view kExpensesName = "Expenses";
inline constexpr std::string_view kNetProfitName = "Net Profit";

// The labels of the bank balance's lowest and highest points.
std::string LowestLabel(const DayBalance& day, const DatePatterns& dates);
std::string HighestLabel(const DayBalance& day, const DatePatterns& dates);
// "1 invoice", "3 invoices".
std::string InvoiceCountText(int count);

// Income and expense bars side by side for each counted month, the net
// profit as a line with a mark on each month, the months and years below,
// and the legend under them.
void DrawIncomeExpenseChart(ReportCanvas& canvas, const IncomeExpenseFigures& figures,
                            const ChartBox& box);
// The daily balance as a line, its lowest and highest points marked and
// labelled, dates below.
void DrawBankBalanceChart(ReportCanvas& canvas, const BankBalanceFigures& figures,
                          const ChartBox& box, const DatePatterns& dates);
// One bar per age, each labelled with its amount and its count.
void DrawInvoiceAgeChart(ReportCanvas& canvas, const InvoiceAgeFigures& figures,
                         const ChartBox& box);

// The value axis of a chart without figures (0 to 100.00) and `note`
// centred in the plot.
void DrawEmptyChart(ReportCanvas& canvas, const ChartBox& box, std::string_view note);

}  // namespace zenkar

#endif  // ZENKAR_OUTPUT_CHART_DRAWING_H_
