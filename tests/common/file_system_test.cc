#include "common/file_system.h"

#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <latch>
#include <memory>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "common/folder_lock.h"
#include "common/record_file.h"
#include "common/status.h"
#include "support/fault_file_system.h"
#include "support/temp_dir.h"

namespace zenkar {
namespace {

using ::zenkar::testing::FaultInjectingFileSystem;
using ::zenkar::testing::TempDir;

constexpr size_t kAccountLength = 156;
constexpr size_t kTransactionLength = 328;

std::string Pattern(size_t length, char seed) {
  std::string bytes(length, '\0');
  for (size_t i = 0; i < length; ++i) bytes[i] = static_cast<char>(seed + i * 13);
  return bytes;
}

std::vector<std::string> Records(size_t length, int count, char seed) {
  std::vector<std::string> records;
  for (int n = 0; n < count; ++n) records.push_back(Pattern(length, static_cast<char>(seed + n)));
  return records;
}

// The byte counts after which the disk fills during a write of `size` bytes:
// every count up to 64, then a spread up to the last byte.
std::set<int64_t> CutPoints(size_t size) {
  std::set<int64_t> points;
  for (int64_t n = 0; n < 64 && n < static_cast<int64_t>(size); ++n) points.insert(n);
  for (int64_t n = 0; n < static_cast<int64_t>(size); n += 97) points.insert(n);
  points.insert(static_cast<int64_t>(size / 2));
  points.insert(static_cast<int64_t>(size) - 1);
  return points;
}

class AtomicRewriteTest : public ::testing::Test {
 protected:
  void SetUp() override {
    old_records_ = Records(kAccountLength, 12, 'a');
    new_records_ = Records(kAccountLength, 20, 'A');
    for (const std::string& record : old_records_) old_bytes_ += record;
    dir_.WriteFile("KXACCT.COA", old_bytes_);
    path_ = dir_.File("KXACCT.COA");
  }

  // The folder holds the old file exactly and nothing else.
  void ExpectUnchanged(const std::string& context) {
    EXPECT_EQ(dir_.ReadFile("KXACCT.COA"), old_bytes_) << context;
    EXPECT_EQ(dir_.Listing(), "KXACCT.COA") << context;
  }

