#include "platform/painter_canvas.h"

#include <QFontInfo>
#include <QPen>
#include <cmath>

#include "output/printing_options.h"
#include "platform/text_conversion.h"

namespace zenkar {

QFont QtReportFont(const ReportFont& font, QPaintDevice* device) {
  QFont qt_font(QString::fromLatin1(FontFamilyName(font.family)));
  qt_font.setPointSizeF(font.size);
  qt_font.setBold(font.style == FontStyle::kBold || font.style == FontStyle::kBoldItalic);
  qt_font.setItalic(font.style == FontStyle::kItalic || font.style == FontStyle::kBoldItalic);
  // Kerning, shaping and hinting would move glyphs off the widths the
  // preview declares; a missing glyph must not come from another family.
  qt_font.setKerning(false);
  qt_font.setHintingPreference(QFont::PreferNoHinting);
  qt_font.setStyleStrategy(
      QFont::StyleStrategy(QFont::PreferNoShaping | QFont::NoFontMerging | QFont::PreferOutline));
  return device == nullptr ? qt_font : QFont(qt_font, device);
}

bool ReportFontInstalled(FontFamily family) {
  const QFontInfo info(QtReportFont({family, 10, FontStyle::kRegular}, nullptr));
  return IsReportFontTwin(FontFamilyName(family), ToCp1252(info.family()));
}

void PainterCanvas::SetGeometry(double pixels_per_point, double top_offset_points) {
  pixels_per_point_ = pixels_per_point;
  top_offset_points_ = top_offset_points;
}

QPointF PainterCanvas::DevicePoint(double row, double column) const {
  const double x = column * kPointsPerColumn;
  const double y = row * kPointsPerRow + top_offset_points_;
  return QPointF(x * pixels_per_point_, y * pixels_per_point_);
}

bool PainterCanvas::SetFont(const ReportFont& font) {
  const std::optional<QFont> device_font = DeviceFont(font);
  if (!device_font) return false;
  painter_.setFont(*device_font);
  font_ = font;
  return true;
}

void PainterCanvas::PlaceText(double row, double column, std::string_view text, ReportAlign align,
                              int /*field*/) {
  QPointF at = DevicePoint(row, column);
  const double width = ReportTextWidth(font_, text) * pixels_per_point_;
  if (align == ReportAlign::kRight) at.rx() -= width;
  if (align == ReportAlign::kCenter) at.rx() -= width / 2;
  painter_.drawText(at, FromCp1252(text));
}

void PainterCanvas::Stroke(QPointF from, QPointF to) {
  painter_.setPen(QPen(Qt::black, kLineWidthPoints * pixels_per_point_, Qt::SolidLine, Qt::FlatCap,
                       Qt::MiterJoin));
  painter_.drawLine(from, to);
}

void PainterCanvas::DrawLine(double row1, double column1, double row2, double column2) {
  Stroke(DevicePoint(row1, column1), DevicePoint(row2, column2));
}

void PainterCanvas::DrawDoubleLine(double row1, double column1, double row2, double column2) {
  const QPointF from = DevicePoint(row1, column1);
  const QPointF to = DevicePoint(row2, column2);
  Stroke(from, to);
  const bool vertical = std::abs(to.y() - from.y()) > std::abs(to.x() - from.x());
  const double gap = kDoubleLineGapPoints * pixels_per_point_;
  const QPointF step = vertical ? QPointF(gap, 0) : QPointF(0, gap);
  Stroke(from + step, to + step);
}

void PainterCanvas::ShadeBand(double row1, double column1, double row2, double column2) {
  painter_.fillRect(QRectF(DevicePoint(row1, column1), DevicePoint(row2, column2)),
                    QColor(kShadeGray, kShadeGray, kShadeGray));
}

QPointF PainterCanvas::DevicePointOf(CanvasPoint point) const {
  return DevicePoint(point.y / kPointsPerRow, point.x / kPointsPerColumn);
}

QPainterPath PainterCanvas::DevicePath(const CanvasPath& path, FillRule rule) const {
  QPainterPath device;
  device.setFillRule(rule == FillRule::kEvenOdd ? Qt::OddEvenFill : Qt::WindingFill);
  for (const CanvasPath::Segment& segment : path.segments()) {
    switch (segment.op) {
      case CanvasPath::Op::kMove:
        device.moveTo(DevicePointOf(segment.points[0]));
        break;
      case CanvasPath::Op::kLine:
        device.lineTo(DevicePointOf(segment.points[0]));
        break;
      case CanvasPath::Op::kCurve:
        device.cubicTo(DevicePointOf(segment.points[0]), DevicePointOf(segment.points[1]),
                       DevicePointOf(segment.points[2]));
        break;
      case CanvasPath::Op::kClose:
        device.closeSubpath();
        break;
      case CanvasPath::Op::kRectangle: {
        const CanvasPoint corner = segment.points[0];
        const CanvasPoint size = segment.points[1];
        device.addRect(
            QRectF(DevicePointOf(corner), DevicePointOf({corner.x + size.x, corner.y + size.y})));
        break;
      }
    }
  }
  return device;
}

void PainterCanvas::DrawPath(const CanvasPath& path, const PathPaint& paint) {
  const QPainterPath device = DevicePath(path, paint.fill_rule);
  auto qt_color = [](CanvasColor color) { return QColor(color.red, color.green, color.blue); };
  if (paint.fill) painter_.fillPath(device, qt_color(paint.fill_color));
  if (paint.stroke) {
    painter_.strokePath(device,
                        QPen(qt_color(paint.stroke_color), paint.line_width * pixels_per_point_,
                             Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
  }
}

void PainterCanvas::BeginClip(const CanvasPath& path, FillRule rule) {
  painter_.save();
  ++open_clips_;
  painter_.setClipPath(DevicePath(path, rule), Qt::IntersectClip);
}

void PainterCanvas::EndClip() {
  if (open_clips_ == 0) return;
  --open_clips_;
  painter_.restore();
  // A font chosen inside the clip stays chosen.
  if (const std::optional<QFont> device_font = DeviceFont(font_)) painter_.setFont(*device_font);
}

QImage QImageOf(const BmpImage& image) {
  QImage qt_image(image.width, image.height, QImage::Format_RGB32);
  const auto byte = [&image](size_t at) { return static_cast<unsigned char>(image.pixels[at]); };
  const auto palette = [&image](size_t index) {
    const auto entry = [&](size_t at) { return static_cast<unsigned char>(image.palette[at]); };
    return qRgb(entry(3 * index), entry(3 * index + 1), entry(3 * index + 2));
  };
  const int bits = image.bits_per_pixel;
  for (int row = 0; row < image.height; ++row) {
    // The pixels hold the bottom row first.
    const size_t start = static_cast<size_t>(image.height - 1 - row) * image.RowBytes();
    auto* line = reinterpret_cast<QRgb*>(qt_image.scanLine(row));
    for (int x = 0; x < image.width; ++x) {
      if (!image.indexed()) {
        const size_t at = start + 3 * static_cast<size_t>(x);
        line[x] = qRgb(byte(at), byte(at + 1), byte(at + 2));
        continue;
      }
      const size_t bit = static_cast<size_t>(x) * bits;
      const int shift = 8 - bits - static_cast<int>(bit % 8);
      const size_t index = (byte(start + bit / 8) >> shift) & ((1u << bits) - 1);
      line[x] = palette(index);
    }
  }
  return qt_image;
}

const QImage& PainterCanvas::QtImageOf(const std::shared_ptr<const BmpImage>& image) {
  for (const auto& [source, converted] : images_) {
    if (source == image) return converted;
  }
  images_.emplace_back(image, QImageOf(*image));
  return images_.back().second;
}

void PainterCanvas::DrawImage(const std::shared_ptr<const BmpImage>& image, double x, double y,
                              double width, double height) {
  if (image == nullptr) return;
  const QPointF top_left = DevicePointOf({x, y});
  const QPointF bottom_right = DevicePointOf({x + width, y + height});
  painter_.drawImage(QRectF(top_left, bottom_right), QtImageOf(image));
}

void PainterCanvas::NewPage() {
  while (open_clips_ > 0) EndClip();
}

}  // namespace zenkar
