#include "batch/lp_printer.h"

#include <vector>

#include "common/text_field.h"
#include "output/pdf_canvas.h"

namespace zenkar {
namespace {

// A PDF canvas whose finished document goes to lp and is then removed.
class LpCanvas : public ReportCanvas {
 public:
  LpCanvas(const LpSetup& setup, std::unique_ptr<PdfCanvas> pdf, std::string title)
      : setup_(setup), pdf_(std::move(pdf)), title_(std::move(title)) {}
  ~LpCanvas() override {
    // Unfinished, the PDF canvas drops its document itself.
    if (finished_) setup_.fs.RemoveFile(pdf_->file_name());
  }

  bool SetFont(const ReportFont& font) override { return pdf_->SetFont(font); }
  void PlaceText(double row, double column, std::string_view text, ReportAlign align,
                 int field) override {
    pdf_->PlaceText(row, column, text, align, field);
  }
  void DrawLine(double row1, double column1, double row2, double column2) override {
    pdf_->DrawLine(row1, column1, row2, column2);
  }
  void DrawDoubleLine(double row1, double column1, double row2, double column2) override {
    pdf_->DrawDoubleLine(row1, column1, row2, column2);
  }
  void EndLine() override { pdf_->EndLine(); }
  void NewPage() override { pdf_->NewPage(); }

  bool Finish() override {
    if (!pdf_->Finish()) return false;
    finished_ = true;
    return Send();
  }

 private:
  bool Send() {
    std::vector<std::string> args;
    if (!setup_.printer.empty()) args = {"-d", Cp1252ToUtf8(setup_.printer)};
    args.insert(args.end(), {"-t", Cp1252ToUtf8(title_), pdf_->file_name()});
    const int status = setup_.shell.RunProgram("lp", args);
    if (status == 0) return true;
    setup_.ui.Error(status < 0 ? std::string(kNoPrinters)
                               : UnableToAccessPrinterMessage(setup_.printer));
    return false;
  }

  const LpSetup& setup_;
  std::unique_ptr<PdfCanvas> pdf_;
  std::string title_;
  bool finished_ = false;
};

}  // namespace

std::string UnableToAccessPrinterMessage(std::string_view printer) {
  const std::string name = printer.empty() ? "the default printer" : std::string(printer);
  return "Unable to access " + name +
         ", select a different printer or reinstall the printer software.";
}

std::unique_ptr<ReportCanvas> LpPrinter::OpenPrinterCanvas(PrintJobKind, std::string_view title) {
  const std::string path = setup_.scratch_folder + "print-job-" + std::to_string(++jobs_);
  std::unique_ptr<PdfCanvas> pdf =
      PdfCanvas::Start(setup_.fs, setup_.ui, setup_.clock, setup_.pdf_options, path);
  if (pdf == nullptr) return nullptr;
  return std::make_unique<LpCanvas>(setup_, std::move(pdf), std::string(title));
}

}  // namespace zenkar
