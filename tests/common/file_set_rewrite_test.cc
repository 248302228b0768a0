// Removals in a change of several files (a restore removes the files its
// backup set lacks): they are part of the change, finished after a crash from
// the journal and taken back when a later step fails.
#include "common/file_set_rewrite.h"

#include <gtest/gtest.h>

#include "support/fault_file_system.h"
#include "support/temp_dir.h"

namespace zenkar::testing {
namespace {

class FileSetRemovalTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_.WriteFile("KXACCT.COA", "old chart");
    dir_.WriteFile("KXACCT.REC", "old reconciliation");
    dir_.WriteFile("KXACCT.TRN", "old lines");
  }

  // Replaces the chart and the lines, removes the reconciliation file.
  Status Restore(FileSystem& fs) {
    FileSetRewrite files(fs);
    files.Add(dir_.File("KXACCT.COA"), chart_, "old chart");
    files.AddRemoval(dir_.File("KXACCT.REC"), "old reconciliation");
    files.AddLast(dir_.File("KXACCT.TRN"), lines_);
    std::string failed;
    return files.Commit(&failed);
  }

  TempDir dir_;
  const std::string chart_ = "new chart";
  const std::string lines_ = "new lines";
};

TEST_F(FileSetRemovalTest, ACommitRemovesAndReplacesAndLeavesNoJournal) {
  ASSERT_TRUE(Restore(PosixFileSystem()).ok());
  EXPECT_EQ(dir_.Listing(), "KXACCT.COA KXACCT.TRN");
  EXPECT_EQ(dir_.ReadFile("KXACCT.COA"), "new chart");
  EXPECT_EQ(dir_.ReadFile("KXACCT.TRN"), "new lines");
}

TEST_F(FileSetRemovalTest, AFailedRenamePutsTheRemovedFileBack) {
  FaultInjectingFileSystem fs;
  fs.FailNth(Step::kRename, 3);  // the journal, the chart, then the lines
  EXPECT_FALSE(Restore(fs).ok());
  EXPECT_EQ(dir_.Listing(), "KXACCT.COA KXACCT.REC KXACCT.TRN");
  EXPECT_EQ(dir_.ReadFile("KXACCT.COA"), "old chart");
  EXPECT_EQ(dir_.ReadFile("KXACCT.REC"), "old reconciliation");
  EXPECT_EQ(dir_.ReadFile("KXACCT.TRN"), "old lines");
}

TEST_F(FileSetRemovalTest, AJournalCutShortBeforeItsRemovalIsFinishedOrReadAsFinished) {
  dir_.WriteFile("KXACCT.TRN.~Tx0003", "new lines");
  dir_.WriteFile("KXACCT.JNL", "ZKJ1\n\tKXACCT.REC\nKXACCT.TRN.~Tx0003\tKXACCT.TRN\n");
  const auto pending = FileSetRewrite::PendingReplacements(PosixFileSystem(), dir_.path());
  EXPECT_EQ(pending, (std::vector<std::pair<std::string, std::string>>{
                         {"KXACCT.REC", ""}, {"KXACCT.TRN", dir_.File("KXACCT.TRN.~Tx0003")}}));
  ASSERT_TRUE(FileSetRewrite::FinishInterruptedRewrite(PosixFileSystem(), dir_.path()).ok());
  EXPECT_EQ(dir_.Listing(), "KXACCT.COA KXACCT.TRN");
  EXPECT_EQ(dir_.ReadFile("KXACCT.TRN"), "new lines");
}

}  // namespace
}  // namespace zenkar::testing
