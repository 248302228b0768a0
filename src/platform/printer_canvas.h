// PrinterCanvas: the report canvas of the printer, on QPrinter and QPainter.
//
// It follows the canvas contract of output/report_canvas.h to the letter, so
// that the print equals the PDF preview: it draws as every PainterCanvas does
// (painter_canvas.h) in full-page coordinates from the sheet's top-left
// corner, fonts are asked for as "Arial" and "Courier New" (fontconfig gives
// Liberation Sans and Mono, whose widths are the same), invisible text is
// left out (paper has nothing to search), and the "Additional Top Margin"
// moves everything down.
//
// The sheet is drawn into a PDF file through QPrinter's PDF output; the
// printer jobs hand that file to CUPS, which is how Qt's own CUPS printing
// works too. Destroying the canvas before Finish() removes the file.
#ifndef ZENKAR_PLATFORM_PRINTER_CANVAS_H_
#define ZENKAR_PLATFORM_PRINTER_CANVAS_H_

#include <QPrinter>
#include <QString>
#include <memory>

#include "output/printer_jobs.h"
#include "platform/painter_canvas.h"

namespace zenkar {

class PrinterCanvas : public PainterCanvas {
 public:
  // Starts the sheet file `path`; nothing when it cannot be written.
  static std::unique_ptr<PrinterCanvas> Start(const QString& path, const SpoolSetup& setup);
  ~PrinterCanvas() override;

  double paper_length_factor() const override;
  int additional_top_margin_half_lines() const override {
    return setup_.additional_top_margin_half_lines;
  }
  void NewPage() override;
  bool Finish() override;

 protected:
  std::optional<QFont> DeviceFont(const ReportFont& font) override;

 private:
  PrinterCanvas(const QString& path, const SpoolSetup& setup);

  QString path_;
  SpoolSetup setup_;
  QPrinter printer_;
  bool finished_ = false;
};

}  // namespace zenkar

#endif  // ZENKAR_PLATFORM_PRINTER_CANVAS_H_
