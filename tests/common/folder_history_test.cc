// The recent-folder history KXHIST3.DAT: move to the front, removal, and
// folders it cannot keep exactly.
#include "common/folder_history.h"

#include <gtest/gtest.h>

#include "common/text_field.h"
#include "support/temp_dir.h"

namespace zenkar::testing {
namespace {

class FolderHistoryTest : public ::testing::Test {
 protected:
  std::vector<std::string> Entries(int count) {
    std::vector<std::string> entries;
    for (int k = 0; k < count; ++k) entries.push_back(history_.GetHistoryEntry(k));
    return entries;
  }

  TempDir install_;
  FolderHistory history_{PosixFileSystem(), install_.path(), true};
};

TEST_F(FolderHistoryTest, AMissingOrDamagedFileReadsAsOneBlankRecord) {
  EXPECT_EQ(history_.GetHistoryEntry(0), "");
  EXPECT_EQ(install_.ReadFile("KXHIST3.DAT"), std::string(26260, ' '));
  install_.WriteFile("KXHIST3.DAT", "/books/a/" + std::string(26250, ' '));  // 26,259 bytes
  EXPECT_EQ(history_.GetHistoryEntry(0), "");
  EXPECT_EQ(install_.ReadFile("KXHIST3.DAT").size(), 26260u);
}

TEST_F(FolderHistoryTest, AddingMovesAFolderToTheFrontAndLosesTheOldestBeyond101) {
  for (int n = 0; n < 102; ++n) history_.AddHistoryEntry("/books/" + std::to_string(n) + "/");
  EXPECT_EQ(history_.GetHistoryEntry(0), "/books/101/");
  EXPECT_EQ(history_.GetHistoryEntry(100), "/books/1/");  // "/books/0/" was lost

  history_.AddHistoryEntry("/books/99/");
  EXPECT_EQ(Entries(4),
            (std::vector<std::string>{"/books/99/", "/books/101/", "/books/100/", "/books/98/"}));
  EXPECT_EQ(history_.GetHistoryEntry(100), "/books/1/");
  const std::string before = install_.ReadFile("KXHIST3.DAT");
  history_.AddHistoryEntry("/books/99/");
  EXPECT_EQ(install_.ReadFile("KXHIST3.DAT"), before);
  history_.AddHistoryEntry("/Books/99/");  // another folder on Linux
  EXPECT_EQ(Entries(2), (std::vector<std::string>{"/Books/99/", "/books/99/"}));
}

TEST_F(FolderHistoryTest, RemovingMovesTheLaterEntriesUp) {
  for (const char* folder : {"/c/", "/b/", "/a/"}) history_.AddHistoryEntry(folder);
  history_.RemoveHistoryEntry(1);
  EXPECT_EQ(Entries(3), (std::vector<std::string>{"/a/", "/c/", ""}));
}

TEST_F(FolderHistoryTest, AFolderTheRecordCannotHoldExactlyIsNotRecorded) {
  history_.AddHistoryEntry("/books/" + std::string(260, 'x') + "/");
  history_.AddHistoryEntry("/books/\xE2\x82\xAC-euro/");  // Windows-1252 has the euro sign
  history_.AddHistoryEntry("/books/\xE2\x98\x83-snow/");  // but no snowman
  history_.AddHistoryEntry("/books/trailing space/ ");
  EXPECT_EQ(Entries(2), (std::vector<std::string>{"/books/\xE2\x82\xAC-euro/", ""}));
  EXPECT_EQ(install_.ReadFile("KXHIST3.DAT").substr(0, 14), "/books/\x80-euro/");
}

TEST_F(FolderHistoryTest, AHistoryThatMayNotBeWrittenIsOnlyRead) {
  FolderHistory reading(PosixFileSystem(), install_.path(), false);
  reading.AddHistoryEntry("/books/a/");
  EXPECT_EQ(reading.GetHistoryEntry(0), "");
  EXPECT_FALSE(install_.Exists("KXHIST3.DAT"));
}

}  // namespace
}  // namespace zenkar::testing
