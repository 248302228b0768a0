#include "output/output_fakes.h"

namespace zenkar::testing {

bool RecordingCanvas::SetFont(const ReportFont& font) {
  if (refuse_fonts) return false;
  CanvasCall call = CanvasCall::Of(CanvasCall::kFont);
  call.font = font;
  log_.push_back(call);
  return true;
}

void RecordingCanvas::PlaceText(double row, double column, std::string_view text, ReportAlign align,
                                int field) {
  CanvasCall call = CanvasCall::Of(CanvasCall::kText, row, column);
  call.text = std::string(text);
  call.align = align;
  call.field = field;
  log_.push_back(call);
}

void RecordingCanvas::DrawLine(double row1, double column1, double row2, double column2) {
  log_.push_back(CanvasCall::Of(CanvasCall::kLine, row1, column1, row2, column2));
}

void RecordingCanvas::DrawDoubleLine(double row1, double column1, double row2, double column2) {
  log_.push_back(CanvasCall::Of(CanvasCall::kDoubleLine, row1, column1, row2, column2));
}

void RecordingCanvas::DrawPath(const CanvasPath& path, const PathPaint& paint) {
  CanvasCall call = CanvasCall::Of(CanvasCall::kPath);
  call.path = path;
  call.paint = paint;
  log_.push_back(call);
}

void RecordingCanvas::BeginClip(const CanvasPath& path, FillRule rule) {
  CanvasCall call = CanvasCall::Of(CanvasCall::kBeginClip);
  call.path = path;
  call.paint.fill_rule = rule;
  log_.push_back(call);
}

void RecordingCanvas::DrawImage(const std::shared_ptr<const BmpImage>& image, double x, double y,
                                double width, double height) {
  CanvasCall call = CanvasCall::Of(CanvasCall::kImage, y, x, height, width);
  call.image = image;
  log_.push_back(call);
}

void RecordingCanvas::PlaceInvisibleText(double row, double column, std::string_view text,
                                         const ReportFont& font) {
  CanvasCall call = CanvasCall::Of(CanvasCall::kInvisibleText, row, column);
  call.text = std::string(text);
  call.font = font;
  log_.push_back(call);
}

bool RecordingCanvas::Finish() {
  log_.push_back(CanvasCall::Of(CanvasCall::kFinish));
  return !fail_finish;
}

std::vector<std::string> TextsOf(const std::vector<CanvasCall>& calls) {
  std::vector<std::string> texts;
  for (const CanvasCall& call : calls) {
    if (call.kind == CanvasCall::kText) texts.push_back(call.text);
  }
  return texts;
}

std::vector<std::vector<std::string>> PagesOf(const std::vector<CanvasCall>& calls) {
  std::vector<std::vector<std::string>> pages(1);
  for (const CanvasCall& call : calls) {
    if (call.kind == CanvasCall::kNewPage) pages.emplace_back();
    if (call.kind == CanvasCall::kText) pages.back().push_back(call.text);
  }
  return pages;
}

std::unique_ptr<ReportCanvas> FakePrinter::OpenPrinterCanvas(PrintJobKind, std::string_view title) {
  if (cancel) return nullptr;
  titles.emplace_back(title);
  jobs.emplace_back();
  return std::make_unique<RecordingCanvas>(&jobs.back());
}

DatePatterns UsDatePatterns() { return DeriveDatePatterns("11/22/3344"); }

TestOutput::TestOutput(std::string folder)
    : services{PosixFileSystem(), ui, clock, shell, dates, &printer, &mail, std::move(folder), {}} {
}

}  // namespace zenkar::testing
