// KXMICR.DAT (its field table, the checks that keep a foreign record out,
// reading and saving it in a data folder), the logo rules, and the MICR
// line: its fields in the three layouts, where each character stands and how
// big it is, on the canvas and read back from the PDF.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "common/byte_codec.h"
#include "common/text_field.h"
#include "output/check_fixture.h"
#include "output/e13b.h"
#include "output/micr_line.h"
#include "output/micr_settings.h"
#include "output/pdf_test_tools.h"

namespace zenkar {
namespace {

using ::testing::HasSubstr;
using testing::SoundMicrSettings;

// ------------------------------------------------------------ the record

TEST(MicrRecordTest, FieldsStandAtTheirOffsetsAndOtherBytesAreKept) {
  MicrSettings micr = SoundMicrSettings();
  micr.number_location = CheckNumberLocation::kTrailingOnUs;
  micr.signature_lines = 2;
  micr.horizontal_32nds = -3;
  micr.vertical_32nds = 5;
  micr.font_height_tenths = -7;
  micr.logo_path = "/home/ann/logo.bmp";
  micr.raw[724] = 'X';
  const std::string record = micr.Encode();
  ASSERT_EQ(record.size(), 726u);
  EXPECT_EQ(TrimRight(GetTextField(record, 0, 40)), "First Harbor Bank");
  EXPECT_EQ(GetTextField(record, 160, 12), "021000021   ");
  EXPECT_EQ(TrimRight(GetTextField(record, 172, 40)), "Test Company");
  EXPECT_EQ(TrimRight(GetTextField(record, 332, 40)), "1234-5678");
  EXPECT_EQ(GetInt32(record, 416), 2);
  EXPECT_EQ(GetInt32(record, 420), 2);
  EXPECT_EQ(TrimRight(GetTextField(record, 424, 40)), "AUTHORIZED SIGNATURE");
  EXPECT_EQ(GetInt32(record, 464), -3);
  EXPECT_EQ(GetInt32(record, 468), 5);
  EXPECT_EQ(GetInt32(record, 472), -7);
  EXPECT_EQ(TrimRight(GetTextField(record, 476, 244)), "/home/ann/logo.bmp");
  EXPECT_EQ(GetInt32(record, 720), 1);
  EXPECT_EQ(record[724], 'X');

  EXPECT_EQ(MicrRecordProblem(record), std::nullopt);
  const MicrSettings back = MicrSettings::Decode(record);
  EXPECT_EQ(back.Encode(), record);
  EXPECT_EQ(back.routing_number, "021000021");
  EXPECT_EQ(back.number_location, CheckNumberLocation::kTrailingOnUs);
  EXPECT_EQ(back.logo_path, "/home/ann/logo.bmp");
  EXPECT_TRUE(back.test_check_printed);
}

// A record of another layout (the payroll program's, or damage) is not
// taken for settings.
TEST(MicrRecordTest, ARecordThisProgramWouldNeverWriteIsRefused) {
  const std::string good = SoundMicrSettings().Encode();
  std::string padded_with_zeros = good;
  std::fill(padded_with_zeros.begin() + 20, padded_with_zeros.begin() + 40, '\0');
  EXPECT_EQ(MicrRecordProblem(padded_with_zeros), std::nullopt);

  auto with = [&good](size_t at, std::string_view bytes) {
    std::string record = good;
    record.replace(at, bytes.size(), bytes);
    return record;
  };
  auto with_int = [&good](size_t at, int32_t value) {
    std::string record = good;
    PutInt32(record, at, value);
    return record;
  };
  EXPECT_THAT(MicrRecordProblem(good.substr(0, 725)).value_or(""),
              HasSubstr("725 bytes long instead of 726"));
  EXPECT_THAT(MicrRecordProblem(with(3, "\x01")).value_or(""), HasSubstr("byte 0"));
  EXPECT_THAT(MicrRecordProblem(with(160, "02100A021")).value_or(""), HasSubstr("byte 160"));
  EXPECT_NE(MicrRecordProblem(with_int(412, 10)), std::nullopt);   // check type
  EXPECT_NE(MicrRecordProblem(with_int(416, 3)), std::nullopt);    // number location
  EXPECT_NE(MicrRecordProblem(with_int(420, 0)), std::nullopt);    // signature lines
  EXPECT_NE(MicrRecordProblem(with_int(464, 65)), std::nullopt);   // horizontal
  EXPECT_NE(MicrRecordProblem(with_int(472, -41)), std::nullopt);  // font height
  EXPECT_NE(MicrRecordProblem(with_int(720, 2)), std::nullopt);    // test check flag
  EXPECT_EQ(MicrRecordProblem(with_int(464, -64)), std::nullopt);
}

// The seeds of the fuzz target are written by a program of their own
// (fuzz/make_seeds.py) from the layout as documented: this program reads
// them as that program meant them.
TEST(MicrRecordTest, RecordsWrittenFromTheDocumentedLayoutReadBack) {
  const std::string corpus =
      std::string(std::getenv("ZENKAR_TEST_DATA")) + "/../../fuzz/corpus/micr_settings/";
  std::string sound, leading;
  ASSERT_TRUE(PosixFileSystem().ReadFile(corpus + "sound", &sound).ok());
  ASSERT_TRUE(PosixFileSystem().ReadFile(corpus + "leading-on-us-logo", &leading).ok());
  EXPECT_EQ(MicrRecordProblem(sound), std::nullopt);
  EXPECT_EQ(MicrRecordProblem(leading), std::nullopt);
  const MicrSettings a = MicrSettings::Decode(sound);
  EXPECT_EQ(a.bank_name, "First Harbor Bank");
  EXPECT_EQ(a.routing_number, "021000021");
  EXPECT_EQ(a.account_number, "1234-5678");
  EXPECT_EQ(a.phone_memo, "(603) 555-0100");
  EXPECT_EQ(a.check_type, 4);
  EXPECT_EQ(a.signature_title, "AUTHORIZED SIGNATURE");
  EXPECT_EQ(a.horizontal_32nds, -3);
  EXPECT_EQ(a.vertical_32nds, 2);
  EXPECT_EQ(a.font_height_tenths, 5);
  EXPECT_TRUE(a.test_check_printed);
  const MicrSettings b = MicrSettings::Decode(leading);
  EXPECT_EQ(b.number_location, CheckNumberLocation::kLeadingOnUs);
  EXPECT_EQ(b.signature_lines, 2);
  EXPECT_EQ(b.logo_path, "/home/ann/logo.bmp");
}

class MicrFileTest : public testing::CheckFixture {};

TEST_F(MicrFileTest, AMissingFileGivesDefaultsAndAForeignOneSaysSoAndStays) {
  OpenCompany();
  MicrSettingsFile file = LoadMicrSettings(ledger_);
  EXPECT_FALSE(file.stamp.exists);
  EXPECT_EQ(file.settings.Encode(), MicrSettings().Encode());
  EXPECT_EQ(ui_.Texts(), std::vector<std::string>{});

  const std::string foreign(726, '\x07');
  dir_.WriteFile("kxmicr.dat", foreign);  // found whatever its case
  file = LoadMicrSettings(ledger_);
  EXPECT_EQ(file.settings.Encode(), MicrSettings().Encode());
  ASSERT_EQ(ui_.messages().size(), 1u);
  EXPECT_EQ(ui_.messages()[0].kind, MessageKind::kError);
  EXPECT_THAT(ui_.LastText(), HasSubstr("kxmicr.dat does not hold MICR settings this program "
                                        "wrote (the field at byte 0 holds a control character)"));
  EXPECT_EQ(dir_.ReadFile("kxmicr.dat"), foreign);

  // Saving replaces it.
  ui_.ClearMessages();
  ASSERT_TRUE(SaveMicrSettings(ledger_, file, SoundMicrSettings()));
  EXPECT_EQ(dir_.ReadFile("kxmicr.dat"), SoundMicrSettings().Encode());
  EXPECT_EQ(LoadMicrSettings(ledger_).settings.routing_number, "021000021");
  EXPECT_EQ(ui_.Texts(), std::vector<std::string>{});
}

TEST_F(MicrFileTest, ASaveOverAFileAnotherProgramReplacedIsRefused) {
  OpenCompany();
  dir_.WriteFile("KXMICR.DAT", SoundMicrSettings().Encode());
  const MicrSettingsFile file = LoadMicrSettings(ledger_);
  MicrSettings theirs = SoundMicrSettings();
  theirs.bank_name = "Their Bank";
  dir_.WriteFile("KXMICR.DAT.new", theirs.Encode());
  std::filesystem::rename(dir_.File("KXMICR.DAT.new"), dir_.File("KXMICR.DAT"));

  MicrSettings ours = file.settings;
  ours.bank_name = "Our Bank";
  EXPECT_FALSE(SaveMicrSettings(ledger_, file, ours));
  EXPECT_THAT(ui_.LastText(), HasSubstr("Another program changed the MICR settings"));
  EXPECT_EQ(dir_.ReadFile("KXMICR.DAT"), theirs.Encode());
  EXPECT_TRUE(SaveMicrSettings(ledger_, LoadMicrSettings(ledger_), ours));
  EXPECT_EQ(LoadMicrSettings(ledger_).settings.bank_name, "Our Bank");
}

TEST_F(MicrFileTest, LogoRules) {
  FileSystem& fs = PosixFileSystem();
  dir_.WriteFile("logo.bmp", testing::MakeBmpOfSize(10, 6));
  dir_.WriteFile("LOGO.BMP", testing::MakeBmpOfSize(2, 2));
  dir_.WriteFile("thin.bmp", testing::MakeBmpOfSize(1, 300));
  dir_.WriteFile("flat.bmp", testing::MakeBmpOfSize(300, 1));
  dir_.WriteFile("fake.bmp", "BM but nothing else");
  dir_.WriteFile("logo.png", "\x89PNG");
  EXPECT_EQ(LogoSelectionProblem(fs, dir_.File("logo.bmp")), std::nullopt);
  EXPECT_EQ(LogoSelectionProblem(fs, dir_.File("LOGO.BMP")), std::nullopt);
  EXPECT_EQ(LogoSelectionProblem(fs, dir_.File("thin.bmp")), kLogoTooSmall);
  EXPECT_EQ(LogoSelectionProblem(fs, dir_.File("flat.bmp")), kLogoTooSmall);
  EXPECT_EQ(LogoSelectionProblem(fs, dir_.File("fake.bmp")), kLogoInvalidFile);
  EXPECT_EQ(LogoSelectionProblem(fs, dir_.File("missing.bmp")), kLogoInvalidFile);
  EXPECT_EQ(LogoSelectionProblem(fs, dir_.File("logo.png")), kLogoNotBitmap);
  EXPECT_EQ(LogoSelectionProblem(fs, "/" + std::string(kLogoPathWidth, 'a') + ".bmp"),
            kLogoFolderTooLong);
}

// ------------------------------------------------------------ the line

TEST(MicrLineTest, FieldsOfTheThreeNumberLocations) {
  MicrSettings micr = SoundMicrSettings();
  EXPECT_EQ(
      MicrLineFields(micr, "1043"),
      (std::vector<MicrField>{{26.6, "D021000021D"}, {41.75, "001043"}, {50.5, "1234-5678C"}}));
  micr.number_location = CheckNumberLocation::kLeadingOnUs;
  EXPECT_EQ(
      MicrLineFields(micr, "1043"),
      (std::vector<MicrField>{{26.6, "D021000021D"}, {15.5, "C001043C"}, {41.75, "1234-5678C"}}));
  micr.number_location = CheckNumberLocation::kTrailingOnUs;
  EXPECT_EQ(MicrLineFields(micr, "987654"),
            (std::vector<MicrField>{{26.6, "D021000021D"}, {41.75, "1234-5678C987654"}}));
}

TEST(MicrLineTest, SizeFollowsTheFontHeightInWholePoints) {
  MicrSettings micr;
  EXPECT_EQ(MicrFontPoints(micr), 12);
  EXPECT_EQ(MicrFontHeightText(12), "The MICR font height is .117\"  (.117 is ideal)");
  micr.font_height_tenths = 4;
  EXPECT_EQ(MicrFontPoints(micr), 12);
  micr.font_height_tenths = 5;
  EXPECT_EQ(MicrFontPoints(micr), 13);
  micr.font_height_tenths = -6;
  EXPECT_EQ(MicrFontPoints(micr), 11);
  EXPECT_EQ(MicrFontHeightText(13), "The MICR font height is .127\"  (.117 is ideal)");
  EXPECT_EQ(MicrFontHeightText(16), "The MICR font height is .156\"  (.117 is ideal)");
}

// The bounding box of a path's rectangles, in points.
struct Box {
  double left = 1e9, top = 1e9, right = -1e9, bottom = -1e9;
};
Box BoxOf(const CanvasPath& path) {
  Box box;
  for (const CanvasPath::Segment& segment : path.segments()) {
    const CanvasPoint at = segment.points[0];
    const CanvasPoint size = segment.points[1];
    box.left = std::min(box.left, at.x);
    box.top = std::min(box.top, at.y);
    box.right = std::max(box.right, at.x + size.x);
    box.bottom = std::max(box.bottom, at.y + size.y);
  }
  return box;
}

class MicrLineDrawingTest : public ::testing::Test {
 protected:
  MicrLineDrawingTest() : out_(dir_.path()) {}

