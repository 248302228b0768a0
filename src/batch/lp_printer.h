// LpPrinter: the printer port of the command-line program, over CUPS.
//
// There is no "Printing Options" dialog without a display: each print job is
// drawn into a PDF in a scratch folder and, once finished, handed to CUPS
// with `lp [-d PRINTER] -t TITLE FILE` through the Shell port. The printer is
// the one named on the command line, else the report printer of the company
// settings ("Rpt Prn"), else CUPS's default destination.
#ifndef ZENKAR_BATCH_LP_PRINTER_H_
#define ZENKAR_BATCH_LP_PRINTER_H_

#include <memory>
#include <string>
#include <string_view>

#include "common/clock.h"
#include "common/file_system.h"
#include "common/shell.h"
#include "common/ui.h"
#include "output/pdf_writer.h"
#include "output/print_job.h"

namespace zenkar {

// Shown when lp cannot be started at all.
inline constexpr std::string_view kNoPrinters =
    "CUPS is reporting no printers are available. Install/reinstall at least one printer.";
// "Unable to access " + printer + ", select a different printer or reinstall
// the printer software." (the default destination when no printer is named).
std::string UnableToAccessPrinterMessage(std::string_view printer);

struct LpSetup {
  FileSystem& fs;
  Ui& ui;
  const Clock& clock;
  Shell& shell;
  std::string scratch_folder;  // ends in "/"
  std::string printer;         // Windows-1252 like the settings; empty: CUPS's default
  PdfWriterOptions pdf_options;
};

class LpPrinter : public PrinterCanvasFactory {
 public:
  explicit LpPrinter(LpSetup setup) : setup_(std::move(setup)) {}

  std::unique_ptr<ReportCanvas> OpenPrinterCanvas(PrintJobKind kind,
                                                  std::string_view title) override;

 private:
  LpSetup setup_;
  int jobs_ = 0;
};

}  // namespace zenkar

#endif  // ZENKAR_BATCH_LP_PRINTER_H_
