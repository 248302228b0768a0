// CrashingFileSystem: the real file system, with a crash at a chosen step.
//
// Every call that changes the disk (creating, writing, flushing, closing,
// truncating, renaming or removing a file) is one step. Once counting has
// started, the process kills itself with SIGKILL just before step `kill_at`,
// so the crash trials can land a crash between any two changes of an
// operation, however short the time between them. Without a step to crash at
// it only counts.
#ifndef ZENKAR_TESTS_RELIABILITY_CRASHING_FILE_SYSTEM_H_
#define ZENKAR_TESTS_RELIABILITY_CRASHING_FILE_SYSTEM_H_

#include <memory>
#include <string>
#include <vector>

#include "common/file_system.h"

namespace zenkar::testing {

class CrashingFileSystem : public FileSystem {
 public:
  explicit CrashingFileSystem(FileSystem& base = PosixFileSystem()) : base_(base) {}

  // Starts counting steps from zero; `kill_at` 0 never crashes.
  void StartCounting(int kill_at);
  // The steps counted since StartCounting.
  int steps() const { return steps_; }
  // Called before each step; does not return when it is the one to crash at.
  void Step();

  Status ReadFile(const std::string& path, std::string* contents) override {
    return base_.ReadFile(path, contents);
  }
  Status FileSize(const std::string& path, uint64_t* size) override {
    return base_.FileSize(path, size);
  }
  bool FileExists(const std::string& path) override { return base_.FileExists(path); }
  bool DirectoryExists(const std::string& path) override { return base_.DirectoryExists(path); }
  Status ListDirectory(const std::string& path, std::vector<std::string>* names) override {
    return base_.ListDirectory(path, names);
  }
  Status CreateDirectory(const std::string& path) override {
    Step();
    return base_.CreateDirectory(path);
  }
  Status OpenRandomAccess(const std::string& path, bool create,
                          std::unique_ptr<RandomAccessFile>* file) override;
  Status CreateWritable(const std::string& path, std::unique_ptr<WritableFile>* file) override;
  Status Rename(const std::string& from, const std::string& to) override {
    Step();
    return base_.Rename(from, to);
  }
  Status RemoveFile(const std::string& path) override {
    Step();
    return base_.RemoveFile(path);
  }
  Status MakeWritable(const std::string& path) override {
    Step();
    return base_.MakeWritable(path);
  }
  Status StampOf(const std::string& path, FileStamp* stamp) override {
    return base_.StampOf(path, stamp);
  }
  Status OpenLockFile(const std::string& path, bool create,
                      std::unique_ptr<LockFile>* file) override {
    if (create) Step();
    return base_.OpenLockFile(path, create, file);
  }

 private:
  FileSystem& base_;
  bool counting_ = false;
  int kill_at_ = 0;
  int steps_ = 0;
};

}  // namespace zenkar::testing

#endif  // ZENKAR_TESTS_RELIABILITY_CRASHING_FILE_SYSTEM_H_
