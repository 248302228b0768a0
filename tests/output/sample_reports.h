// The sample company for the end-to-end report tests: its books written once
// into a data folder, and the comparison of a report's text with its golden
// file. ZENKAR_UPDATE_GOLDEN=1 writes the golden files afresh from the run.
#ifndef ZENKAR_TESTS_OUTPUT_SAMPLE_REPORTS_H_
#define ZENKAR_TESTS_OUTPUT_SAMPLE_REPORTS_H_

#include <string>
#include <string_view>

#include "ledger/ledger.h"
#include "support/fixed_clock.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace zenkar::testing {

inline constexpr int kSampleYear = 2025;

// The sample company's books, loaded.
struct SampleCompany {
  SampleCompany();
  TempDir program;
  TempDir data;
  ScriptedUi ui;
  FixedClock clock{{2026, 3, 14, 9, 30, 0}, 60};
  Ledger ledger;
};

// Compares `text` with the golden file `folder`/`name` (tests/data/golden),
// or writes it there when updating; `scratch` holds the differing text.
void ExpectGoldenText(std::string_view what, const std::string& text, std::string_view folder,
                      std::string_view name, const TempDir& scratch);

// The PDF checked by qpdf and its text (pdftotext -layout) compared.
void ExpectGoldenPdf(std::string_view what, const std::string& pdf, std::string_view folder,
                     std::string_view name, const TempDir& scratch);

// "1,234.56" or "(1,234.56)" as a report printed it.
Money ShownAmount(std::string text);

}  // namespace zenkar::testing

#endif  // ZENKAR_TESTS_OUTPUT_SAMPLE_REPORTS_H_
