// Every check type written to a PDF that qpdf accepts, whose text
// (pdftotext -layout) matches its golden file: a check paying two invoices,
// and on the MICR types also the test check and a blank check.
//
// ZENKAR_UPDATE_GOLDEN=1 writes the golden files afresh from this run.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "output/check_fixture.h"
#include "output/check_layout.h"
#include "output/pdf_test_tools.h"

namespace zenkar {
namespace {

std::string GoldenPath(std::string_view name) {
  const char* data = std::getenv("ZENKAR_TEST_DATA");
  return std::string(data == nullptr ? "tests/data" : data) + "/golden/checks/" + std::string(name);
}

bool UpdatingGolden() {
  const char* update = std::getenv("ZENKAR_UPDATE_GOLDEN");
  return update != nullptr && std::string(update) == "1";
}

// The golden file's name for a check type: its name in lower case, every
// run of other characters a dash ("micr-129l-131l").
std::string FileStem(std::string_view name) {
  std::string stem;
  for (char c : name) {
    if (std::isalnum(static_cast<unsigned char>(c))) {
      stem += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    } else if (!stem.empty() && stem.back() != '-') {
      stem += '-';
    }
  }
  while (stem.ends_with('-')) stem.pop_back();
  return stem;
}

class CheckGoldenTest : public testing::CheckFixture, public ::testing::WithParamInterface<int> {
 protected:
  // The document's text as pdftotext -layout reads it, after qpdf's check.
  std::string LayoutText(const std::string& pdf) {
    EXPECT_EQ(testing::QpdfProblems(pdf), std::nullopt);
    return testing::RunCommand("pdftotext -layout " + testing::ShellQuote(pdf) + " -").output;
  }

  void ExpectGolden(const std::string& pdf, const std::string& name) {
    const std::string text = LayoutText(pdf);
    const std::string path = GoldenPath(name);
    if (UpdatingGolden()) std::ofstream(path, std::ios::binary) << text;
    std::ifstream in(path, std::ios::binary);
    std::stringstream golden;
    golden << in.rdbuf();
    EXPECT_EQ(text, golden.str()) << name;
    if (const char* keep = std::getenv("ZENKAR_KEEP_CHECKS")) {
      std::filesystem::copy_file(pdf, std::string(keep) + "/" + name + ".pdf",
                                 std::filesystem::copy_options::overwrite_existing);
    }
  }
};

TEST_P(CheckGoldenTest, EveryFormPrintsAsItsGoldenFile) {
  const CheckLayout& layout = *CheckLayoutOf(GetParam());
  OpenWithCheckType(layout.type);
  ledger_.settings().memo_on_checks = 1;
  CheckRunRequest request;
  request.checks = {HarborCheck()};
  request.first_number = "1043";
  const CheckRunResult result = Run(request);
  ASSERT_TRUE(result.printed) << ::testing::PrintToString(ui_.Texts());
  EXPECT_EQ(ui_.Texts(), std::vector<std::string>{});
  const std::string stem = FileStem(layout.name);
  ExpectGolden(PdfPath(), stem + ".txt");
  if (layout.family != CheckFamily::kMicr) return;

  PrintJob test(services_, OutputTarget::kPdf);
  ASSERT_TRUE(PrintTestCheck(ledger_, test)) << ::testing::PrintToString(ui_.Texts());
  ExpectGolden(test.document_path(), stem + "-test.txt");
  PrintJob blank(services_, OutputTarget::kPdf);
  ASSERT_TRUE(PrintBlankCheck(ledger_, blank, "2001"));
  ExpectGolden(blank.document_path(), stem + "-blank.txt");
  EXPECT_EQ(ui_.Texts(), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(AllCheckTypes, CheckGoldenTest, ::testing::Range(1, 10),
                         [](const auto& info) {
                           std::string name = FileStem(CheckLayoutOf(info.param)->name);
                           std::erase(name, '-');
                           return name;
                         });

}  // namespace
}  // namespace zenkar