  // The fields' paths and invisible texts as drawn on a recording canvas.
  std::vector<testing::CanvasCall> Draw(const MicrSettings& micr, double baseline_row) {
    PrintJob job(out_.services, OutputTarget::kPrinter);
    EXPECT_TRUE(job.StartPrintJob(PrintJobKind::kCheck, "MICR"));
    DrawMicrLine(job, micr, "1043", baseline_row);
    EXPECT_TRUE(job.EndPrintJob());
    return out_.printer.jobs.back();
  }

  testing::TempDir dir_;
  testing::TestOutput out_;
};

// The closing transit symbol ends 41.6 columns from the left edge, 4.34
// inches from the right edge of the sheet; its characters are 0.117 inch
// high on the baseline; the adjustments move everything.
TEST_F(MicrLineDrawingTest, CharactersStandInTheirCellsAtTheStatedColumns) {
  const std::vector<testing::CanvasCall> calls = Draw(SoundMicrSettings(), 20);
  ASSERT_EQ(calls.size(), 7u);  // per field a path and its text, then Finish
  const Box routing = BoxOf(calls[0].path);
  EXPECT_NEAR(routing.right, 41.6 * 7.2, 1e-9);
  EXPECT_NEAR((8.5 * 72 - routing.right) / 72, 4.34, 1e-9);
  EXPECT_NEAR(routing.bottom, 240, 1e-9);
  EXPECT_NEAR(routing.bottom - routing.top, 0.117 * 72, 1e-9);
  // The opening transit symbol fills the right part of the first cell.
  EXPECT_NEAR(routing.left, (26.6 + 2.5) * 7.2 - 7 * 0.013 * 72, 1e-9);
  EXPECT_EQ(calls[1].kind, testing::CanvasCall::kInvisibleText);
  EXPECT_EQ(calls[1].text, "D021000021D");
  EXPECT_DOUBLE_EQ(calls[1].column, 26.6 + 1.25);
  EXPECT_EQ(calls[1].font.family, FontFamily::kCourierNew);
  EXPECT_DOUBLE_EQ(ReportTextWidth(calls[1].font, "D"), 9);  // one cell a character
  const Box number = BoxOf(calls[2].path);
  EXPECT_NEAR(number.right, (41.75 + 1.25 * 7) * 7.2, 1e-9);
  EXPECT_EQ(calls[5].text, "1234-5678C");

  MicrSettings moved = SoundMicrSettings();
  moved.horizontal_32nds = 8;  // a quarter inch right
  moved.vertical_32nds = -4;   // an eighth of an inch up
  moved.font_height_tenths = 10;
  const std::vector<testing::CanvasCall> shifted = Draw(moved, 20);
  const Box routing_moved = BoxOf(shifted[0].path);
  EXPECT_NEAR(routing_moved.right, 41.6 * 7.2 + 18, 1e-9);
  EXPECT_NEAR(routing_moved.bottom, 240 - 9, 1e-9);
  EXPECT_NEAR(routing_moved.bottom - routing_moved.top, 0.117 * 72 * 13 / 12, 1e-9);
  EXPECT_DOUBLE_EQ(shifted[1].column, 26.6 + 1.25 + 2.5);
  EXPECT_DOUBLE_EQ(shifted[1].row, 20 - 0.75);
}

// pdftotext -bbox finds each field where its characters stand, one cell of
// 1/8 inch a character.
TEST_F(MicrLineDrawingTest, TheLineReadsBackFromThePdfAtItsPositions) {
  PrintJob job(out_.services, OutputTarget::kPdf);
  ASSERT_TRUE(job.StartPrintJob(PrintJobKind::kCheck, "MICR"));
  MicrSettings micr = SoundMicrSettings();
  micr.number_location = CheckNumberLocation::kLeadingOnUs;
  DrawMicrLine(job, micr, "1043", 20);
  ASSERT_TRUE(job.EndPrintJob());
  EXPECT_EQ(testing::QpdfProblems(job.document_path()), std::nullopt);
  std::vector<testing::PdfWord> words = testing::PdfWords(job.document_path());
  std::sort(words.begin(), words.end(),
            [](const auto& a, const auto& b) { return a.x_min < b.x_min; });
  ASSERT_EQ(words.size(), 3u);
  const struct {
    std::string text;
    double start;
  } expected[] = {{"C001043C", 15.5}, {"D021000021D", 26.6}, {"1234-5678C", 41.75}};
  for (size_t i = 0; i < words.size(); ++i) {
    EXPECT_EQ(words[i].text, expected[i].text);
    EXPECT_NEAR(words[i].x_min, (expected[i].start + 1.25) * 7.2, 0.01) << words[i].text;
    EXPECT_NEAR(words[i].x_max - words[i].x_min, 9.0 * expected[i].text.size(), 0.01);
    EXPECT_GT(words[i].y_max, 240);  // the descent is below the baseline
    EXPECT_LT(words[i].y_min, 240);
  }
}

}  // namespace
}  // namespace zenkar
