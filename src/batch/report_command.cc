// The report command: the Reports tab's run, with the file named on the
// command line instead of one named after the report's title.
//
// The report run writes its document into a scratch folder beside the file
// the user named and "opens" it when finished; here that hand-over is caught,
// and the finished document is renamed to the user's file (a failed report
// leaves that file as it was). --open then opens it as "Preview" does.
#include <stdlib.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "batch/commands.h"
#include "batch/lp_printer.h"
#include "batch/mail_commands.h"
#include "common/text_field.h"
#include "output/print_job.h"

namespace zenkar {
namespace {

// A private folder for the documents being made, removed with its contents.
class ScratchFolder {
 public:
  ScratchFolder() = default;
  ~ScratchFolder() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  // Makes the folder inside `parent` (ending in "/"); errno when it failed.
  int Create(const std::string& parent) {
    std::string name = parent + ".kxbatch-XXXXXX";
    if (mkdtemp(name.data()) == nullptr) return errno;
    path_ = name + "/";
    return 0;
  }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// Takes the finished documents the report run would show the user.
class DocumentCatcher : public Shell {
 public:
  explicit DocumentCatcher(Shell& shell) : shell_(shell) {}
  bool OpenDocument(const std::string& path) override {
    documents.push_back(path);
    return true;
  }
  bool OpenUrl(const std::string& url) override { return shell_.OpenUrl(url); }
  bool StartProgram(const std::string& program, const std::vector<std::string>& args,
                    const std::string& working_folder) override {
    return shell_.StartProgram(program, args, working_folder);
  }
  int RunProgram(const std::string& program, const std::vector<std::string>& args) override {
    return shell_.RunProgram(program, args);
  }

  std::vector<std::string> documents;

 private:
  Shell& shell_;
};

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? "./" : path.substr(0, slash + 1);
}

std::string TemporaryFolder() {
  const char* tmpdir = std::getenv("TMPDIR");
  std::string folder = tmpdir != nullptr && tmpdir[0] == '/' ? tmpdir : "/tmp";
  return folder.back() == '/' ? folder : folder + "/";
}

OutputTarget TargetOf(ReportDestination destination) {
  switch (destination) {
    case ReportDestination::kPdf:
      return OutputTarget::kPdf;
    case ReportDestination::kCsv:
      return OutputTarget::kText;
    case ReportDestination::kPrinter:
      return OutputTarget::kPrinter;
  }
  return OutputTarget::kPdf;
}

// The options the company keeps, each of which the command line may turn on.
ReportOptions OptionsOf(const ReportRequest& request, const CompanySettings& settings) {
  ReportOptions options;
  options.sort_entries = request.sort_entries || settings.sort_entries != 0;
  options.use_shading_bars = request.shading_bars || settings.use_shading_bars != 0;
  options.include_descriptions =
      request.include_descriptions || settings.transaction_listing_long != 0;
  options.omit_percentages = request.omit_percentages || settings.omit_percentages != 0;
  options.include_zero_balances =
      request.include_zero_balances || settings.include_zero_balances != 0;
  return options;
}

// The printer: the one asked for, else the settings' report printer.
std::string PrinterOf(const ReportRequest& request, const CompanySettings& settings) {
  if (!request.printer.empty()) return Utf8ToCp1252(request.printer);
  return std::string(Trim(settings.report_output.printer_name));
}

// Puts the finished document in the user's place, and shows it when asked.
bool Deliver(const ReportRequest& request, const std::string& document, CommandContext& context) {
  const std::string target = ResolvePath(request.file, context.env.current_folder);
  FileSystem& fs = context.env.fs;
  // An earlier FILE's permissions, owner and group carry over to the new one.
  Status s = fs.KeepAccessOf(target, document);
  if (s.ok()) s = fs.Rename(document, target);
  if (!s.ok()) {
    context.ui.Error("Error writing " + Utf8ToCp1252(target) + "\n\n" + s.message());
    return false;
  }
  if (!request.open || context.env.shell.OpenDocument(target)) return true;
  context.ui.Error(request.destination == ReportDestination::kPdf
                       ? std::string(kPdfOpenError)
                       : "Unable to open " + Utf8ToCp1252(target));
  return false;
}

bool CreateScratch(const std::string& parent, CommandContext& context, ScratchFolder* scratch) {
  if (const int error = scratch->Create(parent); error != 0) {
    context.ui.Error("Cannot write into " + Utf8ToCp1252(parent) + "\n\n" + std::strerror(error));
    return false;
  }
  return true;
}

}  // namespace

bool RunReport(const ReportRequest& request, CommandContext& context) {
  if (!OpenBooks(context)) return false;
  const bool to_printer = request.destination == ReportDestination::kPrinter;
  const std::string parent = to_printer
                                 ? TemporaryFolder()
                                 : FolderOf(ResolvePath(request.file, context.env.current_folder));
  ScratchFolder scratch;
  if (!CreateScratch(parent, context, &scratch)) return false;
  BatchEnvironment& env = context.env;
  const CompanySettings& settings = context.ledger.settings();
  DocumentCatcher catcher(env.shell);
  const OutputPorts ports{env.fs, context.ui, env.clock, catcher, env.dates, env.users};
  OutputServices services = MakeOutputServices(ports, nullptr, scratch.path(), "");
  // A printed report is a PDF handed to lp: it names the same user.
  LpPrinter printer({env.fs, context.ui, env.clock, env.shell, scratch.path(),
                     PrinterOf(request, settings), services.pdf_options});
  services.printer = &printer;
  const ReportRunRequest run{request.labels, TargetOf(request.destination),
                             request.period.value_or(DatePeriod(env.clock.Today())),
                             OptionsOf(request, settings)};
  if (!RunReports(BatchReports(), context.ledger, services, run).completed) return false;
  if (to_printer) return true;
  return !catcher.documents.empty() && Deliver(request, catcher.documents.back(), context);
}

// The report as "Send by E-Mail (PDF)" sends it: the PDF made in a private
// folder of the temporary files, mailed, and removed.
bool RunMailReport(const Invocation& invocation, CommandContext& context) {
  if (!OpenBooks(context)) return false;
  ScratchFolder scratch;
  if (!CreateScratch(TemporaryFolder(), context, &scratch)) return false;
  BatchEnvironment& env = context.env;
  const OutputPorts ports{env.fs, context.ui, env.clock, env.shell, env.dates, env.users};
  OutputServices services = MakeOutputServices(ports, nullptr, scratch.path(), "");
  BatchMail mail(context, invocation);
  ReportMailHandOff hand_off(mail.environment());
  services.mail = &hand_off;
  const ReportRequest& request = invocation.report;
  const ReportRunRequest run{request.labels, OutputTarget::kPdfMail,
                             request.period.value_or(DatePeriod(env.clock.Today())),
                             OptionsOf(request, context.ledger.settings())};
  return RunReports(BatchReports(), context.ledger, services, run).completed;
}

}  // namespace zenkar
