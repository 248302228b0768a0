// PdfWriter: writes report, check and list documents as PDF 1.3 files.
//
// One writer makes one document: DocStart, drawing calls with NewPage between
// pages, DocEnd. Callers position everything in inches from the left and top
// edges of the page and size text in points; the writer turns that into PDF's
// bottom-up point space. No font is embedded: the eight Arial and Courier New
// fonts are declared with their metrics, and the same widths measure text for
// right, centred and decimal alignment.
//
// The document is written to a temporary file in the target folder and renamed
// over the requested name only when DocEnd has written it completely, so an
// abandoned or failed document never leaves a broken PDF under the user's name
// and never destroys the previous file of that name.
//
// Failures are shown through the Ui with the product's messages; the calls
// that can fail return false and leave the document failed, after which the
// drawing calls do nothing.
#ifndef ZENKAR_OUTPUT_PDF_WRITER_H_
#define ZENKAR_OUTPUT_PDF_WRITER_H_

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/clock.h"
#include "common/file_system.h"
#include "common/ui.h"
#include "output/bmp_image.h"
#include "output/canvas_path.h"
#include "output/pdf_fonts.h"

namespace zenkar {

enum class PageOrientation { kPortrait, kLandscape };

enum class TextAlign {
  kLeft = 0,     // x is where the text starts
  kRight = 1,    // x is where the text ends
  kCenter = 2,   // x is the middle of the text
  kDecimal = 3,  // x is the middle of the amount's decimal point
};

enum class PaintOp {
  kFillStroke,  // "B"
  kFill,        // "f"
  kStroke,      // "S"
};

struct PdfWriterOptions {
  std::string user_name;  // the licensed user, named in /Author
  std::string web_host;   // the vendor's web site, named in /Creator; empty: the product's
  // Deflates each page's content stream (/FlateDecode). A long ledger shrinks
  // to about a seventh, which matters for documents sent by e-mail; off, every
  // operator stays readable in the file as it is.
  bool compress_pages = false;
};

// A named place for the logo, in inches from the page's left and top edges.
struct LogoBox {
  std::string name;
  double x = 0;
  double y = 0;
  double width = 0;
  double height = 0;
};

class PdfWriter {
 public:
  static constexpr double kPointsPerInch = 72;
  static constexpr double kRowInches = 1.0 / 6;
  static constexpr double kDefaultFontSize = 10;

  PdfWriter(FileSystem& fs, Ui& ui, const Clock& clock, PdfWriterOptions options);
  // Removes the temporary file of a document that was not finished.
  ~PdfWriter();
  PdfWriter(const PdfWriter&) = delete;
  PdfWriter& operator=(const PdfWriter&) = delete;

  // Draws the bitmap `bmp_path` on every page of the next document, inside the
  // box named `box_name` of `boxes`. Fails when no box has that name.
  bool SetLogoPositions(const std::string& bmp_path, std::string_view box_name,
                        std::span<const LogoBox> boxes);

  // Prepares the file `name` (".pdf" appended unless present). DocStart calls it.
  bool InitPdfFile(const std::string& name);
  // Starts the document: file, fixed objects, the eight fonts, the logo, the
  // page-header form, and the first page with "A" at 10 points selected.
  bool DocStart(const std::string& name, PageOrientation orientation);
  // Finishes the document and puts it in place under its name.
  bool DocEnd();
  // Closes the current page and opens the next one.
  void NewPage();

  // Selects Arial or Courier New (see PdfFontKey) in a style at `size` points.
  void SetFont(std::string_view family, double size, int style);
  // Selects a declared font by key; an undeclared key is refused with a message
  // and the current font stays.
  bool SetFontKey(std::string_view key, double size);

  // Measurements of the current font, in inches.
  double TextWidth(std::string_view text) const;
  double LineHeight() const;

  // Moves the current vertical position: 0 advances one line of the current
  // font, n > 0 goes to row n (n / 6 inch from the top), n < 0 advances -n rows.
  void NewLine(int n);
  double current_y() const { return y_; }

  // Writes Windows-1252 `text` at `x`, `y` (the baseline) in the current font,
  // turned `angle` degrees counter-clockwise when non-zero.
  void PlaceText(double x, double y, std::string_view text, TextAlign align = TextAlign::kLeft,
                 double angle = 0);

  void DrawLine(double x1, double y1, double x2, double y2, PaintOp paint = PaintOp::kStroke);
  // Two parallel lines, the second 2 points below (or right of a vertical line).
  void DrawDoubleLine(double x1, double y1, double x2, double y2);
  // A rectangle with its top-left corner at `x`, `y`; rounded corners when
  // `radius` is positive.
  void DrawRect(double x, double y, double width, double height, double radius, PaintOp paint);

