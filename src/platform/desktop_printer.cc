#include "platform/desktop_printer.h"

#include <dlfcn.h>

#include <QByteArray>
#include <QPageSize>
#include <QPrinterInfo>

#include "platform/printer_canvas.h"
#include "platform/text_conversion.h"

namespace zenkar {
namespace {

// The few parts of the CUPS client library (libcups 2) used here, declared
// as the library defines them, so that the program needs the library only
// at run time and only when it prints.
struct CupsOption {
  char* name;
  char* value;
};
struct CupsDest {
  char* name;
  char* instance;
  int is_default;
  int num_options;
  CupsOption* options;
};

class Cups {
 public:
  static Cups& Get() {
    static Cups cups;
    return cups;
  }
  bool loaded() const { return print_files_ != nullptr; }

  // `instance` may be null: the destination itself.
  std::optional<std::vector<PaperSource>> MediaSources(const char* printer,
                                                       const char* instance) const;
  bool PrintFiles(const char* printer, const std::vector<QByteArray>& files, const char* title,
                  const std::vector<std::pair<std::string, std::string>>& options) const;

 private:
  Cups();
  template <typename F>
  void Find(F& function, const char* name) {
    function = reinterpret_cast<F>(dlsym(library_, name));
  }

  void* library_ = nullptr;
  CupsDest* (*get_named_dest_)(void*, const char*, const char*) = nullptr;
  void (*free_dests_)(int, CupsDest*) = nullptr;
  void* (*copy_dest_info_)(void*, CupsDest*) = nullptr;
  void (*free_dest_info_)(void*) = nullptr;
  void* (*find_dest_supported_)(void*, CupsDest*, void*, const char*) = nullptr;
  const char* (*localize_dest_value_)(void*, CupsDest*, void*, const char*, const char*) = nullptr;
  int (*ipp_get_count_)(void*) = nullptr;
  const char* (*ipp_get_string_)(void*, int, const char**) = nullptr;
  int (*print_files_)(const char*, int, const char**, const char*, int, CupsOption*) = nullptr;
};

Cups::Cups() {
  library_ = dlopen("libcups.so.2", RTLD_NOW | RTLD_LOCAL);
  if (library_ == nullptr) return;
  Find(get_named_dest_, "cupsGetNamedDest");
  Find(free_dests_, "cupsFreeDests");
  Find(copy_dest_info_, "cupsCopyDestInfo");
  Find(free_dest_info_, "cupsFreeDestInfo");
  Find(find_dest_supported_, "cupsFindDestSupported");
  Find(localize_dest_value_, "cupsLocalizeDestValue");
  Find(ipp_get_count_, "ippGetCount");
  Find(ipp_get_string_, "ippGetString");
  Find(print_files_, "cupsPrintFiles");
}

// The printer's "media-source" values, named as CUPS localizes them.
std::optional<std::vector<PaperSource>> Cups::MediaSources(const char* printer,
                                                           const char* instance) const {
  if (get_named_dest_ == nullptr || free_dests_ == nullptr || copy_dest_info_ == nullptr ||
      free_dest_info_ == nullptr || find_dest_supported_ == nullptr || ipp_get_count_ == nullptr ||
      ipp_get_string_ == nullptr) {
    return std::nullopt;
  }
  CupsDest* dest = get_named_dest_(nullptr, printer, instance);
  if (dest == nullptr) return std::nullopt;
  void* info = copy_dest_info_(nullptr, dest);
  if (info == nullptr) {
    free_dests_(1, dest);
    return std::nullopt;
  }
  std::vector<PaperSource> sources;
  if (void* supported = find_dest_supported_(nullptr, dest, info, "media-source")) {
    for (int i = 0; i < ipp_get_count_(supported); ++i) {
      const char* keyword = ipp_get_string_(supported, i, nullptr);
      if (keyword == nullptr) continue;
      const char* name = localize_dest_value_ == nullptr
                             ? nullptr
                             : localize_dest_value_(nullptr, dest, info, "media-source", keyword);
      sources.push_back({keyword, ToCp1252(QString::fromUtf8(name != nullptr ? name : keyword))});
    }
  }
  free_dest_info_(info);
  free_dests_(1, dest);
  return sources;
}

bool Cups::PrintFiles(const char* printer, const std::vector<QByteArray>& files, const char* title,
                      const std::vector<std::pair<std::string, std::string>>& options) const {
  if (!loaded()) return false;
  std::vector<const char*> file_names;
  for (const QByteArray& file : files) file_names.push_back(file.constData());
  std::vector<CupsOption> cups_options;
  for (const auto& [name, value] : options) {
    cups_options.push_back({const_cast<char*>(name.c_str()), const_cast<char*>(value.c_str())});
  }
  const int job = print_files_(printer, static_cast<int>(file_names.size()), file_names.data(),
                               title, static_cast<int>(cups_options.size()), cups_options.data());
  return job > 0;
}

}  // namespace

std::vector<std::string> QtPrinterSystem::PrinterNames() {
  std::vector<std::string> names;
  for (const QString& name : QPrinterInfo::availablePrinterNames()) names.push_back(ToCp1252(name));
  return names;
}

std::string QtPrinterSystem::DefaultPrinterName() {
  return ToCp1252(QPrinterInfo::defaultPrinterName());
}

std::optional<std::vector<PaperSource>> QtPrinterSystem::PaperSources(std::string_view printer) {
  // Qt names an instance of a CUPS destination "printer/instance".
  const QString name = FromCp1252(printer);
  const QByteArray queue = name.section('/', 0, 0).toLocal8Bit();
  const QByteArray instance = name.section('/', 1).toLocal8Bit();
  return Cups::Get().MediaSources(queue.constData(),
                                  instance.isEmpty() ? nullptr : instance.constData());
}

SheetSize QtPrinterSystem::DefaultSheet(std::string_view printer) {
  const QPageSize page = QPrinterInfo::printerInfo(FromCp1252(printer)).defaultPageSize();
  if (!page.isValid()) return SheetSize();
  const QSizeF points = page.size(QPageSize::Point);
  return SheetSize{points.width(), points.height()};
}

std::vector<std::string> QtPrinterSystem::ReportFontNames() {
  std::vector<std::string> names;
  for (FontFamily family : {FontFamily::kArial, FontFamily::kCourierNew}) {
    if (ReportFontInstalled(family)) names.emplace_back(FontFamilyName(family));
  }
  return names;
}

bool QtPrinterSystem::Submit(const PrintSubmission& job) {
  std::vector<QByteArray> files;
  for (const std::string& file : job.files) files.push_back(QByteArray::fromStdString(file));
  const QByteArray queue = FromCp1252(job.printer).section('/', 0, 0).toLocal8Bit();
  return Cups::Get().PrintFiles(queue.constData(), files,
                                FromCp1252(job.title).toUtf8().constData(), job.options);
}

std::unique_ptr<ReportCanvas> QtSpoolCanvasMaker::MakeCanvas(const std::string& path,
                                                             const SpoolSetup& setup) {
  return PrinterCanvas::Start(FromPath(path), setup);
}

DesktopPrinter::DesktopPrinter(Ledger& ledger, Ui& ui, FileSystem& fs,
                               std::vector<std::string> check_types)
    : jobs_(PrinterJobsSetup{ledger, ui, fs, system_, asker_, maker_, SpoolFolder(spool_),
                             std::move(check_types)}) {}

std::string DesktopPrinter::SpoolFolder(const QTemporaryDir& folder) {
  // Without a spool folder no canvas can start; the job then reports that
  // the printer cannot be reached.
  if (!folder.isValid()) return "/nonexistent/";
  return ToPath(folder.path()) + "/";
}

}  // namespace zenkar
