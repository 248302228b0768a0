// ReportCanvas: the surface every report, check and list is written on.
//
// A report body is written once, in report units, and lands on whichever
// canvas the print job opened: the PDF canvas (pdf_canvas.h), the CSV writer
// of the Text target (csv_writer.h) or the printer canvas that the desktop
// program supplies (src/platform). The preview must equal the print, so every
// positioned canvas follows the contract below to the letter.
//
// Report units and the page
//   - The sheet is US letter, portrait: 8.5 x 11 inches, 612 x 792 points.
//   - The origin is the top-left corner of the sheet itself (not of a
//     printable area): the report keeps its own margins through the rows and
//     columns it uses. A printer canvas therefore draws in full-page
//     coordinates (QPrinter::setFullPage(true)) and subtracts nothing.
//   - A column is 1/10 inch (7.2 points) from the left edge: column c is at
//     x = 7.2 c points. A row is 1/6 inch (12 points, six lines per inch) from
//     the top edge: row r is at y = 12 r points. Both may be fractional.
//   - A printer may add the "Additional Top Margin" chosen in its options
//     dialog (half lines of 1/12 inch): it then moves everything down by that
//     much and reports it through additional_top_margin_half_lines(), so that
//     a report can fit fewer lines on the page.
//
// Text
//   - `y` is the baseline of the text.
//   - kLeft: the text starts at x. kRight: it ends at x. kCenter: its middle is
//     at x. The width used for that is ReportTextWidth() below: the advance
//     widths of the declared Arial and Courier New metrics (the same tables
//     the PDF declares, and the metrics of Liberation Sans and Liberation Mono
//     as well), never the device's own measurement, so that right-aligned
//     amounts end at the same point on paper as on screen.
//   - Texts are Windows-1252; a canvas that needs Unicode converts them
//     (Cp1252ToUtf8). Colour black.
//   - Fonts: the two families "Arial" and "Courier New" in four styles, sizes
//     in points (1/72 inch), not in device pixels.
//
// Lines
//   - Straight lines between two points in report units, stroked 1 point
//     wide, butt ends, black: the PDF defaults.
//   - A double line is two such lines, the second 2 points below the first
//     (to the right of it, for a vertical line).
//
// Paths, clips and images
//   - DrawPath fills and/or strokes a CanvasPath (canvas_path.h) whose points
//     are in points from the sheet's top-left corner, y downward (x = 7.2 c,
//     y = 12 r in report units), with the colours, fill rule and line width
//     of its PathPaint; strokes have butt ends and mitred joins.
//   - BeginClip limits everything drawn until the matching EndClip to the
//     inside of a path; clips nest, and those still open end with the page.
//   - DrawImage draws a bitmap stretched into a box given in points (top-left
//     corner, width, height), its top row at the top. A document that draws
//     the same image object many times holds its pixels once.
//
// Invisible text
//   - PlaceInvisibleText places text in a font of its own (the current font
//     stays) that is not seen on the page but that a PDF viewer can search
//     and copy (PDF text render mode 3); the MICR line lays its characters
//     under the drawn symbols so. A printer has nothing to show for it.
//
// The CSV writer ignores positions, fonts, lines, paths and images: it takes
// the texts as fields of the current line (`field`, counted from 1) and ends
// the line at EndLine(). Positioned canvases ignore `field` and EndLine().
#ifndef ZENKAR_OUTPUT_REPORT_CANVAS_H_
#define ZENKAR_OUTPUT_REPORT_CANVAS_H_

#include <memory>
#include <string_view>
#include <utility>

#include "output/bmp_image.h"
#include "output/canvas_path.h"

namespace zenkar {

inline constexpr double kPointsPerColumn = 7.2;
inline constexpr double kPointsPerRow = 12;
inline constexpr double kSheetWidthPoints = 612;
inline constexpr double kSheetHeightPoints = 792;
// Space between the two strokes of a double line.
inline constexpr double kDoubleLineGapPoints = 2;
inline constexpr double kLineWidthPoints = 1;

enum class FontFamily { kArial, kCourierNew };

// The numbers are those the settings store for "Rpt Style" and "CK Style".
enum class FontStyle { kRegular = 0, kBold = 1, kItalic = 2, kBoldItalic = 3 };

struct ReportFont {
  FontFamily family = FontFamily::kArial;
  double size = 10;  // points
  FontStyle style = FontStyle::kRegular;
  friend bool operator==(const ReportFont&, const ReportFont&) = default;
};

// "Courier New" (compared without blanks and case) is the fixed-pitch family;
// every other name is Arial.
FontFamily FontFamilyOf(std::string_view name);
// The family's name as a printer asks for it: "Arial" or "Courier New".
std::string_view FontFamilyName(FontFamily family);
// A style number as stored in the settings (anything unknown is regular).
FontStyle FontStyleOf(int number);

// The key of the declared PDF font for `font` ("A", "CBI", ...).
std::string_view PdfKeyOf(const ReportFont& font);

// The width of Windows-1252 `text` in `font`, in points.
double ReportTextWidth(const ReportFont& font, std::string_view text);
// The longest beginning of `text` whose width in `font` is at most `points`,
// without the blanks it would end in.
std::string_view FitTextToWidth(const ReportFont& font, std::string_view text, double points);

enum class ReportAlign { kLeft, kRight, kCenter };

class ReportCanvas {
 public:
  virtual ~ReportCanvas() = default;

