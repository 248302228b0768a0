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

#include "common/file_system.h"
#include "common/file_system_wrapper.h"

namespace zenkar::testing {

class CrashingFileSystem : public FileSystemWrapper {
 public:
  explicit CrashingFileSystem(FileSystem& base = PosixFileSystem()) : FileSystemWrapper(base) {}

  // Starts counting steps from zero; `kill_at` 0 never crashes.
  void StartCounting(int kill_at);
  // The steps counted since StartCounting.
  int steps() const { return steps_; }
  // Called before each step; does not return when it is the one to crash at.
  void Step();

  Status CreateDirectory(const std::string& path) override {
    Step();
    return FileSystemWrapper::CreateDirectory(path);
  }
  Status CreatePrivateDirectory(const std::string& path) override {
    Step();
    return FileSystemWrapper::CreatePrivateDirectory(path);
  }
  Status OpenRandomAccess(const std::string& path, bool create,
                          std::unique_ptr<RandomAccessFile>* file) override;
  Status CreateTemporaryBeside(const std::string& target, Access access,
                               TemporaryFile* temporary) override;
  Status KeepAccessOf(const std::string& target, const std::string& path) override {
    Step();
    return FileSystemWrapper::KeepAccessOf(target, path);
  }
  Status Rename(const std::string& from, const std::string& to) override {
    Step();
    return FileSystemWrapper::Rename(from, to);
  }
  Status RemoveFile(const std::string& path) override {
    Step();
    return FileSystemWrapper::RemoveFile(path);
  }
  Status MakeWritable(const std::string& path) override {
    Step();
    return FileSystemWrapper::MakeWritable(path);
  }
  Status OpenLockFile(const std::string& path, bool create,
                      std::unique_ptr<LockFile>* file) override {
    if (create) Step();
    return FileSystemWrapper::OpenLockFile(path, create, file);
  }

 private:
  bool counting_ = false;
  int kill_at_ = 0;
  int steps_ = 0;
};

}  // namespace zenkar::testing

#endif  // ZENKAR_TESTS_RELIABILITY_CRASHING_FILE_SYSTEM_H_
