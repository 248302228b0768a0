#include "output/sample_reports.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "common/record_file.h"
#include "ledger/chart_text.h"
#include "output/pdf_test_tools.h"
#include "tools/sample_company.h"

namespace zenkar::testing {
namespace {

std::string GoldenPath(std::string_view folder, std::string_view name) {
  const char* data = std::getenv("ZENKAR_TEST_DATA");
  return std::string(data == nullptr ? "tests/data" : data) + "/golden/" + std::string(folder) +
         "/" + std::string(name);
}

bool UpdatingGolden() {
  const char* update = std::getenv("ZENKAR_UPDATE_GOLDEN");
  return update != nullptr && std::string(update) == "1";
}

}  // namespace

SampleCompany::SampleCompany() : ledger(PosixFileSystem(), ui, clock) {
  std::string text;
  std::vector<AccountRecord> accounts;
  EXPECT_TRUE(PosixFileSystem().ReadFile(ZENKAR_DEFAULT_CHART_TEXT, &text).ok());
  EXPECT_TRUE(ParseChartText(text, &accounts).ok());
  program.WriteFile("KXACCTCOA.DAT", ChartOfAccounts(accounts).Encode());
  ledger.set_program_folder(program.path());
  ledger.SetDataFolder(data.path());
  EXPECT_TRUE(ledger.OpenDataFolder());
  EXPECT_TRUE(WriteSampleCompany(ledger, kSampleYear));
  EXPECT_EQ(ui.Texts(), std::vector<std::string>{});
}

void ExpectGoldenText(std::string_view what, const std::string& text, std::string_view folder,
                      std::string_view name, const TempDir& scratch) {
  const std::string path = GoldenPath(folder, name);
  if (UpdatingGolden()) {
    ASSERT_TRUE(WriteFileAtomically(PosixFileSystem(), path, text).ok()) << path;
    return;
  }
  std::string expected;
  ASSERT_TRUE(PosixFileSystem().ReadFile(path, &expected).ok())
      << path << " is missing; ZENKAR_UPDATE_GOLDEN=1 writes it";
  if (expected == text) return;
  scratch.WriteFile("actual.txt", text);
  const std::string diff =
      RunCommand("diff -u " + ShellQuote(path) + " " + ShellQuote(scratch.File("actual.txt")))
          .output;
  ADD_FAILURE() << what << " differs from " << path << ":\n" << diff;
}

void ExpectGoldenPdf(std::string_view what, const std::string& pdf, std::string_view folder,
                     std::string_view name, const TempDir& scratch) {
  ASSERT_EQ(QpdfProblems(pdf), std::nullopt);
  const CommandResult text = RunCommand("pdftotext -layout -enc UTF-8 " + ShellQuote(pdf) + " -");
  ASSERT_EQ(text.status, 0);
  ExpectGoldenText(what, text.output, folder, name, scratch);
}

Money ShownAmount(std::string text) {
  const bool negative = !text.empty() && text.front() == '(';
  std::erase_if(text, [](char c) { return c == '(' || c == ')' || c == ','; });
  const Money amount = Money::Parse(text).value_or(Money::FromRaw(-1));
  return negative ? -amount : amount;
}

}  // namespace zenkar::testing
