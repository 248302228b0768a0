#include "common/record_file.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "common/byte_codec.h"
#include "common/file_system.h"
#include "common/status.h"
#include "support/temp_dir.h"

namespace zenkar {
namespace {

using ::zenkar::testing::TempDir;

constexpr size_t kTransactionLength = 328;
constexpr size_t kAccountLength = 156;

// A record of `length` bytes that differs from every other numbered record
// in its first bytes and holds every byte value somewhere.
std::string MakeRecord(size_t length, int number) {
  std::string record(length, '\0');
  for (size_t i = 0; i < length; ++i) record[i] = static_cast<char>((i * 7 + number) & 0xFF);
  PutInt32(record, 0, number);
  return record;
}

std::vector<std::string> MakeRecords(size_t length, int count) {
  std::vector<std::string> records;
  for (int n = 1; n <= count; ++n) records.push_back(MakeRecord(length, n));
  return records;
}

std::string Concatenate(const std::vector<std::string>& records) {
  std::string all;
  for (const std::string& record : records) all += record;
  return all;
}

class RecordFileTest : public ::testing::Test {
 protected:
  FileSystem& fs_ = PosixFileSystem();
  TempDir dir_;
};

// --- Counting and the whole-record rule -----------------------------------

TEST_F(RecordFileTest, EmptyFileHoldsNoRecords) {
  dir_.WriteFile("KXACCT.TRN", "");
  const std::string path = dir_.File("KXACCT.TRN");

  int count = -1;
  ASSERT_TRUE(RecordCount(fs_, path, kTransactionLength, &count).ok());
  EXPECT_EQ(count, 0);

  std::unique_ptr<RecordFile> file;
  ASSERT_TRUE(RecordFile::Open(fs_, path, kTransactionLength, false, &file).ok());
  EXPECT_EQ(file->count(), 0);
  std::vector<std::string> records = {"stale"};
  ASSERT_TRUE(file->ReadAll(&records).ok());
  EXPECT_TRUE(records.empty());

  records = {"stale"};
  ASSERT_TRUE(LoadAll(fs_, path, kTransactionLength, &records).ok());
  EXPECT_TRUE(records.empty());
}

TEST_F(RecordFileTest, MissingFileHoldsNoRecords) {
  const std::string path = dir_.File("KXACCT.VND");
  int count = -1;
  ASSERT_TRUE(RecordCount(fs_, path, 536, &count).ok());
  EXPECT_EQ(count, 0);
  std::vector<std::string> records = {"stale"};
  ASSERT_TRUE(LoadAll(fs_, path, 536, &records).ok());
  EXPECT_TRUE(records.empty());
  EXPECT_FALSE(dir_.Exists("KXACCT.VND"));

  std::unique_ptr<RecordFile> file;
  EXPECT_EQ(RecordFile::Open(fs_, path, 536, false, &file).code(), Status::Code::kNotFound);
  EXPECT_EQ(file, nullptr);
  EXPECT_FALSE(dir_.Exists("KXACCT.VND"));
}

TEST_F(RecordFileTest, CountIsLengthOverRecordLength) {
  dir_.WriteFile("KXACCT.TRN", Concatenate(MakeRecords(kTransactionLength, 3)));
  int count = 0;
  ASSERT_TRUE(RecordCount(fs_, dir_.File("KXACCT.TRN"), kTransactionLength, &count).ok());
  EXPECT_EQ(count, 3);
  std::unique_ptr<RecordFile> file;
  ASSERT_TRUE(
      RecordFile::Open(fs_, dir_.File("KXACCT.TRN"), kTransactionLength, false, &file).ok());
  EXPECT_EQ(file->count(), 3);
}

// A transaction file one byte longer than a whole record: every operation
// refuses it, reads nothing from it and leaves its bytes as they were.
TEST_F(RecordFileTest, FileOfPartialRecordIsRefusedEverywhereAndLeftAlone) {
  const std::string bytes = MakeRecord(kTransactionLength, 1) + "Z";
  ASSERT_EQ(bytes.size(), 329u);
  dir_.WriteFile("KXACCT.TRN", bytes);
  const std::string path = dir_.File("KXACCT.TRN");

  int count = 99;
  Status status = RecordCount(fs_, path, kTransactionLength, &count);
  EXPECT_EQ(status.code(), Status::Code::kInvalidFile);
  EXPECT_EQ(status.message(), InvalidFileMessage(path));
  EXPECT_NE(status.message().find(path), std::string::npos);
  EXPECT_EQ(count, 0);

  std::unique_ptr<RecordFile> file;
  EXPECT_EQ(RecordFile::Open(fs_, path, kTransactionLength, false, &file).code(),
            Status::Code::kInvalidFile);
  EXPECT_EQ(file, nullptr);
  EXPECT_EQ(RecordFile::Open(fs_, path, kTransactionLength, true, &file).code(),
            Status::Code::kInvalidFile);
  EXPECT_EQ(file, nullptr);

  const std::vector<std::string> table = {"previous table"};
  std::vector<std::string> records = table;
  EXPECT_EQ(LoadAll(fs_, path, kTransactionLength, &records).code(), Status::Code::kInvalidFile);
  EXPECT_EQ(records, table);

  std::string record = "untouched";
  EXPECT_EQ(ReadRecord(fs_, path, kTransactionLength, 1, &record).code(),
            Status::Code::kInvalidFile);
  EXPECT_EQ(record, "untouched");

  for (int number : {1, 2}) {
    EXPECT_EQ(WriteRecord(fs_, path, kTransactionLength, number, MakeRecord(kTransactionLength, 7))
                  .code(),
              Status::Code::kInvalidFile);
  }
  EXPECT_EQ(dir_.ReadFile("KXACCT.TRN"), bytes);
  EXPECT_EQ(dir_.Listing(), "KXACCT.TRN");
}

TEST_F(RecordFileTest, FileShorterThanOneRecordIsRefused) {
  dir_.WriteFile("KXACCT.COA", std::string(kAccountLength - 1, 'A'));
  std::vector<std::string> records;
  EXPECT_EQ(LoadAll(fs_, dir_.File("KXACCT.COA"), kAccountLength, &records).code(),
            Status::Code::kInvalidFile);
  EXPECT_EQ(dir_.ReadFile("KXACCT.COA"), std::string(kAccountLength - 1, 'A'));
}

// --- Whole-file tables -------------------------------------------------

TEST_F(RecordFileTest, SaveAllThenLoadAllGivesTheSameRecords) {
  const std::string path = dir_.File("KXACCT.COA");
  const std::vector<std::string> records = MakeRecords(kAccountLength, 40);
  ASSERT_TRUE(SaveAll(fs_, path, kAccountLength, records).ok());
  EXPECT_EQ(dir_.ReadFile("KXACCT.COA"), Concatenate(records));
  EXPECT_EQ(dir_.Listing(), "KXACCT.COA");

  std::vector<std::string> loaded;
  ASSERT_TRUE(LoadAll(fs_, path, kAccountLength, &loaded).ok());
  EXPECT_EQ(loaded, records);
}

TEST_F(RecordFileTest, SaveAllReplacesALongerFileWhole) {
  const std::string path = dir_.File("KXACCT.COA");
  ASSERT_TRUE(SaveAll(fs_, path, kAccountLength, MakeRecords(kAccountLength, 10)).ok());
  const std::vector<std::string> fewer = {MakeRecord(kAccountLength, 99)};
  ASSERT_TRUE(SaveAll(fs_, path, kAccountLength, fewer).ok());
  EXPECT_EQ(dir_.ReadFile("KXACCT.COA"), fewer[0]);

  ASSERT_TRUE(SaveAll(fs_, path, kAccountLength, {}).ok());
  EXPECT_TRUE(dir_.Exists("KXACCT.COA"));
  EXPECT_EQ(dir_.ReadFile("KXACCT.COA"), "");
}

TEST_F(RecordFileTest, SaveAllRefusesARecordOfTheWrongLength) {
  const std::string path = dir_.File("KXACCT.COA");
  const std::vector<std::string> good = MakeRecords(kAccountLength, 2);
  ASSERT_TRUE(SaveAll(fs_, path, kAccountLength, good).ok());

  std::vector<std::string> bad = good;
  bad.push_back(std::string(kAccountLength + 1, 'x'));
  EXPECT_FALSE(SaveAll(fs_, path, kAccountLength, bad).ok());
  bad.back() = std::string(kAccountLength - 1, 'x');
  EXPECT_FALSE(SaveAll(fs_, path, kAccountLength, bad).ok());
  EXPECT_EQ(dir_.ReadFile("KXACCT.COA"), Concatenate(good));
  EXPECT_EQ(dir_.Listing(), "KXACCT.COA");
}

// --- One record by number ----------------------------------------------

TEST_F(RecordFileTest, WriteRecordAppendsAtCountPlusOneOnly) {
  const std::string path = dir_.File("KXACCT.RJE");
  constexpr size_t kLength = 284;
  ASSERT_TRUE(WriteRecord(fs_, path, kLength, 1, MakeRecord(kLength, 1)).ok());
  ASSERT_TRUE(WriteRecord(fs_, path, kLength, 2, MakeRecord(kLength, 2)).ok());
  const std::string two = MakeRecord(kLength, 1) + MakeRecord(kLength, 2);
  EXPECT_EQ(dir_.ReadFile("KXACCT.RJE"), two);

  for (int number : {4, 100, 0, -1}) {
    EXPECT_FALSE(WriteRecord(fs_, path, kLength, number, MakeRecord(kLength, 9)).ok()) << number;
  }
  EXPECT_EQ(dir_.ReadFile("KXACCT.RJE"), two);

  ASSERT_TRUE(WriteRecord(fs_, path, kLength, 3, MakeRecord(kLength, 3)).ok());
  int count = 0;
  ASSERT_TRUE(RecordCount(fs_, path, kLength, &count).ok());
  EXPECT_EQ(count, 3);
}

TEST_F(RecordFileTest, WriteRecordReplacesOneRecordInPlace) {
  const std::string path = dir_.File("KXACCT.VND");
  constexpr size_t kLength = 536;
  std::vector<std::string> records = MakeRecords(kLength, 3);
  ASSERT_TRUE(SaveAll(fs_, path, kLength, records).ok());

  records[1] = MakeRecord(kLength, 42);
  ASSERT_TRUE(WriteRecord(fs_, path, kLength, 2, records[1]).ok());
  EXPECT_EQ(dir_.ReadFile("KXACCT.VND"), Concatenate(records));

  std::string record;
  for (int n = 1; n <= 3; ++n) {
    ASSERT_TRUE(ReadRecord(fs_, path, kLength, n, &record).ok());
    EXPECT_EQ(record, records[n - 1]) << n;
  }
}

TEST_F(RecordFileTest, WriteRecordRefusesARecordOfTheWrongLength) {
  const std::string path = dir_.File("KXMICR.DAT");
  const std::string old = MakeRecord(726, 1);
  dir_.WriteFile("KXMICR.DAT", old);
  EXPECT_FALSE(WriteRecord(fs_, path, 726, 1, std::string(725, 'x')).ok());
  EXPECT_FALSE(WriteRecord(fs_, path, 726, 2, std::string(727, 'x')).ok());
  EXPECT_EQ(dir_.ReadFile("KXMICR.DAT"), old);
}

TEST_F(RecordFileTest, WriteRecordCreatesAMissingFileOnlyForRecordOne) {
  const std::string path = dir_.File("KXMICR.DAT");
  // Refused writes leave no file behind: a missing file and an empty one mean
  // different things to the code that loads the folder.
  EXPECT_FALSE(WriteRecord(fs_, path, 726, 2, MakeRecord(726, 2)).ok());
  EXPECT_FALSE(WriteRecord(fs_, path, 726, 1, std::string(10, 'x')).ok());
  EXPECT_EQ(dir_.Listing(), "");

  ASSERT_TRUE(WriteRecord(fs_, path, 726, 1, MakeRecord(726, 1)).ok());
  EXPECT_EQ(dir_.ReadFile("KXMICR.DAT"), MakeRecord(726, 1));
}

TEST_F(RecordFileTest, ReadRecordRefusesNumbersOutsideTheFile) {
  const std::string path = dir_.File("KXACCT.TRN");
  ASSERT_TRUE(SaveAll(fs_, path, kTransactionLength, MakeRecords(kTransactionLength, 2)).ok());
  std::string record = "untouched";
  for (int number : {0, -1, 3, 1000}) {
    EXPECT_FALSE(ReadRecord(fs_, path, kTransactionLength, number, &record).ok()) << number;
  }
  EXPECT_EQ(record, "untouched");
  EXPECT_FALSE(ReadRecord(fs_, dir_.File("KXACCT.REC"), 152, 1, &record).ok());
}

// --- The open transaction file -----------------------------------------

TEST_F(RecordFileTest, OpenFileAppendsReadsAndKeepsItsCount) {
  const std::string path = dir_.File("KXACCT.TRN");
  std::unique_ptr<RecordFile> file;
  ASSERT_TRUE(RecordFile::Open(fs_, path, kTransactionLength, true, &file).ok());
  EXPECT_EQ(file->count(), 0);
  EXPECT_EQ(file->record_length(), kTransactionLength);
  EXPECT_EQ(file->path(), path);

  const std::vector<std::string> records = MakeRecords(kTransactionLength, 6);
  for (int n = 1; n <= 6; ++n) {
    ASSERT_TRUE(file->Write(n, records[n - 1]).ok());
    EXPECT_EQ(file->count(), n);
  }
  EXPECT_FALSE(file->Write(8, records[0]).ok());
  EXPECT_FALSE(file->Write(0, records[0]).ok());
  EXPECT_FALSE(file->Write(7, std::string(kTransactionLength - 1, 'x')).ok());
  EXPECT_EQ(file->count(), 6);
  EXPECT_EQ(dir_.ReadFile("KXACCT.TRN"), Concatenate(records));

  std::string record;
  ASSERT_TRUE(file->Read(4, &record).ok());
  EXPECT_EQ(record, records[3]);
  EXPECT_FALSE(file->Read(7, &record).ok());
  EXPECT_FALSE(file->Read(0, &record).ok());

  std::unique_ptr<RecordFile> reopened;
  ASSERT_TRUE(RecordFile::Open(fs_, path, kTransactionLength, false, &reopened).ok());
  EXPECT_EQ(reopened->count(), 6);
  std::vector<std::string> all;
  ASSERT_TRUE(reopened->ReadAll(&all).ok());
  EXPECT_EQ(all, records);
}

TEST_F(RecordFileTest, ReadRangeReadsTheInclusiveRange) {
  const std::string path = dir_.File("KXACCT.TRN");
  const std::vector<std::string> records = MakeRecords(kTransactionLength, 10);
  ASSERT_TRUE(SaveAll(fs_, path, kTransactionLength, records).ok());
  std::unique_ptr<RecordFile> file;
  ASSERT_TRUE(RecordFile::Open(fs_, path, kTransactionLength, false, &file).ok());

  std::vector<std::string> range;
  ASSERT_TRUE(file->ReadRange(3, 5, &range).ok());
  EXPECT_EQ(range, std::vector<std::string>(records.begin() + 2, records.begin() + 5));
  ASSERT_TRUE(file->ReadRange(10, 10, &range).ok());
  EXPECT_EQ(range, std::vector<std::string>{records[9]});
  ASSERT_TRUE(file->ReadRange(1, 10, &range).ok());
  EXPECT_EQ(range, records);
  ASSERT_TRUE(file->ReadRange(5, 4, &range).ok());
  EXPECT_TRUE(range.empty());
}

// A large file is read in several blocks; every record must land at its own
// index whatever block it came from.
TEST_F(RecordFileTest, ReadRangeOfALargeFileKeepsEveryRecordInPlace) {
  const std::string path = dir_.File("KXACCT.TRN");
  const std::vector<std::string> records = MakeRecords(kTransactionLength, 3001);
  ASSERT_TRUE(SaveAll(fs_, path, kTransactionLength, records).ok());
  std::unique_ptr<RecordFile> file;
  ASSERT_TRUE(RecordFile::Open(fs_, path, kTransactionLength, false, &file).ok());

  std::vector<std::string> all;
  ASSERT_TRUE(file->ReadAll(&all).ok());
  ASSERT_EQ(all.size(), records.size());
  for (size_t i = 0; i < records.size(); ++i) {
    ASSERT_EQ(GetInt32(all[i], 0), static_cast<int>(i + 1));
    ASSERT_EQ(all[i], records[i]) << "record " << i + 1;
  }
  for (int first : {1, 2, 700, 799, 800, 801, 1598, 1599, 2999}) {
    std::vector<std::string> range;
    ASSERT_TRUE(file->ReadRange(first, 3001, &range).ok());
    EXPECT_EQ(range, std::vector<std::string>(records.begin() + first - 1, records.end())) << first;
  }
  std::vector<std::string> range;
  ASSERT_TRUE(file->ReadRange(5, 2500, &range).ok());
  EXPECT_EQ(range, std::vector<std::string>(records.begin() + 4, records.begin() + 2500));
}

TEST_F(RecordFileTest, ReadAllIntoOneBlockGivesEveryRecordAndSurvivesReuse) {
  const std::string path = dir_.File("KXACCT.TRN");
  const std::vector<std::string> records = MakeRecords(kTransactionLength, 3001);
  ASSERT_TRUE(SaveAll(fs_, path, kTransactionLength, records).ok());
  std::unique_ptr<RecordFile> file;
  ASSERT_TRUE(RecordFile::Open(fs_, path, kTransactionLength, false, &file).ok());

  RecordBlock block;
  ASSERT_TRUE(file->ReadAll(&block).ok());
  ASSERT_EQ(block.count(), 3001);
  for (int i = 0; i < block.count(); ++i) ASSERT_EQ(block.Record(i), records[i]) << i;

  // Read again into the same block after an append: the new record is there too.
  ASSERT_TRUE(file->Write(3002, records[0]).ok());
  ASSERT_TRUE(file->ReadAll(&block).ok());
  ASSERT_EQ(block.count(), 3002);
  EXPECT_EQ(block.Record(3001), records[0]);
  EXPECT_EQ(block.Record(3000), records[3000]);

  RecordBlock moved = std::move(block);
  EXPECT_EQ(moved.count(), 3002);
  EXPECT_EQ(block.count(), 0);
}

TEST_F(RecordFileTest, RefusedReadRangeLeavesTheCallersTableAlone) {
  const std::string path = dir_.File("KXACCT.TRN");
  ASSERT_TRUE(SaveAll(fs_, path, kTransactionLength, MakeRecords(kTransactionLength, 4)).ok());
  std::unique_ptr<RecordFile> file;
  ASSERT_TRUE(RecordFile::Open(fs_, path, kTransactionLength, false, &file).ok());

  const std::vector<std::string> table = {"a", "b"};
  std::vector<std::string> records = table;
  EXPECT_FALSE(file->ReadRange(0, 2, &records).ok());
  EXPECT_EQ(records, table);
  EXPECT_FALSE(file->ReadRange(3, 5, &records).ok());
  EXPECT_EQ(records, table);
}

// --- Names, paths and deletion ------------------------------------------

TEST(NormalizeFolderPathTest, TrimsSpacesAndEndsWithOneSeparator) {
  EXPECT_EQ(NormalizeFolderPath("  /a/b  "), "/a/b/");
  EXPECT_EQ(NormalizeFolderPath("/a/b"), "/a/b/");
  EXPECT_EQ(NormalizeFolderPath("/a/b/"), "/a/b/");
  EXPECT_EQ(NormalizeFolderPath(" /a/b/ "), "/a/b/");
  EXPECT_EQ(NormalizeFolderPath("/"), "/");
  EXPECT_EQ(NormalizeFolderPath("books"), "books/");
  EXPECT_EQ(NormalizeFolderPath("/my books/2024"), "/my books/2024/");
  EXPECT_EQ(NormalizeFolderPath(""), "");
  EXPECT_EQ(NormalizeFolderPath("   "), "");
}

TEST_F(RecordFileTest, DataFilePathFindsAnExistingFileWhateverItsCase) {
  dir_.WriteFile("kxacct.trn", "");
  dir_.WriteFile("KxAcct.Coa", "");
  EXPECT_EQ(DataFilePath(fs_, dir_.path(), "KXACCT.TRN"), dir_.path() + "kxacct.trn");
  EXPECT_EQ(DataFilePath(fs_, dir_.path(), "KXACCT.COA"), dir_.path() + "KxAcct.Coa");
}

TEST_F(RecordFileTest, DataFilePathGivesTheCanonicalNameOtherwise) {
  // Names that only share a prefix or differ in one letter do not count.
  dir_.WriteFile("kxacct.trn.bak", "");
  dir_.WriteFile("kxacct.tr", "");
  dir_.WriteFile("kxacct.trx", "");
  EXPECT_EQ(DataFilePath(fs_, dir_.path(), "KXACCT.TRN"), dir_.path() + "KXACCT.TRN");
  EXPECT_EQ(DataFilePath(fs_, dir_.path(), "KXACCT.VND"), dir_.path() + "KXACCT.VND");
  EXPECT_EQ(DataFilePath(fs_, dir_.File("missing/"), "KXACCT.CFG"),
            dir_.File("missing/KXACCT.CFG"));
}

TEST_F(RecordFileTest, DeleteFileRemovesOneFileAndToleratesAMissingOne) {
  dir_.WriteFile("KXACCT.REC", std::string(152, 'r'));
  dir_.WriteFile("KXACCT.COA", std::string(156, 'c'));
  ASSERT_TRUE(DeleteFile(fs_, dir_.File("KXACCT.REC")).ok());
  EXPECT_EQ(dir_.Listing(), "KXACCT.COA");
  EXPECT_TRUE(DeleteFile(fs_, dir_.File("KXACCT.REC")).ok());
  EXPECT_EQ(dir_.Listing(), "KXACCT.COA");
}

// --- Field codec ---------------------------------------------------------

TEST(ByteCodecTest, FieldsAreLittleEndianAtTheirOffsets) {
  std::string record(32, '\x55');
  PutInt16(record, 1, -2);
  PutInt32(record, 3, 0x12345678);
  PutInt64(record, 7, -1234567890123LL);
  PutMoney(record, 15, Money::FromRaw(123450));
  EXPECT_EQ(record.substr(0, 7), std::string("\x55\xFE\xFF\x78\x56\x34\x12", 7));
  EXPECT_EQ(record.substr(15, 8), std::string("\x3A\xE2\x01\x00\x00\x00\x00\x00", 8));
  EXPECT_EQ(record.substr(23), std::string(9, '\x55'));
  EXPECT_EQ(GetInt16(record, 1), -2);
  EXPECT_EQ(GetInt32(record, 3), 0x12345678);
  EXPECT_EQ(GetInt64(record, 7), -1234567890123LL);
  EXPECT_EQ(GetMoney(record, 15), Money::FromRaw(123450));

  PutInt32(record, 3, -1);
  EXPECT_EQ(GetInt32(record, 3), -1);
  EXPECT_EQ(record.substr(3, 4), std::string(4, '\xFF'));
  PutInt64(record, 7, INT64_MIN);
  EXPECT_EQ(GetInt64(record, 7), INT64_MIN);
}

}  // namespace
}  // namespace zenkar
