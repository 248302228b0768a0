// PrintJob: the output primitives every report, check run and list writes
// through, over the canvas of the chosen output target.
//
// A report calls StartPrintJob once, then PrintText, PrintAmount,
// SetReportFont, NewLine, NewPage, PrintPageFooter and PrintPreparedLine in
// report units (rows of 1/6 inch, columns of 1/10 inch; report_canvas.h), and
// ends with EndPrintJob. The same calls produce the printed pages, the PDF
// document or the CSV file, so a report body is written once for all targets.
//
// Row arguments: a non-zero row first moves the job to that row; row 0 means
// the current row. NewLine moves one row down (and ends the CSV line).
//
// One job is open at a time. A job dropped before EndPrintJob (a report that
// failed half-way) abandons its document: nothing half-written is left under
// the user's file name and no partial print job is sent.
#ifndef ZENKAR_OUTPUT_PRINT_JOB_H_
#define ZENKAR_OUTPUT_PRINT_JOB_H_

#include <memory>
#include <string>
#include <string_view>

#include "common/clock.h"
#include "common/date_patterns.h"
#include "common/file_system.h"
#include "common/login_user.h"
#include "common/money.h"
#include "common/shell.h"
#include "common/ui.h"
#include "output/pdf_writer.h"
#include "output/report_canvas.h"

namespace zenkar {

enum class OutputTarget {
  kPrinter,  // "Print"
  kPdf,      // "Preview / Save (PDF)": the finished file is opened
  kPdfMail,  // "Send by E-Mail (PDF)": the finished file is handed to mail
  kText,     // "View / Save (CSV)"
};

// The kinds of document the printer options keep separate settings for.
enum class PrintJobKind { kReport, kCheck, kLabels };

inline constexpr std::string_view kPdfOpenError =
    "Error attempting to open PDF file. Reinstall your preferred PDF reading software. Adobe "
    "offers their Acrobat Reader at no cost.";
inline constexpr std::string_view kFontNotSet = "Desired font settings could not be set";
// The title a report PDF is mailed under.
inline constexpr std::string_view kMailedReportTitle = "Accounting Report";

// The printer port, implemented by the desktop program over its printing
// system: shows the "Printing Options" dialog for the kind of document, keeps
// the chosen printer, source and font in the company settings, and opens the
// print job.
class PrinterCanvasFactory {
 public:
  virtual ~PrinterCanvasFactory() = default;
  // The canvas of a new print job titled `title`, or nothing when the user
  // cancelled or the printer could not be used (the factory has said why).
  // Destroying the canvas before Finish() abandons the job.
  virtual std::unique_ptr<ReportCanvas> OpenPrinterCanvas(PrintJobKind kind,
                                                          std::string_view title) = 0;
  // A run of several reports to the printer begins and ends around their
  // jobs, so that one "Printing Options" dialog may serve the whole run.
  virtual void RunStarting() {}
  virtual void RunFinished() {}
};

// Where a finished PDF of the PdfMail target goes: the mail service
// implements it (attaching the file to a message under `title`).
class PdfMailHandOff {
 public:
  virtual ~PdfMailHandOff() = default;
  // True when the file was handed over (sent, or queued by the user).
  virtual bool SendPdf(const std::string& pdf_path, std::string_view title) = 0;
};

// What the primitives need of the program around them.
struct OutputServices {
  FileSystem& fs;
  Ui& ui;
  const Clock& clock;
  Shell& shell;
  const DatePatterns& dates;
  PrinterCanvasFactory* printer = nullptr;  // none: no printer target
  PdfMailHandOff* mail = nullptr;           // none: no mail target
  // The folder PDF and CSV documents are written to (ending in "/", or empty
  // for the current folder); a document is named after its job's title.
  std::string output_folder;
  PdfWriterOptions pdf_options;
};

// The ports of the program around the output primitives.
struct OutputPorts {
  FileSystem& fs;
  Ui& ui;
  const Clock& clock;
  Shell& shell;
  const DatePatterns& dates;
  const UserDirectory& users;
};

// The one way OutputServices are made: documents go to `output_folder` (a
// "/" is added to a folder without it; empty is the current folder), a PDF
// names `web_host` in /Creator and the installation's user (from
// `ports.users`) in /Author. No mail target.
OutputServices MakeOutputServices(const OutputPorts& ports, PrinterCanvasFactory* printer,
                                  std::string output_folder, std::string web_host);

class PrintJob {
 public:
  PrintJob(OutputServices& services, OutputTarget target) : services_(services), target_(target) {}
  ~PrintJob() = default;
  PrintJob(const PrintJob&) = delete;
  PrintJob& operator=(const PrintJob&) = delete;

