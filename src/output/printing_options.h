// The rules of the "Printing Options" dialog, without widgets.
//
// Before a print job starts the user chooses the printer, its paper source,
// the starting font and style, the copies, duplex, collation and whether the
// reports of one run go to the printer as separate documents; for checks also
// the "Additional Top Margin" and the "Check Type". The printer, source, font
// and style are kept per kind of document in the company settings ("Rpt Prn"
// ... "Rpt Style" for reports, "CK Prn" ... "CK Style" for checks), and so are
// the checks' top margin and type, which calibrate the check printer; the
// rest lasts for the program run.
//
// The printers, their paper sources and the fonts come from the PrinterSystem
// port (CUPS and fontconfig on the desktop, a fake list in the tests).
#ifndef ZENKAR_OUTPUT_PRINTING_OPTIONS_H_
#define ZENKAR_OUTPUT_PRINTING_OPTIONS_H_

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/ui.h"
#include "ledger/company_settings.h"
#include "output/print_job.h"

namespace zenkar {

inline constexpr std::string_view kPrintingOptionsTitle = "Printing Options";
inline constexpr std::string_view kObtainingPrinterInformation = "Obtaining Printer Information";
inline constexpr std::string_view kErrorObtainingFonts = "Error obtaining printer fonts";
inline constexpr std::string_view kErrorObtainingTrays = "Error obtaining printer trays";
inline constexpr std::string_view kCommunicatingWithPrinter = "Communicating with printer";
// CUPS stands in for the Windows print system here.
inline constexpr std::string_view kNoPrintersAvailable =
    "CUPS is reporting no printers are available. Install/reinstall at least one printer.";
// "Unable to access " + printer + ", select a different printer or reinstall
// the printer software."
std::string UnableToAccessMessage(std::string_view printer);

// The paper source that leaves the choice to the printer.
inline constexpr std::string_view kDefaultSource = "Default";
inline constexpr std::string_view kDefaultReportFont = "Arial";

// "Regular", "Bold", "Italic", "Bold Italic": the settings keep the position.
const std::vector<std::string>& FontStyleNames();
// "1 Copy", "2 Copies", ... as many as the list offers.
inline constexpr int kMostCopies = 10;
std::string CopiesText(int copies);
// The "Additional Top Margin" runs from -2 to 9 half lines of 1/12 inch.
inline constexpr int kLeastTopMargin = -2;
inline constexpr int kMostTopMargin = 9;

// One paper source of a printer: the name the printing system knows it by
// (a CUPS "media-source" keyword) and the name the list shows.
struct PaperSource {
  std::string keyword;
  std::string name;
  friend bool operator==(const PaperSource&, const PaperSource&) = default;
};

// A sheet size in points.
struct SheetSize {
  double width = kSheetWidthPoints;
  double height = kSheetHeightPoints;
};

// One print job handed to the printing system: finished PDF documents, in
// order, printed as one job.
struct PrintSubmission {
  std::string printer;
  std::string title;
  std::vector<std::string> files;
  std::vector<std::pair<std::string, std::string>> options;  // name, value
};

// The printing system of the machine. Texts are Windows-1252 like the
// settings; file paths are the file system's.
class PrinterSystem {
 public:
  virtual ~PrinterSystem() = default;
  // The installed printers, and the one the system uses by default ("" when
  // none is set).
  virtual std::vector<std::string> PrinterNames() = 0;
  virtual std::string DefaultPrinterName() = 0;
  // The printer's paper sources (possibly none); nothing when they could not
  // be read.
  virtual std::optional<std::vector<PaperSource>> PaperSources(std::string_view printer) = 0;
  // The sheet the printer takes by default.
  virtual SheetSize DefaultSheet(std::string_view printer) = 0;
  // Those of the report families ("Arial", "Courier New") whose fonts, or
  // metric twins of them, are installed.
  virtual std::vector<std::string> ReportFontNames() = 0;
  // Sends the documents to the printer as one job; false when the printer
  // could not be reached or refused the job.
  virtual bool Submit(const PrintSubmission& job) = 0;
};

// What the dialog chose.
struct PrintingOptions {
  std::string printer;
  int source_number = 0;  // 0 "Default", n the printer's n-th source
  PaperSource source{"", std::string(kDefaultSource)};
  std::string font_name{kDefaultReportFont};
  int font_style = 0;  // position in FontStyleNames()
  int font_size = 10;
  int copies = 1;
  bool duplex = false;
  bool collate = false;
  bool separate_documents = false;
  // Checks only.
  int additional_top_margin = 0;  // half lines
  int check_type = 0;             // position in the check-type list from 1; 0 none
};

// The settings group the kind of document keeps its printer in: reports use
// the first, checks the second, mailing labels the third.
OutputDeviceSettings& DeviceSettingsOf(CompanySettings& settings, PrintJobKind kind);
const OutputDeviceSettings& DeviceSettingsOf(const CompanySettings& settings, PrintJobKind kind);

// Writes the kept part of `options` (printer, source number and name, font
// name and style; the check type and top margin for checks) into the
// settings.
void StorePrintingOptions(const PrintingOptions& options, PrintJobKind kind,
                          CompanySettings& settings);

// True when a font of `installed_family` prints `report_family` with the same
// widths: the family itself, or its metric twin (Liberation Sans or Arimo for
// "Arial", Liberation Mono or Cousine for "Courier New").
bool IsReportFontTwin(std::string_view report_family, std::string_view installed_family);

// Printers whose names mark them as something other than paper (a PDF or XPS
// writer, a fax, a label printer, a notebook, a network share).
bool IsPaperPrinter(std::string_view name);

// The printer to propose, as a position in `printers` (-1 when the list is
// empty): the stored one while it is installed; otherwise the system's
// default when it is a paper printer; otherwise the first paper printer;
// otherwise the system's default, or the first printer.
int ProposedPrinter(const std::vector<std::string>& printers, std::string_view stored,
                    std::string_view system_default);

// The CUPS options of a job: the paper source, copies, collation, duplex,
// and no scaling, so the sheet comes out as drawn.
std::vector<std::pair<std::string, std::string>> JobOptionsOf(const PrintingOptions& options);

// The dialog's state: the lists it shows and the choice made in them.
class PrintingOptionsForm {
 public:
  // `check_types` is the check-type list the dialog offers for checks.
  PrintingOptionsForm(PrinterSystem& system, Ui& ui, PrintJobKind kind,
                      std::vector<std::string> check_types = {});

