// The printer of the desktop programs: the printer jobs over CUPS, the Qt
// printer canvas and the "Printing Options" dialog.
//
// The printers and the default sheet come from QPrinterInfo; the paper
// sources ("media-source") and the job itself go through the CUPS client
// library, loaded when first needed, so that a machine without it still runs
// the program and is told it cannot reach a printer.
#ifndef ZENKAR_PLATFORM_DESKTOP_PRINTER_H_
#define ZENKAR_PLATFORM_DESKTOP_PRINTER_H_

#include <QTemporaryDir>
#include <memory>
#include <string>
#include <vector>

#include "output/printer_jobs.h"
#include "output/printing_options.h"
#include "platform/printing_options_dialog.h"

namespace zenkar {

class QtPrinterSystem : public PrinterSystem {
 public:
  std::vector<std::string> PrinterNames() override;
  std::string DefaultPrinterName() override;
  std::optional<std::vector<PaperSource>> PaperSources(std::string_view printer) override;
  SheetSize DefaultSheet(std::string_view printer) override;
  std::vector<std::string> ReportFontNames() override;
  bool Submit(const PrintSubmission& job) override;
};

// Draws each job with the Qt printer canvas.
class QtSpoolCanvasMaker : public SpoolCanvasMaker {
 public:
  std::unique_ptr<ReportCanvas> MakeCanvas(const std::string& path,
                                           const SpoolSetup& setup) override;
};

class DesktopPrinter : public PrinterCanvasFactory {
 public:
  // `check_types` is the "Check Type" list the dialog offers for checks.
  DesktopPrinter(Ledger& ledger, Ui& ui, FileSystem& fs, std::vector<std::string> check_types);

  std::unique_ptr<ReportCanvas> OpenPrinterCanvas(PrintJobKind kind,
                                                  std::string_view title) override {
    return jobs_.OpenPrinterCanvas(kind, title);
  }
  void RunStarting() override { jobs_.RunStarting(); }
  bool RunFinished() override { return jobs_.RunFinished(); }

  // False when the last run's reports could not be sent to the printer.
  bool last_run_sent() const { return jobs_.last_run_sent(); }
  PrinterSystem& system() { return system_; }

 private:
  static std::string SpoolFolder(const QTemporaryDir& folder);

  QTemporaryDir spool_;
  QtPrinterSystem system_;
  QtPrintingOptionsAsker asker_;
  QtSpoolCanvasMaker maker_;
  PrinterJobs jobs_;
};

}  // namespace zenkar

#endif  // ZENKAR_PLATFORM_DESKTOP_PRINTER_H_
