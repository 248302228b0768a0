// PainterCanvas: the report canvas on a QPainter, shared by the printer
// (printer_canvas.h) and the windows that draw reports' pictures on screen.
//
// It follows the canvas contract of output/report_canvas.h: points from the
// sheet's top-left corner (moved down by a top offset, the printer's
// "Additional Top Margin"), a column 7.2 points and a row 12, a text's y its
// baseline and its alignment by ReportTextWidth (never the device's own
// measurement), lines 1 point wide with butt ends, a double line's second
// stroke 2 points further on, paths as QPainterPaths, images drawn into their
// boxes, invisible text left out. A subclass gives the device, its pixels to
// the point and its fonts.
#ifndef ZENKAR_PLATFORM_PAINTER_CANVAS_H_
#define ZENKAR_PLATFORM_PAINTER_CANVAS_H_

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "output/report_canvas.h"

namespace zenkar {

class PainterCanvas : public ReportCanvas {
 public:
  bool SetFont(const ReportFont& font) override;
  void PlaceText(double row, double column, std::string_view text, ReportAlign align,
                 int field) override;
  void DrawLine(double row1, double column1, double row2, double column2) override;
  void DrawDoubleLine(double row1, double column1, double row2, double column2) override;
  void ShadeBand(double row1, double column1, double row2, double column2) override;
  void DrawPath(const CanvasPath& path, const PathPaint& paint) override;
  void BeginClip(const CanvasPath& path, FillRule rule) override;
  void EndClip() override;
  void DrawImage(const std::shared_ptr<const BmpImage>& image, double x, double y, double width,
                 double height) override;
  void EndLine() override {}
  // Ends the clips still open; a subclass with sheets starts the next one.
  void NewPage() override;
  bool Finish() override { return true; }

 protected:
  QPainter& painter() { return painter_; }
  // Device pixels to a point, and how far everything moves down.
  void SetGeometry(double pixels_per_point, double top_offset_points);
  // The device's font standing for `font`, or nothing when it has none.
  virtual std::optional<QFont> DeviceFont(const ReportFont& font) = 0;

 private:
  // A point in report units as device pixels.
  QPointF DevicePoint(double row, double column) const;
  // A point in points from the sheet's top-left corner as device pixels.
  QPointF DevicePointOf(CanvasPoint point) const;
  QPainterPath DevicePath(const CanvasPath& path, FillRule rule) const;
  const QImage& QtImageOf(const std::shared_ptr<const BmpImage>& image);
  void Stroke(QPointF from, QPointF to);

  QPainter painter_;
  double pixels_per_point_ = 1;
  double top_offset_points_ = 0;
  ReportFont font_;
  int open_clips_ = 0;
  // Each bitmap converted once, kept with the image it came from.
  std::vector<std::pair<std::shared_ptr<const BmpImage>, QImage>> images_;
};

// The bitmap as a QImage, top row first.
QImage QImageOf(const BmpImage& image);

// The QFont that stands for `font` on `device`: the family by its report
// name, the size in points, no kerning or hinting, so that glyphs advance by
// the font's own widths as the PDF preview declares them.
QFont QtReportFont(const ReportFont& font, QPaintDevice* device);
// True when the fonts installed give `family` itself or its metric twin.
bool ReportFontInstalled(FontFamily family);

}  // namespace zenkar

#endif  // ZENKAR_PLATFORM_PAINTER_CANVAS_H_
