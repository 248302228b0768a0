// Writes one check with its two stubs on a page of a print job, in the
// layout of its check type (check_layout.h): the filled-in fields of a
// preprinted or dot-matrix form, or on blank stock the whole check with its
// MICR line (micr_line.h).
#ifndef ZENKAR_OUTPUT_CHECK_WRITER_H_
#define ZENKAR_OUTPUT_CHECK_WRITER_H_

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/date_patterns.h"
#include "common/day_number.h"
#include "common/money.h"
#include "output/bmp_image.h"
#include "output/check_layout.h"
#include "output/micr_settings.h"
#include "output/print_job.h"

namespace zenkar {

inline constexpr std::string_view kTestCheckPayee = "TEST CHECK";
inline constexpr std::string_view kVoidAmount = "**VOID**";
inline constexpr std::string_view kMicrLinePrintsHere = "MICR Line prints here";
inline constexpr std::string_view kTransitMarkerLine1 = "The RIGHT edge of this transit symbol";
inline constexpr std::string_view kTransitMarkerLine2 =
    "should be 4 1/4\" to 4 3/8\" from the right edge of the paper";

// One invoice a check pays, as its stub lists it.
struct CheckStubLine {
  std::string invoice_number;
  DayNumber date = kNoDate;
  std::string description;
  Money amount;
};

enum class CheckKind {
  kCheck,  // a check to a payee
  kBlank,  // a blank check to be filled in by hand: "VOID" in the amounts
  kTest,   // the MICR test check: "TEST CHECK", the font height, the markers
};

// What one check says. Texts are Windows-1252.
struct CheckContent {
  CheckKind kind = CheckKind::kCheck;
  std::string number;
  DayNumber date = kNoDate;
  std::string payee_name;
  std::string payee_name_2;
  std::string address;
  std::string city_state_zip;
  Money amount;
  std::string memo;  // printed when the company prints memos on checks
  std::vector<CheckStubLine> stub;
};

// What every check of a run shares.
struct CheckPrintSetup {
  const CheckLayout* layout = nullptr;
  const DatePatterns* dates = nullptr;
  const MicrSettings* micr = nullptr;    // MICR forms
  std::shared_ptr<const BmpImage> logo;  // MICR forms with a logo
  ReportFont fill_font;                  // the filled-in texts of a laser form ("CK Font")
  bool print_memo = false;               // "Print Payee Memo on Checks"
};

// The fonts a run draws with, to be tried once before its first check (the
// writer itself does not report a font the printer refuses).
std::vector<ReportFont> CheckFonts(const CheckPrintSetup& setup);

// Writes `check` on the job's current page.
void WriteCheck(PrintJob& job, const CheckPrintSetup& setup, const CheckContent& check);

// The stub lines that fit the smaller stub of `layout`; a check paying more
// invoices lists one line fewer and a line for the rest.
int StubLineCapacity(const CheckLayout& layout);

}  // namespace zenkar

#endif  // ZENKAR_OUTPUT_CHECK_WRITER_H_