  TempDir dir_;
  FaultInjectingFileSystem fs_;
  std::string path_;
  std::vector<std::string> old_records_;
  std::vector<std::string> new_records_;
  std::string old_bytes_;
};

TEST_F(AtomicRewriteTest, SucceedsWithoutFaults) {
  ASSERT_TRUE(SaveAll(fs_, path_, kAccountLength, new_records_).ok());
  std::vector<std::string> loaded;
  ASSERT_TRUE(LoadAll(fs_, path_, kAccountLength, &loaded).ok());
  EXPECT_EQ(loaded, new_records_);
  EXPECT_EQ(dir_.Listing(), "KXACCT.COA");
}

TEST_F(AtomicRewriteTest, RefusedOpenChangesNothing) {
  fs_.faults().refuse_open = true;
  EXPECT_FALSE(SaveAll(fs_, path_, kAccountLength, new_records_).ok());
  ExpectUnchanged("SaveAll");
  EXPECT_FALSE(WriteFileAtomically(fs_, path_, "new").ok());
  ExpectUnchanged("WriteFileAtomically");
}

TEST_F(AtomicRewriteTest, DiskFullAtAnyPointChangesNothing) {
  const size_t size = new_records_.size() * kAccountLength;
  for (int64_t cut : CutPoints(size)) {
    fs_.faults().bytes_until_full = cut;
    Status status = SaveAll(fs_, path_, kAccountLength, new_records_);
    EXPECT_FALSE(status.ok()) << "disk full after " << cut;
    EXPECT_EQ(status.code(), Status::Code::kDiskFull) << cut;
    ExpectUnchanged("SaveAll, disk full after " + std::to_string(cut));
    fs_.ClearFaults();
  }
  // With exactly enough room the rewrite goes through.
  fs_.faults().bytes_until_full = static_cast<int64_t>(size);
  EXPECT_TRUE(SaveAll(fs_, path_, kAccountLength, new_records_).ok());
}

TEST_F(AtomicRewriteTest, DiskFullDuringWriteFileAtomicallyChangesNothing) {
  const std::string data = Pattern(5000, 'q');
  for (int64_t cut : CutPoints(data.size())) {
    fs_.faults().bytes_until_full = cut;
    EXPECT_FALSE(WriteFileAtomically(fs_, path_, data).ok()) << cut;
    ExpectUnchanged("WriteFileAtomically, disk full after " + std::to_string(cut));
    fs_.ClearFaults();
  }
}

TEST_F(AtomicRewriteTest, FailedFlushChangesNothing) {
  fs_.faults().fail_sync = true;
  EXPECT_FALSE(SaveAll(fs_, path_, kAccountLength, new_records_).ok());
  ExpectUnchanged("SaveAll");
  EXPECT_FALSE(WriteFileAtomically(fs_, path_, "new").ok());
  ExpectUnchanged("WriteFileAtomically");
}

TEST_F(AtomicRewriteTest, FailedRenameChangesNothing) {
  fs_.faults().fail_rename = true;
  EXPECT_FALSE(SaveAll(fs_, path_, kAccountLength, new_records_).ok());
  ExpectUnchanged("SaveAll");
  EXPECT_FALSE(WriteFileAtomically(fs_, path_, "new").ok());
  ExpectUnchanged("WriteFileAtomically");
}

TEST_F(AtomicRewriteTest, FailedFirstSaveLeavesNoFile) {
  const std::string path = dir_.File("KXACCT.VND");
  for (bool rename_fails : {false, true}) {
    fs_.ClearFaults();
    if (rename_fails) {
      fs_.faults().fail_rename = true;
    } else {
      fs_.faults().bytes_until_full = 100;
    }
    EXPECT_FALSE(SaveAll(fs_, path, 536, Records(536, 3, 'v')).ok());
    ExpectUnchanged(rename_fails ? "rename fails" : "disk full");
  }
}

TEST_F(AtomicRewriteTest, FailedSaveLeavesTheTableInMemoryAsItWas) {
  std::vector<std::string> table = new_records_;
  fs_.faults().bytes_until_full = 1000;
  EXPECT_FALSE(SaveAll(fs_, path_, kAccountLength, table).ok());
  EXPECT_EQ(table, new_records_);
  fs_.ClearFaults();
  // A later retry writes the same table.
  ASSERT_TRUE(SaveAll(fs_, path_, kAccountLength, table).ok());
  std::vector<std::string> loaded;
  ASSERT_TRUE(LoadAll(fs_, path_, kAccountLength, &loaded).ok());
  EXPECT_EQ(loaded, table);
}

// --- Temporary files of a rewrite ------------------------------------------

// A data folder beside a folder outside it that holds a file a planted link
// points to.
class PlantedLinkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    outside_.WriteFile("victim", "outside");
    dir_.WriteFile("KXACCT.COA", "old");
    path_ = dir_.File("KXACCT.COA");
  }

  void Plant(const std::string& name, const std::string& points_to) {
    ASSERT_EQ(::symlink(points_to.c_str(), dir_.File(name).c_str()), 0) << name;
  }

  TempDir outside_;
  TempDir dir_;
  std::string path_;
};

