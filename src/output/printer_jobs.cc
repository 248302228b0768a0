#include "output/printer_jobs.h"

namespace zenkar {
namespace {

// The canvas a report writes on: the spool canvas, which hands its finished
// file to the jobs, or drops it when the report did not finish.
class SpooledCanvas : public ForwardingCanvas {
 public:
  SpooledCanvas(PrinterJobs& jobs, std::unique_ptr<ReportCanvas> canvas, std::string path,
                std::string_view title)
      : ForwardingCanvas(std::move(canvas)), jobs_(jobs), path_(std::move(path)), title_(title) {}
  ~SpooledCanvas() override {
    if (finished_) return;
    CloseInner();
    jobs_.DocumentAbandoned(path_);
  }

  bool Finish() override {
    if (finished_) return false;
    const bool drawn = ForwardingCanvas::Finish();
    CloseInner();
    finished_ = true;
    if (!drawn) {
      jobs_.DocumentAbandoned(path_);
      return false;
    }
    return jobs_.DocumentFinished(path_, title_);
  }

 private:
  PrinterJobs& jobs_;
  std::string path_;
  std::string title_;
  bool finished_ = false;
};

}  // namespace

PrinterJobs::~PrinterJobs() { Remove(held_); }

std::unique_ptr<ReportCanvas> PrinterJobs::OpenPrinterCanvas(PrintJobKind kind,
                                                             std::string_view title) {
  std::optional<PrintingOptions> options = ChooseOptions(kind);
  if (!options) return nullptr;
  job_options_ = *options;
  SpoolSetup spool;
  spool.sheet = setup_.system.DefaultSheet(options->printer);
  if (kind == PrintJobKind::kCheck) {
    spool.additional_top_margin_half_lines = options->additional_top_margin;
  }
  spool.initial_font = {FontFamilyOf(options->font_name), static_cast<double>(options->font_size),
                        FontStyleOf(options->font_style)};
  const std::string path = setup_.spool_folder + "job-" + std::to_string(++documents_) + ".pdf";
  std::unique_ptr<ReportCanvas> canvas = setup_.maker.MakeCanvas(path, spool);
  if (canvas == nullptr) {
    setup_.ui.Error(UnableToAccessMessage(options->printer));
    return nullptr;
  }
  return std::make_unique<SpooledCanvas>(*this, std::move(canvas), path, title);
}

std::optional<PrintingOptions> PrinterJobs::ChooseOptions(PrintJobKind kind) {
  if (in_run_ && run_options_ && run_kind_ == kind) return run_options_;
  PrintingOptionsForm form(setup_.system, setup_.ui, kind, setup_.check_types);
  std::optional<PrintingOptions>& last = last_[static_cast<int>(kind)];
  if (!form.Load(setup_.ledger.settings(), last ? &*last : nullptr)) return std::nullopt;
  if (!setup_.asker.AskPrintingOptions(form)) return std::nullopt;
  StorePrintingOptions(form.options(), kind, setup_.ledger.settings());
  // A failed save has been reported; the job still prints with the choice.
  setup_.ledger.SaveCompanySettings();
  last = form.options();
  if (in_run_) {
    run_options_ = form.options();
    run_kind_ = kind;
  }
  return form.options();
}

void PrinterJobs::RunStarting() {
  Remove(held_);
  held_.clear();
  in_run_ = true;
  run_options_.reset();
  last_run_sent_ = true;
}

bool PrinterJobs::RunFinished() {
  in_run_ = false;
  run_options_.reset();
  if (!held_.empty()) last_run_sent_ = Send(std::move(held_));
  held_.clear();
  return last_run_sent_;
}

bool PrinterJobs::DocumentFinished(const std::string& path, std::string_view title) {
  if (in_run_ && !job_options_.separate_documents) {
    held_.push_back({path, std::string(title)});
    return true;
  }
  return Send({{path, std::string(title)}});
}

// Spool files live in the program's own spool folder: one that cannot be
// removed is clutter there, never a document the user sees.
void PrinterJobs::DocumentAbandoned(const std::string& path) { (void)setup_.fs.RemoveFile(path); }

bool PrinterJobs::Send(std::vector<Held> documents) {
  PrintSubmission job;
  job.printer = job_options_.printer;
  job.title = documents.front().title;
  for (const Held& document : documents) job.files.push_back(document.path);
  job.options = JobOptionsOf(job_options_);
  bool sent = false;
  {
    BusyCursor busy(setup_.ui);
    setup_.ui.SetProgress(kCommunicatingWithPrinter, 0, 0);
    sent = setup_.system.Submit(job);
    setup_.ui.ClearProgress();
  }
  if (!sent) setup_.ui.Error(UnableToAccessMessage(job.printer));
  Remove(documents);
  return sent;
}

void PrinterJobs::Remove(const std::vector<Held>& documents) {
  for (const Held& document : documents) (void)setup_.fs.RemoveFile(document.path);
}

}  // namespace zenkar
