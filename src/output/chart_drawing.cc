#include "output/chart_drawing.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "common/text_field.h"
#include "output/number_format.h"

namespace zenkar {
namespace {

constexpr ReportFont kLabelFont{FontFamily::kArial, 8, FontStyle::kRegular};
constexpr ReportFont kBoldLabelFont{FontFamily::kArial, 8, FontStyle::kBold};
constexpr CanvasColor kGridColor{200, 200, 200};
constexpr CanvasColor kWhite{255, 255, 255};
constexpr double kGridWidth = 0.5;
constexpr double kOutlineWidth = 0.5;
constexpr double kSeriesLineWidth = 1.5;
constexpr double kMarkSize = 4;  // points across a point's mark
// Below the plot: the first and second label lines, then the legend.
constexpr double kFirstLabelDrop = 11;
constexpr double kSecondLabelDrop = 21;
constexpr double kLegendDrop = 38;
constexpr double kSwatchWidth = 14;
constexpr double kSwatchHeight = 8;

void Text(ReportCanvas& canvas, double x, double y, std::string_view text, ReportAlign align) {
  canvas.PlaceText(y / kPointsPerRow, x / kPointsPerColumn, text, align, 1);
}

PathPaint Filled(CanvasColor color) {
  PathPaint paint;
  paint.fill_color = color;
  paint.stroke = true;
  paint.line_width = kOutlineWidth;
  return paint;
}

PathPaint Stroked(CanvasColor color, double width) {
  PathPaint paint;
  paint.fill = false;
  paint.stroke = true;
  paint.stroke_color = color;
  paint.line_width = width;
  return paint;
}

void DrawSegment(ReportCanvas& canvas, double x1, double y1, double x2, double y2,
                 const PathPaint& paint) {
  CanvasPath path;
  path.MoveTo(x1, y1);
  path.LineTo(x2, y2);
  canvas.DrawPath(path, paint);
}

// A bar from the zero line to `amount`, above it or below; none for zero.
void DrawBar(ReportCanvas& canvas, double x, double width, Money amount, const ValueAxis& axis,
             const ChartBox& box, CanvasColor color) {
  if (amount.RoundedToCents().IsZero()) return;
  const double zero = axis.Y(Money(), box);
  const double end = axis.Y(amount, box);
  CanvasPath path;
  path.AddRectangle(x, std::min(zero, end), width, std::abs(end - zero));
  canvas.DrawPath(path, Filled(color));
}

void DrawSquareMark(ReportCanvas& canvas, double x, double y, CanvasColor color) {
  CanvasPath path;
  path.AddRectangle(x - kMarkSize / 2, y - kMarkSize / 2, kMarkSize, kMarkSize);
  PathPaint paint;
  paint.fill_color = color;
  canvas.DrawPath(path, paint);
}

// A circle of four Bezier quarters, white inside a black ring.
void DrawRingMark(ReportCanvas& canvas, double x, double y) {
  constexpr double kRadius = 3.5;
  constexpr double kArc = 0.5523 * kRadius;  // control distance of a quarter circle
  CanvasPath path;
  path.MoveTo(x + kRadius, y);
  path.CurveTo(x + kRadius, y + kArc, x + kArc, y + kRadius, x, y + kRadius);
  path.CurveTo(x - kArc, y + kRadius, x - kRadius, y + kArc, x - kRadius, y);
  path.CurveTo(x - kRadius, y - kArc, x - kArc, y - kRadius, x, y - kRadius);
  path.CurveTo(x + kArc, y - kRadius, x + kRadius, y - kArc, x + kRadius, y);
  path.Close();
  PathPaint paint = Filled(kWhite);
  paint.line_width = 1.5;
  canvas.DrawPath(path, paint);
}

// The grid, the value labels at the left and the zero line.
void DrawValueAxis(ReportCanvas& canvas, const ValueAxis& axis, const ChartBox& box) {
  canvas.SetFont(kLabelFont);
  for (const Money tick : axis.Ticks()) {
    const double y = axis.Y(tick, box);
    DrawSegment(canvas, box.left, y, box.right, y, Stroked(kGridColor, kGridWidth));
    Text(canvas, box.left - 4, y + 3, FormatAmount(tick, kAmountThousands), ReportAlign::kRight);
  }
  const PathPaint axis_line = Stroked({}, kLineWidthPoints);
  DrawSegment(canvas, box.left, box.top, box.left, box.bottom, axis_line);
  const double zero = axis.Y(Money(), box);
  DrawSegment(canvas, box.left, zero, box.right, zero, axis_line);
}

struct LegendEntry {
  std::string name;
  CanvasColor color;
  bool line = false;  // a line with a mark, not a bar
};

// The legend centred under the plot.
void DrawLegend(ReportCanvas& canvas, const std::vector<LegendEntry>& entries,
                const ChartBox& box) {
  constexpr double kGap = 18;
  canvas.SetFont(kLabelFont);
  double width = 0;
  for (const LegendEntry& entry : entries) {
    width += kSwatchWidth + 4 + ReportTextWidth(kLabelFont, entry.name) + kGap;
  }
  double x = (box.left + box.right - (width - kGap)) / 2;
  const double y = box.bottom + kLegendDrop;
  for (const LegendEntry& entry : entries) {
    if (entry.line) {
      DrawSegment(canvas, x, y - 3, x + kSwatchWidth, y - 3,
                  Stroked(entry.color, kSeriesLineWidth));
      DrawSquareMark(canvas, x + kSwatchWidth / 2, y - 3, entry.color);
    } else {
      CanvasPath swatch;
      swatch.AddRectangle(x, y - kSwatchHeight, kSwatchWidth, kSwatchHeight);
      canvas.DrawPath(swatch, Filled(entry.color));
    }
    x += kSwatchWidth + 4;
    Text(canvas, x, y, entry.name, ReportAlign::kLeft);
    x += ReportTextWidth(kLabelFont, entry.name) + kGap;
  }
}

int64_t FloorTo(int64_t value, int64_t step) {
  const int64_t q = value / step;
  return (value % step != 0 && value < 0 ? q - 1 : q) * step;
}

int64_t CeilTo(int64_t value, int64_t step) { return -FloorTo(-value, step); }

// Room beyond the lowest and the highest value for the labels there: a
// share of the larger of the range and the largest value.
std::pair<Money, Money> WithRoom(Money low, Money high, double share) {
  const Money size = std::max({high - low, high, -low});
  const Money room = Money::FromRaw(static_cast<int64_t>(static_cast<double>(size.raw()) * share));
  return {low.IsNegative() ? low - room : low, high.IsNegative() ? high : high + room};
}

}  // namespace

double ValueAxis::Y(Money amount, const ChartBox& box) const {
  const double span = static_cast<double>(high_cents - low_cents);
  const double value = static_cast<double>(amount.raw()) / 100.0 - static_cast<double>(low_cents);
  return box.bottom - value / span * (box.bottom - box.top);
}

std::vector<Money> ValueAxis::Ticks() const {
  std::vector<Money> ticks;
  for (int64_t cents = low_cents; cents <= high_cents; cents += step_cents) {
    ticks.push_back(Money::FromCents(cents));
  }
  return ticks;
}

ValueAxis ValueAxisFor(Money low, Money high, int ticks) {
  int64_t low_cents = std::min<int64_t>(0, FloorTo(low.raw(), 100) / 100);
  int64_t high_cents = std::max<int64_t>(0, CeilTo(high.raw(), 100) / 100);
  if (low_cents == high_cents) high_cents = 10000;
  const double raw_step = static_cast<double>(high_cents - low_cents) / std::max(ticks, 1);
  const double magnitude = std::pow(10.0, std::floor(std::log10(raw_step)));
  double step = 10 * magnitude;
  for (const double factor : {1.0, 2.0, 2.5, 5.0}) {
    if (factor * magnitude >= raw_step) {
      step = factor * magnitude;
      break;
    }
  }
  ValueAxis axis;
  axis.step_cents = std::max<int64_t>(1, std::llround(step));
  axis.low_cents = FloorTo(low_cents, axis.step_cents);
  axis.high_cents = CeilTo(high_cents, axis.step_cents);
  return axis;
}

std::string LowestLabel(const DayBalance& day, const DatePatterns& dates) {
  return "Lowest: " + FormatAmount(day.balance, kAmountThousands) + " on " +
         FormatDate(day.day, dates.numeric);
}

std::string HighestLabel(const DayBalance& day, const DatePatterns& dates) {
  return "Highest: " + FormatAmount(day.balance, kAmountThousands) + " on " +
         FormatDate(day.day, dates.numeric);
}

std::string InvoiceCountText(int count) {
  return FormatCount(count) + (count == 1 ? " invoice" : " invoices");
}

void DrawIncomeExpenseChart(ReportCanvas& canvas, const IncomeExpenseFigures& figures,
                            const ChartBox& box) {
  Money low, high;
  for (const MonthFigures& month : figures.months) {
    if (!month.counted) continue;
    for (const Money value : {month.income, month.expenses, month.net()}) {
      low = std::min(low, value);
      high = std::max(high, value);
    }
  }
  const ValueAxis axis = ValueAxisFor(low, high);
  DrawValueAxis(canvas, axis, box);
  const double slot = (box.right - box.left) / 12;
  const double bar = slot * 0.36;
  CanvasPath net;
  std::vector<std::pair<double, double>> marks;
  for (int i = 0; i < 12; ++i) {
    const MonthFigures& month = figures.months[i];
    const double x = box.left + slot * i;
    const double middle = x + slot / 2;
    canvas.SetFont(kLabelFont);
    Text(canvas, middle, box.bottom + kFirstLabelDrop, kMonthNames[month.month - 1].substr(0, 3),
         ReportAlign::kCenter);
    if (i == 0 || month.month == 1) {
      Text(canvas, middle, box.bottom + kSecondLabelDrop, std::to_string(month.year),
           ReportAlign::kCenter);
    }
    if (!month.counted) continue;
    DrawBar(canvas, middle - bar, bar, month.income, axis, box, kIncomeColor);
    DrawBar(canvas, middle, bar, month.expenses, axis, box, kExpenseColor);
    const double y = axis.Y(month.net(), box);
    if (marks.empty()) {
      net.MoveTo(middle, y);
    } else {
      net.LineTo(middle, y);
    }
    marks.emplace_back(middle, y);
  }
  if (marks.size() > 1) canvas.DrawPath(net, Stroked(kNetColor, kSeriesLineWidth));
  for (const auto& [x, y] : marks) DrawSquareMark(canvas, x, y, kNetColor);
  DrawLegend(canvas,
             {{std::string(kIncomeName), kIncomeColor},
              {std::string(kExpensesName), kExpenseColor},
              {std::string(kNetProfitName), kNetColor, true}},
             box);
}

void DrawBankBalanceChart(ReportCanvas& canvas, const BankBalanceFigures& figures,
                          const ChartBox& box, const DatePatterns& dates) {
  const int count = static_cast<int>(figures.days.size());
  Money low, high;
  for (const DayBalance& day : figures.days) {
    low = std::min(low, day.balance);
    high = std::max(high, day.balance);
  }
  // Room above the highest point and below the lowest for their labels.
  const auto [room_low, room_high] = WithRoom(low, high, 0.12);
  const ValueAxis axis = ValueAxisFor(room_low, room_high);
  DrawValueAxis(canvas, axis, box);
  if (count == 0) return;
  const double width = box.right - box.left;
  auto x_of = [&](int i) {
    return count == 1 ? box.left + width / 2 : box.left + width * i / (count - 1);
  };
  CanvasPath line;
  if (count == 1) {
    const double y = axis.Y(figures.days[0].balance, box);
    line.MoveTo(box.left, y);
    line.LineTo(box.right, y);
  } else {
    for (int i = 0; i < count; ++i) {
      const double y = axis.Y(figures.days[i].balance, box);
      if (i == 0) {
        line.MoveTo(x_of(i), y);
      } else {
        line.LineTo(x_of(i), y);
      }
    }
  }
  canvas.DrawPath(line, Stroked(kBalanceColor, kSeriesLineWidth));

  // Dates under the plot: the first, the last and up to four between.
  canvas.SetFont(kLabelFont);
  constexpr int kDateLabels = 6;
  int previous = -1;
  for (int k = 0; k < kDateLabels; ++k) {
    const int i =
        count == 1 ? 0 : static_cast<int>(std::lround(1.0 * k * (count - 1) / (kDateLabels - 1)));
    if (i == previous) continue;
    previous = i;
    const double x = x_of(i);
    DrawSegment(canvas, x, box.bottom, x, box.bottom + 3, Stroked({}, kGridWidth));
    const ReportAlign align = k == 0                 ? ReportAlign::kLeft
                              : k == kDateLabels - 1 ? ReportAlign::kRight
                                                     : ReportAlign::kCenter;
    Text(canvas, k == 0 ? box.left : x, box.bottom + kFirstLabelDrop,
         FormatDate(figures.days[i].day, dates.numeric), align);
  }

  // The marks and their labels: the highest above its point, the lowest
  // below; a label near either side is aligned to keep inside the plot.
  canvas.SetFont(kBoldLabelFont);
  const auto label = [&](int i, const std::string& text, double drop) {
    const double x = x_of(i);
    const double y = axis.Y(figures.days[i].balance, box);
    DrawRingMark(canvas, x, y);
    const double half = ReportTextWidth(kBoldLabelFont, text) / 2;
    const double at = std::clamp(x, box.left + half + 2, box.right - half - 2);
    Text(canvas, at, std::clamp(y + drop, box.top + 10, box.bottom - 4), text,
         ReportAlign::kCenter);
  };
  label(figures.highest, HighestLabel(figures.days[figures.highest], dates), -7);
  label(figures.lowest, LowestLabel(figures.days[figures.lowest], dates), 14);
  DrawLegend(
      canvas,
      {{"Balance of Account " + std::string(Trim(figures.bank_account)), kBalanceColor, true}},
      box);
}

void DrawInvoiceAgeChart(ReportCanvas& canvas, const InvoiceAgeFigures& figures,
                         const ChartBox& box) {
  Money low, high;
  for (const AgeBucket& bucket : figures.buckets) {
    low = std::min(low, bucket.total);
    high = std::max(high, bucket.total);
  }
  // Room for the two label lines beyond each bar.
  const auto [room_low, room_high] = WithRoom(low, high, 0.15);
  const ValueAxis axis = ValueAxisFor(room_low, room_high);
  DrawValueAxis(canvas, axis, box);
  const double slot = (box.right - box.left) / figures.buckets.size();
  const double bar = slot * 0.55;
  for (size_t i = 0; i < figures.buckets.size(); ++i) {
    const AgeBucket& bucket = figures.buckets[i];
    const double middle = box.left + slot * (i + 0.5);
    DrawBar(canvas, middle - bar / 2, bar, bucket.total, axis, box, kAgeColors[i]);
    const double end = axis.Y(bucket.total, box);
    const bool below = bucket.total.IsNegative();
    canvas.SetFont(kBoldLabelFont);
    Text(canvas, middle, below ? end + 10 : end - 13, FormatAmount(bucket.total, kAmountThousands),
         ReportAlign::kCenter);
    canvas.SetFont(kLabelFont);
    Text(canvas, middle, below ? end + 19 : end - 4, InvoiceCountText(bucket.count),
         ReportAlign::kCenter);
    Text(canvas, middle, box.bottom + kFirstLabelDrop, kInvoiceAgeLabels[i], ReportAlign::kCenter);
  }
}

void DrawEmptyChart(ReportCanvas& canvas, const ChartBox& box, std::string_view note) {
  DrawValueAxis(canvas, ValueAxisFor(Money(), Money()), box);
  canvas.SetFont(kBoldLabelFont);
  Text(canvas, (box.left + box.right) / 2, (box.top + box.bottom) / 2, note, ReportAlign::kCenter);
}

}  // namespace zenkar