TEST_F(PlantedLinkTest, LinksAtTheNamesTriedAreNeverFollowed) {
  const std::vector<std::string> suffixes = {"AAAAAA", "BBBBBB", "CCCCCC"};
  size_t next = 0;
  std::unique_ptr<FileSystem> fs =
      PosixFileSystemWithSuffixes([&] { return suffixes[next++ % suffixes.size()]; });
  Plant("KXACCT.COA.~new", outside_.File("victim"));  // the fixed name of old
  Plant("KXACCT.COA.~AAAAAA", outside_.File("victim"));
  Plant("KXACCT.COA.~BBBBBB", outside_.File("created"));  // a link to nothing yet

  ASSERT_TRUE(WriteFileAtomically(*fs, path_, "new").ok());
  EXPECT_EQ(dir_.ReadFile("KXACCT.COA"), "new");
  EXPECT_EQ(outside_.ReadFile("victim"), "outside");
  EXPECT_EQ(outside_.Listing(), "victim");
  EXPECT_EQ(dir_.Listing(), "KXACCT.COA KXACCT.COA.~AAAAAA KXACCT.COA.~BBBBBB KXACCT.COA.~new");
}

TEST_F(PlantedLinkTest, WhenEveryNameTriedIsTakenTheRewriteFailsAndChangesNothing) {
  std::unique_ptr<FileSystem> fs = PosixFileSystemWithSuffixes([] { return "AAAAAA"; });
  Plant("KXACCT.COA.~AAAAAA", outside_.File("victim"));
  EXPECT_FALSE(WriteFileAtomically(*fs, path_, "new").ok());
  EXPECT_EQ(dir_.ReadFile("KXACCT.COA"), "old");
  EXPECT_EQ(outside_.ReadFile("victim"), "outside");
}

// A link at the target's own name is replaced by the new file, which takes
// nothing from the file the link points to.
TEST_F(PlantedLinkTest, ALinkAtTheTargetLendsTheNewFileNothing) {
  ASSERT_EQ(::unlink(path_.c_str()), 0);
  Plant("KXACCT.COA", outside_.File("victim"));
  ASSERT_EQ(::chmod(outside_.File("victim").c_str(), 0604), 0);
  const mode_t umask = ::umask(022);
  const Status status = WriteFileAtomically(PosixFileSystem(), path_, "new");
  ::umask(umask);
  ASSERT_TRUE(status.ok());
  EXPECT_EQ(outside_.ReadFile("victim"), "outside");
  struct stat st;
  ASSERT_EQ(::lstat(path_.c_str(), &st), 0);
  EXPECT_TRUE(S_ISREG(st.st_mode));
  EXPECT_EQ(st.st_mode & 07777, 0644u);
  EXPECT_EQ(dir_.ReadFile("KXACCT.COA"), "new");
}

// Many programs (here threads) rewriting one file at once: each rewrite goes
// through, and a reader only ever sees one writer's whole file.
TEST(ConcurrentRewriteTest, ThirtyRewritersAllSucceedAndTheFileIsAlwaysOneWholeVersion) {
  constexpr int kWriters = 30;
  constexpr size_t kLength = 64 * 1024;
  TempDir dir;
  const std::string path = dir.File("KXACCT.TRN");
  dir.WriteFile("KXACCT.TRN", std::string(kLength, 'a'));
  FileSystem& fs = PosixFileSystem();

  std::atomic<bool> writing{true};
  std::atomic<int> torn_reads{0};
  std::thread reader([&] {
    while (writing) {
      std::string contents;
      if (!fs.ReadFile(path, &contents).ok() || contents.size() != kLength ||
          contents.find_first_not_of(contents[0]) != std::string::npos) {
        ++torn_reads;
      }
    }
  });
  std::latch start(kWriters);
  std::vector<Status> results(kWriters);
  std::vector<std::thread> writers;
  for (int n = 0; n < kWriters; ++n) {
    writers.emplace_back([&, n] {
      const std::string version(kLength, static_cast<char>('A' + n));
      start.arrive_and_wait();
      results[n] = WriteFileAtomically(fs, path, version);
    });
  }
  for (std::thread& writer : writers) writer.join();
  writing = false;
  reader.join();

  for (int n = 0; n < kWriters; ++n)
    EXPECT_TRUE(results[n].ok()) << n << ": " << results[n].message();
  EXPECT_EQ(torn_reads, 0);
  const std::string last = dir.ReadFile("KXACCT.TRN");
  ASSERT_EQ(last.size(), kLength);
  EXPECT_GE(last[0], 'A');
  EXPECT_LT(last[0], 'A' + kWriters);
  EXPECT_EQ(last.find_first_not_of(last[0]), std::string::npos);
  EXPECT_EQ(dir.Listing(), "KXACCT.TRN") << "no temporary file is left";
}

