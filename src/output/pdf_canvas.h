// PdfCanvas: the report canvas of the Pdf and PdfMail targets.
//
// It writes through PdfWriter, whose positions are inches from the sheet's
// left and top edges: column c becomes c / 10 inch and row r becomes r / 6
// inch, exactly the contract of report_canvas.h.
#ifndef ZENKAR_OUTPUT_PDF_CANVAS_H_
#define ZENKAR_OUTPUT_PDF_CANVAS_H_

#include <memory>
#include <string>

#include "output/pdf_writer.h"
#include "output/report_canvas.h"

namespace zenkar {

class PdfCanvas : public ReportCanvas {
 public:
  // Starts the document `path` (".pdf" appended unless present); nothing when
  // it could not be started (PdfWriter has said why).
  static std::unique_ptr<PdfCanvas> Start(FileSystem& fs, Ui& ui, const Clock& clock,
                                          const PdfWriterOptions& options, const std::string& path);

  bool SetFont(const ReportFont& font) override;
  void PlaceText(double row, double column, std::string_view text, ReportAlign align,
                 int field) override;
  void DrawLine(double row1, double column1, double row2, double column2) override;
  void DrawDoubleLine(double row1, double column1, double row2, double column2) override;
  void DrawPath(const CanvasPath& path, const PathPaint& paint) override {
    writer_.DrawPath(path, paint);
  }
  void BeginClip(const CanvasPath& path, FillRule rule) override { writer_.BeginClip(path, rule); }
  void EndClip() override { writer_.EndClip(); }
  void DrawImage(const std::shared_ptr<const BmpImage>& image, double x, double y, double width,
                 double height) override {
    writer_.DrawImage(image, x, y, width, height);
  }
  void PlaceInvisibleText(double row, double column, std::string_view text,
                          const ReportFont& font) override;
  void EndLine() override {}
  void NewPage() override { writer_.NewPage(); }
  bool Finish() override { return writer_.DocEnd(); }

  // The finished document's name, ".pdf" included.
  const std::string& file_name() const { return writer_.file_name(); }
  int page_count() const { return writer_.page_count(); }

 private:
  PdfCanvas(FileSystem& fs, Ui& ui, const Clock& clock, const PdfWriterOptions& options)
      : writer_(fs, ui, clock, options) {}

  PdfWriter writer_;
};

}  // namespace zenkar

#endif  // ZENKAR_OUTPUT_PDF_CANVAS_H_
