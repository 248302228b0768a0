#include "output/pdf_writer.h"

#include <zlib.h>

#include <algorithm>
#include <cassert>
#include <cctype>
#include <cmath>
#include <string>
#include <utility>

#include "common/text_field.h"
#include "output/pdf_syntax.h"

#ifndef ZENKAR_WEB_HOST
#define ZENKAR_WEB_HOST "www.zenkar.example"
#endif

namespace zenkar {
namespace {

constexpr std::string_view kMakerName = "Zenkar Software";
constexpr std::string_view kProductName = "Zenkar Accounting";
constexpr std::string_view kLogoName = "Logo1";
constexpr std::string_view kHeaderFormName = "Hdr1";
constexpr int kPageTreeObject = 3;
constexpr double kLetterWidthInches = 8.5;
constexpr double kLetterHeightPoints = 792;
constexpr double kCropMarginPoints = 0.25 * PdfWriter::kPointsPerInch;
constexpr double kDoubleLineGapInches = 2 / PdfWriter::kPointsPerInch;
// Angles in degrees become radians with pi taken to six decimals, so rotated
// text lands on the same matrix figures on every platform.
constexpr double kPi = 3.141592;
// Distance of a corner curve's control points from the ends of the arc, as a
// share of the radius: the usual cubic approximation of a quarter circle.
constexpr double kCornerControl = 0.55;
constexpr int kWidthsPerLine = 16;
constexpr size_t kFlushBytes = size_t{1} << 20;

// Fast compression: a page of report text is so repetitive that the best
// level saves little more and costs several times the time.
constexpr int kPageCompressionLevel = Z_BEST_SPEED;

bool AppendDeflated(std::string& out, std::string_view data) {
  uLongf size = compressBound(static_cast<uLong>(data.size()));
  const size_t start = out.size();
  out.resize(start + size);
  const int result = compress2(reinterpret_cast<Bytef*>(out.data() + start), &size,
                               reinterpret_cast<const Bytef*>(data.data()),
                               static_cast<uLong>(data.size()), kPageCompressionLevel);
  out.resize(start + (result == Z_OK ? size : 0));
  return result == Z_OK;
}

bool EndsWithPdf(std::string_view name) {
  if (name.size() < 4) return false;
  std::string tail(name.substr(name.size() - 4));
  for (char& c : tail) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return tail == ".pdf";
}

std::string AuthorText(const std::string& user_name) {
  std::string author = std::string(kProductName) + " by " + std::string(kMakerName);
  if (!Trim(user_name).empty()) author += " for " + std::string(Trim(user_name));
  return author;
}

}  // namespace

PdfWriter::PdfWriter(FileSystem& fs, Ui& ui, const Clock& clock, PdfWriterOptions options)
    : fs_(fs), ui_(ui), clock_(clock), options_(std::move(options)), font_(FindPdfFont("A")) {
  if (options_.web_host.empty()) options_.web_host = ZENKAR_WEB_HOST;
}

PdfWriter::~PdfWriter() {
  if (state_ == State::kFileReady || state_ == State::kPageOpen) Abandon();
}

// ---------------------------------------------------------------- set-up

bool PdfWriter::SetLogoPositions(const std::string& bmp_path, std::string_view box_name,
                                 std::span<const LogoBox> boxes) {
  const auto box = std::find_if(boxes.begin(), boxes.end(),
                                [&](const LogoBox& b) { return b.name == box_name; });
  if (box == boxes.end()) {
    logo_path_.clear();
    ui_.Error(std::string(box_name) + " not found (PDF SetLogoPositions).");
    return false;
  }
  logo_path_ = bmp_path;
  logo_box_ = *box;
  return true;
}

bool PdfWriter::InitPdfFile(const std::string& name) {
  if (state_ == State::kFileReady || state_ == State::kPageOpen) Abandon();
  state_ = State::kFailed;
  if (Trim(name).empty()) {
    ui_.Error("File name not set (InitPDFFile).");
    return false;
  }
  file_name_ = EndsWithPdf(name) ? name : name + ".pdf";
  // A folder of that name can never be replaced by the finished document.
  if (fs_.DirectoryExists(file_name_)) {
    ui_.Error(file_name_ + " is in use. Close all pdf files, or restart your computer.");
    return false;
  }
  // The document grows beside its final name, as the books' rewrites do, so
  // the rename that puts it in place never crosses file systems.
  TemporaryFile temporary;
  if (!fs_.CreateTemporaryBeside(file_name_, Access::kUsual, &temporary).ok()) {
    temp_name_.clear();
    file_.reset();
    ui_.Error(file_name_ + " could not be opened (InitPDFFile).");
    return false;
  }
  temp_name_ = std::move(temporary.path);
  file_ = std::move(temporary.file);
  out_.clear();
  page_ops_.clear();
  sink_ = &out_;
  flushed_ = 0;
  write_failed_ = false;
  offsets_.assign(1, 0);
  page_objects_.clear();
  font_resources_.clear();
  xobject_resources_.clear();
  drawn_images_.clear();
  open_clips_ = 0;
  state_ = State::kFileReady;
  return true;
}

bool PdfWriter::DocStart(const std::string& name, PageOrientation orientation) {
  if (Trim(name).empty()) {
    if (state_ == State::kFileReady || state_ == State::kPageOpen) Abandon();
    state_ = State::kFailed;
    ui_.Error("File Name not set (DocStart)");
    return false;
  }
  if (!InitPdfFile(name)) return false;
  const double letter_width = kLetterWidthInches * kPointsPerInch;
  const bool portrait = orientation == PageOrientation::kPortrait;
  page_width_ = portrait ? letter_width : kLetterHeightPoints;
  page_height_ = portrait ? kLetterHeightPoints : letter_width;

  Line("%PDF-1.3");
  WriteInfo();
  WriteCatalog();
  offsets_.push_back(0);  // object 3, the page tree, is written last
  WriteFonts();
  font_ = FindPdfFont("A");
  font_size_ = kDefaultFontSize;
  if (!ReadLogo()) return false;
  WriteLogoImage();
  WritePageHeaderForm();
  OpenPage();
  return true;
}

bool PdfWriter::ReadLogo() {
  logo_ = BmpImage();
  if (logo_path_.empty()) return true;
  switch (ReadBmpFile(fs_, logo_path_, &logo_)) {
    case BmpReadResult::kOk:
      return true;
    case BmpReadResult::kCannotOpen:
      Fail(logo_path_ + " not able to be opened (PDF BMP File Read).");
      return false;
    case BmpReadResult::kInvalid:
      Fail(logo_path_ + " has invalid header (PDF BMP File Read).");
      return false;
  }
  return false;
}

// ---------------------------------------------------------------- output

void PdfWriter::Line(std::string_view text) {
  *sink_ += text;
  EndLine();
}

void PdfWriter::Number(double value) { AppendPdfNumber(*sink_, value); }

// A point given in inches from the left and top edges, in page space.
void PdfWriter::Point(double x_inches, double y_inches) {
  Number(x_inches * kPointsPerInch);
  *sink_ += ' ';
  Number(page_height_ - y_inches * kPointsPerInch);
}

void PdfWriter::FlushIfLarge() {
  if (out_.size() >= kFlushBytes) Flush();
}

// After a failed write the rest is only counted, so offsets stay right and
// memory stays bounded until DocEnd reports the failure.
void PdfWriter::Flush() {
  if (!write_failed_ && !out_.empty() && !file_->Append(out_).ok()) write_failed_ = true;
  flushed_ += out_.size();
  out_.clear();
}

int PdfWriter::BeginObject() {
  const int number = static_cast<int>(offsets_.size());
  offsets_.push_back(Offset());
  *sink_ += std::to_string(number);
  Line(" 0 obj");
  return number;
}

void PdfWriter::BeginReservedObject(int number) {
  offsets_[number] = Offset();
  *sink_ += std::to_string(number);
  Line(" 0 obj");
}

void PdfWriter::EndObject() { Line("endobj"); }

void PdfWriter::BeginStream(int length_object) {
  Line("stream");
  stream_length_object_ = length_object;
  stream_start_ = Offset();
}

// Closes the stream and writes its length object. Binary data (an image, a
// compressed page) ends without a line end, so one is added after it that the
// length does not count.
void PdfWriter::EndStream(bool eol_before_end) {
  const uint64_t length = Offset() - stream_start_;
  if (eol_before_end) EndLine();
  Line("endstream");
  EndObject();
  [[maybe_unused]] const int length_object = BeginObject();
  assert(length_object == stream_length_object_);
  *sink_ += std::to_string(length);
  EndLine();
  EndObject();
}

// ---------------------------------------------------------------- fixed objects

void PdfWriter::WriteInfo() {
  BeginObject();
  const LocalDateTime now = clock_.LocalNow();
  *sink_ += "<<\r/Title ";
  AppendPdfString(*sink_, std::string(kMakerName) + " Report");
  *sink_ += "\r/Author ";
  AppendPdfString(*sink_, AuthorText(options_.user_name));
  *sink_ += "\r/Creator ";
  AppendPdfString(*sink_, std::string(kMakerName) + " - " + options_.web_host);
  *sink_ += "\r/CreationDate ";
  AppendPdfString(*sink_, PdfDate(now, clock_.UtcOffsetMinutes()));
  Line("\r>>");
  EndObject();
}

void PdfWriter::WriteCatalog() {
  BeginObject();
  *sink_ += "<<\r/Type /Catalog\r/Pages 3 0 R\r/PageLayout /SinglePage\r/PageMode /UseNone";
  Line("\r/Lang (en)\r>>");
  EndObject();
}

void PdfWriter::WriteFonts() {
  for (const PdfFont& font : PdfFonts()) WriteFont(font);
}

void PdfWriter::WriteFont(const PdfFont& font) {
  const int number = BeginObject();
  *sink_ += "<< /Type /Font\r/Subtype /MMType1\r/BaseFont /";
  *sink_ += font.name;
  *sink_ += "\r/FirstChar 32\r/LastChar 255\r/FontDescriptor ";
  *sink_ += std::to_string(number + 1);
  Line(" 0 R\r/Encoding /WinAnsiEncoding\r/Widths [");
  for (int code = kFirstWinAnsiCode; code <= kLastWinAnsiCode; ++code) {
    *sink_ += std::to_string(font.Width(static_cast<unsigned char>(code)));
    *sink_ += ' ';
    if ((code - kFirstWinAnsiCode) % kWidthsPerLine == kWidthsPerLine - 1) EndLine();
  }
  Line("] >>");
  EndObject();

  BeginObject();
  *sink_ += "<<\r/Type /FontDescriptor\r/FontName /";
  *sink_ += font.name;
  *sink_ += '\r';
  *sink_ += font.descriptor;
  Line(">>");
  EndObject();

  font_resources_ += "/" + std::string(font.key) + " " + std::to_string(number) + " 0 R \r";
}

void PdfWriter::WriteLogoImage() {
  if (logo_path_.empty()) return;
  logo_object_ = static_cast<int>(offsets_.size());
  WriteImageObject(logo_, kLogoName);
}

// The image XObject, its length and (indexed images) its palette, added to
// the XObject resources as `name`.
void PdfWriter::WriteImageObject(const BmpImage& image, std::string_view name) {
  const int number = BeginObject();
  *sink_ += "<<\r/Type /XObject\r/Subtype /Image\r/Name /";
  *sink_ += name;
  *sink_ += "\r/Width " + std::to_string(image.width);
  *sink_ += "\r/Height " + std::to_string(image.height);
  const int palette_object = number + 2;
  if (image.indexed()) {
    *sink_ += "\r/BitsPerComponent " + std::to_string(image.bits_per_pixel);
    *sink_ += "\r/ColorSpace [/Indexed /DeviceRGB " +
              std::to_string((1 << image.bits_per_pixel) - 1) + " " +
              std::to_string(palette_object) + " 0 R]";
  } else {
    *sink_ += "\r/BitsPerComponent 8\r/ColorSpace /DeviceRGB";
  }
  *sink_ += "\r/Length " + std::to_string(number + 1);
  Line(" 0 R\r>>");
  BeginStream(number + 1);
  *sink_ += image.pixels;
  EndStream(true);
  if (image.indexed()) {
    BeginObject();
    Line("<< /Length " + std::to_string(image.palette.size()) + " >>");
    Line("stream");
    *sink_ += image.palette;
    EndLine();
    Line("endstream");
    EndObject();
  }
  xobject_resources_ += "/" + std::string(name) + " " + std::to_string(number) + " 0 R ";
  FlushIfLarge();
}

void PdfWriter::WriteDrawnImages() {
  for (size_t i = 0; i < drawn_images_.size(); ++i) {
    WriteImageObject(*drawn_images_[i], "Im" + std::to_string(i + 1));
  }
}

void PdfWriter::WritePageHeaderForm() {
  const int number = BeginObject();
  *sink_ += "<<\r/Type /XObject\r/Subtype /Form\r/FormType 1\r/Name /";
  *sink_ += kHeaderFormName;
  *sink_ += "\r/BBox [0 0 ";
  Number(page_width_);
  *sink_ += ' ';
  Number(page_height_);
  *sink_ += "]\r/Matrix [1 0 0 1 0 0]\r/Length " + std::to_string(number + 1);
  Line(" 0 R >>");
  BeginStream(number + 1);
  WriteLogoDrawing();
  EndStream(false);
  xobject_resources_ += "/" + std::string(kHeaderFormName) + " " + std::to_string(number) + " 0 R ";
}

// The logo scaled into its box with its proportions kept, top-left aligned one
// row below the box's top. The negative height flips the bottom-up rows.
void PdfWriter::WriteLogoDrawing() {
  if (logo_path_.empty()) return;
  const double scale = std::min(logo_box_.width / logo_.width, logo_box_.height / logo_.height);
  Line("q");
  Number(logo_.width * scale * kPointsPerInch);
  *sink_ += " 0 0 -";
  Number(logo_.height * scale * kPointsPerInch);
  *sink_ += ' ';
  Point(logo_box_.x, logo_box_.y + kRowInches);
  Line(" cm");
  Line("/" + std::string(kLogoName) + " Do");
  Line("Q");
}

// ---------------------------------------------------------------- pages

void PdfWriter::OpenPage() {
  const int page = BeginObject();
  page_objects_.push_back(page);
  *sink_ += "<<\r/Type /Page\r/Parent 3 0 R\r/Contents " + std::to_string(page + 1);
  Line(" 0 R\r>>");
  EndObject();
  BeginObject();
  *sink_ += "<< /Length " + std::to_string(page + 2) + " 0 R";
  Line(options_.compress_pages ? " /Filter /FlateDecode >>" : " >>");
  BeginStream(page + 2);
  if (options_.compress_pages) {
    page_ops_.clear();
    sink_ = &page_ops_;
  }
  Line("/" + std::string(kHeaderFormName) + " Do");
  y_ = 0;
  state_ = State::kPageOpen;
}

void PdfWriter::ClosePage() {
  EndOpenClips();
  if (!options_.compress_pages) {
    EndStream(false);
    return;
  }
  sink_ = &out_;
  if (!AppendDeflated(out_, page_ops_)) write_failed_ = true;
  EndStream(true);
}

void PdfWriter::NewPage() {
  if (!page_open()) return;
  ClosePage();
  FlushIfLarge();
  OpenPage();
}

bool PdfWriter::DocEnd() {
  if (!page_open()) return false;
  ClosePage();
  WriteDrawnImages();
  const int resources = WriteResources();
  WritePageTree(resources);
  WriteXrefAndTrailer();
  return FinishFile();
}

int PdfWriter::WriteResources() {
  const int number = BeginObject();
  Line("<<");
  if (!font_resources_.empty()) {
    Line("/Font <<");
    *sink_ += font_resources_;
    Line(">>");
  }
  Line(logo_path_.empty() && drawn_images_.empty()
           ? "/ProcSet [/PDF /Text ]"
           : "/ProcSet [/PDF /Text /ImageB /ImageC /ImageI ]");
  if (!xobject_resources_.empty()) {
    Line("/XObject <<");
    Line(xobject_resources_);
    Line(">>");
  }
  Line(">>");
  EndObject();
  return number;
}

void PdfWriter::WritePageTree(int resources_object) {
  BeginReservedObject(kPageTreeObject);
  *sink_ += "<<\r/Type /Pages\r/Count " + std::to_string(page_objects_.size());
  *sink_ += "\r/MediaBox [0 0 ";
  Number(page_width_);
  *sink_ += ' ';
  Number(page_height_);
  *sink_ += "]\r/CropBox [";
  Number(kCropMarginPoints);
  *sink_ += ' ';
  Number(kCropMarginPoints);
  *sink_ += ' ';
  Number(page_width_ - kCropMarginPoints);
  *sink_ += ' ';
  Number(page_height_ - kCropMarginPoints);
  *sink_ += "]\r/Kids [";
  for (size_t i = 0; i < page_objects_.size(); ++i) {
    if (i > 0) *sink_ += ' ';
    *sink_ += std::to_string(page_objects_[i]) + " 0 R";
  }
  *sink_ += " ]\r/Resources " + std::to_string(resources_object);
  Line(" 0 R\r>>");
  EndObject();
}

void PdfWriter::WriteXrefAndTrailer() {
  const uint64_t xref_offset = Offset();
  const size_t size = offsets_.size();  // the objects and the free entry 0
  Line("xref");
  Line("0 " + std::to_string(size));
  Line("0000000000 65535 f");
  for (size_t number = 1; number < size; ++number) {
    AppendXrefOffset(*sink_, offsets_[number]);
    Line(" 00000 n");
  }
  Line("trailer");
  Line("<<");
  Line("/Size " + std::to_string(size));
  Line("/Info 1 0 R");
  Line("/Root 2 0 R");
  Line(">>");
  Line("startxref");
  Line(std::to_string(xref_offset));
  Line("%%EOF");
}

// Writes out the rest, flushes it to disk, closes the temporary file and only
// then renames it over the document's name.
bool PdfWriter::FinishFile() {
  Flush();
  if (write_failed_ || !file_->Sync().ok() || !file_->Close().ok()) {
    Fail(file_name_ + " could not be written (DocEnd).");
    return false;
  }
  file_.reset();
  if (!fs_.Rename(temp_name_, file_name_).ok()) {
    Fail(file_name_ + " is in use. Close all pdf files, or restart your computer.");
    return false;
  }
  temp_name_.clear();  // the name is free again, perhaps for another program's file
  state_ = State::kFinished;
  return true;
}

// ---------------------------------------------------------------- fonts

void PdfWriter::SetFont(std::string_view family, double size, int style) {
  font_ = FindPdfFont(PdfFontKey(family, style));
  font_size_ = size;
}

bool PdfWriter::SetFontKey(std::string_view key, double size) {
  const PdfFont* font = FindPdfFont(key);
  if (font == nullptr) {
    ui_.Error("Font '" + std::string(key) +
              "' not found in pdf file. Contact Zenkar Software for assistance.");
    return false;
  }
  font_ = font;
  font_size_ = size;
  return true;
}

double PdfWriter::TextWidth(std::string_view text) const {
  return font_->TextWidth(text) * font_size_ / 1000 / kPointsPerInch;
}

double PdfWriter::LineHeight() const {
  return font_size_ * (kLineGap + font_->ascent) / 1000 / kPointsPerInch;
}

void PdfWriter::NewLine(int n) {
  if (n == 0) {
    y_ += LineHeight();
  } else if (n > 0) {
    y_ = n * kRowInches;
  } else {
    y_ += -n * kRowInches;
  }
}

// ---------------------------------------------------------------- drawing

double PdfWriter::AlignedX(double x, std::string_view text, TextAlign align) const {
  switch (align) {
    case TextAlign::kLeft:
      return x;
    case TextAlign::kRight:
      return x - TextWidth(text);
    case TextAlign::kCenter:
      return x - TextWidth(text) / 2;
    case TextAlign::kDecimal:
      break;
  }
  const size_t n = text.size();
  std::string_view before_point = text;  // no point: as if ".00" followed
  if (n >= 3 && text[n - 3] == '.') {
    before_point = text.substr(0, n - 3);
  } else if (n >= 4 && text[n - 4] == '.' && text.back() == ')') {
    before_point = text.substr(0, n - 4);
  }
  return x - TextWidth(before_point) - TextWidth(".") / 2;
}

void PdfWriter::PlaceText(double x, double y, std::string_view text, TextAlign align,
                          double angle) {
  if (!page_open()) return;
  const double left = AlignedX(x, text, align);
  *sink_ += "BT\r\n/";
  *sink_ += font_->key;
  *sink_ += ' ';
  Number(font_size_);
  *sink_ += " Tf\r\n";
  if (angle == 0) {
    Point(left, y);
    *sink_ += " Td\r\n";
  } else {
    const double radians = angle * kPi / 180;
    const double cosine = std::cos(radians);
    const double sine = std::sin(radians);
    for (double value : {cosine, sine, -sine, cosine}) {
      Number(value);
      *sink_ += ' ';
    }
    Point(left, y);
    *sink_ += " Tm\r\n";
  }
  AppendPdfString(*sink_, text);
  *sink_ += " Tj\r\nET\r\n";
  FlushIfLarge();
}

void PdfWriter::Paint(PaintOp paint) {
  switch (paint) {
    case PaintOp::kFillStroke:
      Line("B");
      break;
    case PaintOp::kFill:
      Line("f");
      break;
    case PaintOp::kStroke:
      Line("S");
      break;
  }
  FlushIfLarge();
}

void PdfWriter::DrawLine(double x1, double y1, double x2, double y2, PaintOp paint) {
  if (!page_open()) return;
  Point(x1, y1);
  Line(" m");
  Point(x2, y2);
  Line(" l");
  Paint(paint);
}

void PdfWriter::DrawDoubleLine(double x1, double y1, double x2, double y2) {
  DrawLine(x1, y1, x2, y2);
  const bool vertical = std::abs(y2 - y1) > std::abs(x2 - x1);
  const double dx = vertical ? kDoubleLineGapInches : 0;
  const double dy = vertical ? 0 : kDoubleLineGapInches;
  DrawLine(x1 + dx, y1 + dy, x2 + dx, y2 + dy);
}

void PdfWriter::DrawRect(double x, double y, double width, double height, double radius,
                         PaintOp paint) {
  if (!page_open()) return;
  const double r = std::min({radius, std::abs(width) / 2, std::abs(height) / 2});
  if (r <= 0) {
    Point(x, y + height);
    *sink_ += ' ';
    Number(width * kPointsPerInch);
    *sink_ += ' ';
    Number(height * kPointsPerInch);
    Line(" re");
    Paint(paint);
    return;
  }
  // Clockwise from the top edge; each corner is a quarter circle whose
  // control points lie on the edges, 0.55 x r from the arc's ends.
  const double k = kCornerControl * r;
  const double right = x + width;
  const double bottom = y + height;
  auto edge_to = [&](double px, double py) {
    Point(px, py);
    Line(" l");
  };
  auto curve_to = [&](double ax, double ay, double bx, double by, double px, double py) {
    Point(ax, ay);
    *sink_ += ' ';
    Point(bx, by);
    *sink_ += ' ';
    Point(px, py);
    Line(" c");
  };
  Point(x + r, y);
  Line(" m");
  edge_to(right - r, y);
  curve_to(right - r + k, y, right, y + r - k, right, y + r);
  edge_to(right, bottom - r);
  curve_to(right, bottom - r + k, right - r + k, bottom, right - r, bottom);
  edge_to(x + r, bottom);
  curve_to(x + r - k, bottom, x, bottom - r + k, x, bottom - r);
  edge_to(x, y + r);
  curve_to(x, y + r - k, x + r - k, y, x + r, y);
  Line("h");
  Paint(paint);
}

// A point given in points from the left and top edges, in page space.
void PdfWriter::PagePoint(CanvasPoint point) {
  Number(point.x);
  *sink_ += ' ';
  Number(page_height_ - point.y);
}

void PdfWriter::AppendPath(const CanvasPath& path) {
  for (const CanvasPath::Segment& segment : path.segments()) {
    switch (segment.op) {
      case CanvasPath::Op::kMove:
        PagePoint(segment.points[0]);
        Line(" m");
        break;
      case CanvasPath::Op::kLine:
        PagePoint(segment.points[0]);
        Line(" l");
        break;
      case CanvasPath::Op::kCurve:
        for (int i = 0; i < 3; ++i) {
          PagePoint(segment.points[i]);
          *sink_ += i < 2 ? " " : " c";
        }
        EndLine();
        break;
      case CanvasPath::Op::kClose:
        Line("h");
        break;
      case CanvasPath::Op::kRectangle: {
        const CanvasPoint size = segment.points[1];
        PagePoint({segment.points[0].x, segment.points[0].y + size.y});
        *sink_ += ' ';
        Number(size.x);
        *sink_ += ' ';
        Number(size.y);
        Line(" re");
        break;
      }
    }
  }
}

void PdfWriter::AppendColor(CanvasColor color, std::string_view operator_name) {
  for (int component : {color.red, color.green, color.blue}) {
    Number(component / 255.0);
    *sink_ += ' ';
  }
  Line(operator_name);
}

void PdfWriter::DrawPath(const CanvasPath& path, const PathPaint& paint) {
  if (!page_open() || path.empty() || (!paint.fill && !paint.stroke)) return;
  Line("q");
  if (paint.fill) AppendColor(paint.fill_color, "rg");
  if (paint.stroke) {
    AppendColor(paint.stroke_color, "RG");
    Number(paint.line_width);
    Line(" w");
  }
  AppendPath(path);
  const bool even_odd = paint.fill_rule == FillRule::kEvenOdd;
  if (paint.fill && paint.stroke) {
    Line(even_odd ? "B*" : "B");
  } else if (paint.fill) {
    Line(even_odd ? "f*" : "f");
  } else {
    Line("S");
  }
  Line("Q");
  FlushIfLarge();
}

void PdfWriter::BeginClip(const CanvasPath& path, FillRule rule) {
  if (!page_open()) return;
  Line("q");
  ++open_clips_;
  AppendPath(path);
  Line(rule == FillRule::kEvenOdd ? "W* n" : "W n");
}

void PdfWriter::EndClip() {
  if (!page_open() || open_clips_ == 0) return;
  --open_clips_;
  Line("Q");
}

void PdfWriter::EndOpenClips() {
  while (open_clips_ > 0) EndClip();
}

void PdfWriter::DrawImage(const std::shared_ptr<const BmpImage>& image, double x, double y,
                          double width, double height) {
  if (!page_open() || image == nullptr) return;
  auto found = std::find(drawn_images_.begin(), drawn_images_.end(), image);
  if (found == drawn_images_.end()) found = drawn_images_.insert(found, image);
  const size_t index = static_cast<size_t>(found - drawn_images_.begin()) + 1;
  // The negative height puts the first row of the bottom-up pixels at the
  // bottom of the box.
  Line("q");
  Number(width);
  *sink_ += " 0 0 ";
  Number(-height);
  *sink_ += ' ';
  PagePoint({x, y});
  Line(" cm");
  Line("/Im" + std::to_string(index) + " Do");
  Line("Q");
  FlushIfLarge();
}

void PdfWriter::PlaceInvisibleText(double x, double y, std::string_view text, std::string_view key,
                                   double size) {
  if (!page_open() || FindPdfFont(key) == nullptr) return;
  *sink_ += "BT\r\n/";
  *sink_ += key;
  *sink_ += ' ';
  Number(size);
  *sink_ += " Tf\r\n3 Tr\r\n";
  Point(x, y);
  *sink_ += " Td\r\n";
  AppendPdfString(*sink_, text);
  // The render mode outlives the text object: the next text is painted.
  *sink_ += " Tj\r\n0 Tr\r\nET\r\n";
  FlushIfLarge();
}

void PdfWriter::SetGray(int level) {
  if (!page_open()) return;
  Number(level / 255.0);
  Line(" g");
}

void PdfWriter::SetColor(int red, int green, int blue) {
  if (!page_open()) return;
  for (int component : {red, green, blue}) {
    Number(component / 255.0);
    *sink_ += ' ';
  }
  Line("rg");
}

void PdfWriter::SetDash(double on, double off) {
  if (!page_open()) return;
  if (on == 0 && off == 0) {
    Line("[ ] 0 d");
    return;
  }
  *sink_ += '[';
  Number(on * kPointsPerInch);
  *sink_ += ' ';
  Number(off * kPointsPerInch);
  Line("] 0 d");
}

// ---------------------------------------------------------------- failure

void PdfWriter::Fail(std::string_view message) {
  ui_.Error(message);
  Abandon();
}

// Drops the unfinished document: the temporary file goes, the file under the
// document's name (if any) is never touched.
void PdfWriter::Abandon() {
  if (file_) {
    (void)file_->Close();
    file_.reset();
  }
  if (!temp_name_.empty()) (void)fs_.RemoveFile(temp_name_);
  out_.clear();
  page_ops_.clear();
  sink_ = &out_;
  state_ = State::kFailed;
}

}  // namespace zenkar