struct Attributes {
  mode_t mode;
  uid_t owner;
  gid_t group;
};

Attributes AttributesOf(const std::string& path) {
  struct stat st {};
  EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
  return {static_cast<mode_t>(st.st_mode & 07777), st.st_uid, st.st_gid};
}

// A group other than the process's own that it may give a file: any group
// for root, otherwise one it belongs to (its own when it has no other).
gid_t AnotherGroup() {
  if (::geteuid() == 0) return 5678;
  std::vector<gid_t> groups(static_cast<size_t>(::getgroups(0, nullptr)));
  groups.resize(static_cast<size_t>(::getgroups(static_cast<int>(groups.size()), groups.data())));
  for (gid_t group : groups) {
    if (group != ::getegid()) return group;
  }
  return ::getegid();
}

TEST(RewriteAccessTest, ARewrittenFileKeepsItsModeOwnerAndGroup) {
  TempDir dir;
  dir.WriteFile("KXACCT.CFG", "old");
  dir.WriteFile("REPORT.PDF", "old");
  const uid_t owner = ::geteuid() == 0 ? 1234 : ::geteuid();
  for (const char* name : {"KXACCT.CFG", "REPORT.PDF"}) {
    ASSERT_EQ(::chown(dir.File(name).c_str(), owner, AnotherGroup()), 0);
    ASSERT_EQ(::chmod(dir.File(name).c_str(), 0640), 0);
  }
  ASSERT_TRUE(WriteFileAtomically(PosixFileSystem(), dir.File("KXACCT.CFG"), "new").ok());
  // A file made elsewhere takes the access of the file it is to replace.
  dir.WriteFile("made-elsewhere", "new");
  ASSERT_TRUE(
      PosixFileSystem().KeepAccessOf(dir.File("REPORT.PDF"), dir.File("made-elsewhere")).ok());

  for (const char* name : {"KXACCT.CFG", "made-elsewhere"}) {
    const Attributes access = AttributesOf(dir.File(name));
    EXPECT_EQ(access.mode, 0640u) << name;
    EXPECT_EQ(access.owner, owner) << name;
    EXPECT_EQ(access.group, AnotherGroup()) << name;
  }
}

TEST(RewriteAccessTest, ANewFileGetsTheUsualModeLessTheUmask) {
  TempDir dir;
  const mode_t old_umask = ::umask(027);
  const Status status = WriteFileAtomically(PosixFileSystem(), dir.File("KXACCT.VND"), "new");
  ::umask(old_umask);
  ASSERT_TRUE(status.ok());
  EXPECT_EQ(AttributesOf(dir.File("KXACCT.VND")).mode, 0640u);
}

// A downloaded installer is written as a program: runnable by whoever may
// read it, whether it is new or replaces an older file.
TEST(RewriteAccessTest, AProgramMayBeRunByWhoeverMayReadIt) {
  TempDir dir;
  const mode_t old_umask = ::umask(027);
  const Status made =
      WriteFileAtomically(PosixFileSystem(), dir.File("new"), "#!", Access::kProgram);
  ::umask(old_umask);
  ASSERT_TRUE(made.ok());
  EXPECT_EQ(AttributesOf(dir.File("new")).mode, 0750u);

  dir.WriteFile("old", "old");
  ASSERT_EQ(::chmod(dir.File("old").c_str(), 0604), 0);
  ASSERT_TRUE(WriteFileAtomically(PosixFileSystem(), dir.File("old"), "#!", Access::kProgram).ok());
  EXPECT_EQ(AttributesOf(dir.File("old")).mode, 0705u);
}