  OutputTarget target() const { return target_; }
  OutputServices& services() { return services_; }

  // Opens the canvas of the target: the printer's (through its port), a PDF
  // document or a CSV file named after `title` in the output folder. False
  // when the user cancelled or nothing could be opened (reported).
  bool StartPrintJob(PrintJobKind kind, std::string_view title);

  // `text` at `row`, `column`, or as CSV field `field` of the current line.
  void PrintText(double row, double column, std::string_view text, int field = 1,
                 ReportAlign align = ReportAlign::kLeft);
  // `amount` in number style `style` (number_format.h), right-aligned at
  // `column`; as CSV field `field` on the Text target.
  void PrintAmount(double row, double column, Money amount, int style = 0, int field = 1);
  // Selects the report font; "Desired font settings could not be set" and
  // false when the canvas refuses it.
  bool SetReportFont(std::string_view name, double size, FontStyle style);
  // "Page n of m" right-aligned at column 78; nothing on the Text target.
  void PrintPageFooter(int page, int pages, double row = 0);
  // "Prepared: " and today's date in the user's date format.
  void PrintPreparedLine(double row = 0, double column = 5);
  void DrawLine(double row1, double column1, double row2, double column2);
  void DrawDoubleLine(double row1, double column1, double row2, double column2);
  // Paths, clips and images in points from the sheet's top-left corner, and
  // invisible text in report units, as the canvas draws them
  // (report_canvas.h); nothing on the Text target.
  void DrawPath(const CanvasPath& path, const PathPaint& paint = {});
  void BeginClip(const CanvasPath& path, FillRule rule = FillRule::kNonZero);
  void EndClip();
  void DrawImage(const std::shared_ptr<const BmpImage>& image, double x, double y, double width,
                 double height);
  void PrintInvisibleText(double row, double column, std::string_view text, const ReportFont& font);
  void NewLine();
  void NewPage();

  // Completes the document: the print job is sent, or the PDF is finished
  // and opened (Pdf) or handed to mail (PdfMail), or the CSV is finished and
  // opened. False when the document could not be completed or handed over.
  bool EndPrintJob();
  // Drops the open document without completing it.
  void AbandonPrintJob() { canvas_.reset(); }

  bool started() const { return canvas_ != nullptr; }
  // False on the Text target, which has no pages, positions or footers.
  bool positioned() const { return canvas_ != nullptr && canvas_->positioned(); }
  double row() const { return row_; }
  ReportCanvas* canvas() { return canvas_.get(); }
  // The PDF or CSV file of the job; empty for the printer.
  const std::string& document_path() const { return document_path_; }

 private:
  void MoveTo(double row) {
    if (row != 0) row_ = row;
  }
  std::unique_ptr<ReportCanvas> OpenCanvas(PrintJobKind kind, std::string_view title);
  bool HandOver();

  OutputServices& services_;
  OutputTarget target_;
  std::unique_ptr<ReportCanvas> canvas_;
  std::string document_path_;
  double row_ = 0;
};

// The right edge of the page footer, in columns.
inline constexpr double kPageFooterColumn = 78;

}  // namespace zenkar

#endif  // ZENKAR_OUTPUT_PRINT_JOB_H_
