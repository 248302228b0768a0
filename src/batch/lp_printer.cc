#include "batch/lp_printer.h"

#include <vector>

#include "common/text_field.h"
#include "output/pdf_canvas.h"

namespace zenkar {
namespace {

// A PDF canvas whose finished document goes to lp and is then removed.
class LpCanvas : public ForwardingCanvas {
 public:
  LpCanvas(const LpSetup& setup, std::unique_ptr<PdfCanvas> pdf, std::string path,
           std::string title)
      : ForwardingCanvas(std::move(pdf)),
        setup_(setup),
        path_(std::move(path)),
        title_(std::move(title)) {}
  ~LpCanvas() override {
    // Unfinished, the PDF canvas drops its document itself. A sent one is
    // lp's now; one left behind goes with the scratch folder.
    if (finished_) (void)setup_.fs.RemoveFile(path_);
  }

  bool Finish() override {
    if (!ForwardingCanvas::Finish()) return false;
    finished_ = true;
    return Send();
  }

 private:
  bool Send() {
    std::vector<std::string> args;
    if (!setup_.printer.empty()) args = {"-d", Cp1252ToUtf8(setup_.printer)};
    args.insert(args.end(), {"-t", Cp1252ToUtf8(title_), path_});
    const int status = setup_.shell.RunProgram("lp", args);
    if (status == 0) return true;
    setup_.ui.Error(status < 0 ? std::string(kNoPrinters)
                               : UnableToAccessPrinterMessage(setup_.printer));
    return false;
  }

  const LpSetup& setup_;
  std::string path_;  // the PDF's file
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
  std::string file = pdf->file_name();
  return std::make_unique<LpCanvas>(setup_, std::move(pdf), std::move(file), std::string(title));
}

}  // namespace zenkar
