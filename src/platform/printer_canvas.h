// PrinterCanvas: the report canvas of the printer, on QPrinter and QPainter.
//
// It follows the canvas contract of output/report_canvas.h to the letter, so
// that the print equals the PDF preview: it draws in full-page coordinates
// from the sheet's top-left corner, a column is 7.2 points and a row 12, a
// text's y is its baseline and its alignment uses ReportTextWidth (never the
// device's own measurement), fonts are asked for as "Arial" and "Courier New"
// (fontconfig gives Liberation Sans and Mono, whose widths are the same),
// lines are 1 point wide with butt ends and a double line's second stroke is
// 2 points further on. Paths are QPainterPaths in the same full-page points,
// images are drawn into their boxes, and invisible text is left out (paper
// has nothing to search). The "Additional Top Margin" moves everything down.
//
// The sheet is drawn into a PDF file through QPrinter's PDF output; the
// printer jobs hand that file to CUPS, which is how Qt's own CUPS printing
// works too. Destroying the canvas before Finish() removes the file.
#ifndef ZENKAR_PLATFORM_PRINTER_CANVAS_H_
#define ZENKAR_PLATFORM_PRINTER_CANVAS_H_

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPrinter>
#include <QString>
#include <memory>
#include <utility>
#include <vector>

#include "output/printer_jobs.h"
#include "output/report_canvas.h"

namespace zenkar {

class PrinterCanvas : public ReportCanvas {
 public:
  // Starts the sheet file `path`; nothing when it cannot be written.
  static std::unique_ptr<PrinterCanvas> Start(const QString& path, const SpoolSetup& setup);
  ~PrinterCanvas() override;

  double paper_length_factor() const override;
  int additional_top_margin_half_lines() const override {
    return setup_.additional_top_margin_half_lines;
  }
  bool SetFont(const ReportFont& font) override;
  void PlaceText(double row, double column, std::string_view text, ReportAlign align,
                 int field) override;
  void DrawLine(double row1, double column1, double row2, double column2) override;
  void DrawDoubleLine(double row1, double column1, double row2, double column2) override;
  void DrawPath(const CanvasPath& path, const PathPaint& paint) override;
  void BeginClip(const CanvasPath& path, FillRule rule) override;
  void EndClip() override;
  void DrawImage(const std::shared_ptr<const BmpImage>& image, double x, double y, double width,
                 double height) override;
  void EndLine() override {}
  void NewPage() override;
  bool Finish() override;

 private:
  PrinterCanvas(const QString& path, const SpoolSetup& setup);
  // A point in report units as device pixels.
  QPointF DevicePoint(double row, double column) const;
  // A point in points from the sheet's top-left corner as device pixels.
  QPointF DevicePointOf(CanvasPoint point) const;
  QPainterPath DevicePath(const CanvasPath& path, FillRule rule) const;
  const QImage& QtImageOf(const std::shared_ptr<const BmpImage>& image);
  void Stroke(QPointF from, QPointF to);

  QString path_;
  SpoolSetup setup_;
  QPrinter printer_;
  QPainter painter_;
  double pixels_per_point_ = 1;
  ReportFont font_;
  int open_clips_ = 0;
  // Each bitmap converted once, kept with the image it came from.
  std::vector<std::pair<std::shared_ptr<const BmpImage>, QImage>> images_;
  bool finished_ = false;
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

#endif  // ZENKAR_PLATFORM_PRINTER_CANVAS_H_
