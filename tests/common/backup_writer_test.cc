// Writing a backup set: what it holds, what a failure leaves, optical discs,
// and the series of the accountant packages.
#include "common/backup_writer.h"

#include <gtest/gtest.h>

#include "backup_fixture.h"
#include "common/file_system_wrapper.h"
#include "support/fault_file_system.h"

namespace zenkar::testing {
namespace {

// The set's files by name, expanded.
std::map<std::string, std::string> SetFiles(const std::string& path) {
  std::string bytes;
  EXPECT_TRUE(PosixFileSystem().ReadFile(path, &bytes).ok());
  BackupSetFile set;
  EXPECT_TRUE(BackupSetFile::Decode(bytes, &set).ok());
  std::map<std::string, std::string> files;
  for (const BackupEntry& entry : set.entries()) {
    EXPECT_TRUE(set.Expand(entry, &files[entry.name]).ok());
  }
  return files;
}

using BackupWriterTest = BackupFixture;

TEST_F(BackupWriterTest, ASetHoldsOnlyTheListedFilesThatExistAndTheListSaysWhich) {
  data_.WriteFile("KXGL.COA", "older ledger");
  data_.WriteFile("NOTES.TXT", "not a listed file");
  BackupFileList list;
  std::string path;
  ASSERT_EQ(WriteBackupSet(env_, backups_.path(), &list, kScopeWholeSuite, &path), kBackupWritten);
  EXPECT_EQ(path, backups_.File("zenkar.sav"));
  const std::map<std::string, std::string> files = SetFiles(path);
  EXPECT_EQ(files, (std::map<std::string, std::string>{{"KXACCT.CFG", std::string(4800, 'c')},
                                                       {"KXACCT.COA", std::string(468, 'a')},
                                                       {"KXACCT.TRN", Lines(40)},
                                                       {"KXACCT.VND", std::string(536, 'v')},
                                                       {"KXACCT.REC", ""},
                                                       {"KXGL.COA", "older ledger"}}));
  EXPECT_EQ(list.Name(0), "") << "KXMICR.DAT did not exist";
  EXPECT_EQ(list.Name(22), "KXACCT.TRN");
  EXPECT_EQ(list.Name(26), "") << "KXACCT.RJE did not exist";
  EXPECT_EQ(list.Name(100), "KXGL.COA");
  EXPECT_EQ(list.Name(101), "");
  EXPECT_TRUE(ui_.messages().empty());
}

TEST_F(BackupWriterTest, AFileFoundUnderAnotherCaseIsSavedUnderItsListName) {
  data_.WriteFile("kxmicr.dat", std::string(726, 'm'));
  BackupFileList list;
  std::string path;
  ASSERT_EQ(WriteBackupSet(env_, backups_.path(), &list, kScopeAccounting, &path), kBackupWritten);
  EXPECT_EQ(path, backups_.File("KXACCT.sav"));
  EXPECT_EQ(SetFiles(path).at("KXMICR.DAT"), std::string(726, 'm'));
}

TEST_F(BackupWriterTest, AFullDiskAtAnyByteLeavesThePreviousSetIntact) {
  BackupFileList list;
  ASSERT_EQ(WriteBackupSet(env_, backups_.path(), &list, kScopeWholeSuite), kBackupWritten);
  const auto before = Contents(backups_);
  const int64_t size = static_cast<int64_t>(before.at("zenkar.sav").size());
  data_.WriteFile("KXACCT.TRN", Lines(60));
  FaultInjectingFileSystem fs;
  BackupEnvironment env = Env(fs);
  for (int64_t room : {int64_t{0}, int64_t{1}, int64_t{27}, size / 2, size - 1}) {
    fs.faults().bytes_until_full = room;
    ui_.ClearMessages();
    EXPECT_EQ(WriteBackupSet(env, backups_.path(), &list, kScopeWholeSuite), kBackupFailed);
    EXPECT_EQ(ui_.Texts(), std::vector<std::string>{"Not enough space on disk - Error 61"});
    EXPECT_EQ(Contents(backups_), before) << room << " bytes of room";
  }
}

TEST_F(BackupWriterTest, EveryFailedStepLeavesThePreviousSetAndNoTemporaryFile) {
  BackupFileList list;
  ASSERT_EQ(WriteBackupSet(env_, backups_.path(), &list, kScopeWholeSuite), kBackupWritten);
  const auto before = Contents(backups_);
  FaultInjectingFileSystem fs;
  BackupEnvironment env = Env(fs);
  for (Step step : kAllSteps) {
    fs.FailNth(step, 1);
    ui_.ClearMessages();
    EXPECT_EQ(WriteBackupSet(env, backups_.path(), &list, kScopeWholeSuite), kBackupFailed)
        << StepName(step);
    EXPECT_EQ(ui_.Texts(),
              std::vector<std::string>{step == Step::kWrite ? "Not enough space on disk - Error 61"
                                                            : "Error 5 - Backup not completed"});
    EXPECT_EQ(Contents(backups_), before) << StepName(step);
  }
}

// Writes every set with one byte changed on its way to the disk.
class FlippingFileSystem : public FileSystemWrapper {
 public:
  FlippingFileSystem() : FileSystemWrapper(PosixFileSystem()) {}
  Status CreateTemporaryBeside(const std::string& target, Access access,
                               TemporaryFile* temporary) override {
    if (Status s = base().CreateTemporaryBeside(target, access, temporary); !s.ok()) return s;
    temporary->file = std::make_unique<Flipping>(std::move(temporary->file));
    return Status::Ok();
  }

