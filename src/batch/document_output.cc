#include "batch/document_output.h"

#include <stdlib.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "common/text_field.h"

namespace zenkar {
namespace {

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? "./" : path.substr(0, slash + 1);
}

std::string TemporaryFolder() {
  const char* tmpdir = std::getenv("TMPDIR");
  std::string folder = tmpdir != nullptr && tmpdir[0] == '/' ? tmpdir : "/tmp";
  return folder.back() == '/' ? folder : folder + "/";
}

// The printer: the one asked for, else the settings' report printer.
std::string PrinterOf(const DocumentRequest& request, const CompanySettings& settings) {
  if (!request.printer.empty()) return Utf8ToCp1252(request.printer);
  return std::string(Trim(settings.report_output.printer_name));
}

}  // namespace

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

bool CommandDocuments::DocumentCatcher::OpenDocument(const std::string& path) {
  documents.push_back(path);
  return true;
}

CommandDocuments::CommandDocuments(CommandContext& context, const DocumentRequest& request)
    : context_(context), request_(request), catcher_(context.env.shell) {}

CommandDocuments::~CommandDocuments() {
  std::error_code ignored;
  if (!scratch_.empty()) std::filesystem::remove_all(scratch_, ignored);
}

bool CommandDocuments::Prepare() {
  const bool to_printer = request_.destination == ReportDestination::kPrinter;
  const std::string parent =
      to_printer ? TemporaryFolder()
                 : FolderOf(ResolvePath(request_.file, context_.env.current_folder));
  std::string name = parent + ".kxbatch-XXXXXX";
  if (mkdtemp(name.data()) == nullptr) {
    context_.ui.Error("Cannot write into " + Utf8ToCp1252(parent) + "\n\n" + std::strerror(errno));
    return false;
  }
  scratch_ = name + "/";
  BatchEnvironment& env = context_.env;
  const OutputPorts ports{env.fs, context_.ui, env.clock, catcher_, env.dates, env.users};
  services_.emplace(MakeOutputServices(ports, nullptr, scratch_, ""));
  // A printed document is a PDF handed to lp: it names the same user.
  printer_ = std::make_unique<LpPrinter>(
      LpSetup{env.fs, context_.ui, env.clock, env.shell, scratch_,
              PrinterOf(request_, context_.ledger.settings()), services_->pdf_options});
  services_->printer = printer_.get();
  return true;
}

bool CommandDocuments::Deliver() {
  if (request_.destination == ReportDestination::kPrinter) return true;
  if (catcher_.documents.empty()) return false;
  const std::string target = ResolvePath(request_.file, context_.env.current_folder);
  FileSystem& fs = context_.env.fs;
  // An earlier FILE's permissions, owner and group carry over to the new one.
  Status s = fs.KeepAccessOf(target, catcher_.documents.back());
  if (s.ok()) s = fs.Rename(catcher_.documents.back(), target);
  if (!s.ok()) {
    context_.ui.Error("Error writing " + Utf8ToCp1252(target) + "\n\n" + s.message());
    return false;
  }
  if (!request_.open || context_.env.shell.OpenDocument(target)) return true;
  context_.ui.Error(request_.destination == ReportDestination::kPdf
                        ? std::string(kPdfOpenError)
                        : "Unable to open " + Utf8ToCp1252(target));
  return false;
}

}  // namespace zenkar
