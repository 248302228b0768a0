#include "platform/printer_canvas.h"

#include <QFile>
#include <QPageLayout>
#include <QPageSize>

namespace zenkar {
namespace {

// Half a line of the "Additional Top Margin": 1/12 inch.
constexpr double kHalfLinePoints = kPointsPerRow / 2;
// The device resolution: a hundred pixels to the point. Qt sizes a font in
// whole pixels, so at 1200 dots per inch a 10-point font would come out
// 0.2 % too wide; here every size in hundredths of a point is exact.
constexpr int kDotsPerInch = 7200;

}  // namespace

std::unique_ptr<PrinterCanvas> PrinterCanvas::Start(const QString& path, const SpoolSetup& setup) {
  std::unique_ptr<PrinterCanvas> canvas(new PrinterCanvas(path, setup));
  if (!canvas->painter().begin(&canvas->printer_)) {
    canvas->finished_ = true;  // nothing was started, nothing to remove
    return nullptr;
  }
  canvas->SetGeometry(canvas->printer_.resolution() / 72.0,
                      setup.additional_top_margin_half_lines * kHalfLinePoints);
  canvas->SetFont(setup.initial_font);
  return canvas;
}

PrinterCanvas::PrinterCanvas(const QString& path, const SpoolSetup& setup)
    : path_(path), setup_(setup) {
  printer_.setOutputFormat(QPrinter::PdfFormat);
  printer_.setResolution(kDotsPerInch);
  printer_.setOutputFileName(path);
  printer_.setFullPage(true);
  const QPageSize sheet(QSizeF(setup.sheet.width, setup.sheet.height), QPageSize::Point, QString(),
                        QPageSize::FuzzyMatch);
  printer_.setPageLayout(QPageLayout(sheet, QPageLayout::Portrait, QMarginsF()));
}

PrinterCanvas::~PrinterCanvas() {
  if (finished_) return;
  painter().end();
  QFile::remove(path_);
}

double PrinterCanvas::paper_length_factor() const {
  return setup_.sheet.height / kSheetHeightPoints;
}

void PrinterCanvas::NewPage() {
  PainterCanvas::NewPage();
  printer_.newPage();
}

std::optional<QFont> PrinterCanvas::DeviceFont(const ReportFont& font) {
  if (!ReportFontInstalled(font.family)) return std::nullopt;
  return QtReportFont(font, &printer_);
}

bool PrinterCanvas::Finish() {
  if (finished_) return false;
  finished_ = true;
  return painter().end() && printer_.printerState() != QPrinter::Error;
}

}  // namespace zenkar