 private:
  class Flipping : public WritableFileWrapper {
   public:
    using WritableFileWrapper::WritableFileWrapper;
    Status Append(std::string_view data) override {
      std::string changed(data);
      changed[changed.size() / 2] ^= 0x10;
      return WritableFileWrapper::Append(changed);
    }
  };
};

TEST_F(BackupWriterTest, ASetThatDoesNotReadBackAsWrittenIsNotKept) {
  BackupFileList list;
  ASSERT_EQ(WriteBackupSet(env_, backups_.path(), &list, kScopeWholeSuite), kBackupWritten);
  const auto before = Contents(backups_);
  FlippingFileSystem fs;
  BackupEnvironment env = Env(fs);
  EXPECT_EQ(WriteBackupSet(env, backups_.path(), &list, kScopeWholeSuite), kBackupFailed);
  EXPECT_EQ(ui_.Texts(), std::vector<std::string>{"Error 5 - Backup not completed"});
  EXPECT_EQ(Contents(backups_), before);
}

TEST_F(BackupWriterTest, AMissingFolderIsNotAValidFolderToBackUpTo) {
  BackupFileList list;
  EXPECT_EQ(WriteBackupSet(env_, backups_.File("gone"), &list, kScopeWholeSuite), kBackupFailed);
  EXPECT_EQ(ui_.Texts(), std::vector<std::string>{"Not a valid folder to backup to (" +
                                                  backups_.File("gone/") + ") - Error 76"});
}

// An optical disc: the file system type says so; `writable` decides whether
// files can be made on it.
class DiscFileSystem : public FaultInjectingFileSystem {
 public:
  explicit DiscFileSystem(bool writable) { faults().refuse_open = !writable; }
  Status FileSystemType(const std::string& path, std::string* type) override {
    *type = "udf";
    return Status::Ok();
  }
};

TEST_F(BackupWriterTest, AWritableDiscTakesTheSetAndAnotherIsRefusedWithErrorSix) {
  DiscFileSystem writable(true);
  BackupEnvironment env = Env(writable);
  BackupFileList list;
  EXPECT_EQ(WriteBackupSet(env, backups_.path(), &list, kScopeWholeSuite), kBackupOnDisc);
  EXPECT_EQ(ui_.Texts(), std::vector<std::string>{"Backup to CD complete"});
  EXPECT_EQ(backups_.Listing(), "zenkar.sav") << "the probe file is gone again";

  DiscFileSystem read_only(false);
  BackupEnvironment on_rom = Env(read_only);
  ui_.ClearMessages();
  EXPECT_EQ(WriteBackupSet(on_rom, data_.path(), &list, kScopeWholeSuite), kBackupNoDisc);
  EXPECT_EQ(ui_.Texts(), std::vector<std::string>{
                             "Error 6: attempting backup to CD. Staging area not available."});
}

TEST_F(BackupWriterTest, APackageKeepsASeriesOfTwentyExceptInTheAutomaticBackupArea) {
  BackupFileList list;
  for (int n = 1; n <= 22; ++n) {
    data_.WriteFile("KXACCT.COA", "chart " + std::to_string(n));
    ASSERT_EQ(WriteBackupSet(env_, backups_.path(), &list, kScopeClientPackage), kBackupWritten);
  }
  EXPECT_EQ(backups_.ListingNames().size(), 21u);
  EXPECT_EQ(SetFiles(backups_.File("ZENKAR.CCC")).at("KXACCT.COA"), "chart 22");
  EXPECT_EQ(SetFiles(backups_.File("ZENKAR01.CCC")).at("KXACCT.COA"), "chart 21");
  EXPECT_EQ(SetFiles(backups_.File("ZENKAR20.CCC")).at("KXACCT.COA"), "chart 2");

  const std::string auto_area = backups_.File("Zenkar_Auto_Backup/");
  ASSERT_TRUE(PosixFileSystem().CreateDirectory(auto_area).ok());
  ASSERT_EQ(WriteBackupSet(env_, auto_area, &list, kScopeClientPackage), kBackupWritten);
  ASSERT_EQ(WriteBackupSet(env_, auto_area, &list, kScopeClientPackage), kBackupWritten);
  EXPECT_FALSE(PosixFileSystem().FileExists(auto_area + "ZENKAR01.CCC"));
}

}  // namespace
}  // namespace zenkar::testing
