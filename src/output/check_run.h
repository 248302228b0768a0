// The check run: numbers, prints and settles a list of checks.
//
// Every check the program prints goes through RunChecks: the quick check of
// the register (one check), paying invoices (a check per payee), and the
// blank and test checks of the MICR setup (PrintBlankCheck and
// PrintTestCheck below). A run
//  1. finds the layout of the company's "Check Type" and, for blank stock,
//     sound MICR settings (a valid routing number);
//  2. numbers the checks consecutively from the first number, asking for it
//     ("Press <Enter> to accept the starting check number or enter a new
//     number below.", proposing "Next Check") unless the caller gives it;
//     a number is 1 to 999999, and one that another check of the books
//     carries already is refused, so a number is never given to two checks;
//  3. lets the caller record the numbered checks in the books (record_checks;
//     the quick check has appended its entry before), unless the caller
//     records them once they printed (paying invoices, below);
//  4. warns when the MICR settings were saved without a test check since;
//  5. opens a print job of the "Check" kind (the printer's "Printing Options"
//     may choose another check type; "Additional Top Margin" moves the
//     sheet), shows "Preparing Checks" while it writes one page per check,
//     and ends the job;
//  6. moves "Next Check" past every number the run printed (never back);
//  7. after a printer run asks "Did every check print correctly?" (Yes
//     preselected); on No the user says which checks did not print (the
//     UnprintedCheckChooser, or a question per check without one), and
//     their entries are voided by the register's void rule (a paid
//     invoice's check line becomes an unpaid invoice again) or, for the
//     quick check, deleted. Their numbers stay used.
// A run that stops before its document is complete (cancelled, refused,
// failed) takes the checks' entries back the same way and gives no number.
//
// Paying invoices records its checks after step 7 instead
// (Recording::kAfterPrinting): record_checks then gets only the checks that
// printed and were confirmed, so nothing has to be taken back, and a run
// that stops early has changed nothing in the books. A run that prints
// nothing ("Save as Paid - Without Printing") numbers the checks, moves
// Next Check past them and records them.
//
// Nothing is marked printed in the books: the unprinted flag of a line is
// about the General Ledger and the Transaction Listing, not about checks.
#ifndef ZENKAR_OUTPUT_CHECK_RUN_H_
#define ZENKAR_OUTPUT_CHECK_RUN_H_

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "ledger/ledger.h"
#include "output/check_writer.h"
#include "output/print_job.h"

namespace zenkar {

inline constexpr std::string_view kStartingNumberPrompt =
    "Press <Enter> to accept the starting check number or enter a new number below.";
inline constexpr std::string_view kPrintChecksTitle = "Print Checks";
inline constexpr std::string_view kBlankNumberPrompt =
    "Press <Enter> to accept the check number below or enter a new number.";
inline constexpr std::string_view kBlankCheckTitle = "Print a Blank MICR Check";
inline constexpr std::string_view kPreparingChecks = "Preparing Checks";
inline constexpr std::string_view kPrintedCorrectly = "Did every check print correctly?";
inline constexpr std::string_view kTestCheckWarning =
    "A 'Test' check may not have been printed with the current MICR settings. Review the "
    "check(s) carefully.";
inline constexpr std::string_view kCheckNumberRule =
    "The check number must be a number from 1 to 999999.";
inline constexpr std::string_view kAccountNumberRule =
    "The account number on the MICR line may hold only digits, blanks and dashes.";
// The title of the print job, and so of its PDF.
inline constexpr std::string_view kChecksJobTitle = "Checks";
inline constexpr std::string_view kTestCheckJobTitle = "Test Check";
inline constexpr std::string_view kBlankCheckJobTitle = "Blank Check";

// "Check number " + number + " was given to another check already."
std::string NumberInUseMessage(std::string_view number);
// Why `numbers` cannot be given to checks, or nothing: one is no number of
// 1 to 999999, or a check of the books carries one already (a check or
// deposit line with a positive amount; the lines `own` aside).
std::optional<std::string> CheckNumbersProblem(Ledger& ledger,
                                               const std::vector<std::string>& numbers,
                                               const std::set<int>& own);
// "Did check " + number + " to " + payee + " print correctly?"
std::string CheckPrintedQuestion(const std::string& number, const std::string& payee);

// What becomes of the entries of a check that did not print.
enum class UnprintedEntries {
  kVoid,    // voided: a paid invoice is unpaid again (paying invoices)
  kDelete,  // deleted (the quick check)
};

struct CheckToPrint {
  CheckContent content;  // the run fills in the number
  // The check's lines in the books (several when it pays several invoices).
  std::vector<int> record_numbers;
};

// Asks which checks of a printed run did not print: one line per check
// ("Check 1043  Harbor Supply  1,215.07"); true for each that did not.
class UnprintedCheckChooser {
 public:
  virtual ~UnprintedCheckChooser() = default;
  virtual std::vector<bool> ChooseUnprinted(const std::vector<std::string>& checks) = 0;
};

struct CheckRunRequest {
  std::vector<CheckToPrint> checks;
  // The first number, as typed (digits); empty: ask, proposing Next Check.
  std::string first_number;
  UnprintedEntries unprinted = UnprintedEntries::kVoid;
  enum class Recording {
    // record_checks is called once the checks carry their numbers and
    // before anything is printed; the entries of checks that did not print
    // are taken back.
    kBeforePrinting,
    // record_checks is called at the end of the run with the checks that
    // printed and were confirmed (all of them when nothing is printed); the
    // checks' record numbers are the lines they pay, nothing is taken back.
    kAfterPrinting,
  };
  Recording recording = Recording::kBeforePrinting;
  // False: nothing is printed; the checks are numbered and recorded.
  bool print = true;
  // Records the numbered checks in the books (and, before printing, fills
  // in their record numbers). False stops a run before printing, with no
  // number used, and leaves the checks of a run after printing unrecorded
  // (the hook has said why).
  std::function<bool(std::vector<CheckToPrint>& checks)> record_checks;
  UnprintedCheckChooser* chooser = nullptr;
};

struct CheckRunResult {
  // The document was completed (printed, or the PDF written).
  bool printed = false;
  // The numbers the checks took, in order; empty when the run stopped
  // before numbering them.
  std::vector<std::string> numbers;
  // Per check: printed and left in the books as printed.
  std::vector<bool> printed_correctly;
  // record_checks ran and succeeded.
  bool recorded = false;
};

CheckRunResult RunChecks(Ledger& ledger, PrintJob& job, CheckRunRequest request);

// "Print Test Check": the MICR test check, numbered 000000 (no number is
// used). A test check printed records it in KXMICR.DAT, which quiets the
// warning of step 4. True when it was printed.
bool PrintTestCheck(Ledger& ledger, PrintJob& job);

// "MICR Print Blank Check": asks for the number ("Print a Blank MICR
// Check", proposing Next Check) unless `number` is given, and prints one
// blank check with "VOID" in its amounts; its number is used.
bool PrintBlankCheck(Ledger& ledger, PrintJob& job, std::string number = "");

// The Next Check that comes after `numbers` given `next` now: the highest
// number plus one (as the register writes it), unless `next` is past it
// already.
std::string NextCheckPast(std::string_view next, const std::vector<std::string>& numbers);

}  // namespace zenkar

#endif  // ZENKAR_OUTPUT_CHECK_RUN_H_