  // False for the CSV writer, which has no pages, positions or page furniture.
  virtual bool positioned() const { return true; }
  // The length of the paper against 11 inches (1 for letter and for PDF).
  virtual double paper_length_factor() const { return 1; }
  // Half lines (1/12 inch) the printer moves the page down by.
  virtual int additional_top_margin_half_lines() const { return 0; }

  // Selects the font of the texts that follow. False when the device cannot
  // give it; the previous font then stays.
  virtual bool SetFont(const ReportFont& font) = 0;
  // One text at `row`, `column` (see the header comment), or CSV field `field`.
  virtual void PlaceText(double row, double column, std::string_view text, ReportAlign align,
                         int field) = 0;
  virtual void DrawLine(double row1, double column1, double row2, double column2) = 0;
  virtual void DrawDoubleLine(double row1, double column1, double row2, double column2) = 0;
  // Paths, clips, images and invisible text (see the header comment). A
  // canvas without pictures (the CSV writer) leaves them out.
  virtual void DrawPath(const CanvasPath& /*path*/, const PathPaint& /*paint*/) {}
  virtual void BeginClip(const CanvasPath& /*path*/, FillRule /*rule*/) {}
  virtual void EndClip() {}
  virtual void DrawImage(const std::shared_ptr<const BmpImage>& /*image*/, double /*x*/,
                         double /*y*/, double /*width*/, double /*height*/) {}
  virtual void PlaceInvisibleText(double /*row*/, double /*column*/, std::string_view /*text*/,
                                  const ReportFont& /*font*/) {}
  // The end of one line of the report (the CSV line end).
  virtual void EndLine() = 0;
  // Closes the page and starts the next sheet.
  virtual void NewPage() = 0;
  // Completes the document or print job. False (reported to the user by the
  // canvas) when it could not be completed.
  virtual bool Finish() = 0;
};

// A canvas that draws on another one and adds what happens to the finished
// document: printers that spool a drawn file (the desktop printer, kxbatch's
// lp) override Finish() and the destructor and forward everything else.
class ForwardingCanvas : public ReportCanvas {
 public:
  explicit ForwardingCanvas(std::unique_ptr<ReportCanvas> inner) : inner_(std::move(inner)) {}

  bool positioned() const override { return inner_->positioned(); }
  double paper_length_factor() const override { return inner_->paper_length_factor(); }
  int additional_top_margin_half_lines() const override {
    return inner_->additional_top_margin_half_lines();
  }
  bool SetFont(const ReportFont& font) override { return inner_->SetFont(font); }
  void PlaceText(double row, double column, std::string_view text, ReportAlign align,
                 int field) override {
    inner_->PlaceText(row, column, text, align, field);
  }
  void DrawLine(double row1, double column1, double row2, double column2) override {
    inner_->DrawLine(row1, column1, row2, column2);
  }
  void DrawDoubleLine(double row1, double column1, double row2, double column2) override {
    inner_->DrawDoubleLine(row1, column1, row2, column2);
  }
  void DrawPath(const CanvasPath& path, const PathPaint& paint) override {
    inner_->DrawPath(path, paint);
  }
  void BeginClip(const CanvasPath& path, FillRule rule) override { inner_->BeginClip(path, rule); }
  void EndClip() override { inner_->EndClip(); }
  void DrawImage(const std::shared_ptr<const BmpImage>& image, double x, double y, double width,
                 double height) override {
    inner_->DrawImage(image, x, y, width, height);
  }
  void PlaceInvisibleText(double row, double column, std::string_view text,
                          const ReportFont& font) override {
    inner_->PlaceInvisibleText(row, column, text, font);
  }
  void EndLine() override { inner_->EndLine(); }
  void NewPage() override { inner_->NewPage(); }
  bool Finish() override { return inner_->Finish(); }

 protected:
  // Closes the canvas drawn on (finished or abandoned), so that its file is
  // complete or gone before the document is handed on; nothing may be drawn
  // after it.
  void CloseInner() { inner_.reset(); }

 private:
  std::unique_ptr<ReportCanvas> inner_;
};

}  // namespace zenkar

#endif  // ZENKAR_OUTPUT_REPORT_CANVAS_H_