  // The calls below take points (1/72 inch) from the page's left and top
  // edges, as the report canvas gives them (canvas_path.h).
  //
  // Fills and/or strokes `path` with its own colours and line width; the
  // graphics state is the same afterwards.
  void DrawPath(const CanvasPath& path, const PathPaint& paint);
  // Clips what follows to the inside of `path` until the matching EndClip;
  // clips still open when the page ends end with it.
  void BeginClip(const CanvasPath& path, FillRule rule);
  void EndClip();
  // Draws `image` stretched into the box. Each image object is written into
  // the file once, however often it is drawn.
  void DrawImage(const std::shared_ptr<const BmpImage>& image, double x, double y, double width,
                 double height);
  // Writes `text` in the declared font `key` at `size` points with its
  // baseline at `x`, `y` (inches, as PlaceText), in text render mode 3:
  // searchable and copyable, never painted. The current font stays.
  void PlaceInvisibleText(double x, double y, std::string_view text, std::string_view key,
                          double size);

  // The fill colour (also the colour of text): a grey level or red, green and
  // blue, each 0..255.
  void SetGray(int level);
  void SetColor(int red, int green, int blue);
  // Dashed lines of `on` and `off` inches; both zero for solid lines.
  void SetDash(double on, double off);

  // The file name with ".pdf", as the document is known after DocEnd.
  const std::string& file_name() const { return file_name_; }
  int page_count() const { return static_cast<int>(page_objects_.size()); }
  double page_width() const { return page_width_; }
  double page_height() const { return page_height_; }

 private:
  enum class State { kIdle, kFileReady, kPageOpen, kFinished, kFailed };

  // Output: a buffer flushed to the file in large pieces. The writing helpers
  // append to sink_, which is that buffer, or the page's own buffer while a
  // page that will be compressed is open.
  uint64_t Offset() const { return flushed_ + out_.size(); }
  void Line(std::string_view text);
  void EndLine() { *sink_ += "\r\n"; }
  void FlushIfLarge();
  void Flush();
  void Number(double value);
  void Point(double x_inches, double y_inches);

  // Objects and streams.
  int BeginObject();
  void BeginReservedObject(int number);
  void EndObject();
  void BeginStream(int length_object);
  void EndStream(bool eol_before_end);

  // Document parts in file order.
  bool ReadLogo();
  void WriteInfo();
  void WriteCatalog();
  void WriteFonts();
  void WriteFont(const PdfFont& font);
  void WriteLogoImage();
  void WriteImageObject(const BmpImage& image, std::string_view name);
  void WriteDrawnImages();
  void WritePageHeaderForm();
  void WriteLogoDrawing();
  void OpenPage();
  void ClosePage();
  int WriteResources();
  void WritePageTree(int resources_object);
  void WriteXrefAndTrailer();
  bool FinishFile();

  bool page_open() const { return state_ == State::kPageOpen; }
  void Paint(PaintOp paint);
  void PagePoint(CanvasPoint point);
  void AppendPath(const CanvasPath& path);
  void AppendColor(CanvasColor color, std::string_view operator_name);
  void EndOpenClips();
  double AlignedX(double x, std::string_view text, TextAlign align) const;
  void Fail(std::string_view message);
  void Abandon();

  FileSystem& fs_;
  Ui& ui_;
  const Clock& clock_;
  PdfWriterOptions options_;

  State state_ = State::kIdle;
  std::string file_name_;
  std::string temp_name_;
  std::unique_ptr<WritableFile> file_;
  std::string out_;
  std::string page_ops_;  // the open page's operators, when pages are compressed
  std::string* sink_ = &out_;
  uint64_t flushed_ = 0;
  bool write_failed_ = false;

  std::vector<uint64_t> offsets_;  // by object number; [0] unused
  std::vector<int> page_objects_;
  int stream_length_object_ = 0;
  uint64_t stream_start_ = 0;

  double page_width_ = 612;
  double page_height_ = 792;
  std::string font_resources_;
  std::string xobject_resources_;

  const PdfFont* font_ = nullptr;
  double font_size_ = kDefaultFontSize;
  double y_ = 0;

  std::string logo_path_;
  LogoBox logo_box_;
  BmpImage logo_;
  int logo_object_ = 0;

  // The images DrawImage has drawn, in the order first drawn: their objects
  // are written once each at DocEnd, named "Im1", "Im2", ...
  std::vector<std::shared_ptr<const BmpImage>> drawn_images_;
  int open_clips_ = 0;
};

}  // namespace zenkar

#endif  // ZENKAR_OUTPUT_PDF_WRITER_H_
