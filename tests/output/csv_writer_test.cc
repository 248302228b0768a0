// The CSV writer of the Text target: file naming, the fields a report line
// turns into, and the file a spreadsheet reads back.
#include "output/csv_writer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "output/csv_reader.h"
#include "support/fault_file_system.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace zenkar {
namespace {

using ::testing::ElementsAre;

class CsvWriterTest : public ::testing::Test {
 protected:
  std::unique_ptr<CsvWriter> Create(const std::string& name, FileSystem& fs = PosixFileSystem()) {
    return CsvWriter::CreateCsv(fs, ui_, name.empty() ? name : dir_.File(name));
  }
  void Text(CsvWriter& csv, std::string_view text, int field) {
    csv.PlaceText(3, 5, text, ReportAlign::kLeft, field);
  }

  testing::TempDir dir_;
  testing::ScriptedUi ui_;
};

TEST_F(CsvWriterTest, KeepsACsvOrTxtExtensionAndOtherwiseAddsCsv) {
  EXPECT_EQ(CsvFileName("report.txt"), "report.txt");
  EXPECT_EQ(CsvFileName("REPORT.CSV"), "REPORT.CSV");
  EXPECT_EQ(CsvFileName("report"), "report.csv");
  EXPECT_EQ(CsvFileName("report.pdf"), "report.pdf.csv");
}

TEST_F(CsvWriterTest, FieldsAreQuotedAndEndInACommaWithSkippedFieldsEmpty) {
  auto csv = Create("report");
  ASSERT_NE(csv, nullptr);
  Text(*csv, "first", 1);
  Text(*csv, "third", 3);
  csv->EndLine();
  // Field 1 asked for on a line that has fields goes after them.
  Text(*csv, "a", 1);
  Text(*csv, "b", 1);
  ASSERT_TRUE(csv->Finish());
  EXPECT_EQ(dir_.ReadFile("report.csv"), "\"first\",\"\",\"third\",\r\n\"a\",\"b\",\r\n");
}

// A padded field of the books loses its trailing blanks, not its leading ones.
TEST_F(CsvWriterTest, TextsReadBackWholeWithoutTheirPadding) {
  auto csv = Create("names.txt");
  Text(*csv, "O'Brien \"Bud\", Jr.", 1);
  Text(*csv, "", 2);
  Text(*csv, "  Office supplies                       ", 3);
  csv->NewPage();
  Text(*csv, "next", 1);
  ASSERT_TRUE(csv->Finish());
  EXPECT_THAT(testing::ReadCsv(dir_.ReadFile("names.txt")).value(),
              ElementsAre(ElementsAre("O'Brien \"Bud\", Jr.", "", "  Office supplies"),
                          ElementsAre("next")));
}

TEST_F(CsvWriterTest, NamesThatCannotBeUsedAreRefused) {
  EXPECT_EQ(Create(""), nullptr);
  EXPECT_EQ(Create("no/such/folder/report"), nullptr);
  EXPECT_EQ(ui_.Texts(), (std::vector<std::string>{
                             "File name not set (CreateCSV)",
                             "Cannot open file: " + dir_.File("no/such/folder/report.csv")}));
}

TEST_F(CsvWriterTest, AnEarlierFileIsReplacedOnlyByAWholeNewOne) {
  dir_.WriteFile("report.csv", "old");
  {
    auto abandoned = Create("report");
    Text(*abandoned, "half", 1);
  }
  testing::FaultInjectingFileSystem full(PosixFileSystem());
  auto failing = Create("report", full);
  Text(*failing, "new", 1);
  full.faults().bytes_until_full = 2;
  EXPECT_FALSE(failing->Finish());
  EXPECT_EQ(ui_.LastText(), "Cannot open file: " + dir_.File("report.csv"));
  EXPECT_EQ(dir_.Listing(), "report.csv");
  EXPECT_EQ(dir_.ReadFile("report.csv"), "old");
}

}  // namespace
}  // namespace zenkar
