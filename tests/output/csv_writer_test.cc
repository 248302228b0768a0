// The CSV writer of the Text target: file naming, the field layout a report
// line turns into, and the file a spreadsheet reads back.
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
  std::unique_ptr<CsvWriter> Create(const std::string& name) {
    return CsvWriter::CreateCsv(PosixFileSystem(), ui_, name.empty() ? name : dir_.File(name));
  }

  testing::TempDir dir_;
  testing::ScriptedUi ui_;
};

TEST_F(CsvWriterTest, KeepsACsvOrTxtExtensionAndOtherwiseAddsCsv) {
  EXPECT_EQ(CsvFileName("report.txt"), "report.txt");
  EXPECT_EQ(CsvFileName("REPORT.TXT"), "REPORT.TXT");
  EXPECT_EQ(CsvFileName("report.csv"), "report.csv");
  EXPECT_EQ(CsvFileName("report"), "report.csv");
  EXPECT_EQ(CsvFileName("report.pdf"), "report.pdf.csv");
}

TEST_F(CsvWriterTest, FieldsAreQuotedEachFollowedByACommaAndLinesEndInCrLf) {
  auto csv = Create("report");
  ASSERT_NE(csv, nullptr);
  csv->PlaceText(3, 5, "Rent", ReportAlign::kLeft, 1);
  csv->PlaceText(3, 42, "1,200.00", ReportAlign::kRight, 2);
  csv->EndLine();
  csv->PlaceText(4, 5, "Total", ReportAlign::kLeft, 1);
  ASSERT_TRUE(csv->Finish());
  EXPECT_EQ(dir_.ReadFile("report.csv"), "\"Rent\",\"1,200.00\",\r\n\"Total\",\r\n");
}

TEST_F(CsvWriterTest, ASkippedFieldIsWrittenEmpty) {
  auto csv = Create("report");
  csv->PlaceText(0, 0, "first", ReportAlign::kLeft, 1);
  csv->PlaceText(0, 0, "third", ReportAlign::kLeft, 3);
  csv->EndLine();
  // Field 1 asked for again on a line that has fields goes after them.
  csv->PlaceText(0, 0, "a", ReportAlign::kLeft, 1);
  csv->PlaceText(0, 0, "b", ReportAlign::kLeft, 1);
  ASSERT_TRUE(csv->Finish());
  EXPECT_EQ(dir_.ReadFile("report.csv"), "\"first\",\"\",\"third\",\r\n\"a\",\"b\",\r\n");
}

TEST_F(CsvWriterTest, QuotesAndApostrophesInTextsReadBackWhole) {
  auto csv = Create("names.txt");
  csv->PlaceText(0, 0, "O'Brien \"Bud\", Jr.", ReportAlign::kLeft, 1);
  csv->PlaceText(0, 0, "", ReportAlign::kLeft, 2);
  csv->NewPage();
  csv->PlaceText(0, 0, "next", ReportAlign::kLeft, 1);
  ASSERT_TRUE(csv->Finish());
  const auto rows = testing::ReadCsv(dir_.ReadFile("names.txt"));
  ASSERT_TRUE(rows.has_value());
  EXPECT_THAT(*rows, ElementsAre(ElementsAre("O'Brien \"Bud\", Jr.", ""), ElementsAre("next")));
}

TEST_F(CsvWriterTest, BlankNameIsRefused) {
  EXPECT_EQ(Create(""), nullptr);
  EXPECT_EQ(ui_.Texts(), std::vector<std::string>{"File name not set (CreateCSV)"});
}

TEST_F(CsvWriterTest, ReplacesAnEarlierFileOnlyWhenTheNewOneIsComplete) {
  dir_.WriteFile("report.csv", "old");
  {
    auto abandoned = Create("report");
    abandoned->PlaceText(0, 0, "half", ReportAlign::kLeft, 1);
  }
  EXPECT_EQ(dir_.Listing(), "report.csv");
  EXPECT_EQ(dir_.ReadFile("report.csv"), "old");
  auto csv = Create("report");
  csv->PlaceText(0, 0, "new", ReportAlign::kLeft, 1);
  ASSERT_TRUE(csv->Finish());
  EXPECT_EQ(dir_.ReadFile("report.csv"), "\"new\",\r\n");
}

TEST_F(CsvWriterTest, AFileThatCannotBeMadeIsReportedWithItsName) {
  const std::string missing_folder = dir_.File("no/such/folder/report");
  EXPECT_EQ(CsvWriter::CreateCsv(PosixFileSystem(), ui_, missing_folder), nullptr);
  EXPECT_EQ(ui_.Texts(), std::vector<std::string>{"Cannot open file: " + missing_folder + ".csv"});
}

TEST_F(CsvWriterTest, AFailedWriteKeepsTheOldFileAndSaysSo) {
  dir_.WriteFile("report.csv", "old");
  testing::FaultInjectingFileSystem fs(PosixFileSystem());
  auto csv = CsvWriter::CreateCsv(fs, ui_, dir_.File("report"));
  ASSERT_NE(csv, nullptr);
  csv->PlaceText(0, 0, "new", ReportAlign::kLeft, 1);
  fs.faults().bytes_until_full = 2;
  EXPECT_FALSE(csv->Finish());
  EXPECT_EQ(ui_.LastText(), "Cannot open file: " + dir_.File("report.csv"));
  EXPECT_EQ(dir_.ReadFile("report.csv"), "old");
  EXPECT_EQ(dir_.Listing(), "report.csv");
}

}  // namespace
}  // namespace zenkar