  // Reads the printers, the fonts and the proposed printer's paper sources
  // ("Obtaining Printer Information" meanwhile) and proposes the stored
  // choice; the options of the program run's last job of this kind (copies,
  // duplex, ...) are taken from `previous`. False when there is no printer
  // at all, after saying so.
  bool Load(const CompanySettings& settings, const PrintingOptions* previous = nullptr);

  bool for_checks() const { return kind_ == PrintJobKind::kCheck; }
  const std::vector<std::string>& printers() const { return printers_; }
  int printer_index() const { return printer_index_; }
  // Chooses another printer and reads its paper sources; "Default" is the
  // source then.
  void SelectPrinter(int index);

  // "Default", then the printer's sources.
  std::vector<std::string> SourceNames() const;
  int source_index() const { return options_.source_number; }
  void SelectSource(int index);

  const std::vector<std::string>& font_names() const { return font_names_; }
  int font_index() const;
  void SelectFont(int index);

  const std::vector<std::string>& check_types() const { return check_types_; }

  // Font style, copies, duplex, collate, separate documents, top margin and
  // check type are set here directly.
  PrintingOptions& options() { return options_; }
  const PrintingOptions& options() const { return options_; }

 private:
  void ReadSources();

  PrinterSystem& system_;
  Ui& ui_;
  PrintJobKind kind_;
  std::vector<std::string> check_types_;
  std::vector<std::string> printers_;
  int printer_index_ = -1;
  std::vector<PaperSource> sources_;
  std::vector<std::string> font_names_;
  PrintingOptions options_;
};

}  // namespace zenkar

#endif  // ZENKAR_OUTPUT_PRINTING_OPTIONS_H_