// A process without privilege cannot give the new file away: it keeps the
// mode and the group (which it belongs to), and the file becomes its own.
TEST(RewriteAccessTest, AnUnprivilegedRewriterKeepsTheModeAndGroup) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to play two users";
  constexpr uid_t kOwner = 1234, kRewriter = 4321;
  constexpr gid_t kGroup = 5678;
  TempDir dir;
  ASSERT_EQ(::chmod(dir.path().c_str(), 0777), 0);
  dir.WriteFile("KXACCT.COA", "old");
  ASSERT_EQ(::chown(dir.File("KXACCT.COA").c_str(), kOwner, kGroup), 0);
  ASSERT_EQ(::chmod(dir.File("KXACCT.COA").c_str(), 0664), 0);

  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    const gid_t groups[] = {kGroup};
    const bool dropped =
        ::setgroups(1, groups) == 0 && ::setgid(kRewriter) == 0 && ::setuid(kRewriter) == 0;
    _exit(dropped && WriteFileAtomically(PosixFileSystem(), dir.File("KXACCT.COA"), "new").ok()
              ? 0
              : 1);
  }
  int wait_status = 0;
  ASSERT_EQ(::waitpid(child, &wait_status, 0), child);
  ASSERT_TRUE(WIFEXITED(wait_status) && WEXITSTATUS(wait_status) == 0);
  EXPECT_EQ(dir.ReadFile("KXACCT.COA"), "new");
  const Attributes access = AttributesOf(dir.File("KXACCT.COA"));
  EXPECT_EQ(access.mode, 0664u);
  EXPECT_EQ(access.owner, kRewriter);
  EXPECT_EQ(access.group, kGroup);
}

// Appending to the open transaction file when the disk fills in the middle
// of the record: the file is cut back and the count stays in step with it.
class FailedAppendTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const std::string& record : Records(kTransactionLength, 5, 't')) old_bytes_ += record;
    dir_.WriteFile("KXACCT.TRN", old_bytes_);
    path_ = dir_.File("KXACCT.TRN");
  }

  TempDir dir_;
  FaultInjectingFileSystem fs_;
  std::string path_;
  std::string old_bytes_;
};

TEST_F(FailedAppendTest, DiskFullMidRecordLeavesLengthAndCount) {
  std::unique_ptr<RecordFile> file;
  ASSERT_TRUE(RecordFile::Open(fs_, path_, kTransactionLength, false, &file).ok());
  ASSERT_EQ(file->count(), 5);
  const std::string record = Pattern(kTransactionLength, 'N');

  for (int64_t cut : {int64_t{0}, int64_t{1}, int64_t{164}, int64_t{327}}) {
    fs_.faults().bytes_until_full = cut;
    EXPECT_FALSE(file->Write(6, record).ok()) << cut;
    EXPECT_EQ(file->count(), 5) << cut;
    EXPECT_EQ(dir_.ReadFile("KXACCT.TRN"), old_bytes_) << cut;
    fs_.ClearFaults();
  }

  // Once there is room again the append lands at record 6, right after the
  // old records.
  ASSERT_TRUE(file->Write(6, record).ok());
  EXPECT_EQ(file->count(), 6);
  EXPECT_EQ(dir_.ReadFile("KXACCT.TRN"), old_bytes_ + record);
  EXPECT_EQ(dir_.Listing(), "KXACCT.TRN");
}

TEST_F(FailedAppendTest, WriteRecordWithDiskFullLeavesTheFile) {
  for (int64_t cut : {int64_t{0}, int64_t{200}}) {
    fs_.faults().bytes_until_full = cut;
    EXPECT_FALSE(
        WriteRecord(fs_, path_, kTransactionLength, 6, Pattern(kTransactionLength, 'W')).ok());
    EXPECT_EQ(dir_.ReadFile("KXACCT.TRN"), old_bytes_) << cut;
    fs_.ClearFaults();
  }
  int count = 0;
  ASSERT_TRUE(RecordCount(fs_, path_, kTransactionLength, &count).ok());
  EXPECT_EQ(count, 5);
}

