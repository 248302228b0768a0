// FaultInjectingFileSystem: the real file system with failures on request.
//
// A test arms faults, runs a save path and then checks that the files on disk
// and the tables in memory are exactly as before: an open refused, the disk
// filling up after a number of bytes (the write in progress is cut short), a
// flush or a rename that fails -- always, or only the Nth time since the
// counts were reset, so that a test can fail every step of an operation in
// turn.
#ifndef ZENKAR_TESTS_SUPPORT_FAULT_FILE_SYSTEM_H_
#define ZENKAR_TESTS_SUPPORT_FAULT_FILE_SYSTEM_H_

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "common/file_system.h"
#include "common/file_system_wrapper.h"

namespace zenkar::testing {

// The kinds of step a fault can be put on.
enum class Step { kOpen, kWrite, kSync, kRename };
inline constexpr Step kAllSteps[] = {Step::kOpen, Step::kWrite, Step::kSync, Step::kRename};
const char* StepName(Step step);

class FaultInjectingFileSystem : public FileSystemWrapper {
 public:
  struct Faults {
    bool refuse_open = false;       // every open for writing fails
    int64_t bytes_until_full = -1;  // the disk fills after this many more bytes
    bool fail_sync = false;
    bool fail_rename = false;
    // The step of this kind, counted from 1 since ResetCounts, that fails
    // (0: none). Opens are opens for writing and new temporary files; writes
    // are WriteAt and Append calls.
    Step nth_step = Step::kOpen;
    int nth = 0;
  };

  explicit FaultInjectingFileSystem(FileSystem& base = PosixFileSystem())
      : FileSystemWrapper(base) {}

  Faults& faults() { return faults_; }
  void ClearFaults() { faults_ = Faults(); }
  // Fails the `nth` step of `kind` from now on counted afresh.
  void FailNth(Step kind, int nth);
  void ResetCounts() { std::fill(std::begin(counts_), std::end(counts_), 0); }
  // How many steps of `kind` reached the file system since the counts were
  // reset (a failed one included).
  int count(Step kind) const { return counts_[static_cast<int>(kind)]; }
  // How many writes (WriteAt and Append calls) reached the file system.
  int writes() const { return count(Step::kWrite); }

  Status OpenRandomAccess(const std::string& path, bool create,
                          std::unique_ptr<RandomAccessFile>* file) override;
  Status OpenForReading(const std::string& path, std::unique_ptr<RandomAccessFile>* file) override;
  Status CreateTemporaryBeside(const std::string& target, Access access,
                               TemporaryFile* temporary) override;
  Status Rename(const std::string& from, const std::string& to) override;
  // A rename step too; also counted apart, for the tests of which renames
  // leave their folder unflushed.
  Status RenameUnflushed(const std::string& from, const std::string& to) override;
  int unflushed_renames() const { return unflushed_renames_; }

  // Used by the wrapped files. Counts one step of `kind`; true when it is to
  // fail.
  bool StepFails(Step kind);
  // How much of a write of `length` bytes goes through before the disk is
  // full (the write is counted as one step).
  size_t AllowWrite(size_t length, bool* fails);

 private:
  Faults faults_;
  int counts_[4] = {};
  int unflushed_renames_ = 0;
};

}  // namespace zenkar::testing

#endif  // ZENKAR_TESTS_SUPPORT_FAULT_FILE_SYSTEM_H_
