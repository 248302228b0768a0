// Test doubles of the output ports: a canvas that records what is drawn on
// it, a printer port handing out such canvases, a shell and a mail hand-off
// that remember what they were given, and the services bundle around them.
#ifndef ZENKAR_TESTS_OUTPUT_OUTPUT_FAKES_H_
#define ZENKAR_TESTS_OUTPUT_OUTPUT_FAKES_H_

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "common/date_patterns.h"
#include "common/shell.h"
#include "output/print_job.h"
#include "output/report_canvas.h"
#include "support/fixed_clock.h"
#include "support/scripted_ui.h"

namespace zenkar::testing {

// One drawing call on a canvas.
struct CanvasCall {
  enum Kind {
    kFont,
    kText,
    kLine,
    kDoubleLine,
    kEndLine,
    kNewPage,
    kFinish,
    kPath,
    kBeginClip,
    kEndClip,
    kImage,
    kInvisibleText,
  };
  static CanvasCall Of(Kind kind, double row = 0, double column = 0, double row2 = 0,
                       double column2 = 0) {
    CanvasCall call;
    call.kind = kind;
    call.row = row;
    call.column = column;
    call.row2 = row2;
    call.column2 = column2;
    return call;
  }
  Kind kind = kText;
  double row = 0;
  double column = 0;
  double row2 = 0;
  double column2 = 0;
  std::string text;
  ReportAlign align = ReportAlign::kLeft;
  int field = 0;
  ReportFont font;                        // kFont; kInvisibleText: its own font
  CanvasPath path;                        // kPath, kBeginClip
  PathPaint paint;                        // kPath
  std::shared_ptr<const BmpImage> image;  // kImage, drawn at column = x, row = y,
                                          // column2 = width, row2 = height (points)
};

class RecordingCanvas : public ReportCanvas {
 public:
  // `log` outlives the canvas, so a test can read it after the job is done.
  explicit RecordingCanvas(std::vector<CanvasCall>* log) : log_(*log) {}

  bool refuse_fonts = false;
  bool fail_finish = false;
  double paper_factor = 1;
  int top_margin_half_lines = 0;

  double paper_length_factor() const override { return paper_factor; }
  int additional_top_margin_half_lines() const override { return top_margin_half_lines; }
  bool SetFont(const ReportFont& font) override;
  void PlaceText(double row, double column, std::string_view text, ReportAlign align,
                 int field) override;
  void DrawLine(double row1, double column1, double row2, double column2) override;
  void DrawDoubleLine(double row1, double column1, double row2, double column2) override;
  void DrawPath(const CanvasPath& path, const PathPaint& paint) override;
  void BeginClip(const CanvasPath& path, FillRule rule) override;
  void EndClip() override { log_.push_back(CanvasCall::Of(CanvasCall::kEndClip)); }
  void DrawImage(const std::shared_ptr<const BmpImage>& image, double x, double y, double width,
                 double height) override;
  void PlaceInvisibleText(double row, double column, std::string_view text,
                          const ReportFont& font) override;
  void EndLine() override { log_.push_back(CanvasCall::Of(CanvasCall::kEndLine)); }
  void NewPage() override { log_.push_back(CanvasCall::Of(CanvasCall::kNewPage)); }
  bool Finish() override;

 private:
  std::vector<CanvasCall>& log_;
};

// The texts placed, in order.
std::vector<std::string> TextsOf(const std::vector<CanvasCall>& calls);
// The texts of each page, in order.
std::vector<std::vector<std::string>> PagesOf(const std::vector<CanvasCall>& calls);

// The printer port: each job gets a recording canvas; `cancel` answers the
// options dialog with Cancel.
class FakePrinter : public PrinterCanvasFactory {
 public:
  std::unique_ptr<ReportCanvas> OpenPrinterCanvas(PrintJobKind kind,
                                                  std::string_view title) override;
  void RunStarting() override { ++runs_started; }
  void RunFinished() override { ++runs_finished; }

  bool cancel = false;
  std::vector<std::string> titles;           // of the jobs opened, in order
  std::deque<std::vector<CanvasCall>> jobs;  // a deque: canvases keep references
  int runs_started = 0;
  int runs_finished = 0;
};

class FakeShell : public Shell {
 public:
  bool OpenDocument(const std::string& path) override {
    opened.push_back(path);
    return opens;
  }
  bool OpenUrl(const std::string&) override { return false; }
  bool StartProgram(const std::string&, const std::vector<std::string>&,
                    const std::string&) override {
    return false;
  }
  int RunProgram(const std::string&, const std::vector<std::string>&) override { return -1; }

  bool opens = true;
  std::vector<std::string> opened;
};

class FakeMail : public PdfMailHandOff {
 public:
  bool SendPdf(const std::string& path, std::string_view title) override {
    sent.push_back({path, std::string(title)});
    return true;
  }
  std::vector<std::pair<std::string, std::string>> sent;
};

// US date patterns ("MM/dd/yyyy").
DatePatterns UsDatePatterns();

// The services of a test: the real file system, a scripted Ui, a fixed
// clock, the fakes above, documents written to `folder`.
struct TestOutput {
  explicit TestOutput(std::string folder);
  ScriptedUi ui;
  FixedClock clock{{2026, 3, 14, 9, 30, 0}, 60};
  FakeShell shell;
  FakePrinter printer;
  FakeMail mail;
  DatePatterns dates = UsDatePatterns();
  OutputServices services;
};

}  // namespace zenkar::testing

#endif  // ZENKAR_TESTS_OUTPUT_OUTPUT_FAKES_H_
