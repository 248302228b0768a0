#include "batch/documents.h"

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

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
}

int ScratchFolder::Create(const std::string& parent) {
  std::string name = parent + ".kxbatch-XXXXXX";
  if (mkdtemp(name.data()) == nullptr) return errno;
  path_ = name + "/";
  return 0;
}

Status ScratchFileSystem::Rename(const std::string& from, const std::string& to) {
  const std::string& folder = scratch_.path();  // ends in "/"
  const bool within = !folder.empty() && from.starts_with(folder) && to.starts_with(folder);
  return within ? base().RenameUnflushed(from, to) : FileSystemWrapper::Rename(from, to);
}

bool CreateScratchFor(const std::string& file, CommandContext& context, ScratchFolder* scratch) {
  const std::string parent =
      file.empty() ? TemporaryFolder() : FolderOf(ResolvePath(file, context.env.current_folder));
  if (const int error = scratch->Create(parent); error != 0) {
    context.ui.Error("Cannot write into " + Utf8ToCp1252(parent) + "\n\n" + std::strerror(error));
    return false;
  }
  return true;
}

bool DeliverDocument(const std::string& document, const std::string& file, bool open,
                     const std::string& open_error, CommandContext& context) {
  const std::string target = ResolvePath(file, context.env.current_folder);
  FileSystem& fs = context.env.fs;
  // An earlier FILE's permissions, owner and group carry over to the new one.
  Status s = fs.KeepAccessOf(target, document);
  if (s.ok()) s = fs.Rename(document, target);
  if (!s.ok()) {
    context.ui.Error("Error writing " + Utf8ToCp1252(target) + "\n\n" + s.message());
    return false;
  }
  if (!open || context.env.shell.OpenDocument(target)) return true;
  context.ui.Error(open_error);
  return false;
}

CommandDocuments::CommandDocuments(CommandContext& context, const DocumentRequest& request)
    : context_(context), request_(request), catcher_(context.env.shell) {}

bool CommandDocuments::Prepare() {
  const bool to_printer = request_.destination == ReportDestination::kPrinter;
  if (!CreateScratchFor(to_printer ? "" : request_.file, context_, &scratch_)) return false;
  BatchEnvironment& env = context_.env;
  scratch_fs_.emplace(env.fs, scratch_);
  const OutputPorts ports{*scratch_fs_, context_.ui, env.clock, catcher_, env.dates, env.users};
  services_.emplace(MakeOutputServices(ports, nullptr, scratch_.path(), ""));
  // A printed document is a PDF handed to lp: it names the same user.
  printer_ = std::make_unique<LpPrinter>(
      LpSetup{*scratch_fs_, context_.ui, env.clock, env.shell, scratch_.path(),
              PrinterOf(request_, context_.ledger.settings()), services_->pdf_options});
  services_->printer = printer_.get();
  return true;
}

bool CommandDocuments::Deliver() {
  if (request_.destination == ReportDestination::kPrinter) return true;
  if (catcher_.documents.empty()) return false;
  const std::string open_error =
      request_.destination == ReportDestination::kPdf
          ? std::string(kPdfOpenError)
          : "Unable to open " +
                Utf8ToCp1252(ResolvePath(request_.file, context_.env.current_folder));
  return DeliverDocument(catcher_.documents.back(), request_.file, request_.open, open_error,
                         context_);
}

}  // namespace zenkar
