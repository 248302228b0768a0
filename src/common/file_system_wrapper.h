// Wrappers that forward every call to another file system or open file.
//
// A file system that changes only a few calls (the tests' fault-injecting
// and crashing file systems) derives from these and overrides just those, so
// a new call of the interface is forwarded in one place.
#ifndef ZENKAR_COMMON_FILE_SYSTEM_WRAPPER_H_
#define ZENKAR_COMMON_FILE_SYSTEM_WRAPPER_H_

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/file_system.h"

namespace zenkar {

class RandomAccessFileWrapper : public RandomAccessFile {
 public:
  explicit RandomAccessFileWrapper(std::unique_ptr<RandomAccessFile> base)
      : base_(std::move(base)) {}

  Status ReadInto(uint64_t offset, size_t length, char* out) override {
    return base_->ReadInto(offset, length, out);
  }
  Status WriteAt(uint64_t offset, std::string_view data) override {
    return base_->WriteAt(offset, data);
  }
  Status Truncate(uint64_t length) override { return base_->Truncate(length); }
  Status Size(uint64_t* size) override { return base_->Size(size); }
  Status Stamp(FileStamp* stamp) override { return base_->Stamp(stamp); }
  Status Sync() override { return base_->Sync(); }

 private:
  std::unique_ptr<RandomAccessFile> base_;
};

class WritableFileWrapper : public WritableFile {
 public:
  explicit WritableFileWrapper(std::unique_ptr<WritableFile> base) : base_(std::move(base)) {}

  Status Append(std::string_view data) override { return base_->Append(data); }
  Status Sync() override { return base_->Sync(); }
  Status Close() override { return base_->Close(); }

 private:
  std::unique_ptr<WritableFile> base_;
};

class FileSystemWrapper : public FileSystem {
 public:
  explicit FileSystemWrapper(FileSystem& base) : base_(base) {}

  FileSystem& base() { return base_; }

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
  Status ListSubfolders(const std::string& path, std::vector<Subfolder>* folders) override {
    return base_.ListSubfolders(path, folders);
  }
  Status FileSystemType(const std::string& path, std::string* type) override {
    return base_.FileSystemType(path, type);
  }
  Status CreateDirectory(const std::string& path) override { return base_.CreateDirectory(path); }
  Status CreatePrivateDirectory(const std::string& path) override {
    return base_.CreatePrivateDirectory(path);
  }
  Status RemoveDirectory(const std::string& path) override { return base_.RemoveDirectory(path); }
  Status OpenRandomAccess(const std::string& path, bool create,
                          std::unique_ptr<RandomAccessFile>* file) override {
    return base_.OpenRandomAccess(path, create, file);
  }
  Status OpenForReading(const std::string& path, std::unique_ptr<RandomAccessFile>* file) override {
    return base_.OpenForReading(path, file);
  }
  Status OpenExclusively(const std::string& path,
                         std::unique_ptr<RandomAccessFile>* file) override {
    return base_.OpenExclusively(path, file);
  }
  Status CreateTemporaryBeside(const std::string& target, Access access,
                               TemporaryFile* temporary) override {
    return base_.CreateTemporaryBeside(target, access, temporary);
  }
  Status KeepAccessOf(const std::string& target, const std::string& path) override {
    return base_.KeepAccessOf(target, path);
  }
  // RenameUnflushed is left to the interface, which calls Rename: a wrapper
  // that watches renames sees every one.
  Status Rename(const std::string& from, const std::string& to) override {
    return base_.Rename(from, to);
  }
  Status RemoveFile(const std::string& path) override { return base_.RemoveFile(path); }
  Status MakeWritable(const std::string& path) override { return base_.MakeWritable(path); }
  Status SetTimesToNow(const std::string& path) override { return base_.SetTimesToNow(path); }
  Status StampOf(const std::string& path, FileStamp* stamp) override {
    return base_.StampOf(path, stamp);
  }
  Status OpenLockFile(const std::string& path, bool create,
                      std::unique_ptr<LockFile>* file) override {
    return base_.OpenLockFile(path, create, file);
  }

 private:
  FileSystem& base_;
};

}  // namespace zenkar

#endif  // ZENKAR_COMMON_FILE_SYSTEM_WRAPPER_H_