TEST_F(FailedAppendTest, RefusedOpenWritesNothing) {
  fs_.faults().refuse_open = true;
  EXPECT_FALSE(
      WriteRecord(fs_, path_, kTransactionLength, 6, Pattern(kTransactionLength, 'W')).ok());
  EXPECT_FALSE(WriteRecord(fs_, dir_.File("KXMICR.DAT"), 726, 1, Pattern(726, 'm')).ok());
  EXPECT_EQ(dir_.ReadFile("KXACCT.TRN"), old_bytes_);
  EXPECT_EQ(dir_.Listing(), "KXACCT.TRN");
}

TEST_F(FailedAppendTest, DiskFullOnTheFirstRecordOfANewFileLeavesNoFile) {
  fs_.faults().bytes_until_full = 10;
  EXPECT_FALSE(WriteRecord(fs_, dir_.File("KXMICR.DAT"), 726, 1, Pattern(726, 'm')).ok());
  EXPECT_EQ(dir_.Listing(), "KXACCT.TRN");
}

// --- Folder locks ----------------------------------------------------------

TEST(FolderLockTest, InUseIsSeenByTheSecondProgramAndRefusesOneThatWantsTheFolderAlone) {
  TempDir dir;
  FileSystem& fs = PosixFileSystem();
  FolderLock first(fs), second(fs), batch(fs);
  bool shared = true;
  ASSERT_TRUE(first.Join(dir.path(), &shared).ok());
  EXPECT_FALSE(shared);
  ASSERT_TRUE(second.Join(dir.path(), &shared).ok());
  EXPECT_TRUE(shared);
  EXPECT_EQ(batch.TakeAlone(dir.path()).code(), Status::Code::kInUse);

  first.Leave();
  second.Leave();
  EXPECT_TRUE(batch.TakeAlone(dir.path()).ok());
  EXPECT_TRUE(first.Join(dir.path(), &shared).ok());
  EXPECT_TRUE(shared);
  EXPECT_EQ(dir.ReadFile("KXACCT.LCK"), "");  // the locks write nothing
}

TEST(FolderLockTest, ReadingMakesNoLockFileAndChangesWaitForReaders) {
  TempDir dir;
  FileSystem& fs = PosixFileSystem();
  FolderLock reader(fs), writer(fs);
  ASSERT_TRUE(reader.OpenForReading(dir.path()).ok());
  EXPECT_TRUE(reader.BeginReading().ok());  // nothing to wait for
  reader.End();
  EXPECT_EQ(dir.Listing(), "");

  bool shared = false;
  ASSERT_TRUE(writer.Join(dir.path(), &shared).ok());
  ASSERT_TRUE(reader.OpenForReading(dir.path()).ok());
  ASSERT_TRUE(reader.BeginReading().ok());
  std::unique_ptr<LockFile> probe;
  ASSERT_TRUE(fs.OpenLockFile(dir.File("KXACCT.LCK"), false, &probe).ok());
  EXPECT_EQ(probe->Lock(1, LockMode::kExclusive, false).code(), Status::Code::kInUse);
  EXPECT_TRUE(probe->Lock(1, LockMode::kShared, false).ok());
  probe->Unlock(1);
  reader.End();
  EXPECT_TRUE(probe->Lock(1, LockMode::kExclusive, false).ok());
}

TEST(FolderLockTest, ClosingAnotherDescriptorOfTheFileKeepsTheLock) {
  TempDir dir;
  FileSystem& fs = PosixFileSystem();
  FolderLock holder(fs), other(fs);
  bool shared = false;
  ASSERT_TRUE(holder.Join(dir.path(), &shared).ok());
  {
    std::string contents;
    ASSERT_TRUE(fs.ReadFile(dir.File("KXACCT.LCK"), &contents).ok());  // opens and closes it
  }
  EXPECT_EQ(other.TakeAlone(dir.path()).code(), Status::Code::kInUse);
}

// The same file: its device and inode, which a rename carries along.
bool SameFile(const FileStamp& a, const FileStamp& b) {
  return a.exists && b.exists && a.device == b.device && a.inode == b.inode;
}

