#include "output/printing_options.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "common/text_field.h"

namespace zenkar {
namespace {

std::string Upper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return upper;
}

bool SameName(std::string_view a, std::string_view b) { return Upper(Trim(a)) == Upper(Trim(b)); }

int IndexOfName(const std::vector<std::string>& names, std::string_view name) {
  for (size_t i = 0; i < names.size(); ++i) {
    if (SameName(names[i], name)) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace

std::string UnableToAccessMessage(std::string_view printer) {
  return "Unable to access " + std::string(printer) +
         ", select a different printer or reinstall the printer software.";
}

const std::vector<std::string>& FontStyleNames() {
  static const std::vector<std::string> kNames = {"Regular", "Bold", "Italic", "Bold Italic"};
  return kNames;
}

std::string CopiesText(int copies) {
  return std::to_string(copies) + (copies == 1 ? " Copy" : " Copies");
}

OutputDeviceSettings& DeviceSettingsOf(CompanySettings& settings, PrintJobKind kind) {
  switch (kind) {
    case PrintJobKind::kCheck:
      return settings.check_output;
    case PrintJobKind::kLabels:
      return settings.device_3;
    case PrintJobKind::kReport:
      break;
  }
  return settings.report_output;
}

const OutputDeviceSettings& DeviceSettingsOf(const CompanySettings& settings, PrintJobKind kind) {
  return DeviceSettingsOf(const_cast<CompanySettings&>(settings), kind);
}

void StorePrintingOptions(const PrintingOptions& options, PrintJobKind kind,
                          CompanySettings& settings) {
  OutputDeviceSettings& device = DeviceSettingsOf(settings, kind);
  device.printer_name = options.printer;
  device.source_number = options.source_number;
  device.source_name = options.source.name;
  device.font_name = options.font_name;
  device.font_style = options.font_style;
  if (kind == PrintJobKind::kCheck) {
    settings.check_type = options.check_type;
    settings.check_top_margin = options.additional_top_margin;
  }
}

bool IsReportFontTwin(std::string_view report_family, std::string_view installed_family) {
  static constexpr std::array<std::string_view, 3> kArial = {"Arial", "Liberation Sans", "Arimo"};
  static constexpr std::array<std::string_view, 3> kCourier = {"Courier New", "Liberation Mono",
                                                               "Cousine"};
  const auto& twins = FontFamilyOf(report_family) == FontFamily::kCourierNew ? kCourier : kArial;
  return std::any_of(twins.begin(), twins.end(), [installed_family](std::string_view twin) {
    return SameName(twin, installed_family);
  });
}

bool IsPaperPrinter(std::string_view name) {
  static constexpr std::array<std::string_view, 6> kNotPaper = {"PDF",  "XPS",     "FAX",
                                                                "DYMO", "ONENOTE", "NETWORK"};
  const std::string upper = Upper(name);
  return std::none_of(kNotPaper.begin(), kNotPaper.end(), [&upper](std::string_view word) {
    return upper.find(word) != std::string::npos;
  });
}

int ProposedPrinter(const std::vector<std::string>& printers, std::string_view stored,
                    std::string_view system_default) {
  if (printers.empty()) return -1;
  if (!Trim(stored).empty()) {
    if (const int index = IndexOfName(printers, stored); index >= 0) return index;
  }
  const int default_index = system_default.empty() ? -1 : IndexOfName(printers, system_default);
  if (default_index >= 0 && IsPaperPrinter(printers[default_index])) return default_index;
  for (size_t i = 0; i < printers.size(); ++i) {
    if (IsPaperPrinter(printers[i])) return static_cast<int>(i);
  }
  return std::max(default_index, 0);
}

std::vector<std::pair<std::string, std::string>> JobOptionsOf(const PrintingOptions& options) {
  std::vector<std::pair<std::string, std::string>> job;
  if (!options.source.keyword.empty()) job.emplace_back("media-source", options.source.keyword);
  if (options.copies > 1) {
    job.emplace_back("copies", std::to_string(options.copies));
    job.emplace_back("multiple-document-handling", options.collate
                                                       ? "separate-documents-collated-copies"
                                                       : "separate-documents-uncollated-copies");
    job.emplace_back("Collate", options.collate ? "True" : "False");
  }
  job.emplace_back("sides", options.duplex ? "two-sided-long-edge" : "one-sided");
  job.emplace_back("print-scaling", "none");
  return job;
}

PrintingOptionsForm::PrintingOptionsForm(PrinterSystem& system, Ui& ui, PrintJobKind kind,
                                         std::vector<std::string> check_types)
    : system_(system), ui_(ui), kind_(kind), check_types_(std::move(check_types)) {}

bool PrintingOptionsForm::Load(const CompanySettings& settings, const PrintingOptions* previous) {
  BusyCursor busy(ui_);
  ui_.SetProgress(kObtainingPrinterInformation, 0, 0);
  printers_ = system_.PrinterNames();
  if (printers_.empty()) {
    ui_.ClearProgress();
    ui_.Error(kNoPrintersAvailable);
    return false;
  }
  if (previous != nullptr) options_ = *previous;
  const OutputDeviceSettings& stored = DeviceSettingsOf(settings, kind_);
  printer_index_ = ProposedPrinter(printers_, stored.printer_name, system_.DefaultPrinterName());
  options_.printer = printers_[printer_index_];

  font_names_ = system_.ReportFontNames();
  if (font_names_.empty()) {
    ui_.Error(kErrorObtainingFonts);
    font_names_.emplace_back(kDefaultReportFont);
  }
  const int font = IndexOfName(font_names_, stored.font_name);
  options_.font_name = font_names_[std::max(font, 0)];
  options_.font_style = std::clamp(stored.font_style, 0, 3);
  options_.font_size = stored.font_size > 0 ? stored.font_size : 10;
  if (for_checks()) {
    options_.check_type = settings.check_type;
    // The run's last choice was stored as well; a new run starts from the
    // stored one.
    if (previous == nullptr) {
      options_.additional_top_margin =
          std::clamp(settings.check_top_margin, kLeastTopMargin, kMostTopMargin);
    }
  }

  ReadSources();
  if (SameName(options_.printer, stored.printer_name)) {
    // The stored source is found by its name first: the positions change
    // when a printer gains or loses a tray.
    int source = -1;
    for (size_t i = 0; i < sources_.size() && source < 0; ++i) {
      if (SameName(sources_[i].name, stored.source_name)) source = static_cast<int>(i) + 1;
    }
    if (source < 0 && SameName(stored.source_name, "") && stored.source_number > 0 &&
        stored.source_number <= static_cast<int>(sources_.size())) {
      source = stored.source_number;
    }
    SelectSource(std::max(source, 0));
  }
  ui_.ClearProgress();
  return true;
}

void PrintingOptionsForm::ReadSources() {
  sources_.clear();
  std::optional<std::vector<PaperSource>> sources = system_.PaperSources(options_.printer);
  if (sources) {
    sources_ = std::move(*sources);
  } else {
    ui_.Error(kErrorObtainingTrays);
  }
  SelectSource(0);
}

void PrintingOptionsForm::SelectPrinter(int index) {
  if (index < 0 || index >= static_cast<int>(printers_.size()) || index == printer_index_) return;
  printer_index_ = index;
  options_.printer = printers_[index];
  BusyCursor busy(ui_);
  ReadSources();
}

std::vector<std::string> PrintingOptionsForm::SourceNames() const {
  std::vector<std::string> names{std::string(kDefaultSource)};
  for (const PaperSource& source : sources_) names.push_back(source.name);
  return names;
}

void PrintingOptionsForm::SelectSource(int index) {
  if (index <= 0 || index > static_cast<int>(sources_.size())) {
    options_.source_number = 0;
    options_.source = PaperSource{"", std::string(kDefaultSource)};
    return;
  }
  options_.source_number = index;
  options_.source = sources_[index - 1];
}

int PrintingOptionsForm::font_index() const {
  return std::max(IndexOfName(font_names_, options_.font_name), 0);
}

void PrintingOptionsForm::SelectFont(int index) {
  if (index >= 0 && index < static_cast<int>(font_names_.size())) {
    options_.font_name = font_names_[index];
  }
}

}  // namespace zenkar
