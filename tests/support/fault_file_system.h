// FaultInjectingFileSystem: the real file system with failures on request.
//
// A test arms one fault, runs a save path and then checks that the files on
// disk and the tables in memory are exactly as before: an open refused, the
// disk filling up after a number of bytes (the write in progress is cut
// short), a flush or a rename that fails. The faults of writing apply alike
// to files opened for writing at positions and to new temporary files.
#ifndef ZENKAR_TESTS_SUPPORT_FAULT_FILE_SYSTEM_H_
#define ZENKAR_TESTS_SUPPORT_FAULT_FILE_SYSTEM_H_

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "common/file_system.h"

namespace zenkar::testing {

class FaultInjectingFileSystem : public FileSystem {
 public:
  struct Faults {
    bool refuse_open = false;       // every open for writing fails
    int64_t bytes_until_full = -1;  // the disk fills after this many more bytes
    bool fail_sync = false;
    bool fail_rename = false;
  };

  explicit FaultInjectingFileSystem(FileSystem& base = PosixFileSystem()) : base_(base) {}

  Faults& faults() { return faults_; }
  void ClearFaults() { faults_ = Faults(); }
  // How many writes (WriteAt and Append calls) reached the file system.
  int writes() const { return writes_; }

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
  Status CreateDirectory(const std::string& path) override { return base_.CreateDirectory(path); }
  Status CreatePrivateDirectory(const std::string& path) override {
    return base_.CreatePrivateDirectory(path);
  }
  Status OpenRandomAccess(const std::string& path, bool create,
                          std::unique_ptr<RandomAccessFile>* file) override;
  Status OpenForReading(const std::string& path, std::unique_ptr<RandomAccessFile>* file) override;
  Status CreateTemporaryBeside(const std::string& target, Access access,
                               TemporaryFile* temporary) override;
  Status KeepAccessOf(const std::string& target, const std::string& path) override {
    return base_.KeepAccessOf(target, path);
  }
  Status Rename(const std::string& from, const std::string& to) override;
  Status RemoveFile(const std::string& path) override { return base_.RemoveFile(path); }
  Status MakeWritable(const std::string& path) override { return base_.MakeWritable(path); }
  Status StampOf(const std::string& path, FileStamp* stamp) override {
    return base_.StampOf(path, stamp);
  }
  Status OpenLockFile(const std::string& path, bool create,
                      std::unique_ptr<LockFile>* file) override {
    return base_.OpenLockFile(path, create, file);
  }

  // Used by the wrapped files: how much of a write of `length` bytes goes
  // through before the disk is full.
  size_t AllowWrite(size_t length);
  bool sync_fails() const { return faults_.fail_sync; }

 private:
  FileSystem& base_;
  Faults faults_;
  int writes_ = 0;
};

}  // namespace zenkar::testing

#endif  // ZENKAR_TESTS_SUPPORT_FAULT_FILE_SYSTEM_H_