TEST(FileStampTest, TellsAReplacedFileFromAGrownOneAndAMissingOne) {
  TempDir dir;
  FileSystem& fs = PosixFileSystem();
  dir.WriteFile("A.DAT", "12345");
  FileStamp first, grown, replaced, missing;
  ASSERT_TRUE(fs.StampOf(dir.File("A.DAT"), &first).ok());
  std::unique_ptr<RandomAccessFile> file;
  ASSERT_TRUE(fs.OpenRandomAccess(dir.File("A.DAT"), false, &file).ok());
  ASSERT_TRUE(file->WriteAt(5, "6").ok());
  ASSERT_TRUE(fs.StampOf(dir.File("A.DAT"), &grown).ok());
  EXPECT_TRUE(SameFile(grown, first));
  EXPECT_EQ(grown.size, 6u);
  ASSERT_TRUE(WriteFileAtomically(fs, dir.File("A.DAT"), "123456").ok());
  ASSERT_TRUE(fs.StampOf(dir.File("A.DAT"), &replaced).ok());
  EXPECT_FALSE(SameFile(replaced, first));
  FileStamp held;
  ASSERT_TRUE(file->Stamp(&held).ok());
  EXPECT_TRUE(SameFile(held, grown));  // the open file is still the old one
  EXPECT_EQ(held.size, 6u);
  ASSERT_TRUE(fs.StampOf(dir.File("B.DAT"), &missing).ok());
  EXPECT_FALSE(missing.exists);
}

// --- The plain file layer ----------------------------------------------------

TEST(PosixFileSystemTest, ReportsSizesListingsAndMissingFiles) {
  TempDir dir;
  FileSystem& fs = PosixFileSystem();
  dir.WriteFile("A.DAT", "12345");
  ASSERT_TRUE(fs.CreateDirectory(dir.File("sub")).ok());
  EXPECT_TRUE(fs.CreateDirectory(dir.File("sub")).ok());  // already there

  uint64_t size = 0;
  ASSERT_TRUE(fs.FileSize(dir.File("A.DAT"), &size).ok());
  EXPECT_EQ(size, 5u);
  EXPECT_EQ(fs.FileSize(dir.File("B.DAT"), &size).code(), Status::Code::kNotFound);

  EXPECT_TRUE(fs.FileExists(dir.File("A.DAT")));
  EXPECT_FALSE(fs.FileExists(dir.File("sub")));
  EXPECT_TRUE(fs.DirectoryExists(dir.File("sub")));
  EXPECT_FALSE(fs.DirectoryExists(dir.File("A.DAT")));

  std::vector<std::string> names;
  ASSERT_TRUE(fs.ListDirectory(dir.path(), &names).ok());
  EXPECT_EQ(std::set<std::string>(names.begin(), names.end()),
            (std::set<std::string>{"A.DAT", "sub"}));

  std::string contents;
  ASSERT_TRUE(fs.ReadFile(dir.File("A.DAT"), &contents).ok());
  EXPECT_EQ(contents, "12345");
  EXPECT_EQ(fs.ReadFile(dir.File("B.DAT"), &contents).code(), Status::Code::kNotFound);
  EXPECT_EQ(FileNameOf("/a/b/KXACCT.TRN"), "KXACCT.TRN");
  EXPECT_EQ(FileNameOf("KXACCT.TRN"), "KXACCT.TRN");

  // Only an empty folder is removed.
  dir.WriteFile("sub/C.DAT", "");
  EXPECT_FALSE(fs.RemoveDirectory(dir.File("sub")).ok());
  ASSERT_TRUE(fs.RemoveFile(dir.File("sub/C.DAT")).ok());
  EXPECT_TRUE(fs.RemoveDirectory(dir.File("sub")).ok());
  EXPECT_FALSE(fs.DirectoryExists(dir.File("sub")));
  EXPECT_EQ(fs.RemoveDirectory(dir.File("sub")).code(), Status::Code::kNotFound);
}

