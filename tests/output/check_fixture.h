// A company that prints checks: the ledger test company with a check type,
// MICR settings a bank can read, the output services of the tests around
// it, and helpers to write and read back the checks' PDF.
#ifndef ZENKAR_TESTS_OUTPUT_CHECK_FIXTURE_H_
#define ZENKAR_TESTS_OUTPUT_CHECK_FIXTURE_H_

#include <string>
#include <vector>

#include "ledger/ledger_fixture.h"
#include "output/check_run.h"
#include "output/micr_settings.h"
#include "output/output_fakes.h"
#include "output/print_job.h"

namespace zenkar::testing {

// A routing number that satisfies the ABA rule.
inline constexpr std::string_view kGoodRoutingNumber = "021000021";

// Settings of blank stock a bank can read.
MicrSettings SoundMicrSettings();

class CheckFixture : public LedgerFixture {
 protected:
  CheckFixture();

  // Opens the company with `check_type` and, for MICR types, writes
  // `micr` into KXMICR.DAT first.
  void OpenWithCheckType(int check_type, const MicrSettings& micr = SoundMicrSettings());

  // A check to Harbor Supply paying two invoices.
  static CheckToPrint HarborCheck(int64_t cents = 121507);

  // Runs `request` to a PDF (named "Checks.pdf" in the output folder) or
  // to the fake printer.
  CheckRunResult Run(CheckRunRequest request, OutputTarget target = OutputTarget::kPdf);
  std::string PdfPath() const { return dir_.File("Checks.pdf"); }

  // The output services speak through the ledger's Ui and write beside it.
  FakeShell shell_;
  FakePrinter printer_;
  DatePatterns dates_ = UsDatePatterns();
  OutputServices services_;
};

}  // namespace zenkar::testing

#endif  // ZENKAR_TESTS_OUTPUT_CHECK_FIXTURE_H_
