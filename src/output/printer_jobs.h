// PrinterJobs: the printer port of the desktop program, without widgets.
//
// Each report is drawn into a PDF file of its own in a spool folder, on the
// same geometry as the PDF preview, and the finished file is handed to the
// printing system with the chosen options; that is also how Qt's own CUPS
// printing works, and it means a report that stops half-way is dropped with
// its file and never reaches the printer.
//
// The "Printing Options" dialog is shown once per run: the reports after the
// first go to the same printer with the same options. Unless "Print as
// Separate Documents" is ticked, the reports of one run are held until the
// run ends and sent as one job, in run order.
#ifndef ZENKAR_OUTPUT_PRINTER_JOBS_H_
#define ZENKAR_OUTPUT_PRINTER_JOBS_H_

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/file_system.h"
#include "common/ui.h"
#include "ledger/ledger.h"
#include "output/print_job.h"
#include "output/printing_options.h"

namespace zenkar {

// How one job's canvas is to be drawn.
struct SpoolSetup {
  SheetSize sheet;
  int additional_top_margin_half_lines = 0;
  ReportFont initial_font;
};

// Makes the canvas that draws one job into the PDF file `path` (the Qt
// printer canvas on the desktop); nothing when it cannot.
class SpoolCanvasMaker {
 public:
  virtual ~SpoolCanvasMaker() = default;
  virtual std::unique_ptr<ReportCanvas> MakeCanvas(const std::string& path,
                                                   const SpoolSetup& setup) = 0;
};

// Shows the "Printing Options" dialog over a loaded form; true for OK.
class PrintingOptionsAsker {
 public:
  virtual ~PrintingOptionsAsker() = default;
  virtual bool AskPrintingOptions(PrintingOptionsForm& form) = 0;
};

struct PrinterJobsSetup {
  Ledger& ledger;  // the settings keep the printer choices
  Ui& ui;
  FileSystem& fs;
  PrinterSystem& system;
  PrintingOptionsAsker& asker;
  SpoolCanvasMaker& maker;
  std::string spool_folder;              // ends in "/"
  std::vector<std::string> check_types;  // the dialog's "Check Type" list
};

class PrinterJobs : public PrinterCanvasFactory {
 public:
  explicit PrinterJobs(PrinterJobsSetup setup) : setup_(std::move(setup)) {}
  ~PrinterJobs() override;

  std::unique_ptr<ReportCanvas> OpenPrinterCanvas(PrintJobKind kind,
                                                  std::string_view title) override;
  void RunStarting() override;
  bool RunFinished() override;

  // False when the last run's held documents could not be sent.
  bool last_run_sent() const { return last_run_sent_; }

  // A finished document: sent now, or held for the end of the run. False
  // when it could not be sent (reported).
  bool DocumentFinished(const std::string& path, std::string_view title);
  // A document dropped before it was finished.
  void DocumentAbandoned(const std::string& path);

 private:
  struct Held {
    std::string path;
    std::string title;
  };
  std::optional<PrintingOptions> ChooseOptions(PrintJobKind kind);
  bool Send(std::vector<Held> documents);
  void Remove(const std::vector<Held>& documents);

  PrinterJobsSetup setup_;
  // The last choice of each kind, proposed again during the program run.
  std::array<std::optional<PrintingOptions>, 3> last_;
  bool in_run_ = false;
  // The choice serving the current run, once made.
  std::optional<PrintingOptions> run_options_;
  PrintJobKind run_kind_ = PrintJobKind::kReport;
  PrintingOptions job_options_;
  std::vector<Held> held_;
  bool last_run_sent_ = true;
  int documents_ = 0;
};

}  // namespace zenkar

#endif  // ZENKAR_OUTPUT_PRINTER_JOBS_H_