TEST(PosixFileSystemTest, SubfoldersLeaveOutFilesAndSymbolicLinks) {
  TempDir dir;
  FileSystem& fs = PosixFileSystem();
  ASSERT_TRUE(fs.CreateDirectory(dir.File("books")).ok());
  dir.WriteFile("KXACCT.CFG", "");
  ASSERT_EQ(::symlink(dir.File("books").c_str(), dir.File("link").c_str()), 0);
  std::vector<Subfolder> folders;
  ASSERT_TRUE(fs.ListSubfolders(dir.path(), &folders).ok());
  ASSERT_EQ(folders.size(), 1u);
  EXPECT_EQ(folders[0].name, "books");
  FileStamp stamp;
  ASSERT_TRUE(fs.StampOf(dir.path(), &stamp).ok());
  EXPECT_EQ(folders[0].device, stamp.device);
}

TEST(PosixFileSystemTest, SetTimesToNowMovesAnOldFileToThePresent) {
  TempDir dir;
  FileSystem& fs = PosixFileSystem();
  dir.WriteFile("zenkar.sav", "set");
  const struct timespec old[2] = {{1000000000, 0}, {1000000000, 0}};
  ASSERT_EQ(::utimensat(AT_FDCWD, dir.File("zenkar.sav").c_str(), old, 0), 0);
  const time_t before = ::time(nullptr);
  ASSERT_TRUE(fs.SetTimesToNow(dir.File("zenkar.sav")).ok());
  struct stat st;
  ASSERT_EQ(::stat(dir.File("zenkar.sav").c_str(), &st), 0);
  EXPECT_GE(st.st_mtim.tv_sec, before);
  EXPECT_GE(st.st_atim.tv_sec, before);
}

TEST(PosixFileSystemTest, RandomAccessReadsAndWritesAtPositions) {
  TempDir dir;
  FileSystem& fs = PosixFileSystem();
  std::unique_ptr<RandomAccessFile> file;
  ASSERT_TRUE(fs.OpenRandomAccess(dir.File("R.DAT"), true, &file).ok());
  ASSERT_TRUE(file->WriteAt(0, "abcdef").ok());
  ASSERT_TRUE(file->WriteAt(2, "XY").ok());
  std::string out;
  ASSERT_TRUE(file->ReadAt(1, 4, &out).ok());
  EXPECT_EQ(out, "bXYe");
  EXPECT_FALSE(file->ReadAt(4, 5, &out).ok());  // past the end
  ASSERT_TRUE(file->Truncate(3).ok());
  uint64_t size = 0;
  ASSERT_TRUE(file->Size(&size).ok());
  EXPECT_EQ(size, 3u);
  EXPECT_TRUE(file->Sync().ok());
  file.reset();
  EXPECT_EQ(dir.ReadFile("R.DAT"), "abX");
}

// The companion programs hold their settings file so while they run; a
// second holder is refused until the first lets go.
TEST(ExclusiveOpenTest, OneHolderAtATimeAndAMissingFileIsNotFound) {
  TempDir dir;
  dir.WriteFile("KXPAY.CFG", "settings");
  FileSystem& fs = PosixFileSystem();
  std::unique_ptr<RandomAccessFile> first, second;
  ASSERT_TRUE(fs.OpenExclusively(dir.File("KXPAY.CFG"), &first).ok());
  EXPECT_EQ(fs.OpenExclusively(dir.File("KXPAY.CFG"), &second).code(), Status::Code::kInUse);
  std::string bytes;
  ASSERT_TRUE(first->ReadAt(0, 8, &bytes).ok());
  EXPECT_EQ(bytes, "settings");
  first.reset();
  EXPECT_TRUE(fs.OpenExclusively(dir.File("KXPAY.CFG"), &second).ok());
  EXPECT_EQ(fs.OpenExclusively(dir.File("KXAREC.CFG"), &first).code(), Status::Code::kNotFound);
}

}  // namespace
}  // namespace zenkar
