#include "platform/font_scaled_style.h"

#include <QApplication>
#include <QFontMetrics>
#include <QStyleOption>
#include <QWidget>
#include <algorithm>

namespace zenkar {
namespace {

bool IsIndicatorSide(QStyle::PixelMetric metric) {
  switch (metric) {
    case QStyle::PM_IndicatorWidth:
    case QStyle::PM_IndicatorHeight:
    case QStyle::PM_ExclusiveIndicatorWidth:
    case QStyle::PM_ExclusiveIndicatorHeight:
      return true;
    default:
      return false;
  }
}

// The height of capital letters and descenders in the font the indicator
// stands beside: a box of this size reads as part of its caption.
int TextSide(const QStyleOption* option, const QWidget* widget) {
  if (option != nullptr) return option->fontMetrics.ascent();
  if (widget != nullptr) return widget->fontMetrics().ascent();
  return QFontMetrics(QApplication::font()).ascent();
}

}  // namespace

int FontScaledStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                                 const QWidget* widget) const {
  const int stock = QProxyStyle::pixelMetric(metric, option, widget);
  if (!IsIndicatorSide(metric)) return stock;
  return std::max(stock, TextSide(option, widget));
}

}  // namespace zenkar
