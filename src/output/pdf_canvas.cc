#include "output/pdf_canvas.h"

namespace zenkar {
namespace {

constexpr double kColumnInches = 0.1;
constexpr double kRowInches = 1.0 / 6;

TextAlign PdfAlign(ReportAlign align) {
  switch (align) {
    case ReportAlign::kRight:
      return TextAlign::kRight;
    case ReportAlign::kCenter:
      return TextAlign::kCenter;
    case ReportAlign::kLeft:
      break;
  }
  return TextAlign::kLeft;
}

}  // namespace

std::unique_ptr<PdfCanvas> PdfCanvas::Start(FileSystem& fs, Ui& ui, const Clock& clock,
                                            const PdfWriterOptions& options,
                                            const std::string& path) {
  std::unique_ptr<PdfCanvas> canvas(new PdfCanvas(fs, ui, clock, options));
  if (!canvas->writer_.DocStart(path, PageOrientation::kPortrait)) return nullptr;
  return canvas;
}

bool PdfCanvas::SetFont(const ReportFont& font) {
  return writer_.SetFontKey(PdfKeyOf(font), font.size);
}

void PdfCanvas::PlaceText(double row, double column, std::string_view text, ReportAlign align,
                          int /*field*/) {
  writer_.PlaceText(column * kColumnInches, row * kRowInches, text, PdfAlign(align));
}

void PdfCanvas::PlaceInvisibleText(double row, double column, std::string_view text,
                                   const ReportFont& font) {
  writer_.PlaceInvisibleText(column * kColumnInches, row * kRowInches, text, PdfKeyOf(font),
                             font.size);
}

void PdfCanvas::DrawLine(double row1, double column1, double row2, double column2) {
  writer_.DrawLine(column1 * kColumnInches, row1 * kRowInches, column2 * kColumnInches,
                   row2 * kRowInches);
}

void PdfCanvas::DrawDoubleLine(double row1, double column1, double row2, double column2) {
  writer_.DrawDoubleLine(column1 * kColumnInches, row1 * kRowInches, column2 * kColumnInches,
                         row2 * kRowInches);
}

}  // namespace zenkar
