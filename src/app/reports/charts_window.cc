#include "app/reports/charts_window.h"

#include <QPainter>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "platform/painter_canvas.h"
#include "platform/text_conversion.h"

namespace zenkar {
namespace {

// A painter canvas on a widget, its points scaled by the painter so that
// the sheet fits the widget; fonts are sized in those points.
class WidgetCanvas : public PainterCanvas {
 public:
  WidgetCanvas(QWidget* widget, double scale, QPointF origin) {
    painter().begin(widget);
    painter().setRenderHint(QPainter::Antialiasing);
    painter().setRenderHint(QPainter::TextAntialiasing);
    painter().translate(origin);
    painter().scale(scale, scale);
  }

 protected:
  std::optional<QFont> DeviceFont(const ReportFont& font) override {
    QFont qt_font = QtReportFont(font, nullptr);
    qt_font.setPixelSize(std::max(1, static_cast<int>(std::lround(font.size))));
    return qt_font;
  }
};

}  // namespace

ChartsView::ChartsView(const LiveCharts& charts, const DatePatterns& dates, QWidget* parent)
    : QWidget(parent), charts_(charts), dates_(dates) {
  setMinimumSize(static_cast<int>(kLiveChartsWidth * 0.8),
                 static_cast<int>(kLiveChartsHeight * 0.8));
  setAutoFillBackground(true);
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, Qt::white);
  setPalette(palette);
}

void ChartsView::paintEvent(QPaintEvent*) {
  const double scale = std::min(width() / kLiveChartsWidth, height() / kLiveChartsHeight);
  const QPointF origin((width() - kLiveChartsWidth * scale) / 2,
                       (height() - kLiveChartsHeight * scale) / 2);
  WidgetCanvas canvas(this, scale, origin);
  DrawLiveCharts(canvas, charts_, dates_);
}

ChartsWindow::ChartsWindow(Program& program, QWidget* parent)
    : QDialog(parent), watch_(program.ledger()) {
  setWindowTitle(FromCp1252(kViewChartsTitle));
  setObjectName("ViewCharts");
  view_ = new ChartsView(watch_.charts(), program.date_patterns(), this);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(view_);
  watch_.set_on_change([this] { view_->update(); });
}

}  // namespace zenkar
